#include <algorithm>
#include <utility>

#include "platform/gfx/canvas.h"
#include "platform/gfx/canvasrecorder.h"
#include "platform/gfx/pngcodec.h"

namespace vex {

namespace {

// Every pixel any bitmap can have: where a user clip that only excludes starts from.
constexpr TRect AnyBitmap = {0, 0, MaxBitmapDimension, MaxBitmapDimension};

}  // namespace

TClipSpans TCanvas::ClipWithin(const TRect& Extent) const {
    TClipSpans clip;
    if (FUserClip) {
        TRegion visible(Extent);
        visible.Intersect(*FUserClip);
        clip = TClipSpans(visible);
    } else {
        clip = TClipSpans(Extent);
    }
    if (FBaseClip) clip = clip.Intersected(*FBaseClip);
    return clip;
}

void TCanvas::RebuildClip() const {
    FClip = ClipWithin(Rect(0, 0, FBitmap.Width(), FBitmap.Height()));
    FClipWidth = FBitmap.Width();
    FClipHeight = FBitmap.Height();
}

const TClipSpans& TCanvas::QueryClip() const {
    if (!FDeviceSheet) return Clip();
    if (!FQueryClipValid) {
        FQueryClip = ClipWithin(Rect(0, 0, FDeviceSheet->Printable.cx, FDeviceSheet->Printable.cy));
        FQueryClipValid = true;
    }
    return FQueryClip;
}

void TCanvas::SetDeviceSheet(const std::optional<TDeviceSheet>& Value) {
    FDeviceSheet = Value;
    InvalidateClip();
}

int TCanvas::ClipKind() const {
    const TClipSpans& clip = QueryClip();
    return clip.Empty() ? NULLREGION : clip.IsRect() ? SIMPLEREGION : COMPLEXREGION;
}

TCanvas::TBounds TCanvas::DeviceBounds(const TClipSpans& Spans) const {
    const TRect bounds = Spans.Bounds();
    if (IsRectEmpty(bounds)) return {0, 0, 0, 0};
    return {int64_t{bounds.Left} - FOrigin.X, int64_t{bounds.Top} - FOrigin.Y,
            int64_t{bounds.Right} - FOrigin.X, int64_t{bounds.Bottom} - FOrigin.Y};
}

TCanvas::TBounds TCanvas::DeviceClip() const {
    return DeviceBounds(Clip());
}

TRect TCanvas::ClipRect() const {
    const TBounds clip = DeviceBounds(QueryClip());
    const TRect device = Rect(SaturateToInt32(clip.Left), SaturateToInt32(clip.Top),
                              SaturateToInt32(clip.Right), SaturateToInt32(clip.Bottom));
    TRect box = DPtoLP(device);
    if (!FMapped || IsRectEmpty(device)) return box;
    // A unit can be wider than a pixel, and an edge rounded to the nearest unit can then fall
    // inside the clip: it moves out by one, so that the box takes in every pixel of the clip.
    const auto step = [](int32_t& Edge, int32_t By) { Edge = SaturateToInt32(int64_t{Edge} + By); };
    const int32_t down = FMapping.DownY();
    const TPoint topLeft = FMapping.ToDevice(Point(box.Left, box.Top));
    const TPoint bottomRight = FMapping.ToDevice(Point(box.Right, box.Bottom));
    if (topLeft.X > device.Left) step(box.Left, -1);
    if (topLeft.Y > device.Top) step(box.Top, -down);
    if (bottomRight.X < device.Right) step(box.Right, 1);
    if (bottomRight.Y < device.Bottom) step(box.Bottom, down);
    return box;
}

int TCanvas::GetClipBox(TRect& Box) const {
    Box = ClipRect();
    return ClipKind();
}

void TCanvas::SetBaseClip(const TRegion& Region) {
    FBaseClip.emplace(Region);
    InvalidateClip();
}

std::optional<TClipSpans> TCanvas::ExchangeBaseClip(std::optional<TClipSpans> Spans) {
    SwapBaseClip(Spans);
    return Spans;
}

void TCanvas::SetBaseClip(const TClipSpans* Spans) {
    // Assigned, an engaged clip keeps its storage.
    if (Spans == nullptr)
        FBaseClip.reset();
    else
        FBaseClip = *Spans;
    InvalidateClip();
}

void TCanvas::SwapBaseClip(std::optional<TClipSpans>& Spans) {
    FBaseClip.swap(Spans);
    InvalidateClip();
}

int TCanvas::IntersectClipRect(const TRect& R) {
    if (FUserClip)
        FUserClip->Intersect(OnDevice(*this, R));
    else
        FUserClip = TRegion(OnDevice(*this, R));
    InvalidateClip();
    return ClipKind();
}

int TCanvas::ExcludeClipRect(const TRect& R) {
    if (!FUserClip) {
        // A sheet's page can be larger than any bitmap; the whole of it stays reachable.
        TRect everything = AnyBitmap;
        if (FDeviceSheet) {
            everything.Right = std::max(everything.Right, FDeviceSheet->Printable.cx);
            everything.Bottom = std::max(everything.Bottom, FDeviceSheet->Printable.cy);
        }
        FUserClip = TRegion(everything);
    }
    FUserClip->Subtract(OnDevice(*this, R));
    InvalidateClip();
    return ClipKind();
}

int TCanvas::SelectClipRgn(const TRegion* Region) {
    FUserClip.reset();
    if (Region) {
        FUserClip = *Region;
        FUserClip->Offset(FOrigin.X, FOrigin.Y);
    }
    InvalidateClip();
    return ClipKind();
}

void TCanvas::ResetClip() {
    FUserClip.reset();
    InvalidateClip();
}

}  // namespace vex
