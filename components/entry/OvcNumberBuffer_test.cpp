#include "components/entry/OvcNumberBuffer.h"

#include <gtest/gtest.h>

#include <string>

#include "components/entry/OvcIntl.h"
#include "components/entry/OvcMisc.h"
#include "components/entry/OvcPictureMask.h"
#include "components/entry/picturemask_testsupport.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/numeric.txt";

TNumericCapacity CapacityOf(const std::string& Mask, uint8_t DecimalPlaces) {
    TOvcPictureMask mask(OvcIntlSup(), DefaultUserData());
    TPictureFieldKind kind;
    kind.Numeric = true;
    test::AssignMask(mask, Mask, true);
    return NumericCapacity(mask, DecimalPlaces);
}

TEST(OvcNumberBuffer, MaskCapacityCountsDigitsPointAndDecimals) {
    for (const test::TestCase& c : test::ReadCases(Cases, "capacity")) {
        SCOPED_TRACE(c.Where);
        const TNumericCapacity capacity = CapacityOf(c[0], static_cast<uint8_t>(c.Int(1)));
        EXPECT_EQ(capacity.MaxDigits, c.Int(2));
        EXPECT_EQ(capacity.MaxIntDigits, c.Int(3));
        EXPECT_EQ(capacity.Decimals, c.Int(4));
    }
}

TEST(OvcNumberBuffer, TypedKeysEnterFromTheRightWithinTheMask) {
    for (const test::TestCase& c : test::ReadCases(Cases, "type")) {
        SCOPED_TRACE(c.Where);
        TNumericCapacity capacity = CapacityOf(c[0], 0);
        capacity.Base = static_cast<uint8_t>(c.Int(1));
        capacity.ValueBits = static_cast<uint8_t>(c.Int(2));
        TOvcNumberBuffer buffer;
        buffer.SetCapacity(capacity);
        int64_t refused = 0;
        for (const char key : c[3]) {
            if (key == '<')
                buffer.DeleteLast();
            else
                refused += buffer.AddChar(key) ? 0 : 1;
            EXPECT_FALSE(buffer.Overfull());
        }
        EXPECT_EQ(buffer.ValueText(), c[4]);
        EXPECT_EQ(refused, c.Int(5));
    }
}

TEST(OvcNumberBuffer, ReloadsFromTheFieldsValueText) {
    TOvcNumberBuffer buffer;
    buffer.SetCapacity(CapacityOf("###.##", 0));
    buffer.Load("  -0.5 ");
    EXPECT_TRUE(buffer.Negative());
    EXPECT_EQ(buffer.Digits(), "0.5");
    buffer.DeleteLast();
    buffer.DeleteLast();
    EXPECT_EQ(buffer.Digits(), "") << "a lone 0 left over goes too";
    EXPECT_EQ(buffer.ValueText(), "-0");
    buffer.Load("0.00");
    EXPECT_EQ(buffer.ValueText(), "0");
    EXPECT_TRUE(buffer.AddChar('7'));
    EXPECT_EQ(buffer.ValueText(), "7") << "the zero shown is not a digit typed";

    TNumericCapacity hex = CapacityOf("KKKKKKKK", 0);
    hex.Base = 16;
    hex.ValueBits = 32;
    buffer.SetCapacity(hex);
    buffer.Load("000000FF");
    EXPECT_EQ(buffer.Digits(), "FF") << "leading zeros would leave no room to type";
}

TEST(OvcNumericRules, StepsWrapAndClampWithoutOverflow) {
    for (const test::TestCase& c : test::ReadCases(Cases, "step")) {
        SCOPED_TRACE(c.Where);
        const auto result = StepNumericValue(std::stold(c[0]), std::stold(c[1]), std::stold(c[2]),
                                             std::stold(c[3]), c.Int(4) != 0, c.Int(5) != 0);
        if (c[6] == "none")
            EXPECT_FALSE(result.has_value());
        else
            EXPECT_EQ(result.value_or(-1), std::stold(c[6]));
    }
}

TEST(OvcNumericRules, AValueTooWideForTheMaskShowsStarsInEveryDigitPosition) {
    for (const test::TestCase& c : test::ReadCases(Cases, "fits")) {
        SCOPED_TRACE(c.Where);
        TNumericCapacity capacity;
        capacity.MaxIntDigits = static_cast<uint16_t>(c.Int(1));
        EXPECT_EQ(ValueFitsCapacity(c[0], capacity), c.Int(2) != 0);
    }
    TOvcPictureMask mask(OvcIntlSup(), DefaultUserData());
    TPictureFieldKind kind;
    kind.Numeric = true;
    test::AssignMask(mask, "(###,###.##)", true);
    EXPECT_EQ(OverflowDisplay(mask, kind), "(*******.**)");
}

}  // namespace
}  // namespace vex
