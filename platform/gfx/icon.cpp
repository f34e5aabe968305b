#include "platform/gfx/icon.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/gfx/graphicserrors.h"
#include "platform/gfx/pngcodec.h"

namespace vex {

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t HalfAlpha = 0x80;
constexpr int64_t MaxIconStreamSize = int64_t{1} << 30;

// The bitmap codec drops alpha, which is the whole point of an icon, so the icon reads the
// PNG itself: 0xAARRGGBB words.
std::vector<uint32_t> DecodeWithAlpha(const std::string& Data, int32_t& Width, int32_t& Height) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    struct TFree {
        png_image* Image;
        ~TFree() { png_image_free(Image); }
    } release{&png};
    if (!png_image_begin_read_from_memory(&png, Data.data(), Data.size()))
        throw EInvalidGraphic(std::string("Invalid PNG image: ") + png.message);
    if (png.width == 0 || png.height == 0 || png.width > MaxBitmapDimension ||
        png.height > MaxBitmapDimension)
        throw EInvalidGraphic("Invalid icon size " + std::to_string(png.width) + " x " +
                              std::to_string(png.height));
    png.format = PNG_FORMAT_BGRA;
    Width = static_cast<int32_t>(png.width);
    Height = static_cast<int32_t>(png.height);
    std::vector<uint32_t> pixels(static_cast<size_t>(Width) * Height);
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr))
        throw EInvalidGraphic(std::string("Invalid PNG image: ") + png.message);
    return pixels;
}

}  // namespace

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::LoadFromPng(const std::string& Data) {
    int32_t width = 0, height = 0;
    const std::vector<uint32_t> pixels = DecodeWithAlpha(Data, width, height);
    TBitmap image, mask;
    image.SetSize(width, height);
    mask.SetSize(width, height);
    for (int32_t y = 0; y < height; ++y) {
        uint32_t* imageRow = image.ScanLine(y);
        uint32_t* maskRow = mask.ScanLine(y);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            const bool opaque = (p >> 24) >= HalfAlpha;
            imageRow[x] = opaque ? p & White : 0;
            maskRow[x] = opaque ? 0 : White;
        }
    }
    mask.SetMonochrome(true);
    FImage.Assign(&image);
    FMask.Assign(&mask);
}

void TIcon::LoadFromFile(const std::string& FileName) {
    LoadFromPng(ReadFileToString(FileName));
}

void TIcon::LoadFromStream(TStream& Stream) {
    const int64_t count = Stream.Size() - Stream.Position();
    if (count > MaxIconStreamSize) throw EInvalidGraphic("PNG stream too large");
    std::string data(static_cast<size_t>(std::max<int64_t>(count, 0)), '\0');
    Stream.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
    LoadFromPng(data);
}

void TIcon::Assign(const TPersistent* Source) {
    if (const auto* other = dynamic_cast<const TIcon*>(Source)) {
        FImage.Assign(&other->FImage);
        FMask.Assign(&other->FMask);
    } else {
        TPersistent::Assign(Source);
    }
}

}  // namespace vex
