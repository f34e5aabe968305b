#pragma once

#include <string>

#include "components/entry/OvcPictureMask.h"

namespace vex::test {

// A mask as a field of exactly the mask's length holds it.
inline void AssignMask(TOvcPictureMask& Engine, const std::string& Mask, bool Numeric) {
    uint16_t length = 1;
    const std::string fitted = TOvcPictureMask::FitMask(Mask, Numeric, length);
    Engine.Assign(fitted, length);
}

}  // namespace vex::test
