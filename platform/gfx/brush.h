#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/object.h"
#include "platform/gfx/colors.h"

namespace vex {

class TBitmap;

enum TBrushStyle { bsSolid, bsClear };

// The tile a pattern brush repeats: at most 8 x 8 pixels, 0x00RRGGBB.
struct TBrushPattern {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;

    bool Empty() const { return Width == 0 || Height == 0; }
    // The pattern is aligned to the bitmap drawn on, so X and Y are bitmap coordinates.
    uint32_t At(int64_t X, int64_t Y) const {
        const int64_t px = ((X % Width) + Width) % Width;
        const int64_t py = ((Y % Height) + Height) % Height;
        return Pixels[static_cast<size_t>(py * Width + px)];
    }
};

class TBrush : public TPersistent {
    VEX_CLASS(TBrush, TPersistent)

public:
    TColor Color() const { return FColor; }
    // A colour is given to fill with: a clear brush becomes solid. Painting code sets the colour
    // before each fill and leaves the brush clear after writing text, so a canvas that keeps its
    // brush from one paint to the next would otherwise fill nothing the second time.
    void SetColor(TColor Value) {
        FColor = Value;
        if (FStyle == bsClear) FStyle = bsSolid;
    }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value) { FStyle = Value; }

    // A pattern brush: the top-left 8 x 8 pixels of the bitmap (all of a smaller one) are taken
    // when it is set, as the original made its brush then, so later changes to the bitmap are not
    // seen until it is set again. The brush does not own the bitmap; nil returns to the colour.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);
    const TBrushPattern& Pattern() const { return FPattern; }

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
    TBrushPattern FPattern;
};

}  // namespace vex
