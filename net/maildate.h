#pragma once

#include <string>

#include "platform/core/types.h"

namespace vex {

// Reads a mail Date value ("Fri, 21 Nov 1997 09:55:06 -0600"), tolerating the obsolete forms:
// no day name, two-digit years (0 to 50 are 2000 to 2050, 51 to 99 are 1951 to 1999), no
// seconds or no time at all. Date is the local date and time as written; Zone is what follows
// the time, in upper case ("-0600", "GMT", "-0330 (NEWFOUNDLAND TIME)"). A text that is not a
// date gives Date 0 and an empty Zone; nothing is raised.
void ParseMailDate(const std::string& Text, TDateTime& Date, std::string& Zone);

}  // namespace vex
