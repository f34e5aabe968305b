#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fontengine.h"

namespace vex {

namespace {

uint32_t Blend(uint32_t Dest, uint32_t Color, uint8_t Coverage) {
    if (Coverage == 255) return Color;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t d = (Dest >> shift) & 0xFF;
        const uint32_t c = (Color >> shift) & 0xFF;
        out |= ((c * Coverage + d * (255u - Coverage) + 127) / 255) << shift;
    }
    return out;
}

// Cosine and sine of an escapement; exact at the right angles so that upright and
// quarter-turned text lands on whole pixels.
void Direction(int32_t Tenths, double& Cos, double& Sin) {
    switch (Tenths) {
        case 0:
            Cos = 1, Sin = 0;
            return;
        case 900:
            Cos = 0, Sin = 1;
            return;
        case 1800:
            Cos = -1, Sin = 0;
            return;
        case 2700:
            Cos = 0, Sin = -1;
            return;
        default:
            const double a = Tenths * M_PI / 1800.0;
            Cos = std::cos(a);
            Sin = std::sin(a);
    }
}

int64_t FloorClamp(double V, int64_t Lo, int64_t Hi) {
    if (!(V > static_cast<double>(Lo))) return Lo;
    if (V > static_cast<double>(Hi)) return Hi;
    return static_cast<int64_t>(std::floor(V));
}

}  // namespace

std::shared_ptr<const TRealizedFont> TCanvas::RealizedFont() {
    // An unchanged font needs no description made to be compared.
    if (FRealized && FFont.Version() == FRealizedVersion) return FRealized;
    TLogFont wanted = FFont.LogFont();
    if (!FRealized || !(wanted == FRealizedFor)) {
        FRealized = RealizeFont(wanted);
        FRealizedFor = std::move(wanted);
    }
    FRealizedVersion = FFont.Version();
    return FRealized;
}

void TCanvas::TakeTextColors() {
    FTextColor = FFont.Color();
    FBkColor = FBrush.Color();
    FBkTransparent = FBrush.Style() == bsClear;
}

void TCanvas::TextOut(int32_t X, int32_t Y, const std::string& Text) {
    TakeTextColors();
    const TRecordedCall call(*this, "TextOut", [&](TCanvasCall& C) {
        C.Points = {OnDevice(*this, Point(X, Y))};
        C.Text = Text;
    });
    ExtTextOut(X, Y, 0, nullptr, Text);
}

void TCanvas::TextRect(const TRect& Rect, int32_t X, int32_t Y, const std::string& Text) {
    TakeTextColors();
    const TRecordedCall call(*this, "TextRect", [&](TCanvasCall& C) {
        C.Rects = {OnDevice(*this, Rect)};
        C.Points = {OnDevice(*this, Point(X, Y))};
        C.Text = Text;
    });
    const uint32_t options = ETO_CLIPPED | (FBrush.Style() == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOut(X, Y, options, &Rect, Text);
}

int32_t TCanvas::TextWidth(const std::string& Text) {
    return TextExtent(Text).cx;
}

int32_t TCanvas::TextHeight(const std::string& Text) {
    return TextExtent(Text).cy;
}

TSize TCanvas::TextExtent(const std::string& Text) {
    const auto face = RealizedFont();
    return TSize{SaturateToInt32(face->Width(Text)), face->Metrics().tmHeight};
}

void TCanvas::ExtTextOut(int32_t X, int32_t Y, uint32_t Options, const TRect* Rect,
                         std::string_view Text) {
    const TRecordedCall call(*this, "ExtTextOut", [&](TCanvasCall& C) {
        if (Rect) C.Rects = {OnDevice(*this, *Rect)};
        C.Points = {OnDevice(*this, Point(X, Y))};
        C.Text = Text;
        C.Flags = Options;
    });
    const auto face = RealizedFont();
    if (Rect && (Options & ETO_OPAQUE)) FillSolid(*Rect, ColorToPixel(FBkColor));
    if (!Rect || !(Options & ETO_CLIPPED)) {
        DrawTextRun(X, Y, Text, *face);
        return;
    }
    // The rectangle narrows this call's reach only. It goes through the base clip, which bounds
    // every clip: without a user clip the base clip is the whole clip. The clips are back however
    // the call ends.
    struct TRestore {
        TCanvas& Canvas;
        std::optional<TClipSpans> Base;
        ~TRestore() { Canvas.ExchangeBaseClip(std::move(Base)); }
    } restore{*this, ExchangeBaseClip(Clip().Intersected(OnDevice(*this, *Rect)))};
    DrawTextRun(X, Y, Text, *face);
}

void TCanvas::DrawTextRun(int32_t X, int32_t Y, std::string_view Text, const TRealizedFont& Face) {
    const TTextMetric& tm = Face.Metrics();
    const int64_t width = Face.Width(Text);
    const int64_t height = tm.tmHeight;
    const bool updateCP = FTextAlign & TA_UPDATECP;
    const TPoint ref = updateCP ? FPenPos : Point(X, Y);
    double cs = 1, sn = 0;
    Direction(FFont.Orientation(), cs, sn);

    // The reference point's place in the unrotated text box, whose top-left is (0, 0).
    const uint32_t horz = FTextAlign & TA_CENTER;
    const int64_t ax = horz == TA_CENTER ? width / 2 : horz == TA_RIGHT ? width : 0;
    const uint32_t vert = FTextAlign & TA_BASELINE;
    const int64_t ay = vert == TA_BASELINE ? tm.tmAscent : vert == TA_BOTTOM ? height : 0;

    if (updateCP) {
        const int64_t move = horz == TA_CENTER ? 0 : horz == TA_RIGHT ? -width : width;
        FPenPos = Point(SaturateToInt32(ref.X + std::llround(move * cs)),
                        SaturateToInt32(ref.Y - std::llround(move * sn)));
    }
    if (Text.empty()) return;
    const TBounds clip = LogicalClip();
    if (clip.Left >= clip.Right || clip.Top >= clip.Bottom) return;

    // The box's corners on the canvas give the rows and columns worth visiting.
    const auto toCanvasX = [&](double U, double V) { return ref.X + U * cs + V * sn; };
    const auto toCanvasY = [&](double U, double V) { return ref.Y - U * sn + V * cs; };
    const double us[2] = {static_cast<double>(-ax), static_cast<double>(width - ax)};
    const double vs[2] = {static_cast<double>(-ay), static_cast<double>(height - ay)};
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (double u : us)
        for (double v : vs) {
            minX = std::min(minX, toCanvasX(u, v));
            maxX = std::max(maxX, toCanvasX(u, v));
            minY = std::min(minY, toCanvasY(u, v));
            maxY = std::max(maxY, toCanvasY(u, v));
        }
    const int64_t x0 = FloorClamp(minX, clip.Left, clip.Right);
    const int64_t x1 = FloorClamp(std::ceil(maxX), clip.Left, clip.Right);
    const int64_t y0 = FloorClamp(minY, clip.Top, clip.Bottom);
    const int64_t y1 = FloorClamp(std::ceil(maxY), clip.Top, clip.Bottom);
    if (x0 >= x1 || y0 >= y1) return;

    // Only the part of the text box those pixels map back to is rasterised, so a megabyte of
    // text costs memory for what shows and time linear in its length.
    const auto toBoxU = [&](double Dx, double Dy) { return Dx * cs - Dy * sn + ax; };
    const auto toBoxV = [&](double Dx, double Dy) { return Dx * sn + Dy * cs + ay; };
    double minU = INFINITY, maxU = -INFINITY, minV = INFINITY, maxV = -INFINITY;
    for (int64_t cx : {x0, x1})
        for (int64_t cy : {y0, y1}) {
            const double dx = static_cast<double>(cx - ref.X);
            const double dy = static_cast<double>(cy - ref.Y);
            minU = std::min(minU, toBoxU(dx, dy));
            maxU = std::max(maxU, toBoxU(dx, dy));
            minV = std::min(minV, toBoxV(dx, dy));
            maxV = std::max(maxV, toBoxV(dx, dy));
        }
    const int64_t u0 = FloorClamp(minU - 1, 0, width);
    const int64_t u1 = FloorClamp(std::ceil(maxU) + 1, 0, width);
    const int64_t v0 = FloorClamp(minV - 1, 0, height);
    const int64_t v1 = FloorClamp(std::ceil(maxV) + 1, 0, height);
    if (u0 >= u1 || v0 >= v1) return;

    // Walks the coverage of every glyph and line that can show, in box coordinates, handing
    // each covered pixel of [u0, u1) x [v0, v1) to Sink(U, V, Coverage).
    const auto walkCoverage = [&](auto&& Sink) {
        const auto cover = [&](int64_t U, int64_t V, uint8_t C) {
            if (U >= u0 && U < u1 && V >= v0 && V < v1) Sink(U, V, C);
        };
        // A glyph may reach a little beyond its advance (italics, overhangs).
        const int64_t reach = int64_t{tm.tmMaxCharWidth} + height;
        int64_t pen = 0;
        for (char ch : Text) {
            const uint8_t c = static_cast<uint8_t>(ch);
            const int64_t advance = Face.Advance(c);
            if (pen + advance + reach > u0 && pen - reach < u1) {
                const auto glyph = Face.Glyph(c);
                const int64_t left = pen + glyph->Left;
                const int64_t top = int64_t{tm.tmAscent} - glyph->Top;
                for (int32_t gy = 0; gy < glyph->Height; ++gy) {
                    const uint8_t* coverage =
                        glyph->Coverage.data() + static_cast<size_t>(gy) * glyph->Width;
                    for (int32_t gx = 0; gx < glyph->Width; ++gx)
                        if (coverage[gx]) cover(left + gx, top + gy, coverage[gx]);
                }
            }
            pen += advance;
            if (pen - reach >= u1) break;
        }
        const auto line = [&](int64_t Top) {
            for (int64_t v = Top; v < Top + Face.LineThickness(); ++v)
                for (int64_t u = u0; u < u1; ++u)
                    cover(u, v, 255);
        };
        const TFontStyles style = FFont.Style();
        if (style.Contains(fsUnderline)) line(int64_t{tm.tmAscent} + Face.UnderlineOffset());
        if (style.Contains(fsStrikeOut)) line(int64_t{tm.tmAscent} - Face.StrikeOutOffset());
    };

    const uint32_t text = ColorToPixel(FTextColor);
    const uint32_t back = ColorToPixel(FBkColor);
    if (sn == 0 && cs == 1) {
        // Upright text, the common case: the box lies on the canvas shifted, so the background
        // is a fill and each glyph blends straight into the bitmap.
        const int64_t du = ax - ref.X, dv = ay - ref.Y;
        const int64_t xs = std::max(x0, -du), xe = std::min(x1, width - du);
        const int64_t ys = std::max(y0, -dv), ye = std::min(y1, height - dv);
        if (xs >= xe || ys >= ye) return;
        if (!FBkTransparent)
            FillSolid(vex::Rect(static_cast<int32_t>(xs), static_cast<int32_t>(ys),
                                static_cast<int32_t>(xe), static_cast<int32_t>(ye)),
                      back);
        // Glyphs come row by row, so the row last written is kept at hand.
        int64_t rowY = INT64_MIN;
        uint32_t* row = nullptr;
        const auto blend = [&](int64_t X, int64_t Y, uint8_t C) {
            if (Y != rowY) {
                rowY = Y;
                row = FBitmap.ScanLine(static_cast<int32_t>(Y + FOrigin.Y)) + FOrigin.X;
            }
            row[X] = Blend(row[X], text, C);
        };
        // Within a rectangular clip the bounds above are the whole test.
        const TClipSpans& visible = Clip();
        const bool rectangular = visible.IsRect();
        walkCoverage([&](int64_t U, int64_t V, uint8_t C) {
            const int64_t x = U - du, y = V - dv;
            if (x < xs || x >= xe || y < ys || y >= ye) return;
            if (rectangular || visible.Contains(x + FOrigin.X, y + FOrigin.Y)) blend(x, y, C);
        });
        return;
    }

    // Rotated text: the coverage is gathered in the box first, then each pixel of the canvas
    // takes the box pixel its centre falls in.
    const int64_t maskW = u1 - u0;
    std::vector<uint8_t> mask(static_cast<size_t>(maskW * (v1 - v0)), 0);
    walkCoverage([&](int64_t U, int64_t V, uint8_t C) {
        uint8_t& m = mask[static_cast<size_t>((V - v0) * maskW + (U - u0))];
        m = std::max(m, C);
    });
    const TClipSpans& visible = Clip();
    for (int64_t y = y0; y < y1; ++y) {
        uint32_t* row = FBitmap.ScanLine(static_cast<int32_t>(y + FOrigin.Y)) + FOrigin.X;
        const double dy = static_cast<double>(y - ref.Y) + 0.5;
        for (int64_t x = x0; x < x1; ++x) {
            if (!visible.Contains(x + FOrigin.X, y + FOrigin.Y)) continue;
            const double dx = static_cast<double>(x - ref.X) + 0.5;
            const double fu = std::floor(toBoxU(dx, dy));
            const double fv = std::floor(toBoxV(dx, dy));
            if (fu < 0 || fv < 0 || fu >= static_cast<double>(width) ||
                fv >= static_cast<double>(height))
                continue;
            if (!FBkTransparent) row[x] = back;
            const auto u = static_cast<int64_t>(fu), v = static_cast<int64_t>(fv);
            if (u < u0 || u >= u1 || v < v0 || v >= v1) continue;
            if (uint8_t a = mask[static_cast<size_t>((v - v0) * maskW + (u - u0))])
                row[x] = Blend(row[x], text, a);
        }
    }
}

}  // namespace vex
