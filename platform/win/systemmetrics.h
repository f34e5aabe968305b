#pragma once

#include <atomic>
#include <cstdint>

#include "platform/core/exceptions.h"

namespace vex {

inline constexpr int32_t SM_SWAPBUTTON = 23;

// The system settings the components ask about. There is no desktop to ask, so each one is a
// value of the process that a settings dialog or a test sets; an index nobody supports reads 0,
// as the original's unknown indexes did.
namespace systemmetrics_detail {
inline std::atomic<int32_t> SwapButton{0};
}

inline int32_t GetSystemMetrics(int32_t Index) {
    return Index == SM_SWAPBUTTON ? systemmetrics_detail::SwapButton.load() : 0;
}

// Only the supported indexes can be set; any other raises ERangeError.
inline void SetSystemMetrics(int32_t Index, int32_t Value) {
    if (Index != SM_SWAPBUTTON) throw ERangeError("System metric cannot be set");
    systemmetrics_detail::SwapButton.store(Value);
}

}  // namespace vex
