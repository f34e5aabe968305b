#pragma once

#include "platform/core/exceptions.h"

namespace vex {

// A call into the window tree that cannot be carried out as asked: an unknown or taken class
// name, a parent that is no window, an index or command the tree does not know.
VEX_EXCEPTION(EWindowError, Exception);

}  // namespace vex
