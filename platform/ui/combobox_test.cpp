#include "platform/ui/combobox.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/comboboxlist.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/ui/screen.h"
#include "platform/win/capture.h"

namespace vex {
namespace {

using test::ClickAt;
using test::PressKey;
using test::RowHeight;
using test::TLog;

// A drop-down list of Count items "item 0" ... on a shown form, focused, and what it tells.
struct TComboFixture : test::TListScene {
    explicit TComboFixture(int Count = 20) {
        Combo = Add<TComboBox>(Form, Rect(10, 10, 130, 30));
        Combo->SetName("Combo");
        Combo->SetStyle(csDropDownList);
        for (int i = 0; i < Count; ++i)
            Combo->Items().Add("item " + std::to_string(i));
        Combo->OnClick = [this](TObject*) { Log.push_back("click"); };
        Combo->OnChange = [this](TObject*) {
            Log.push_back("change " + std::to_string(Combo->ItemIndex()) + " " + Combo->Text());
        };
        Combo->OnDropDown = [this](TObject*) { Log.push_back("dropdown"); };
        Combo->OnCloseUp = [this](TObject*) { Log.push_back("closeup"); };
        Combo->SetFocus();
        Application().ProcessMessages();
    }
    // The open list, which holds the mouse.
    TComboBoxList* List() { return dynamic_cast<TComboBoxList*>(FindControl(GetCapture())); }
    TPoint Face() { return Point(Combo->ClientWidth() / 2, Combo->ClientHeight() / 2); }
    TPoint Row(int32_t Row) { return Point(20, Row * RowHeight + RowHeight / 2); }

    TComboBox* Combo = nullptr;
};

TEST(ComboBox, TheFaceIsAsHighAsItsFontNeeds) {
    TComboFixture t;
    EXPECT_EQ(t.Combo->Height(), RowHeight + 8);
    t.Combo->SetHeight(60);
    EXPECT_EQ(t.Combo->Height(), RowHeight + 8);
}

TEST(ComboBox, ClosedTheKeysChangeTheItemAndTellOfIt) {
    const struct {
        std::vector<int32_t> Keys;
        int32_t Index;
        size_t Changes;
    } cases[] = {
        {{VK_DOWN}, 0, 1},       {{VK_DOWN, VK_DOWN, VK_UP}, 0, 3},
        {{VK_END}, 19, 1},       {{VK_END, VK_DOWN}, 19, 1},
        {{VK_NEXT}, 7, 1},       {{VK_END, VK_HOME, VK_UP}, 0, 2},
        {{'I', 'I', 'I'}, 2, 3}, {{VK_RETURN, VK_ESCAPE}, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Keys));
        TComboFixture t;
        for (int32_t key : c.Keys)
            PressKey(key);
        EXPECT_EQ(t.Combo->ItemIndex(), c.Index);
        EXPECT_EQ(t.Log.size(), 2 * c.Changes);
        EXPECT_FALSE(t.Combo->DroppedDown());
    }
    TComboFixture t;
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(t.Log, (TLog{"click", "change 0 item 0", "click", "change 1 item 1"}));
}

TEST(ComboBox, OpenTheKeysMoveThroughTheListAndEnterPicks) {
    TComboFixture t;
    t.Combo->SetItemIndex(3);
    PressKey(VK_DOWN, {VK_MENU});
    ASSERT_TRUE(t.Combo->DroppedDown());
    ASSERT_NE(t.List(), nullptr);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(t.List()->ItemIndex(), 5);
    EXPECT_EQ(t.Combo->ItemIndex(), 3);  // not chosen until picked
    PressKey(VK_RETURN);
    EXPECT_FALSE(t.Combo->DroppedDown());
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(t.Combo->ItemIndex(), 5);
    EXPECT_EQ(t.Log, (TLog{"dropdown", "click", "change 5 item 5", "closeup"}));
}

TEST(ComboBox, EscapeAndLosingTheFocusCloseTheListUnchanged) {
    TComboFixture t;
    t.Combo->SetItemIndex(2);
    PressKey(VK_F4);
    PressKey(VK_END);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(t.Combo->ItemIndex(), 2);
    EXPECT_EQ(t.Combo->Text(), "item 2");
    PressKey(VK_F4);
    PressKey(VK_DOWN);
    auto* other = t.Add<TComboBox>(t.Form, Rect(10, 100, 130, 120));
    other->SetFocus();
    Application().ProcessMessages();
    EXPECT_FALSE(t.Combo->DroppedDown());
    EXPECT_EQ(t.Combo->ItemIndex(), 2);
    EXPECT_EQ(t.Log, (TLog{"dropdown", "closeup", "dropdown", "closeup"}));
}

TEST(ComboBox, TheListShowsDropDownCountRowsBelowTheFaceOrAboveAtTheScreensFoot) {
    const struct {
        int Items;
        int32_t Top;
        int32_t Rows;
        bool Above;
    } cases[] = {{20, 10, 8, false}, {3, 10, 3, false}, {0, 10, 1, false}, {20, -1, 8, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Items);
        TComboFixture t(c.Items);
        if (c.Top < 0) t.Form->SetTop(Screen().Height() - 60);
        ClickAt(*t.Combo, t.Face());
        ASSERT_NE(t.List(), nullptr);
        const TPoint at = t.Form->ClientToScreen(Point(t.Combo->Left(), t.Combo->Top()));
        const TRect face = Rect(at.X, at.Y, at.X + t.Combo->Width(), at.Y + t.Combo->Height());
        const TRect list = t.List()->BoundsRect();
        EXPECT_EQ(list.Bottom - list.Top, c.Rows * RowHeight + 2);
        EXPECT_EQ(list.Left, face.Left);
        EXPECT_EQ(list.Right, face.Right);
        EXPECT_EQ(c.Above ? list.Bottom : list.Top, c.Above ? face.Top : face.Bottom);
    }
}

TEST(ComboBox, AClickOnAnItemPicksItAndAClickOutsideClosesTheList) {
    TComboFixture t;
    ClickAt(*t.Combo, t.Face());
    ASSERT_TRUE(t.Combo->DroppedDown());
    ClickAt(*t.List(), t.Row(4));
    EXPECT_FALSE(t.Combo->DroppedDown());
    EXPECT_EQ(t.Combo->Text(), "item 4");
    ClickAt(*t.Combo, t.Face());
    ClickAt(*t.Combo, Point(-30, 80));  // on the form, beside the list
    EXPECT_FALSE(t.Combo->DroppedDown());
    ClickAt(*t.Combo, t.Face());
    ClickAt(*t.Combo, t.Face());  // the face again closes it
    EXPECT_FALSE(t.Combo->DroppedDown());
    EXPECT_EQ(t.Combo->ItemIndex(), 4);
    EXPECT_EQ(t.Log, (TLog{"dropdown", "click", "change 4 item 4", "closeup", "dropdown", "closeup",
                           "dropdown", "closeup"}));
    EXPECT_EQ(GetCapture(), 0u);
}

TEST(ComboBox, APressOnTheFaceDraggedOntoAnItemPicksItOnRelease) {
    TComboFixture t;
    InjectMouseMove(t.Combo->ClientToScreen(t.Face()));
    InjectMouseButton(mbLeft, true);
    Application().ProcessMessages();
    ASSERT_TRUE(t.Combo->DroppedDown());
    InjectMouseMove(t.List()->ClientToScreen(t.Row(2)));
    InjectMouseButton(mbLeft, false);
    Application().ProcessMessages();
    EXPECT_FALSE(t.Combo->DroppedDown());
    EXPECT_EQ(t.Combo->ItemIndex(), 2);
    // Released on the face, the press leaves the list open for a click.
    ClickAt(*t.Combo, t.Face());
    EXPECT_TRUE(t.Combo->DroppedDown());
}

TEST(ComboBox, ATextChoosesTheItemItNames) {
    TComboFixture t(5);
    t.Combo->SetText("ITEM 3");
    EXPECT_EQ(t.Combo->ItemIndex(), 3);
    EXPECT_EQ(t.Combo->Text(), "item 3");
    t.Combo->SetText("nothing");
    EXPECT_EQ(t.Combo->ItemIndex(), -1);
    EXPECT_EQ(t.Combo->Text(), "");
    t.Combo->SetItemIndex(9);
    EXPECT_EQ(t.Combo->ItemIndex(), -1);
    t.Combo->SetItemIndex(1);
    t.Combo->Items().Delete(0);  // the chosen item moves up with the list
    EXPECT_EQ(t.Combo->ItemIndex(), 0);
    EXPECT_TRUE(t.Log.empty());
}

// A drop-down combo box: the fixture's, with an edit for any text.
struct TDropDownFixture : TComboFixture {
    TDropDownFixture() : TComboFixture(0) {
        Combo->SetStyle(csDropDown);
        Combo->Items().SetCommaText("Arial,Courier,\"Courier New\",Times");
        Combo->SetFocus();
        Application().ProcessMessages();
    }
};

TEST(ComboBox, ADropDownsEditTakesAnyTextAndChoosesTheItemItNames) {
    TDropDownFixture t;
    test::TypeText("cour");
    EXPECT_EQ(t.Combo->Text(), "cour");
    EXPECT_EQ(t.Combo->ItemIndex(), -1);
    test::TypeText("ier");
    EXPECT_EQ(t.Combo->ItemIndex(), 1);  // "courier" names "Courier", case aside
    EXPECT_EQ(t.Log.back(), "change 1 courier");
    EXPECT_EQ(t.Log.size(), 7u);  // a change for every character
    PressKey(VK_HOME);            // the edit's: the caret goes, the item stays
    PressKey(VK_LEFT);
    EXPECT_EQ(t.Combo->ItemIndex(), 1);
    PressKey(VK_DOWN);
    EXPECT_EQ(t.Combo->Text(), "Courier New");
    t.Combo->SetText("Verdana");
    EXPECT_EQ(t.Combo->Text(), "Verdana");
    EXPECT_EQ(t.Combo->ItemIndex(), -1);
    t.Combo->SetText("times");
    EXPECT_EQ(t.Combo->ItemIndex(), 3);
}

TEST(ComboBox, ADropDownsOpenListFollowsWhatIsTypedAndEnterPicksIt) {
    TDropDownFixture t;
    PressKey(VK_DOWN, {VK_MENU});
    ASSERT_TRUE(t.Combo->DroppedDown());
    test::TypeText("ti");
    EXPECT_EQ(t.List()->ItemIndex(), 3);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    EXPECT_FALSE(t.Combo->DroppedDown());
    EXPECT_EQ(t.Combo->Text(), "Courier New");
    // A press on the button opens the list; Escape closes it and keeps the text.
    ClickAt(*t.Combo, Point(t.Combo->ClientWidth() - 4, t.Combo->ClientHeight() / 2));
    EXPECT_TRUE(t.Combo->DroppedDown());
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(t.Combo->DroppedDown());
    EXPECT_EQ(t.Combo->Text(), "Courier New");
}

TEST(ComboBox, AFreedComboBoxTakesItsOpenListAndTheMouseWithIt) {
    TComboFixture t;
    PressKey(VK_F4);
    ASSERT_NE(GetCapture(), 0u);
    delete t.Combo;
    EXPECT_EQ(GetCapture(), 0u);
    Application().ProcessMessages();
}

TEST(ComboBox, ItemsEmptiedUnderTheOpenListLeaveNoChosenItem) {
    TComboFixture t;
    t.Combo->SetItemIndex(5);
    PressKey(VK_F4);
    ASSERT_TRUE(t.Combo->DroppedDown());
    t.Combo->Items().Clear();
    EXPECT_EQ(t.Combo->ItemIndex(), -1);
    t.Combo->Repaint();  // the face looks up no item past the end
    PressKey(VK_ESCAPE);
    EXPECT_EQ(t.Combo->ItemIndex(), -1);
}

TEST(ComboBox, AComboBoxHiddenByItsOnDropDownOpensNoList) {
    for (const bool form : {false, true}) {
        SCOPED_TRACE(form);
        TComboFixture t;
        t.Combo->OnDropDown = [&t, form](TObject*) {
            if (form)
                t.Form->Hide();
            else
                t.Combo->Hide();
        };
        PressKey(VK_F4);
        EXPECT_FALSE(t.Combo->DroppedDown());
        EXPECT_EQ(GetCapture(), 0u);
    }
}

TEST(ComboBox, TheListStaysOnTheScreenWhateverItsRowsAndWhereverTheFace) {
    const int32_t right = Screen().Width() - 60, foot = Screen().Height() - 60;
    const struct {
        const char* Name;
        int32_t DropDownCount;
        TPoint Form;
    } cases[] = {
        {"more rows than the screen holds", 100000, Point(10, 10)},
        {"more rows than fit above, at the foot", 100000, Point(10, foot)},
        {"at the right edge", 8, Point(right, 10)},
        {"left of the screen", 8, Point(-200000, 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TComboFixture t(1000);
        t.Combo->SetDropDownCount(c.DropDownCount);
        t.Form->SetBounds(c.Form.X, c.Form.Y, t.Form->Width(), t.Form->Height());
        PressKey(VK_F4);
        ASSERT_NE(t.List(), nullptr);
        const TRect list = t.List()->BoundsRect();
        EXPECT_GE(list.Left, 0);
        EXPECT_GE(list.Top, 0);
        EXPECT_LE(list.Right, Screen().Width());
        EXPECT_LE(list.Bottom, Screen().Height());
        EXPECT_GT(list.Bottom - list.Top, 8 * RowHeight);
    }
}

TEST(ComboBox, AFocusedComboBoxKeepsTheKeysAcrossAChangeOfStyle) {
    TDropDownFixture t;
    PressKey(VK_F4);
    t.Combo->SetStyle(csDropDownList);  // frees the edit that had the focus
    EXPECT_FALSE(t.Combo->DroppedDown());
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_TRUE(t.Combo->Focused());
    PressKey(VK_DOWN);
    EXPECT_EQ(t.Combo->Text(), "Arial");
    t.Combo->SetStyle(csDropDown);
    PressKey(VK_F4);
    EXPECT_TRUE(t.Combo->DroppedDown());
}

TEST(ComboBox, AnOnDropDownThatOpensTheListOpensItOnce) {
    TComboFixture t;
    int32_t calls = 0;
    t.Combo->OnDropDown = [&](TObject*) {
        ++calls;
        if (calls < 100) t.Combo->SetDroppedDown(true);
    };
    PressKey(VK_F4);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(t.Combo->DroppedDown());
    PressKey(VK_ESCAPE);
    EXPECT_EQ(GetCapture(), 0u);
}

TEST(ComboBox, TabWithTheListOpenClosesItAndMovesTheFocusOn) {
    for (const TComboBoxStyle style : {csDropDownList, csDropDown}) {
        SCOPED_TRACE(style);
        TComboFixture t;
        t.Combo->SetStyle(style);
        t.Combo->SetFocus();
        auto* next = t.Add<TComboBox>(t.Form, Rect(10, 100, 130, 120));
        next->SetStyle(csDropDownList);
        PressKey(VK_F4);
        ASSERT_TRUE(t.Combo->DroppedDown());
        PressKey(VK_TAB);
        EXPECT_FALSE(t.Combo->DroppedDown());
        EXPECT_TRUE(next->Focused());
        EXPECT_EQ(GetCapture(), 0u);
    }
}

TEST(ComboBox, EnterInTheOpenListKeepsATypedTextThatNamesNoItem) {
    const struct {
        const char* Typed;
        const char* Text;
        int32_t Index;
    } cases[] = {{"x", "x", -1}, {"", "", -1}, {"ti", "Times", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        TDropDownFixture t;
        t.Combo->SetItemIndex(2);
        PressKey(VK_F4);
        PressKey(VK_BACK);  // the selected text goes
        test::TypeText(c.Typed);
        PressKey(VK_RETURN);
        EXPECT_FALSE(t.Combo->DroppedDown());
        EXPECT_EQ(t.Combo->Text(), c.Text);
        EXPECT_EQ(t.Combo->ItemIndex(), c.Index);
    }
}

TEST(ComboBox, APressOfAnyButtonOutsideTheListClosesIt) {
    for (const TMouseButton button : {mbRight, mbMiddle}) {
        SCOPED_TRACE(button);
        TComboFixture t;
        PressKey(VK_F4);
        InjectMouseMove(t.List()->ClientToScreen(t.Row(3)));
        InjectMouseButton(button, true);  // in the list: nothing picked, still open
        InjectMouseButton(button, false);
        Application().ProcessMessages();
        EXPECT_TRUE(t.Combo->DroppedDown());
        InjectMouseMove(t.Combo->ClientToScreen(Point(-30, 80)));
        InjectMouseButton(button, true);
        InjectMouseButton(button, false);
        Application().ProcessMessages();
        EXPECT_FALSE(t.Combo->DroppedDown());
        EXPECT_EQ(GetCapture(), 0u);
        EXPECT_EQ(t.Combo->ItemIndex(), -1);
        EXPECT_EQ(t.Log, (TLog{"dropdown", "closeup"}));
    }
}

}  // namespace
}  // namespace vex
