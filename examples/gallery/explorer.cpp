// The explorer-style buttons: a bar like the mail filter's main window, with pictures drawn
// here, the dimmed pictures of a mono display, and the looks of a toggle and a disabled button.

#include <functional>
#include <vector>

#include "components/misc/ExplBtn.h"
#include "components/misc/ExplBtnPopup.h"
#include "examples/gallery/groups.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/menus.h"
#include "platform/ui/popupmenu.h"

namespace gallery {

namespace {

using namespace vex;

constexpr int kIcon = 24;
constexpr TColor kIconBackground = clFuchsia;  // pixel (0, 0): left out on the face

// A picture of kIcon pixels square on the background, drawn by Draw.
void DrawIcon(TBitmap& Icon, const std::function<void(TCanvas&)>& Draw) {
    Icon.SetSize(kIcon, kIcon);
    TCanvas& c = Icon.Canvas();
    c.Brush().SetColor(kIconBackground);
    c.FillRect(Rect(0, 0, kIcon, kIcon));
    c.Pen().SetWidth(1);
    Draw(c);
}

void Envelope(TCanvas& C) {
    C.Pen().SetColor(clNavy);
    C.Brush().SetColor(clWhite);
    C.Rectangle(2, 5, 22, 19);
    C.MoveTo(2, 5);
    C.LineTo(12, 13);
    C.LineTo(22, 4);
}

void Tick(TCanvas& C) {
    C.Pen().SetColor(clGreen);
    C.Pen().SetWidth(3);
    C.MoveTo(4, 12);
    C.LineTo(10, 18);
    C.LineTo(20, 5);
}

void Cross(TCanvas& C) {
    C.Pen().SetColor(clRed);
    C.Pen().SetWidth(3);
    C.MoveTo(5, 5);
    C.LineTo(19, 19);
    C.MoveTo(19, 5);
    C.LineTo(5, 19);
}

void Door(TCanvas& C) {
    C.Pen().SetColor(clBlack);
    C.Brush().SetColor(clMaroon);
    C.Rectangle(6, 3, 18, 22);
    C.Brush().SetColor(clYellow);
    C.Rectangle(14, 12, 16, 14);
}

void Chart(TCanvas& C) {
    C.Pen().SetColor(clBlack);
    const int heights[] = {8, 14, 18};
    for (int i = 0; i < 3; ++i) {
        C.Brush().SetColor(i == 2 ? clRed : clBlue);
        C.Rectangle(3 + i * 7, 21 - heights[i], 9 + i * 7, 21);
    }
}

void Disc(TCanvas& C, TColor Colour, const char* Letter) {
    C.Pen().SetColor(clBlack);
    C.Brush().SetColor(Colour);
    C.Ellipse(2, 2, 22, 22);
    C.Font().SetStyle({fsBold});
    C.Font().SetColor(clWhite);
    C.Brush().SetStyle(bsClear);
    const TSize size = C.TextExtent(Letter);
    C.TextOut((kIcon - size.cx) / 2, (kIcon - size.cy) / 2, Letter);
}

struct TButtonSpec {
    const char* Caption;
    std::function<void(TCanvas&)> Draw;
};

TExplorerButton* AddButton(TWinControl* Parent, int Left, int Top, int Height,
                           const TButtonSpec& Spec) {
    auto* button = Add<TExplorerButton>(Parent, Rect(Left, Top, Left + 56, Top + Height));
    button->SetOptions({boMonoDisplay, boPopupMark, boShowBevel, boShowDownPattern, boWordWrap});
    button->SetShadingType(stDark);
    TBitmap icon;
    DrawIcon(icon, Spec.Draw);
    button->SetBitmap(icon);
    button->SetCaption(Spec.Caption);
    return button;
}

}  // namespace

int ExplorerButtons(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 160, "Explorer-style buttons");
    const std::vector<TButtonSpec> bar = {{"&Check e-mail", Envelope},
                                          {"&Mark msgs", Tick},
                                          {"&Delete marked msgs", Cross},
                                          {"E&xit", Door},
                                          {"&Settings && Stats", Chart}};
    int x = 6;
    TExplorerButton* settings = nullptr;
    for (const TButtonSpec& spec : bar) {
        settings = AddButton(box, x, 6, 66, spec);
        x += 58;
    }
    // The last one drops down a panel with three more, as the main window's does.
    auto* panel = Add<TExplorerPopup>(box, Rect(0, 0, 182, 62));
    panel->Hide();
    panel->SetCaption("Settings");
    panel->SetUndockable(true);
    const std::vector<TButtonSpec> inside = {
        {"&General settings", [](TCanvas& C) { Disc(C, clGray, "G"); }},
        {"&Help", [](TCanvas& C) { Disc(C, clOlive, "?"); }},
        {"A&bout", [](TCanvas& C) { Disc(C, clBlue, "i"); }}};
    for (size_t i = 0; i < inside.size(); ++i)
        AddButton(panel, 4 + static_cast<int>(i) * 58, 3, 56, inside[i]);
    settings->SetExplorerPopup(panel);
    AddLabel(box, Rect(8, 76, 290, 92), "Toggles, disabled, the office arrow:");
    x = 6;
    const std::vector<TButtonSpec> looks = {
        {"S&pam settings", [](TCanvas& C) { Disc(C, clRed, "!"); }},
        {"S&ort msgs", Tick},
        {"&Undo", Cross},
        {"&Tools", Chart}};
    for (size_t i = 0; i < looks.size(); ++i) {
        TExplorerButton* button = AddButton(box, x, 96, 56, looks[i]);
        x += 58;
        if (i < 2) button->SetGroupIndex(1);
        if (i == 0) button->SetDown(true);
        if (i == 2) button->SetEnabled(false);
        if (i == 3) {
            button->SetDropDownStyle(ddsOffice);
            auto* menu = new TPopupMenu(Form);
            for (const char* caption : {"&Sort msgs", "&Filter msgs"}) {
                auto* item = new TMenuItem(menu);
                item->SetCaption(caption);
                menu->Items()->Add(item);
            }
            button->SetDropDownMenu(menu);
            button->SetBounds(button->Left(), button->Top(), 68, 56);
        }
    }
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
