#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vex {

// When a process started, in clock ticks since boot: with its id, what tells a running process
// from one that has ended and whose id was given again. Nothing when no such process runs.
std::optional<uint64_t> ProcessStartTicks(int32_t ProcessId);

// The start time field of a process's stat line; nothing when the line is not one. The command
// name in parentheses may hold spaces and parentheses itself, so fields count from the last ")".
std::optional<uint64_t> StartTicksOfStatLine(std::string_view Line);

}  // namespace vex
