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

}  // namespace vex
