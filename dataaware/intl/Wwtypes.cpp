#include "dataaware/intl/Wwtypes.h"

#include "dataaware/intl/Wwintl.h"

namespace vex {

int32_t wwGetFilterMemoSize() {
    static constexpr int32_t DefaultFilterMemoSize = 65536;
    return wwGlobalIntl != nullptr ? wwGlobalIntl->FilterMemoSize() : DefaultFilterMemoSize;
}

}  // namespace vex
