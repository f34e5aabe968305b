#include "platform/win/hittest.h"

#include <algorithm>

#include "platform/win/nonclient.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex::wintree {

TRect VerticalBarArea(const TWnd& W) {
    if (!(W.Style & WS_VSCROLL)) return TRect{};
    const int32_t width = GetSystemMetrics(SM_CXVSCROLL);
    return TRect{W.Client.Right, W.Client.Top, W.Client.Right + width, W.Client.Bottom};
}

TRect HorizontalBarArea(const TWnd& W) {
    if (!(W.Style & WS_HSCROLL)) return TRect{};
    const int32_t height = GetSystemMetrics(SM_CYHSCROLL);
    return TRect{W.Client.Left, W.Client.Bottom, W.Client.Right, W.Client.Bottom + height};
}

LRESULT NonClientHitTest(const TWnd& W, TPoint Screen) {
    const TPoint origin = WindowOrigin(W);
    const TPoint p = Shifted(Screen, -int64_t{origin.X}, -int64_t{origin.Y});
    if (!PtInRect(WindowArea(W), p)) return HTNOWHERE;
    if (PtInRect(W.Client, p)) return HTCLIENT;
    if (PtInRect(VerticalBarArea(W), p)) return HTVSCROLL;
    if (PtInRect(HorizontalBarArea(W), p)) return HTHSCROLL;
    if ((W.Style & WS_CAPTION) == WS_CAPTION) {
        // The caption lies under the top of the frame, as wide as the frame leaves inside.
        const TRect frame = NonClientMargins(W.Style & ~(WS_VSCROLL | WS_HSCROLL), 0);
        const int32_t width = Width(W.Bounds);
        const TRect caption{frame.Left, frame.Top - GetSystemMetrics(SM_CYCAPTION),
                            width - frame.Right, frame.Top};
        if (PtInRect(caption, p)) return HTCAPTION;
    }
    return HTBORDER;
}

LPARAM PointToLParam(TPoint Point) {
    const auto cut = [](int32_t V) {
        return static_cast<uint16_t>(static_cast<int16_t>(std::clamp(V, -32768, 32767)));
    };
    return MAKELONG(cut(Point.X), cut(Point.Y));
}

}  // namespace vex::wintree
