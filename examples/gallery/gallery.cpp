// One form showing every control built so far, a group of them a function. Without a display
// (no DISPLAY, or VEX_DISPLAY=headless) it writes the form to a PNG: gallery [file.png] (default
// ./gallery.png); with one it shows the form until it is closed.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>

#include "examples/gallery/framedpanel.h"
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
using gallery::TFramedPanel;
using gallery::TStyledWindow;

constexpr int kGroupWidth = 300;
constexpr int kTitleHeight = 18;
constexpr int kGap = 8;

template <class T, class... Args>
T* Add(TWinControl* Parent, const TRect& Bounds, Args&&... More) {
    auto* control = new T(Parent, std::forward<Args>(More)...);
    control->SetBoundsRect(Bounds);
    control->SetParent(Parent);
    return control;
}

// A label of a fixed size: one that sizes itself would shrink to its caption.
TLabel* AddLabel(TWinControl* Parent, const TRect& Bounds, const std::string& Caption) {
    auto* label = new TLabel(Parent);
    label->SetAutoSize(false);
    label->SetBoundsRect(Bounds);
    label->SetCaption(Caption);
    label->SetParent(Parent);
    return label;
}

// A titled, grooved box at Left, Top of Height, which the group's controls go in.
TFramedPanel* AddGroup(TForm* Form, int Left, int Top, int Height, const std::string& Title) {
    TLabel* title = AddLabel(Form, Rect(Left, Top, Left + kGroupWidth, Top + kTitleHeight), Title);
    title->Font().SetStyle({fsBold});
    return Add<TFramedPanel>(
        Form, Rect(Left, Top + kTitleHeight, Left + kGroupWidth, Top + kTitleHeight + Height));
}

// Each group answers the bottom of what it took.
using TGroup = int (*)(TForm* Form, int Left, int Top);

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

// The groups in two columns; a new control adds its group to a column.
// The animation and the effects label join the right column.
const TGroup kLeftColumn[] = {LabelAlignments, LabelLooks};
const TGroup kRightColumn[] = {PanelFrames, WindowFrames};

TForm* MakeGallery() {
    auto* form = new TForm(nullptr);
    form->SetCaption("Gallery");
    int bottom = 0;
    for (const auto* column : {&kLeftColumn, &kRightColumn}) {
        const int left = kGap + (column == &kLeftColumn ? 0 : kGroupWidth + kGap);
        int top = kGap;
        for (TGroup group : *column)
            top = group(form, left, top) + kGap;
        bottom = std::max(bottom, top);
    }
    form->SetClientWidth(2 * kGroupWidth + 3 * kGap);
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
