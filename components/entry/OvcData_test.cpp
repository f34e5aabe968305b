#include "components/entry/OvcData.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace vex {
namespace {

std::vector<uint8_t> Bytes(const uint8_t* P, size_t N) {
    return std::vector<uint8_t>(P, P + N);
}

TEST(Real48, StoresKnownValuesInTheSixByteLayoutAndReadsThemBack) {
    struct Case {
        long double Value;
        std::vector<uint8_t> Stored;
    };
    const Case cases[] = {
        {0, {0, 0, 0, 0, 0, 0}},          {1, {0x81, 0, 0, 0, 0, 0}},
        {-1, {0x81, 0, 0, 0, 0, 0x80}},   {0.5L, {0x80, 0, 0, 0, 0, 0}},
        {1.5L, {0x81, 0, 0, 0, 0, 0x40}}, {10, {0x84, 0, 0, 0, 0, 0x20}},
        {-600, {0x8A, 0, 0, 0, 0, 0x96}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<double>(c.Value)));
        uint8_t stored[6] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        ASSERT_TRUE(ExtendedToReal48(c.Value, stored));
        EXPECT_EQ(Bytes(stored, 6), c.Stored);
        EXPECT_EQ(Real48ToExtended(stored), c.Value);
    }
}

TEST(Real48, RefusesWhatItCannotHoldAndFlushesTinyValuesToZero) {
    uint8_t stored[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(ExtendedToReal48(1e39L, stored));
    EXPECT_FALSE(ExtendedToReal48(INFINITY, stored));
    EXPECT_FALSE(ExtendedToReal48(NAN, stored));
    EXPECT_EQ(Bytes(stored, 6), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(ExtendedToReal48(1e-40L, stored));
    EXPECT_EQ(Real48ToExtended(stored), 0);
    // The type's own bound survives the round trip to within its 40 bits.
    ASSERT_TRUE(ExtendedToReal48(1.7e38L, stored));
    EXPECT_NEAR(static_cast<double>(Real48ToExtended(stored) / 1.7e38L), 1.0, 1e-11);
    // The extremes of the layout read and store back unchanged.
    for (std::vector<uint8_t> bytes : {std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                                       std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
                                       std::vector<uint8_t>{0x01, 0, 0, 0, 0, 0x80},
                                       std::vector<uint8_t>{0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}}) {
        ASSERT_TRUE(ExtendedToReal48(Real48ToExtended(bytes.data()), stored));
        EXPECT_EQ(Bytes(stored, 6), bytes);
    }
}

TEST(Extended, MatchesTheHostsTenByteLayoutBothWays) {
    const long double values[] = {0.0L,
                                  -0.0L,
                                  1.0L,
                                  -1.0L,
                                  0.1L,
                                  1.1e4932L,
                                  -9.2e18L,
                                  LDBL_MIN / 8,
                                  LDBL_MIN,
                                  std::nextafter(LDBL_MIN, 0.0L),
                                  -LDBL_TRUE_MIN,
                                  LDBL_MAX,
                                  std::numeric_limits<long double>::infinity(),
                                  -std::numeric_limits<long double>::infinity(),
                                  std::numeric_limits<long double>::quiet_NaN(),
                                  -2147483648.0L,
                                  65535.0L};
    for (long double value : values) {
        SCOPED_TRACE(std::to_string(static_cast<double>(value)));
        uint8_t host[16] = {};
        std::memcpy(host, &value, sizeof value);
        uint8_t ours[10] = {};
        LongDoubleToExtendedBytes(value, ours);
        EXPECT_EQ(Bytes(ours, 10), Bytes(host, 10));
        const long double back = ExtendedBytesToLongDouble(host);
        if (std::isnan(value))
            EXPECT_TRUE(std::isnan(back));
        else
            EXPECT_EQ(back, value);
        EXPECT_EQ(std::signbit(back), std::signbit(value));
    }
}

TEST(NumericValues, NarrowToTheirTypesAndWidenBack) {
    struct Case {
        uint8_t Code;
        long double Written;
        long double Read;
    };
    const Case cases[] = {
        {fsubWord, 70000, 4464},
        {fsubWord, 65535, 65535},
        {fsubInteger, 40000, -25536},
        {fsubByte, 256, 0},
        {fsubShortInt, -5, -5},
        {fsubShortInt, 200, -56},
        {fsubLongInt, -2147483648.0L, -2147483648.0L},
        {fsubComp, 2.5L, 3},
        {fsubComp, 1e30L, 9.2e18L},
        {fsubSingle, 1e300L, FLT_MAX},
        {fsubDouble, 0.1L, 0.1},
        {fsubReal, 1e39L, 1.7e38L},
        {fsubExtended, 1.1e4932L, 1.1e4932L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.Code));
        uint8_t data[10] = {};
        WriteNumericValue(c.Code, c.Written, data);
        const long double read = ReadNumericValue(c.Code, data);
        if (c.Code == fsubReal)
            EXPECT_NEAR(static_cast<double>(read / c.Read), 1.0, 1e-11);
        else
            EXPECT_EQ(read, c.Code == fsubDouble ? static_cast<long double>(0.1) : c.Read);
    }
}

TEST(Ranges, HoldEachTypesFullRangeInItsOwnLayout) {
    EXPECT_EQ(RangeAsLongInt(TypeRangeLo(fsubLongInt)), INT32_MIN);
    EXPECT_EQ(RangeAsLongInt(TypeRangeHi(fsubWord)), 65535);
    EXPECT_EQ(RangeAsLongInt(TypeRangeHi(fsubDate)), 876581);
    EXPECT_EQ(TypeRangeLo(fsubChar)[0], ' ');
    EXPECT_EQ(RangeAsExtended(fsubExtended, TypeRangeHi(fsubExtended)), 1.1e4932L);
    EXPECT_EQ(RangeAsExtended(fsubComp, TypeRangeLo(fsubComp)), -9.2e18L);
    EXPECT_NEAR(static_cast<double>(RangeAsExtended(fsubReal, TypeRangeHi(fsubReal)) / 1.7e38L),
                1.0, 1e-11);
    for (uint8_t code : {fsubString, fsubBoolean, fsubYesNo})
        EXPECT_EQ(TypeRangeHi(code), TRangeType{});
}

}  // namespace
}  // namespace vex
