#pragma once

#include <cstdint>
#include <string>

#include "platform/core/set.h"
#include "platform/core/types.h"

namespace vex {

enum TEsRequiredField { rfYear, rfMonth, rfDay };
using TEsRequiredFields = TSet<TEsRequiredField, 3>;

// How a date edit reads what was typed.
struct TEsDateRules {
    // The order of the parts: 0 month-day-year, 1 day-month-year, 2 year-month-day; any other
    // value is taken as 0.
    int32_t DateOrder = 0;
    // A part left out is an error; a part not required left out is today's.
    TEsRequiredFields RequiredFields{rfMonth, rfDay};
    // 0: a two-digit year falls in the current century. Above 0: in the hundred years from
    // Epoch (1950 turns 49 into 2049 and 50 into 1950).
    int32_t Epoch = 0;
    // A text that means today, compared without regard to case.
    std::string TodayString = "/";
};

// The date Text stands for, with Today (a whole day) filling the parts left out; 0 for an
// empty Text when some part is required. Parts are runs of digits and letters in the order of
// the rules, whatever separates them; a month may be given by the first letters of its name
// (the locale's abbreviated names, in month order). Bad input raises EEsError with the
// family's message ("Invalid day", "Month is required", "Invalid date" ...), quoting the part
// or the text at fault. Time and memory grow with Text's length only.
TDateTime EsTextToDate(const std::string& Text, const TEsDateRules& Rules, TDateTime Today);

// Date in the locale's short date format; with ForceCentury a two-digit year is shown with four.
std::string EsDateToText(TDateTime Date, bool ForceCentury);

}  // namespace vex
