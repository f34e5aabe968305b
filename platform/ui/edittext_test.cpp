#include "platform/ui/edittext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/exceptions.h"

namespace vex {
namespace {

TEditText MultiLineText(std::string_view Text) {
    TEditText text(true);
    text.SetText(Text);
    return text;
}

TEST(EditText, KeepsLinesAndCountsEachBreakAsCrLf) {
    const TEditText text = MultiLineText("ab\r\ncd\nef\rgh");
    EXPECT_EQ(text.LineCount(), 4);
    EXPECT_EQ(text.Text(), "ab\r\ncd\r\nef\r\ngh");
    EXPECT_EQ(text.TextLength(), 14);
    struct TCase {
        int32_t Offset;
        TEditPos Pos;
    };
    for (const TCase& c : std::vector<TCase>{{-5, {0, 0}},
                                             {0, {0, 0}},
                                             {2, {0, 2}},
                                             {3, {0, 2}},  // between CR and LF
                                             {4, {1, 0}},
                                             {13, {3, 1}},
                                             {14, {3, 2}},
                                             {99, {3, 2}}}) {
        SCOPED_TRACE(c.Offset);
        EXPECT_EQ(text.PosOf(c.Offset), c.Pos);
    }
    EXPECT_EQ(text.OffsetOf(TEditPos{2, 1}), 9);
    EXPECT_EQ(text.OffsetOf(TEditPos{7, 9}), 14);
    EXPECT_THROW(text.Line(4), EListError);
    // A copy cut short, even between a CR and its LF, is the text's own start.
    for (const size_t count : std::vector<size_t>{0, 1, 2, 3, 4, 13, 14, 99}) {
        SCOPED_TRACE(count);
        std::string copied(count, '*');
        copied.resize(text.CopyText(copied.data(), count));
        EXPECT_EQ(copied, text.Text().substr(0, count));
    }
}

TEST(EditText, ASingleLineHoldsEveryByteAsOneLine) {
    TEditText text;
    text.SetText("a\r\nb");
    EXPECT_EQ(text.LineCount(), 1);
    EXPECT_EQ(text.Text(), "a\r\nb");
    text.Select(TEditPos{0, 4}, TEditPos{0, 4});
    text.ReplaceSelection("c\nd");
    EXPECT_EQ(text.Text(), "a\r\nbc");
}

TEST(EditText, ReplacesTheSelectionWithinTheLimit) {
    struct TCase {
        const char* Name;
        bool MultiLine;
        std::string Text;
        int32_t From, To, MaxLength;
        std::string Value;
        std::string Expected;
        int32_t Caret;
        bool Changed;
    };
    const std::vector<TCase> cases = {
        {"inside a line", false, "hello", 1, 3, 0, "XY", "hXYlo", 3, true},
        {"lines in", true, "ab", 1, 1, 0, "1\n2\r\n3", "a1\r\n2\r\n3b", 8, true},
        {"lines joined", true, "ab\r\ncd", 1, 5, 0, "", "ad", 1, true},
        {"over lines", true, "ab\r\ncd\r\nef", 1, 9, 0, "X\rY", "aX\r\nYf", 5, true},
        {"cut at the limit", false, "abc", 3, 3, 5, "1234", "abc12", 5, true},
        {"room made by the selection", false, "abc", 0, 2, 3, "1234", "12c", 2, true},
        {"a break not halved", true, "abc", 3, 3, 4, "\r\nx", "abc", 3, false},
        {"nothing", false, "abc", 1, 1, 0, "", "abc", 1, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditText text(c.MultiLine);
        text.SetText(c.Text);
        text.SetMaxLength(c.MaxLength);
        text.Select(text.PosOf(c.From), text.PosOf(c.To));
        EXPECT_EQ(text.ReplaceSelection(c.Value), c.Changed);
        EXPECT_EQ(text.Text(), c.Expected);
        EXPECT_EQ(text.TextLength(), static_cast<int32_t>(c.Expected.size()));
        EXPECT_EQ(text.SelStart(), c.Caret);
        EXPECT_EQ(text.SelLength(), 0);
    }
}

TEST(EditText, UndoesTheLastChangeAndTypingInARowAsOne) {
    TEditText text(true);
    text.SetText("one\r\ntwo");
    EXPECT_FALSE(text.CanUndo());
    text.Select(TEditPos{1, 3}, TEditPos{1, 3});
    for (char c : std::string("!\n?"))
        text.ReplaceSelection(std::string(1, c), true, true);
    EXPECT_EQ(text.Text(), "one\r\ntwo!\r\n?");
    ASSERT_TRUE(text.Undo());
    EXPECT_EQ(text.Text(), "one\r\ntwo");
    ASSERT_TRUE(text.Undo());  // again: back
    EXPECT_EQ(text.Text(), "one\r\ntwo!\r\n?");
    EXPECT_EQ(text.SelText(), "!\r\n?");

    text.Select(TEditPos{0, 0}, TEditPos{1, 1});
    text.ReplaceSelection("X", true, true);  // typed over a selection: a change of its own
    text.ReplaceSelection("Y", true, true);
    EXPECT_EQ(text.Text(), "XYwo!\r\n?");
    text.Undo();
    EXPECT_EQ(text.Text(), "one\r\ntwo!\r\n?");
    EXPECT_EQ(text.SelText(), "one\r\nt");

    text.ReplaceSelection("Z", false);
    EXPECT_FALSE(text.CanUndo());
    text.SetText("new");
    EXPECT_FALSE(text.Undo());
}

TEST(EditText, FindsWordsAsTheCtrlArrowsAndDoubleClicksDo) {
    const TEditText text = MultiLineText("foo  bar.baz qux\r\nnext");
    struct TCase {
        int32_t From;
        int32_t Left;
        int32_t Right;
        int32_t WordFirst;
        int32_t WordLast;
    };
    for (const TCase& c : std::vector<TCase>{{0, 0, 5, 0, 3},
                                             {3, 0, 5, 3, 5},
                                             {5, 0, 8, 5, 8},
                                             {8, 5, 9, 8, 9},
                                             {9, 8, 13, 9, 12},
                                             {13, 9, 16, 13, 16},
                                             {16, 13, 18, 13, 16},
                                             {18, 16, 22, 18, 22}}) {
        SCOPED_TRACE(c.From);
        const TEditPos from = text.PosOf(c.From);
        EXPECT_EQ(text.OffsetOf(text.WordLeft(from)), c.Left);
        EXPECT_EQ(text.OffsetOf(text.WordRight(from)), c.Right);
        TEditPos first, last;
        text.WordAt(from, first, last);
        EXPECT_EQ(text.OffsetOf(first), c.WordFirst);
        EXPECT_EQ(text.OffsetOf(last), c.WordLast);
    }
}

TEST(EditText, KeepsOffsetsRightAcrossChangesDeepInALongText) {
    std::string source;
    for (int i = 0; i < 1000; ++i)
        source += "line " + std::to_string(i) + "\r\n";
    TEditText text(true);
    text.SetText(source);
    std::vector<int32_t> firstLines;
    text.OnLinesChanged = [&](int32_t First, int32_t, int32_t) { firstLines.push_back(First); };
    EXPECT_EQ(text.OffsetOf(TEditPos{999, 0}), text.Text().find("line 999"));
    text.Select(TEditPos{500, 2}, TEditPos{500, 2});
    text.ReplaceSelection("\r\n");
    text.Select(TEditPos{10, 0}, TEditPos{10, 0});
    text.ReplaceSelection("xyz");
    EXPECT_EQ(firstLines, (std::vector<int32_t>{500, 10}));
    const std::string now = text.Text();
    EXPECT_EQ(text.OffsetOf(TEditPos{1000, 0}), static_cast<int32_t>(now.find("line 999")));
    EXPECT_EQ(text.PosOf(static_cast<int32_t>(now.find("ne 500"))), (TEditPos{501, 0}));
}

}  // namespace
}  // namespace vex
