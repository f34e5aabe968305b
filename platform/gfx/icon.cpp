#include "platform/gfx/icon.h"

#include <vector>

#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/gfx/graphicserrors.h"
#include "platform/gfx/pngcodec.h"

namespace vex {

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t HalfAlpha = 0x80;

}  // namespace

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::LoadFromPng(const std::string& Data) {
    const TPixelImage picture = DecodePngWithAlpha(Data);
    const int32_t width = picture.Width, height = picture.Height;
    const std::vector<uint32_t>& pixels = picture.Pixels;
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
    LoadFromPng(ReadPngData(Stream));
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
