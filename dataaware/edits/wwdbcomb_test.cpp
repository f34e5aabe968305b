#include "dataaware/edits/wwdbcomb.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dataaware/edits/wwdbcomb_testsupport.h"
#include "dataaware/edits/wwdbcombomaplist.h"
#include "platform/data/dbierrors.h"
#include "platform/ui/button.h"
#include "platform/ui/screen.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/virtualclock.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::PressKey;
using test::TBoundComboScene;
using test::TComboScene;
using test::TypeText;

using test::kFruit;

std::vector<std::string> Numbered(int Count) {
    std::vector<std::string> items;
    for (int i = 0; i < Count; ++i)
        items.push_back("Item " + std::to_string(i));
    return items;
}

TEST(DBComboBox, DropsDownCountRowsAtMostBelowItself) {
    struct TCase {
        int Items, DropDownCount, Rows;
    };
    for (const TCase& c : std::vector<TCase>{{20, 8, 8}, {3, 8, 3}, {3, 3, 3}, {0, 8, 0}}) {
        SCOPED_TRACE(testing::Message() << c.Items << " items, " << c.DropDownCount);
        TComboScene scene(Numbered(c.Items));
        scene.Combo->SetDropDownCount(c.DropDownCount);
        PressKey(VK_DOWN, {VK_MENU});
        ASSERT_TRUE(scene.ListShows());
        TRect list;
        GetWindowRect(scene.List().Handle(), list);
        EXPECT_EQ(list.Bottom - list.Top, c.Rows * test::RowHeight + 4);
        EXPECT_EQ(list.Right - list.Left, scene.Combo->Width());
        const TPoint corner = scene.Combo->ClientToScreen(Point(0, 0));
        EXPECT_EQ(list.Left, corner.X);
        EXPECT_EQ(list.Top, corner.Y + scene.Combo->Height() - 1);
        EXPECT_TRUE(scene.Combo->Focused()) << "the list never takes the focus";
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"); dir && c.Items == 20)
            SaveWindowPicture(scene.List().Handle(), std::string(dir) + "/combo-list.png");
    }
}

TEST(DBComboBox, OpensAboveAtTheScreensBottomAndRightAlignedAtItsEdge) {
    const int32_t screenW = Screen().Width(), screenH = Screen().Height();
    TComboScene scene(kFruit);
    scene.Form->SetBounds(screenW - 150, screenH - 80, 150, 80);
    scene.Combo->SetDropDownWidth(200);
    test::PumpUntilIdle();
    PressKey(VK_DOWN, {VK_MENU});
    ASSERT_TRUE(scene.ListShows());
    TRect list;
    GetWindowRect(scene.List().Handle(), list);
    const TPoint corner = scene.Combo->ClientToScreen(Point(0, 0));
    EXPECT_EQ(list.Bottom, corner.Y);
    EXPECT_EQ(list.Right, corner.X + scene.Combo->Width() - 1);
    EXPECT_EQ(list.Right - list.Left, 200);
}

TEST(DBComboBox, ASimpleComboHasNoButtonAndNeverOpens) {
    TComboScene scene(kFruit, csSimple);
    EXPECT_FALSE(scene.Combo->ShowButton());
    PressKey(VK_DOWN, {VK_MENU});
    scene.Combo->DropDown();
    EXPECT_FALSE(scene.ListShows());
    EXPECT_FALSE(scene.Combo->IsDroppedDown());
    scene.Combo->SetStyle(csDropDown);
    EXPECT_TRUE(scene.Combo->ShowButton());
}

TEST(DBComboBox, ShowMatchTextCompletesFromTheItems) {
    struct TCase {
        TComboBoxStyle Style;
        std::string Typed, Text, Selected;
    };
    const std::vector<TCase> cases = {
        {csDropDown, "MA", "Mango", "ngo"},
        {csDropDown, "ME", "Melon", "lon"},
        {csDropDown, "B", "Banana", "anana"},
        {csDropDown, "MX", "MX", ""},  // no item: the key is the edit's
        {csDropDownList, "MA", "Mango", "ngo"},
        {csDropDownList, "MX", "Mango", "ango"},  // no item: the key is dropped
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        TComboScene scene({"Apple", "Banana", "Mango", "Melon"}, c.Style);
        scene.Combo->SetShowMatchText(true);
        TypeText(c.Typed);
        EXPECT_EQ(scene.Combo->Text(), c.Text);
        EXPECT_EQ(scene.Combo->SelText(), c.Selected);
    }
}

TEST(DBComboBox, ALetterPicksTheNextItemStartingWithItGoingRoundOnce) {
    TComboScene scene(kFruit, csDropDownList);
    std::vector<std::string> shown;
    for (const char* key : {"M", "M", "M", "A", "Z", "9"}) {
        TypeText(key);
        shown.push_back(scene.Combo->Text());
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Mango", "Melon", "Mango", "Apple", "Apple", "Apple"}));
    TComboScene empty({}, csDropDownList);
    TypeText("M");
    PressKey(VK_DOWN);
    PressKey(VK_UP);
    EXPECT_EQ(empty.Combo->Text(), "");
    EXPECT_EQ(empty.Combo->ItemIndex(), -1);
}

TEST(DBComboBox, UpAndDownStepThroughTheClosedListWithinItsBounds) {
    TComboScene scene(kFruit, csDropDownList);
    std::vector<std::string> shown;
    for (int32_t key : {VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_UP, VK_END}) {
        PressKey(key);
        shown.push_back(scene.Combo->Text());
    }
    for (int i = 0; i < 6; ++i)
        PressKey(VK_DOWN);
    shown.push_back(scene.Combo->Text());
    EXPECT_EQ(shown, (std::vector<std::string>{"Apple", "Banana", "Apple", "Apple", "Apple",
                                               "Apple", "Melon"}));
    EXPECT_FALSE(scene.ListShows());
}

TEST(DBComboBox, EnterEscapeAndTabCloseTheListAndReachTheFormOnlyWhenClosed) {
    struct TCase {
        int32_t Key;
        bool Open;
        std::string Text;
        std::vector<std::string> Log;
    };
    const std::vector<TCase> cases = {
        {VK_ESCAPE, false, "Apple", {"cancel button"}},
        {VK_ESCAPE, true, "Apple", {"closed up, dropped"}},
        {VK_RETURN, true, "Banana", {"closed up, chosen"}},
        {VK_RETURN, false, "Apple", {"default button"}},
        {VK_TAB, true, "Banana", {"closed up, chosen"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Key << (c.Open ? " open" : " closed"));
        TComboScene scene(kFruit, csDropDownList);
        std::vector<std::string> log;
        for (bool cancel : {true, false}) {
            auto* button = scene.Add<TButton>(scene.Form, Rect(10, 100, 80, 125));
            (cancel ? button->SetCancel(true) : button->SetDefault(true));
            button->OnClick = [&log, cancel](TObject*) {
                log.push_back(cancel ? "cancel button" : "default button");
            };
        }
        scene.Combo->OnCloseUp = [&log](TwwDBComboBox*, bool Select) {
            log.push_back(Select ? "closed up, chosen" : "closed up, dropped");
        };
        PressKey(VK_DOWN);  // Apple
        if (c.Open) {
            PressKey(VK_DOWN, {VK_MENU});
            PressKey(VK_DOWN);  // Banana in the list
        }
        PressKey(c.Key);
        EXPECT_EQ(scene.Combo->Text(), c.Text);
        EXPECT_EQ(log, c.Log);
        EXPECT_FALSE(scene.ListShows());
    }
}

TEST(DBComboBox, AClickOnAnItemChoosesItAndTheFocusStays) {
    TComboScene scene(kFruit);
    scene.Combo->Button().Click();
    ASSERT_TRUE(scene.ListShows());
    scene.ClickRow(3);
    EXPECT_FALSE(scene.ListShows());
    EXPECT_EQ(scene.Combo->Text(), "Mango");
    EXPECT_EQ(scene.Combo->ItemIndex(), 3);
    EXPECT_TRUE(scene.Combo->Modified());
    EXPECT_TRUE(scene.Combo->Focused());
}

TEST(DBComboBox, AutoDropDownOpensOnTypingAndTheOpenListFollowsTheText) {
    // Capitals are typed with Shift held.
    for (const std::string first : {"m", "M"}) {
        SCOPED_TRACE(first);
        TComboScene scene(kFruit);
        scene.Combo->SetAutoDropDown(true);
        TypeText(first);
        ASSERT_TRUE(scene.ListShows());
        EXPECT_EQ(scene.Combo->Text(), first);
        EXPECT_EQ(scene.List().ItemIndex(), 3);
        TypeText("E");
        EXPECT_EQ(scene.Combo->Text(), first + "E");
        EXPECT_EQ(scene.List().ItemIndex(), 4);
        EXPECT_EQ(scene.List().SearchText(), first + "E");
        PressKey(VK_RETURN);
        EXPECT_EQ(scene.Combo->Text(), "Melon");
    }
}

TEST(DBComboBox, MapListShowsTheDisplayTextAndStoresTheValue) {
    TBoundComboScene bound({"Red\tR", "Green\tG", "Blue\tB"}, "Colour", csDropDownList);
    TwwDBComboBox& combo = bound.Combo();
    combo.SetMapList(true);
    EXPECT_EQ(combo.Text(), "Red") << "the field holds R";
    combo.Button().Click();
    ASSERT_TRUE(bound.Scene->ListShows());
    bound.Scene->ClickRow(2);
    EXPECT_EQ(combo.Text(), "Blue");
    EXPECT_EQ(bound.Stored("Colour"), "B");
    EXPECT_EQ(bound.Writes, 1);
    bound.Table.Post();
    EXPECT_EQ(bound.Writes, 1) << "the close-up wrote the field, the post has nothing more";
    bound.Table.Next();
    EXPECT_EQ(combo.Text(), "Green");
    bound.Table.First();
    EXPECT_EQ(combo.Text(), "Blue");
}

TEST(DBComboBox, AMapListShowsItsItemsAsTheyAreNowOnTheNextRecord) {
    TBoundComboScene bound({"Red\tR", "Green\tG"}, "Colour", csDropDownList);
    TwwDBComboBox& combo = bound.Combo();
    combo.SetMapList(true);
    const auto shownAfterAWalk = [&] {
        bound.Table.Next();
        bound.Table.First();
        return combo.Text();
    };
    combo.Items().Insert(0, "Blue\tB");
    EXPECT_EQ(shownAfterAWalk(), "Red") << "R moved down a place";
    combo.Items().SetStrings(1, "Scarlet\tR");
    EXPECT_EQ(shownAfterAWalk(), "Scarlet") << "its text rewritten";
    combo.SetSorted(true);
    EXPECT_EQ(shownAfterAWalk(), "Scarlet") << "sorted to the end";
    combo.Items().Add("Rose\tR");
    EXPECT_EQ(shownAfterAWalk(), "Rose") << "the first item storing R wins";
}

TEST(DBComboBox, AComboThatMayNotModifyKeepsItsValue) {
    for (bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        TBoundComboScene bound(kFruit, "Fruit", csDropDownList);
        TwwDBComboBox& combo = bound.Combo();
        combo.SetAllowClearKey(true);
        combo.SetReadOnly(readOnly);
        const std::string before = readOnly ? "Mango" : "";
        PressKey(VK_DELETE);
        EXPECT_EQ(combo.Text(), before);
        PressKey(VK_DOWN);
        EXPECT_EQ(combo.Text(), readOnly ? "Mango" : "Apple");
        PressKey(VK_UP);
        TypeText("B");
        EXPECT_EQ(combo.Text(), readOnly ? "Mango" : "Banana");
        EXPECT_EQ(bound.Table.State(), readOnly ? dsBrowse : dsEdit);
    }
}

}  // namespace
}  // namespace vex

namespace vex {
namespace {

TEST(DBComboBox, OwnerDrawnRowsAndTextGoThroughOnDrawItem) {
    TComboScene scene(kFruit, csOwnerDrawFixed);
    std::vector<std::string> drawn;
    scene.Combo->OnDrawItem = [&](TWinControl* Control, int32_t Index, TRect Rect,
                                  TOwnerDrawState State) {
        EXPECT_EQ(Control, scene.Combo);
        drawn.push_back(std::to_string(Index) + (State.Contains(odSelected) ? " selected" : ""));
        (void)Rect;
    };
    PressKey(VK_DOWN);  // Apple, in the edit
    test::PumpUntilIdle();
    EXPECT_EQ(drawn, std::vector<std::string>{"0"});
    drawn.clear();
    PressKey(VK_DOWN, {VK_MENU});
    test::PumpUntilIdle();
    // The edit shows itself open, then the list its rows.
    EXPECT_EQ(drawn, (std::vector<std::string>{"0", "0 selected", "1", "2", "3", "4"}));
}

TEST(DBComboBox, TheOwnerDrawnListGathersLettersUntilAPause) {
    TVirtualClock clock;
    TClockOverride useClock(clock);
    TComboScene scene(kFruit, csOwnerDrawFixed);
    PressKey(VK_DOWN, {VK_MENU});
    ASSERT_TRUE(scene.ListShows());
    TypeText("me");
    EXPECT_EQ(scene.List().SearchText(), "me");
    EXPECT_EQ(scene.List().ItemIndex(), 4);
    clock.Advance(1501);
    TypeText("a");
    EXPECT_EQ(scene.List().SearchText(), "a");
    EXPECT_EQ(scene.List().ItemIndex(), 0);
    PressKey(VK_BACK);
    EXPECT_EQ(scene.List().SearchText(), "");
    TypeText(std::string(40, 'm'));
    EXPECT_EQ(scene.List().SearchText(), std::string(32, 'm')) << "at most 32 characters";
    PressKey(VK_ESCAPE);
    PressKey(VK_DOWN, {VK_MENU});
    TypeText("b");
    EXPECT_EQ(scene.List().SearchText(), "b") << "a list opened again searches afresh";
    EXPECT_EQ(scene.List().ItemIndex(), 1);
}

TEST(DBComboBox, LosingTheFocusOrAClickElsewhereClosesKeepingTheChoice) {
    for (bool click : {false, true}) {
        SCOPED_TRACE(click ? "a click on another control" : "the focus moves");
        TComboScene scene(kFruit);
        auto* other = scene.Add<TwwDBComboBox>(scene.Form, Rect(10, 120, 130, 140));
        PressKey(VK_DOWN, {VK_MENU});
        PressKey(VK_DOWN);
        if (click)
            test::ClickAt(*other, Point(10, 5));
        else
            other->SetFocus();
        test::PumpUntilIdle();
        EXPECT_FALSE(scene.ListShows());
        EXPECT_EQ(scene.Combo->Text(), "Apple");
    }
}

TEST(DBComboBox, TheIndexAndTheOpenListFollowTheItemsWhenTheyChange) {
    struct TCase {
        const char* Name;
        bool Open;
        std::function<void(TStrings&)> Change;
        int32_t Index;
        std::string Text;
    };
    // Melon is chosen (closed) or marked in the list (open) when Items change.
    const std::vector<TCase> cases = {
        {"closed, its item deleted", false, [](TStrings& s) { s.Delete(4); }, -1, "Melon"},
        {"closed, an item put before", false, [](TStrings& s) { s.Insert(0, "Apricot"); }, 5,
         "Melon"},
        {"open, all cleared", true, [](TStrings& s) { s.Clear(); }, -1, ""},
        {"open, an item put before", true, [](TStrings& s) { s.Insert(0, "Apricot"); }, 5, "Melon"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TComboScene scene(kFruit, csDropDownList);
        if (c.Open) PressKey(VK_DOWN, {VK_MENU});
        for (int i = 0; i < 5; ++i)
            PressKey(VK_DOWN);
        c.Change(scene.Combo->Items());
        if (c.Open) PressKey(VK_RETURN);
        EXPECT_EQ(scene.Combo->ItemIndex(), c.Index);
        EXPECT_EQ(scene.Combo->Text(), c.Text);
    }
}

TEST(DBComboBox, MapListTurnedOnWhileOpenShowsAndChoosesDisplayTexts) {
    TComboScene scene({"Red\tR", "Blue\tB"});
    PressKey(VK_DOWN, {VK_MENU});
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    scene.Combo->SetMapList(true);
    EXPECT_EQ(scene.List().Items().Strings(1), "Blue");
    PressKey(VK_RETURN);
    EXPECT_EQ(scene.Combo->Text(), "Blue");
    EXPECT_EQ(scene.Combo->StoredValueOf(scene.Combo->Text()), "B");
}

TEST(DBComboBox, AChoiceTheFieldRefusesIsKeptAndTheRowStaysAsItWas) {
    TBoundComboScene bound(kFruit, "Fruit", csDropDownList);
    TwwDBComboBox& combo = bound.Combo();
    combo.SetShowHint(true);
    bound.Table.FieldByName("Fruit")->OnValidate = [](TField*, const std::string& Text) {
        if (Text == "Banana") throw EDatabaseError("No bananas");
    };
    combo.Button().Click();
    EXPECT_THROW(bound.Scene->ClickRow(1), EDatabaseError);
    EXPECT_FALSE(bound.Scene->ListShows());
    EXPECT_EQ(combo.Text(), "Banana");
    EXPECT_TRUE(combo.ShowHint()) << "the hint hidden while open shows again";
    EXPECT_THROW(bound.Table.Post(), EDatabaseError);
    bound.Table.Cancel();
    EXPECT_EQ(bound.Stored("Fruit"), "Mango");
    EXPECT_EQ(combo.Text(), "Mango");
}

TEST(DBComboBox, AComboWithoutAParentWindowDoesNotDropDown) {
    TwwDBComboBox combo(nullptr);
    combo.Items().Add("Apple");
    EXPECT_THROW(combo.DropDown(), std::exception);
    EXPECT_FALSE(combo.IsDroppedDown());
    EXPECT_EQ(combo.PopupList(), nullptr);
}

TEST(DBComboBox, EveryMapListRowStoresItsOwnValueAndShowsAgainFromIt) {
    // Two rows show Red; a value may hold a TAB; a row without a TAB stores nothing; a row may
    // show nothing.
    const std::vector<std::string> items = {"Red\tR",    "Red\tX", "Blue\tB",
                                            "Tab\tT\tU", "None",   "\tE"};
    const std::vector<std::string> stored = {"R", "X", "B", "T\tU", "", "E"};
    for (int32_t row = 0; row < static_cast<int32_t>(items.size()); ++row) {
        SCOPED_TRACE(items[row]);
        TBoundComboScene bound(items, "Colour", csDropDownList);
        TwwDBComboBox& combo = bound.Combo();
        combo.SetMapList(true);
        combo.Button().Click();
        bound.Scene->ClickRow(row);
        EXPECT_EQ(bound.Stored("Colour"), stored[row]);
        bound.Table.Post();
        bound.Table.Next();
        bound.Table.First();
        EXPECT_EQ(combo.ItemIndex(), row);
        EXPECT_EQ(combo.Text(), wwDisplayPart(items[row], true));
    }
}

TEST(DBComboBox, AComboFreedByTheChangeHandlersOfTheFieldsTextIsNotTouchedAfterwards) {
    const struct {
        const char* Name;
        TComboBoxStyle Style;
        std::vector<std::string> Items;
        bool MapList;
    } cases[] = {
        {"editable", csDropDown, {"R", "G"}, false},
        {"a list", csDropDownList, {"R", "G"}, false},
        {"a map list", csDropDownList, {"Red\tR", "Green\tG"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TBoundComboScene bound(c.Items, "Colour", c.Style);
        TwwDBComboBox* combo = &bound.Combo();
        combo->SetMapList(c.MapList);
        combo->SetItemIndex(1);  // showing another item than the field's R
        combo->OnChange = [at = &combo](TObject*) {
            TwwDBComboBox** const slot = at;  // the handler goes with the combo
            delete *slot;
            *slot = nullptr;
        };
        // New items show the field's value again.
        TStringList items;
        for (const std::string& item : c.Items)
            items.Add(item);
        combo->SetItems(items);
        EXPECT_EQ(combo, nullptr);
    }
}

TEST(DBComboBox, TheListIsDropDownWidthWideOrAsWideAsTheCombo) {
    for (const auto& [dropDownWidth, width] :
         std::vector<std::pair<int32_t, int32_t>>{{0, 120}, {-50, 120}, {200, 200}, {60, 60}}) {
        SCOPED_TRACE(dropDownWidth);
        TComboScene scene(kFruit);
        scene.Combo->SetDropDownWidth(dropDownWidth);
        PressKey(VK_DOWN, {VK_MENU});
        TRect list;
        GetWindowRect(scene.List().Handle(), list);
        EXPECT_EQ(list.Right - list.Left, width);
    }
}

}  // namespace
}  // namespace vex
