#include "platform/gfx/brush.h"

namespace vex {

void TBrush::Assign(const TPersistent* Source) {
    if (const auto* brush = dynamic_cast<const TBrush*>(Source)) {
        FColor = brush->FColor;
        FStyle = brush->FStyle;
    } else {
        TPersistent::Assign(Source);
    }
}

}  // namespace vex
