#include "platform/gfx/pen.h"

namespace vex {

void TPen::Assign(const TPersistent* Source) {
    if (const auto* pen = dynamic_cast<const TPen*>(Source)) {
        FColor = pen->FColor;
        FWidth = pen->FWidth;
        FStyle = pen->FStyle;
        FMode = pen->FMode;
    } else {
        TPersistent::Assign(Source);
    }
}

std::span<const int64_t> DashPattern(TPenStyle Style) {
    static constexpr int64_t Dash[] = {18, 6};
    static constexpr int64_t Dot[] = {3, 3};
    static constexpr int64_t DashDot[] = {9, 6, 3, 6};
    static constexpr int64_t DashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (Style) {
        case psDash:
            return Dash;
        case psDot:
            return Dot;
        case psDashDot:
            return DashDot;
        case psDashDotDot:
            return DashDotDot;
        default:
            return {};
    }
}

}  // namespace vex
