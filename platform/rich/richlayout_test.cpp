#include "platform/rich/richlayout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/rich/richlayout_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::FillFixed;
using test::LinesOf;
using test::ParaFormatOf;

// Every caret place survives the way from character to point and back.
void ExpectHitTestsRoundTrip(const TRichLayout& Layout) {
    for (int32_t p = 0; p <= Layout.Document().Length(); ++p)
        EXPECT_EQ(Layout.CharFromPos(Layout.PosFromChar(p)), p) << "position " << p;
}

TEST(RichLayout, BreaksLinesAsTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/layoutlines.txt")) {
        SCOPED_TRACE(c.Where);
        TRichDocument document;
        FillFixed(document, c[0], ParaFormatOf(c[2]));
        TRichLayout layout(document);
        layout.SetWrapWidth(static_cast<int32_t>(c.Int(1)));
        EXPECT_EQ(LinesOf(layout), c[3]);
        ExpectHitTestsRoundTrip(layout);
    }
}

TEST(RichLayout, PlacesTheCaretAsTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/layoutpositions.txt")) {
        SCOPED_TRACE(c.Where);
        TRichDocument document;
        FillFixed(document, c[0], ParaFormatOf(c[1]));
        const TRichLayout layout(document);
        std::string xs;
        for (int32_t p = 0; p <= document.Length(); ++p)
            xs += (p ? " " : "") + std::to_string(layout.PosFromChar(p).X);
        EXPECT_EQ(xs, c[2]);
        ExpectHitTestsRoundTrip(layout);
    }
}

TEST(RichLayout, FindsTheCaretPlaceAtAPointAsTheTableSays) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/layouthits.txt")) {
        SCOPED_TRACE(c.Where);
        TRichDocument document;
        FillFixed(document, c[0], ParaFormatOf(c[2]));
        TRichLayout layout(document);
        layout.SetWrapWidth(static_cast<int32_t>(c.Int(1)));
        const TPoint point = Point(static_cast<int32_t>(c.Int(3)), static_cast<int32_t>(c.Int(4)));
        EXPECT_EQ(layout.CharFromPos(point), c.Int(5));
    }
}

// Line queries of a wrapped document agree with each other and cover the text once.
TEST(RichLayout, LineQueriesAgreeOverAWrappedDocument) {
    TRichDocument document;
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += std::string(i % 7 * 9, 'w') + " the quick brown fox " + (i % 5 ? "\r" : "\r\r");
    FillFixed(document, text);
    TRichLayout layout(document);
    layout.SetWrapWidth(100);
    int32_t next = 0, top = 0;
    for (int32_t i = 0; i < layout.LineCount(); ++i) {
        SCOPED_TRACE(i);
        const TRichLineInfo line = layout.Line(i);
        EXPECT_EQ(line.Start, next);
        EXPECT_EQ(line.Top, top);
        EXPECT_EQ(layout.LineIndex(i), line.Start);
        EXPECT_EQ(layout.LineFromChar(line.Start), i);
        EXPECT_EQ(layout.LineFromChar(line.Start + line.Length), line.EndsParagraph ? i : i + 1);
        EXPECT_EQ(layout.LineAtY(line.Top), i);
        EXPECT_EQ(layout.LineAtY(line.Top + line.Height - 1), i);
        // The text has single blanks, and only a blank hangs past the width.
        EXPECT_LE(line.Width, 100 + test::FixedCharWidth);
        next = line.Start + line.Length + (line.EndsParagraph ? 1 : 0);
        top += line.Height;
    }
    EXPECT_EQ(next, document.Length() + 1);
    EXPECT_EQ(layout.Height(), top);
    EXPECT_EQ(layout.LineIndex(layout.LineCount()), -1);
    EXPECT_EQ(layout.LineAtY(-5), 0);
    EXPECT_EQ(layout.LineAtY(top + 100), layout.LineCount() - 1);
    EXPECT_THROW(layout.Line(layout.LineCount()), ERangeError);
    ExpectHitTestsRoundTrip(layout);
}

// Formats at and past the ends of their ranges, at widths of nothing, one pixel and more than
// any page: the lines still cover the text once, stack without gaps and answer hit tests.
TEST(RichLayout, KeepsItsLinesWholeUnderOddFormatsAndWidths) {
    const char* const formats[] = {
        "",
        "start=-5000,offset=-3000,right=-700",
        "start=100000",
        "right=100000,align=1",
        "start=2000,offset=-4000,bullet=1,align=2",
        "rule=4,spacing=0",
        "rule=4,spacing=-2000",
        "rule=3,spacing=-100",
        "rule=5,spacing=0",
        "rule=5,spacing=2000000000",
        "rule=9,spacing=100",
        "before=2000000000,after=2000000000",
        "tabs=2000000000",
        "tabs=1/2/3,start=50",
    };
    const int32_t widths[] = {0, 1, 60, 1 << 30};
    for (const char* format : formats)
        for (const int32_t width : widths) {
            SCOPED_TRACE(std::string(format) + " at " + std::to_string(width));
            TRichDocument document;
            FillFixed(document, "a\tb\t\tc dd  eee\r\r\tx\ty \r" + std::string(40, 'w'),
                      ParaFormatOf(format));
            TRichLayout layout(document);
            layout.SetWrapWidth(width);
            int32_t next = 0;
            int64_t top = 0;
            for (int32_t i = 0; i < layout.LineCount(); ++i) {
                SCOPED_TRACE(i);
                const TRichLineInfo line = layout.Line(i);
                ASSERT_EQ(line.Start, next);
                ASSERT_GE(line.Height, 1);
                ASSERT_EQ(line.Top, top);
                ASSERT_EQ(layout.LineFromChar(line.Start), i);
                ASSERT_EQ(layout.LineAtY(line.Top), i);
                next = line.Start + line.Length + (line.EndsParagraph ? 1 : 0);
                top += line.Height;
            }
            EXPECT_EQ(next, document.Length() + 1);
            EXPECT_EQ(layout.Height(), top);
            ExpectHitTestsRoundTrip(layout);
        }
}

TEST(RichLayout, AnEmptyDocumentHasOneLineOfTheDefaultFormat) {
    TRichDocument document;
    const TRichLayout layout(document);
    EXPECT_EQ(layout.LineCount(), 1);
    EXPECT_EQ(layout.Line(0).Length, 0);
    EXPECT_EQ(layout.CharFromPos(Point(50, 50)), 0);
    TRichCharFormat large = test::FixedCharFormat();
    document.SetDefaultCharFormat(large);
    EXPECT_EQ(layout.Height(), test::FixedLineHeight);
    large.Size *= 2;
    document.SetDefaultCharFormat(large);
    EXPECT_EQ(layout.Height(), 2 * test::FixedLineHeight);
}

TEST(RichLayout, WidestFollowsTheLongestLineThroughEdits) {
    TRichDocument document;
    FillFixed(document, "short\ra much longer line\rmiddling one");
    const TRichLayout layout(document);
    EXPECT_EQ(layout.Widest(), 18 * test::FixedCharWidth);
    document.Replace(6, 7, TRichFragment{});
    EXPECT_EQ(layout.Widest(), 12 * test::FixedCharWidth);
    document.Replace(0, 0,
                     PlainTextFragment(std::string(30, 'w'), document.DefaultCharFormat(), 0));
    EXPECT_EQ(layout.Widest(), 35 * test::FixedCharWidth);
}

// Only what the document says changed is laid out again, and only when next asked; the lines
// are those a layout made afresh finds.
TEST(RichLayout, LaysOutAgainOnlyTheParagraphsThatChanged) {
    TRichDocument document;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "a paragraph of some words\r";
    FillFixed(document, text);
    TRichLayout layout(document);
    layout.SetWrapWidth(120);
    const auto expectFresh = [&] {
        TRichLayout fresh(document);
        fresh.SetWrapWidth(layout.WrapWidth());
        EXPECT_EQ(LinesOf(layout), LinesOf(fresh));
    };
    EXPECT_EQ(layout.LineCount(), 201);
    EXPECT_EQ(layout.ParagraphsLaidOut(), 101);

    const int32_t at = document.ParagraphStart(50) + 2;
    const auto type = [&](const std::string& Chars) {
        document.Replace(at, 0,
                         PlainTextFragment(Chars, document.CharFormatForTyping(at),
                                           document.Paragraph(50).Format));
    };
    for (int i = 0; i < 5; ++i)
        type("x");
    EXPECT_EQ(layout.ParagraphsLaidOut(), 101);
    expectFresh();
    EXPECT_EQ(layout.ParagraphsLaidOut(), 102);
    type(std::string(40, 'y'));
    expectFresh();
    EXPECT_EQ(layout.ParagraphsLaidOut(), 103);
    type("\r");
    expectFresh();
    EXPECT_EQ(layout.ParagraphsLaidOut(), 105);
    document.Replace(at - 1, 2, TRichFragment{});
    expectFresh();
    EXPECT_EQ(layout.ParagraphsLaidOut(), 106);

    layout.SetWrapWidth(120);
    layout.Update();
    EXPECT_EQ(layout.ParagraphsLaidOut(), 106);
    layout.SetWrapWidth(0);
    EXPECT_EQ(layout.LineCount(), 101);
    EXPECT_EQ(layout.ParagraphsLaidOut(), 207);
    layout.SetPixelsPerInch(192);
    EXPECT_EQ(layout.Line(0).Height, 2 * test::FixedLineHeight);
    EXPECT_EQ(layout.ParagraphsLaidOut(), 308);
}

// Edits of every size, with and without paragraph ends, leave the lines a fresh layout finds.
TEST(RichLayout, FollowsEditsOfEverySizeAsAFreshLayoutWould) {
    TRichDocument document;
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += std::string(i % 11 * 5, 'p') + " q\r";
    FillFixed(document, text);
    TRichLayout layout(document);
    layout.SetWrapWidth(90);
    std::mt19937 random(5);
    const auto pick = [&](int32_t Low, int32_t High) {
        return std::uniform_int_distribution<int32_t>(Low, High)(random);
    };
    for (int step = 0; step < 120; ++step) {
        SCOPED_TRACE(step);
        const int32_t start = pick(0, document.Length());
        const int32_t removed = pick(0, 1) ? pick(0, 3) : pick(0, 900);
        std::string typed(static_cast<size_t>(pick(0, 1) ? pick(0, 3) : pick(0, 600)), 'n');
        for (char& ch : typed)
            if (pick(0, 9) == 0) ch = pick(0, 1) ? '\r' : ' ';
        document.Replace(start, removed, PlainTextFragment(typed, document.DefaultCharFormat(), 0));
        if (step % 10 == 0) layout.SetWrapWidth(pick(0, 1) ? 90 : 60);
        TRichLayout fresh(document);
        fresh.SetWrapWidth(layout.WrapWidth());
        ASSERT_EQ(LinesOf(layout), LinesOf(fresh));
        ASSERT_EQ(layout.Widest(), fresh.Widest());
    }
}

}  // namespace
}  // namespace vex
