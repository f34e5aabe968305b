#include "dataaware/edits/wwpickersupport.h"

#include <cmath>

#include "platform/core/datetime.h"
#include "platform/ui/datetimepickercivil.h"

namespace vex {

int32_t wwDaysPerMonth(int32_t Year, int32_t Month) {
    return TCivilDateTime::DaysIn(Year, Month);
}

bool wwIsSameOrEarlierDay(TDateTime A, TDateTime B) {
    return std::trunc(A) <= std::trunc(B);
}

int32_t wwCurrentCentury() {
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(Now(), year, month, day);
    return year / 100;
}

TDateTime wwAddMonths(TDateTime Date, int32_t Months) {
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(Date, year, month, day);
    const int64_t target = int64_t{year} * 12 + (month - 1) + Months;
    // Months past either end of the calendar would not encode: stay where we are.
    if (target < 12 || target >= int64_t{10000} * 12) return Date;
    return IncMonth(Date, Months);
}

int32_t wwExpandTwoDigitYear(int32_t TwoDigits, int32_t Pivot) {
    const int32_t century = Pivot / 100 + (TwoDigits < Pivot % 100 ? 1 : 0);
    return century * 100 + TwoDigits;
}

std::string wwReplaceAll(const std::string& Source, const std::string& From,
                         const std::string& To) {
    if (From.empty()) return Source;
    std::string result;
    result.reserve(Source.size());
    size_t at = 0;
    for (size_t found = Source.find(From); found != std::string::npos;
         found = Source.find(From, at)) {
        result.append(Source, at, found - at);
        result += To;
        at = found + From.size();
    }
    result.append(Source, at, std::string::npos);
    return result;
}

}  // namespace vex
