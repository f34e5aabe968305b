#include "platform/ui/datetimepickerparts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/core/datetime.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// "year-month-day hour:minute" as a date-time.
TDateTime ValueOf(const std::string& Text) {
    int y = 0, m = 0, d = 0, h = 0, n = 0;
    if (std::sscanf(Text.c_str(), "%d-%d-%d %d:%d", &y, &m, &d, &h, &n) != 5)
        throw std::runtime_error("not a value: " + Text);
    return ComposeDateTime(EncodeDate(y, m, d), EncodeTime(h, n, 0, 0));
}

TDateTimeSpan PartOf(const std::string& Format, TDateTime Value, int64_t Index) {
    TDateTimePickerParts parts;
    parts.Layout(Format, Value);
    return parts.Part(static_cast<size_t>(Index));
}

TEST(DateTimePickerParts, TheArrowsWrapAPartRoundAndKeepTheOthers) {
    for (const test::TestCase& row :
         test::ReadCases(VEX_TEST_DIR "/testdata/datetimepicker_steps.txt")) {
        SCOPED_TRACE(row.Where);
        const TDateTime value = ValueOf(row[1]);
        const TDateTime stepped =
            StepPart(value, PartOf(row[0], value, row.Int(2)), static_cast<int32_t>(row.Int(3)));
        EXPECT_EQ(FormatDateTime(row[0], stepped), row[4]);
    }
}

TEST(DateTimePickerParts, TypedDigitsCompleteAPartAndAreTakenWhenTheyNameOne) {
    for (const test::TestCase& row :
         test::ReadCases(VEX_TEST_DIR "/testdata/datetimepicker_typing.txt")) {
        SCOPED_TRACE(row.Where);
        const TDateTime value = ValueOf(row[1]);
        const TDateTimeSpan part = PartOf(row[0], value, row.Int(2));
        TTypedNumber typed;
        bool complete = false;
        for (char digit : row[3]) {
            EXPECT_FALSE(complete) << "a digit after the part was complete";
            complete = typed.Add(digit - '0', part, value);
        }
        EXPECT_EQ(complete ? "yes" : "no", row[4]);
        TDateTime taken = 0;
        const bool named = SetPart(value, part, typed.Value(), taken);
        EXPECT_EQ(named ? FormatDateTime(row[0], taken) : "refused", row[5]);
    }
}

TEST(DateTimePickerParts, ACaretStandsInThePartThatShowsWhereItIs) {
    TDateTimePickerParts parts;
    parts.Layout("'on' dddd, d/M/yyyy", ValueOf("2024-3-5 10:00"));
    ASSERT_EQ(parts.Text(), "on Tuesday, 5/3/2024");
    ASSERT_EQ(parts.Count(), 4u);
    const struct {
        size_t Offset;
        int32_t Part;
    } cases[] = {{0, 0},  {3, 0},  {9, 0},  {10, 0}, {12, 1},
                 {13, 1}, {14, 2}, {16, 3}, {19, 3}, {40, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(parts.PartAt(c.Offset), c.Part) << c.Offset;
    // Typed digits stand in for a part's text and the parts after it move with them.
    parts.ReplacePart(1, "12");
    EXPECT_EQ(parts.Text(), "on Tuesday, 12/3/2024");
    EXPECT_EQ(parts.Part(2).Start, 15u);
    EXPECT_EQ(parts.PartAt(15), 2);
    TDateTimePickerParts none;
    none.Layout("'text only'", 0);
    EXPECT_EQ(none.PartAt(3), -1);
}

}  // namespace
}  // namespace vex
