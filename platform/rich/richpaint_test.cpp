#include "platform/rich/richpaint.h"

#include <gtest/gtest.h>

#include "platform/gfx/canvas.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlayout_testsupport.h"

namespace vex {
namespace {

const TPictureLegend& Legend() {
    static const TPictureLegend legend = {{'.', 0xFFFF00},
                                          {'k', 0x000000},
                                          {'r', 0xFF0000},
                                          {'h', ColorToPixel(clHighlight)},
                                          {'w', ColorToPixel(clHighlightText)}};
    return legend;
}

TRichPaintOptions YellowPage() {
    TRichPaintOptions options;
    options.Background = clYellow;
    options.AutoText = clBlack;
    return options;
}

// The fixed font at 8 pixels, with a format changed by Change.
template <typename TChange>
int32_t SmallFixed(TRichDocument& Document, TChange Change) {
    TRichCharFormat format = test::FixedCharFormat();
    format.Size = 120;
    Change(format);
    return Document.CharFormats().Intern(format);
}

TPictureRows Expected(const std::string& Name) {
    for (const test::TestBlock& block : test::ReadBlocks(VEX_TEST_DIR "/testdata/richpaint.txt"))
        if (block.Name == Name) return block.Parts.at(0);
    ADD_FAILURE() << "no picture " << Name;
    return {};
}

TEST(PaintRichLines, DrawsRunsInTheirColoursWithLinesAndTheSelection) {
    TRichDocument document;
    const int32_t plain = SmallFixed(document, [](TRichCharFormat&) {});
    const int32_t red = SmallFixed(document, [](TRichCharFormat& F) {
        F.AutoColor = false;
        F.Color = 0x0000FF;
    });
    const int32_t underlined = SmallFixed(document, [](TRichCharFormat& F) { F.Underline = true; });
    const int32_t struck = SmallFixed(document, [](TRichCharFormat& F) { F.StrikeOut = true; });
    TRichFragment text;
    text.Paragraphs.back().Append("a", plain);
    text.Paragraphs.back().Append("b", red);
    text.Paragraphs.back().Append(" ", plain);
    text.Paragraphs.back().Append("c", underlined);
    text.EndParagraph(0);
    text.Paragraphs.back().Append("d e", struck);
    document.Replace(0, 0, text);

    const TRichLayout layout(document);
    TBitmap bitmap;
    bitmap.SetSize(20, 16);
    TCanvas canvas(bitmap);
    TRichPaintOptions options = YellowPage();
    options.ShowSelection = true;
    options.SelStart = 3;
    options.SelEnd = 6;
    PaintRichLines(canvas, layout, Point(0, 0), 0, layout.LineCount() - 1, options);
    bitmap.SaveToFile("/tmp/richpaint-runs.png");
    EXPECT_EQ(PictureOf(bitmap, Legend()),
              Expected("runs, underline, strike-out and a selected paragraph end"));
}

}  // namespace
}  // namespace vex
