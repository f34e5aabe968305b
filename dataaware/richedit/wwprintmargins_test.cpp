#include "dataaware/richedit/wwprintmargins.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/typinfo.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/margins.txt";

struct TMarginCase {
    TwwMeasurementUnits Units;
    TwwPrintMargins Margins;
    TwwPageTwips Page;
};

TMarginCase MarginCaseOf(const test::TestCase& C) {
    TMarginCase made{C[0] == "cm" ? muCentimeters : muInches, {}, {}};
    made.Margins.SetTop(std::stod(C[1]));
    made.Margins.SetBottom(std::stod(C[2]));
    made.Margins.SetLeft(std::stod(C[3]));
    made.Margins.SetRight(std::stod(C[4]));
    made.Page.Width = static_cast<int32_t>(C.Int(5));
    made.Page.Height = static_cast<int32_t>(C.Int(6));
    return made;
}

TEST(WwMarginRect, FollowsTheTable) {
    for (const test::TestCase& c : test::ReadCases(Cases, "rect")) {
        SCOPED_TRACE(c.Where);
        TMarginCase made = MarginCaseOf(c);
        made.Page.PrintableOffset = {static_cast<int32_t>(c.Int(7)),
                                     static_cast<int32_t>(c.Int(8))};
        const TRect expected{static_cast<int32_t>(c.Int(9)), static_cast<int32_t>(c.Int(10)),
                             static_cast<int32_t>(c.Int(11)), static_cast<int32_t>(c.Int(12))};
        EXPECT_EQ(wwMarginRect(made.Margins, made.Units, made.Page), expected);
    }
}

TEST(WwMarginsLeaveRoom, FollowsTheTable) {
    for (const test::TestCase& c : test::ReadCases(Cases, "room")) {
        SCOPED_TRACE(c.Where);
        TMarginCase made = MarginCaseOf(c);
        made.Page.PrintableOffset = {static_cast<int32_t>(c.Int(7)),
                                     static_cast<int32_t>(c.Int(8))};
        EXPECT_EQ(wwMarginsLeaveRoom(made.Margins, made.Units, made.Page), c[9] == "yes");
    }
}

TEST(TwwPrintMargins, StartAtOneAssignFromTheirKindAndPublishTheirSides) {
    TwwPrintMargins margins, copy;
    EXPECT_EQ(margins.Top() + margins.Bottom() + margins.Left() + margins.Right(), 4.0);
    margins.SetLeft(2.5);
    margins.SetBottom(0.25);
    copy.Assign(&margins);
    EXPECT_EQ(copy.Left(), 2.5);
    EXPECT_EQ(copy.Bottom(), 0.25);
    EXPECT_THROW(copy.Assign(nullptr), EConvertError);
    for (const char* side : {"Top", "Bottom", "Left", "Right"}) {
        const TPropInfo* info = GetPropInfo(copy, side);
        ASSERT_NE(info, nullptr) << side;
        SetFloatProp(copy, *info, 0.5);
        EXPECT_EQ(GetFloatProp(copy, *info), 0.5);
    }
}

}  // namespace
}  // namespace vex
