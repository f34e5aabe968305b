#include "platform/win/backbuffer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vex {

namespace {

int32_t Capped(int32_t Side) {
    return std::clamp(Side, 0, TBackBuffer::MaxSide);
}

}  // namespace

TBackBuffer::TBackBuffer(int32_t Width, int32_t Height, TPresenter& Source)
    : FWidth(Capped(Width)),
      FHeight(Capped(Height)),
      FStore(Source.MakePixelStore(FWidth, FHeight)),
      FPixels(FStore->Pixels()) {}

TPixelRows TBackBuffer::Rows() const {
    return TPixelRows{FPixels, FWidth, FHeight, FWidth};
}

uint32_t* TBackBuffer::PixelsToChange() {
    FStore->AwaitRead();
    return FPixels;
}

TRegion TBackBuffer::Resize(int32_t Width, int32_t Height, TPresenter& Source) {
    Width = Capped(Width);
    Height = Capped(Height);
    TRegion added(TRect{0, 0, Width, Height});
    added.Subtract(Bounds());
    if (Width == FWidth && Height == FHeight) return added;
    // The old store is only read from: the display may still be reading it too.
    std::unique_ptr<TPixelStore> store = Source.MakePixelStore(Width, Height);
    uint32_t* pixels = store->Pixels();
    const int32_t keptWidth = std::min(Width, FWidth);
    // A buffer with no width has no pixels to copy, nor a place to take them from or put them.
    const int32_t keptRows = keptWidth > 0 ? std::min(Height, FHeight) : 0;
    for (int32_t y = 0; y < keptRows; ++y)
        std::memcpy(pixels + static_cast<size_t>(y) * Width, Row(y),
                    static_cast<size_t>(keptWidth) * sizeof(uint32_t));
    FStore = std::move(store);
    FPixels = pixels;
    FWidth = Width;
    FHeight = Height;
    return added;
}

void TBackBuffer::Move(const TRegion& Target, int32_t DX, int32_t DY) {
    // A move as far as the buffer is wide or high takes every source pixel out of it.
    if (DX <= -FWidth || DX >= FWidth || DY <= -FHeight || DY >= FHeight) return;
    TRegion source = Target;
    source.Offset(-DX, -DY);
    source.Intersect(Bounds());
    TRegion target = source;
    target.Offset(DX, DY);
    target.Intersect(Target);
    target.Intersect(Bounds());
    if (target.Empty()) return;
    FStore->AwaitRead();
    // The source pixels are copied out first, so the rectangles of a region cannot overwrite
    // pixels another rectangle still has to read.
    const TRect from = source.Bounds();
    const int32_t stride = from.Right - from.Left;
    std::vector<uint32_t> saved(static_cast<size_t>(stride) * (from.Bottom - from.Top));
    for (int32_t y = from.Top; y < from.Bottom; ++y)
        std::memcpy(saved.data() + static_cast<size_t>(y - from.Top) * stride, Row(y) + from.Left,
                    static_cast<size_t>(stride) * sizeof(uint32_t));
    for (const TRect& r : target.Rects())
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            std::memcpy(Row(y) + r.Left,
                        saved.data() + static_cast<size_t>(y - DY - from.Top) * stride +
                            (r.Left - DX - from.Left),
                        static_cast<size_t>(r.Right - r.Left) * sizeof(uint32_t));
}

}  // namespace vex
