// The entry controls' carets, colour pairs and tab list box; the mail address dialog and the
// data-aware library's dialog buttons.

#include <memory>
#include <string>
#include <vector>

#include "components/entry/OvcCaret.h"
#include "components/entry/OvcColor.h"
#include "components/entry/OvcTabListBox.h"
#include "dataaware/intl/Wwintl.h"
#include "examples/gallery/groups.h"
#include "net/mailaddress.h"
#include "platform/gfx/edges.h"
#include "platform/ui/button.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/win/keyboard.h"

namespace gallery {

using namespace vex;

namespace {

// One character cell with its caret pair: the caret shows while the cell has the focus (a
// click or Tab gives it), and Insert switches between the insert and the overwrite caret.
class TCaretCell : public TCustomControl {
public:
    TCaretCell(TComponent* AOwner, TOvcCaretShape InsertShape, TOvcCaretShape OverwriteShape)
        : TCustomControl(AOwner), FCarets(std::make_unique<TOvcCaretPair>(this)) {
        SetTabStop(true);
        SetColor(clWindow);
        FCarets->CaretIns()->SetCaretWidth(4);
        FCarets->CaretIns()->SetCaretHeight(4);
        FCarets->CaretIns()->SetShape(InsertShape);
        if (InsertShape == csCustom) FCarets->CaretIns()->SetAlign(caCenter);
        FCarets->CaretOvr()->SetShape(OverwriteShape);
        FCarets->SetCellWidth(12);
        FCarets->SetCellHeight(16);
        FCarets->SetPosition(Point(6, 4));
        FCarets->SetVisible(true);
    }

protected:
    void Paint() override {
        TCanvas& canvas = Canvas();
        canvas.Brush().SetColor(clWindow);
        canvas.FillRect(ClientRect());
        canvas.Font().SetColor(clWindowText);
        canvas.TextOut(8, 6, "A");
        if (Focused()) {
            TRect r = ClientRect();
            r.Left += 1, r.Top += 1, r.Right -= 1, r.Bottom -= 1;
            DrawFocusRect(canvas.Handle(), r);
        }
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override {
        if (CanFocus()) SetFocus();
        TCustomControl::MouseDown(Button, Shift, X, Y);
    }
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        if (Key == VK_INSERT) FCarets->SetInsertMode(!FCarets->InsertMode());
        TCustomControl::KeyDown(Key, Shift);
    }
    void WMSetFocus(TMessage& Message) override {
        TCustomControl::WMSetFocus(Message);
        FCarets->SetLinked(true);
        Invalidate();
    }
    void WMKillFocus(TMessage& Message) override {
        FCarets->SetLinked(false);
        TCustomControl::WMKillFocus(Message);
        Invalidate();
    }

private:
    std::unique_ptr<TOvcCaretPair> FCarets;
};

}  // namespace

int Carets(TForm* Form, int Left, int Top) {
    struct TCellCase {
        const char* Title;
        TOvcCaretShape Insert;
        TOvcCaretShape Overwrite;
    };
    const TCellCase cells[] = {{"line", csVertLine, csBlock},
                               {"half", csHalfBlock, csBlock},
                               {"under", csHorzLine, csBlock},
                               {"block", csBlock, csHalfBlock},
                               {"dot", csCustom, csBlock}};
    TFramedPanel* group = AddGroup(Form, Left, Top, 76, "Carets (click a cell; Insert switches)");
    int x = 10;
    TCaretCell* first = nullptr;
    for (const TCellCase& c : cells) {
        auto* cell = Add<TCaretCell>(group, Rect(x, 10, x + 26, 38), c.Insert, c.Overwrite);
        AddLabel(group, Rect(x - 6, 44, x + 44, 60), c.Title);
        if (first == nullptr) first = cell;
        x += 56;
    }
    Form->SetActiveControl(first);
    return group->BoundsRect().Bottom;
}

int ColourPairs(TForm* Form, int Left, int Top) {
    struct TPairCase {
        const char* Title;
        TColor Back;
        TColor Text;
    };
    const TPairCase pairs[] = {{"Disabled", clWindow, clGrayText},
                               {"Error", clRed, clBlack},
                               {"Highlight", clHighlight, clHighlightText}};
    TFramedPanel* group = AddGroup(Form, Left, Top, 40, "Colour pairs");
    int x = 10;
    for (const TPairCase& p : pairs) {
        const TOvcColors colors(p.Back, p.Text);
        TLabel* sample = AddLabel(group, Rect(x, 10, x + 84, 30), std::string(" ") + p.Title);
        sample->SetTransparent(false);
        sample->SetColor(colors.BackColor());
        sample->Font().SetColor(colors.TextColor());
        x += 94;
    }
    return group->BoundsRect().Bottom;
}

int TabListBoxes(TForm* Form, int Left, int Top) {
    TFramedPanel* group = AddGroup(Form, Left, Top, 96, "Tab list box");
    auto* box = Add<TTabListBox>(group, Rect(10, 10, kGroupWidth - 10, 86));
    box->SetName("Box");
    box->SetTabWidth(65);
    box->SetItemHeight(13);
    for (const char* item :
         {"Engine\tHits\tTime", "alpha\t12\t0.3 s", "beta\t7\t1.2 s", "a longer name\t3\t0.1 s"})
        box->Items().Add(item);
    box->SetItemIndex(1);
    return group->BoundsRect().Bottom;
}

int AddressDialog(TForm* Form, int Left, int Top) {
    TFramedPanel* group = AddGroup(Form, Left, Top, 74, "Mail address dialog");
    auto address = std::make_shared<TmsMailAddress>();
    address->Name = "Ann Example";
    address->Address = "ann@example.test";
    TLabel* shown = AddLabel(group, Rect(10, 42, kGroupWidth - 10, 60), "");
    const auto show = [shown, address] {
        shown->SetCaption("\"" + address->Name + "\" <" + address->Address + ">");
    };
    auto* edit = Add<TButton>(group, Rect(10, 10, 110, 35));
    edit->SetCaption("&Edit...");
    edit->OnClick = [address, show](TObject*) {
        address->Edit();
        show();
    };
    show();
    // The library's OK and Cancel, as its global switches make them.
    int x = kGroupWidth - 2 * (77 + 6) - 4;
    for (TBitBtnKind kind : {bkOK, bkCancel}) {
        TButton* button = wwCreateDialogButton(group, kind);
        button->SetLeft(x);
        button->SetTop(8);
        button->SetVisible(true);
        x += button->Width() + 6;
    }
    return group->BoundsRect().Bottom;
}

}  // namespace gallery
