#pragma once

#include "platform/core/exceptions.h"

namespace vex {

// Image data that cannot be read: not a PNG, cut short, corrupt, or larger than a bitmap may be.
VEX_EXCEPTION(EInvalidGraphic, Exception);
// A drawing request no device can carry out, such as a resolution of no pixels per inch.
VEX_EXCEPTION(EInvalidGraphicOperation, Exception);

}  // namespace vex
