#include "net/maildate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "net/casefile_testsupport.h"
#include "platform/core/datetime.h"

namespace vex {
namespace {

TEST(ParseMailDate, ReadsStandardAndLooseDatesAndGivesZeroForWhatIsNoDate) {
    for (const test::FileCase& group : test::CasesOf("maildates.txt")) {
        for (const std::string& row : group.Parts[0]) {
            const std::vector<std::string> field = test::FieldsOf(row);
            SCOPED_TRACE(group.Name + ": " + row);
            ASSERT_EQ(field.size(), 3u);
            unsigned y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
            std::sscanf(field[1].c_str(), "%u-%u-%u %u:%u:%u", &y, &mo, &d, &h, &mi, &s);
            const TDateTime expected =
                y == 0 ? 0 : ComposeDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, 0));
            TDateTime date = 12345;
            std::string zone = "stale";
            ParseMailDate(field[0], date, zone);
            EXPECT_NEAR(date, expected, 1e-9);
            EXPECT_EQ(zone, field[2]);
        }
    }
}

}  // namespace
}  // namespace vex
