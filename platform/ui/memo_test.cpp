#include "platform/ui/memo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/edit_testsupport.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/updateregion.h"
#include "platform/win/windowpos.h"

namespace vex {
namespace {

// A focused memo on a shown form, in the fixed font: 6 pixels a character, rows of 12.
struct TMemoOnForm {
    test::TShownForm Shown{Rect(10, 10, 260, 210)};
    TMemo* Memo;
    explicit TMemoOnForm(const std::string& Text = "") {
        Shown.Form->Font().SetName(FixedFontName);
        Shown.Form->Font().SetHeight(-12);
        Memo = Shown.Add<TMemo>(Shown.Form, Rect(10, 10, 130, 80));
        Memo->SetName("Memo1");
        Memo->SetText(Text);
        Memo->SetFocus();
        test::ReleaseAllKeys();
    }
};

std::vector<std::string> LinesOf(TStrings& Lines) {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < Lines.Count(); ++i)
        lines.push_back(Lines[i]);
    return lines;
}

TEST(Memo, LinesAreAViewOfTheText) {
    struct TCase {
        const char* Name;
        std::string Text;
        std::function<void(TStrings&)> Change;
        std::string Expected;
    };
    const std::vector<TCase> cases = {
        {"add to nothing", "", [](TStrings& L) { L.Add("x"); }, "x\r\n"},
        {"add after a last line", "a\r\nb", [](TStrings& L) { L.Add("c"); }, "a\r\nb\r\nc"},
        {"add after a break", "a\r\n", [](TStrings& L) { L.Add("c"); }, "a\r\nc\r\n"},
        {"insert", "a\r\nb", [](TStrings& L) { L.Insert(1, "x"); }, "a\r\nx\r\nb"},
        {"delete", "a\r\nb\r\nc", [](TStrings& L) { L.Delete(1); }, "a\r\nc"},
        {"delete the last", "a\r\nb", [](TStrings& L) { L.Delete(1); }, "a\r\n"},
        {"put", "a\r\nb", [](TStrings& L) { L.SetStrings(0, "zz"); }, "zz\r\nb"},
        {"text", "old", [](TStrings& L) { L.SetText("p\nq"); }, "p\r\nq\r\n"},
        {"clear", "a\r\nb", [](TStrings& L) { L.Clear(); }, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TMemoOnForm on(c.Text);
        int changes = 0;
        on.Memo->OnChange = [&](TObject*) { ++changes; };
        c.Change(on.Memo->Lines());
        EXPECT_EQ(on.Memo->Text(), c.Expected);
        EXPECT_FALSE(on.Memo->Modified());
        EXPECT_GT(changes, 0);
    }
    TMemoOnForm on("one\r\ntwo\r\n");
    EXPECT_EQ(LinesOf(on.Memo->Lines()), (std::vector<std::string>{"one", "two"}));
    EXPECT_THROW(on.Memo->Lines().Strings(2), EStringListError);
    EXPECT_EQ(on.Memo->Lines().Text(), "one\r\ntwo\r\n");
}

TEST(Memo, TheProgramsLinesLeaveTheUsersChangesMarked) {
    TMemoOnForm on("one\r\n");
    on.Memo->Lines().Add("two");
    EXPECT_FALSE(on.Memo->Modified());
    test::DeliverKey(WM_CHAR, 'x');
    ASSERT_TRUE(on.Memo->Modified());
    on.Memo->Lines().Add("three");
    on.Memo->Lines().Delete(0);
    EXPECT_TRUE(on.Memo->Modified());

    // A memo freed by the change a line makes is left alone.
    TMemo* memo = on.Memo;
    memo->OnChange = [memo](TObject*) { delete memo; };
    memo->Lines().Add("four");
    EXPECT_EQ(on.Shown.Form->FindComponent("Memo1"), nullptr);
}

TEST(Memo, EnterAndTabAreTextOnlyWhenWanted) {
    TMemoOnForm on("ab");
    auto* next = on.Shown.Add<TMemo>(on.Shown.Form, Rect(10, 100, 130, 150));
    on.Memo->SetSelStart(1);
    test::TypeKey(VK_RETURN, '\r');
    EXPECT_EQ(on.Memo->Text(), "a\r\nb");
    test::TypeKey(VK_TAB, '\t');
    EXPECT_EQ(GetFocus(), next->Handle());
    on.Memo->SetFocus();
    on.Memo->SetWantTabs(true);
    on.Memo->SetWantReturns(false);
    test::TypeKey(VK_TAB, '\t');
    test::TypeKey(VK_RETURN, '\r');
    EXPECT_EQ(on.Memo->Text(), "a\r\n\tb");
    EXPECT_EQ(GetFocus(), on.Memo->Handle());
}

TEST(Memo, ArrowsKeepTheColumnAcrossShortLines) {
    TMemoOnForm on("abcdef\r\nab\r\nabcdef\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
    on.Memo->SetSelStart(5);
    test::TypeKey(VK_DOWN);
    EXPECT_EQ(on.Memo->TextBuffer().Caret(), (TEditPos{1, 2}));
    test::TypeKey(VK_DOWN);
    EXPECT_EQ(on.Memo->TextBuffer().Caret(), (TEditPos{2, 5}));
    {
        const test::TKeysHeld shift({VK_SHIFT});
        test::TypeKey(VK_UP);
    }
    EXPECT_EQ(on.Memo->SelText(), "\r\nabcde");
    test::TypeKey(VK_NEXT);
    // 5 rows show (70 pixels less the margins, 12 a row): a page down and the view follows.
    EXPECT_EQ(on.Memo->TextBuffer().Caret().Line, 6);
    EXPECT_EQ(on.Memo->TopLine(), 2);
    int downs = 0;
    on.Memo->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) {
        ++downs;
        if (Key == VK_UP) Key = 0;
    };
    test::TypeKey(VK_UP);
    EXPECT_EQ(on.Memo->TextBuffer().Caret().Line, 6);
    EXPECT_EQ(downs, 1);
}

TEST(Memo, AKeystrokeRepaintsOnlyItsLine) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    TMemoOnForm on(text);
    on.Memo->SetScrollBars(ssVertical);
    on.Memo->SetSelStart(on.Memo->TextBuffer().OffsetOf(TEditPos{2, 3}));
    test::PumpUntilIdle();
    TRect update;
    EXPECT_FALSE(GetUpdateRect(on.Memo->Handle(), update));
    test::TypeKey('X', 'x');
    ASSERT_TRUE(GetUpdateRect(on.Memo->Handle(), update));
    const TRect client = on.Memo->ClientRect();
    EXPECT_EQ(update, Rect(0, 1 + 2 * 12, client.Right, 1 + 3 * 12));
    test::PumpUntilIdle();
    test::TypeKey(VK_RETURN, '\r');  // the lines below move: down to the bottom
    ASSERT_TRUE(GetUpdateRect(on.Memo->Handle(), update));
    EXPECT_EQ(update, Rect(0, 1 + 2 * 12, client.Right, client.Bottom));
}

TEST(Memo, TheVerticalBarScrollsWithTheMouse) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    TMemoOnForm on(text);
    on.Memo->SetScrollBars(ssVertical);
    test::PumpUntilIdle();
    TRect window;
    GetWindowRect(on.Memo->Handle(), window);
    // The bar's down arrow, inside the sunken edge at the bottom right.
    const TPoint arrow = Point(window.Right - 8, window.Bottom - 8);
    InjectMouseMove(arrow);
    InjectMouseButton(mbLeft, true);
    test::PumpUntilIdle();
    InjectMouseButton(mbLeft, false);
    test::PumpUntilIdle();
    EXPECT_EQ(on.Memo->TopLine(), 1);
    on.Memo->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(on.Memo->TopLine(), 6);
    on.Memo->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, -WHEEL_DELTA)), 0);
    EXPECT_EQ(on.Memo->TopLine(), 9);
    on.Memo->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(on.Memo->TopLine(), 41 - 5);
    on.Memo->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, -WHEEL_DELTA)), 0);
    EXPECT_EQ(on.Memo->TopLine(), 41 - 5);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(on.Memo->Handle(), SB_VERT, info);
    EXPECT_EQ(info.nPos, 41 - 5);
    EXPECT_EQ(info.nMax, 40);
    EXPECT_EQ(info.nPage, 5u);
    // Brought back to the caret, the view takes the bar along.
    on.Memo->Perform(EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(on.Memo->TopLine(), 0);
    GetScrollInfo(on.Memo->Handle(), SB_VERT, info);
    EXPECT_EQ(info.nPos, 0);
}

TEST(Memo, TheThumbReachesEveryPartOfALongText) {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += std::to_string(i) + "\r\n";
    text += std::string(20000, 'w');
    TMemoOnForm on(text);
    on.Memo->SetWordWrap(false);
    on.Memo->SetScrollBars(ssBoth);
    struct TBar {
        UINT Msg;
        int Bar;
        std::function<int32_t(const TMemo&)> View;
    };
    const std::vector<TBar> bars = {
        {WM_VSCROLL, SB_VERT, [](const TMemo& M) { return M.TopLine(); }},
        {WM_HSCROLL, SB_HORZ, [](const TMemo& M) { return M.ScrollX(); }},
    };
    for (const TBar& bar : bars) {
        SCOPED_TRACE(bar.Bar);
        on.Memo->Perform(bar.Msg, SB_BOTTOM, 0);  // SB_RIGHT too
        const int32_t end = bar.View(*on.Memo);
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(on.Memo->Handle(), bar.Bar, info);
        EXPECT_LE(info.nMax, 0xFFFF);  // all a scroll message can carry
        on.Memo->Perform(bar.Msg, SB_TOP, 0);
        on.Memo->Perform(bar.Msg, static_cast<WPARAM>(MAKELONG(SB_THUMBPOSITION, info.nPos)), 0);
        EXPECT_NEAR(bar.View(*on.Memo), end, 1);
    }
}

TEST(Memo, WrapsAndLooksAsReviewed) {
    const test::TSteadyCaret steady;
    TMemoOnForm on(
        "A memo wraps its long lines at the edge.\r\nshort\r\n\tand tabs\r\n4\r\n5\r\n6\r\n7");
    on.Memo->SetScrollBars(ssVertical);
    on.Memo->SetSelStart(2);
    on.Memo->SetSelLength(4);
    EXPECT_EQ(on.Memo->TextBuffer().LineCount(), 7);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*on.Memo, VEX_TEST_DIR "/testdata/pictures",
                                                     "memo_wrap_bar"));
    on.Memo->SetWordWrap(false);
    on.Memo->SetSelStart(40);
    EXPECT_GT(on.Memo->ScrollX(), 0);

    // Unwrapped, the horizontal bar spans the widest line: 40 characters of 6 pixels.
    on.Memo->SetScrollBars(ssBoth);
    on.Memo->SetSelStart(0);
    test::PumpUntilIdle();
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(on.Memo->Handle(), SB_HORZ, info);
    EXPECT_EQ(info.nMax, 240);
    EXPECT_EQ(info.nPos, 0);
    on.Memo->Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    on.Memo->Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(on.Memo->ScrollX(), 12);
    on.Memo->Perform(WM_HSCROLL, SB_RIGHT, 0);
    GetScrollInfo(on.Memo->Handle(), SB_HORZ, info);
    EXPECT_EQ(info.nPos + static_cast<int32_t>(info.nPage), 241);
}

}  // namespace
}  // namespace vex
