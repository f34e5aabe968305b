#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vex {

// Path as it is when it fits Width; else "..." and the longest end of it that fits, starting
// at a "/" where one allows, so that the folder a person is in stays readable. Measure gives
// a text's width in the same unit as Width.
std::string FitPathToWidth(const std::string& Path, int32_t Width,
                           const std::function<int32_t(const std::string&)>& Measure);

}  // namespace vex
