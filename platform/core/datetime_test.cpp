#include "platform/core/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"

namespace vex {
namespace {

struct TParts {
    uint16_t Year, Month, Day, Hour, Min, Sec, MSec;
};

TParts Decode(TDateTime Value) {
    TParts p{};
    DecodeDate(Value, p.Year, p.Month, p.Day);
    DecodeTime(Value, p.Hour, p.Min, p.Sec, p.MSec);
    return p;
}

void ExpectParts(TDateTime Value, TParts Expected) {
    TParts p = Decode(Value);
    EXPECT_EQ(p.Year, Expected.Year);
    EXPECT_EQ(p.Month, Expected.Month);
    EXPECT_EQ(p.Day, Expected.Day);
    EXPECT_EQ(p.Hour, Expected.Hour);
    EXPECT_EQ(p.Min, Expected.Min);
    EXPECT_EQ(p.Sec, Expected.Sec);
    EXPECT_EQ(p.MSec, Expected.MSec);
}

std::string ConvertErrorText(auto Call) {
    try {
        Call();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "no error";
}

// --- Encoding and decoding -------------------------------------------------------------------

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
}

TEST(EncodeDate, KnowsTheEpochAndLeapYears) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1970, 1, 1), UnixDateDelta);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    for (uint16_t leap : {1600, 2000, 2024})
        EXPECT_TRUE(IsLeapYear(leap)) << leap;
    for (uint16_t common : {1900, 2100, 2023})
        EXPECT_FALSE(IsLeapYear(common)) << common;
    EXPECT_EQ(MonthDays(2000, 2), 29);
    EXPECT_EQ(MonthDays(1900, 2), 28);
    EXPECT_EQ(MonthDays(2023, 12), 31);
    EXPECT_EQ(EncodeDate(1600, 3, 1) - EncodeDate(1600, 2, 28), 2);
    EXPECT_EQ(EncodeDate(2100, 3, 1) - EncodeDate(2100, 2, 28), 1);
    EXPECT_THROW(MonthDays(2000, 13), ERangeError);
}

TEST(EncodeDate, RejectsDaysAndMonthsOutsideTheCalendar) {
    TDateTime unused;
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, unused));
    EXPECT_FALSE(TryEncodeDate(2023, 4, 31, unused));
    EXPECT_FALSE(TryEncodeDate(2023, 0, 1, unused));
    EXPECT_FALSE(TryEncodeDate(2023, 13, 1, unused));
    EXPECT_FALSE(TryEncodeDate(2023, 1, 0, unused));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, unused));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, unused));
    EXPECT_EQ(ConvertErrorText([] { EncodeDate(2023, 2, 29); }), "Invalid argument to date encode");
}

TEST(EncodeTime, AcceptsTheLastMillisecondAndRejectsTheNext) {
    ExpectParts(EncodeTime(23, 59, 59, 999), {1899, 12, 30, 23, 59, 59, 999});
    TDateTime unused;
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, unused));
    EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, unused));
    EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, unused));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, unused));
    EXPECT_EQ(ConvertErrorText([] { EncodeTime(24, 0, 0, 0); }), "Invalid argument to time encode");
}

TEST(DecodeDateTime, RoundsToTheMillisecondAndCarriesMidnightIntoTheNextDay) {
    ExpectParts(36525.99999999999, {2000, 1, 1, 0, 0, 0, 0});
    ExpectParts(36525.9999999, {1999, 12, 31, 23, 59, 59, 991});
    ExpectParts(ComposeDateTime(EncodeDate(2024, 2, 29), EncodeTime(23, 59, 59, 999)),
                {2024, 2, 29, 23, 59, 59, 999});
    ExpectParts(0.5 + 1e-12, {1899, 12, 30, 12, 0, 0, 0});
    ExpectParts(-1.99999999999, {1899, 12, 30, 0, 0, 0, 0});
}

TEST(DecodeDateTime, ReadsDaysBefore1899WithTheTimeInTheFractionsMagnitude) {
    ExpectParts(-1.25, {1899, 12, 29, 6, 0, 0, 0});
    ExpectParts(-2.75, {1899, 12, 28, 18, 0, 0, 0});
    TDateTime battle = ComposeDateTime(EncodeDate(1815, 6, 18), EncodeTime(11, 35, 0, 0));
    EXPECT_LT(battle, EncodeDate(1815, 6, 18));
    ExpectParts(battle, {1815, 6, 18, 11, 35, 0, 0});
    EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
    EXPECT_EQ(ComposeDateTime(-1.9, 0.25), -1.25);  // only the day of the date counts
    EXPECT_EQ(ComposeDateTime(3.9, -0.25), 3.25);   // only the time of day of the time
}

TEST(DecodeDateTime, RejectsValuesOutsideYears1To9999AndNaN) {
    uint16_t y, m, d, h, n, s, z;
    for (double bad : {-693594.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(DecodeDate(bad, y, m, d), EConvertError);
        EXPECT_THROW(FormatDateTime("yyyy", bad), EConvertError);
    }
    EXPECT_THROW(DecodeTime(std::numeric_limits<double>::quiet_NaN(), h, n, s, z), EConvertError);
    EXPECT_THROW(DecodeDate(2958465.99999999999, y, m, d), EConvertError);  // would be year 10000
    ExpectParts(-693593.5, {1, 1, 1, 12, 0, 0, 0});
}

TEST(DayOfWeek, CountsFromSundayOnBothSidesOfTheEpoch) {
    EXPECT_EQ(DayOfWeek(0), 7);     // Saturday 30 December 1899
    EXPECT_EQ(DayOfWeek(-1.5), 6);  // Friday, with a time of day
    EXPECT_EQ(DayOfWeek(1.99), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1970, 1, 1)), 5);
    EXPECT_EQ(DayOfWeek(EncodeDate(1752, 9, 14)), 5);
    EXPECT_EQ(DayOfWeek(36525.99999999999), 7);  // rounds into Saturday 1 January 2000
}

TEST(IncMonth, KeepsTheDayWithinTheTargetMonthAndTheTimeOfDay) {
    TDateTime jan31 = ComposeDateTime(EncodeDate(2024, 1, 31), EncodeTime(10, 0, 0, 0));
    ExpectParts(IncMonth(jan31), {2024, 2, 29, 10, 0, 0, 0});
    ExpectParts(IncMonth(jan31, 13), {2025, 2, 28, 10, 0, 0, 0});
    ExpectParts(IncMonth(jan31, -2), {2023, 11, 30, 10, 0, 0, 0});
    ExpectParts(IncMonth(jan31, -25), {2021, 12, 31, 10, 0, 0, 0});
    ExpectParts(IncMonth(-1.25, 1), {1900, 1, 29, 6, 0, 0, 0});
    ExpectParts(IncMonth(EncodeDate(1899, 12, 30), -1), {1899, 11, 30, 0, 0, 0, 0});
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1)), EConvertError);
    EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
}

TEST(UnixTime, ConvertsBothWaysAcrossBothEpochs) {
    EXPECT_EQ(UnixToDateTime(0), UnixDateDelta);
    EXPECT_EQ(DateTimeToUnix(UnixDateDelta), 0);
    ExpectParts(UnixToDateTime(1700000000), {2023, 11, 14, 22, 13, 20, 0});
    ExpectParts(UnixToDateTime(-1), {1969, 12, 31, 23, 59, 59, 0});
    ExpectParts(UnixToDateTime(-2209161600 - 86400 + 6 * 3600), {1899, 12, 29, 6, 0, 0, 0});
    EXPECT_EQ(UnixToDateTime(-2209161600 - 86400 + 6 * 3600), -1.25);
    for (int64_t t : {int64_t{0}, int64_t{-1}, int64_t{1700000000}, int64_t{-5000000000},
                      int64_t{253402300799}}) {
        EXPECT_EQ(DateTimeToUnix(UnixToDateTime(t)), t) << t;
    }
    EXPECT_EQ(DateTimeToUnix(ComposeDateTime(UnixDateDelta, EncodeTime(0, 0, 0, 500))), 1);
    EXPECT_EQ(DateTimeToUnix(ComposeDateTime(UnixDateDelta, EncodeTime(0, 0, 0, 499))), 0);
}

TEST(Now, IsLocalTimeFromTheClockInForce) {
    TFixedClock clock(int64_t{1700000000} * 1000 + 250, 120);  // 22:13:20.250 UTC, UTC+2
    TClockOverride use(clock);
    ExpectParts(Now(), {2023, 11, 15, 0, 13, 20, 250});
    EXPECT_EQ(Date(), EncodeDate(2023, 11, 15));
    ExpectParts(Time(), {1899, 12, 30, 0, 13, 20, 250});
    clock.SetLocalOffsetMinutes(-23 * 60);
    ExpectParts(Now(), {2023, 11, 13, 23, 13, 20, 250});
    clock.SetUtcMilliseconds(-2209161600000 - 1);  // a millisecond before 1899 ended
    clock.SetLocalOffsetMinutes(0);
    ExpectParts(Now(), {1899, 12, 29, 23, 59, 59, 999});
}

// --- Formatting ------------------------------------------------------------------------------

struct TFormatCase {
    const char* Format;
    const char* Expected;
};

TEST(FormatDateTime, WritesEveryToken) {
    // Tuesday 5 March 2024, 14:07:09.045
    TDateTime value = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 9, 45));
    const std::vector<TFormatCase> cases = {
        {"d", "5"},
        {"dd", "05"},
        {"ddd", "Tue"},
        {"dddd", "Tuesday"},
        {"ddddd", "3/5/24"},
        {"dddddd", "Tuesday, March 05, 2024"},
        {"m", "3"},
        {"mm", "03"},
        {"mmm", "Mar"},
        {"mmmm", "March"},
        {"y", "24"},
        {"yy", "24"},
        {"yyyy", "2024"},
        {"h", "14"},
        {"hh", "14"},
        {"n", "7"},
        {"nn", "07"},
        {"s", "9"},
        {"ss", "09"},
        {"z", "45"},
        {"zzz", "045"},
        {"t", "2:07 PM"},
        {"tt", "2:07:09 PM"},
        {"c", "3/5/24 2:07:09 PM"},
        {"", "3/5/24 2:07:09 PM"},
        {"YYYY-MM-DD HH:NN:SS", "2024-03-05 14:07:09"},
        {"hh:mm", "14:07"},
        {"h 'x' m", "14 x 7"},  // still minutes: a literal between does not break the pair
        {"mm hh mm", "03 14 07"},
        {"h am/pm", "2 pm"},
        {"h AM/PM", "2 PM"},
        {"h Am/pM", "2 pM"},
        {"h a/p", "2 p"},
        {"hh A/P", "02 P"},
        {"h ampm", "2 PM"},
        {"h 'am/pm'", "14 am/pm"},  // a quoted am/pm is text and leaves the 24-hour clock
        {"'day' d \"of\" mmmm", "day 5 of March"},
        {"'It''s' d", "Its 5"},
        {"'unterminated", "unterminated"},
        {"a b x", "a b x"},
    };
    for (const TFormatCase& c : cases) {
        SCOPED_TRACE(c.Format);
        EXPECT_EQ(FormatDateTime(c.Format, value), c.Expected);
    }
}

TEST(FormatDateTime, UsesTwelveOClockForMidnightAndNoonAndOmitsAMidnightTime) {
    TDateTime midnight = EncodeDate(2024, 3, 5);
    EXPECT_EQ(FormatDateTime("h:nn ampm", midnight), "12:00 AM");
    EXPECT_EQ(FormatDateTime("h:nn ampm", midnight + 0.5), "12:00 PM");
    EXPECT_EQ(FormatDateTime("h:nn", midnight), "0:00");
    EXPECT_EQ(DateTimeToStr(midnight), "3/5/24");
    EXPECT_EQ(DateTimeToStr(midnight + EncodeTime(0, 0, 1, 0)), "3/5/24 12:00:01 AM");
    EXPECT_EQ(DateToStr(midnight), "3/5/24");
    EXPECT_EQ(TimeToStr(midnight + 0.75), "6:00:00 PM");
}

TEST(FormatDateTime, TakesSeparatorsNamesAndFormatsFromTheSettings) {
    TFormatSettings german;
    german.DateSeparator = '.';
    german.TimeSeparator = '-';
    german.ShortDateFormat = "dd/mm/yyyy";
    german.LongTimeFormat = "hh:nn:ss";
    german.LongMonthNames[2] = "M\xe4rz";
    TFormatSettingsOverride use(german);
    TDateTime value = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 9, 0));
    EXPECT_EQ(DateTimeToStr(value), "05.03.2024 14-07-09");
    EXPECT_EQ(FormatDateTime("d. mmmm", value), "5. M\xe4rz");
}

TEST(FormatDateTime, WritesDatesBefore1899AndFourDigitYears) {
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", 36525.99999999999),
              "2000-01-01 00:00:00.000");
    EXPECT_EQ(FormatDateTime("yyyy yy", EncodeDate(7, 1, 1)), "0007 07");
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

// --- Parsing ---------------------------------------------------------------------------------

// Parsing sees 15 June 2024 as today, so two-part dates and two-digit years are predictable.
class DateParsing : public ::testing::Test {
protected:
    TFixedClock FClock{int64_t{1718452800} * 1000, 0};  // 2024-06-15 12:00 UTC
    TClockOverride FUseClock{FClock};
};

TEST_F(DateParsing, ReadsThePartsInTheOrderOfTheShortDateFormat) {
    struct TCase {
        const char* ShortDateFormat;
        char Separator;
        const char* Text;
        TDateTime Expected;
    };
    const std::vector<TCase> cases = {
        {"M/d/yy", '/', "3/5/2024", EncodeDate(2024, 3, 5)},
        {"M/d/yy", '/', " 3 / 5 / 24 ", EncodeDate(2024, 3, 5)},
        {"M/d/yy", '/', "3/5", EncodeDate(2024, 3, 5)},
        {"dd/MM/yyyy", '.', "5.3.2024", EncodeDate(2024, 3, 5)},
        {"dd/MM/yyyy", '.', "5.3", EncodeDate(2024, 3, 5)},
        {"'Date:' yyyy/mm/dd", '-', "2024-03-05", EncodeDate(2024, 3, 5)},
        {"yyyy/mm/dd", '-', "24-3-5", EncodeDate(2024, 3, 5)},
        {"yyyy/mm/dd", '-', "3-5", EncodeDate(2024, 3, 5)},
        {"M/d/yy", '/', "2/29/0024", EncodeDate(24, 2, 29)},  // four digits are taken as written
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TFormatSettings settings;
        settings.ShortDateFormat = c.ShortDateFormat;
        settings.DateSeparator = c.Separator;
        TFormatSettingsOverride use(settings);
        EXPECT_EQ(StrToDate(c.Text), c.Expected);
    }
}

TEST_F(DateParsing, PlacesTwoDigitYearsByTheCenturyWindow) {
    EXPECT_EQ(StrToDate("1/1/99"), EncodeDate(2099, 1, 1));  // window 0: this century
    EXPECT_EQ(StrToDate("1/1/00"), EncodeDate(2000, 1, 1));
    TFormatSettings settings;
    settings.TwoDigitYearCenturyWindow = 50;  // 1974 to 2073
    TFormatSettingsOverride use(settings);
    EXPECT_EQ(StrToDate("1/1/99"), EncodeDate(1999, 1, 1));
    EXPECT_EQ(StrToDate("1/1/74"), EncodeDate(1974, 1, 1));
    EXPECT_EQ(StrToDate("1/1/73"), EncodeDate(2073, 1, 1));
    EXPECT_EQ(StrToDate("1/1/1999"), EncodeDate(1999, 1, 1));
    FClock.SetUtcMilliseconds(int64_t{4102444800} * 1000);  // 2100: window 2050 to 2149
    EXPECT_EQ(StrToDate("1/1/49"), EncodeDate(2149, 1, 1));
    EXPECT_EQ(StrToDate("1/1/50"), EncodeDate(2050, 1, 1));
}

TEST_F(DateParsing, RejectsMalformedDatesWithTheirText) {
    for (const char* bad : {"", "3", "2/30/2024", "13/1/2024", "1/1/1/1", "1//2", "1/2/12345",
                            "a/b/c", "1/2/2024 x", "-1/2/2024"}) {
        SCOPED_TRACE(bad);
        TDateTime unused;
        EXPECT_FALSE(TryStrToDate(bad, unused));
    }
    EXPECT_EQ(ConvertErrorText([] { StrToDate("2/30/2024"); }), "'2/30/2024' is not a valid date");
}

TEST(TimeParsing, ReadsHoursMinutesSecondsFractionsAndAmPm) {
    const std::vector<std::pair<const char*, TDateTime>> cases = {
        {"14", EncodeTime(14, 0, 0, 0)},
        {"14:07", EncodeTime(14, 7, 0, 0)},
        {" 14 : 07 : 09 ", EncodeTime(14, 7, 9, 0)},
        {"14:07:09.045", EncodeTime(14, 7, 9, 45)},
        {"14:07:09.5", EncodeTime(14, 7, 9, 500)},
        {"2:07 PM", EncodeTime(14, 7, 0, 0)},
        {"2:07pm", EncodeTime(14, 7, 0, 0)},
        {"12:30 AM", EncodeTime(0, 30, 0, 0)},
        {"12:30 PM", EncodeTime(12, 30, 0, 0)},
        {"11:59:59 pm", EncodeTime(23, 59, 59, 0)},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(StrToTime(text), expected);
    }
    for (const char* bad : {"", "24:00", "0:30 AM", "13 PM", "1:60", "14:", "14:07:09.1234",
                            "14:07:09.", "2 PMX", "noon"}) {
        SCOPED_TRACE(bad);
        TDateTime unused;
        EXPECT_FALSE(TryStrToTime(bad, unused));
    }
    EXPECT_EQ(ConvertErrorText([] { StrToTime("25:00"); }), "'25:00' is not a valid time");
}

TEST(TimeParsing, AcceptsTheSettingsAmPmStringsBesideTheEnglishOnes) {
    TFormatSettings settings;
    settings.TimeAMString = "vorm.";
    settings.TimePMString = "nachm.";
    TFormatSettingsOverride use(settings);
    EXPECT_EQ(StrToTime("2 nachm."), EncodeTime(14, 0, 0, 0));
    EXPECT_EQ(StrToTime("2 PM"), EncodeTime(14, 0, 0, 0));
    EXPECT_EQ(StrToTime("12 vorm."), 0);
}

TEST_F(DateParsing, ReadsDateAndTimeTogetherOrEitherAlone) {
    EXPECT_EQ(StrToDateTime("3/5/2024 2:07:09 PM"),
              ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 9, 0)));
    EXPECT_EQ(StrToDateTime("3/5 14:07"),
              ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 0, 0)));
    EXPECT_EQ(StrToDateTime("3/5/2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDateTime("14:07"), EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToDateTime("12/29/1899 6:00"), -1.25);
    EXPECT_EQ(ConvertErrorText([] { StrToDateTime("3/5/2024 25:00"); }),
              "'3/5/2024 25:00' is not a valid date and time");
}

TEST_F(DateParsing, ReadsBackWhatDateTimeToStrWrote) {
    TFormatSettings settings;
    settings.TwoDigitYearCenturyWindow = 50;
    TFormatSettingsOverride use(settings);
    for (TDateTime value : {EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0),
                            EncodeDate(2024, 2, 29), EncodeDate(2030, 7, 4) + 0.5}) {
        SCOPED_TRACE(DateTimeToStr(value));
        EXPECT_EQ(StrToDateTime(DateTimeToStr(value)), value);
    }
}

}  // namespace
}  // namespace vex
