#include "components/misc/ExplBtn.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "components/misc/ExplBtnPopup.h"
#include "platform/core/filer.h"
#include "platform/core/stream.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/win_testsupport.h"

namespace vex {
namespace {

using test::PumpUntilIdle;

// Buttons on a shown form, driven by injected mouse input as a person would.
class ExplorerButton : public ::testing::Test {
protected:
    TExplorerButton* Add(int32_t Left, const std::string& Name) {
        auto* button = Form.Add<TExplorerButton>(Form.Form, Rect(Left, 10, Left + 50, 50));
        button->SetName(Name);
        button->OnClick = [this, Name](TObject*) { Log.push_back("click " + Name); };
        button->OnDropDownClick = [this, Name](TObject*) { Log.push_back("drop " + Name); };
        return button;
    }
    // A point of a button, X from its left (a negative X from its right), on the screen.
    static TPoint At(TExplorerButton* Button, int32_t X, int32_t Y = 20) {
        return Button->ClientToScreen(Point(X < 0 ? Button->Width() + X : X, Y));
    }
    void Move(TPoint Screen) {
        InjectMouseMove(Screen);
        PumpUntilIdle();
    }
    void Press(bool Down) {
        InjectMouseButton(mbLeft, Down);
        PumpUntilIdle();
    }
    void Click(TExplorerButton* Button, int32_t X = 25) {
        Move(At(Button, X));
        Press(true);
        Press(false);
    }
    static std::string StateOf(const TExplorerButton& B) {
        if (B.Pressed() || B.ArrowPressed()) return B.MouseInControl() ? "pressed" : "pressed-out";
        return B.MouseInControl() ? "hot" : "idle";
    }
    std::string TakeLog() { return test::TakeLines(Log); }

    test::TShownForm Form{Rect(10, 10, 310, 110)};
    std::vector<std::string> Log;
};

// Each step moves the pointer over the button ("in") or away ("out"), or presses or releases
// the left button; the state after each step, then the events of the whole run.
TEST_F(ExplorerButton, FollowsThePointerFromIdleToHotToPressedAndBack) {
    const struct {
        const char* Steps;
        const char* States;
        const char* Events;
    } cases[] = {
        {"in out", "hot idle", "enter\nexit\n"},
        {"in down up", "hot pressed hot", "enter\nclick b\n"},
        // While pressed the button holds the mouse: no leaving is heard, the look follows.
        {"in down out up", "hot pressed pressed-out idle", "enter\n"},
        {"in down out in up", "hot pressed pressed-out pressed hot", "enter\nclick b\n"},
        {"out down up", "idle idle idle", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Steps);
        Move(Point(5, 5));
        TExplorerButton* b = Add(20, "b");
        b->OnEnter = [this](TObject*) { Log.push_back("enter"); };
        b->OnExit = [this](TObject*) { Log.push_back("exit"); };
        std::istringstream steps(c.Steps), states(c.States);
        for (std::string step, want; steps >> step && states >> want;) {
            if (step == "in") Move(At(b, 25));
            if (step == "out") Move(At(b, 25, 45));
            if (step == "down" || step == "up") Press(step == "down");
            EXPECT_EQ(StateOf(*b), want) << step;
        }
        EXPECT_EQ(TakeLog(), c.Events);
        delete b;
    }
}

TEST_F(ExplorerButton, AnOfficeButtonClicksOnItsBodyAndDropsDownOnItsArrowPart) {
    TExplorerButton* b = Add(20, "b");
    b->SetDropDownStyle(ddsOffice);
    Click(b, 5);
    EXPECT_EQ(TakeLog(), "click b\n");
    Click(b, -ExplorerArrowWidth - 1);
    EXPECT_EQ(TakeLog(), "click b\n");
    Click(b, -ExplorerArrowWidth);
    EXPECT_EQ(TakeLog(), "drop b\n");
    Click(b, -1);
    EXPECT_EQ(TakeLog(), "drop b\n");
}

// Clicks on buttons a, b and c (GroupIndex 1, or 0 for c when the case says so); the Down state
// of the three after each click, as three letters (D down, u up).
TEST_F(ExplorerButton, GroupedButtonsStayDownOneAtATime) {
    const struct {
        bool AllowAllUp;
        bool CUngrouped;
        const char* Clicks;
        const char* Downs;
    } cases[] = {
        {false, false, "a b b c a", "Duu uDu uDu uuD Duu"},
        {true, false, "a a b b", "Duu uuu uDu uuu"},
        {false, true, "a c c", "Duu Duu Duu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Clicks);
        TExplorerButton* buttons[] = {Add(10, "a"), Add(70, "b"), Add(130, "c")};
        for (TExplorerButton* b : buttons)
            b->SetGroupIndex(1);
        if (c.CUngrouped) buttons[2]->SetGroupIndex(0);
        buttons[2]->SetAllowAllUp(c.AllowAllUp);  // reaches the whole group
        std::istringstream clicks(c.Clicks), downs(c.Downs);
        for (std::string click, want; clicks >> click && downs >> want;) {
            Click(buttons[click[0] - 'a']);
            std::string seen;
            for (TExplorerButton* b : buttons)
                seen += b->Down() ? 'D' : 'u';
            EXPECT_EQ(seen, want) << click;
        }
        for (TExplorerButton* b : buttons)
            delete b;
    }
}

TEST_F(ExplorerButton, DownNeedsAGroupAndReleasesTheRestOfIt) {
    TExplorerButton* a = Add(10, "a");
    TExplorerButton* b = Add(70, "b");
    a->SetDown(true);
    EXPECT_FALSE(a->Down());
    a->SetGroupIndex(2);
    b->SetGroupIndex(2);
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    b->SetGroupIndex(0);
    EXPECT_FALSE(b->Down());
}

// A Down button that joins another group is that group's one Down button.
TEST_F(ExplorerButton, ADownButtonJoiningAGroupReleasesTheOneDownThere) {
    TExplorerButton* a = Add(10, "a");
    TExplorerButton* b = Add(70, "b");
    a->SetGroupIndex(1);
    a->SetDown(true);
    b->SetGroupIndex(2);
    b->SetDown(true);
    a->SetGroupIndex(2);
    EXPECT_TRUE(a->Down());
    EXPECT_FALSE(b->Down());
}

TEST_F(ExplorerButton, AnIconOnlyButtonShowsItsCaptionAsAHint) {
    TExplorerButton* b = Add(10, "b");
    b->SetCaption("&Settings && Stats");
    EXPECT_EQ(b->Hint(), "");
    b->SetOptions(b->Options() + TExplorerButtonOptions{boIconOnly});
    EXPECT_EQ(b->Hint(), "Settings & Stats");
    EXPECT_TRUE(b->ShowHint());
    b->SetCaption("E&xit&");
    EXPECT_EQ(b->Hint(), "Exit");
    b->SetOptions(b->Options() - TExplorerButtonOptions{boIconOnly});
    EXPECT_EQ(b->Hint(), "");
}

// Each step: a size class chosen, or a size set by other means (w x h); then the button's size.
TEST_F(ExplorerButton, SizeClassesKeepTheirOwnSizes) {
    const struct {
        const char* Step;
        int32_t Width, Height;
    } steps[] = {
        {"small", 23, 22},    {"large", 39, 38},    {"custom", 50, 40}, {"60x30", 60, 30},
        {"small", 23, 22},    {"30x20", 30, 20},    {"custom", 60, 30}, {"small", 30, 20},
        {"smallw40", 40, 20}, {"largew45", 40, 20}, {"large", 45, 38},
    };
    TExplorerButton* b = Add(10, "b");
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Step);
        const std::string step = s.Step;
        if (step == "small") b->SetButtonSize(bsSmall);
        if (step == "large") b->SetButtonSize(bsLarge);
        if (step == "custom") b->SetButtonSize(bsCustom);
        if (step == "smallw40") b->SetSmallWidth(40);
        if (step == "largew45") b->SetLargeWidth(45);
        if (const size_t x = step.find('x'); x != std::string::npos)
            b->SetBounds(b->Left(), b->Top(), std::stoi(step), std::stoi(step.substr(x + 1)));
        EXPECT_EQ(b->Width(), s.Width);
        EXPECT_EQ(b->Height(), s.Height);
    }
}

TEST_F(ExplorerButton, ItsAcceleratorClicksItWhileItIsEnabled) {
    TExplorerButton* b = Add(10, "b");
    b->SetCaption("E&xit");
    EXPECT_EQ(Form.Form->Perform(CM_DIALOGCHAR, 'y', 0), 0);
    EXPECT_NE(Form.Form->Perform(CM_DIALOGCHAR, 'X', 0), 0);
    EXPECT_EQ(TakeLog(), "click b\n");
    EXPECT_EQ(StateOf(*b), "hot");
    b->SetEnabled(false);
    EXPECT_EQ(Form.Form->Perform(CM_DIALOGCHAR, 'x', 0), 0);
    EXPECT_EQ(TakeLog(), "");
}

// "&&" is a plain "&"; the letter after a single "&" is the accelerator, in either case and
// for the letters of Windows-1252 too.
TEST_F(ExplorerButton, AcceleratorsSkipDoubledAmpersands) {
    const struct {
        const char* Caption;
        uint16_t Key;
        bool Clicks;
    } cases[] = {
        {"&Settings && Stats", 's', true},
        {"&Settings && Stats", '&', false},
        {"Fish && &Chips", 'C', true},
        {"Fish && Chips", 'c', false},
        {"&&", '&', false},
        {"&", '&', false},
        {"&\xC9quipe", 0xE9, true},
        {"&\xE9t\xE9", 0xC9, true},
    };
    TExplorerButton* b = Add(10, "b");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Caption << " " << c.Key);
        b->SetCaption(c.Caption);
        EXPECT_EQ(Form.Form->Perform(CM_DIALOGCHAR, c.Key, 0) != 0, c.Clicks);
        EXPECT_EQ(TakeLog(), c.Clicks ? "click b\n" : "");
    }
}

// Where the press lands (X from the left, negative from the right) and what it does with a
// drop-down menu: the events, and whether the menu opened under the button.
TEST_F(ExplorerButton, ADropDownMenuOpensUnderTheButtonAndEndsThePress) {
    const struct {
        TExplorerButtonDropDownStyle Style;
        int32_t X;
        const char* Events;
        bool Opened;
    } cases[] = {
        {ddsIExplorer, 25, "drop b\n", true},
        {ddsOffice, 5, "drop b\nclick b\n", false},
        {ddsOffice, -3, "drop b\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Style << " at " << c.X);
        TExplorerButton* b = Add(20, "b");
        auto* menu = new TPopupMenu(Form.Form);
        auto* item = new TMenuItem(menu);
        item->SetCaption("Item");
        menu->Items()->Add(item);
        int opened = 0;
        menu->OnPopup = [&](TObject*) { ++opened; };
        b->SetDropDownMenu(menu);
        b->SetDropDownStyle(c.Style);
        TModalScript script;  // nothing to do: the menu closes when it would wait
        Click(b, c.X);
        EXPECT_EQ(TakeLog(), c.Events);
        EXPECT_EQ(opened, c.Opened ? 1 : 0);
        if (c.Opened) {
            EXPECT_EQ(menu->PopupPoint(), b->ClientToScreen(Point(0, 40)));
        }
        EXPECT_EQ(StateOf(*b), "hot");
        EXPECT_FALSE(b->MouseCapture());
        delete menu;
        EXPECT_EQ(b->DropDownMenu(), nullptr);
        delete b;
    }
}

// The press's own OnMouseDown takes the menu away: the press goes on as a plain one.
TEST_F(ExplorerButton, AMenuTakenAwayByOnMouseDownIsNotDroppedDown) {
    TExplorerButton* b = Add(20, "b");
    TPopupMenu menu(nullptr);
    b->SetDropDownMenu(&menu);
    b->OnMouseDown = [b](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        b->SetDropDownMenu(nullptr);
    };
    TModalScript script;
    Click(b);
    EXPECT_EQ(TakeLog(), "drop b\nclick b\n");
    EXPECT_EQ(StateOf(*b), "hot");
    EXPECT_FALSE(b->MouseCapture());
}

// A right click brings up the button's context menu, with or without a left press held; the
// pointer leaves while it runs. The press ends with the menu (its release clicks nothing), and
// what the menu's OnPopup does to the button's PopupMenu does not keep the button hot.
TEST_F(ExplorerButton, TheContextMenuEndsThePressAndLeavesTheButtonIdle) {
    const struct {
        bool LeftHeld, DropsTheMenu;
    } cases[] = {{false, false}, {false, true}, {true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.LeftHeld << c.DropsTheMenu);
        TExplorerButton* b = Add(20, "b");
        TPopupMenu menu(nullptr);
        auto* item = new TMenuItem(&menu);
        item->SetCaption("Item");
        menu.Items()->Add(item);
        int shown = 0;
        menu.OnPopup = [&](TObject*) {
            ++shown;
            if (c.DropsTheMenu) b->SetPopupMenu(nullptr);
        };
        b->SetPopupMenu(&menu);
        TModalScript script;
        script.Then([&] { InjectMouseMove(Form.Form->ClientToScreen(Point(290, 95))); });
        Move(At(b, 25));
        if (c.LeftHeld) Press(true);
        InjectMouseButton(mbRight, true);
        InjectMouseButton(mbRight, false);
        PumpUntilIdle();
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(StateOf(*b), "idle");
        EXPECT_FALSE(b->MouseCapture());
        if (c.LeftHeld) {
            Move(At(b, 25));
            Press(false);
        }
        EXPECT_EQ(TakeLog(), "");
        delete b;
    }
}

// OnDropDownClick runs a modal dialog, and the press's release goes to the dialog: the press
// is over when the dialog closes, and the next click elsewhere is a click.
TEST_F(ExplorerButton, AModalDialogFromOnDropDownClickEndsThePress) {
    TExplorerButton* b = Add(20, "b");
    TExplorerButton* c = Add(120, "c");
    b->SetDropDownStyle(ddsOffice);
    TForm dialog(nullptr);
    b->OnDropDownClick = [&](TObject*) {
        Log.push_back("drop b");
        dialog.ShowModal();
    };
    TModalScript script;
    script.Then([&] { InjectMouseButton(mbLeft, false); });
    script.Then([&] { dialog.SetModalResult(mrOk); });
    Move(At(b, -3));
    Press(true);
    EXPECT_FALSE(b->Pressed() || b->ArrowPressed());
    EXPECT_FALSE(b->MouseCapture());
    Click(c);
    EXPECT_EQ(TakeLog(), "drop b\nclick c\n");
}

TEST_F(ExplorerButton, AMenuAndAPanelExcludeEachOther) {
    TExplorerButton* b = Add(20, "b");
    TPopupMenu menu(nullptr);
    TExplorerPopup panel(nullptr);
    b->SetDropDownMenu(&menu);
    b->SetExplorerPopup(&panel);
    EXPECT_EQ(b->DropDownMenu(), nullptr);
    b->SetDropDownMenu(&menu);
    EXPECT_EQ(b->ExplorerPopup(), nullptr);
    EXPECT_EQ(b->DropDownMenu(), &menu);
    b->SetDropDownMenu(nullptr);
}

TEST_F(ExplorerButton, DisablingEndsAPress) {
    TExplorerButton* b = Add(10, "b");
    Move(At(b, 25));
    Press(true);
    b->SetEnabled(false);
    EXPECT_EQ(StateOf(*b), "idle");
    Press(false);
    EXPECT_EQ(TakeLog(), "");
}

// Writes From's form properties and reads them into Into, as a form file would.
void StoreAndLoad(TPersistent& From, TPersistent& Into) {
    TStringStream stored;
    TWriter(stored).WriteProperties(From);
    stored.Seek(0, soFromBeginning);
    TReader(stored).ReadProperties(Into);
}

// A button with a Width by Height picture, black but for one dark pixel at Dark, which its
// dimmed bitmap shows in clBtnShadow.
TExplorerButton* WithPicture(TExplorerButton* B, int32_t Width, int32_t Height, TPoint Dark) {
    TBitmap picture;
    picture.SetSize(Width, Height);
    picture.ScanLine(Dark.Y)[Dark.X] = 0x102030;
    B->SetBitmap(picture);
    return B;
}

TEST_F(ExplorerButton, KeepsItsDimmedBitmapWithTheForm) {
    TExplorerButton* b = WithPicture(Add(10, "b"), 4, 2, Point(2, 1));
    TExplorerButton copy(nullptr);
    StoreAndLoad(*b, copy);
    ASSERT_EQ(copy.DimmedBitmap().Width(), 4);
    EXPECT_EQ(copy.DimmedBitmap().ScanLine(1)[2] & 0xFFFFFF, ColorToPixel(clBtnShadow));
    EXPECT_EQ(copy.DimmedBitmap().ScanLine(0)[0] & 0xFFFFFF, 0xFFFFFFu);
}

// A dimmed bitmap wide enough that its picture takes the long string form of the stream.
TEST_F(ExplorerButton, KeepsAWideDimmedBitmapWithTheForm) {
    TExplorerButton* b = Add(10, "b");
    TBitmap picture;
    picture.SetSize(16384, 1);
    for (int32_t x = 1; x < 16384; ++x)
        picture.ScanLine(0)[x] = static_cast<uint32_t>(x * 2654435761u) & 0xFFFFFF;
    b->SetBitmap(picture);
    TExplorerButton copy(nullptr);
    StoreAndLoad(*b, copy);
    ASSERT_EQ(copy.DimmedBitmap().Width(), 16384);
    for (int32_t x : {0, 1, 5000, 16383})
        EXPECT_EQ(copy.DimmedBitmap().ScanLine(0)[x], b->DimmedBitmap().ScanLine(0)[x]) << x;
}

// Stands for a form file whose "IBitmap" is no picture.
class TBrokenDimmedBitmap : public TPersistent {
public:
    void DefineProperties(TFiler& Filer) override {
        Filer.DefineProperty(
            "IBitmap", nullptr, [](TWriter& Writer) { Writer.WriteString("not a picture"); }, true);
    }
};

TEST_F(ExplorerButton, ABrokenDimmedBitmapFailsToLoadAndKeepsTheOldOne) {
    TExplorerButton* b = WithPicture(Add(10, "b"), 3, 3, Point(1, 1));
    TBrokenDimmedBitmap broken;
    EXPECT_ANY_THROW(StoreAndLoad(broken, *b));
    ASSERT_EQ(b->DimmedBitmap().Width(), 3);
    EXPECT_EQ(b->DimmedBitmap().ScanLine(1)[1] & 0xFFFFFF, ColorToPixel(clBtnShadow));
}

}  // namespace
}  // namespace vex
