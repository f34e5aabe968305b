#include "platform/data/enginevalues.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <utility>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/data/fieldtypes.h"
#include "platform/data/isodates.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(Bcd, KeepsDecimalTextExactlyAndRoundsExtraPlaces) {
    struct Case {
        const char* Text;
        int Precision, Decimals;
        const char* Stored;  // "!" when the text is refused
    };
    const Case cases[] = {
        {"12.5", 10, 2, "12.50"},
        {"-0.005", 10, 2, "-0.01"},
        {"0.004", 10, 2, "0.00"},
        {"-0", 5, 0, "0"},
        {"99.995", 4, 2, "!"},
        {"99.995", 5, 2, "100.00"},
        {"1234567890123456789012345678901234567890", 64, 0,
         "1234567890123456789012345678901234567890"},
        {"", 10, 2, "!"},
        {"1e5", 10, 2, "!"},
        {"12.", 10, 2, "12.00"},
        {".5", 10, 2, "0.50"},
        {"+7", 3, 0, "7"},
        {"1.2.3", 10, 2, "!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        if (std::string(c.Stored) == "!") {
            EXPECT_THROW(StrToBcd(c.Text, c.Precision, c.Decimals), EConvertError);
            continue;
        }
        const TBcd bcd = StrToBcd(c.Text, c.Precision, c.Decimals);
        EXPECT_TRUE(IsValidBcd(bcd.Bytes));
        EXPECT_EQ(BcdToStr(bcd), c.Stored);
    }
    EXPECT_DOUBLE_EQ(BcdToFloat(StrToBcd("-12.25", 10, 2)), -12.25);
    EXPECT_EQ(BcdToStr(FloatToBcd(0.125, 10, 2)), "0.13");
    EXPECT_THROW(FloatToBcd(1.0 / 0.0, 10, 2), EConvertError);
}

TEST(Bcd, ComparesExactlyAcrossDecimalPlaces) {
    struct Case {
        const char *A, *B;
        int Order;
    };
    const Case cases[] = {
        {"12.5", "12.50", 0}, {"12.501", "12.5", 1},
        {"-1", "1", -1},      {"-0.01", "0", -1},
        {"0", "-0", 0},       {"-2", "-1.5", -1},
        {"10", "9.9999", 1},  {"123456789012345678.0001", "123456789012345678", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.A) + " vs " + c.B);
        const TBcd a = StrToBcd(c.A, 30, 4), b = StrToBcd(c.B, 25, 6);
        EXPECT_EQ(BcdCompare(a.Bytes, b.Bytes), c.Order);
        EXPECT_EQ(BcdCompare(b.Bytes, a.Bytes), -c.Order);
    }
    TBcd bad = StrToBcd("1", 2, 0);
    bad.Bytes[33] = 0x0A;
    EXPECT_FALSE(IsValidBcd(bad.Bytes));
    bad.Bytes[0] = 0;
    EXPECT_FALSE(IsValidBcd(bad.Bytes));
}

TEST(TimeStamp, CountsDaysFromYearOneAndKeepsTheTimeOfDaysBefore1899) {
    struct Case {
        TDateTime Value;
        int32_t Date, Time;
        TDateTime Back;  // -0.5 and 0.5 are both noon of 30 December 1899
    };
    const Case cases[] = {{0, DateDelta, 0, 0},
                          {-1.25, DateDelta - 1, 21600000, -1.25},
                          {-0.5, DateDelta, 43200000, 0.5},
                          {1.75, DateDelta + 1, 64800000, 1.75},
                          // Rounds to 24:00 of 29 December, which is midnight of the 30th.
                          {-1.9999999999, DateDelta, 0, 0},
                          {EncodeDate(1, 1, 1), 1, 0, EncodeDate(1, 1, 1)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        const TTimeStamp stamp = DateTimeToTimeStamp(c.Value);
        EXPECT_EQ(stamp.Date, c.Date);
        EXPECT_EQ(stamp.Time, c.Time);
        EXPECT_DOUBLE_EQ(TimeStampToDateTime(stamp), c.Back);
        const TTimeStamp back = MSecsToTimeStamp(TimeStampToMSecs(stamp));
        EXPECT_EQ(back.Date, c.Date);
        EXPECT_EQ(back.Time, c.Time);
    }
}

TEST(TimeStamp, RefusesWhatNamesNoDayOfYears1To9999) {
    for (TDateTime bad : {-693594.0, 2958466.0, 2958465.9999999999, 1e300}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(DateTimeToTimeStamp(bad), EConvertError);
    }
    TTimeStamp stamp;
    for (const auto& [date, time] : std::initializer_list<std::pair<int32_t, int32_t>>{
             {0, 0}, {INT32_MIN, 0}, {3652060, 0}, {1, -1}, {1, MSecsPerDay}}) {
        stamp.Date = date;
        stamp.Time = time;
        EXPECT_THROW(TimeStampToDateTime(stamp), EConvertError) << date << " " << time;
    }
    EXPECT_THROW(MSecsToTimeStamp(1e300), EConvertError);
    EXPECT_THROW(MSecsToTimeStamp(-1e300), EConvertError);
}

TEST(IsoDates, ReadWhatTheyWriteAndRefuseTheRest) {
    struct Case {
        const char* Text;
        bool Date, Time, Stamp;
    };
    const Case cases[] = {
        {"2020-02-29", true, false, true},
        {"2019-02-29", false, false, false},
        {"2000-02-29", true, false, true},
        {"1900-02-29", false, false, false},
        {"2100-02-29", false, false, false},
        {"2021-04-31", false, false, false},
        {"2021-12-31", true, false, true},
        {"2021-13-01", false, false, false},
        {"9999-12-31", true, false, true},
        {"0001-01-01", true, false, true},
        {"0000-12-31", false, false, false},
        {"9999-12-31 23:59:59.999", false, false, true},
        {"2001-02-03T04:05", false, false, true},
        {"23:59:59.999", false, true, false},
        {"24:00", false, false, false},
        {"12:00:60", false, false, false},
        {"2001-2-3", false, false, false},
        {"2001-02-03 ", false, false, false},
        {"", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        int32_t day = 0, ms = 0;
        double stamp = 0;
        EXPECT_EQ(ParseIsoDate(c.Text, day), c.Date);
        EXPECT_EQ(ParseIsoTime(c.Text, ms), c.Time);
        EXPECT_EQ(ParseIsoTimeStamp(c.Text, stamp), c.Stamp);
        if (c.Date) {
            EXPECT_EQ(IsoDate(day), c.Text);
        }
    }
    double ms = 0;
    ASSERT_TRUE(ParseIsoTimeStamp("1899-12-30 06:00:00.5", ms));
    EXPECT_EQ(IsoTimeStamp(ms), "1899-12-30 06:00:00.500");
}

TEST(DeclaredTypes, DescribeFieldsAndSayThemAgain) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/declaredtypes.txt")) {
        SCOPED_TRACE(c.Where);
        FLDDesc f;
        DescribeDeclaredType(c[0], f);
        EXPECT_EQ(f.iFldType, c.Int(1));
        EXPECT_EQ(f.iSubType, c.Int(2));
        EXPECT_EQ(f.iUnits1, c.Int(3));
        EXPECT_EQ(f.iUnits2, c.Int(4));
        FLDDesc again;
        DescribeDeclaredType(DeclaredType(f), again);
        EXPECT_EQ(again.iFldType, f.iFldType);
        EXPECT_EQ(again.iSubType, f.iSubType);
        EXPECT_EQ(again.iUnits1, f.iUnits1);
        EXPECT_EQ(again.iUnits2, f.iUnits2);
    }
}

}  // namespace
}  // namespace vex
