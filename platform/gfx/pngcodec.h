#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

class TStream;

// Pixels as the bitmap keeps them: rows top to bottom, each pixel 0x00RRGGBB.
struct TPixelImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
};

// Larger images are refused before any pixel memory is taken, so a hostile header cannot ask for
// gigabytes.
inline constexpr int32_t MaxBitmapDimension = 16384;

// An 8-bit RGB PNG of the image; the unused fourth byte of each pixel is not stored.
std::string EncodePng(const TPixelImage& Image);
// Any PNG (palette, grey, 16-bit, with alpha) to RGB pixels; alpha is dropped. Anything that
// is not a whole, valid PNG within the size cap raises EInvalidGraphic.
TPixelImage DecodePng(std::string_view Data);
// The same with each pixel's alpha kept in the top byte (0xAARRGGBB; 0xFF where the file has
// none), for pictures with a mask.
TPixelImage DecodePngWithAlpha(std::string_view Data);

// The PNG data from the stream's position to its end; more than any bitmap's file could need
// raises EInvalidGraphic before anything is read.
std::string ReadPngData(TStream& Stream);

}  // namespace vex
