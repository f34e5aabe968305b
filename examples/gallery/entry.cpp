// The data-entry family: the status bar, the spin button and edit, the mask edit.

#include <memory>
#include <string>

#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/gfx/colors.h"
#include "platform/ui/maskedit.h"
#include "platform/ui/spinbutton.h"
#include "platform/ui/spinedit.h"
#include "platform/ui/statusbar.h"

namespace gallery {

using namespace vex;

int StatusBars(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 96, "Status bars");
    // Each bar at the bottom of a panel of its own, as on a form.
    auto strip = [&](int Y) {
        auto* host = Add<TFramedPanel>(box, Rect(8, Y, 290, Y + 40), fsFlat);
        host->SetColor(clWindow);
        auto* bar = new TStatusBar(host);
        bar->SetParent(host);
        return bar;
    };
    TStatusBar* panels = strip(8);
    const struct {
        int Width;
        const char* Text;
        TStatusPanelBevel Bevel;
        TAlignment Alignment;
    } parts[] = {{104, "3 new messages", pbLowered, taLeftJustify},
                 {60, "Raised", pbRaised, taCenter},
                 {50, "Owner", pbLowered, taLeftJustify},
                 {0, "12:45", pbNone, taRightJustify}};
    for (const auto& part : parts) {
        TStatusPanel* panel = panels->Panels().Add();
        panel->SetWidth(part.Width);
        panel->SetText(part.Text);
        panel->SetBevel(part.Bevel);
        panel->SetAlignment(part.Alignment);
    }
    panels->Panels()[2]->SetStyle(psOwnerDraw);
    panels->OnDrawPanel = [](TStatusBar* Bar, TStatusPanel*, const TRect& R) {
        TCanvas& canvas = Bar->Canvas();
        canvas.Brush().SetColor(clNavy);
        canvas.FillRect(Rect(R.Left, R.Top, R.Left + (R.Right - R.Left) * 2 / 3, R.Bottom));
    };

    TStatusBar* simple = strip(52);
    simple->Panels().Add()->SetText("hidden while the simple panel shows");
    simple->SetSimpleText("Checking the mailbox...");
    simple->SetSimplePanel(true);
    return box->BoundsRect().Bottom;
}

int SpinButtons(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 48, "Spin buttons (click or hold)");
    TLabel* count = AddLabel(box, Rect(8, 14, 100, 30), "");
    auto* spin = Add<TSpinButton>(box, Rect(104, 8, 124, 33));
    spin->SetTabStop(true);
    auto show = [count](int Value) { count->SetCaption("Count: " + std::to_string(Value)); };
    show(0);
    auto value = std::make_shared<int>(0);
    spin->OnUpClick = [value, show](TObject*) { show(++*value); };
    spin->OnDownClick = [value, show](TObject*) { show(--*value); };
    auto* disabled = Add<TSpinButton>(box, Rect(134, 8, 154, 33));
    disabled->SetEnabled(false);
    return box->BoundsRect().Bottom;
}

int MaskAndSpinEdits(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 128, "Mask and spin edits");
    const struct {
        const char* Caption;
        const char* Mask;
        const char* Text;
    } masks[] = {{"Phone", "!\\(999\\)000-0000;1;_", "(555)123-4567"},
                 {"Date", "!99/99/0000;1;_", "12/24"},
                 {"Code", ">LL-0000;0;*", "AB12"}};
    int y = 8;
    for (const auto& m : masks) {
        AddLabel(box, Rect(8, y + 3, 60, y + 19), m.Caption);
        auto* edit = Add<TMaskEdit>(box, Rect(64, y, 200, y + 22));
        edit->SetEditMask(m.Mask);
        edit->SetText(m.Text);
        y += 28;
    }
    AddLabel(box, Rect(8, y + 3, 60, y + 19), "Minutes");
    auto* spin = Add<TSpinEdit>(box, Rect(64, y, 140, y + 22));
    spin->SetMinValue(1);
    spin->SetMaxValue(120);
    spin->SetIncrement(5);
    spin->SetValue(15);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
