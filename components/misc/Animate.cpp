#include "components/misc/Animate.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/win/timer.h"

namespace vex {

namespace {

constexpr int32_t DefaultSize = 30;

bool IsRGB(TColor Color) {
    return Color >= 0 && Color <= 0xFFFFFF;
}

}  // namespace

TAnimated::TAnimated(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle.Include(csOpaque);
    SetBounds(0, 0, DefaultSize, DefaultSize);
}

TAnimated::~TAnimated() = default;

void TAnimated::SetBitMap(const TBitmap& Value) {
    FBitMap.Assign(&Value);
    SetHeight(FBitMap.Height() > 0 ? FBitMap.Height() : DefaultSize);
    Invalidate();
}

void TAnimated::SetFrameCount(int32_t Value) {
    if (Value < 1) throw ERangeError("Frame count must be at least 1");
    FFrameCount = Value;
}

void TAnimated::SetFrame(int32_t Value) {
    const int32_t frame = Value >= 0 ? Value % FFrameCount : FFrameCount - 1;
    if (frame == FFrame) return;
    FFrame = frame;
    Invalidate();  // first: the handler may free the control
    if (OnChangeFrame) OnChangeFrame(this);
}

void TAnimated::SetInterval(int32_t Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    RestartTimer();
}

void TAnimated::SetPlay(bool Value) {
    if (Value == FPlay) return;
    FPlay = Value;
    RestartTimer();
}

void TAnimated::SetTransparentColor(TColor Value) {
    if (Value == FTransparentColor) return;
    FTransparentColor = Value;
    Invalidate();
}

void TAnimated::RestartTimer() {
    // Freeing the timer from its own handler is allowed: it calls a copy of it.
    FTimer.reset();
    if (!FPlay || FInterval <= 0) return;
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(static_cast<uint32_t>(FInterval));
    FTimer->OnTimer = [this](TObject*) { Step(); };
}

void TAnimated::Step() {
    const std::weak_ptr<const void> life = LifeToken();
    // The frame was taken modulo a count, so it is below INT32_MAX and the step up cannot
    // overflow.
    SetFrame(FReverse ? FFrame - 1 : FFrame + 1);
    if (life.expired()) return;  // OnChangeFrame freed the control
    const int32_t last = FReverse ? 0 : FFrameCount - 1;
    if (!FLoop && FFrame == last) SetPlay(false);
}

void TAnimated::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    // The frame's slice of the strip, cut to the strip, in 64 bits: Width x Frame may not fit
    // in 32.
    const int64_t sliceLeft = int64_t{client.Right} * FFrame;
    const int64_t left = std::min<int64_t>(sliceLeft, FBitMap.Width());
    const int64_t right = std::min<int64_t>(sliceLeft + client.Right, FBitMap.Width());
    const int32_t bottom = std::min(client.Bottom, FBitMap.Height());
    const TRect source = Rect(static_cast<int32_t>(left), 0, static_cast<int32_t>(right), bottom);
    const TRect dest = Rect(0, 0, static_cast<int32_t>(right - left), bottom);
    if (dest != client) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clWhite);
        canvas.FillRect(client);
    }
    if (IsRectEmpty(dest)) return;
    if (IsRGB(FTransparentColor)) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.BrushCopy(dest, FBitMap, source, FTransparentColor);
    } else {
        canvas.CopyRect(dest, FBitMap.Canvas(), source);
    }
}

}  // namespace vex
