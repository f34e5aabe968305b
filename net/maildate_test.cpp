#include "net/maildate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/core/datetime.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(ParseMailDate, ReadsStandardAndLooseDatesAndGivesZeroForWhatIsNoDate) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/maildates.txt")) {
        SCOPED_TRACE(c.Where);
        unsigned y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
        std::sscanf(c[1].c_str(), "%u-%u-%u %u:%u:%u", &y, &mo, &d, &h, &mi, &s);
        const TDateTime expected =
            y == 0 ? 0 : ComposeDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, 0));
        TDateTime date = 12345;
        std::string zone = "stale";
        ParseMailDate(c[0], date, zone);
        EXPECT_NEAR(date, expected, 1e-9);
        EXPECT_EQ(zone, c[2]);
    }
}

}  // namespace
}  // namespace vex
