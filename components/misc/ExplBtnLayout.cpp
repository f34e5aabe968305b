#include "components/misc/ExplBtnLayout.h"

#include <algorithm>

namespace vex {

namespace {

constexpr int32_t Margin = 3;
constexpr int32_t Gap = 2;

// Where something Size wide starts across Width, by Alignment.
int32_t Across(int32_t Width, int32_t Size, TAlignment Alignment) {
    switch (Alignment) {
        case taLeftJustify:
            return Margin;
        case taRightJustify:
            return Width - Margin - Size;
        case taCenter:
            break;
    }
    return (Width - Size) / 2;
}

}  // namespace

TExplorerFace LayOutFace(int32_t Width, int32_t Height, TSize BitmapSize, TSize CaptionSize,
                         TExplorerButtonLayout Layout, TAlignment Alignment) {
    const bool hasCaption = CaptionSize.cx > 0 && CaptionSize.cy > 0;
    const int32_t gap = hasCaption ? Gap : 0;
    TExplorerFace face;
    TPoint caption;
    if (Layout == blBitmapTop || Layout == blBitmapBottom) {
        const int32_t top = (Height - (BitmapSize.cy + gap + CaptionSize.cy)) / 2;
        const bool bitmapFirst = Layout == blBitmapTop;
        face.BitmapPos.X = Across(Width, BitmapSize.cx, Alignment);
        face.BitmapPos.Y = bitmapFirst ? top : top + CaptionSize.cy + gap;
        caption.X = Across(Width, CaptionSize.cx, Alignment);
        caption.Y = bitmapFirst ? top + BitmapSize.cy + gap : top;
    } else {
        const int32_t left = Across(Width, BitmapSize.cx + gap + CaptionSize.cx, Alignment);
        const bool bitmapFirst = Layout == blBitmapLeft;
        face.BitmapPos.X = bitmapFirst ? left : left + CaptionSize.cx + gap;
        face.BitmapPos.Y = (Height - BitmapSize.cy) / 2;
        caption.X = bitmapFirst ? left + BitmapSize.cx + gap : left;
        caption.Y = (Height - CaptionSize.cy) / 2;
    }
    face.CaptionRect =
        Rect(caption.X, caption.Y, caption.X + CaptionSize.cx, caption.Y + CaptionSize.cy);
    return face;
}

int32_t CaptionWidthLimit(int32_t Width, TSize BitmapSize, TExplorerButtonLayout Layout) {
    int32_t limit = Width - 4;
    if ((Layout == blBitmapLeft || Layout == blBitmapRight) && BitmapSize.cx > 0)
        limit -= BitmapSize.cx + Gap;
    return std::max(limit, 0);
}

}  // namespace vex
