#include "platform/rich/richlayout.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/exceptions.h"
#include "platform/rich/richlayout_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::FillFixed;
using test::ParaFormatOf;

std::string LinesOf(const TRichLayout& Layout) {
    std::string lines;
    for (int32_t i = 0; i < Layout.LineCount(); ++i) {
        const TRichLineInfo l = Layout.Line(i);
        lines += (i ? " " : "") + std::to_string(l.Start) + "+" + std::to_string(l.Length) + ":" +
                 std::to_string(l.Left) + "," + std::to_string(l.Top) + "," +
                 std::to_string(l.Height) + "," + std::to_string(l.Baseline);
    }
    return lines;
}

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
        EXPECT_LE(
            line.Width -
                (line.Length > 0 && document.Text(line.Start + line.Length - 1, 1) == " " ? 8 : 0),
            100);
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

TEST(RichLayout, AnEmptyDocumentHasOneEmptyLine) {
    TRichDocument document;
    const TRichLayout layout(document);
    EXPECT_EQ(layout.LineCount(), 1);
    EXPECT_EQ(layout.Line(0).Length, 0);
    EXPECT_GT(layout.Height(), 0);
    EXPECT_EQ(layout.CharFromPos(Point(50, 50)), 0);
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

}  // namespace
}  // namespace vex
