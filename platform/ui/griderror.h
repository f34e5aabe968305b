#pragma once

#include "platform/core/exceptions.h"

namespace vex {

// An index a grid operation was given lies outside the grid, or a count or size is negative.
VEX_EXCEPTION(EInvalidGridOperation, Exception);

}  // namespace vex
