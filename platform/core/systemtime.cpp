#include "platform/core/systemtime.h"

#include "platform/core/datetime.h"

namespace vex {

SYSTEMTIME DateTimeToSystemTime(TDateTime DateTime) {
    SYSTEMTIME result;
    uint16_t dayOfWeek = 0;
    DecodeDateFully(DateTime, result.wYear, result.wMonth, result.wDay, dayOfWeek);
    result.wDayOfWeek = static_cast<uint16_t>(dayOfWeek - 1);
    DecodeTime(DateTime, result.wHour, result.wMinute, result.wSecond, result.wMilliseconds);
    return result;
}

bool TrySystemTimeToDateTime(const SYSTEMTIME& Time, TDateTime& Value) {
    TDateTime date = 0;
    TDateTime time = 0;
    if (!TryEncodeDate(Time.wYear, Time.wMonth, Time.wDay, date)) return false;
    if (!TryEncodeTime(Time.wHour, Time.wMinute, Time.wSecond, Time.wMilliseconds, time))
        return false;
    Value = ComposeDateTime(date, time);
    return true;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& Time) {
    return ComposeDateTime(EncodeDate(Time.wYear, Time.wMonth, Time.wDay),
                           EncodeTime(Time.wHour, Time.wMinute, Time.wSecond, Time.wMilliseconds));
}

}  // namespace vex
