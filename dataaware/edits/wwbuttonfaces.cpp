#include "dataaware/edits/wwbuttonfaces.h"

#include <algorithm>

#include "platform/gfx/dcstate.h"
#include "platform/gfx/edges.h"

namespace vex {

namespace {

bool ShowsPressed(bool Down, uint8_t Flags) {
    return Down && (Flags & wwFaceKeepRaised) == 0;
}

}  // namespace

void wwDrawEllipsisButton(TCanvas& Canvas, const TRect& Rect, TButtonState State, uint8_t Flags) {
    if (IsRectEmpty(Rect)) return;
    const TSavedDC savedClip(Canvas.Handle());
    IntersectClipRect(Canvas.Handle(), Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    const bool pressed = ShowsPressed(State == bsDown, Flags);
    TRect edge = Rect;
    DrawEdge(Canvas.Handle(), edge, EDGE_RAISED, BF_RECT | BF_MIDDLE | (pressed ? BF_FLAT : 0));

    const int64_t width = int64_t{Rect.Right} - Rect.Left;
    const int64_t height = int64_t{Rect.Bottom} - Rect.Top;
    const int32_t side = static_cast<int32_t>(std::max<int64_t>(1, std::min(width, height) / 8));
    const int32_t shift = pressed ? 1 : 0;
    // Three dots, each two sides from the next, as a group in the middle.
    const int64_t span = int64_t{5} * side;
    const int32_t left = static_cast<int32_t>(Rect.Left + (width - span) / 2) + shift;
    const int32_t top = static_cast<int32_t>(Rect.Top + (height - side) / 2) + shift;
    TBrush saved;
    saved.Assign(&Canvas.Brush());
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(clBlack);
    for (int32_t dot = 0; dot < 3; ++dot) {
        const int32_t x = left + dot * 2 * side;
        Canvas.FillRect(vex::Rect(x, top, x + side, top + side));
    }
    Canvas.Brush().Assign(&saved);
}

void wwDrawComboButton(TCanvas& Canvas, const TRect& Rect, bool Down, uint8_t Flags, bool Enabled) {
    if (IsRectEmpty(Rect)) return;
    const TSavedDC savedClip(Canvas.Handle());
    IntersectClipRect(Canvas.Handle(), Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    uint32_t state = DFCS_SCROLLCOMBOBOX;
    if (!Enabled)
        state |= DFCS_INACTIVE;
    else if (ShowsPressed(Down, Flags))
        state |= DFCS_FLAT | DFCS_PUSHED;
    TRect r = Rect;
    DrawFrameControl(Canvas.Handle(), r, DFC_SCROLL, state);
}

void wwDrawHighlightFrame(TCanvas& Canvas, const TRect& Rect) {
    const TBrushStyle brushStyle = Canvas.Brush().Style();
    const TColor penColor = Canvas.Pen().Color();
    Canvas.Brush().SetStyle(bsClear);
    Canvas.Pen().SetColor(clHighlight);
    Canvas.Rectangle(Rect);
    Canvas.Font().SetColor(clHighlight);
    Canvas.Brush().SetStyle(brushStyle);
    Canvas.Pen().SetColor(penColor);
    DrawFocusRect(Canvas.Handle(), Rect);
}

}  // namespace vex
