#include "platform/shell/processstart.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <string>

namespace vex {

namespace {

// The start time is the 22nd field; the state after the name is the 3rd.
constexpr int kFieldsAfterName = 22 - 3;

}  // namespace

std::optional<uint64_t> StartTicksOfStatLine(std::string_view Line) {
    const size_t close = Line.rfind(')');
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view rest = Line.substr(close + 1);
    for (int field = 0;; ++field) {
        const size_t begin = rest.find_first_not_of(' ');
        if (begin == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(begin);
        const size_t end = std::min(rest.find_first_of(" \n"), rest.size());
        if (field == kFieldsAfterName) {
            uint64_t ticks = 0;
            const auto [last, error] = std::from_chars(rest.data(), rest.data() + end, ticks);
            if (error != std::errc() || last != rest.data() + end) return std::nullopt;
            return ticks;
        }
        rest.remove_prefix(end);
    }
}

std::optional<uint64_t> ProcessStartTicks(int32_t ProcessId) {
    if (ProcessId <= 0) return std::nullopt;
    const std::string path = "/proc/" + std::to_string(ProcessId) + "/stat";
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    // The line is a few hundred bytes; the name in it is at most 64.
    char buffer[1024];
    const ssize_t length = read(fd, buffer, sizeof buffer);
    close(fd);
    if (length <= 0) return std::nullopt;
    const std::string_view line(buffer, static_cast<size_t>(length));
    // A zombie, or one being reaped, has ended although it is still listed.
    const size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string_view::npos) return std::nullopt;
    const std::string_view state = line.substr(nameEnd);
    if (state.starts_with(") Z") || state.starts_with(") X")) return std::nullopt;
    return StartTicksOfStatLine(line);
}

}  // namespace vex
