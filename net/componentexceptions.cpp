#include "net/componentexceptions.h"

#include "platform/core/resources.h"

namespace vex {

ETimedOutError::ETimedOutError() : Exception(LoadStr(sTimedOut)) {}

ECanceledError::ECanceledError() : Exception(LoadStr(sCanceled)) {}

}  // namespace vex
