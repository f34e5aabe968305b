// Feeds arbitrary bytes to the PNG reader behind bitmaps and icons: it must return pixels within
// the size cap or raise EInvalidGraphic, never read past the bytes or take memory the file
// cannot justify.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gfx/graphicserrors.h"
#include "platform/gfx/pngcodec.h"

namespace {

// A few kilobytes of deflate may honestly stand for a picture of tens of millions of pixels,
// which the reader then decodes in full: correct, but seconds and gigabytes an input under the
// sanitizers. Such inputs are skipped so each run explores; the size checks before the pixels
// are taken stay reachable through every claim beyond the dimension cap.
bool ClaimsAHugePictureWithinTheCap(const uint8_t* Data, size_t Size) {
    if (Size < 24) return false;
    auto number = [&](size_t At) {
        return uint64_t{Data[At]} << 24 | uint64_t{Data[At + 1]} << 16 |
               uint64_t{Data[At + 2]} << 8 | Data[At + 3];
    };
    const uint64_t width = number(16), height = number(20);
    return width <= vex::MaxBitmapDimension && height <= vex::MaxBitmapDimension &&
           width * height > (uint64_t{1} << 22);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (ClaimsAHugePictureWithinTheCap(Data, Size)) return 0;
    try {
        const vex::TPixelImage image =
            vex::DecodePngWithAlpha(std::string_view(reinterpret_cast<const char*>(Data), Size));
        if (image.Pixels.size() != static_cast<size_t>(image.Width) * image.Height)
            __builtin_trap();
    } catch (const vex::EInvalidGraphic&) {
    }
    return 0;
}
