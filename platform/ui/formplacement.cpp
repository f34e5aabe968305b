#include "platform/ui/formplacement.h"

#include <algorithm>

#include "platform/ui/screen.h"

namespace vex {

namespace {

constexpr int32_t kCascadeStep = 24;
constexpr int kCascadeLength = 8;

TRect Centred(const TRect& Bounds, const TRect& On, const TRect& WorkArea) {
    const int32_t width = Bounds.Right - Bounds.Left;
    const int32_t height = Bounds.Bottom - Bounds.Top;
    int32_t left = On.Left + (On.Right - On.Left - width) / 2;
    int32_t top = On.Top + (On.Bottom - On.Top - height) / 2;
    // A form larger than the area keeps its caption on the screen.
    left = std::max(std::min(left, WorkArea.Right - width), WorkArea.Left);
    top = std::max(std::min(top, WorkArea.Bottom - height), WorkArea.Top);
    return Rect(left, top, left + width, top + height);
}

}  // namespace

TPlacementSpace ScreenPlacementSpace() {
    TPlacementSpace space;
    space.Screen = Rect(0, 0, Screen().Width(), Screen().Height());
    space.WorkArea = Screen().WorkAreaRect();
    return space;
}

TRect PlaceForm(TPosition Position, const TRect& Bounds, const TPlacementSpace& Space) {
    const TRect& work = Space.WorkArea;
    const bool hasAnchor = Space.Anchor.Right > Space.Anchor.Left;
    TRect placed = Bounds;
    switch (Position) {
        case poDesigned:
            break;
        case poScreenCenter:
            placed = Centred(Bounds, Space.Screen, work);
            break;
        case poDesktopCenter:
            placed = Centred(Bounds, work, work);
            break;
        case poMainFormCenter:
        case poOwnerFormCenter:
            placed = Centred(Bounds, hasAnchor ? Space.Anchor : Space.Screen, work);
            break;
        case poDefault:
        case poDefaultPosOnly:
        case poDefaultSizeOnly: {
            if (Position != poDefaultPosOnly) {
                placed.Right = placed.Left + (work.Right - work.Left) * 3 / 4;
                placed.Bottom = placed.Top + (work.Bottom - work.Top) * 3 / 4;
            }
            if (Position != poDefaultSizeOnly) {
                const int32_t step = kCascadeStep * (Space.Cascade % kCascadeLength);
                placed = Rect(work.Left + step, work.Top + step,
                              work.Left + step + placed.Right - placed.Left,
                              work.Top + step + placed.Bottom - placed.Top);
            }
            break;
        }
    }
    return placed;
}

}  // namespace vex
