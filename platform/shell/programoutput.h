#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vex {

// Runs a program found on the PATH with Arguments as its argument vector (Arguments[0] the
// program; no shell sees them), its input and errors on /dev/null, and answers what it wrote
// to its output when it exits with 0. Nothing when it cannot be started, fails, writes more
// than Limit bytes, or is still running after TimeOut (it is killed then), so a hanging helper
// program never holds the caller up.
std::optional<std::string> ProgramOutput(const std::vector<std::string>& Arguments,
                                         std::chrono::milliseconds TimeOut, size_t Limit);

}  // namespace vex
