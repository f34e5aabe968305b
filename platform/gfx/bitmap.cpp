#include "platform/gfx/bitmap.h"

#include <algorithm>
#include <utility>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/resources.h"
#include "platform/core/stream.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/graphicserrors.h"
#include "platform/gfx/pngcodec.h"

namespace vex {

namespace {

constexpr uint32_t WhitePixel = 0xFFFFFF;

}  // namespace

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int32_t AWidth, int32_t AHeight) {
    if (AWidth < 0 || AHeight < 0 || AWidth > MaxBitmapDimension || AHeight > MaxBitmapDimension)
        throw EInvalidGraphic("Invalid bitmap size " + std::to_string(AWidth) + " x " +
                              std::to_string(AHeight));
    if (AWidth == FWidth && AHeight == FHeight) return;
    std::vector<uint32_t> pixels(static_cast<size_t>(AWidth) * AHeight, WhitePixel);
    const int32_t keepW = std::min(AWidth, FWidth);
    const int32_t keepH = std::min(AHeight, FHeight);
    for (int32_t y = 0; y < keepH; ++y)
        std::copy_n(FPixels.begin() + static_cast<size_t>(y) * FWidth, keepW,
                    pixels.begin() + static_cast<size_t>(y) * AWidth);
    FPixels = std::move(pixels);
    FWidth = AWidth;
    FHeight = AHeight;
}

const uint32_t* TBitmap::ScanLine(int32_t Y) const {
    if (Y < 0 || Y >= FHeight)
        throw ERangeError("Scan line index out of range (" + std::to_string(Y) + ")");
    return FPixels.data() + static_cast<size_t>(Y) * FWidth;
}

uint32_t* TBitmap::ScanLine(int32_t Y) {
    return const_cast<uint32_t*>(std::as_const(*this).ScanLine(Y));
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    const uint32_t p = FPixels[static_cast<size_t>(FHeight - 1) * FWidth];
    return PixelToColor(p);
}

void TBitmap::SetMonochrome(bool Value) {
    if (Value && !FMonochrome) {
        const TColor bk = ColorToRGB(Canvas().BkColor());
        const uint32_t background =
            (uint32_t{GetRValue(bk)} << 16) | (uint32_t{GetGValue(bk)} << 8) | GetBValue(bk);
        for (uint32_t& p : FPixels)
            p = p == background ? WhitePixel : 0;
    }
    FMonochrome = Value;
}

void TBitmap::LoadFromResourceName(const std::string& Name) {
    const auto data = FindResource("BITMAP", Name);
    if (!data) throw EResNotFound("Resource " + Name + " not found");
    LoadFromPng(std::string(reinterpret_cast<const char*>(data->data()), data->size()));
}

void TBitmap::Assign(const TPersistent* Source) {
    if (const auto* other = dynamic_cast<const TBitmap*>(Source)) {
        if (other == this) return;
        FPixels = other->FPixels;
        FWidth = other->FWidth;
        FHeight = other->FHeight;
        FTransparentColor = other->FTransparentColor;
        FTransparent = other->FTransparent;
        FMonochrome = other->FMonochrome;
    } else {
        TPersistent::Assign(Source);
    }
}

std::string TBitmap::SaveToPng() const {
    if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap");
    return EncodePng(TPixelImage{FWidth, FHeight, FPixels});
}

void TBitmap::LoadFromPng(const std::string& Data) {
    TPixelImage image = DecodePng(Data);
    FPixels = std::move(image.Pixels);
    FWidth = image.Width;
    FHeight = image.Height;
    FMonochrome = false;
}

void TBitmap::SaveToFile(const std::string& FileName) const {
    WriteFileAtomic(FileName, SaveToPng());
}

void TBitmap::LoadFromFile(const std::string& FileName) {
    LoadFromPng(ReadFileToString(FileName));
}

void TBitmap::SaveToStream(TStream& Stream) const {
    const std::string data = SaveToPng();
    Stream.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
}

void TBitmap::LoadFromStream(TStream& Stream) {
    LoadFromPng(ReadPngData(Stream));
}

}  // namespace vex
