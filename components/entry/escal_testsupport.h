#pragma once
// Dates written as yyyy-mm-dd in the calendar's and the date edit's test tables.
#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/core/datetime.h"

namespace vex::test {

inline TDateTime IsoDate(const std::string& Text) {
    unsigned year = 0, month = 0, day = 0;
    if (std::sscanf(Text.c_str(), "%u-%u-%u", &year, &month, &day) != 3)
        throw std::runtime_error("not a yyyy-mm-dd date: " + Text);
    return EncodeDate(static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                      static_cast<uint16_t>(day));
}

inline std::string IsoText(TDateTime Date) {
    return FormatDateTime("yyyy-mm-dd", Date);
}

}  // namespace vex::test
