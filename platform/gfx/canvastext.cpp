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

// Each channel is (Color * Coverage + Dest * (255 - Coverage)) / 255, rounded to nearest. Red
// and blue share one multiply, each in its own 16 bits, and the division is the exact
// (X + 1 + X / 256) / 256 that holds for every X up to 255 * 255 + 127.
uint32_t Blend(uint32_t Dest, uint32_t Color, uint8_t Coverage) {
    if (Coverage == 255) return Color;
    const uint32_t inverse = 255u - Coverage;
    uint32_t redBlue = (Color & 0xFF00FF) * Coverage + (Dest & 0xFF00FF) * inverse + 0x7F007F;
    uint32_t green = (Color & 0xFF00) * Coverage + (Dest & 0xFF00) * inverse + 0x7F00;
    redBlue = ((redBlue + 0x10001 + ((redBlue >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    green = ((green + 0x100 + ((green >> 8) & 0xFFFF00)) >> 8) & 0xFF00;
    return redBlue | green;
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
    TLogFont wanted = FMapping.FontToDevice(FFont.LogFont());
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

TSize TCanvas::TextExtent(std::string_view Text) {
    const auto face = RealizedFont();
    const int64_t width = face->Width(Text);
    const int64_t height = face->Metrics().tmHeight;
    if (!FMapped) return TSize{SaturateToInt32(width), SaturateToInt32(height)};
    return TSize{SaturateToInt32(FMapping.WidthToLogical(width)),
                 SaturateToInt32(FMapping.HeightToLogical(height))};
}

void TCanvas::ExtTextOut(int32_t X, int32_t Y, uint32_t Options, const TRect* Rect,
                         std::string_view Text) {
    const auto face = RealizedFont();
    const bool updateCP = FTextAlign & TA_UPDATECP;
    const TRecordedCall call(*this, "ExtTextOut", [&](TCanvasCall& C) {
        if (Rect) C.Rects = {OnDevice(*this, *Rect)};
        C.Points = {OnDevice(*this, updateCP ? FPenPos : Point(X, Y))};
        C.Text = Text;
        C.Flags = Options;
        C.Face = face;
    });
    const TPoint ref = LPtoDP(updateCP ? FPenPos : Point(X, Y));
    const TRect box = Rect ? LPtoDP(*Rect) : TRect{};
    if (Rect && (Options & ETO_OPAQUE)) FillSolid(box, ColorToPixel(FBkColor));
    // The end is a pixel; a pen the text did not move keeps its place between pixels.
    const auto movePen = [&](TPoint End) {
        if (updateCP && !(End == ref)) FPenPos = DPtoLP(End);
    };
    if (!Rect || !(Options & ETO_CLIPPED)) {
        movePen(DrawTextRun(ref, updateCP, Text, *face));
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
    movePen(DrawTextRun(ref, updateCP, Text, *face));
}

TPoint TCanvas::DrawTextRun(TPoint Ref, bool UpdateCP, std::string_view Text,
                            const TRealizedFont& Face) {
    const TTextMetric& tm = Face.Metrics();
    const int64_t width = Face.Width(Text);
    const int64_t height = tm.tmHeight;
    const TPoint ref = Ref;
    double cs = 1, sn = 0;
    Direction(FFont.Orientation(), cs, sn);

    // The reference point's place in the unrotated text box, whose top-left is (0, 0).
    const TTextAnchor anchor = TextAnchor(tm, width, FTextAlign);
    const int64_t ax = anchor.X, ay = anchor.Y;
    const uint32_t horz = FTextAlign & TA_CENTER;

    // Only asked for when the pen moves: rounding is a library call, and this runs for every
    // text a screen paints.
    TPoint end = ref;
    if (UpdateCP) {
        const int64_t move = horz == TA_CENTER ? 0 : horz == TA_RIGHT ? -width : width;
        end = Point(SaturateToInt32(ref.X + std::llround(move * cs)),
                    SaturateToInt32(ref.Y - std::llround(move * sn)));
    }
    if (Text.empty()) return end;
    const TBounds clip = DeviceClip();
    if (clip.Left >= clip.Right || clip.Top >= clip.Bottom) return end;

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
    if (x0 >= x1 || y0 >= y1) return end;

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
    if (u0 >= u1 || v0 >= v1) return end;

    // Walks the coverage of every glyph and line that can show, in box coordinates, handing
    // each row of it that falls in [u0, u1) x [v0, v1), cut to those bounds, to
    // Sink(U, V, Coverage, Count): Count pixels from (U, V) on, some of them maybe uncovered.
    const auto walkCoverage = [&](auto&& Sink) {
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
                const int64_t gx0 = std::max<int64_t>(0, u0 - left);
                const int64_t gx1 = std::min<int64_t>(glyph->Width, u1 - left);
                const int64_t gy0 = std::max<int64_t>(0, v0 - top);
                const int64_t gy1 = std::min<int64_t>(glyph->Height, v1 - top);
                for (int64_t gy = gy0; gx0 < gx1 && gy < gy1; ++gy)
                    Sink(left + gx0, top + gy,
                         glyph->Coverage.data() + static_cast<size_t>(gy * glyph->Width + gx0),
                         gx1 - gx0);
            }
            pen += advance;
            if (pen - reach >= u1) break;
        }
        const TFontStyles style = FFont.Style();
        if (!style.Contains(fsUnderline) && !style.Contains(fsStrikeOut)) return;
        const std::vector<uint8_t> solid(static_cast<size_t>(u1 - u0), 255);
        const auto line = [&](int64_t Top) {
            const int64_t end = std::min(Top + Face.LineThickness(), v1);
            for (int64_t v = std::max(Top, v0); v < end; ++v)
                Sink(u0, v, solid.data(), u1 - u0);
        };
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
        if (xs >= xe || ys >= ye) return end;
        if (!FBkTransparent)
            FillSolid(vex::Rect(static_cast<int32_t>(xs), static_cast<int32_t>(ys),
                                static_cast<int32_t>(xe), static_cast<int32_t>(ye)),
                      back);
        // Within a rectangular clip the bounds above are the whole test.
        const TClipSpans& visible = Clip();
        const bool rectangular = visible.IsRect();
        walkCoverage([&](int64_t U, int64_t V, const uint8_t* Coverage, int64_t Count) {
            const int64_t y = V - dv;
            if (y < ys || y >= ye) return;
            const int64_t first = U - du;  // where Coverage[0] lands
            const int64_t from = std::max(first, xs), to = std::min(first + Count, xe);
            if (from >= to) return;
            uint32_t* row = FBitmap.ScanLine(static_cast<int32_t>(y + FOrigin.Y)) + FOrigin.X;
            for (int64_t x = from; x < to; ++x) {
                const uint8_t c = Coverage[x - first];
                if (c && (rectangular || visible.Contains(x + FOrigin.X, y + FOrigin.Y)))
                    row[x] = Blend(row[x], text, c);
            }
        });
        return end;
    }

    // Rotated text: the coverage is gathered in the box first, then each pixel of the canvas
    // takes the box pixel its centre falls in.
    const int64_t maskW = u1 - u0;
    std::vector<uint8_t> mask(static_cast<size_t>(maskW * (v1 - v0)), 0);
    walkCoverage([&](int64_t U, int64_t V, const uint8_t* Coverage, int64_t Count) {
        uint8_t* m = mask.data() + static_cast<size_t>((V - v0) * maskW + (U - u0));
        for (int64_t i = 0; i < Count; ++i)
            m[i] = std::max(m[i], Coverage[i]);
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
    return end;
}

}  // namespace vex
