#pragma once

#include <cstdint>
#include <string>

#include "platform/core/types.h"

namespace vex {

// A TDateTime's whole part counts days from 30 December 1899, towards the past when negative;
// the time of day is the magnitude of the fraction, so -1.25 is 29 December 1899 06:00. Every
// decoder rounds to the nearest millisecond first and carries 24:00 into the next day. Values
// outside 1 January 0001 to 31 December 9999, and NaN, cannot be decoded: EConvertError.

inline constexpr int32_t HoursPerDay = 24;
inline constexpr int32_t MinsPerDay = HoursPerDay * 60;
inline constexpr int32_t SecsPerDay = MinsPerDay * 60;
inline constexpr int32_t MSecsPerDay = SecsPerDay * 1000;
// Days from 1 January 0001 to 30 December 1899, and from there to 1 January 1970.
inline constexpr int32_t DateDelta = 693594;
inline constexpr int32_t UnixDateDelta = 25569;
// The whole parts of the first and last days a TDateTime may hold.
inline constexpr int32_t FirstEncodableDay = -693593;  // 1 January 0001
inline constexpr int32_t LastEncodableDay = 2958465;   // 31 December 9999

// Year 1 to 9999, Day within the month; else EConvertError "Invalid argument to date encode".
// The parts are wider than a Word so that a caller's out-of-range number is refused, never
// wrapped into another year.
TDateTime EncodeDate(int32_t Year, int32_t Month, int32_t Day);
// Hour < 24, Min < 60, Sec < 60, MSec < 1000; else "Invalid argument to time encode".
TDateTime EncodeTime(int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec);
bool TryEncodeDate(int32_t Year, int32_t Month, int32_t Day, TDateTime& Date);
bool TryEncodeTime(int32_t Hour, int32_t Min, int32_t Sec, int32_t MSec, TDateTime& Time);

void DecodeDate(TDateTime DateTime, uint16_t& Year, uint16_t& Month, uint16_t& Day);
void DecodeTime(TDateTime DateTime, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec);
// Also gives the day of the week (1 = Sunday); returns whether the year is a leap year.
bool DecodeDateFully(TDateTime DateTime, uint16_t& Year, uint16_t& Month, uint16_t& Day,
                     uint16_t& DOW);

// A date-time taken apart: the day counted from 30 December 1899 and the milliseconds of its
// time of day (0 to MSecsPerDay - 1). This is the one place the sign rule lives: date and time
// are put together and taken apart only through the routines below.
struct TDateTimeParts {
    int32_t Day = 0;
    int32_t MSec = 0;
    bool operator==(const TDateTimeParts&) const = default;
};

// The day and time of Value, rounded to the millisecond, 24:00 carried into the next day;
// EConvertError "Invalid argument to date decode" outside years 1 to 9999 or for NaN.
TDateTimeParts SplitDateTime(TDateTime Value);
bool TrySplitDateTime(TDateTime Value, TDateTimeParts& Parts);
// The inverse; EConvertError "Invalid argument to date encode" for a day outside years 1 to
// 9999 or a time outside the day.
TDateTime ComposeDateTime(const TDateTimeParts& Parts);
// The day of Date with the time of day of Time (its fraction, to the millisecond), signed so
// that a day before 1899 keeps it. Date must lie in years 1 to 9999: else EConvertError.
TDateTime ComposeDateTime(TDateTime Date, TDateTime Time);

// Local date and time from Clock().
TDateTime Now();
TDateTime Date();
TDateTime Time();

// 1 = Sunday to 7 = Saturday.
int32_t DayOfWeek(TDateTime DateTime);
bool IsLeapYear(uint16_t Year);
// Month 1 to 12; else ERangeError.
uint16_t MonthDays(uint16_t Year, uint16_t Month);
// Moves by whole months (back when negative), pulling the day in to the end of a shorter month
// and keeping the time of day.
TDateTime IncMonth(TDateTime DateTime, int32_t NumberOfMonths = 1);

// Seconds since 1970-01-01 00:00 UTC, with the TDateTime read as UTC; rounded to the nearest
// second. A time outside years 1 to 9999 is an EConvertError either way.
int64_t DateTimeToUnix(TDateTime Value);
TDateTime UnixToDateTime(int64_t Value);

// The original's format tokens (datetimetokens.h), with names, separators and nested formats
// from FormatSettings(). An empty format means "c". Any value outside years 1 to 9999 is an
// EConvertError, whatever the format shows of it.
std::string FormatDateTime(const std::string& Format, TDateTime DateTime);
std::string DateToStr(TDateTime DateTime);
std::string TimeToStr(TDateTime DateTime);
std::string DateTimeToStr(TDateTime DateTime);

// Parts in the order of ShortDateFormat, separated by DateSeparator; time as
// h[:m[:s[.zzz]]] with an optional AM/PM. Failures raise EConvertError
// ("'<text>' is not a valid date", "... time", "... date and time").
TDateTime StrToDate(const std::string& S);
TDateTime StrToTime(const std::string& S);
TDateTime StrToDateTime(const std::string& S);
bool TryStrToDate(const std::string& S, TDateTime& Value);
bool TryStrToTime(const std::string& S, TDateTime& Value);
bool TryStrToDateTime(const std::string& S, TDateTime& Value);

}  // namespace vex
