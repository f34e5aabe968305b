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
//
// A bitmap either owns its pixels or views rows that belong to someone else (a window's back
// buffer), so that a canvas draws straight into them. A view keeps its size: whatever would
// resize it raises EInvalidGraphic and leaves it as it was.
class TBitmap : public TPersistent {
    VEX_CLASS(TBitmap, TPersistent)

public:
    TBitmap();
    // A view of Height rows of Width pixels, Stride pixels apart, from Pixels on. The rows must
    // outlive the bitmap. A negative or too large size, a stride below the width, or no rows
    // for a size that needs some raise EInvalidGraphic.
    TBitmap(uint32_t* Pixels, int32_t AWidth, int32_t AHeight, int32_t AStride);
    ~TBitmap() override;
    // Becomes what TBitmap(Pixels, ...) would make, or with Pixels null what TBitmap() would, in
    // place: a canvas over the bitmap draws on the new rows (or on none) from then on. What the
    // bitmap owned, its own canvas and its transparency settings go. Rows the constructor would
    // refuse raise EInvalidGraphic and leave an empty bitmap of its own.
    void Retarget(uint32_t* Pixels, int32_t AWidth, int32_t AHeight, int32_t AStride);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetWidth(int32_t Value) { SetSize(Value, FHeight); }
    void SetHeight(int32_t Value) { SetSize(FWidth, Value); }
    // Keeps the pixels that stay inside; new ones are white. A negative size, one beyond
    // MaxBitmapDimension, or any new size of a view raises EInvalidGraphic and leaves the bitmap
    // as it was.
    void SetSize(int32_t AWidth, int32_t AHeight);
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    bool OwnsPixels() const { return !FView; }

    // Row Y, counted from the top; a row outside the bitmap raises ERangeError.
    uint32_t* ScanLine(int32_t Y);
    const uint32_t* ScanLine(int32_t Y) const;
    // Pixels from the start of one row to the start of the next.
    int32_t Stride() const { return FStride; }

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
    // Takes a whole picture of contiguous rows: moved in when the bitmap owns its pixels, copied
    // row by row into a view of the same size.
    void TakePixels(int32_t AWidth, int32_t AHeight, std::vector<uint32_t> Pixels);
    void CheckResizable(int32_t AWidth, int32_t AHeight) const;
    // Views the rows, which a bitmap just made (or emptied) does not have yet; rows that cannot
    // be addressed raise EInvalidGraphic and change nothing.
    void View(uint32_t* Pixels, int32_t AWidth, int32_t AHeight, int32_t AStride);
    // The rows one after another, without the gaps a view's stride may leave.
    std::vector<uint32_t> ContiguousPixels() const;

    int32_t FWidth = 0;
    int32_t FHeight = 0;
    // Owned pixels; a view leaves this empty and points FRows elsewhere.
    std::vector<uint32_t> FPixels;
    uint32_t* FRows = nullptr;
    int32_t FStride = 0;
    bool FView = false;
    std::unique_ptr<TCanvas> FCanvas;
    TColor FTransparentColor = clDefault;
    bool FTransparent = false;
    bool FMonochrome = false;
};

}  // namespace vex
