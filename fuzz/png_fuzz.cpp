// Feeds arbitrary bytes to the PNG reader behind bitmaps and icons: it must return pixels within
// the size cap or raise EInvalidGraphic, never read past the bytes or take memory the file
// cannot justify.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gfx/graphicserrors.h"
#include "platform/gfx/pngcodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    try {
        const vex::TPixelImage image =
            vex::DecodePngWithAlpha(std::string_view(reinterpret_cast<const char*>(Data), Size));
        if (image.Pixels.size() != static_cast<size_t>(image.Width) * image.Height)
            __builtin_trap();
    } catch (const vex::EInvalidGraphic&) {
    }
    return 0;
}
