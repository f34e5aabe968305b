#pragma once

#include <cstdint>

#include "components/misc/ExplBtn.h"
#include "platform/core/geometry.h"
#include "platform/gfx/textmetrics.h"

namespace vex {

// Where bitmap and caption sit on an explorer button's face.
struct TExplorerFace {
    TPoint BitmapPos;
    TRect CaptionRect;
};

// Places a bitmap of BitmapSize and a caption of CaptionSize (nothing: 0 by 0) on a face of
// Width by Height (the arrow part already taken off): 2 pixels apart when there is a caption;
// stacked and centred vertically for blBitmapTop and blBitmapBottom, each placed across by
// Alignment 3 pixels from an edge or centred; side by side for blBitmapLeft and blBitmapRight,
// each centred vertically, the pair placed across by Alignment.
TExplorerFace LayOutFace(int32_t Width, int32_t Height, TSize BitmapSize, TSize CaptionSize,
                         TExplorerButtonLayout Layout, TAlignment Alignment);

// The width a caption may take: the face's less 4 pixels, less the bitmap and the gap beside it
// when they sit side by side.
int32_t CaptionWidthLimit(int32_t Width, TSize BitmapSize, TExplorerButtonLayout Layout);

}  // namespace vex
