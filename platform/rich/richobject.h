#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/gfx/textmetrics.h"

namespace vex {

class TCanvas;

// An object embedded in the text: it stands there as one character and is laid out and painted
// as a box of its extent.
class IRichObject {
public:
    virtual ~IRichObject() = default;
    // The box on the page, in twips; at least one twip each way.
    virtual TSize Extent() const = 0;
    // Paints the object into Box (device pixels of Canvas).
    virtual void Draw(TCanvas& Canvas, const TRect& Box) const = 0;
};

}  // namespace vex
