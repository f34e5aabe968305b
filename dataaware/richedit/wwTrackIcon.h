#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/events.h"
#include "platform/core/geometry.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

// A bitmap from the program's resources, drawn with its background left out, that the left
// mouse button drags sideways between two limits: the ruler's indent and tab markers.
class TwwTrackIcon : public TGraphicControl {
    VEX_CLASS(TwwTrackIcon, TGraphicControl)

public:
    explicit TwwTrackIcon(TComponent* AOwner);
    ~TwwTrackIcon() override;

    // A bitmap resource of the program. A new name loads it and sizes the control to it; a
    // name that names no resource leaves the bitmap empty and the control 0 x 0. An empty name
    // keeps the bitmap and size there are.
    const std::string& BitmapName() const { return FBitmapName; }
    void SetBitmapName(const std::string& Value);

    // The smallest and largest Left a drag reaches; 0 sets no limit.
    int32_t MinValue() const { return FMinValue; }
    void SetMinValue(int32_t Value) { FMinValue = Value; }
    int32_t MaxValue() const { return FMaxValue; }
    void SetMaxValue(int32_t Value) { FMaxValue = Value; }

    // Sets Left to Value brought within the limits; MaxValue when they cross.
    void SetLeftWithLimits(int32_t Value);

    const TBitmap& Bitmap() const { return *FBitmap; }

    // After a drag that moved the icon.
    TNotifyEvent OnEndDrag;

protected:
    // The bitmap's pixels of the colour at column 0 of the control's bottom row are left out.
    void Paint() override;
    // A press of the left button drags; the control's own mouse-down handling is skipped.
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

private:
    // Follows the mouse until the button is let go, the capture is lost, the icon is freed or a
    // WM_QUIT comes; the parent form's window holds the capture meanwhile.
    void DragLoop(TPoint Press);

    std::unique_ptr<TBitmap> FBitmap;
    std::string FBitmapName;
    int32_t FMinValue = 0;
    int32_t FMaxValue = 0;
};

}  // namespace vex
