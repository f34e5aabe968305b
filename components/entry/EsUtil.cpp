#include "components/entry/EsUtil.h"

#include "components/entry/OvcDate.h"
#include "platform/core/datetime.h"

namespace vex {

int32_t DaysInMonth(int32_t Year, int32_t Month) {
    constexpr int32_t days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    if (Month == 2 && IsLeapYear(Year < 100 ? Year + CurrentCentury() : Year)) return 29;
    return days[Month - 1];
}

int32_t CurrentCentury() {
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(Now(), year, month, day);
    return year / 100 * 100;
}

void SplitColor(TColor Color, uint8_t& Red, uint8_t& Green, uint8_t& Blue) {
    Red = static_cast<uint8_t>(Color);
    Green = static_cast<uint8_t>(Color >> 8);
    Blue = static_cast<uint8_t>(Color >> 16);
}

}  // namespace vex
