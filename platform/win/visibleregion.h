#pragma once

#include "platform/core/region.h"
#include "platform/win/windowstore.h"

namespace vex::wintree {

// The pixels of W's back buffer that W may draw: Area (window coordinates; in practice the
// client area or the whole window) moved into the buffer, cut to the buffer and to every
// ancestor's client area, less the siblings above W and each ancestor that has
// WS_CLIPSIBLINGS, and less W's visible children when ClipChildren. Empty when W does not show.
TRegion VisibleRegion(const TWnd& W, const TRect& Area, bool ClipChildren);
// The same, into Into.
void VisibleRegion(const TWnd& W, const TRect& Area, bool ClipChildren, TRegion& Into);

// The area of W in its top-level window's buffer, and that window's buffer (null when none).
TRect BufferRect(const TWnd& W, const TRect& Area);
TBackBuffer* BufferOf(TWnd& W);

}  // namespace vex::wintree
