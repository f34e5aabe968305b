#include "dataaware/data/wwSystem.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/scanning.txt";

TFormatSettings DateFormat(const std::string& ShortDateFormat, char Separator = '/') {
    TFormatSettings settings;
    settings.ShortDateFormat = ShortDateFormat;
    settings.DateSeparator = Separator;
    return settings;
}

std::string DateText(TDateTime Value) {
    uint16_t year, month, day;
    DecodeDate(Value, year, month, day);
    const std::string shown = FormatDateTime("yyyy-mm-dd", Value);
    return year == wwCurrentYear() ? "0" + shown.substr(4) : shown;
}

TEST(WwScanDate, DatesFollowTheLocaleOrderAndTheFixedEpoch) {
    for (const test::TestCase& c : test::ReadCases(Cases, "date")) {
        SCOPED_TRACE(c.Where);
        TFormatSettingsOverride locale(DateFormat(c[0], c[1][0]));
        TDateTime date = -1;
        EXPECT_EQ(wwStrIsDate(c[2], date) ? DateText(date) : "-", c[3]);
        EXPECT_EQ(wwIsValidDate(c[2]), c.Int(4) != 0);
        EXPECT_EQ(wwStrToDate(c[2]), c[3] == "-" ? 0 : date);
    }
}

TEST(WwScanTime, TimesTakeTheDesignatorsOfTheLocaleAndEnglish) {
    for (const test::TestCase& c : test::ReadCases(Cases, "time")) {
        SCOPED_TRACE(c.Where);
        const TDateTime time = wwStrToTime(c[0]);
        EXPECT_EQ(time == 0 && c[1] != "00:00:00" ? "-" : FormatDateTime("hh:nn:ss", time), c[1]);
    }
    TFormatSettings german;
    german.TimeAMString = "vorm.";
    german.TimePMString = "nachm.";
    TFormatSettingsOverride locale(german);
    EXPECT_EQ(FormatDateTime("hh:nn", wwStrToTime("1:30 NACHM.")), "13:30");
    EXPECT_EQ(FormatDateTime("hh:nn", wwStrToTime("1:30 pm")), "13:30");
}

TEST(WwStrToDateTime, DateThenTimeAndNothingElse) {
    TFormatSettingsOverride locale(DateFormat("d/M/yyyy"));
    for (const test::TestCase& c : test::ReadCases(Cases, "datetime")) {
        SCOPED_TRACE(c.Where);
        const TDateTime value = wwStrToDateTime(c[0]);
        if (c[1] == "-")
            EXPECT_EQ(value, 0);
        else
            EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", value), c[1] + " " + c[2]);
    }
}

TEST(WwScanDate, PositionMovesPastTheDateAndItsBlanksOnlyOnSuccess) {
    TFormatSettingsOverride locale(DateFormat("d/M/yyyy"));
    int32_t pos = 4;
    TDateTime date = 0, time = 0;
    EXPECT_TRUE(wwScanDate("xx 3/4/2005  12:30", pos, date));
    EXPECT_EQ(pos, 14);
    EXPECT_TRUE(wwScanTime("xx 3/4/2005  12:30", pos, time));
    EXPECT_EQ(pos, 19);
    for (int32_t start : {-1, 0, 1, 19, 1000}) {
        SCOPED_TRACE(start);
        pos = start;
        EXPECT_FALSE(wwScanDate("xx 3/4/2005  12:30", pos, date));
        EXPECT_FALSE(wwScanTime("xx 3/4/2005  12:30", pos, time));
        EXPECT_EQ(pos, start);
    }
}

TEST(WwDateTimePartAt, CaretPartsFollowTheLocaleOrder) {
    for (const test::TestCase& c : test::ReadCases(Cases, "part")) {
        SCOPED_TRACE(c.Where);
        TFormatSettingsOverride locale(DateFormat(c[0]));
        const int32_t caret = static_cast<int32_t>(c.Int(1));
        EXPECT_EQ(wwDateTimePartAt(caret, c[2], c.Int(3) != 0), c.Int(4));
    }
    EXPECT_EQ(wwTimePartAt(0, "12:30:45 PM"), wwPartHour);
    EXPECT_EQ(wwTimePartAt(4, "12:30:45 PM"), wwPartMinute);
    EXPECT_EQ(wwTimePartAt(10, "12:30:45 PM"), wwPartAmPm);
    // The date's separator counts in a date only, even when the time uses the same one.
    TFormatSettings finnish = DateFormat("d.M.yyyy", '.');
    finnish.TimeSeparator = '.';
    TFormatSettingsOverride locale(finnish);
    EXPECT_EQ(wwDateTimePartAt(11, "3.4.2005 12.30", false), wwPartHour);
    EXPECT_EQ(wwDateTimePartAt(13, "3.4.2005 12.30", false), wwPartMinute);
}

TEST(WwIsValidNumber, EmptyOrAWholeFloatingPointNumber) {
    for (const test::TestCase& c : test::ReadCases(Cases, "number")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(wwIsValidNumber(c[0]), c.Int(1) != 0);
    }
    // Text past the 63rd character counts too.
    EXPECT_TRUE(wwIsValidNumber(std::string(70, '1')));
    EXPECT_FALSE(wwIsValidNumber(std::string(63, '1') + "x"));
}

TEST(WwIsLeapYear, CenturiesAreLeapOnlyEveryFourHundredYears) {
    EXPECT_TRUE(wwIsLeapYear(2000));
    EXPECT_TRUE(wwIsLeapYear(2004));
    EXPECT_FALSE(wwIsLeapYear(1900));
    EXPECT_FALSE(wwIsLeapYear(2001));
}

}  // namespace
}  // namespace vex
