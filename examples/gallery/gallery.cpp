// One form showing every control built so far, a group of them a function. Without a display
// (no DISPLAY, or VEX_DISPLAY=headless) it writes the form to a PNG: gallery [file.png] (default
// ./gallery.png); with one it shows the form until it is closed.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <span>
#include <string>
#include <utility>

#include "components/entry/EsBase.h"
#include "components/entry/EsLabel.h"
#include "components/misc/Animate.h"
#include "components/misc/RzLabel.h"
#include "dataaware/richedit/wwTrackIcon.h"
#include "examples/gallery/framedpanel.h"
#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/colors.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/application.h"
#include "platform/win/presenter.h"
#include "platform/win/scrollbars.h"
#include "platform/win/windowstyles.h"

namespace {

using namespace vex;
using namespace gallery;

int LabelAlignments(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 84, "Label alignment and layout");
    const struct {
        TAlignment Alignment;
        const char* Caption;
    } alignments[] = {{taLeftJustify, "Left"}, {taCenter, "Centred"}, {taRightJustify, "Right"}};
    int y = 8;
    for (const auto& a : alignments) {
        TLabel* label = AddLabel(box, Rect(8, y, 140, y + 20), a.Caption);
        label->SetColor(clWindow);
        label->SetAlignment(a.Alignment);
        y += 22;
    }
    const struct {
        TTextLayout Layout;
        const char* Caption;
    } layouts[] = {{tlTop, "Top"}, {tlCenter, "Centre"}, {tlBottom, "Bottom"}};
    int x = 150;
    for (const auto& l : layouts) {
        TLabel* label = AddLabel(box, Rect(x, 8, x + 44, 74), l.Caption);
        label->SetColor(clInfoBk);
        label->SetAlignment(taCenter);
        label->SetLayout(l.Layout);
        x += 47;
    }
    return box->BoundsRect().Bottom;
}

int LabelLooks(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "Label looks");
    TLabel* wrapped = AddLabel(box, Rect(8, 8, 140, 74),
                               "Word wrap breaks a long caption into lines at the spaces.");
    wrapped->SetWordWrap(true);
    wrapped->SetColor(clWindow);

    TFramedPanel* coloured = Add<TFramedPanel>(box, Rect(150, 8, 290, 74), fsLowered);
    coloured->SetColor(clTeal);
    TLabel* transparent = AddLabel(coloured, Rect(6, 6, 134, 60), "Transparent over a panel");
    transparent->SetTransparent(true);
    transparent->SetWordWrap(true);
    transparent->Font().SetColor(clWhite);

    TLabel* disabled = AddLabel(box, Rect(8, 82, 140, 100), "Disabled label");
    disabled->SetEnabled(false);
    AddLabel(box, Rect(8, 104, 140, 122), "&Accelerator shown");
    TLabel* literal = AddLabel(box, Rect(8, 126, 140, 144), "&Ampersand kept");
    literal->SetShowAccelChar(false);

    TLabel* serif = AddLabel(box, Rect(150, 82, 290, 144), "Times New Roman 14, bold italic");
    serif->Font().SetName("Times New Roman");
    serif->Font().SetSize(14);
    serif->Font().SetStyle({fsBold, fsItalic});
    serif->SetWordWrap(true);
    return box->BoundsRect().Bottom;
}

int PanelFrames(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 84, "Framed panels");
    const struct {
        TFrameStyle Style;
        const char* Name;
    } frames[] = {{fsFlat, "Flat"},       {fsGroove, "Groove"},   {fsBump, "Bump"},
                  {fsLowered, "Lowered"}, {fsButtonDown, "Down"}, {fsRaised, "Raised"},
                  {fsButtonUp, "Up"},     {fsStatus, "Status"}};
    for (int i = 0; i < 8; ++i) {
        const int x = 8 + (i % 4) * 71;
        const int y = 8 + (i / 4) * 36;
        TFramedPanel* panel = Add<TFramedPanel>(box, Rect(x, y, x + 67, y + 32), frames[i].Style);
        TLabel* name = AddLabel(panel, Rect(3, 8, 64, 24), frames[i].Name);
        name->SetTransparent(true);
        name->SetAlignment(taCenter);
    }
    return box->BoundsRect().Bottom;
}

int WindowFrames(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 150, "Window frames and scroll bars");
    const struct {
        DWORD Style;
        DWORD ExStyle;
        const char* Name;
        bool BarsDisabled = false;
    } windows[] = {{WS_BORDER, 0, "Border"},
                   {0, WS_EX_CLIENTEDGE, "Client edge"},
                   {WS_CAPTION | WS_SYSMENU, 0, "Caption"},
                   {WS_BORDER | WS_VSCROLL, 0, "Vertical bar"},
                   {WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE, "Both bars"},
                   {WS_BORDER | WS_VSCROLL, 0, "Bar disabled", true}};
    for (int i = 0; i < 6; ++i) {
        const int x = 8 + (i % 3) * 95;
        const int y = 8 + (i / 3) * 70;
        auto* window = Add<TStyledWindow>(box, Rect(x, y, x + 90, y + 64), windows[i].Style,
                                          windows[i].ExStyle);
        window->SetColor(clWindow);
        window->SetCaption(windows[i].Name);
        AddLabel(window, Rect(2, 2, 70, 18), windows[i].Name)->SetTransparent(true);
        const HWND wnd = window->Handle();
        if (windows[i].Style & WS_VSCROLL) {
            SetScrollRange(wnd, SB_VERT, 0, 100, false);
            SetScrollPos(wnd, SB_VERT, 30, false);
            if (windows[i].BarsDisabled) EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_BOTH);
        }
        if (windows[i].Style & WS_HSCROLL) {
            SetScrollRange(wnd, SB_HORZ, 0, 100, false);
            SetScrollPos(wnd, SB_HORZ, 70, false);
        }
    }
    return box->BoundsRect().Bottom;
}

// Headings as the application's windows have them: a serif face over an extruded or plain shadow,
// and the presets beside them.
int EffectsLabels(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 176, "Effects labels");
    auto heading = [&](int Y, const std::string& Caption) {
        auto* label = Add<TEsLabel>(box, Rect(8, Y, 290, Y + 40));
        label->SetCaption(Caption);
        return label;
    };
    TEsLabel* extruded = heading(4, "Extruded heading");
    extruded->Font().SetColor(clBlue);
    extruded->Font().SetHeight(-27);
    extruded->CustomSettings().SetShadowStyle(ssExtrude);
    extruded->CustomSettings().SetShadowDepth(4);
    extruded->CustomSettings().SetShadowColor(clOlive);

    TEsLabel* gold = heading(46, "Gold, flying");
    gold->SetColorScheme(csGold);
    gold->SetAppearance(apFlying);

    TEsLabel* gradient = heading(88, "Graduated face");
    gradient->Font().SetStyle({fsBold});
    gradient->SetAppearance(apSunken);
    gradient->CustomSettings().SetGraduateStyle(gsHorizontal);
    gradient->CustomSettings().SetGraduateFromColor(clRed);
    gradient->Font().SetColor(clNavy);

    TEsLabel* steel = heading(130, "Steel, centred");
    steel->SetColorScheme(csSteel);
    steel->SetAppearance(apRaised);
    steel->SetAlignment(taCenter);
    return box->BoundsRect().Bottom;
}

// Captions raised, recessed and shadowed, turned, bevelled and laid round a circle, as the
// search and About windows have them.
int RaisedLabels(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 196, "Raised and recessed labels");
    box->SetColor(clBtnFace);
    auto label = [&](const TRect& Bounds, const std::string& Caption, TTextStyle Style) {
        auto* rz = AddLabel<TRzLabel>(box, Bounds, Caption);
        rz->SetTransparent(true);
        rz->Font().SetName("Arial");
        rz->Font().SetHeight(-20);
        rz->Font().SetStyle({fsBold});
        rz->SetTextStyle(Style);
        return rz;
    };
    // A face in the background colour shows the effect alone: embossed, and engraved.
    label(Rect(8, 8, 120, 34), "Raised", tsRaised)->Font().SetColor(clBtnFace);
    label(Rect(8, 38, 120, 64), "Recessed", tsRecessed)->Font().SetColor(clBtnFace);
    TRzLabel* shadow = label(Rect(8, 68, 120, 96), "Shadow", tsShadow);
    shadow->Font().SetColor(clNavy);
    shadow->SetShadowDepth(3);
    TRzLabel* light = label(Rect(8, 100, 120, 126), "Light", tsRaised);
    light->SetLightTextStyle(true);
    light->Font().SetColor(clRed);
    light->SetFlyByEnabled(true);
    light->SetFlyByColor(clLime);

    TRzLabel* turned = label(Rect(120, 8, 200, 100), "Turned", tsRaised);
    turned->SetAngle(45);
    TRzLabel* upright = label(Rect(160, 104, 190, 190), "Up", tsRecessed);
    upright->SetAngle(90);

    TRzLabel* bevelled = label(Rect(8, 134, 150, 186), "Bevelled", tsRaised);
    bevelled->SetTransparent(false);
    bevelled->SetColor(clInfoBk);
    bevelled->SetAlignment(taCenter);
    bevelled->SetLayout(tlCenter);
    bevelled->SetFrameSides({sdLeft, sdTop, sdRight, sdBottom});
    bevelled->SetBorderOuter(fsPopup);
    bevelled->SetBevelWidth(2);
    bevelled->SetBorderWidth(2);
    bevelled->SetBorderColor(clSilver);
    bevelled->SetBorderInner(fsStatus);

    TRzLabel* curved = label(Rect(200, 8, 292, 100), "Round it goes", tsRaised);
    curved->Font().SetHeight(-14);
    curved->Font().SetColor(clMaroon);
    curved->SetRotation(roCurve);
    curved->SetAngle(90);  // from the left, over the top

    TRzLabel* blinking = label(Rect(200, 110, 292, 136), "Blinking", tsRaised);
    blinking->Font().SetColor(clNavy);
    blinking->SetBlinkColor(clRed);
    blinking->SetBlinking(true);
    return box->BoundsRect().Bottom;
}

// A field that paints itself sunken, with the attached caption label above it.
class TSampleField : public TEsBase {
public:
    using TEsBase::TEsBase;

protected:
    void Paint() override {
        TCanvas& canvas = Canvas();
        canvas.Brush().SetColor(clWindow);
        canvas.FillRect(ClientRect());
        const TRect inner =
            DrawBorder(canvas, ClientRect(), fsLowered, {sdLeft, sdTop, sdRight, sdBottom});
        canvas.Brush().SetStyle(bsClear);
        canvas.TextOut(inner.Left + 2, inner.Top + 2, "15.06.2050");
    }
};

int AttachedLabels(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 54, "Control with an attached label");
    // The label goes on the host's form, so the host is the form's as well.
    auto* host = new TSampleField(Form);
    host->SetName("dtStart");
    host->SetBounds(8, 24, 120, 22);
    host->SetParent(box);
    host->EsLabelInfo().SetVisible(true);
    return box->BoundsRect().Bottom;
}

// A strip of ten frames, a ball going round, each frame the control's width.
void DrawBallStrip(TBitmap& Strip) {
    constexpr int size = 32, frames = 10;
    Strip.SetSize(size * frames, size);
    TCanvas& canvas = Strip.Canvas();
    canvas.Brush().SetColor(clSilver);
    canvas.FillRect(Rect(0, 0, size * frames, size));
    const TPoint path[frames] = {{16, 4},  {23, 6}, {27, 12}, {27, 20}, {23, 26},
                                 {16, 28}, {9, 26}, {5, 20},  {5, 12},  {9, 6}};
    for (int i = 0; i < frames; ++i) {
        canvas.Brush().SetColor(i == 0 ? clRed : clNavy);
        canvas.Pen().SetColor(clBlack);
        const int x = i * size + path[i].X, y = path[i].Y;
        canvas.Ellipse(x - 4, y - 4, x + 5, y + 5);
    }
}

int Animations(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 52, "Frame-strip animation");
    TBitmap strip;
    DrawBallStrip(strip);
    const struct {
        int Frame;
        bool Reverse;
        TColor Transparent;
    } animations[] = {{0, false, clSilver}, {3, true, clSilver}, {6, false, -1}};
    for (int i = 0; i < 3; ++i) {
        auto* animation = Add<TAnimated>(box, Rect(8 + i * 40, 8, 40 + i * 40, 40));
        animation->SetBitMap(strip);
        animation->SetFrameCount(10);
        animation->SetFrame(animations[i].Frame);
        animation->SetReverse(animations[i].Reverse);
        animation->SetTransparentColor(animations[i].Transparent);
        animation->SetColor(clWindow);
        animation->SetInterval(300);
        animation->SetPlay(true);
    }
    return box->BoundsRect().Bottom;
}

// A strip of a ruler: a tick every 10 pixels, a longer one every 50 with its number.
class TRulerStrip : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        TCanvas& canvas = Canvas();
        canvas.Brush().SetColor(clWindow);
        canvas.FillRect(ClientRect());
        canvas.Pen().SetColor(clBlack);
        canvas.Font().SetSize(7);
        canvas.Brush().SetStyle(bsClear);
        for (int x = 0; x < Width(); x += 10) {
            const bool major = x % 50 == 0;
            canvas.MoveTo(x, Height() - (major ? 8 : 4));
            canvas.LineTo(x, Height());
            if (major && x > 0) canvas.TextOut(x + 2, 1, std::to_string(x / 50));
        }
    }
};

// The editor's ruler markers on a strip, pointing down at its ticks: an indent kept left of the
// middle and a tab right of it; the caption says where a drag left them.
int TrackIcons(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 64, "Track icons (drag the markers)");
    constexpr int stripLeft = 8, stripTop = 8, stripWidth = 280, stripHeight = 22;
    Add<TRulerStrip>(box,
                     Rect(stripLeft, stripTop, stripLeft + stripWidth, stripTop + stripHeight));
    TLabel* where = AddLabel(box, Rect(stripLeft, 42, stripLeft + stripWidth, 58), "");
    const struct {
        int Left;
        int MinValue;
        int MaxValue;
    } markers[] = {{stripLeft + 30, stripLeft, stripLeft + 136},
                   {stripLeft + 200, stripLeft + 140, 0}};
    TwwTrackIcon* icons[2];
    for (int i = 0; i < 2; ++i) {
        const int x = markers[i].Left, y = stripTop + 12;
        auto* icon = Add<TwwTrackIcon>(box, Rect(x, y, x, y));
        icon->SetBitmapName("RulerMarker");
        icon->SetMinValue(markers[i].MinValue);
        icon->SetMaxValue(markers[i].MaxValue);
        icons[i] = icon;
    }
    const auto show = [where, icons](TObject*) {
        where->SetCaption("Indent at " + std::to_string(icons[0]->Left() - stripLeft) +
                          ", tab at " + std::to_string(icons[1]->Left() - stripLeft));
    };
    for (TwwTrackIcon* icon : icons)
        icon->OnEndDrag = show;
    show(nullptr);
    return box->BoundsRect().Bottom;
}

// The groups in columns; a new control adds its group to a column, a new family a column.
const TGroup kLabelColumn[] = {LabelAlignments, LabelLooks, EffectsLabels, AttachedLabels,
                               TrackIcons};
const TGroup kFrameColumn[] = {PanelFrames, WindowFrames, Animations, RaisedLabels};
const TGroup kEditColumn[] = {Edits, Memos, MaskAndSpinEdits, StatusBars, EditButtons};
const TGroup kButtonColumn[] = {Buttons, SpeedButtons, Panels, SpinButtons, ExplorerButtons};
const TGroup kListColumn[] = {Menus, ListBoxes, ComboBoxes, DrawGrids};
const TGroup kPartsColumn[] = {Calendars,    DateTimePickers, Carets,     ColourPairs,
                               TabListBoxes, AddressDialog,   FileDialogs};
const TGroup kEntryColumn[] = {EntryFields,        Spinners,     FileViewers,
                               FindAndFontDialogs, PrintDialogs, VersionCheckViews};
const TGroup kTrayAndFolderColumn[] = {TrayIcons, FolderDialogs, StringGrids, RuleGrids,
                                       DataAwareEdits};
const std::span<const TGroup> kColumns[] = {kLabelColumn,  kFrameColumn,        kEditColumn,
                                            kButtonColumn, kListColumn,         kPartsColumn,
                                            kEntryColumn,  kTrayAndFolderColumn};

TForm* MakeGallery() {
    auto* form = new TForm(nullptr);
    form->SetCaption("Gallery");
    int bottom = 0, left = kGap;
    for (std::span<const TGroup> column : kColumns) {
        int top = kGap;
        for (TGroup group : column)
            top = group(form, left, top) + kGap;
        bottom = std::max(bottom, top);
        left += kGroupWidth + kGap;
    }
    form->SetClientWidth(left);
    form->SetClientHeight(bottom);
    return form;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        TForm* form = MakeGallery();
        if (Presenter().Headless()) {
            const std::string file = argc > 1 ? argv[1] : "gallery.png";
            form->Show();
            SaveWindowPicture(form->Handle(), file);
            std::printf("Wrote %s\n", file.c_str());
        } else {
            form->OnClose = [](TObject*, TCloseAction&) { Application().Terminate(); };
            form->Show();
            Application().Run();
        }
        delete form;
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
