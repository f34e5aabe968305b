#include "platform/gfx/canvasrecorder.h"

namespace vex {

TCanvasRecorder::TCanvasRecorder() : FPrevious(FCurrent) {
    FCurrent = this;
}

TCanvasRecorder::TCanvasRecorder(const TCanvas& Canvas) : TCanvasRecorder() {
    FOnly = &Canvas;
}

TCanvasRecorder::TCanvasRecorder(TCanvas& Canvas, TRecordLevel Level)
    : FAttachedTo(&Canvas), FLevel(Level) {
    Canvas.FAttachedRecorder = this;
}

TCanvasRecorder::~TCanvasRecorder() {
    if (FAttachedTo)
        FAttachedTo->FAttachedRecorder = nullptr;
    else
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
