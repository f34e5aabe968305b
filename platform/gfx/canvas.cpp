#include "platform/gfx/canvas.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/polygonfill.h"
#include "platform/gfx/shapespans.h"

namespace vex {

namespace {

uint32_t CopyOp(uint32_t, uint32_t Color) {
    return Color;
}
uint32_t NotOp(uint32_t Dest, uint32_t) {
    return ~Dest & 0xFFFFFF;
}
uint32_t XorOp(uint32_t Dest, uint32_t Color) {
    return Dest ^ Color;
}

bool PatternOn(std::span<const int64_t> Pattern, int64_t Phase) {
    if (Pattern.empty()) return true;
    int64_t cycle = 0;
    for (int64_t run : Pattern)
        cycle += run;
    int64_t at = Phase % cycle;
    for (size_t i = 0; i < Pattern.size(); ++i) {
        if (at < Pattern[i]) return i % 2 == 0;
        at -= Pattern[i];
    }
    return false;
}

// A coordinate far outside [Lo, Hi) behaves like one just outside it; doubles beyond the int64
// range would make the conversion undefined.
int64_t ClampToInt(double V, int64_t Lo, int64_t Hi) {
    if (!(V > static_cast<double>(Lo) - 1.0)) return Lo - 1;
    if (V > static_cast<double>(Hi) + 1.0) return Hi + 1;
    return static_cast<int64_t>(V);
}

}  // namespace

TCanvas::TPaint TCanvas::PenPaint() const {
    const uint32_t color = ColorToPixel(FPen.Color());
    switch (FPen.Mode()) {
        case pmNot:
            return {color, NotOp};
        case pmXor:
            return {color, XorOp};
        default:
            return {color, CopyOp};
    }
}

TCanvas::TPaint TCanvas::BrushPaint() const {
    // The brush's colour or pattern, combined as the pen's mode says.
    TPaint paint = BrushCopyPaint(FBrush);
    paint.Op = PenPaint().Op;
    return paint;
}

TCanvas::TPaint TCanvas::BrushCopyPaint(const TBrush& Brush) const {
    TPaint paint{ColorToPixel(Brush.Color()), CopyOp};
    if (!Brush.Pattern().Empty()) paint.Pattern = &Brush.Pattern();
    return paint;
}

uint32_t TCanvas::PaintColor(const TPaint& Paint, int64_t X, int64_t Y) const {
    return Paint.Pattern ? Paint.Pattern->At(X + FOrigin.X, Y + FOrigin.Y) : Paint.Color;
}

TCanvas::TCanvas(TBitmap& ABitmap) : FBitmap(ABitmap) {
    // As on the original, the context takes the font's colour whenever the font changes, so
    // DrawText on the handle writes in it.
    FFont.OnChange = [this](TObject*) { FTextColor = FFont.Color(); };
}

uint32_t* TCanvas::PixelAt(int64_t X, int64_t Y) {
    const int64_t x = X + FOrigin.X, y = Y + FOrigin.Y;
    if (!Clip().Contains(x, y)) return nullptr;
    return FBitmap.ScanLine(static_cast<int32_t>(y)) + x;
}

void TCanvas::Plot(const TClipSpans& Visible, int64_t X, int64_t Y, TPaint Paint) {
    const int64_t x = X + FOrigin.X, y = Y + FOrigin.Y;
    if (!Visible.Contains(x, y)) return;
    uint32_t& p = FBitmap.ScanLine(static_cast<int32_t>(y))[x];
    p = Paint.Op(p, PaintColor(Paint, X, Y));
}

void TCanvas::Plot(int64_t X, int64_t Y, TPaint Paint) {
    Plot(Clip(), X, Y, Paint);
}

void TCanvas::FillSpan(int64_t Y, int64_t X0, int64_t X1, TPaint Paint) {
    ForEachVisibleRun(Y, X0, X1, [&](int64_t From, int64_t To) {
        uint32_t* row = FBitmap.ScanLine(static_cast<int32_t>(Y + FOrigin.Y)) + FOrigin.X;
        if (Paint.Op == CopyOp && !Paint.Pattern) {
            std::fill(row + From, row + To, Paint.Color);
            return;
        }
        for (int64_t x = From; x < To; ++x)
            row[x] = Paint.Op(row[x], PaintColor(Paint, x, Y));
    });
}

void TCanvas::FillPolygon(const std::vector<TPointF>& Points, TPaint Paint) {
    if (Points.size() < 3) return;
    const TBounds clip = DeviceClip();
    // A pixel belongs to the polygon when its centre does.
    ScanPolygon(Points, clip.Top, clip.Bottom, [&](int64_t Y, double Left, double Right) {
        FillSpan(Y, ClampToInt(std::ceil(Left - 0.5), clip.Left, clip.Right),
                 ClampToInt(std::ceil(Right - 0.5), clip.Left, clip.Right), Paint);
    });
}

void TCanvas::StrokeThin(TPoint A, TPoint B, int64_t& Phase, TPaint Paint) {
    const int64_t dx = int64_t{B.X} - A.X;
    const int64_t dy = int64_t{B.Y} - A.Y;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t steps = std::max(std::abs(dx), std::abs(dy));
    const int64_t majorStart = xMajor ? A.X : A.Y;
    const int64_t minorStart = xMajor ? A.Y : A.X;
    const int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorDelta = xMajor ? dy : dx;
    const TBounds clip = DeviceClip();
    const int64_t majorLo = xMajor ? clip.Left : clip.Top;
    const int64_t majorHi = xMajor ? clip.Right : clip.Bottom;

    // Only the steps whose major coordinate lies inside the clip are walked, so a line
    // billions of pixels long costs no more than one across the bitmap.
    int64_t from = majorSign > 0 ? majorLo - majorStart : majorStart - majorHi + 1;
    int64_t to = majorSign > 0 ? majorHi - majorStart : majorStart - majorLo + 1;
    from = std::max<int64_t>(from, 0);
    to = std::min(to, steps);
    const int64_t phase = Phase;
    Phase += steps;
    if (from >= to) return;
    const auto pattern = DashPattern(FPen.Style());
    const TClipSpans& visible = Clip();
    // The minor offset at step i is floor((2 i delta + steps) / (2 steps)), the nearest pixel.
    // It is divided out once, in 128 bits because i * delta can pass 2^63 for coordinates at
    // both ends of the 32-bit range; from there each step moves the remainder by 2 delta, which
    // never carries more than one.
    const int64_t divisor = 2 * steps;
    const __int128 num = static_cast<__int128>(2) * from * minorDelta + steps;
    __int128 quotient = num / divisor;
    __int128 remainder = num % divisor;
    if (remainder < 0) remainder += divisor, --quotient;
    int64_t minor = minorStart + static_cast<int64_t>(quotient);
    int64_t rest = static_cast<int64_t>(remainder);
    for (int64_t i = from; i < to; ++i) {
        if (PatternOn(pattern, phase + i)) {
            const int64_t major = majorStart + majorSign * i;
            if (xMajor)
                Plot(visible, major, minor, Paint);
            else
                Plot(visible, minor, major, Paint);
        }
        rest += 2 * minorDelta;
        if (rest >= divisor)
            rest -= divisor, ++minor;
        else if (rest < 0)
            rest += divisor, --minor;
    }
}

void TCanvas::StrokeWide(TPoint A, TPoint B, TPaint Paint) {
    const double half = PenWidthOnDevice() / 2.0;
    const double ax = A.X + 0.5, ay = A.Y + 0.5, bx = B.X + 0.5, by = B.Y + 0.5;
    const double length = std::hypot(bx - ax, by - ay);
    // Unit direction; a zero-length segment still leaves a square dot.
    const double ux = length > 0 ? (bx - ax) / length : 1.0;
    const double uy = length > 0 ? (by - ay) / length : 0.0;
    const double nx = -uy * half, ny = ux * half;
    const double sx = ux * half, sy = uy * half;
    FillPolygon({{ax - sx + nx, ay - sy + ny},
                 {bx + sx + nx, by + sy + ny},
                 {bx + sx - nx, by + sy - ny},
                 {ax - sx - nx, ay - sy - ny}},
                Paint);
}

void TCanvas::StrokeSegment(TPoint A, TPoint B, int64_t& Phase) {
    if (FPen.Style() == psClear) return;
    if (PenWidthOnDevice() > 1)
        StrokeWide(A, B, PenPaint());
    else
        StrokeThin(A, B, Phase, PenPaint());
}

void TCanvas::StrokePath(const std::vector<TPoint>& Points, bool Closed) {
    int64_t phase = 0;
    for (size_t i = 0; i + 1 < Points.size(); ++i)
        StrokeSegment(Points[i], Points[i + 1], phase);
    if (Closed && Points.size() > 1) StrokeSegment(Points.back(), Points.front(), phase);
}

void TCanvas::LineTo(int32_t X, int32_t Y) {
    const TRecordedCall call(*this, "LineTo", [&](TCanvasCall& C) {
        C.Points = {OnDevice(*this, FPenPos), OnDevice(*this, Point(X, Y))};
    });
    int64_t phase = 0;
    StrokeSegment(LPtoDP(FPenPos), LPtoDP(Point(X, Y)), phase);
    FPenPos = Point(X, Y);
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
    const TRecordedCall call(*this, "Polyline",
                             [&](TCanvasCall& C) { C.Points = OnDevice(*this, Points); });
    if (FMapped)
        StrokePath(FMapping.ToDevice(Points), false);
    else
        StrokePath(Points, false);
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
    const TRecordedCall call(*this, "Polygon",
                             [&](TCanvasCall& C) { C.Points = OnDevice(*this, Points); });
    std::vector<TPoint> mapped;
    if (FMapped) mapped = FMapping.ToDevice(Points);
    const std::vector<TPoint>& device = FMapped ? mapped : Points;
    if (FBrush.Style() != bsClear) {
        std::vector<TPointF> corners;
        corners.reserve(device.size());
        for (const TPoint& p : device)
            corners.push_back({static_cast<double>(p.X), static_cast<double>(p.Y)});
        FillPolygon(corners, BrushPaint());
    }
    StrokePath(device, true);
}

void TCanvas::DrawShape(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int64_t CornerW,
                        int64_t CornerH) {
    int64_t left = std::min(X1, X2), right = std::max(X1, X2);
    int64_t top = std::min(Y1, Y2), bottom = std::max(Y1, Y2);
    const bool pen = FPen.Style() != psClear;
    const bool brush = FBrush.Style() != bsClear;
    if (!pen) {
        --right;
        --bottom;
    }
    if (left >= right || top >= bottom) return;
    const TShapeSpans spans(left, top, right, bottom, CornerW, CornerH);
    const int64_t penWidth = PenWidthOnDevice();
    const int64_t inset = pen ? penWidth : 0;
    const TBounds clip = DeviceClip();
    const int64_t first = std::max(top, clip.Top);
    const int64_t last = std::min(bottom, clip.Bottom);
    const TPaint brushPaint = BrushPaint();
    const TPaint penPaint = PenPaint();
    const auto pattern = DashPattern(FPen.Style());
    const bool dashed = pen && penWidth == 1 && !pattern.empty();

    // A dashed outline is collected first and ordered around the centre, so the pattern runs
    // along the curve rather than row by row.
    std::vector<TPoint> outline;
    for (int64_t y = first; y < last; ++y) {
        const TShapeSpans::TSpan row = spans.Row(y);
        const TShapeSpans::TSpan inner = inset > 0 ? spans.InnerRow(y, inset) : row;
        const bool hollow = inner.Lo >= inner.Hi;
        if (brush && !hollow) FillSpan(y, inner.Lo, inner.Hi, brushPaint);
        if (!pen) continue;
        const int64_t ends[2][2] = {{row.Lo, hollow ? row.Hi : inner.Lo},
                                    {hollow ? row.Hi : inner.Hi, row.Hi}};
        for (const auto& end : ends) {
            if (!dashed) {
                FillSpan(y, end[0], end[1], penPaint);
                continue;
            }
            const int64_t from = std::max(end[0], clip.Left);
            const int64_t to = std::min(end[1], clip.Right);
            for (int64_t x = from; x < to; ++x)
                outline.push_back(Point(static_cast<int32_t>(x), static_cast<int32_t>(y)));
        }
    }
    if (outline.empty()) return;
    const double cx = (static_cast<double>(left) + right - 1) / 2.0;
    const double cy = (static_cast<double>(top) + bottom - 1) / 2.0;
    std::sort(outline.begin(), outline.end(), [&](TPoint a, TPoint b) {
        return std::atan2(a.Y - cy, a.X - cx) < std::atan2(b.Y - cy, b.X - cx);
    });
    for (size_t i = 0; i < outline.size(); ++i)
        if (PatternOn(pattern, static_cast<int64_t>(i))) Plot(outline[i].X, outline[i].Y, penPaint);
}

void TCanvas::Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    const TRecordedCall call(*this, "Rectangle", [&](TCanvasCall& C) {
        C.Rects = {OnDevice(*this, vex::Rect(X1, Y1, X2, Y2))};
    });
    const TRect d = LPtoDP(vex::Rect(X1, Y1, X2, Y2));
    DrawShape(d.Left, d.Top, d.Right, d.Bottom, 0, 0);
}

void TCanvas::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    const TRecordedCall call(*this, "Ellipse", [&](TCanvasCall& C) {
        C.Rects = {OnDevice(*this, vex::Rect(X1, Y1, X2, Y2))};
    });
    const TRect d = LPtoDP(vex::Rect(X1, Y1, X2, Y2));
    DrawShape(d.Left, d.Top, d.Right, d.Bottom, std::abs(int64_t{d.Right} - d.Left),
              std::abs(int64_t{d.Bottom} - d.Top));
}

void TCanvas::RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3) {
    const int64_t cornerW = FMapped ? FMapping.WidthToDevice(X3) : std::abs(int64_t{X3});
    const int64_t cornerH = FMapped ? FMapping.HeightToDevice(Y3) : std::abs(int64_t{Y3});
    const TRecordedCall call(*this, "RoundRect", [&](TCanvasCall& C) {
        C.Rects = {OnDevice(*this, vex::Rect(X1, Y1, X2, Y2))};
        C.Points = {FMapped ? Point(SaturateToInt32(cornerW), SaturateToInt32(cornerH))
                            : Point(X3, Y3)};
    });
    const TRect d = LPtoDP(vex::Rect(X1, Y1, X2, Y2));
    DrawShape(d.Left, d.Top, d.Right, d.Bottom, cornerW, cornerH);
}

void TCanvas::FillRect(const TRect& R) {
    FillRect(R, FBrush);
}

void TCanvas::FillRect(const TRect& R, const TBrush& Brush) {
    const TRecordedCall call(*this, "FillRect", [&](TCanvasCall& C) {
        C.Rects = {OnDevice(*this, R)};
        C.BrushColor = Brush.Color();
        C.BrushStyle = Brush.Style();
    });
    if (Brush.Style() == bsClear) return;
    const TRect d = LPtoDP(R);
    const TPaint paint = BrushCopyPaint(Brush);
    if (!paint.Pattern) {
        FillSolid(d, paint.Color);
        return;
    }
    const TBounds clip = DeviceClip();
    for (int64_t y = std::max<int64_t>(d.Top, clip.Top);
         y < std::min<int64_t>(d.Bottom, clip.Bottom); ++y)
        FillSpan(y, d.Left, d.Right, paint);
}

void TCanvas::FillSolid(const TRect& R, uint32_t Pixel) {
    const TClipSpans& clip = Clip();
    // The clip lies within the bitmap, so every row it reaches is a row of it.
    if (clip.Empty()) return;
    uint32_t* const pixels = FBitmap.ScanLine(0);
    const int64_t stride = FBitmap.Stride();
    const int64_t dx = FOrigin.X, dy = FOrigin.Y;
    clip.ForEachSpan(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy,
                     [&](int64_t Y, int64_t Left, int64_t Right) {
                         uint32_t* const row = pixels + Y * stride;
                         std::fill(row + Left, row + Right, Pixel);
                     });
}

void TCanvas::FrameRect(const TRect& Logical) {
    const TRecordedCall call(*this, "FrameRect",
                             [&](TCanvasCall& C) { C.Rects = {OnDevice(*this, Logical)}; });
    const TRect R = LPtoDP(Logical);
    if (R.Left >= R.Right || R.Top >= R.Bottom) return;
    const TPaint paint = BrushCopyPaint(FBrush);
    FillSpan(R.Top, R.Left, R.Right, paint);
    FillSpan(int64_t{R.Bottom} - 1, R.Left, R.Right, paint);
    const TBounds clip = DeviceClip();
    for (int64_t y = std::max<int64_t>(int64_t{R.Top} + 1, clip.Top);
         y < std::min<int64_t>(int64_t{R.Bottom} - 1, clip.Bottom); ++y) {
        Plot(R.Left, y, paint);
        Plot(int64_t{R.Right} - 1, y, paint);
    }
}

TColor TCanvas::Pixels(int32_t X, int32_t Y) const {
    const TPoint d = LPtoDP(Point(X, Y));
    const uint32_t* p = const_cast<TCanvas*>(this)->PixelAt(d.X, d.Y);
    return p ? PixelToColor(*p) : -1;
}

void TCanvas::SetPixels(int32_t X, int32_t Y, TColor Value) {
    const TRecordedCall call(*this, "SetPixels", [&](TCanvasCall& C) {
        C.Points = {OnDevice(*this, Point(X, Y))};
        C.Color = Value;
    });
    const TPoint d = LPtoDP(Point(X, Y));
    Plot(d.X, d.Y, TPaint{ColorToPixel(Value), CopyOp});
}

}  // namespace vex
