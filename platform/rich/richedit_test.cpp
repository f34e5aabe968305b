#include "platform/rich/richedit.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/rich/richedit_testsupport.h"
#include "platform/rich/rtfreader.h"
#include "platform/ui/editmessages.h"
#include "platform/win/caret.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/scrollbars.h"
#include "platform/win/windowstyles.h"

namespace vex {
namespace {

using test::PressKey;
using test::TRichKey;
using test::TRichOnForm;

TEST(RichEdit, KeysMoveSelectAndEditAsTheTableSays) {
    struct TCase {
        const char* Name;
        std::string Text;
        int32_t Start, Length;
        std::vector<TRichKey> Keys;
        std::string Expected;
        int32_t SelStart, SelLength;
    };
    const std::vector<TCase> cases = {
        {"typed", "ab", 1, 0, {{'X', "S", 'X'}, {'y', "", 'y'}}, "aXyb", 3, 0},
        {"typed over a selection", "hello", 1, 3, {{'X', "S", 'X'}}, "hXo", 2, 0},
        {"shift right",
         "hello world",
         0,
         0,
         {{VK_RIGHT, "S"}, {VK_RIGHT, "S"}},
         "hello world",
         0,
         2},
        {"shift left from the end", "hello", 5, 0, {{VK_LEFT, "S"}}, "hello", 4, 1},
        {"ctrl right", "hello world", 0, 0, {{VK_RIGHT, "C"}}, "hello world", 6, 0},
        {"ctrl left", "hello world", 11, 0, {{VK_LEFT, "C"}}, "hello world", 6, 0},
        {"ctrl shift left", "hello world", 11, 0, {{VK_LEFT, "CS"}}, "hello world", 6, 5},
        {"ctrl right over a paragraph end", "ab\r\ncd", 2, 0, {{VK_RIGHT, "C"}}, "ab\r\ncd", 3, 0},
        {"home and end", "hello", 2, 0, {{VK_END, ""}}, "hello", 5, 0},
        {"shift home", "hello world", 5, 0, {{VK_HOME, "S"}}, "hello world", 0, 5},
        {"ctrl end", "ab\r\ncd", 0, 0, {{VK_END, "C"}}, "ab\r\ncd", 5, 0},
        {"ctrl shift home", "ab\r\ncd", 4, 0, {{VK_HOME, "CS"}}, "ab\r\ncd", 0, 4},
        {"down keeps the column",
         "abcd\r\nef\r\nghij",
         3,
         0,
         {{VK_DOWN, ""}, {VK_DOWN, ""}},
         "abcd\r\nef\r\nghij",
         11,
         0},
        {"up from the first line stays", "abc\r\nd", 1, 0, {{VK_UP, ""}}, "abc\r\nd", 1, 0},
        {"shift down", "abc\r\ndef", 1, 0, {{VK_DOWN, "S"}}, "abc\r\ndef", 1, 4},
        {"left onto a selection", "hello world", 2, 5, {{VK_LEFT, ""}}, "hello world", 2, 0},
        {"right onto a selection", "hello world", 2, 5, {{VK_RIGHT, ""}}, "hello world", 7, 0},
        {"delete", "hello", 1, 0, {{VK_DELETE, ""}}, "hllo", 1, 0},
        {"delete joins paragraphs", "ab\r\ncd", 2, 0, {{VK_DELETE, ""}}, "abcd", 2, 0},
        {"backspace", "hello", 3, 0, {{VK_BACK, "", '\b'}}, "helo", 2, 0},
        {"backspace at the start", "hello", 0, 0, {{VK_BACK, "", '\b'}}, "hello", 0, 0},
        {"ctrl backspace", "one two", 7, 0, {{VK_BACK, "C", '\x7F'}}, "one ", 4, 0},
        {"enter makes a paragraph", "ab", 1, 0, {{VK_RETURN, "", '\r'}}, "a\r\nb", 2, 0},
        {"tab is no character", "ab", 1, 0, {{VK_TAB, "", '\t'}}, "ab", 1, 0},
        {"ctrl a", "hello", 2, 0, {{'A', "C", '\x01'}}, "hello", 0, 5},
        {"ctrl z takes typing back",
         "ab",
         2,
         0,
         {{'c', "", 'c'}, {'d', "", 'd'}, {'Z', "C", '\x1A'}},
         "ab",
         2,
         0},
        {"ctrl y does it again, selected",
         "ab",
         2,
         0,
         {{'c', "", 'c'}, {'Z', "C", '\x1A'}, {'Y', "C", '\x19'}},
         "abc",
         2,
         1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on(c.Text);
        on.Edit->SetSelStart(c.Start);
        on.Edit->SetSelLength(c.Length);
        for (const TRichKey& key : c.Keys)
            PressKey(key);
        EXPECT_EQ(on.Edit->Text(), c.Expected);
        EXPECT_EQ(on.Edit->SelStart(), c.SelStart);
        EXPECT_EQ(on.Edit->SelLength(), c.SelLength);
    }
}

TEST(RichEdit, KeysFollowASelectionSetThroughTheEngine) {
    TRichOnForm on("one two three");
    on.Edit->SetSelStart(1);
    on.Edit->Engine().SetSel(4, 3);
    PressKey({VK_RIGHT, "S"});
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{4, 8}));
    on.Edit->Engine().SetSel(13, 0);
    on.Edit->Engine().ReplaceSelection(" four");
    test::TypeChars("!");
    EXPECT_EQ(on.Edit->Text(), "one two three four!");
}

// A selection the program sets forgets the column Up and Down were keeping.
TEST(RichEdit, UpAndDownFromASelectionTheProgramSetKeepItsColumn) {
    TRichOnForm on("abcdef\r\nabcdef\r\nabcdef");
    on.Edit->SetSelStart(5);
    PressKey({VK_DOWN, ""});
    EXPECT_EQ(on.Edit->SelStart(), 12);
    on.Edit->SetSelStart(8);
    PressKey({VK_DOWN, ""});
    EXPECT_EQ(on.Edit->SelStart(), 15);
    on.Edit->SetSelection({9, 10});
    PressKey({VK_UP, "S"});
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{3, 9}));
}

TEST(RichEdit, ThousandsOfRandomKeysAndClicksKeepEverythingInBounds) {
    TRichOnForm on("alpha beta\r\ngamma http://delta.example epsilon\r\n\r\nzeta");
    on.Edit->SetAutoUrlDetect(true);
    on.Edit->SetScrollBars(ssBoth);
    on.Edit->SetMaxLength(400);
    std::mt19937 random(7);
    const auto pick = [&](int N) { return std::uniform_int_distribution<int>(0, N - 1)(random); };
    const std::vector<TRichKey> keys = {
        {VK_LEFT, ""},         {VK_RIGHT, "S"},        {VK_UP, ""},        {VK_DOWN, "S"},
        {VK_HOME, ""},         {VK_END, "S"},          {VK_NEXT, ""},      {VK_PRIOR, "S"},
        {VK_LEFT, "C"},        {VK_RIGHT, "CS"},       {VK_DELETE, ""},    {VK_BACK, "", '\b'},
        {VK_RETURN, "", '\r'}, {'Z', "C", '\x1A'},     {'Y', "C", '\x19'}, {'X', "C", '\x18'},
        {'V', "C", '\x16'},    {'C', "C", '\x03'},     {'A', "C", '\x01'}, {'Q', "S", 'Q'},
        {' ', "", ' '},        {VK_BACK, "C", '\x7F'},
    };
    for (int step = 0; step < 3000; ++step) {
        const int what = pick(10);
        if (what < 7) {
            PressKey(keys[static_cast<size_t>(pick(static_cast<int>(keys.size())))]);
        } else {
            const LPARAM at = MAKELONG(pick(on.Edit->ClientWidth()), pick(on.Edit->ClientHeight()));
            const UINT msg = what == 7   ? WM_LBUTTONDOWN
                             : what == 8 ? WM_MOUSEMOVE
                                         : WM_LBUTTONDBLCLK;
            on.Edit->Perform(msg, MK_LBUTTON, at);
            if (pick(2) == 0) on.Edit->Perform(WM_LBUTTONUP, 0, at);
        }
        const int32_t length = on.Edit->Engine().TextLength();
        ASSERT_GE(on.Edit->SelStart(), 0);
        ASSERT_LE(on.Edit->SelStart() + on.Edit->SelLength(), length);
        ASSERT_LE(length, 400);
        ASSERT_EQ(on.Edit->Lines().Count() >= 0, true);
        const TPoint caret = on.Edit->PosFromChar(on.Edit->SelStart());
        if (on.Edit->SelLength() == 0) {
            ASSERT_EQ(on.Edit->CharFromPos(caret), on.Edit->SelStart());
        }
    }
    on.Edit->Perform(WM_LBUTTONUP, 0, 0);
    test::PumpUntilIdle();
}

TEST(RichEdit, ReturnsAndTabsAreTextOnlyWhenWanted) {
    TRichOnForm on("ab");
    on.Edit->SetWantTabs(true);
    on.Edit->SetWantReturns(false);
    on.Edit->SetSelStart(1);
    EXPECT_NE(on.Edit->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, 0);
    EXPECT_EQ(on.Edit->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    on.Edit->Perform(WM_CHAR, '\t', 0);
    on.Edit->Perform(WM_CHAR, '\r', 0);
    EXPECT_EQ(on.Edit->Text(), "a\tb");
}

TEST(RichEdit, TheMouseSetsTheCaretAndSelects) {
    TRichOnForm on("one two three");
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, on.At(5));
    on.Edit->Perform(WM_LBUTTONUP, 0, on.At(5));
    EXPECT_EQ(on.Edit->SelStart(), 5);
    EXPECT_EQ(on.Edit->SelLength(), 0);
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, on.At(9));
    on.Edit->Perform(WM_LBUTTONUP, 0, on.At(9));
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{5, 9}));
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, on.At(1));
    on.Edit->Perform(WM_MOUSEMOVE, MK_LBUTTON, on.At(6));
    on.Edit->Perform(WM_LBUTTONUP, 0, on.At(6));
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{1, 6}));
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, on.At(5));
    on.Edit->Perform(WM_LBUTTONUP, 0, on.At(5));
    on.Edit->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, on.At(5));
    EXPECT_EQ(on.Edit->SelText(), "two");
    on.Edit->Perform(WM_MOUSEMOVE, MK_LBUTTON, on.At(9));  // by words from the double click
    on.Edit->Perform(WM_LBUTTONUP, 0, on.At(9));
    EXPECT_EQ(on.Edit->SelText(), "two three");
}

TEST(RichEdit, ADragBelowTheTextScrollsItAndSelectsOn) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    TRichOnForm on(text);
    on.Edit->SetScrollBars(ssVertical);
    on.Edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, on.At(0));
    const LPARAM below = MAKELONG(10, on.Edit->ClientHeight() + 20);
    on.Edit->Perform(WM_MOUSEMOVE, MK_LBUTTON, below);
    for (int tick = 0; tick < 5; ++tick)
        on.Edit->Perform(WM_TIMER, 1, 0);
    on.Edit->Perform(WM_LBUTTONUP, 0, below);
    EXPECT_GT(on.Edit->FirstVisibleLine(), 0);
    EXPECT_EQ(on.Edit->SelStart(), 0);
    EXPECT_GT(on.Edit->SelLength(), 0);
    EXPECT_EQ(on.Edit->LineFromChar(on.Edit->SelLength()),
              on.Edit->LineFromChar(on.Edit->CharFromPos(Point(10, on.Edit->ClientHeight() - 1))));
}

TEST(RichEdit, PlacingTheCaretAtAPointMovesItThere) {
    TRichOnForm on("one two");
    const TPoint p = on.Edit->PosFromChar(4);
    on.Edit->PlaceCaretAt(Point(p.X + 1, p.Y + 2));
    EXPECT_EQ(on.Edit->SelStart(), 4);
    EXPECT_EQ(on.Edit->CharFromPos(p), 4);
}

TEST(RichEdit, ReadOnlyRefusesTheUsersEditsButNotTheProgramsOnes) {
    TRichOnForm on("abc");
    on.Edit->SetReadOnly(true);
    on.Edit->SetSelStart(1);
    test::TypeChars("xy\b");
    PressKey({VK_DELETE, ""});
    on.Edit->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(on.Edit->Text(), "abc");
    EXPECT_FALSE(on.Edit->Modified());
    on.Edit->SetSelText("Z");
    EXPECT_EQ(on.Edit->Text(), "aZbc");
    PressKey({'Z', "C", '\x1A'});
    EXPECT_EQ(on.Edit->Text(), "aZbc");
    on.Edit->Undo();  // the program's undo
    EXPECT_EQ(on.Edit->Text(), "abc");
    on.Edit->Lines().Add("more");
    EXPECT_EQ(on.Edit->Text(), "abc\r\nmore");
}

TEST(RichEdit, MaxLengthStopsTheUserButNotTheProgram) {
    TRichOnForm on("abc");
    on.Edit->SetMaxLength(5);
    on.Edit->SetSelStart(3);
    test::TypeChars("defg");
    EXPECT_EQ(on.Edit->Text(), "abcde");
    on.Edit->SetSelText("XYZ");
    EXPECT_EQ(on.Edit->Text(), "abcdeXYZ");
    test::TypeChars("\b");  // deleting is still allowed above the limit
    EXPECT_EQ(on.Edit->Text(), "abcdeXY");

    // 0 is the platform's limit of 32767 characters.
    TRichOnForm full(std::string(32766, 'a'));
    full.Edit->SetSelStart(32766);
    test::TypeChars("bc");
    EXPECT_EQ(full.Edit->Engine().TextLength(), 32767);
}

// Protected text: "keep" in "ab keep cd" protected.
struct TProtectedCase {
    const char* Name;
    uint32_t Mask;
    int Handler;  // 0 none, 1 allows, 2 refuses
    bool Changed;
    int Asked;
};

TEST(RichEdit, ProtectedTextAsksBeforeTheUserChangesIt) {
    const std::vector<TProtectedCase> cases = {
        {"no handler refuses", ENM_PROTECTED, 0, false, 0},
        {"a handler allows", ENM_PROTECTED, 1, true, 1},
        {"a handler refuses", ENM_PROTECTED, 2, false, 1},
        {"without the mask it is edited freely", 0, 2, true, 0},
    };
    for (const TProtectedCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on("ab keep cd");
        on.Edit->SetSelStart(3);
        on.Edit->SetSelLength(4);
        on.Edit->SelAttributes().SetProtected(true);
        on.Edit->SetEventMask(c.Mask);
        int asked = 0;
        TCharRange range;
        if (c.Handler != 0)
            on.Edit->OnProtectChange = [&](TObject*, int32_t Start, int32_t End, bool& Allow) {
                ++asked;
                range = TCharRange{Start, End};
                EXPECT_FALSE(Allow);
                Allow = c.Handler == 1;
            };
        on.Edit->SetSelStart(5);
        PressKey({VK_DELETE, ""});
        EXPECT_EQ(on.Edit->Text() != "ab keep cd", c.Changed);
        EXPECT_EQ(asked, c.Asked);
        if (c.Asked > 0) {
            EXPECT_EQ(range, (TCharRange{5, 6}));
        }
    }
}

TEST(RichEdit, TypingNextToProtectedTextIsFree) {
    TRichOnForm on("ab keep cd");
    on.Edit->SetSelStart(3);
    on.Edit->SetSelLength(4);
    on.Edit->SelAttributes().SetProtected(true);
    on.Edit->SetSelStart(2);
    test::TypeChars("x");
    on.Edit->SetSelStart(5);
    test::TypeChars("y");  // inside: refused
    EXPECT_EQ(on.Edit->Text(), "abx keep cd");
    on.Edit->SetText("first\r\n");
    on.Edit->SetSelStart(on.Edit->Engine().TextLength());
    on.Edit->SelAttributes().SetProtected(true);
    test::TypeChars("kept");
    on.Edit->SelectAll();
    PressKey({VK_DELETE, ""});  // the protected word is in the range
    EXPECT_EQ(on.Edit->Text(), "first\r\nkept");
    test::SetClipboardText("before");
    PressKey({'X', "C", '\x18'});  // a cut that may not remove copies nothing
    EXPECT_EQ(on.Edit->Text(), "first\r\nkept");
    EXPECT_EQ(test::ClipboardText(), "before");
}

TEST(RichEdit, AnEditWhoseProtectedTextAHandlerChangedIsDropped) {
    struct TCase {
        const char* Name;
        std::function<void(TRichEdit&)> Handler;
        test::TRichKey Key;
        std::string Expected;
    };
    // "keep" and "lock" are protected; the user edits at 5, inside "keep".
    const std::vector<TCase> cases = {
        {"text put before it, then Delete",
         [](TRichEdit& E) {
             E.SetSelStart(0);
             E.SetSelText("LOG ");
         },
         {VK_DELETE, ""},
         "LOG ab keep cd lock"},
        {"text put before it, then a character typed",
         [](TRichEdit& E) {
             E.SetSelStart(0);
             E.SetSelText("LOG ");
         },
         {'X', "S", 'X'},
         "LOG ab keep cd lock"},
        {"the selection moved onto other protected text, then a character typed",
         [](TRichEdit& E) {
             E.SetSelStart(15);
             E.SetSelLength(4);
         },
         {'X', "S", 'X'},
         "ab keep cd lock"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on("ab keep cd lock");
        for (const int32_t start : {3, 15}) {
            on.Edit->SetSelStart(start);
            on.Edit->SetSelLength(4);
            on.Edit->SelAttributes().SetProtected(true);
        }
        on.Edit->SetEventMask(on.Edit->EventMask() | ENM_PROTECTED);
        bool asked = false;
        on.Edit->OnProtectChange = [&](TObject*, int32_t, int32_t, bool& Allow) {
            if (std::exchange(asked, true)) return;  // the handler's own edit is not asked
            c.Handler(*on.Edit);
            Allow = true;
        };
        on.Edit->SetSelStart(5);
        PressKey(c.Key);
        EXPECT_TRUE(asked);
        EXPECT_EQ(on.Edit->Text(), c.Expected);
    }
}

TEST(RichEdit, NoticesComeOncePerChangeAndOnlyWhenAskedFor) {
    TRichOnForm on("one two");
    int changes = 0;
    int selections = 0;
    on.Edit->OnChange = [&](TObject*) { ++changes; };
    on.Edit->OnSelectionChange = [&](TObject*) { ++selections; };
    // The window's own mask asks for both.
    EXPECT_NE(on.Edit->EventMask() & ENM_CHANGE, 0u);
    on.Edit->SetSelStart(3);
    EXPECT_EQ(selections, 1);
    on.Edit->SetSelStart(3);
    EXPECT_EQ(selections, 1);  // no change, no notice
    test::TypeChars("x");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(selections, 2);
    on.Edit->SetSelLength(2);
    EXPECT_EQ(selections, 3);
    test::TypeChars("\b");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(selections, 4);
    on.Edit->Lines().SetText("a\r\nb\r\nc\r\n");
    EXPECT_EQ(changes, 3);

    const int selectionsBefore = selections;
    on.Edit->SetEventMask(on.Edit->EventMask() & ~(ENM_CHANGE | ENM_SELCHANGE));
    test::TypeChars("yz");
    on.Edit->SetSelStart(0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(selections, selectionsBefore);
}

TEST(RichEdit, AHandlerMayFreeTheControl) {
    struct TCase {
        const char* Name;
        std::function<void(TRichEdit&)> Act;
    };
    const std::vector<TCase> cases = {
        {"typing", [](TRichEdit&) { test::TypeChars("x"); }},
        {"a move",
         [](TRichEdit&) {
             PressKey({VK_DOWN, "S"});
         }},
        {"a click", [](TRichEdit& E) { E.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(20, 5)); }},
        {"a paste", [](TRichEdit& E) { E.PasteFromClipboard(); }},
        {"a drag",
         [](TRichEdit& E) {
             E.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(2, 2));
             E.Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELONG(30, 20));
         }},
    };
    int freed = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const bool onChange : {true, false}) {
            TRichOnForm on("some text\r\nmore");
            test::SetClipboardText("pasted");
            TRichEdit* edit = on.Edit;
            (onChange ? edit->OnChange : edit->OnSelectionChange) = [edit](TObject*) {
                delete edit;
            };
            c.Act(*edit);
            if (on.Shown.Form->FindComponent("RichEdit1") != nullptr) continue;  // nothing fired
            ++freed;
            test::TypeChars("y");
            test::PumpUntilIdle();
        }
    }
    // Typing and pasting change the text; every act changes the selection.
    EXPECT_EQ(freed, 7);
}

TEST(RichEdit, ResizeRequestsFollowTheTextsHeight) {
    TRichOnForm on("one");
    std::vector<int32_t> heights;
    on.Edit->OnResizeRequest = [&](TObject*, TRect R) { heights.push_back(R.Bottom - R.Top); };
    test::TypeChars("x");
    EXPECT_TRUE(heights.empty());  // the same height
    test::TypeChars("\r");
    ASSERT_EQ(heights.size(), 1u);
    EXPECT_EQ(heights[0], on.Edit->Layout().Height());
}

TEST(RichEdit, AVerticalBarStaysDisabledWhenScrollBarsAreNotHidden) {
    TRichOnForm on("short");
    on.Edit->SetScrollBars(ssVertical);
    on.Edit->SetHideScrollBars(false);
    TScrollBarState state;
    ASSERT_TRUE(GetScrollBarState(on.Edit->Handle(), SB_VERT, state));
    EXPECT_TRUE(state.Visible);
    EXPECT_EQ(state.DisabledArrows, ESB_DISABLE_BOTH);

    on.Edit->SetHideScrollBars(true);
    ASSERT_TRUE(GetScrollBarState(on.Edit->Handle(), SB_VERT, state));
    EXPECT_FALSE(state.Visible);

    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line\r\n";
    on.Edit->SetText(text);
    ASSERT_TRUE(GetScrollBarState(on.Edit->Handle(), SB_VERT, state));
    EXPECT_TRUE(state.Visible);
    EXPECT_EQ(state.DisabledArrows, ESB_ENABLE_BOTH);
    int32_t min = 0, max = 0, pos = 0;
    on.Edit->GetVertScroll(min, max, pos);
    EXPECT_EQ(max, on.Edit->Layout().Height() - 1);
    on.Edit->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    on.Edit->GetVertScroll(min, max, pos);
    EXPECT_GT(pos, 0);
    EXPECT_GT(on.Edit->FirstVisibleLine(), 0);
}

// A WPARAM of two 16-bit words, the high one maybe negative.
WPARAM Words(int Low, int High) {
    return static_cast<WPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(High)) << 16) |
                               static_cast<uint16_t>(Low));
}

TEST(RichEdit, ScrollMessagesMoveTheViewAsTheTableSays) {
    struct TCase {
        const char* Name;
        UINT Msg;
        WPARAM WParam;
        int32_t FirstLine;  // -1: the last page's
    };
    const std::vector<TCase> cases = {
        {"line down", WM_VSCROLL, SB_LINEDOWN, 11},
        {"line up", WM_VSCROLL, SB_LINEUP, 9},
        {"page up", WM_VSCROLL, SB_PAGEUP, 0},  // a page is 116 pixels here
        {"top", WM_VSCROLL, SB_TOP, 0},
        {"bottom", WM_VSCROLL, SB_BOTTOM, -1},
        {"thumb", WM_VSCROLL, Words(SB_THUMBPOSITION, 12 * 20), 20},
        {"thumb past the end", WM_VSCROLL, Words(SB_THUMBTRACK, 0xFFFF), -1},
        {"wheel down", WM_MOUSEWHEEL, Words(0, -WHEEL_DELTA), 13},
        {"wheel up twice", WM_MOUSEWHEEL, Words(0, 2 * WHEEL_DELTA), 4},
        {"something else", WM_VSCROLL, SB_ENDSCROLL, 10},
    };
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on(text);
        on.Edit->SetScrollBars(ssVertical);
        const TRichLayout& layout = on.Edit->Layout();
        ASSERT_EQ(layout.Line(1).Top, 12);  // the fixed font's lines
        on.Edit->Perform(WM_VSCROLL, Words(SB_THUMBPOSITION, 12 * 10), 0);
        ASSERT_EQ(on.Edit->FirstVisibleLine(), 10);
        on.Edit->Perform(c.Msg, c.WParam, 0);
        const int32_t page = on.Edit->FormattingRect().Bottom - on.Edit->FormattingRect().Top;
        const int32_t last = layout.LineAtY(layout.Height() - page);
        EXPECT_EQ(on.Edit->FirstVisibleLine(), c.FirstLine < 0 ? last : c.FirstLine);
        int32_t min = 0, max = 0, pos = 0;
        on.Edit->GetVertScroll(min, max, pos);
        EXPECT_EQ(GetScrollPos(on.Edit->Handle(), SB_VERT), pos);
    }
}

TEST(RichEdit, WithoutWrapTheHorizontalBarScrollsSideways) {
    TRichOnForm on(std::string(200, 'w'));
    on.Edit->SetWordWrap(false);
    on.Edit->SetScrollBars(ssBoth);
    const int32_t width = on.Edit->Layout().Widest();
    EXPECT_EQ(width, 6 * 200);
    const auto x = [&] { return on.Edit->PosFromChar(0).X; };
    const int32_t left = x();
    on.Edit->Perform(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_LT(x(), left);
    on.Edit->Perform(WM_HSCROLL, SB_RIGHT, 0);
    const int32_t page = on.Edit->FormattingRect().Right - on.Edit->FormattingRect().Left;
    EXPECT_EQ(left - x(), width - page + 1);
    on.Edit->Perform(WM_HSCROLL, SB_PAGELEFT, 0);
    on.Edit->Perform(WM_HSCROLL, SB_LINELEFT, 0);
    on.Edit->Perform(WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(x(), left);
    on.Edit->Perform(WM_HSCROLL, Words(SB_THUMBPOSITION, 60), 0);
    EXPECT_EQ(left - x(), 60);
}

// Past 65,535 pixels the bars go in steps; the thumb dragged to where the end shows must
// still bring the end into view, on both bars.
TEST(RichEdit, TheThumbReachesEveryPartOfALongDocument) {
    std::string text;
    for (int i = 0; i < 6000; ++i)
        text += std::to_string(i) + "\r\n";
    text += std::string(20000, 'w');
    TRichOnForm on(text);
    on.Edit->SetWordWrap(false);
    on.Edit->SetScrollBars(ssBoth);
    ASSERT_GT(on.Edit->Layout().Height(), 0xFFFF);
    ASSERT_GT(on.Edit->Layout().Widest(), 0xFFFF);
    const struct {
        UINT Msg;
        int Bar;
        std::function<int32_t()> View;
    } bars[] = {
        {WM_VSCROLL, SB_VERT, [&] { return -on.Edit->PosFromChar(0).Y; }},
        {WM_HSCROLL, SB_HORZ, [&] { return -on.Edit->PosFromChar(0).X; }},
    };
    for (const auto& bar : bars) {
        SCOPED_TRACE(bar.Bar);
        on.Edit->Perform(bar.Msg, SB_BOTTOM, 0);  // SB_RIGHT too
        const int32_t end = bar.View();
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(on.Edit->Handle(), bar.Bar, info));
        EXPECT_LE(info.nMax, 0xFFFF);
        on.Edit->Perform(bar.Msg, SB_TOP, 0);
        on.Edit->Perform(bar.Msg, Words(SB_THUMBPOSITION, info.nPos), 0);
        EXPECT_NEAR(bar.View(), end, 1);  // one step of the bar at most
    }
}

TEST(RichEdit, TheWindowTextIsTheDocuments) {
    TRichOnForm on("one\r\ntwo");
    TControl& control = *on.Edit;
    EXPECT_EQ(control.Text(), "one\r\ntwo");
    control.SetText("new");
    EXPECT_EQ(on.Edit->Text(), "new");
    EXPECT_EQ(on.Edit->Perform(WM_GETTEXTLENGTH, 0, 0), 3);
}

TEST(RichEdit, TheCaretIsKeptInView) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    TRichOnForm on(text);
    PressKey({VK_END, "C"});
    const TPoint caret = on.Edit->PosFromChar(on.Edit->SelStart());
    EXPECT_GE(caret.Y, 0);
    EXPECT_LT(caret.Y, on.Edit->ClientHeight());
    EXPECT_GT(on.Edit->FirstVisibleLine(), 0);
    PressKey({VK_HOME, "C"});
    EXPECT_EQ(on.Edit->FirstVisibleLine(), 0);
    // A page down moves the view and the caret by a page.
    PressKey({VK_NEXT, ""});
    const int32_t page = on.Edit->FirstVisibleLine();
    EXPECT_GT(page, 3);
    EXPECT_EQ(on.Edit->LineFromChar(on.Edit->SelStart()), page);
    PressKey({VK_PRIOR, "S"});
    EXPECT_EQ(on.Edit->FirstVisibleLine(), 0);
    EXPECT_EQ(on.Edit->SelStart(), 0);
    EXPECT_EQ(on.Edit->LineFromChar(on.Edit->SelLength()), page);

    // Deleting text near the end leaves no empty page below it.
    PressKey({VK_END, "C"});
    on.Edit->SetSelStart(on.Edit->LineIndex(5));
    on.Edit->SetSelLength(on.Edit->Engine().TextLength());
    PressKey({VK_DELETE, ""});
    EXPECT_EQ(on.Edit->FirstVisibleLine(), 0);
}

TEST(RichEdit, TheCaretAndTheViewFollowTheLinesWhenWrapChanges) {
    struct TCase {
        const char* Name;
        std::function<void(TRichEdit&)> Change;
    };
    const std::vector<TCase> cases = {
        {"wrap turned off", [](TRichEdit& E) { E.SetWordWrap(false); }},
        {"wrap turned off and on again",
         [](TRichEdit& E) {
             E.SetWordWrap(false);
             E.SetWordWrap(true);
         }},
    };
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "word ";
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on(text);
        PressKey({VK_END, "C"});
        PressKey({VK_LEFT, ""});
        c.Change(*on.Edit);
        TPoint caret;
        ASSERT_TRUE(GetCaretPos(caret));
        EXPECT_EQ(caret, on.Edit->PosFromChar(on.Edit->SelStart()));
        // The view holds no empty page below the text.
        EXPECT_LE(on.Edit->PosFromChar(0).Y, 0);
        EXPECT_GE(on.Edit->PosFromChar(on.Edit->Engine().TextLength()).Y, 0);
    }
}

TEST(RichEdit, WithoutWrapTheViewScrollsSideways) {
    TRichOnForm on(std::string(100, 'w') + " end");
    on.Edit->SetWordWrap(false);
    EXPECT_EQ(on.Edit->GetLineCount(), 1);
    PressKey({VK_END, ""});
    const TPoint caret = on.Edit->PosFromChar(on.Edit->SelStart());
    EXPECT_GE(caret.X, 0);
    EXPECT_LT(caret.X, on.Edit->ClientWidth());
    on.Edit->SetWordWrap(true);
    EXPECT_GT(on.Edit->GetLineCount(), 1);
}

TEST(RichEdit, TheFormattingRectangleDecidesTheWrap) {
    TRichOnForm on("aaaa bbbb cccc dddd");
    const TRect wide = on.Edit->FormattingRect();
    on.Edit->SetFormattingRect(Rect(wide.Left, wide.Top, wide.Left + 6 * 10, wide.Bottom));
    EXPECT_EQ(on.Edit->GetLineCount(), 2);
    EXPECT_EQ(on.Edit->GetLine(0), "aaaa bbbb ");
    EXPECT_EQ(on.Edit->LineIndex(1), 10);
    EXPECT_EQ(on.Edit->LineLength(12), 9);
    // A target device of an inch: 96 pixels, 16 characters.
    on.Edit->SetTargetWidth(1440);
    EXPECT_EQ(on.Edit->GetLine(0), "aaaa bbbb cccc ");
    on.Edit->SetTargetWidth(0);
    EXPECT_EQ(on.Edit->GetLineCount(), 2);
}

TEST(RichEdit, FarOutRectanglesAndWidthsAreHeldWithinReach) {
    TRichOnForm on("some words to wrap");
    for (const TRect& r : {Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
                           Rect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN)}) {
        on.Edit->SetFormattingRect(r);
        EXPECT_GE(on.Edit->GetLineCount(), 1);
        on.Edit->CharFromPos(Point(INT32_MAX, INT32_MIN));
        test::PumpUntilIdle();
    }
    on.Edit->SetTargetWidth(INT32_MAX);
    EXPECT_EQ(on.Edit->GetLineCount(), 1);
    EXPECT_EQ(on.Edit->GetTextRange(INT32_MIN, INT32_MAX), "some words to wrap");
    EXPECT_EQ(on.Edit->GetTextRange(5, -1), "words to wrap");
    EXPECT_EQ(on.Edit->GetTextRange(9, 2), "");
}

TEST(RichEdit, TheFormattingRectangleLaysOutOnlyWhenItChangesAndWhenAsked) {
    TRichOnForm on("one\r\ntwo\r\nthree");
    const TRichLayout& layout = on.Edit->Layout();
    layout.Update();
    const int64_t before = layout.ParagraphsLaidOut();
    on.Edit->SetFormattingRect(on.Edit->FormattingRect());
    on.Edit->SetFormattingRect(on.Edit->FormattingRect());
    layout.Update();
    EXPECT_EQ(layout.ParagraphsLaidOut(), before);
    TRect narrower = on.Edit->FormattingRect();
    narrower.Right -= 10;
    on.Edit->SetFormattingRect(narrower);
    EXPECT_EQ(layout.ParagraphsLaidOut(), before);  // not yet: nothing asked
    EXPECT_EQ(on.Edit->GetLineCount(), 3);
    EXPECT_EQ(layout.ParagraphsLaidOut(), before + 3);
}

TEST(RichEdit, TypingLaysOutOnlyItsParagraph) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "paragraph " + std::to_string(i) + "\r\n";
    TRichOnForm on(text);
    test::PumpUntilIdle();
    const int64_t before = on.Edit->Layout().ParagraphsLaidOut();
    on.Edit->SetSelStart(5);
    test::TypeChars("abc");
    test::PumpUntilIdle();
    EXPECT_LE(on.Edit->Layout().ParagraphsLaidOut() - before, 3);
}

TEST(RichEdit, StreamsReadAndWriteRtfAndTextWholeOrSelected) {
    struct TCase {
        const char* Name;
        std::string In;
        uint32_t Format;
        std::string Text;
        bool Undoable;
    };
    const std::vector<TCase> cases = {
        {"rtf", "{\\rtf1 new {\\b bold}}", SF_RTF, "new bold", false},
        {"text", "line 1\r\nline 2", SF_TEXT, "line 1\r\nline 2", false},
        {"rtf into the selection", "{\\rtf1 X}", SF_RTF | SFF_SELECTION, "oXe", true},
        {"text into the selection", "Y\r\n", SF_TEXT | SFF_SELECTION, "oY\r\ne", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on("one");
        on.Edit->SetSelStart(1);
        on.Edit->SetSelLength(1);
        int changes = 0;
        on.Edit->OnChange = [&](TObject*) { ++changes; };
        on.Edit->StreamIn(c.In, c.Format);
        EXPECT_EQ(on.Edit->Text(), c.Text);
        EXPECT_EQ(on.Edit->CanUndo(), c.Undoable);
        EXPECT_EQ(changes, 1);
    }
    TRichOnForm on("one");
    EXPECT_THROW(on.Edit->StreamIn("not rtf", SF_RTF), ERtfError);
    EXPECT_EQ(on.Edit->Text(), "one");

    on.Edit->StreamIn("{\\rtf1 plain {\\b bold}}", SF_RTF);
    on.Edit->SetSelStart(6);
    on.Edit->SetSelLength(4);
    const std::string selected = on.Edit->StreamOut(SF_RTF | SFF_SELECTION);
    EXPECT_NE(selected.find("\\b"), std::string::npos);
    EXPECT_EQ(selected.find("plain"), std::string::npos);
    EXPECT_EQ(on.Edit->StreamOut(SF_TEXT), "plain bold");
    EXPECT_EQ(on.Edit->StreamOut(SF_TEXT | SFF_SELECTION), "bold");
}

TEST(RichEdit, TheDocumentOutlivesItsWindow) {
    TRichOnForm on("kept");
    on.Edit->SelectAll();
    on.Edit->SelAttributes().SetStyle(TFontStyles{fsBold});
    on.Edit->SetScrollBars(ssBoth);  // a new window
    EXPECT_EQ(on.Edit->Text(), "kept");
    EXPECT_TRUE(on.Edit->SelAttributes().Style().Contains(fsBold));
}

}  // namespace
}  // namespace vex
