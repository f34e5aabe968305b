#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/object.h"
#include "platform/gfx/colors.h"

namespace vex {

class TCanvas;
class TStream;

// No compiled-in resource has the name asked for.
VEX_EXCEPTION(EResNotFound, Exception);

// A 32-bit off-screen picture. Each pixel is one 32-bit word 0x00RRGGBB (in memory: blue, green,
// red, unused), rows top to bottom; ScanLine gives a row for direct access.
class TBitmap : public TPersistent {
    VEX_CLASS(TBitmap, TPersistent)

public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetWidth(int32_t Value) { SetSize(Value, FHeight); }
    void SetHeight(int32_t Value) { SetSize(FWidth, Value); }
    // Keeps the pixels that stay inside; new ones are white. A negative size, or one beyond
    // MaxBitmapDimension, raises EInvalidGraphic and leaves the bitmap as it was.
    void SetSize(int32_t AWidth, int32_t AHeight);
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    // Row Y, counted from the top; a row outside the bitmap raises ERangeError.
    uint32_t* ScanLine(int32_t Y);
    const uint32_t* ScanLine(int32_t Y) const;

    TCanvas& Canvas();

    // Without a fixed colour the transparent colour is the bottom-left pixel's, as on the
    // original; setting one fixes it, and clDefault returns to the automatic colour.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value) { FTransparentColor = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }

    // A monochrome bitmap holds only black and white. Switching it on turns pixels of the
    // canvas's background colour white and all others black, as the original's conversion did;
    // switching it off keeps the pixels. Raster operations convert to and from it (rasterops.h).
    bool Monochrome() const { return FMonochrome; }
    void SetMonochrome(bool Value);

    void Assign(const TPersistent* Source) override;

    // The PNG registered with vex_resources under type "BITMAP" and this name (case ignored);
    // an unknown name raises EResNotFound and a bad image EInvalidGraphic, both leaving the
    // bitmap as it was.
    void LoadFromResourceName(const std::string& Name);

    // PNG files. Saving replaces the file atomically; loading a bad file raises EInvalidGraphic
    // and leaves the bitmap unchanged.
    void SaveToFile(const std::string& FileName) const;
    void LoadFromFile(const std::string& FileName);
    // The PNG from the stream's position to its end.
    void SaveToStream(TStream& Stream) const;
    void LoadFromStream(TStream& Stream);

private:
    void LoadFromPng(const std::string& Data);
    std::string SaveToPng() const;

    int32_t FWidth = 0;
    int32_t FHeight = 0;
    std::vector<uint32_t> FPixels;
    std::unique_ptr<TCanvas> FCanvas;
    TColor FTransparentColor = clDefault;
    bool FTransparent = false;
    bool FMonochrome = false;
};

}  // namespace vex
