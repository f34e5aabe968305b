#pragma once

#include <cstdint>

#include "components/misc/ExplBtn.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/textmetrics.h"

namespace vex {

// The pictures an explorer button makes from its Bitmap: the dimmed copy it shows while the
// mouse is away, the part of the bitmap a size class shows, and the embossed look of a
// disabled button.

// Every pixel of Source not of the colour of pixel (0, 0) becomes white, clBtnHighlight,
// clBtnShadow or black by the sum of its red, green and blue against the thresholds of Shading.
// An empty Source gives an empty Dest.
void MakeDimmedBitmap(const TBitmap& Source, TExplorerButtonShadingType Shading, TBitmap& Dest);

// The bitmap's size on the face: its own for bsCustom, 16 by 16 for bsSmall, 32 by 32 for
// bsLarge; nothing for an empty bitmap.
TSize ShownBitmapSize(const TBitmap& Bitmap, TExplorerButtonButtonSize Size);

// Draws Bitmap at X, Y as Size shows it (whole, its top-left 16 by 16 pixels, or those pixels
// doubled), leaving out the pixels of the colour of its pixel (0, 0).
void DrawFaceBitmap(TCanvas& Canvas, int32_t X, int32_t Y, const TBitmap& Bitmap,
                    TExplorerButtonButtonSize Size);

// Draws Bitmap as a disabled button shows it: its silhouette (every pixel neither white nor of
// the colour of pixel (0, 0)) in clBtnHighlight one pixel right and down, then in clBtnShadow in
// place, through the raster operation that puts the brush where the mask is black.
void DrawDisabledBitmap(TCanvas& Canvas, int32_t X, int32_t Y, const TBitmap& Bitmap,
                        TExplorerButtonButtonSize Size);

}  // namespace vex
