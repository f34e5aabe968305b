#include "platform/core/localeinfo.h"

#include "platform/core/formatsettings.h"

namespace vex {

namespace {

// The settings count days from Sunday; the locale query from Monday.
size_t SundayFirst(LCTYPE MondayFirstIndex) {
    return (MondayFirstIndex + 1) % 7;
}

}  // namespace

std::string GetLocaleInfo(LCID Locale, LCTYPE LCType) {
    if (Locale != LOCALE_USER_DEFAULT && Locale != LOCALE_SYSTEM_DEFAULT) return {};
    const TFormatSettings& fs = FormatSettings();
    if (LCType == LOCALE_IFIRSTDAYOFWEEK) return std::string(1, char('0' + fs.FirstDayOfWeek % 7));
    if (LCType - LOCALE_SDAYNAME1 < 7)
        return fs.LongDayNames[SundayFirst(LCType - LOCALE_SDAYNAME1)];
    if (LCType - LOCALE_SABBREVDAYNAME1 < 7)
        return fs.ShortDayNames[SundayFirst(LCType - LOCALE_SABBREVDAYNAME1)];
    if (LCType - LOCALE_SMONTHNAME1 < 12) return fs.LongMonthNames[LCType - LOCALE_SMONTHNAME1];
    if (LCType - LOCALE_SABBREVMONTHNAME1 < 12)
        return fs.ShortMonthNames[LCType - LOCALE_SABBREVMONTHNAME1];
    return {};
}

}  // namespace vex
