#pragma once

#include <cstdint>

namespace vex {

// The calendar of the entry controls: day numbers count from 1 January 1600 (day 0) and run
// to 31 December 3999; two-digit years are placed by a century epoch. The names IsLeapYear and
// DayOfWeek also exist for TDateTime in platform/core/datetime.h; these take this unit's
// integer types, and IsLeapYear here counts years divisible by 4000 as common years.

using TStDate = int32_t;   // days since 1 January 1600; BadDate is the invalid date
using TStTime = int32_t;   // seconds since midnight; BadTime is the invalid time
using TDayType = int32_t;  // 0 Sunday to 6 Saturday; 7 for BadDate

inline constexpr TStDate BadDate = -1;
inline constexpr TStTime BadTime = -1;
inline constexpr int32_t MinYear = 1600;
inline constexpr int32_t MaxYear = 3999;
inline constexpr TStDate MinDate = 0;       // 1 January 1600
inline constexpr TStDate MaxDate = 876581;  // 31 December 3999
inline constexpr int32_t SecondsInDay = 86400;

bool IsLeapYear(int32_t Year);
// A year of 100 or more is returned as it is; a two-digit year falls into the hundred years
// that begin at Epoch. A year that would lie beyond INT32_MAX (an epoch near it) is INT32_MAX.
int32_t ResolveEpoch(int32_t Year, int32_t Epoch);
// 0 for a month outside 1 to 12 or a (resolved) year outside 1600 to 3999.
int32_t DaysInMonth(int32_t Month, int32_t Year, int32_t Epoch);
bool ValidDate(int32_t Day, int32_t Month, int32_t Year, int32_t Epoch);

// BadDate for a date that is not valid.
TStDate DMYtoStDate(int32_t Day, int32_t Month, int32_t Year, int32_t Epoch);
// Any number outside MinDate to MaxDate, BadDate included, gives 0, 0, 0.
void StDateToDMY(TStDate Julian, int32_t& Day, int32_t& Month, int32_t& Year);
// 7 for a day number outside MinDate to MaxDate.
TDayType DayOfWeek(TStDate Julian);
TDayType DayOfWeekDMY(int32_t Day, int32_t Month, int32_t Year, int32_t Epoch);

// Hours are taken modulo 24 and the total modulo a day, so (25, 0, 0) is one in the morning
// and (0, 0, -1) one second before midnight.
TStTime HMStoStTime(int32_t Hours, int32_t Minutes, int32_t Seconds);
// Any time outside 0 to 86399, BadTime included, gives 0, 0, 0.
void StTimeToHMS(TStTime T, int32_t& Hours, int32_t& Minutes, int32_t& Seconds);
bool ValidTime(int32_t Hours, int32_t Minutes, int32_t Seconds);

// The year and month of the system date when first asked (the controls' start-up), the
// defaults of a date text that leaves them out; settable as the original's globals were.
int32_t DefaultYear();
void SetDefaultYear(int32_t Value);
int32_t DefaultMonth();
void SetDefaultMonth(int32_t Value);

}  // namespace vex
