#include "dataaware/edits/wwdbdatetimepicker.h"

#include <gtest/gtest.h>

#include "dataaware/edits/wwcalendar_testsupport.h"
#include "platform/ui/ui_testsupport.h"

namespace vex {
namespace {

using test::DayAt;

TEST(DBDateTimePicker, AnUnboundDatePickerStartsEmptyAndShowsWhatItIsGiven) {
    test::TShownForm shown(Rect(20, 20, 320, 200));
    auto* picker = shown.Add<TwwDBDateTimePicker>(shown.Form, Rect(10, 10, 160, 34));
    picker->SetUnboundDataType(wwDTEdtDate);
    EXPECT_EQ(picker->Text(), "");
    picker->SetDate(DayAt(2024, 3, 5));
    EXPECT_EQ(picker->Text(), "3/5/24");
}

}  // namespace
}  // namespace vex
