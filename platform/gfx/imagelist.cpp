#include "platform/gfx/imagelist.h"

#include <climits>

#include "platform/core/exceptions.h"
#include "platform/gfx/pngcodec.h"
#include "platform/gfx/rasterops.h"

namespace vex {

namespace {

constexpr uint32_t White = 0xFFFFFF;

}  // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}
TImageList::~TImageList() = default;

void TImageList::SetSize(int32_t AWidth, int32_t AHeight) {
    if (AWidth < 1 || AHeight < 1 || AWidth > MaxBitmapDimension || AHeight > MaxBitmapDimension)
        throw EInvalidOperation("Invalid image size");
    if (AWidth == FWidth && AHeight == FHeight) return;
    FWidth = AWidth;
    FHeight = AHeight;
    Clear();
}

void TImageList::CheckIndex(int32_t Index) const {
    if (Index < 0 || Index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
}

template <typename Pred>
int32_t TImageList::AddStrip(const TBitmap& Image, Pred Transparent) {
    if (Image.Width() < FWidth || Image.Height() < FHeight)
        throw EInvalidOperation("Invalid image size");
    const int32_t first = Count();
    std::vector<std::unique_ptr<TImage>> added;
    for (int32_t n = 0; n < Image.Width() / FWidth; ++n) {
        auto image = std::make_unique<TImage>();
        image->Image.SetSize(FWidth, FHeight);
        image->Mask.SetSize(FWidth, FHeight);
        for (int32_t y = 0; y < FHeight; ++y) {
            const uint32_t* from = Image.ScanLine(y) + static_cast<size_t>(n) * FWidth;
            uint32_t* to = image->Image.ScanLine(y);
            uint32_t* mask = image->Mask.ScanLine(y);
            for (int32_t x = 0; x < FWidth; ++x) {
                const bool clear = Transparent(n * FWidth + x, y, from[x]);
                to[x] = clear ? 0 : from[x];
                mask[x] = clear ? White : 0;
            }
        }
        image->Mask.SetMonochrome(true);
        added.push_back(std::move(image));
    }
    for (auto& image : added)
        FImages.push_back(std::move(image));
    return first;
}

int32_t TImageList::Add(const TBitmap& Image, const TBitmap* Mask) {
    return AddStrip(Image, [Mask](int32_t X, int32_t Y, uint32_t) {
        return Mask && X < Mask->Width() && Y < Mask->Height() && Mask->ScanLine(Y)[X] == White;
    });
}

int32_t TImageList::AddMasked(const TBitmap& Image, TColor MaskColor) {
    const uint32_t key =
        ColorToPixel(MaskColor == clDefault ? Image.TransparentColor() : MaskColor);
    return AddStrip(Image, [key](int32_t, int32_t, uint32_t Pixel) { return Pixel == key; });
}

void TImageList::Delete(int32_t Index) {
    CheckIndex(Index);
    FImages.erase(FImages.begin() + Index);
}

void TImageList::Clear() {
    FImages.clear();
}

void TImageList::GetBitmap(int32_t Index, TBitmap& Image) {
    CheckIndex(Index);
    Image.SetSize(FWidth, FHeight);
    Draw(Image.Canvas(), 0, 0, Index);
}

void TImageList::Draw(TCanvas& Canvas, int32_t X, int32_t Y, int32_t Index, bool Enabled) {
    if (Index < 0 || Index >= Count()) return;
    const TImage& image = *FImages[static_cast<size_t>(Index)];
    if (!Enabled) {
        DrawDisabled(Canvas, X, Y, image);
        return;
    }
    TBlitSource source;
    source.Bitmap = &image.Image;
    source.Mask = &image.Mask;
    StretchRaster(Canvas, X, Y, FWidth, FHeight, source, 0, 0, FWidth, FHeight, SRCCOPY);
}

void TImageList::DrawDisabled(TCanvas& Canvas, int32_t X, int32_t Y, const TImage& Image) {
    // The ink is every visible pixel that is not white; it is black in a monochrome copy.
    TBitmap ink;
    ink.SetSize(FWidth, FHeight);
    for (int32_t y = 0; y < FHeight; ++y) {
        const uint32_t* from = Image.Image.ScanLine(y);
        const uint32_t* mask = Image.Mask.ScanLine(y);
        uint32_t* to = ink.ScanLine(y);
        for (int32_t x = 0; x < FWidth; ++x)
            to[x] = mask[x] == White || from[x] == White ? White : 0;
    }
    ink.SetMonochrome(true);

    // With the text colour white and the background black, DSPDxax puts the brush on the ink and
    // leaves the rest of the destination alone.
    TBrush savedBrush;
    savedBrush.Assign(&Canvas.Brush());
    const TColor savedText = Canvas.TextColor();
    const TColor savedBk = Canvas.BkColor();
    Canvas.SetTextColor(clWhite);
    Canvas.SetBkColor(clBlack);
    Canvas.Brush().SetBitmap(nullptr);
    TBlitSource source;
    source.Bitmap = &ink;
    const auto emboss = [&](int32_t AtX, int32_t AtY, TColor Color) {
        Canvas.Brush().SetColor(Color);
        StretchRaster(Canvas, AtX, AtY, FWidth, FHeight, source, 0, 0, FWidth, FHeight,
                      ROP_DSPDxax);
    };
    emboss(X == INT32_MAX ? X : X + 1, Y == INT32_MAX ? Y : Y + 1, clBtnHighlight);
    emboss(X, Y, clBtnShadow);
    Canvas.SetTextColor(savedText);
    Canvas.SetBkColor(savedBk);
    Canvas.Brush().Assign(&savedBrush);
}

}  // namespace vex
