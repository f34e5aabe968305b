#include "components/entry/OvcEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "components/entry/editor_testsupport.h"
#include "platform/win/clipboard.h"
#include "platform/win/scrollbars.h"
#include "platform/win/systemmetrics.h"

namespace vex {
namespace {

using test::SetTextOf;
using test::TextOf;
using Form = test::TEditorForm<>;

constexpr uint16_t ccChar = 249;

struct TCommandCase {
    const char* Name;
    const char* Text;
    int32_t Line, Col;
    std::vector<uint16_t> Commands;
    const char* Expected;
    int32_t ExpectedLine, ExpectedCol;
};

TEST(OvcEditor, CommandsEditAndMoveAsTheTableSays) {
    const TCommandCase cases[] = {
        {"backspace", "abc", 1, 4, {ccBack}, "ab", 1, 3},
        {"backspace at a line start joins", "ab\ncd", 2, 1, {ccBack}, "abcd", 1, 3},
        {"backspace at the very start", "ab", 1, 1, {ccBack}, "ab", 1, 1},
        {"delete at a line end joins", "ab\ncd", 1, 3, {ccDel}, "abcd", 1, 3},
        {"delete word and its blanks", "hello  world", 1, 1, {ccDelWord}, "world", 1, 1},
        {"delete to the line end", "hello world", 1, 6, {ccDelEol}, "hello", 1, 6},
        {"delete to the line start", "hello world", 1, 7, {ccDelBol}, "world", 1, 1},
        {"delete a line", "a\nb\nc", 2, 1, {ccDelLine}, "a\nc", 2, 1},
        {"delete the last line", "a\nb", 2, 1, {ccDelLine}, "a\n", 2, 1},
        {"new line splits", "ab", 1, 2, {ccNewLine}, "a\nb", 2, 1},
        {"new line drops blanks before the split", "a  b", 1, 4, {ccNewLine}, "a\nb", 2, 1},
        {"word right", "foo, bar", 1, 1, {ccWordRight}, "foo, bar", 1, 6},
        {"word left", "foo, bar", 1, 9, {ccWordLeft}, "foo, bar", 1, 6},
        {"word left at a line start", "ab\ncd", 2, 1, {ccWordLeft}, "ab\ncd", 1, 3},
        {"right past the end goes on", "ab\ncd", 1, 3, {ccRight}, "ab\ncd", 2, 1},
        {"left at a line start goes back", "ab\ncd", 2, 1, {ccLeft}, "ab\ncd", 1, 3},
        {"end and home", "abc", 1, 2, {ccEnd}, "abc", 1, 4},
        {"last page", "a\nbcd", 1, 1, {ccLastPage}, "a\nbcd", 2, 4},
        {"selection then delete",
         "abcdef",
         1,
         2,
         {ccExtendRight, ccExtendRight, ccDel},
         "adef",
         1,
         2},
        {"undo a deletion", "abc", 1, 1, {ccDel, ccDel, ccUndo}, "abc", 1, 1},
        {"redo it", "abc", 1, 1, {ccDel, ccUndo, ccRedo}, "bc", 1, 1},
    };
    Form f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SetTextOf(*f.Editor, c.Text, c.Line, c.Col);
        for (const uint16_t command : c.Commands)
            EXPECT_TRUE(f.Editor->ExecuteCommand(command, 0));
        EXPECT_EQ(TextOf(*f.Editor), c.Expected);
        EXPECT_EQ(f.Editor->CaretLine(), c.ExpectedLine);
        EXPECT_EQ(f.Editor->CaretCol(), c.ExpectedCol);
    }
}

TEST(OvcEditor, TypingInsertsOrOverwritesAndUndoesAsOneRecord) {
    Form f;
    SetTextOf(*f.Editor, "abcd", 1, 2);
    for (const char ch : std::string("xyz"))
        f.Editor->ExecuteCommand(ccChar, ch);
    EXPECT_EQ(TextOf(*f.Editor), "axyzbcd");
    f.Editor->ExecuteCommand(ccUndo, 0);
    EXPECT_EQ(TextOf(*f.Editor), "abcd");

    f.Editor->SetInsertMode(false);
    f.Editor->SetCaretPosition(1, 3);
    f.Editor->ExecuteCommand(ccChar, 'Q');
    f.Editor->ExecuteCommand(ccChar, 'R');
    f.Editor->ExecuteCommand(ccChar, 'S');
    EXPECT_EQ(TextOf(*f.Editor), "abQRS") << "over the end it inserts";
}

TEST(OvcEditor, AutoIndentStartsTheNewLineAtTheIndentation) {
    struct {
        TTabType Tabs;
        const char* Text;
        int32_t Col;
        const char* Expected;
        int32_t Col2;
    } cases[] = {
        {ttFixed, "    ab", 7, "    ab\n    ", 5},
        {ttReal, "\t  ab", 6, "\t  ab\n\t  ", 4},
        {ttFixed, "  ab", 2, "\n  ab", 2},  // the blanks before the caret go
    };
    Form f;
    f.Editor->SetAutoIndent(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        f.Editor->SetTabType(c.Tabs);
        SetTextOf(*f.Editor, c.Text, 1, c.Col);
        f.Editor->ExecuteCommand(ccNewLine, 0);
        EXPECT_EQ(TextOf(*f.Editor), c.Expected);
        EXPECT_EQ(f.Editor->CaretCol(), c.Col2);
    }
}

TEST(OvcEditor, TheThreeTabModes) {
    struct {
        TTabType Tabs;
        const char* Text;
        int32_t Line, Col;
        const char* Expected;
    } cases[] = {
        {ttReal, "ab", 1, 2, "a\tb"},
        {ttFixed, "ab", 1, 3, "ab      "},
        {ttFixed, "", 1, 1, "        "},
        {ttSmart, "abc   def\nx", 2, 2, "abc   def\nx     "},
        {ttSmart, "abc\nx", 2, 2, "abc\nx       "},  // nothing above: a fixed tab
    };
    Form f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        f.Editor->SetTabType(c.Tabs);
        SetTextOf(*f.Editor, c.Text, c.Line, c.Col);
        f.Editor->ExecuteCommand(ccTab, 0);
        EXPECT_EQ(TextOf(*f.Editor), c.Expected);
    }
}

TEST(OvcEditor, ReadOnlyMovesSelectsAndCopiesButChangesNothing) {
    Form f;
    SetTextOf(*f.Editor, "abc\ndef", 1, 1);
    f.Editor->SetReadOnly(true);
    int changes = 0;
    f.Editor->OnChange = [&](TObject*) { ++changes; };
    const uint32_t beeps = MessageBeepCount();
    for (const uint16_t command : {ccExtendRight, ccExtendRight, ccCopy, ccDel, ccBack, ccCut,
                                   ccDelLine, ccPaste, ccTab, ccNewLine, ccUndo, ccRedo})
        EXPECT_TRUE(f.Editor->ExecuteCommand(command, 0));
    f.Editor->ExecuteCommand(ccChar, 'x');
    EXPECT_EQ(TextOf(*f.Editor), "abc\ndef");
    EXPECT_EQ(f.Editor->CaretLine(), 2) << "a new line only moves the caret";
    EXPECT_EQ(MessageBeepCount() - beeps, 2u) << "undo and redo beep";
    EXPECT_EQ(changes, 0);
    ASSERT_TRUE(OpenClipboard(0));
    ASSERT_NE(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(*GetClipboardData(CF_TEXT), "ab");
    CloseClipboard();
}

TEST(OvcEditor, ClipboardCopiesParagraphsJoinedByCrLfAndPastesThemBack) {
    Form f;
    SetTextOf(*f.Editor, "one\ntwo\nthree", 1, 2);
    f.Editor->SetSelection(1, 2, true, 3, 3);
    f.Editor->CutToClipboard();
    EXPECT_EQ(TextOf(*f.Editor), "oree");
    f.Editor->ExecuteCommand(ccEnd, 0);
    f.Editor->PasteFromClipboard();
    EXPECT_EQ(TextOf(*f.Editor), "oreene\ntwo\nth");
    EXPECT_EQ(f.Editor->CaretLine(), 3);
    EXPECT_EQ(f.Editor->CaretCol(), 3);
}

TEST(OvcEditor, LongTextGoesInInPiecesThatDoNotCutLines) {
    Form f;
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += std::string(999, static_cast<char>('a' + i % 26)) + "\r\n";
    ASSERT_GT(text.size(), 4 * PasteChunk);
    SetTextOf(*f.Editor, "");
    EXPECT_EQ(f.Editor->InsertText(text), 0);
    ASSERT_EQ(f.Editor->GetParaCount(), 301);
    for (int i = 1; i <= 300; ++i)
        ASSERT_EQ(f.Editor->GetPara(i), std::string(999, static_cast<char>('a' + (i - 1) % 26)));
    EXPECT_EQ(f.Editor->GetPara(301), "");
}

TEST(OvcEditor, AThreeLineFileInAWrappedEditorHasFourLines) {
    Form f;
    f.Editor->SetWordWrap(true);
    for (const char* line : {"alpha", "beta", "gamma"})
        EXPECT_EQ(f.Editor->AppendPara(line), 0);
    EXPECT_EQ(f.Editor->GetLineCount(), 4);
    std::string s = "x";
    f.Editor->GetLine(4, s);
    EXPECT_EQ(s, "");
    f.Editor->GetLine(2, s);
    EXPECT_EQ(s, "beta");
    EXPECT_THROW(f.Editor->GetLine(5, s), EInvalidLineOrPara);
    EXPECT_THROW(f.Editor->GetLine(0, s), EInvalidLineOrPara);
}

TEST(OvcEditor, AppendingLinesLeavesTheViewAndTheCaretsWhereTheyWere) {
    Form f;
    auto* other = f.Form.Add<TOvcCustomEditor>(f.Form.Form, Rect(8, 170, 208, 250));
    other->Attach(f.Editor);
    for (int i = 0; i < 50; ++i)
        f.Editor->AppendPara("line");
    for (TOvcCustomEditor* e : {f.Editor, other}) {
        EXPECT_EQ(e->GetTopLine(), 1);
        EXPECT_EQ(e->CaretLine(), 1);
        EXPECT_FALSE(e->HasSelection());
    }
}

TEST(OvcEditor, GetLineExpandsTabsAndAppendParaSplitsLongLinesAtBlanks) {
    Form f;
    f.Editor->SetParaLengthLimit(10);
    EXPECT_EQ(f.Editor->AppendPara("a\tbc\tdefghij klmno"), 0);
    std::string s;
    f.Editor->GetLine(1, s);
    EXPECT_EQ(s, "a       bc") << "cut after its last blank, then trimmed";
    f.Editor->GetLine(2, s);
    EXPECT_EQ(s, "defghij");
    f.Editor->GetLine(3, s);
    EXPECT_EQ(s, "klmno");
}

TEST(OvcEditor, SetTopLineChecksItsLineAndStopsAtTheLastPage) {
    Form f;
    for (int i = 0; i < 50; ++i)
        f.Editor->AppendPara("line");
    const int32_t visible = f.Editor->VisibleLines();
    EXPECT_THROW(f.Editor->SetTopLine(0), EInvalidLineOrPara);
    EXPECT_THROW(f.Editor->SetTopLine(52), EInvalidLineOrPara);
    std::vector<int32_t> seen;
    f.Editor->OnTopLineChanged = [&](TObject*, int32_t Line) { seen.push_back(Line); };
    f.Editor->SetTopLine(51);
    EXPECT_EQ(f.Editor->GetTopLine(), 51 - visible + 1);
    f.Editor->SetTopLine(3);
    EXPECT_EQ(f.Editor->GetTopLine(), 3);
    EXPECT_EQ(seen, (std::vector<int32_t>{51 - visible + 1, 3}));
}

TEST(OvcEditor, TheVerticalScrollBarIsScaledBeyond32767Lines) {
    struct {
        int32_t Lines;
        int32_t Scale;
        int32_t Range;
    } cases[] = {{100000, 6, 16663}, {40019, 2, 20000}, {1000, 1, 981}};
    Form f;
    f.Editor->SetScrollBars(ssVertical);
    const int32_t height = 20 * f.Editor->LineHeight();
    f.Editor->SetBounds(8, 8, 200, height);
    // The client area must hold exactly 20 lines.
    f.Editor->SetBounds(8, 8, 200, height + (height - f.Editor->ClientHeight()));
    ASSERT_EQ(f.Editor->VisibleLines(), 20);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Lines);
        f.Editor->ResetEditor(true);
        for (int32_t i = 1; i < c.Lines; ++i)
            f.Editor->AppendPara("x");
        f.Editor->RefreshView(false);
        ASSERT_EQ(f.Editor->GetLineCount(), c.Lines);
        EXPECT_EQ(f.Editor->ScrollScale(), c.Scale);
        int32_t low = 0, high = 0;
        GetScrollRange(f.Editor->Handle(), SB_VERT, low, high);
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, c.Range);
    }
}

TEST(OvcEditor, TheHorizontalRangeNeverExceeds512Columns) {
    Form f;
    int32_t low = 0, high = 0;
    GetScrollRange(f.Editor->Handle(), SB_HORZ, low, high);
    EXPECT_EQ(high, 512);
    f.Editor->SetWordWrap(true);
    f.Editor->SetWrapColumn(40);
    f.Editor->RefreshView(false);
    GetScrollRange(f.Editor->Handle(), SB_HORZ, low, high);
    EXPECT_EQ(high, 40);
}

TEST(OvcEditor, ANarrowWindowStillShowsOneColumnAndOneLine) {
    Form f(Rect(8, 8, 18, 12));
    f.Editor->SetScrollBars(ssNone);
    f.Editor->SetBorderStyle(bsNone);
    EXPECT_EQ(f.Editor->VisibleColumns(), 1);
    EXPECT_EQ(f.Editor->VisibleLines(), 1);
}

TEST(OvcEditor, SearchFindsSelectsAndReplaces) {
    struct {
        const char* Text;
        const char* Find;
        const char* Replace;
        uint8_t Options;
        const char* Expected;
        const char* Selected;
    } cases[] = {
        {"one two one", "one", "", srGlobal, "one two one", "one"},
        {"one two One", "ONE", "", srGlobal | srBackward, "one two One", "One"},
        {"one two One", "One", "", srGlobal | srMatchCase, "one two One", "One"},
        {"a aa a", "a", "b", srGlobal | srReplaceAll | srWholeWord, "b aa b", ""},
        {"aaa", "a", "aa", srGlobal | srReplaceAll, "aaaaaa", ""},
        {"x-y x_y", "x", "", srGlobal | srReplaceAll | srWholeWord, "-y x_y", ""},
        {"a\nba\nab", "a", "", srGlobal | srReplaceAll, "\nb\nb", ""},
        {"cat cat", "cat", "dog", srGlobal | srReplace, "cat cat", "cat"},
    };
    Form f;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Text) + " / " + c.Find);
        SetTextOf(*f.Editor, c.Text, 1, 1);
        EXPECT_EQ(f.Editor->SearchReplace(c.Find, c.Replace, c.Options), 0);
        EXPECT_EQ(TextOf(*f.Editor), c.Expected);
        EXPECT_EQ(f.Editor->SelectedText(), c.Selected);
    }
}

TEST(OvcEditor, ReplaceNextReplacesTheSelectionThatMatchesThenFindsTheNext) {
    Form f;
    SetTextOf(*f.Editor, "cat cat cat", 1, 1);
    f.Editor->SearchReplace("cat", "dog", srReplace);
    EXPECT_EQ(f.Editor->SelectedText(), "cat");
    f.Editor->SearchReplace("cat", "dog", srReplace);
    EXPECT_EQ(TextOf(*f.Editor), "dog cat cat");
    f.Editor->SearchReplace("cat", "dog", srReplace);
    EXPECT_EQ(TextOf(*f.Editor), "dog dog cat");
    EXPECT_EQ(f.Editor->SelectedText(), "cat");
}

TEST(OvcEditor, SearchTextsOver255CharactersAreRefused) {
    Form f;
    SetTextOf(*f.Editor, "abc");
    const std::string longText(256, 'a');
    EXPECT_THROW(f.Editor->SearchReplace(longText, "", srGlobal), EEditorError);
    EXPECT_THROW(f.Editor->SearchReplace("a", longText, srGlobal | srReplaceAll), EEditorError);
    EXPECT_EQ(TextOf(*f.Editor), "abc");
    EXPECT_NO_THROW(f.Editor->SearchReplace(std::string(255, 'a'), "", srGlobal));
}

TEST(OvcEditor, LimitErrorsGoToOnErrorOrRaise) {
    Form f;
    SetTextOf(*f.Editor, "abc", 1, 4);
    f.Editor->SetParaLengthLimit(3);
    EXPECT_THROW(f.Editor->ExecuteCommand(ccChar, 'x'), EEditorError);
    uint16_t code = 0;
    f.Editor->OnError = [&](TObject*, uint16_t& Code) { code = Code; };
    f.Editor->ExecuteCommand(ccChar, 'x');
    EXPECT_EQ(code, oeParaTooLong);
    EXPECT_EQ(TextOf(*f.Editor), "abc");
}

TEST(OvcEditor, BookmarksFollowTheTextAndGotoMarkerFindsThem) {
    Form f;
    SetTextOf(*f.Editor, "one\ntwo\nthree", 2, 3);
    f.Editor->ExecuteCommand(ccSetMarker0 + 3, 0);
    f.Editor->SetCaretPosition(1, 1);
    f.Editor->ExecuteCommand(ccNewLine, 0);
    f.Editor->ExecuteCommand(ccGotoMarker0 + 3, 0);
    EXPECT_EQ(f.Editor->CaretLine(), 3);
    EXPECT_EQ(f.Editor->CaretCol(), 3);
    EXPECT_THROW(f.Editor->SetMarkerAt(1, 9, 1), EInvalidLineOrCol);
    f.Editor->SetMarkerAt(1, 4, 2);
    f.Editor->ExecuteCommand(ccGotoMarker0 + 1, 0);
    EXPECT_EQ(f.Editor->CaretLine(), 4);
}

TEST(OvcEditor, LinkedEditorsShareTheTextAndFollowEachOthersChanges) {
    Form f;
    auto* other = f.Form.Add<TOvcCustomEditor>(f.Form.Form, Rect(8, 170, 208, 250));
    SetTextOf(*f.Editor, "one\ntwo", 2, 2);
    other->Attach(f.Editor);
    EXPECT_EQ(TextOf(*other), "one\ntwo");
    other->SetCaretPosition(2, 3);
    f.Editor->SetCaretPosition(1, 1);
    f.Editor->ExecuteCommand(ccNewLine, 0);
    EXPECT_EQ(TextOf(*other), "\none\ntwo");
    EXPECT_EQ(other->CaretLine(), 3) << "the other caret stays on its text";
    EXPECT_EQ(other->CaretCol(), 3);
    // The text outlives the editor that made it.
    delete f.Editor;
    other->ExecuteCommand(ccChar, 'x');
    EXPECT_EQ(TextOf(*other), "\none\ntwxo");
}

TEST(OvcEditor, ShowStatusReportsTheCaretOnceTheKeystrokeIsProcessed) {
    Form f;
    SetTextOf(*f.Editor, "\tab", 1, 1);
    f.Editor->SetFocus();
    std::vector<std::pair<int32_t, int32_t>> seen;
    test::PumpUntilIdle();
    f.Editor->OnShowStatus = [&](TObject*, int32_t Line, int32_t Col) {
        seen.emplace_back(Line, Col);
    };
    for (int i = 0; i < 3; ++i)
        f.Editor->ExecuteCommand(ccRight, 0);
    EXPECT_TRUE(seen.empty()) << "reported after the message is processed";
    test::PumpUntilIdle();
    EXPECT_EQ(seen, (std::vector<std::pair<int32_t, int32_t>>{{1, 11}})) << "moves coalesce";
}

}  // namespace
}  // namespace vex
