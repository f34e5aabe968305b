#pragma once

#include <cstdint>
#include <string_view>

#include "platform/core/types.h"

namespace vex {

// Reads what a user types as a date, a time or a date-time, more forgivingly than StrToDate:
// blanks may stand between the parts, a month may be its short name ("3/APR/2005"), and a
// two-digit year falls in 1950 to 2049 whatever today's date. Separators, the order of the
// parts, month names and the AM and PM words come from FormatSettings(). Nothing here raises:
// a text that does not scan gives false or 0.
//
// Positions count from 1. A scan that succeeds leaves Pos after what it read and after any
// blanks that follow; one that fails leaves Pos alone.

inline constexpr int32_t wwEpochYear = 1950;

bool wwScanDate(std::string_view Text, int32_t& Pos, TDateTime& Date);
bool wwScanTime(std::string_view Text, int32_t& Pos, TDateTime& Time);

// A date at the start of Text; more text may follow.
bool wwStrIsDate(std::string_view Text, TDateTime& Date);
// A date and nothing else.
bool wwIsValidDate(std::string_view Text);
// A date then a time and nothing else, else 0. Before 30 December 1899 the time of day counts
// away from zero, as in every TDateTime.
TDateTime wwStrToDateTime(std::string_view Text);
// The date at the start of Text, else 0.
TDateTime wwStrToDate(std::string_view Text);
// A time and nothing else, else 0.
TDateTime wwStrToTime(std::string_view Text);

// True for an empty text and for one that StrToFloat takes whole.
bool wwIsValidNumber(std::string_view Text);

// Which part of a date-time text a caret stands in (0-based caret, the number of characters
// before it): 0 day, 1 month, 2 year, 3 hour, 4 minute, 5 second, 6 the AM or PM word.
enum : int32_t {
    wwPartDay,
    wwPartMonth,
    wwPartYear,
    wwPartHour,
    wwPartMinute,
    wwPartSecond,
    wwPartAmPm
};
int32_t wwDateTimePartAt(int32_t Caret, std::string_view Text, bool TimeOnly);
int32_t wwTimePartAt(int32_t Caret, std::string_view Text);

bool wwIsLeapYear(int32_t Year);
// From the local time of Clock().
int32_t wwCurrentYear();

}  // namespace vex
