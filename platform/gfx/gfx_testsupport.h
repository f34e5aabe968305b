#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvasrecorder.h"
#include "tests/support/casefile.h"

namespace vex {

// Pictures in tests as rows of letters, one letter a pixel, through a legend of pixel words.
using TPictureRows = std::vector<std::string>;
using TPictureLegend = std::vector<std::pair<char, uint32_t>>;

inline const TPictureLegend& PlainLegend() {
    static const TPictureLegend legend = {
        {'.', 0xFFFFFF}, {'k', 0x000000}, {'r', 0xFF0000}, {'b', 0x0000FF}, {'g', 0x00FF00}};
    return legend;
}

// The bitmap's own pixels, whatever a canvas's origin and clip; '?' for a pixel not in the
// legend.
inline TPictureRows PictureOf(const TBitmap& Bitmap, const TPictureLegend& Legend = PlainLegend()) {
    TPictureRows rows;
    for (int32_t y = 0; y < Bitmap.Height(); ++y) {
        std::string row(static_cast<size_t>(Bitmap.Width()), '?');
        for (int32_t x = 0; x < Bitmap.Width(); ++x)
            for (const auto& [letter, pixel] : Legend)
                if (Bitmap.ScanLine(y)[x] == pixel) row[static_cast<size_t>(x)] = letter;
        rows.push_back(row);
    }
    return rows;
}

// Every pixel of the bitmap, row by row, with its width first.
inline std::vector<uint32_t> PixelsOf(const TBitmap& Bitmap) {
    std::vector<uint32_t> all{static_cast<uint32_t>(Bitmap.Width())};
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        all.insert(all.end(), Bitmap.ScanLine(y), Bitmap.ScanLine(y) + Bitmap.Width());
    return all;
}

// Every pixel a different colour: multiplying by an odd number is a bijection modulo 2^24.
inline void FillDistinct(TBitmap& Bitmap) {
    uint32_t i = 0;
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        for (int32_t x = 0; x < Bitmap.Width(); ++x)
            Bitmap.ScanLine(y)[x] = (i++ * 0x9E3779u) & 0xFFFFFF;
}

// Sizes the bitmap to the rows and paints them; a letter not in the legend paints white.
inline void PaintPicture(TBitmap& Bitmap, const TPictureRows& Rows,
                         const TPictureLegend& Legend = PlainLegend()) {
    Bitmap.SetSize(static_cast<int32_t>(Rows.at(0).size()), static_cast<int32_t>(Rows.size()));
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        for (int32_t x = 0; x < Bitmap.Width(); ++x) {
            uint32_t pixel = 0xFFFFFF;
            for (const auto& [letter, value] : Legend)
                if (Rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == letter) pixel = value;
            Bitmap.ScanLine(y)[x] = pixel;
        }
}

// Rows of someone else's buffer with a margin right of the view and a row below it, all holding
// Guard; the view itself starts white, as a new bitmap does.
struct TForeignRows {
    static constexpr uint32_t Guard = 0x123456;
    TForeignRows(int32_t Width, int32_t Height, int32_t Stride)
        : Pixels(static_cast<size_t>(Stride) * (Height + 1), Guard),
          View(Pixels.data(), Width, Height, Stride) {
        for (int32_t y = 0; y < Height; ++y)
            std::fill_n(View.ScanLine(y), Width, 0xFFFFFF);
    }
    bool OutsideUntouched() const {
        const auto stride = static_cast<size_t>(View.Stride());
        for (size_t i = 0; i < Pixels.size(); ++i) {
            const bool inside = i / stride < static_cast<size_t>(View.Height()) &&
                                i % stride < static_cast<size_t>(View.Width());
            if (!inside && Pixels[i] != Guard) return false;
        }
        return true;
    }
    std::vector<uint32_t> Pixels;
    TBitmap View;
};

// A recorded call's geometry in one line: "Name rects points \"text\" flags", each rectangle
// "l,t,r,b", each point "x,y", lists joined by ";", the text (line breaks as \n) and flags only
// when there are some.
inline std::string GeometryOf(const TCanvasCall& Call) {
    std::string line = Call.Name;
    const auto add = [&](const std::string& Part) { line += " " + Part; };
    std::string rects, points;
    for (const TRect& r : Call.Rects)
        rects += (rects.empty() ? "" : ";") + std::to_string(r.Left) + "," + std::to_string(r.Top) +
                 "," + std::to_string(r.Right) + "," + std::to_string(r.Bottom);
    for (const TPoint& p : Call.Points)
        points += (points.empty() ? "" : ";") + std::to_string(p.X) + "," + std::to_string(p.Y);
    if (!rects.empty()) add(rects);
    if (!points.empty()) add(points);
    std::string text;
    for (char ch : Call.Text)
        text += ch == '\n' ? std::string("\\n") : std::string(1, ch);
    if (!text.empty()) add("\"" + text + "\"");
    if (Call.Flags) add(std::to_string(Call.Flags));
    return line;
}

// Pictures from a file in testdata/ with how each is drawn: a block of the picture and, after
// "--", one line of the case's fields.
struct TPictureCase {
    std::string Name;
    TPictureRows Picture;
    test::TestCase Fields;
};
inline std::vector<TPictureCase> LoadPictureCases(const std::string& File) {
    std::vector<TPictureCase> cases;
    for (const test::TestBlock& b : test::ReadBlocks(VEX_TEST_DIR "/testdata/" + File))
        cases.push_back({b.Name, b.Parts.at(0), test::CaseOf(b.Parts.at(1).at(0), b.Where)});
    return cases;
}

// The rectangle of four fields of a case from First on: left, top, right, bottom.
inline TRect CaseRect(const test::TestCase& Case, size_t First) {
    const auto at = [&](size_t I) { return static_cast<int32_t>(Case.Int(First + I)); };
    return TRect{at(0), at(1), at(2), at(3)};
}

// The smallest rectangle holding every pixel that Matches; empty when there is none.
template <typename TMatch>
TRect InkBounds(const TBitmap& Bitmap, TMatch Matches) {
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        for (int32_t x = 0; x < Bitmap.Width(); ++x)
            if (Matches(Bitmap.ScanLine(y)[x])) {
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                     std::max(r.Bottom, y + 1)};
            }
    return r.Left == INT32_MAX ? TRect{} : r;
}

// Bounds of the pixels of one colour.
inline TRect InkBounds(const TBitmap& Bitmap, TColor Color) {
    const uint32_t pixel = ColorToPixel(Color);
    return InkBounds(Bitmap, [pixel](uint32_t P) { return (P & 0xFFFFFF) == pixel; });
}

// Runs one line of a picture's drawing (testdata/canvas.txt): a method of the canvas and its
// numbers.
inline void DrawCaseLine(TCanvas& C, const test::TestCase& Line) {
    const std::string& op = Line[0];
    const auto n = [&](size_t I) { return static_cast<int32_t>(Line.Int(I)); };
    if (op == "MoveTo") C.MoveTo(n(1), n(2));
    if (op == "LineTo") C.LineTo(n(1), n(2));
    if (op == "Rectangle") C.Rectangle(n(1), n(2), n(3), n(4));
    if (op == "FillRect") C.FillRect(Rect(n(1), n(2), n(3), n(4)));
    if (op == "FrameRect") C.FrameRect(Rect(n(1), n(2), n(3), n(4)));
    if (op == "FillRectWith") {
        TBrush brush;
        brush.SetColor(n(1));
        C.FillRect(Rect(n(2), n(3), n(4), n(5)), brush);
    }
    if (op == "Ellipse") C.Ellipse(n(1), n(2), n(3), n(4));
    if (op == "RoundRect") C.RoundRect(n(1), n(2), n(3), n(4), n(5), n(6));
    if (op == "PenStyle") C.Pen().SetStyle(static_cast<TPenStyle>(n(1)));
    if (op == "PenWidth") C.Pen().SetWidth(n(1));
    if (op == "BrushColor") C.Brush().SetColor(n(1));
    if (op == "BrushClear") C.Brush().SetStyle(bsClear);
    if (op != "Polygon") return;
    std::vector<TPoint> points;
    for (size_t i = 1; i + 1 < Line.size(); i += 2)
        points.push_back(Point(n(i), n(i + 1)));
    C.Polygon(points);
}

}  // namespace vex
