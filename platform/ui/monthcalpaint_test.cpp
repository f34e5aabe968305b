#include <gtest/gtest.h>

#include <string>

#include "platform/core/clock.h"
#include "platform/gfx/colors.h"
#include "platform/ui/monthcal_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// Calendars drawn with the fixed-metric font of 10 pixels, with the clock at noon on 10 March
// 2024 (a Sunday).
class MonthCalPaint : public ::testing::Test {
protected:
    MonthCalPaint() { Clock.SetUtcMilliseconds(1710072000000); }

    test::TCalendarProbe* Calendar(DWORD Styles, TRect Bounds) {
        auto* calendar = Form.Add<test::TCalendarProbe>(Form.Form, Bounds, Styles);
        calendar->UseFixedFont(10);
        return calendar;
    }
    test::TCalendarProbe* SizedToOneMonth(DWORD Styles) {
        test::TCalendarProbe* calendar = Calendar(Styles, Rect(0, 0, 50, 50));
        TRect minimum;
        calendar->Send(MCM_GETMINREQRECT, 0, &minimum);
        calendar->SetBounds(0, 0, minimum.Right, minimum.Bottom);
        return calendar;
    }

    TFixedClock Clock;
    TClockOverride UseClock{Clock};
    test::TShownForm Form{Rect(10, 10, 700, 500)};
};

TEST_F(MonthCalPaint, DrawsOneMonthWithItsSelectionTodayAndGreyedNeighbours) {
    test::TCalendarProbe* calendar = SizedToOneMonth(0);
    SYSTEMTIME day = test::Day(2024, 3, 5);
    calendar->Send(MCM_SETCURSEL, 0, &day);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*calendar, kPictures, "monthcal-one-month"));
}

TEST_F(MonthCalPaint, DrawsWeekNumbersBoldDaysARangeAndTheFocus) {
    test::TCalendarProbe* calendar =
        SizedToOneMonth(MCS_WEEKNUMBERS | MCS_DAYSTATE | MCS_MULTISELECT);
    calendar->BoldDays = [](uint16_t, uint16_t) { return MONTHDAYSTATE{0x55555555}; };
    calendar->Send(MCM_SETFIRSTDAYOFWEEK, 0, LPARAM{0});
    SYSTEMTIME range[2] = {test::Day(2024, 3, 11), test::Day(2024, 3, 13)};
    calendar->Send(MCM_SETSELRANGE, 0, range);
    // A drop-down draws as focused while the focus stays elsewhere.
    calendar->Send(WM_SETFOCUS);
    test::PumpUntilIdle();
    EXPECT_TRUE(
        test::ControlMatchesReferencePicture(*calendar, kPictures, "monthcal-weeks-bold-range"));
}

TEST_F(MonthCalPaint, LaysFourMonthsAcrossAYearEndInItsOwnColours) {
    test::TCalendarProbe* calendar = Calendar(MCS_NOTODAY | MCS_NOTODAYCIRCLE, Rect(0, 0, 50, 50));
    TRect minimum;
    calendar->Send(MCM_GETMINREQRECT, 0, &minimum);
    calendar->SetBounds(0, 0, 2 * minimum.Right + 10, 2 * minimum.Bottom + 10);
    const std::pair<WPARAM, TColor> colours[] = {
        {MCSC_BACKGROUND, clSilver}, {MCSC_TEXT, clNavy},     {MCSC_TITLEBK, clTeal},
        {MCSC_TITLETEXT, clYellow},  {MCSC_MONTHBK, clWhite}, {MCSC_TRAILINGTEXT, clGray}};
    for (const auto& [index, colour] : colours)
        calendar->Send(MCM_SETCOLOR, index, LPARAM{colour});
    SYSTEMTIME day = test::Day(2025, 2, 14);
    calendar->Send(MCM_SETCURSEL, 0, &day);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*calendar, kPictures, "monthcal-four-months"));
}

}  // namespace
}  // namespace vex
