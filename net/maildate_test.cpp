#include "net/maildate.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/datetime.h"

namespace vex {
namespace {

TDateTime At(uint16_t Y, uint16_t Mo, uint16_t D, uint16_t H = 0, uint16_t Mi = 0, uint16_t S = 0) {
    return ComposeDateTime(EncodeDate(Y, Mo, D), EncodeTime(H, Mi, S, 0));
}

struct DateCase {
    std::string Text;
    TDateTime Date;
    std::string Zone;
};

void ExpectDates(const std::vector<DateCase>& Cases) {
    for (const DateCase& c : Cases) {
        SCOPED_TRACE(c.Text);
        TDateTime date = 12345;
        std::string zone = "stale";
        ParseMailDate(c.Text, date, zone);
        EXPECT_NEAR(date, c.Date, 1e-9);
        EXPECT_EQ(zone, c.Zone);
    }
}

// The dates of the internet message format's appendix A.3 and A.6, as GetFieldValue returns
// them (folding joined by blanks) and as they stand on the wire.
TEST(ParseMailDate, ReadsTheStandardsDateExamples) {
    ExpectDates({
        {"Fri, 21 Nov 1997 09:55:06 -0600", At(1997, 11, 21, 9, 55, 6), "-0600"},
        {"Tue, 1 Jul 2003 10:52:37 +0200", At(2003, 7, 1, 10, 52, 37), "+0200"},
        {"Thu, 13 Feb 1969 23:32:54 -0330", At(1969, 2, 13, 23, 32, 54), "-0330"},
        {"Thu, 13 Feb 1969 23:32 -0330 (Newfoundland Time)", At(1969, 2, 13, 23, 32),
         "-0330 (NEWFOUNDLAND TIME)"},
        {"Thu,\r\n      13\r\n        Feb\r\n          1969\r\n      23:32\r\n"
         "               -0330 (Newfoundland Time)",
         At(1969, 2, 13, 23, 32), "-0330 (NEWFOUNDLAND TIME)"},
        {"21 Nov 97 09:55:06 GMT", At(1997, 11, 21, 9, 55, 6), "GMT"},
        {"Mon, 24 Nov 1997 14:22:01 -0800", At(1997, 11, 24, 14, 22, 1), "-0800"},
    });
}

TEST(ParseMailDate, PlacesTwoDigitYearsAroundFifty) {
    ExpectDates({
        {"1 Jan 50 00:00:00", At(2050, 1, 1), ""},
        {"1 Jan 51 00:00:00", At(1951, 1, 1), ""},
        {"1 Jan 00", At(2000, 1, 1), ""},
        {"1 Jan 99", At(1999, 1, 1), ""},
        {"1 Jan 150", At(150, 1, 1), ""},
    });
}

TEST(ParseMailDate, ToleratesLooseForms) {
    ExpectDates({
        {"\"Sat, 2 Mar 2002 12:00:00 +0000\"", At(2002, 3, 2, 12), "+0000"},
        {"2 march 2002, 12:00:00 +0000", At(2002, 3, 2, 12), "+0000"},
        {"Sat, 2 Mar 2002 -0500", At(2002, 3, 2), "-0500"},  // no time
        {"Sat, 2 Mar 2002 99:99 -0500", At(2002, 3, 2), "-0500"},
        {"2 Mar 2002", At(2002, 3, 2), ""},
        {"Sat, 2 of Mar 2002 12:00", At(2002, 3, 2, 12), ""},
        // the month is the word after the day, not a name inside the zone's comment
        {"21 Nov 1997 09:55:06 (JAN MAYEN TIME)", At(1997, 11, 21, 9, 55, 6), "(JAN MAYEN TIME)"},
        {"1 Jan 1800 06:00:00", At(1800, 1, 1, 6), ""},
    });
}

TEST(ParseMailDate, GivesZeroForWhatIsNoDate) {
    ExpectDates({
        {"", 0, ""},
        {"   ", 0, ""},
        {"Fri, 21 1997 09:55:06 -0600", 0, ""},  // no month
        {"31 Feb 2001 10:00:00", 0, ""},
        {"0 Jan 2001", 0, ""},
        {"21-Nov-1997 09:55:06", 0, ""},
        {"21 Nov", 0, ""},
        {"21 Nov 12000 10:00", 0, ""},
        {"21 Nov 99999999999999999999 10:00", 0, ""},
        {"99999999999999 Nov 1997", 0, ""},
        {"Friday", 0, ""},
    });
}

}  // namespace
}  // namespace vex
