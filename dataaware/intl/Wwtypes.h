#pragma once

#include <cstdint>

namespace vex {

// The memo-filter buffer size of the library's datasets, as the global texts hold it; the
// default size once the program's global instance is gone.
int32_t wwGetFilterMemoSize();

}  // namespace vex
