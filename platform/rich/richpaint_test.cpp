#include "platform/rich/richpaint.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/gfx/canvas.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/gfx_testsupport.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlayout_testsupport.h"
#include "platform/rich/richlinks.h"

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

// Every line of the document, unwrapped, from the bitmap's top-left corner.
std::unique_ptr<TBitmap> Painted(const TRichDocument& Document, int32_t Width, int32_t Height,
                                 const TRichPaintOptions& Options) {
    const TRichLayout layout(Document);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Width, Height);
    TCanvas canvas(*bitmap);
    PaintRichLines(canvas, layout, Point(0, 0), 0, layout.LineCount() - 1, Options);
    return bitmap;
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

    TRichPaintOptions options = YellowPage();
    options.ShowSelection = true;
    options.SelStart = 3;
    options.SelEnd = 6;
    EXPECT_EQ(PictureOf(*Painted(document, 20, 16, options), Legend()),
              Expected("runs, underline, strike-out and a selected paragraph end"));
}

// Fills its box red, whatever the canvas's brush was, and leaves the brush red.
class TRedBox : public IRichObject {
public:
    TSize Extent() const override { return TSize{150, 90}; }  // 10 by 6 pixels
    void Draw(TCanvas& Canvas, const TRect& Box) const override {
        Canvas.Brush().SetColor(clRed);
        Canvas.FillRect(Box);
    }
};

TEST(PaintRichLines, DrawsObjectsInTheirBoxesAndLeavesTheCanvasToTheText) {
    TRichDocument document;
    const int32_t plain = SmallFixed(document, [](TRichCharFormat&) {});
    TRichFragment text;
    text.Paragraphs.back().Append("a", plain);
    text.Paragraphs.back().AppendObject(plain, document.AddObject(std::make_shared<TRedBox>()));
    text.Paragraphs.back().Append("b", plain);
    document.Replace(0, 0, text);
    EXPECT_EQ(PictureOf(*Painted(document, 18, 8, YellowPage()), Legend()),
              Expected("an object box between characters"));
}

TEST(PaintRichLines, FramesTheBoxOfAnObjectTheDocumentDoesNotHold) {
    TRichDocument document;
    const int32_t plain = SmallFixed(document, [](TRichCharFormat&) {});
    TRichFragment text;
    text.Paragraphs.back().Append("a", plain);
    text.Paragraphs.back().AppendObject(plain, 77);
    document.Replace(0, 0, text);
    const TRichLayout layout(document);
    EXPECT_EQ(layout.Line(0).Height, 32 + 2);
    EXPECT_EQ(InkBounds(*Painted(document, 60, 40, YellowPage()), clGray), Rect(4, 0, 36, 32));
}

TEST(PaintRichLines, DrawsATableRowsCellsAtTheirColumnsWithTheirBorders) {
    TRichDocument document;
    const int32_t plain = SmallFixed(document, [](TRichCharFormat&) {});
    TRichParaFormat row;
    row.CellGap = 15;
    row.AddCell({150, 0});
    row.AddCell({300, CellBorderLeft | CellBorderBottom});
    TRichFragment text;
    text.Paragraphs.back().Append("a\tb\t", plain);
    text.Paragraphs.back().Format = document.ParaFormats().Intern(row);
    document.Replace(0, 0, text);
    document.SetParagraphFormat(0, text.Paragraphs.back().Format);
    EXPECT_EQ(PictureOf(*Painted(document, 20, 8, YellowPage()), Legend()),
              Expected("a table row's cells at their columns, with the borders asked for"));
}

std::vector<std::string> TextsDrawn(const TCanvasRecorder& Recorder) {
    std::vector<std::string> texts;
    for (const TCanvasCall& call : Recorder.Named("TextOut"))
        texts.push_back(call.Text + (call.FontStyle.Contains(fsUnderline) ? "_" : ""));
    return texts;
}

TEST(PaintRichLines, DrawsBulletsAsBulletsAndUnderlinesLinks) {
    TRichDocument document;
    test::FillFixed(document, "see www.example.org now\rb", test::ParaFormatOf("bullet=1"));
    TRichCharFormat symbol = test::FixedCharFormat();
    symbol.Face = "Symbol";
    symbol.Charset = SYMBOL_CHARSET;
    TRichFragment dot;
    dot.Paragraphs.back().Append("\xb7", document.CharFormats().Intern(symbol));
    document.Replace(document.Length(), 0, dot);
    TRichLinks links(document);
    links.SetEnabled(true);
    const TRichLayout layout(document);
    TBitmap bitmap;
    bitmap.SetSize(400, 40);
    TCanvas canvas(bitmap);
    TCanvasRecorder recorder(canvas);
    TRichPaintOptions options = YellowPage();
    options.Links = &links;
    PaintRichLines(canvas, layout, Point(0, 0), 0, 1, options);
    EXPECT_EQ(TextsDrawn(recorder), (std::vector<std::string>{"\x95", "see ", "www.example.org_",
                                                              " now", "\x95", "b", "\x95"}));
}

// Lines of one paragraph each underline their own part of its links, a link cut by a wrap on
// both of its lines, whichever line painting starts from.
TEST(PaintRichLines, UnderlinesOnEachWrappedLineTheLinksItHolds) {
    TRichDocument document;
    test::FillFixed(document, "ab www.abcdefghijklm x www.q.r\rwww.s");
    TRichLinks links(document);
    links.SetEnabled(true);
    TRichLayout layout(document);
    layout.SetWrapWidth(10 * test::FixedCharWidth);
    TBitmap bitmap;
    bitmap.SetSize(100, 200);
    TCanvas canvas(bitmap);
    TCanvasRecorder recorder(canvas);
    TRichPaintOptions options = YellowPage();
    options.Links = &links;
    PaintRichLines(canvas, layout, Point(0, 0), 0, layout.LineCount() - 1, options);
    EXPECT_EQ(TextsDrawn(recorder), (std::vector<std::string>{"ab ", "www.abcdef_", "ghijklm_",
                                                              " x ", "www.q.r_", "www.s_"}));
    recorder.Clear();
    PaintRichLines(canvas, layout, Point(0, 0), 2, 3, options);
    EXPECT_EQ(TextsDrawn(recorder), (std::vector<std::string>{"ghijklm_", " x ", "www.q.r_"}));
}

TEST(PaintRichLines, PaintsOnlyTheLinesThatMeetTheClip) {
    TRichDocument document;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += std::to_string(i) + "\r";
    test::FillFixed(document, text);
    const TRichLayout layout(document);
    TBitmap bitmap;
    bitmap.SetSize(50, 400);
    TCanvas canvas(bitmap);
    canvas.IntersectClipRect(Rect(0, 100, 50, 140));
    TCanvasRecorder recorder(canvas);
    // Drawn 200 pixels up: the clip holds lines 18 (its last 4 rows) to 21 (its first 4).
    PaintRichLines(canvas, layout, Point(0, -200), 0, layout.LineCount() - 1, YellowPage());
    EXPECT_EQ(TextsDrawn(recorder), (std::vector<std::string>{"18", "19", "20", "21"}));
    recorder.Clear();
    PaintRichLines(canvas, layout, Point(0, -200), 20, 20, YellowPage());
    EXPECT_EQ(TextsDrawn(recorder), (std::vector<std::string>{"20"}));

    // A row is one line, however many its cells hold: of those too only the ones in the clip.
    TRichParaFormat row;
    row.AddCell({750, 0});
    for (char& c : text)
        if (c == '\r') c = RichCellBreak;
    TRichDocument table;
    test::FillFixed(table, text + "\t", row);
    const TRichLayout rowLayout(table);
    recorder.Clear();
    PaintRichLines(canvas, rowLayout, Point(0, -200), 0, 0, YellowPage());
    EXPECT_EQ(TextsDrawn(recorder), (std::vector<std::string>{"18", "19", "20", "21"}));
}

}  // namespace
}  // namespace vex
