#include "platform/core/datetime.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"
#include "tests/support/casefile.h"
#include "tests/support/errortext.h"

namespace vex {
namespace {

// The parts a value decodes to, as "year-month-day hour:minute:second.millisecond".
std::string Parts(TDateTime Value) {
    uint16_t y, m, d, h, n, sec, ms;
    DecodeDate(Value, y, m, d);
    DecodeTime(Value, h, n, sec, ms);
    char text[48];
    std::snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d.%d", y, m, d, h, n, sec, ms);
    return text;
}

TEST(EncodeDate, RoundTripsEveryDayFromYear1To9999) {
    TDateTime expected = EncodeDate(1, 1, 1);
    EXPECT_EQ(expected, -693593);
    int32_t weekDay = DayOfWeek(expected);
    EXPECT_EQ(weekDay, 2);  // a Monday
    for (uint16_t y = 1; y <= 9999; ++y) {
        for (uint16_t m = 1; m <= 12; ++m) {
            for (uint16_t d = 1; d <= MonthDays(y, m); ++d) {
                TDateTime date = EncodeDate(y, m, d);
                uint16_t year, month, day, dow;
                DecodeDateFully(date, year, month, day, dow);
                if (date != expected || year != y || month != m || day != d || dow != weekDay) {
                    FAIL() << y << "-" << m << "-" << d << " encoded as " << date << ", decoded as "
                           << year << "-" << month << "-" << day << " weekday " << dow;
                }
                expected += 1;
                weekDay = weekDay % 7 + 1;
            }
        }
    }
    EXPECT_EQ(expected - 1, 2958465);
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1970, 1, 1), UnixDateDelta);
}

TEST(EncodeAndDecode, RejectWhatIsNotInTheCalendarOrTheDay) {
    EXPECT_EQ(EncodeDate(1600, 3, 1) - EncodeDate(1600, 2, 28), 2);
    EXPECT_EQ(EncodeDate(2100, 3, 1) - EncodeDate(2100, 2, 28), 1);
    EXPECT_THROW(MonthDays(2000, 13), ERangeError);
    TDateTime unused;
    for (const char* bad :
         {"1900-2-29", "2023-4-31", "2023-0-1", "2023-13-1", "2023-1-0", "0-1-1", "10000-1-1"}) {
        uint16_t y, m, d;
        std::sscanf(bad, "%hu-%hu-%hu", &y, &m, &d);
        EXPECT_FALSE(TryEncodeDate(y, m, d, unused)) << bad;
    }
    EXPECT_EQ(test::ErrorText<EConvertError>([] { EncodeDate(2023, 2, 29); }),
              "Invalid argument to date encode");
    EXPECT_EQ(Parts(EncodeTime(23, 59, 59, 999)), "1899-12-30 23:59:59.999");
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, unused) || TryEncodeTime(0, 60, 0, 0, unused) ||
                 TryEncodeTime(0, 0, 60, 0, unused) || TryEncodeTime(0, 0, 0, 1000, unused));
    EXPECT_EQ(test::ErrorText<EConvertError>([] { EncodeTime(24, 0, 0, 0); }),
              "Invalid argument to time encode");
    // Decoding refuses values outside years 1 to 9999 and NaN.
    uint16_t h, n, sec, ms;
    for (double bad : {-693594.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity(), 2958465.99999999999}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(DecodeDate(bad, h, n, sec), EConvertError);
        EXPECT_THROW(FormatDateTime("yyyy", bad), EConvertError);
    }
    EXPECT_THROW(DecodeTime(std::numeric_limits<double>::quiet_NaN(), h, n, sec, ms),
                 EConvertError);
}

TEST(ComposeAndSplit, PutTheTimeOfADayBefore1899OnTheSameSideAndTakeItBackExactly) {
    struct Case {
        TDateTime Date, Time;  // as given to ComposeDateTime
        TDateTime Composed;
        int32_t Day, MSec;  // what SplitDateTime gives back
    };
    const Case cases[] = {
        {0, 0.25, 0.25, 0, 21600000},
        {-1, 0.25, -1.25, -1, 21600000},
        {-1.75, 0.25, -1.25, -1, 21600000},  // only the whole of Date counts
        {-0.5, 0.5, 0.5, 0, 43200000},       // -0.5 is still 30 December
        {45356, 1.75, 45356.75, 45356, 64800000},
        {-2, -0.5, -2.5, -2, 43200000},  // the fraction's magnitude is the time
        // A time rounding to 24:00 is midnight of the next day, on either side of 1899.
        {10, 0.99999999999, 11, 11, 0},
        {-3, 0.99999999999, -2, -2, 0},
        {-693593, 0, -693593, -693593, 0},
        {2958465, 0.999988425925926, 2958465.999988426, 2958465, 86399000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Date << " + " << c.Time);
        const TDateTime composed = ComposeDateTime(c.Date, c.Time);
        EXPECT_DOUBLE_EQ(composed, c.Composed);
        const TDateTimeParts parts = SplitDateTime(composed);
        EXPECT_EQ(parts, (TDateTimeParts{c.Day, c.MSec}));
        EXPECT_EQ(ComposeDateTime(parts), composed);
    }
}

TEST(ComposeAndSplit, RefuseWhatIsNoDayOfYears1To9999) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [date, time] : std::vector<std::pair<double, double>>{
             {-693594, 0}, {2958466, 0}, {2958465, 0.9999999999}, {nan, 0}, {0, nan}, {1e300, 0}}) {
        SCOPED_TRACE(testing::Message() << date << " + " << time);
        EXPECT_THROW(ComposeDateTime(date, time), EConvertError);
    }
    for (const TDateTimeParts& parts : {TDateTimeParts{-693594, 0}, TDateTimeParts{2958466, 0},
                                        TDateTimeParts{0, -1}, TDateTimeParts{0, MSecsPerDay}}) {
        EXPECT_THROW(ComposeDateTime(parts), EConvertError) << parts.Day << " " << parts.MSec;
    }
    TDateTimeParts parts{7, 7};
    EXPECT_FALSE(TrySplitDateTime(2958466, parts));
    EXPECT_EQ(parts, (TDateTimeParts{7, 7}));
    // Parts a Word could not hold are refused, not wrapped round into another date.
    TDateTime unused;
    EXPECT_FALSE(TryEncodeDate(65536 + 2024, 1, 1, unused));
    EXPECT_FALSE(TryEncodeDate(2024, 65536 + 1, 1, unused));
    EXPECT_FALSE(TryEncodeDate(2024, 1, -65535, unused));
    EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0, unused) || TryEncodeTime(65536, 0, 0, 0, unused));
    EXPECT_THROW(UnixToDateTime(253402300800), EConvertError);  // 1 January 10000
    EXPECT_THROW(UnixToDateTime(-62135596801), EConvertError);  // 31 December of year 0
    EXPECT_EQ(Parts(UnixToDateTime(-62135596800)), "1-1-1 0:0:0.0");
    EXPECT_THROW(FormatDateTime("hh", 1e300), EConvertError);  // no date shown, still refused
}

TEST(IncMonthAndUnixTime, KeepTheDayInTheMonthAndConvertAcrossBothEpochs) {
    TDateTime jan31 = ComposeDateTime(EncodeDate(2024, 1, 31), EncodeTime(10, 0, 0, 0));
    EXPECT_EQ(Parts(IncMonth(jan31)), "2024-2-29 10:0:0.0");
    EXPECT_EQ(Parts(IncMonth(jan31, 13)), "2025-2-28 10:0:0.0");
    EXPECT_EQ(Parts(IncMonth(jan31, -25)), "2021-12-31 10:0:0.0");
    EXPECT_EQ(Parts(IncMonth(-1.25, 1)), "1900-1-29 6:0:0.0");
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1)), EConvertError);
    EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
    // Unix time converts both ways across both epochs.
    EXPECT_EQ(Parts(UnixToDateTime(1700000000)), "2023-11-14 22:13:20.0");
    EXPECT_EQ(Parts(UnixToDateTime(-1)), "1969-12-31 23:59:59.0");
    EXPECT_EQ(UnixToDateTime(-2209161600 - 86400 + 6 * 3600), -1.25);
    for (int64_t t : {int64_t{0}, int64_t{-1}, int64_t{1700000000}, int64_t{-5000000000},
                      int64_t{253402300799}}) {
        EXPECT_EQ(DateTimeToUnix(UnixToDateTime(t)), t) << t;
    }
    EXPECT_EQ(DateTimeToUnix(ComposeDateTime(UnixDateDelta, EncodeTime(0, 0, 0, 500))), 1);
    EXPECT_EQ(DateTimeToUnix(ComposeDateTime(UnixDateDelta, EncodeTime(0, 0, 0, 499))), 0);
    // Seconds beyond the years 1 to 9999, however far, are refused.
    for (int64_t t : {int64_t{-62135596801}, int64_t{253402300800},
                      std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()}) {
        EXPECT_THROW(UnixToDateTime(t), EConvertError) << t;
    }
}

TEST(Now, IsLocalTimeAndTheTickCountComesFromTheClockInForce) {
    TFixedClock clock(int64_t{1700000000} * 1000 + 250, 120);  // 22:13:20.250 UTC, UTC+2
    TClockOverride use(clock);
    EXPECT_EQ(Parts(Now()), "2023-11-15 0:13:20.250");
    EXPECT_EQ(Date(), EncodeDate(2023, 11, 15));
    EXPECT_EQ(Parts(Time()), "1899-12-30 0:13:20.250");
    clock.SetUtcMilliseconds(-2209161600000 - 1);  // a millisecond before 1899 ended
    clock.SetLocalOffsetMinutes(0);
    EXPECT_EQ(Parts(Now()), "1899-12-29 23:59:59.999");
    // The tick count wraps at 32 bits, so unsigned differences stay right.
    TFixedClock ticks(1000, 60, (int64_t{1} << 32) - 10);
    TClockOverride useTicks(ticks);
    const uint32_t before = GetTickCount();
    ticks.Advance(250);
    EXPECT_EQ(GetTickCount() - before, 250u);
    EXPECT_EQ(GetTickCount(), 240u);
}

TEST(FormatDateTime, WritesEveryTokenAndTheSettingsSeparatorsAndNames) {
    const TDateTime value = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 9, 45));
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/formatdatetime.txt")) {
        SCOPED_TRACE(where);
        EXPECT_EQ(FormatDateTime(row[0], row.size() > 2 ? std::stod(row[2]) : value), row[1]);
    }
    TFormatSettings german;
    german.DateSeparator = '.';
    german.TimeSeparator = '-';
    german.ShortDateFormat = "dd/mm/yyyy";
    german.LongTimeFormat = "hh:nn:ss";
    german.LongMonthNames[2] = "M\xe4rz";
    TFormatSettingsOverride use(german);
    EXPECT_EQ(DateTimeToStr(value), "05.03.2024 14-07-09");
    EXPECT_EQ(FormatDateTime("d. mmmm", value), "5. M\xe4rz");
}

TEST(FormatDateTime, StopsExpandingAFormatThatNamesItself) {
    TFormatSettings looping;
    looping.ShortDateFormat = "d/ddddd";
    looping.LongTimeFormat = "tt c";
    looping.ShortTimeFormat = "t";
    TFormatSettingsOverride use(looping);
    TDateTime value = ComposeDateTime(EncodeDate(2024, 3, 5), 0.5);
    EXPECT_EQ(FormatDateTime("ddddd", value), "5/5/");
    EXPECT_EQ(FormatDateTime("t", value), "");
    EXPECT_LT(FormatDateTime("c", value).size(), 100u);
}

// Parsing sees 15 June 2024 as today, so two-part dates and two-digit years are predictable.
class DateParsing : public ::testing::Test {
protected:
    TFixedClock FClock{int64_t{1718452800} * 1000, 0};  // 2024-06-15 12:00 UTC
    TClockOverride FUseClock{FClock};
};

TEST_F(DateParsing, ReadsDatesAndTimesInTheOrderOfTheShortDateFormatAndTheCenturyWindow) {
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/strtodate.txt")) {
        SCOPED_TRACE(where);
        TFormatSettings settings;
        settings.ShortDateFormat = row[0];
        settings.DateSeparator = row[1][0];
        settings.TwoDigitYearCenturyWindow = row.size() > 4 ? std::stoi(row[4]) : 0;
        TFormatSettingsOverride use(settings);
        int y = 0, m = 0, d = 0, h = 0, n = 0, sec = 0;
        TDateTime read;
        const int parts =
            std::sscanf(row[3].c_str(), "%d-%d-%d %d:%d:%d", &y, &m, &d, &h, &n, &sec);
        if (parts == 6) {
            EXPECT_EQ(StrToDateTime(row[2]),
                      ComposeDateTime(EncodeDate(y, m, d), EncodeTime(h, n, sec, 0)));
        } else if (parts == 3) {
            EXPECT_EQ(StrToDate(row[2]), EncodeDate(y, m, d));
        } else {
            EXPECT_FALSE(TryStrToDate(row[2], read));
        }
    }
    EXPECT_EQ(test::ErrorText<EConvertError>([] { StrToDate("2/30/2024"); }),
              "'2/30/2024' is not a valid date");
    EXPECT_EQ(test::ErrorText<EConvertError>([] { StrToDateTime("3/5/2024 25:00"); }),
              "'3/5/2024 25:00' is not a valid date and time");
    for (TDateTime value : {EncodeDate(2001, 12, 31) + EncodeTime(23, 59, 59, 0),
                            EncodeDate(2024, 2, 29), EncodeDate(2030, 7, 4) + 0.5}) {
        EXPECT_EQ(StrToDateTime(DateTimeToStr(value)), value) << DateTimeToStr(value);
    }
}

TEST(TimeParsing, ReadsHoursMinutesSecondsFractionsAndAmPm) {
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/strtotime.txt")) {
        SCOPED_TRACE(where);
        int h = 0, n = 0, sec = 0, ms = 0;
        TDateTime read;
        if (std::sscanf(row[1].c_str(), "%d:%d:%d.%d", &h, &n, &sec, &ms) == 4) {
            EXPECT_EQ(StrToTime(row[0]), EncodeTime(h, n, sec, ms));
        } else {
            EXPECT_FALSE(TryStrToTime(row[0], read));
        }
    }
    EXPECT_EQ(test::ErrorText<EConvertError>([] { StrToTime("25:00"); }),
              "'25:00' is not a valid time");
    TFormatSettings settings;  // the settings' strings count beside the English ones
    settings.TimeAMString = "vorm.";
    settings.TimePMString = "nachm.";
    TFormatSettingsOverride use(settings);
    EXPECT_EQ(StrToTime("2 nachm."), StrToTime("2 PM"));
    EXPECT_EQ(StrToTime("12 vorm."), 0);
}

// The sign and daylight saving need a zone other than the usual UTC; the test puts it back.
TEST(SystemClock, GivesTheLocalOffsetEastPositiveWithDaylightSaving) {
    const TClock& system = Clock();
    EXPECT_GT(system.UtcMilliseconds(), int64_t{1700000000} * 1000);  // after November 2023
    EXPECT_GE(system.TickMilliseconds(), 0);
    const char* zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    tzset();
    EXPECT_EQ(system.LocalOffsetMinutes(1704067200000), -300);  // 2024-01-01, standard time
    EXPECT_EQ(system.LocalOffsetMinutes(1719792000000), -240);  // 2024-07-01, daylight time
    setenv("TZ", "IST-5:30", 1);
    tzset();
    EXPECT_EQ(system.LocalOffsetMinutes(-1), 330);  // just before 1970 still resolves
    zone ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
}

}  // namespace
}  // namespace vex
