#include "platform/ui/scrollbarpainting.h"

#include <algorithm>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/edges.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

// The classic track: every other pixel in the highlight colour, the rest in the face colour.
TBitmap& TrackPattern() {
    static struct TPattern {
        TBitmap Bitmap;
        TPattern() {
            Bitmap.SetSize(2, 2);
            const uint32_t light = ColorToPixel(clBtnHighlight);
            const uint32_t face = ColorToPixel(clBtnFace);
            Bitmap.ScanLine(0)[0] = light;
            Bitmap.ScanLine(0)[1] = face;
            Bitmap.ScanLine(1)[0] = face;
            Bitmap.ScanLine(1)[1] = light;
        }
    } pattern;
    return pattern.Bitmap;
}

}  // namespace

void PaintScrollBar(HDC DC, const TRect& R, bool Vertical, const TScrollBarState& State) {
    TSavedDC saved(DC);
    const int32_t along = Vertical ? R.Bottom - R.Top : R.Right - R.Left;
    // Arrows are square, or share a bar too short for two.
    const int32_t arrow = std::min(Vertical ? R.Right - R.Left : R.Bottom - R.Top, along / 2);
    TRect first = R;
    TRect last = R;
    if (Vertical) {
        first.Bottom = R.Top + arrow;
        last.Top = R.Bottom - arrow;
    } else {
        first.Right = R.Left + arrow;
        last.Left = R.Right - arrow;
    }
    const bool disabled = State.DisabledArrows == ESB_DISABLE_BOTH;
    const auto arrowState = [&](UINT Arrow) {
        return disabled || (State.DisabledArrows & Arrow) != 0 ? DFCS_INACTIVE : 0u;
    };
    DrawFrameControl(DC, first, DFC_SCROLL,
                     (Vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | arrowState(ESB_DISABLE_LTUP));
    DrawFrameControl(
        DC, last, DFC_SCROLL,
        (Vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | arrowState(ESB_DISABLE_RTDN));

    TRect track = R;
    if (Vertical) {
        track.Top = first.Bottom;
        track.Bottom = last.Top;
    } else {
        track.Left = first.Right;
        track.Right = last.Left;
    }
    if (IsRectEmpty(track)) return;
    DC->Brush().SetBitmap(&TrackPattern());
    DC->FillRect(track);
    DC->Brush().SetBitmap(nullptr);

    int32_t offset = 0;
    int32_t length = 0;
    const int32_t trackLength = Vertical ? track.Bottom - track.Top : track.Right - track.Left;
    if (!ScrollThumb(trackLength, State, offset, length)) return;
    TRect thumb = track;
    if (Vertical) {
        thumb.Top = track.Top + offset;
        thumb.Bottom = thumb.Top + length;
    } else {
        thumb.Left = track.Left + offset;
        thumb.Right = thumb.Left + length;
    }
    DrawEdge(DC, thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

}  // namespace vex
