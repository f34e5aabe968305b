#include "platform/core/exceptions.h"

namespace vex {

void Abort() {
    throw EAbort("Operation aborted");
}

}  // namespace vex
