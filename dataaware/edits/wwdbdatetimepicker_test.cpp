#include "dataaware/edits/wwdbdatetimepicker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "dataaware/edits/wwcalendar_testsupport.h"
#include "platform/core/datetime.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::DayAt;
using test::Shown;

const char* const Formats = VEX_TEST_DIR "/testdata/pickerformats.txt";

// The message of the EDateTimeError Action raises; empty when it raises none.
std::string RangeError(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const EDateTimeError& e) {
        return e.Message();
    }
    return "";
}

TwwDTEditDataType KindNamed(const std::string& Name) {
    return Name == "date" ? wwDTEdtDate : Name == "time" ? wwDTEdtTime : wwDTEdtDateTime;
}

TEST(DBDateTimePicker, ShowsAValueThroughTheFormatItsKindAndSettingsGive) {
    for (const test::TestCase& k : test::ReadCases(Formats, "text")) {
        SCOPED_TRACE(k.Where);
        TwwDBDateTimePicker picker(nullptr);
        picker.SetUnboundDataType(KindNamed(k[0]));
        picker.SetDateFormat(k[1] == "long" ? dfLong : dfShort);
        picker.SetDisplayFormat(k[2]);
        EXPECT_EQ(picker.EffectiveDisplayFormat(true), k[3]);
        picker.SetValue(DayAt(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
        EXPECT_EQ(picker.Text(), k[4]);
        picker.SetValue(DayAt(2024, 3, 5));
        EXPECT_EQ(picker.Text(), k[5]);
    }
}

// A value outside the limits is refused before anything is stored, whichever setter it comes
// through; MaxDate is a whole day through both.
TEST(DBDateTimePicker, ChecksTheLimitsBeforeStoringAValue) {
    using TSetter = std::function<void(TwwDBDateTimePicker&, TDateTime)>;
    const TSetter value = [](TwwDBDateTimePicker& P, TDateTime V) { P.SetValue(V); };
    const TSetter date = [](TwwDBDateTimePicker& P, TDateTime V) { P.SetDate(V); };
    const TSetter time = [](TwwDBDateTimePicker& P, TDateTime V) { P.SetTime(V); };
    const struct {
        const char* Name;
        TSetter Set;
        TDateTime MinDate, MaxDate, Given;
        const char* Error;  // "" when taken
        const char* Result;
    } cases[] = {
        {"value on the MaxDate day", value, 0, DayAt(2000, 3, 10), DayAt(2000, 3, 10, 18), "",
         "2000-03-10 18:00"},
        {"value past MaxDate", value, 0, DayAt(2000, 3, 10), DayAt(2000, 3, 11),
         "Date exceeds maximum of 3/10/00", "2000-03-01 18:00"},
        {"value before MinDate's time", value, DayAt(2000, 3, 10, 12), 0, DayAt(2000, 3, 10, 6),
         "Date is less than minimum of 3/10/00", "2000-03-01 18:00"},
        {"date on the MaxDate day, a time of day kept", date, 0, DayAt(2000, 3, 10),
         DayAt(2000, 3, 10), "", "2000-03-10 18:00"},
        {"date past MaxDate", date, 0, DayAt(2000, 3, 10), DayAt(2000, 3, 11),
         "Date exceeds maximum of 3/10/00", "2000-03-01 18:00"},
        {"date before MinDate", date, DayAt(2000, 3, 1, 20), 0, DayAt(2000, 3, 1) - 1,
         "Date is less than minimum of 3/1/00", "2000-03-01 18:00"},
        {"time on the MaxDate day", time, 0, DayAt(2000, 3, 1), EncodeTime(23, 0, 0, 0), "",
         "2000-03-01 23:00"},
        // Before the base date a later time of day is further from zero.
        {"value later than MinDate on its day before 1899", value, DayAt(1899, 12, 29, 12), 0,
         DayAt(1899, 12, 29, 18), "", "1899-12-29 18:00"},
        {"value earlier than MinDate on its day before 1899", value, DayAt(1899, 12, 29, 12), 0,
         DayAt(1899, 12, 29, 6), "Date is less than minimum of 12/29/99", "2000-03-01 18:00"},
        {"value on the MaxDate day before 1899", value, 0, DayAt(1899, 12, 29, 12),
         DayAt(1899, 12, 29, 18), "", "1899-12-29 18:00"},
        {"date later than MinDate on its day before 1899", date, DayAt(1899, 12, 29, 12), 0,
         DayAt(1899, 12, 29), "", "1899-12-29 18:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TwwDBDateTimePicker picker(nullptr);
        picker.SetValue(DayAt(2000, 3, 1, 18));
        picker.SetModified(false);
        picker.SetMinDate(c.MinDate);
        picker.SetMaxDate(c.MaxDate);
        const std::string textBefore = picker.Text();
        const std::string error = RangeError([&] { c.Set(picker, c.Given); });
        EXPECT_EQ(error, c.Error);
        EXPECT_EQ(Shown(picker.Value()), c.Result);
        if (!error.empty()) {
            EXPECT_EQ(picker.Text(), textBefore);
            EXPECT_FALSE(picker.Modified());
        }
    }
}

TEST(DBDateTimePicker, RefusesALimitThatWouldCrossTheOtherNamingTheOther) {
    TwwDBDateTimePicker low(nullptr), high(nullptr);
    high.SetMaxDate(DayAt(2000, 3, 10));
    low.SetMinDate(DayAt(2000, 3, 11));
    EXPECT_EQ(RangeError([&] { high.SetMinDate(DayAt(2000, 3, 11)); }),
              "Date exceeds maximum of 3/10/00");
    EXPECT_EQ(RangeError([&] { low.SetMaxDate(DayAt(2000, 3, 10)); }),
              "Date is less than minimum of 3/11/00");
    EXPECT_EQ(high.MinDate(), 0);
    EXPECT_EQ(low.MaxDate(), 0);
}

TEST(DBDateTimePicker, LimitsBeforeTheBaseDateCrossOnlyWhenTheyDo) {
    const struct {
        TDateTime MinDate, MaxDate;
        bool Crossing;
    } cases[] = {
        {DayAt(1899, 12, 29), DayAt(1899, 12, 29, 6), false},
        {DayAt(1899, 12, 29, 6), DayAt(1899, 12, 29), true},
        {DayAt(1899, 12, 29, 6), DayAt(1899, 12, 29, 6), false},
        {DayAt(1800, 1, 1, 23), DayAt(1800, 1, 2, 1), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Shown(c.MinDate) + " to " + Shown(c.MaxDate));
        TwwDBDateTimePicker low(nullptr), high(nullptr);
        low.SetMinDate(c.MinDate);
        high.SetMaxDate(c.MaxDate);
        EXPECT_EQ(RangeError([&] { low.SetMaxDate(c.MaxDate); }).empty(), !c.Crossing);
        EXPECT_EQ(RangeError([&] { high.SetMinDate(c.MinDate); }).empty(), !c.Crossing);
    }
}

// A value no date can be written for is refused, and the picker keeps the one it had.
TEST(DBDateTimePicker, RefusesAValueOutsideTheYearsItCanShow) {
    const struct {
        const char* Name;
        TDateTime Given;
        bool Taken;
    } cases[] = {
        {"1 January 0001", DayAt(1, 1, 1), true},
        {"the last millisecond of 9999", DayAt(9999, 12, 31) + EncodeTime(23, 59, 59, 999), true},
        {"half a millisecond later",
         DayAt(9999, 12, 31) + EncodeTime(23, 59, 59, 999) + 0.6 / 864e5, false},
        {"a day before year 1", DayAt(1, 1, 1) - 1, false},
        {"year 30,000", 1e7, false},
        {"not a number", std::nan(""), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TwwDBDateTimePicker picker(nullptr);
        picker.SetDisplayFormat("yyyy-mm-dd hh:nn:ss");
        picker.SetValue(DayAt(2000, 3, 1, 18));
        if (c.Taken) {
            EXPECT_NO_THROW(picker.SetValue(c.Given));
            EXPECT_EQ(picker.Text(), FormatDateTime("yyyy-mm-dd hh:nn:ss", c.Given));
            continue;
        }
        EXPECT_THROW(picker.SetValue(c.Given), EConvertError);
        EXPECT_EQ(Shown(picker.Value()), "2000-03-01 18:00");
        EXPECT_EQ(picker.Text(), "2000-03-01 18:00:00");
    }
}

TEST(DBDateTimePicker, ZeroIsNoValueShownAsNothingButInATimeOfDay) {
    TwwDBDateTimePicker date(nullptr);
    date.SetUnboundDataType(wwDTEdtDate);
    EXPECT_EQ(date.Text(), "");
    date.SetDate(0);
    EXPECT_EQ(date.Text(), "") << "no day to show";
    date.SetDate(DayAt(2024, 3, 5));
    date.SetDate(0);
    EXPECT_EQ(date.Text(), "");
    EXPECT_EQ(date.Value(), 0);

    TwwDBDateTimePicker time(nullptr);
    time.SetUnboundDataType(wwDTEdtTime);
    time.SetTime(0);
    EXPECT_EQ(time.Text(), "12:00 AM");
    EXPECT_EQ(time.Date(), 0) << "a time-only picker has no date";
    time.SetDate(DayAt(2024, 3, 5));
    EXPECT_EQ(time.Value(), 0) << "nor takes one";
}

}  // namespace
}  // namespace vex
