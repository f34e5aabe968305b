#include "components/entry/OvcTexts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "components/entry/SRMgr.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

int32_t CountEntries(const TpsStringResource& Reader, int64_t From, int64_t To) {
    int32_t count = 0;
    for (int64_t id = From; id <= To; ++id)
        if (Reader.FindEntry(static_cast<int32_t>(id))) ++count;
    return count;
}

TEST(ComponentTable, HoldsEveryGroupWithItsTexts) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/texts.txt")) {
        SCOPED_TRACE(c.Where);
        const std::string text =
            c[0] == "count" ? "" : GetOvcString(static_cast<int32_t>(c.Int(1)));
        if (c[0] == "text") {
            EXPECT_EQ(text, c[2]);
        } else if (c[0] == "count") {
            EXPECT_EQ(CountEntries(EntryStringResource(), c.Int(1), c.Int(2)), c.Int(3));
        } else {
            EXPECT_EQ(text.substr(0, 20), c[2] + std::string(20 - c[2].size(), ' '));
            EXPECT_NE(text.at(20), ' ');
        }
    }
}

TEST(ExtrasTable, HoldsTheColourNamesAndDateMessages) {
    const TpsStringResource& table = ExtrasStringResource();
    EXPECT_EQ(CountEntries(table, -100, 100), 26);
    EXPECT_EQ(CountEntries(table, 16, 29), 0);
    std::string colours;
    for (int32_t id = 0; id < 16; ++id)
        colours += table.GetAsString(id) + " ";
    EXPECT_EQ(colours,
              "Black Maroon Green Olive Navy Purple Teal Gray Silver Red Lime Yellow Blue Fuchsia "
              "Aqua White ");
    EXPECT_EQ(table.GetAsString(30), "No label is attached");
    EXPECT_EQ(table.GetAsString(39), "Invalid date");
}

}  // namespace
}  // namespace vex
