#include "dataaware/richedit/wwrichunits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/core/exceptions.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/units.txt";

TwwMeasurementUnits UnitsOf(const std::string& Name) {
    return Name == "cm" ? muCentimeters : muInches;
}

TEST(WwRichUnits, ConversionsFollowTheTable) {
    for (const test::TestCase& c : test::ReadCases(Cases)) {
        SCOPED_TRACE(c.Where);
        if (c[0] == "totwips") {
            EXPECT_EQ(wwMeasurementToTwips(std::stod(c[1]), UnitsOf(c[2])), c.Int(3));
        } else if (c[0] == "fromtwips") {
            EXPECT_DOUBLE_EQ(wwTwipsToMeasurement(static_cast<int32_t>(c.Int(1)), UnitsOf(c[2])),
                             std::stod(c[3]));
        } else if (c[0] == "text") {
            EXPECT_EQ(wwMeasurementTextToTwips(c[1], UnitsOf(c[2])), c.Int(3));
        } else if (c[0] == "snap") {
            EXPECT_DOUBLE_EQ(
                wwSnapMeasurement(std::stod(c[1]), UnitsOf(c[2]), static_cast<int32_t>(c.Int(3))),
                std::stod(c[4]));
        } else if (c[0] == "pixels") {
            const auto pixels = static_cast<int32_t>(c.Int(1));
            const auto perInch = static_cast<int32_t>(c.Int(2));
            EXPECT_EQ(wwPixelsToTwips(pixels, perInch), c.Int(3));
            EXPECT_EQ(wwTwipsToPixels(static_cast<int32_t>(c.Int(3)), perInch), pixels);
        }
    }
}

TEST(WwRichUnits, TextRoundTripsThroughTheTextItWrites) {
    for (const TwwMeasurementUnits units : {muInches, muCentimeters}) {
        const std::string text = wwMeasurementText(1.25, units);
        EXPECT_EQ(text, units == muInches ? "1.25''" : "1.25 cm");
        EXPECT_EQ(wwMeasurementTextToTwips(text, units), wwMeasurementToTwips(1.25, units));
    }
}

TEST(WwRichUnits, TextWithoutANumberAndValuesBeyondTwipsAreConvertErrors) {
    EXPECT_THROW(wwMeasurementTextToTwips("wide", muInches), EConvertError);
    EXPECT_THROW(wwMeasurementTextToTwips("''", muInches), EConvertError);
    EXPECT_THROW(wwMeasurementToTwips(1e9, muInches), EConvertError);
}

TEST(WwRichUnits, PixelsAndTwipsAtTheirExtremesHoldAtTheEndsOfTheRange) {
    struct Case {
        int32_t Value, PerInch, Twips, Pixels;
    };
    for (const Case& c :
         {Case{INT32_MAX, 96, INT32_MAX, 143165576}, Case{INT32_MIN, 96, INT32_MIN, -143165577},
          Case{INT32_MAX, 1, INT32_MAX, 1491308}, Case{INT32_MAX, INT32_MAX, 1440, INT32_MAX}}) {
        SCOPED_TRACE(std::to_string(c.Value) + " at " + std::to_string(c.PerInch));
        EXPECT_EQ(wwPixelsToTwips(c.Value, c.PerInch), c.Twips);
        EXPECT_EQ(wwTwipsToPixels(c.Value, c.PerInch), c.Pixels);
    }
}

}  // namespace
}  // namespace vex
