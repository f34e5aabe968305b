#pragma once

#include <string>

#include "tools/rescomp/module.h"

namespace vex::rescomp {

// The C++ source of a module: its tables as constant data, a registrar that hands them to the
// run-time registry, and the extern "C" symbol vex_resources_<name> that a library's link
// option names so that no program drops the object.
std::string EmitModule(const Module& M);

}  // namespace vex::rescomp
