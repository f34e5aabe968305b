#include "platform/ui/listbox.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/lists_testsupport.h"
#include "platform/win/capture.h"
#include "platform/win/scrollbars.h"

namespace vex {
namespace {

using test::ClickAt;
using test::PressKey;
using test::RowHeight;
using test::TLog;

// A list box of Count items "item 0" ... on a shown form, focused, 6 rows tall.
struct TListFixture : test::TListScene {
    explicit TListFixture(int Count = 20, bool Focus = true) {
        List = Add<TListBox>(Form, Rect(10, 10, 110, 10 + 4 + 6 * RowHeight));
        List->SetName("List");
        List->Items().BeginUpdate();
        for (int i = 0; i < Count; ++i)
            List->Items().Add("item " + std::to_string(i));
        List->Items().EndUpdate();
        List->OnClick = [this](TObject*) { Log.push_back("click " + std::to_string(Index())); };
        List->OnDblClick = [this](TObject*) { Log.push_back("dblclick"); };
        List->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
            Log.push_back("mouseup");
        };
        if (Focus) List->SetFocus();
        Application().ProcessMessages();
    }
    int32_t Index() { return List->ItemIndex(); }
    TPoint RowPoint(int32_t Row) { return Point(20, Row * RowHeight + RowHeight / 2); }
    std::string Selection() {
        std::string s;
        for (int32_t i = 0; i < List->Items().Count(); ++i)
            if (List->Selected(i)) s += (s.empty() ? "" : " ") + std::to_string(i);
        return s;
    }

    TListBox* List = nullptr;
};

TEST(ListBox, ItemsChangedThroughTheStringsAreTheListsOwn) {
    TListFixture t(3);
    TObject marker;
    TStrings& items = t.List->Items();
    items.Insert(1, "inserted");
    items.SetObjects(1, &marker);
    items.Delete(0);
    items.SetStrings(2, "renamed");
    EXPECT_EQ(t.List->Perform(LB_GETCOUNT, 0, 0), 3);
    std::string text;
    EXPECT_EQ(t.List->Perform(LB_GETTEXT, 0, reinterpret_cast<LPARAM>(&text)), 8);
    EXPECT_EQ(text, "inserted");
    EXPECT_EQ(t.List->Perform(LB_GETITEMDATA, 0, 0), reinterpret_cast<LRESULT>(&marker));
    EXPECT_EQ(items.Text(), "inserted\r\nitem 1\r\nrenamed\r\n");
    EXPECT_EQ(items.IndexOf("ITEM 1"), 1);
    EXPECT_THROW(items.Delete(3), EStringListError);
    EXPECT_THROW(items.Strings(-1), EStringListError);
    EXPECT_EQ(t.List->Perform(LB_GETTEXT, 5, reinterpret_cast<LPARAM>(&text)), LB_ERR);
}

TEST(ListBox, ASortedListSortsWhatItHasAndPlacesWhatComes) {
    TListFixture t(0);
    t.List->Items().SetCommaText("pear,Fig,apple");
    t.List->SetSorted(true);
    t.List->Items().Add("banana");
    EXPECT_EQ(t.List->Items().CommaText(), "apple,banana,Fig,pear");
    t.List->Items().Insert(0, "zucchini");  // put where it is told, as the window does
    EXPECT_EQ(t.List->Items().Strings(0), "zucchini");
}

TEST(ListBox, KeysMoveTheSelectionAndScrollItIntoView) {
    const struct {
        std::vector<int32_t> Keys;
        int32_t Index;
        int32_t Top;
    } cases[] = {
        {{VK_DOWN}, 0, 0},  // nothing chosen yet: the first key takes the first item
        {{VK_DOWN, VK_DOWN, VK_DOWN}, 2, 0},
        {{VK_END}, 19, 14},
        {{VK_END, VK_UP, VK_HOME}, 0, 0},
        {{VK_NEXT}, 5, 0},
        {{VK_NEXT, VK_NEXT}, 10, 5},
        {{VK_END, VK_PRIOR}, 14, 14},
        {{VK_DOWN, VK_UP, VK_UP, VK_LEFT}, 0, 0},
        {{VK_DOWN, VK_RIGHT, VK_RIGHT}, 2, 0},
        {{'I', 'I'}, 1, 0},  // a character jumps to the next item that starts with it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Keys));
        TListFixture t;
        for (int32_t key : c.Keys)
            PressKey(key);
        EXPECT_EQ(t.Index(), c.Index);
        EXPECT_EQ(t.List->TopIndex(), c.Top);
    }
}

TEST(ListBox, AKeyThatMovesTheSelectionClicksAndOneThatDoesNotStaysQuiet) {
    TListFixture t;
    for (int32_t key : {VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_HOME})
        PressKey(key);
    EXPECT_EQ(t.Log, (TLog{"click 0", "click 1", "click 0"}));
}

TEST(ListBox, ATypedLetterFindsTheNextItemStartingWithItGoingRound) {
    TListFixture t(0);
    t.List->Items().SetCommaText("Bob,alice,Anna,bert,Carl");
    PressKey('B');
    EXPECT_EQ(t.Index(), 0);
    PressKey('B');
    EXPECT_EQ(t.Index(), 3);
    PressKey('B');
    EXPECT_EQ(t.Index(), 0);
    PressKey('Z');
    EXPECT_EQ(t.Index(), 0);
}

TEST(ListBox, AClickSelectsTellsOfItAndThenOfTheRelease) {
    TListFixture t;
    ClickAt(*t.List, Point(20, 3 * RowHeight + 1));
    // The chosen item again (too far from the first press to make a double click) still clicks.
    ClickAt(*t.List, Point(20, 3 * RowHeight + 10));
    EXPECT_EQ(t.Index(), 3);
    EXPECT_TRUE(t.List->Focused());
    EXPECT_EQ(t.Log, (TLog{"click 3", "mouseup", "click 3", "mouseup"}));
    t.Log.clear();
    ClickAt(*t.List, t.RowPoint(1), {}, 2);
    EXPECT_EQ(t.Log, (TLog{"click 1", "mouseup", "dblclick", "click 1", "mouseup"}));
    // Below the last item nothing is chosen.
    TListFixture few(2);
    ClickAt(*few.List, few.RowPoint(4));
    EXPECT_EQ(few.Index(), -1);
}

TEST(ListBox, DraggingCarriesTheSelectionAndScrollsAtTheEdge) {
    TListFixture t;
    test::DragBetween(*t.List, t.RowPoint(1), t.RowPoint(4));
    EXPECT_EQ(t.Index(), 4);
    test::DragBetween(*t.List, t.RowPoint(5), Point(20, 6 * RowHeight + 20));
    EXPECT_EQ(t.Index(), 6);
    EXPECT_EQ(t.List->TopIndex(), 1);
}

TEST(ListBox, TheWheelScrollsThreeRowsANotch) {
    TListFixture t;
    InjectMouseMove(t.List->ClientToScreen(t.RowPoint(2)));
    InjectMouseWheel(-WHEEL_DELTA);
    Application().ProcessMessages();
    EXPECT_EQ(t.List->TopIndex(), 3);
    InjectMouseWheel(2 * WHEEL_DELTA);
    Application().ProcessMessages();
    EXPECT_EQ(t.List->TopIndex(), 0);
}

// An extended selection: what each step leaves selected.
TEST(ListBox, ShiftAndCtrlExtendTheSelectionWithTheMouseAndTheKeys) {
    struct TStep {
        const char* Action;  // "click N", "shift click N", "ctrl click N", or a key
        std::vector<int32_t> Key;
        std::vector<int32_t> Modifiers;
        int32_t Row;
        const char* Selected;
    };
    const TStep steps[] = {
        {"click 2", {}, {}, 2, "2"},
        {"shift click 4", {}, {VK_SHIFT}, 4, "2 3 4"},
        {"shift click 1", {}, {VK_SHIFT}, 1, "1 2"},
        {"ctrl click 4", {}, {VK_CONTROL}, 4, "1 2 4"},
        {"ctrl click 1", {}, {VK_CONTROL}, 1, "2 4"},
        {"shift down", {VK_DOWN}, {VK_SHIFT}, 0, "1 2"},
        {"down", {VK_DOWN}, {}, 0, "3"},
        {"ctrl down", {VK_DOWN}, {VK_CONTROL}, 0, "3"},
        {"ctrl space", {VK_SPACE}, {VK_CONTROL}, 0, "3 4"},
        {"shift end", {VK_END}, {VK_SHIFT}, 0, "4 5 6 7 8 9"},
    };
    TListFixture t(10);
    t.List->SetMultiSelect(true);
    t.List->SetFocus();
    for (const TStep& s : steps) {
        SCOPED_TRACE(s.Action);
        if (s.Key.empty())
            ClickAt(*t.List, t.RowPoint(s.Row), s.Modifiers);
        else
            PressKey(s.Key[0], s.Modifiers);
        EXPECT_EQ(t.Selection(), s.Selected);
    }
    EXPECT_EQ(t.List->SelCount(), 6);
    EXPECT_EQ(t.Index(), 9);
}

TEST(ListBox, ASimpleMultipleSelectionTogglesWithClicksAndSpace) {
    TListFixture t(10);
    t.List->SetExtendedSelect(false);
    t.List->SetMultiSelect(true);
    t.List->SetFocus();
    ClickAt(*t.List, t.RowPoint(1));
    ClickAt(*t.List, t.RowPoint(3));
    PressKey(VK_DOWN);  // the caret moves alone
    PressKey(VK_SPACE);
    EXPECT_EQ(t.Selection(), "1 3 4");
    ClickAt(*t.List, t.RowPoint(3));
    EXPECT_EQ(t.Selection(), "1 4");
    t.List->SetSelected(0, true);
    EXPECT_EQ(t.List->SelCount(), 3);
    EXPECT_THROW(t.List->SetSelected(10, true), EListError);
}

TEST(ListBox, TheMessagesAnswerAsTheWindowDoes) {
    TListFixture t(0);
    t.List->Items().SetCommaText("Apple,Apricot,banana,Cherry,apex");
    TListBox& list = *t.List;
    auto text = [](const char* S) { return reinterpret_cast<LPARAM>(S); };
    const struct {
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
        LRESULT Result;
        int32_t Index;  // ItemIndex afterwards
    } cases[] = {
        {LB_SELECTSTRING, WPARAM(-1), text("ap"), 0, 0},
        {LB_SELECTSTRING, 0, text("AP"), 1, 1},
        {LB_SELECTSTRING, 1, text("ap"), 4, 4},
        {LB_SELECTSTRING, 4, text("ap"), 0, 0},  // round to the top
        {LB_SELECTSTRING, 0, text("kiwi"), LB_ERR, 0},
        {LB_FINDSTRING, 2, text("c"), 3, 0},
        {LB_FINDSTRINGEXACT, WPARAM(-1), text("APEX"), 4, 0},
        {LB_SETCURSEL, 2, 0, 2, 2},
        {LB_GETCURSEL, 0, 0, 2, 2},
        {LB_SETCURSEL, 9, 0, LB_ERR, -1},
        {LB_GETSEL, 2, 0, 0, -1},
        {LB_GETTEXTLEN, 1, 0, 7, -1},
        {LB_GETTEXTLEN, 5, 0, LB_ERR, -1},
        {LB_SETSEL, 1, 0, LB_ERR, -1},  // not a multiple selection
        {LB_GETSELCOUNT, 0, 0, LB_ERR, -1},
        {LB_DELETESTRING, 0, 0, 4, -1},
        {LB_INSERTSTRING, WPARAM(-1), text("zed"), 4, -1},
        {LB_INSERTSTRING, 7, text("far"), LB_ERR, -1},
        {LB_ADDSTRING, 0, text("fig"), 5, -1},
        {LB_GETCOUNT, 0, 0, 6, -1},
        {LB_RESETCONTENT, 0, 0, LB_OKAY, -1},
        {LB_GETCOUNT, 0, 0, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Msg) + " " + std::to_string(c.WParam));
        EXPECT_EQ(list.Perform(c.Msg, c.WParam, c.LParam), c.Result);
        EXPECT_EQ(list.ItemIndex(), c.Index);
    }
}

TEST(ListBox, TheTopIndexStaysWhereAWholePageOfItemsShows) {
    TListFixture t;
    const struct {
        int32_t Asked;
        LRESULT Result;
        int32_t Top;
    } cases[] = {
        {5, LB_OKAY, 5}, {19, LB_OKAY, 14}, {20, LB_ERR, 14}, {-1, LB_ERR, 14}, {0, LB_OKAY, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(t.List->Perform(LB_SETTOPINDEX, static_cast<WPARAM>(c.Asked), 0), c.Result);
        EXPECT_EQ(t.List->TopIndex(), c.Top) << c.Asked;
    }
    t.List->SetTopIndex(3);
    TRect r;
    EXPECT_EQ(t.List->Perform(LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r)), LB_OKAY);
    EXPECT_EQ(r, Rect(0, RowHeight, t.List->ClientWidth(), 2 * RowHeight));
    EXPECT_EQ(t.List->ItemAtPos(Point(5, 2 * RowHeight + 1), true), 5);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(t.List->Handle(), SB_VERT, info));
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(info.nPage, 6u);
    EXPECT_EQ(info.nPos, 3);
    t.List->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(t.List->TopIndex(), 8);
    t.List->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(t.List->TopIndex(), 14);
    // Deleting from the end pulls the top back so that the window stays full.
    for (int i = 0; i < 5; ++i)
        t.List->Items().Delete(t.List->Items().Count() - 1);
    EXPECT_EQ(t.List->TopIndex(), 9);
}

TEST(ListBox, ItsScrollBarScrollsARowAtTheArrowsAndAPageOnTheTrack) {
    TListFixture t;
    const int32_t bar = t.List->ClientWidth() + 8;
    ClickAt(*t.List, Point(bar, t.List->ClientHeight() - 4));
    EXPECT_EQ(t.List->TopIndex(), 1);
    ClickAt(*t.List, Point(bar, t.List->ClientHeight() - 24));
    EXPECT_EQ(t.List->TopIndex(), 6);
    ClickAt(*t.List, Point(bar, 4));
    EXPECT_EQ(t.List->TopIndex(), 5);
    EXPECT_EQ(t.Index(), -1);  // the bar chooses nothing
    EXPECT_EQ(GetCapture(), 0u);
}

TEST(ListBox, AnIntegralHeightCutsOffTheRowThatWouldNotShowWhole) {
    TListFixture t(3);
    t.List->SetIntegralHeight(true);
    t.List->SetHeight(4 + 5 * RowHeight + 7);
    EXPECT_EQ(t.List->ClientHeight(), 5 * RowHeight);
    t.List->SetIntegralHeight(false);
    t.List->SetHeight(4 + 5 * RowHeight + 7);
    EXPECT_EQ(t.List->ClientHeight(), 5 * RowHeight + 7);
}

TEST(ListBox, RowsOfVaryingHeightTakeWhatOnMeasureItemSays) {
    TListFixture t(0);
    t.List->SetStyle(lbOwnerDrawVariable);
    t.List->OnMeasureItem = [](TWinControl*, int32_t Index, int32_t& Height) {
        Height = 10 + 10 * (Index % 3);
    };
    for (int i = 0; i < 9; ++i)
        t.List->Items().Add(std::to_string(i));
    // 10, 20, 30, 10, 20, 30 ...: the client area (72) holds rows 0 to 2 and row 3 cut off.
    EXPECT_EQ(t.List->ItemRect(3), Rect(0, 60, t.List->ClientWidth(), 70));
    EXPECT_EQ(t.List->ItemAtPos(Point(5, 35), true), 2);
    EXPECT_EQ(t.List->Perform(LB_GETITEMHEIGHT, 2, 0), 30);
    t.List->SetTopIndex(8);
    EXPECT_EQ(t.List->TopIndex(), 6);  // 30 + 10 + 20 fit the 72 pixels; one more would not
    PressKey(VK_HOME);
    PressKey(VK_NEXT);
    EXPECT_EQ(t.List->TopIndex(), 0);
    // Heights a handler gets wrong are cut to what a row can be.
    t.List->OnMeasureItem = [](TWinControl*, int32_t Index, int32_t& Height) {
        Height = Index % 2 == 0 ? 100000 : -5;
    };
    t.List->Items().SetCommaText("huge,none");
    EXPECT_EQ(t.List->Perform(LB_GETITEMHEIGHT, 0, 0), TCustomListBox::MaxItemHeight);
    EXPECT_EQ(t.List->Perform(LB_GETITEMHEIGHT, 1, 0), 1);
}

// A row is at most 255 pixels high, whatever OnMeasureItem or ItemHeight ask for, so that the
// rows' places add up without overflowing.
TEST(ListBox, HugeRowHeightsAreCutToTheLargestARowMayHave) {
    TListFixture t(0);
    t.List->SetStyle(lbOwnerDrawVariable);
    t.List->OnMeasureItem = [](TWinControl*, int32_t, int32_t& Height) { Height = 1'500'000'000; };
    for (int i = 0; i < 3; ++i)
        t.List->Items().Add(std::to_string(i));
    EXPECT_EQ(t.List->Perform(LB_GETITEMHEIGHT, 1, 0), 255);
    EXPECT_EQ(t.List->ItemRect(2), Rect(0, 510, t.List->ClientWidth(), 765));
    PressKey(VK_END);
    EXPECT_EQ(t.List->TopIndex(), 2);
    t.List->Repaint();

    t.List->SetStyle(lbOwnerDrawFixed);
    t.List->SetItemHeight(INT32_MAX);
    EXPECT_EQ(t.List->ItemHeight(), 255);
    const int32_t top = (2 - t.List->TopIndex()) * 255;
    EXPECT_EQ(t.List->ItemRect(2), Rect(0, top, t.List->ClientWidth(), top + 255));
    EXPECT_EQ(t.List->ItemAtPos(Point(5, -5), true), -1);
    t.List->Repaint();
}

TEST(ListBox, AClickHandlerMayFreeTheList) {
    const struct {
        const char* Name;
        bool Multi;
        int Clicks;
        bool Drag;
        int FreedAt;  // the OnClick that frees it
    } cases[] = {
        {"a click on a single selection", false, 1, false, 1},
        {"a press on a multiple selection", true, 1, false, 1},
        {"a double click on a multiple selection", true, 2, false, 2},
        {"a drag over a multiple selection", true, 0, true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TListFixture t;
        t.List->SetMultiSelect(c.Multi);
        t.List->SetExtendedSelect(false);
        int clicks = 0;
        t.List->OnClick = [&](TObject*) {
            if (++clicks == c.FreedAt) delete t.List;
        };
        if (c.Drag)
            test::DragBetween(*t.List, t.RowPoint(1), t.RowPoint(3));
        else
            ClickAt(*t.List, t.RowPoint(1), {}, c.Clicks);  // under AddressSanitizer
        EXPECT_EQ(clicks, c.FreedAt);
    }
}

// Letting an item of a single selection go clears the selection only when it is that item; an
// index out of range raises either way, as Selected does.
TEST(ListBox, UnselectingAnotherItemOfASingleSelectionKeepsTheSelection) {
    TListFixture t(5);
    t.List->SetItemIndex(2);
    t.List->SetSelected(4, false);
    EXPECT_EQ(t.Index(), 2);
    EXPECT_THROW(t.List->SetSelected(9, false), EListError);
    EXPECT_THROW(t.List->SetSelected(-1, true), EListError);
    EXPECT_EQ(t.Index(), 2);
    t.List->SetSelected(2, false);
    EXPECT_EQ(t.Index(), -1);
    t.List->SetSelected(3, true);
    EXPECT_EQ(t.Index(), 3);
}

}  // namespace
}  // namespace vex
