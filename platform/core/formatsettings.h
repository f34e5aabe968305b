#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vex {

// The user's number, currency, date and time conventions, as the original framework kept them
// in global variables. Formatting and parsing routines read FormatSettings(); tests change it
// through a TFormatSettingsOverride and get the English (United States) defaults back after.
struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';

    std::string CurrencyString = "$";
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    uint8_t CurrencyFormat = 0;
    // 0 "($1)" to 15 "(1 $)", the sixteen negative currency layouts of the original.
    uint8_t NegCurrFormat = 0;
    uint8_t CurrencyDecimals = 2;

    std::string ShortDateFormat = "M/d/yy";
    std::string LongDateFormat = "dddd, MMMM dd, yyyy";
    std::string ShortTimeFormat = "h:mm AMPM";
    std::string LongTimeFormat = "h:mm:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";

    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    // Sunday first, as DayOfWeek counts.
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};

    // 0: a two-digit year falls in the current century. N > 0: it falls in the hundred years
    // that begin N years before the current year.
    uint16_t TwoDigitYearCenturyWindow = 0;

    // The first day of a calendar week, as the locale's digit counts it: 0 Monday to 6 Sunday.
    uint8_t FirstDayOfWeek = 6;
};

// The settings in force for this process.
TFormatSettings& FormatSettings();

// Replaces the settings for its lifetime and restores the previous ones after.
class TFormatSettingsOverride {
public:
    explicit TFormatSettingsOverride(const TFormatSettings& Settings);
    ~TFormatSettingsOverride();
    TFormatSettingsOverride(const TFormatSettingsOverride&) = delete;
    TFormatSettingsOverride& operator=(const TFormatSettingsOverride&) = delete;

private:
    TFormatSettings FSaved;
};

}  // namespace vex
