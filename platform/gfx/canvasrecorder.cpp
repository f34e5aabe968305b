#include "platform/gfx/canvasrecorder.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/rasterops.h"

namespace vex {

TCanvasRecorder::TCanvasRecorder() : FPrevious(FCurrent) {
    FCurrent = this;
}

TCanvasRecorder::TCanvasRecorder(const TCanvas& Canvas) : TCanvasRecorder() {
    FOnly = &Canvas;
}

TCanvasRecorder::TCanvasRecorder(TCanvas& Canvas, TRecordLevel Level)
    : FPrevious(Canvas.FAttachedRecorder), FAttachedTo(&Canvas), FLevel(Level) {
    Canvas.FAttachedRecorder = this;
}

TCanvasRecorder::~TCanvasRecorder() {
    if (FAttachedTo) {
        // Recorders attached over one another may go in any order: this one leaves the chain
        // wherever it is, and the one it covered records again.
        TCanvasRecorder** link = &FAttachedTo->FAttachedRecorder;
        while (*link && *link != this)
            link = &(*link)->FPrevious;
        if (*link) *link = FPrevious;
    } else
        FCurrent = FPrevious;
}

std::vector<TCanvasCall> TCanvasRecorder::Named(std::string_view Name) const {
    std::vector<TCanvasCall> named;
    for (const TCanvasCall& call : FCalls)
        if (call.Name == Name) named.push_back(call);
    return named;
}

TCanvasCall& TCanvasRecorder::Begin(TCanvas& Canvas, std::string_view Name) {
    if (!FOpen.empty()) FOpen.back().Superseded = true;
    FOpen.push_back({FCalls.size(), false});
    TCanvasCall& call = FCalls.emplace_back();
    call.Canvas = &Canvas;
    call.Name = Name;
    call.PenColor = Canvas.Pen().Color();
    call.PenStyle = Canvas.Pen().Style();
    call.PenWidth = Canvas.PenWidthOnDevice();
    call.PenMode = Canvas.Pen().Mode();
    call.BrushColor = Canvas.Brush().Color();
    call.BrushStyle = Canvas.Brush().Style();
    call.FontName = Canvas.Font().Name();
    call.FontSize = Canvas.Font().Size();
    call.FontStyle = Canvas.Font().Style();
    call.TextColor = Canvas.TextColor();
    call.BkColor = Canvas.BkTransparent() ? clNone : Canvas.BkColor();
    call.TextAlign = Canvas.TextAlign();
    call.Escapement = Canvas.Font().Orientation();
    if (Canvas.FUserClip) call.UserClip = *Canvas.FUserClip;
    return call;
}

void TCanvasRecorder::End() {
    const TOpenCall ended = FOpen.back();
    FOpen.pop_back();
    // Only the primitives it came down to stay; they follow it.
    if (ended.Superseded && FLevel == TRecordLevel::Primitives)
        FCalls.erase(FCalls.begin() + static_cast<std::ptrdiff_t>(ended.Index));
}

std::shared_ptr<const TPixelImage> RecordedPicture(const TBlitSource& Source, const TRect& Rect,
                                                   TColor BrushColor) {
    auto picture = std::make_shared<TPixelImage>();
    const TBitmap* bitmap = Source.Bitmap;
    if (!bitmap) return picture;
    // A source that runs backwards is read from its first edge's pixel back, as the copy reads it.
    const auto covered = [](int64_t From, int64_t To) {
        return From <= To ? std::pair{From, To} : std::pair{To + 1, From + 1};
    };
    const auto [left, right] = covered(Rect.Left, Rect.Right);
    const auto [top, bottom] = covered(Rect.Top, Rect.Bottom);
    const int64_t w = right - left, h = bottom - top;
    // A copy reads no more than its source has, so neither does its record.
    if (w <= 0 || h <= 0 || w > MaxBitmapDimension || h > MaxBitmapDimension) return picture;
    picture->Width = static_cast<int32_t>(w);
    picture->Height = static_cast<int32_t>(h);
    picture->Pixels.assign(static_cast<size_t>(w * h), 0);
    const uint32_t brush = ColorToPixel(BrushColor);
    const TBitmap* mask = Source.Mask;
    for (int64_t y = 0; y < h; ++y) {
        const int64_t sy = top + y;
        if (sy < 0 || sy >= bitmap->Height()) continue;
        const uint32_t* row = bitmap->ScanLine(static_cast<int32_t>(sy));
        const uint32_t* maskRow =
            mask && sy < mask->Height() ? mask->ScanLine(static_cast<int32_t>(sy)) : nullptr;
        uint32_t* out = picture->Pixels.data() + static_cast<size_t>(y * w);
        for (int64_t x = 0; x < w; ++x) {
            const int64_t sx = left + x;
            if (sx < 0 || sx >= bitmap->Width()) continue;
            uint32_t pixel = row[sx] & 0xFFFFFF;
            if (maskRow && sx < mask->Width() && (maskRow[sx] & 0xFFFFFF) == 0xFFFFFF) continue;
            if (Source.TransparentPixel && pixel == (*Source.TransparentPixel & 0xFFFFFF)) continue;
            if (Source.BrushPixel && pixel == (*Source.BrushPixel & 0xFFFFFF)) pixel = brush;
            out[x] = 0xFF000000 | pixel;
        }
    }
    return picture;
}

namespace {

// Along one axis: the span of a source from S0 to S1 (either way round) that lies in [0, Size),
// and where that span lands on a destination from D0 to D1. False when none of it does.
bool KeepOnBitmap(int32_t& S0, int32_t& S1, int32_t& D0, int32_t& D1, int32_t Size) {
    // A span that runs backwards reads from its first edge's pixel back: its edges stand one
    // pixel lower than the pixels it covers.
    const int64_t back = S0 > S1 ? 1 : 0;
    const int64_t low = std::min<int64_t>(S0, S1) + back, high = std::max<int64_t>(S0, S1) + back;
    if (low >= 0 && high <= Size) return true;
    if (high <= 0 || low >= Size) return false;
    const double s0 = S0, s1 = S1, d0 = D0, d1 = D1;
    const auto at = [&](double S) {
        return static_cast<int32_t>(std::lround(d0 + (d1 - d0) * (S - s0) / (s1 - s0)));
    };
    const int32_t from = static_cast<int32_t>(std::clamp<int64_t>(S0, -back, Size - back));
    const int32_t to = static_cast<int32_t>(std::clamp<int64_t>(S1, -back, Size - back));
    D0 = at(from);
    D1 = at(to);
    S0 = from;
    S1 = to;
    return true;
}

}  // namespace

void RecordCopiedPicture(TCanvasCall& Call, const TBlitSource& Source, TColor BrushColor) {
    if (Call.Rects.size() < 2 || !Source.Bitmap) {
        Call.Picture = std::make_shared<TPixelImage>();
        return;
    }
    TRect& dest = Call.Rects[0];
    TRect& source = Call.Rects[1];
    if (!KeepOnBitmap(source.Left, source.Right, dest.Left, dest.Right, Source.Bitmap->Width()) ||
        !KeepOnBitmap(source.Top, source.Bottom, dest.Top, dest.Bottom, Source.Bitmap->Height())) {
        Call.Picture = std::make_shared<TPixelImage>();
        return;
    }
    Call.Picture = RecordedPicture(Source, source, BrushColor);
}

TRect OnDevice(const TCanvas& Canvas, const TRect& R) {
    TRect device = Canvas.LPtoDP(R);
    OffsetRect(device, Canvas.Origin().X, Canvas.Origin().Y);
    return device;
}

TPoint OnDevice(const TCanvas& Canvas, TPoint P) {
    const TPoint device = Canvas.LPtoDP(P);
    return Point(SaturateToInt32(int64_t{device.X} + Canvas.Origin().X),
                 SaturateToInt32(int64_t{device.Y} + Canvas.Origin().Y));
}

std::vector<TPoint> OnDevice(const TCanvas& Canvas, const std::vector<TPoint>& Points) {
    std::vector<TPoint> device;
    device.reserve(Points.size());
    for (TPoint p : Points)
        device.push_back(OnDevice(Canvas, p));
    return device;
}

}  // namespace vex
