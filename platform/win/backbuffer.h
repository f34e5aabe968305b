#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/geometry.h"
#include "platform/core/region.h"
#include "platform/win/presenter.h"

namespace vex {

// The pixels of a shown top-level window: 32-bit 0x00RRGGBB, rows top to bottom, one row right
// after the other, in a store the presenter makes, so that showing them need not copy them.
// Each side is capped at MaxSide pixels, so a hostile window size costs no more than that; what
// lies beyond is never painted.
class TBackBuffer {
public:
    static constexpr int32_t MaxSide = 8192;

    // Black pixels, in a store of Source.
    TBackBuffer(int32_t Width, int32_t Height, TPresenter& Source);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    TRect Bounds() const { return TRect{0, 0, FWidth, FHeight}; }
    TPixelRows Rows() const;
    // The pixels, to be changed: waits until the display has read what was last shown of them.
    uint32_t* PixelsToChange();

    // Keeps the pixels both sizes share, in a new store of Source when the size changes, and
    // returns the area that is new (black until painted).
    TRegion Resize(int32_t Width, int32_t Height, TPresenter& Source);
    // Fills each pixel of Target (buffer coordinates) from the pixel DX to the left and DY above
    // it, as all of them were before any moved. Pixels of Target whose source lies outside the
    // buffer, and those outside the buffer, are left alone.
    void Move(const TRegion& Target, int32_t DX, int32_t DY);

private:
    uint32_t* Row(int32_t Y) const { return FPixels + static_cast<size_t>(Y) * FWidth; }

    int32_t FWidth;
    int32_t FHeight;
    std::unique_ptr<TPixelStore> FStore;
    uint32_t* FPixels;
};

}  // namespace vex
