#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/events.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

class TTimer;

// An animation whose frames lie side by side in one bitmap, each as wide as the control: frame
// I is the strip's slice from I x Width on. While playing, a timer steps the frame every
// Interval milliseconds, forward or in reverse, round and round or once through. Where the strip
// has no pixels for the frame shown (an empty strip, a frame beyond its end, a control taller
// than it) the control is white.
class TAnimated : public TGraphicControl {
    VEX_CLASS(TAnimated, TGraphicControl)

public:
    explicit TAnimated(TComponent* AOwner);
    ~TAnimated() override;

    // A copy of the strip is kept; the control takes its height (30 for an empty one).
    const TBitmap& BitMap() const { return FBitMap; }
    void SetBitMap(const TBitmap& Value);

    // At least 1; a smaller count raises ERangeError and changes nothing. The frame shown is
    // left as it is until it is next set.
    int32_t FrameCount() const { return FFrameCount; }
    void SetFrameCount(int32_t Value);
    // A value from 0 on counts round the frames (FrameCount + 2 is frame 2); a negative one is
    // the last frame. A change fires OnChangeFrame.
    int32_t Frame() const { return FFrame; }
    void SetFrame(int32_t Value);
    // Milliseconds between frames; 0 or less never steps.
    int32_t Interval() const { return FInterval; }
    void SetInterval(int32_t Value);
    // Off, playing stops on the last frame (on frame 0 in reverse).
    bool Loop() const { return FLoop; }
    void SetLoop(bool Value) { FLoop = Value; }
    bool Reverse() const { return FReverse; }
    void SetReverse(bool Value) { FReverse = Value; }
    bool Play() const { return FPlay; }
    void SetPlay(bool Value);
    // Pixels of this colour show the control's Color. A colour that is no RGB value (-1, the
    // default, a system colour, clNone) leaves the frames as they are.
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor Value);

    TNotifyEvent OnChangeFrame;

protected:
    void Paint() override;

private:
    // A timer exactly while playing with an interval, started afresh.
    void RestartTimer();
    void Step();

    TBitmap FBitMap;
    std::unique_ptr<TTimer> FTimer;
    int32_t FFrameCount = 1;
    int32_t FFrame = 0;
    int32_t FInterval = 0;
    bool FLoop = true;
    bool FReverse = false;
    bool FPlay = false;
    TColor FTransparentColor = -1;
};

}  // namespace vex
