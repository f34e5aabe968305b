#include "components/entry/OvcTexts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "components/entry/SRMgr.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(StringTables, HoldEveryGroupWithItsTexts) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/texts.txt")) {
        SCOPED_TRACE(c.Where);
        const TpsStringResource& table =
            c[0].starts_with("extras") ? ExtrasStringResource() : EntryStringResource();
        const auto id = static_cast<int32_t>(c.Int(1));
        if (c[0].ends_with("count")) {
            int32_t held = 0;
            for (int64_t i = c.Int(1); i <= c.Int(2); ++i)
                held += table.FindEntry(static_cast<int32_t>(i)).has_value();
            EXPECT_EQ(held, c.Int(3));
        } else if (c[0] == "mask") {
            EXPECT_EQ(GetOvcString(id).substr(0, 20), c[2] + std::string(20 - c[2].size(), ' '));
            EXPECT_NE(GetOvcString(id).at(20), ' ');
        } else {
            EXPECT_EQ(c[0] == "text" ? GetOvcString(id) : table.GetAsString(id), c[2]);
        }
    }
}

}  // namespace
}  // namespace vex
