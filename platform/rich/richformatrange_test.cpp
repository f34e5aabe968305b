#include "platform/rich/richformatrange.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/exceptions.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlayout_testsupport.h"

namespace vex {
namespace {

// Paragraphs of many lengths, some with space around them, so that pages end in all kinds of
// places.
void FillLongDocument(TRichDocument& Document) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += std::string(i % 13 * 7, 'x') + " word " + std::string(i % 5, 'y') + " end\r";
    test::FillFixed(Document, text, test::ParaFormatOf("after=90"));
}

struct TPage {
    int32_t First = 0;
    int32_t Next = 0;
};

TFormatRange PageRange(TCanvas& Canvas, int32_t CpMin, int32_t Height = 1440) {
    TFormatRange range;
    range.Canvas = &Canvas;
    range.Rect = Rect(720, 720, 720 + 2880, 720 + Height);
    range.PageRect = Rect(0, 0, 4320, 2 * 1440 + Height);
    range.CpMin = CpMin;
    return range;
}

TEST(RichFormatter, PaginatesEveryCharacterOntoExactlyOnePageInWholeLines) {
    TRichDocument document;
    FillLongDocument(document);
    TBitmap bitmap;
    TCanvas printer(bitmap);
    printer.SetPixelsPerInch(300, 300);
    TRichFormatter formatter(document);
    // The lines the formatter lays out: 2 inches at 300 pixels an inch.
    TRichLayout layout(document, 300);
    layout.SetWrapWidth(600);

    std::vector<TPage> pages;
    for (int32_t at = 0; at < document.Length();) {
        const int32_t next = formatter.Format(PageRange(printer, at), false);
        ASSERT_GT(next, at) << "page " << pages.size();
        ASSERT_LE(next, document.Length());
        pages.push_back({at, next});
        at = next;
    }
    ASSERT_GT(pages.size(), 3u);
    for (const TPage& page : pages) {
        SCOPED_TRACE(page.First);
        const int32_t first = layout.LineFromChar(page.First);
        EXPECT_EQ(layout.LineIndex(first), page.First);
        if (page.Next == document.Length()) continue;
        const int32_t next = layout.LineFromChar(page.Next);
        EXPECT_EQ(layout.LineIndex(next), page.Next);
        const int32_t used = layout.Line(next).Top - layout.Line(first).Top;
        EXPECT_LE(used, 300);
        EXPECT_GT(used + layout.Line(next).Height, 300) << "the next line would have fitted";
    }

    // Kept lines or laid out anew, the pages are the same.
    formatter.Release();
    int32_t at = 0;
    for (const TPage& page : pages) {
        EXPECT_EQ(formatter.Format(PageRange(printer, at), false), page.Next);
        at = page.Next;
    }
}

TEST(RichFormatter, StopsAtCpMaxAndMovesOnPastALineTallerThanThePage) {
    TRichDocument document;
    test::FillFixed(document, "one\rtwo\rthree\rfour");
    TBitmap bitmap;
    TCanvas screen(bitmap);
    TRichFormatter formatter(document);

    TFormatRange range = PageRange(screen, 0);
    range.CpMax = 6;
    EXPECT_EQ(formatter.Format(range, false), 6);
    range.CpMin = 8;
    range.CpMax = -1;
    EXPECT_EQ(formatter.Format(range, false), document.Length());
    // 16-pixel lines on a page 5 pixels high: one line a page.
    EXPECT_EQ(formatter.Format(PageRange(screen, 0, 75), false), 4);
    EXPECT_EQ(formatter.Format(PageRange(screen, document.Length(), 75), false), document.Length());
    range.Canvas = nullptr;
    EXPECT_THROW(formatter.Format(range, false), EInvalidOperation);
}

// A row is one line as tall as its tallest cell: pages end between rows. A row taller than the
// page is printed flat, its cells' lines one after another, two 16-pixel lines to a page,
// rather than cut off at the page's foot.
TEST(RichFormatter, KeepsEachTableRowWholeOnAPageUnlessItIsTallerThanThePage) {
    TRichParaFormat row;
    row.AddCell({600, 0});  // five characters wide
    row.AddCell({1200, 0});
    TRichDocument document;
    test::FillFixed(document, "ab\tc\t\raaaa bbbb\tc\t\ra\vb\vc\vd\tc\t\rz\t\t", row);
    TBitmap bitmap;
    TCanvas screen(bitmap);
    TRichFormatter formatter(document);
    std::vector<int32_t> pages;
    for (int32_t at = 0; at < document.Length();)  // pages 40 pixels high
        pages.push_back(at = formatter.Format(PageRange(screen, at, 600), false));
    EXPECT_EQ(pages, (std::vector<int32_t>{6, 19, 23, 27, document.Length()}));
}

// Rows of every height between paragraphs, on pages of several heights: each page's lines fit
// on it, so nothing is cut off at a page's foot, and the pages follow one another.
TEST(RichFormatter, PrintsRowsOfEveryHeightWithinThePages) {
    TRichParaFormat row;
    row.AddCell({600, 0});
    row.AddCell({1200, 0});
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += std::string(static_cast<size_t>(i * 7 % 13), '\v') + "a\t" +
                std::string(static_cast<size_t>(i % 4), '\v') + "b\t\r";
        if (i % 5 == 0) text += "\r";
    }
    TRichDocument document;
    test::FillFixed(document, text + "end\t", row);
    TBitmap bitmap;
    TCanvas screen(bitmap);
    for (const int32_t pixels : {40, 100, 250}) {
        SCOPED_TRACE(pixels);
        TRichFormatter formatter(document);
        TRichLayout layout(document);  // as the formatter lays the document out for the page
        layout.SetWrapWidth(192);
        layout.SetFlatRowsOver(pixels);
        for (int32_t at = 0; at < document.Length();) {
            const int32_t next = formatter.Format(PageRange(screen, at, pixels * 15), false);
            ASSERT_GT(next, at);
            const int32_t first = layout.LineFromChar(at);
            ASSERT_EQ(layout.LineIndex(first), at);
            const int32_t bottom = next < document.Length()
                                       ? layout.Line(layout.LineFromChar(next)).Top
                                       : layout.Height();
            EXPECT_LE(bottom - layout.Line(first).Top, pixels) << "the page from " << at;
            at = next;
        }
    }
}

// Ranges and rectangles a caller may get wrong: the answer is always a position in the text
// at or past the start, and a page loop that follows it ends.
TEST(RichFormatter, AnswersAPositionOnForRangesAndRectanglesOutOfShape) {
    struct TCase {
        const char* Name;
        int32_t CpMin, CpMax;
        TRect Rect;
        int32_t Next;
    };
    // 8 by 16 pixels a character at 96 pixels an inch: 120 by 240 twips.
    const TCase cases[] = {
        {"start past the end", 500, -1, Rect(0, 0, 4320, 1440), 18},
        {"negative start", -7, -1, Rect(0, 0, 4320, 1440), 18},
        {"end before the start", 9, 4, Rect(0, 0, 4320, 1440), 9},
        {"end past the text", 4, 900, Rect(0, 0, 4320, 1440), 18},
        {"start inside a line", 5, -1, Rect(0, 0, 4320, 240), 8},
        {"an empty rectangle", 0, -1, Rect(100, 100, 100, 100), 1},
        {"an inverted rectangle", 0, -1, Rect(4320, 1440, 0, 0), 1},
        {"a rectangle far out", 0, -1, Rect(INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX),
         1},
        {"a rectangle of the largest size", 0, -1, Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
         18},
    };
    TRichDocument document;
    test::FillFixed(document, "one\rtwo\rthree\rfour");
    TBitmap bitmap;
    bitmap.SetSize(64, 64);
    TCanvas screen(bitmap);
    TRichFormatter formatter(document);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFormatRange range;
        range.Canvas = &screen;
        range.Rect = c.Rect;
        range.PageRect = c.Rect;
        range.CpMin = c.CpMin;
        range.CpMax = c.CpMax;
        EXPECT_EQ(formatter.Format(range, true), c.Next);
        EXPECT_EQ(formatter.Format(range, false), c.Next);
    }
}

TEST(RichFormatter, RendersOnlyIntoTheRectangle) {
    TRichDocument document;
    test::FillFixed(document, std::string(200, 'x'));
    TBitmap bitmap;
    bitmap.SetSize(400, 200);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 400, 200));
    TRichFormatter formatter(document);
    // 1.5 by 0.5 inches from (0.5, 0.25) inch: 144 by 48 pixels from (48, 24).
    TFormatRange range;
    range.Canvas = &canvas;
    range.Rect = Rect(720, 360, 720 + 2160, 360 + 720);
    const int32_t next = formatter.Format(range, true);
    EXPECT_EQ(next, 3 * 144 / test::FixedCharWidth);
    EXPECT_EQ(InkBounds(bitmap, clBlack), Rect(48, 24, 48 + 144, 24 + 48 - 4));

    // From the 6th character of the first line to the 12th of the second: 18 to a line.
    canvas.FillRect(Rect(0, 0, 400, 200));
    range.CpMin = 5;
    range.CpMax = 18 + 12;
    EXPECT_EQ(formatter.Format(range, true), 30);
    const auto inked = [&](int32_t Line, int32_t Char) {
        return canvas.Pixels(48 + Char * test::FixedCharWidth + 1, 24 + Line * 16 + 1) == clBlack;
    };
    EXPECT_FALSE(inked(0, 4));
    EXPECT_TRUE(inked(0, 5));
    EXPECT_TRUE(inked(1, 11));
    EXPECT_FALSE(inked(1, 12));
    EXPECT_FALSE(inked(2, 0));
}

}  // namespace
}  // namespace vex
