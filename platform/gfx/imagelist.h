#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/component.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

namespace vex {

// Images of one size, each with a mask (white = transparent), drawn masked. A strip wider than
// one image is split into as many images as fit.
class TImageList : public TComponent {
    VEX_CLASS(TImageList, TComponent)

public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;

    // Changing the size empties the list, as on the original; a size below 1 or beyond the
    // largest bitmap raises EInvalidOperation.
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t Value) { SetSize(Value, FHeight); }
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t Value) { SetSize(FWidth, Value); }
    int32_t Count() const { return static_cast<int32_t>(FImages.size()); }

    // Each returns the index of the first image added. A picture narrower or lower than one
    // image raises EInvalidOperation "Invalid image size"; Mask may be null (nothing masked).
    int32_t Add(const TBitmap& Image, const TBitmap* Mask);
    // The pixels of MaskColor are transparent; clDefault takes the strip's TransparentColor.
    int32_t AddMasked(const TBitmap& Image, TColor MaskColor);
    // An index outside the list raises EInvalidOperation "Invalid ImageList Index".
    void Delete(int32_t Index);
    void Clear();
    // Image becomes Width x Height with the image drawn on it masked.
    void GetBitmap(int32_t Index, TBitmap& Image);
    // Masked. A disabled image is embossed from its dark pixels: highlight one pixel right and
    // down, shadow over it. An index outside the list draws nothing, as on the original, so a
    // grid showing numbers from data as images is not stopped by a bad value.
    void Draw(TCanvas& Canvas, int32_t X, int32_t Y, int32_t Index, bool Enabled = true);

private:
    struct TImage {
        TBitmap Image;
        TBitmap Mask;
    };
    void SetSize(int32_t AWidth, int32_t AHeight);
    void CheckIndex(int32_t Index) const;
    // Splits a strip; Transparent says which of its pixels are left out.
    template <typename Pred>
    int32_t AddStrip(const TBitmap& Image, Pred Transparent);
    void DrawDisabled(TCanvas& Canvas, int32_t X, int32_t Y, const TImage& Image);

    int32_t FWidth = 16;
    int32_t FHeight = 16;
    std::vector<std::unique_ptr<TImage>> FImages;
};

}  // namespace vex
