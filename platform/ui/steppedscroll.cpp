#include "platform/ui/steppedscroll.h"

#include <algorithm>

namespace vex {

int32_t BarStep(int32_t Max) {
    // An empty or inverted range needs no steps; dividing by a step of zero would crash.
    return std::max(Max, 0) / 0xFFFF + 1;
}

int32_t ThumbPlace(WPARAM WParam, int32_t Max) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{HIWORD(WParam)} * BarStep(Max), Max));
}

SCROLLINFO SteppedScrollInfo(int32_t Max, int32_t Page, int32_t Pos, bool DisableNoScroll) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (DisableNoScroll ? SIF_DISABLENOSCROLL : 0);
    info.nMin = 0;
    const int32_t step = BarStep(Max);
    info.nMax = Max / step;
    info.nPage = static_cast<UINT>((int64_t{std::max(Page, 0)} + step - 1) / step);
    info.nPos = Pos / step;
    return info;
}

std::optional<int32_t> HorizontalScrollTarget(WPARAM WParam, int32_t X, int32_t Line, int32_t Page,
                                              int32_t Widest, int32_t ThumbMax) {
    // Reckoned wide, so that a view far out or a page past the widest line cannot overflow.
    int64_t x = X;
    switch (LOWORD(WParam)) {
        case SB_LINELEFT:
            x -= Line;
            break;
        case SB_LINERIGHT:
            x += Line;
            break;
        case SB_PAGELEFT:
            x -= Page;
            break;
        case SB_PAGERIGHT:
            x += Page;
            break;
        case SB_LEFT:
            x = 0;
            break;
        case SB_RIGHT:
            x = Widest;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            x = ThumbPlace(WParam, ThumbMax);
            break;
        default:
            return std::nullopt;
    }
    const int64_t target = std::min(x, std::max(int64_t{Widest} - Page + 1, int64_t{0}));
    return static_cast<int32_t>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX));
}

}  // namespace vex
