#include "platform/gfx/bitmap.h"

#include <algorithm>
#include <cstddef>
#include <span>
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

[[noreturn]] void RaiseBadSize(int32_t Width, int32_t Height) {
    throw EInvalidGraphic("Invalid bitmap size " + std::to_string(Width) + " x " +
                          std::to_string(Height));
}

bool ValidSize(int32_t Width, int32_t Height) {
    return Width >= 0 && Height >= 0 && Width <= MaxBitmapDimension && Height <= MaxBitmapDimension;
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(uint32_t* Pixels, int32_t AWidth, int32_t AHeight, int32_t AStride) {
    View(Pixels, AWidth, AHeight, AStride);
}

TBitmap::~TBitmap() = default;

void TBitmap::Retarget(uint32_t* Pixels, int32_t AWidth, int32_t AHeight, int32_t AStride) {
    // Painting points canvases at other rows for every window and control it paints, so this
    // costs a few stores when there is nothing to free.
    if (FCanvas) FCanvas.reset();
    if (FPixels.capacity() != 0) std::vector<uint32_t>().swap(FPixels);
    FTransparentColor = clDefault;
    FTransparent = false;
    FMonochrome = false;
    FWidth = FHeight = FStride = 0;
    FRows = nullptr;
    FView = false;
    if (Pixels != nullptr) View(Pixels, AWidth, AHeight, AStride);
}

void TBitmap::View(uint32_t* Pixels, int32_t AWidth, int32_t AHeight, int32_t AStride) {
    if (!ValidSize(AWidth, AHeight)) RaiseBadSize(AWidth, AHeight);
    if (AStride < AWidth)
        throw EInvalidGraphic("Bitmap stride " + std::to_string(AStride) +
                              " is less than its width " + std::to_string(AWidth));
    if (!Pixels && AWidth > 0 && AHeight > 0) throw EInvalidGraphic("A bitmap view needs pixels");
    FWidth = AWidth;
    FHeight = AHeight;
    FRows = Pixels;
    FStride = AStride;
    FView = true;
}

void TBitmap::CheckResizable(int32_t AWidth, int32_t AHeight) const {
    if (!ValidSize(AWidth, AHeight)) RaiseBadSize(AWidth, AHeight);
    if (FView && (AWidth != FWidth || AHeight != FHeight))
        throw EInvalidGraphic("Cannot resize a bitmap over pixels it does not own");
}

void TBitmap::SetSize(int32_t AWidth, int32_t AHeight) {
    CheckResizable(AWidth, AHeight);
    if (AWidth == FWidth && AHeight == FHeight) return;
    std::vector<uint32_t> pixels(static_cast<size_t>(AWidth) * AHeight, WhitePixel);
    const int32_t keepW = std::min(AWidth, FWidth);
    const int32_t keepH = std::min(AHeight, FHeight);
    for (int32_t y = 0; y < keepH; ++y)
        std::copy_n(ScanLine(y), keepW, pixels.begin() + static_cast<size_t>(y) * AWidth);
    TakePixels(AWidth, AHeight, std::move(pixels));
}

void TBitmap::TakePixels(int32_t AWidth, int32_t AHeight, std::vector<uint32_t> Pixels) {
    CheckResizable(AWidth, AHeight);
    if (FView) {
        for (int32_t y = 0; y < FHeight; ++y)
            std::copy_n(Pixels.begin() + static_cast<size_t>(y) * FWidth, FWidth, ScanLine(y));
        return;
    }
    FPixels = std::move(Pixels);
    FRows = FPixels.data();
    FWidth = AWidth;
    FHeight = AHeight;
    FStride = AWidth;
}

std::vector<uint32_t> TBitmap::ContiguousPixels() const {
    if (!FView) return FPixels;
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(FWidth) * FHeight);
    for (int32_t y = 0; y < FHeight; ++y)
        pixels.insert(pixels.end(), ScanLine(y), ScanLine(y) + FWidth);
    return pixels;
}

const uint32_t* TBitmap::ScanLine(int32_t Y) const {
    if (Y < 0 || Y >= FHeight)
        throw ERangeError("Scan line index out of range (" + std::to_string(Y) + ")");
    return FRows + static_cast<ptrdiff_t>(Y) * FStride;
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
    return PixelToColor(ScanLine(FHeight - 1)[0]);
}

void TBitmap::SetMonochrome(bool Value) {
    if (Value && !FMonochrome) {
        const TColor bk = ColorToRGB(Canvas().BkColor());
        const uint32_t background =
            (uint32_t{GetRValue(bk)} << 16) | (uint32_t{GetGValue(bk)} << 8) | GetBValue(bk);
        for (int32_t y = 0; y < FHeight; ++y)
            for (uint32_t& p : std::span(ScanLine(y), static_cast<size_t>(FWidth)))
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
        TakePixels(other->FWidth, other->FHeight, other->ContiguousPixels());
        FTransparentColor = other->FTransparentColor;
        FTransparent = other->FTransparent;
        FMonochrome = other->FMonochrome;
    } else {
        TPersistent::Assign(Source);
    }
}

std::string TBitmap::SaveToPng() const {
    if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap");
    return EncodePng(TPixelImage{FWidth, FHeight, ContiguousPixels()});
}

void TBitmap::LoadFromPng(const std::string& Data) {
    TPixelImage image = DecodePng(Data);
    TakePixels(image.Width, image.Height, std::move(image.Pixels));
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
