#include "components/misc/AdvGridFileFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/casefile.h"

namespace vex::advgridfile {
namespace {

const std::string Data = std::string(VEX_TEST_DIR) + "/testdata/advgrid/file/";

TEST(AdvGridFileFormat, CellTextsKeepToOneLineAndComeBack) {
    for (const test::TestCase& c : test::ReadCases(Data + "escape.txt")) {
        SCOPED_TRACE(c.Where);
        const std::string escaped = EscapeCellText(c[0]);
        EXPECT_EQ(escaped, c[1]);
        EXPECT_EQ(escaped.find_first_of("\r\n"), std::string::npos);
        EXPECT_EQ(UnescapeCellText(escaped), c[2]);
    }
}

TEST(AdvGridFileFormat, NumbersAreReadAsFarAsTheyGoAndNeverOverflow) {
    for (const test::TestCase& c : test::ReadCases(Data + "lenient-int.txt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(LenientStrToInt(c[0]), c.Int(1));
    }
}

TEST(AdvGridFileFormat, AHeaderGivesCountsOnlyWhenTheyMakeAGrid) {
    for (const test::TestCase& c : test::ReadCases(Data + "lines.txt", "header")) {
        SCOPED_TRACE(c.Where);
        const auto counts =
            GridCountsOfHeader(c[0], static_cast<int32_t>(c.Int(1)), static_cast<int32_t>(c.Int(2)),
                               static_cast<int32_t>(c.Int(3)));
        if (c[4] == "corrupt") {
            EXPECT_FALSE(counts.has_value());
            continue;
        }
        ASSERT_TRUE(counts.has_value());
        EXPECT_EQ(counts->Cols, c.Int(4));
        EXPECT_EQ(counts->Rows, c.Int(5));
    }
}

TEST(AdvGridFileFormat, WidthLinesSplitAtTheirCommaAndClampTheWidth) {
    for (const test::TestCase& c : test::ReadCases(Data + "lines.txt", "width")) {
        SCOPED_TRACE(c.Where);
        ASSERT_TRUE(IsWidthLine(c[0]));
        const auto width = ParseWidthLine(c[0]);
        if (c[1] == "skip") {
            EXPECT_FALSE(width.has_value());
            continue;
        }
        ASSERT_TRUE(width.has_value());
        EXPECT_EQ(width->Col, c.Int(1));
        EXPECT_EQ(width->Width, c.Int(2));
    }
}

TEST(AdvGridFileFormat, CellLinesNeedTwoCommasAndKeepTheRestAsText) {
    for (const test::TestCase& c : test::ReadCases(Data + "lines.txt", "cell")) {
        SCOPED_TRACE(c.Where);
        EXPECT_FALSE(IsWidthLine(c[0]));
        const auto cell = ParseCellLine(c[0]);
        if (c[1] == "skip") {
            EXPECT_FALSE(cell.has_value());
            continue;
        }
        ASSERT_TRUE(cell.has_value());
        EXPECT_EQ(cell->Col, c.Int(1));
        EXPECT_EQ(cell->Row, c.Int(2));
        EXPECT_EQ(cell->Text, c[3]);
    }
}

}  // namespace
}  // namespace vex::advgridfile
