#include "platform/ui/pathfitting.h"

namespace vex {

std::string FitPathToWidth(const std::string& Path, int32_t Width,
                           const std::function<int32_t(const std::string&)>& Measure) {
    if (Measure(Path) <= Width) return Path;
    static const std::string dots = "...";
    // The widths only grow as the end kept grows: a binary search keeps a path of thousands of
    // names to a handful of measurements.
    size_t low = 0, high = Path.size();  // the kept end starts at high at the latest
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (Measure(dots + Path.substr(middle)) <= Width)
            high = middle;
        else
            low = middle + 1;
    }
    // A cut inside a letter of several bytes would show a broken one: start at the next letter.
    while (high < Path.size() && (static_cast<unsigned char>(Path[high]) & 0xC0) == 0x80)
        ++high;
    const size_t slash = Path.find('/', high);
    return dots + Path.substr(slash == std::string::npos ? high : slash);
}

}  // namespace vex
