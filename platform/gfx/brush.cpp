#include "platform/gfx/brush.h"

#include <algorithm>

#include "platform/gfx/bitmap.h"

namespace vex {

namespace {

constexpr int32_t PatternSize = 8;

}  // namespace

void TBrush::SetBitmap(TBitmap* Value) {
    TBrushPattern pattern;
    if (Value && !Value->Empty()) {
        pattern.Width = std::min(Value->Width(), PatternSize);
        pattern.Height = std::min(Value->Height(), PatternSize);
        for (int32_t y = 0; y < pattern.Height; ++y) {
            const uint32_t* row = Value->ScanLine(y);
            pattern.Pixels.insert(pattern.Pixels.end(), row, row + pattern.Width);
        }
    }
    FBitmap = Value;
    FPattern = std::move(pattern);
}

void TBrush::Assign(const TPersistent* Source) {
    if (const auto* brush = dynamic_cast<const TBrush*>(Source)) {
        FColor = brush->FColor;
        FStyle = brush->FStyle;
        FBitmap = brush->FBitmap;
        FPattern = brush->FPattern;
    } else {
        TPersistent::Assign(Source);
    }
}

}  // namespace vex
