#include "platform/ui/monthcal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/formatsettings.h"
#include "platform/ui/monthcal_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/capture.h"
#include "platform/win/input.h"
#include "platform/win/windowtree.h"

namespace vex {
namespace {

using test::Day;
using test::DayText;
using TNotes = std::vector<std::string>;

// A calendar on a shown form with the clock at noon on 10 March 2024, a Sunday. With the
// fixed-metric font of 10 pixels a month is 124 x 115 pixels: the title bar from (2, 2) to
// (122, 22), the weekday names from y 24 to 36, and 16 x 12 day cells from (6, 39) on, with
// the today line from y 115 to 133 under it.
class MonthCal : public ::testing::Test {
protected:
    MonthCal() { Clock.SetUtcMilliseconds(1710072000000); }

    test::TCalendarProbe* Make(DWORD Styles = 0, TRect Bounds = Rect(0, 0, 124, 133)) {
        Calendar = Form.Add<test::TCalendarProbe>(Form.Form, Bounds, Styles);
        Calendar->UseFixedFont(10);
        test::PumpUntilIdle();
        return Calendar;
    }
    TPoint CellCentre(int32_t Row, int32_t Col) const {
        return Point(6 + Col * 16 + 8, 39 + Row * 12 + 6);
    }
    void Press(TPoint Client) {
        InjectMouseMove(Calendar->ClientToScreen(Client));
        InjectMouseButton(mbLeft, true);
        test::PumpUntilIdle();
    }
    void MoveTo(TPoint Client) {
        InjectMouseMove(Calendar->ClientToScreen(Client));
        test::PumpUntilIdle();
    }
    void Release() {
        InjectMouseButton(mbLeft, false);
        test::PumpUntilIdle();
    }
    void Click(TPoint Client) {
        Press(Client);
        Release();
    }
    std::string Visible(WPARAM Which = GMR_VISIBLE) {
        SYSTEMTIME range[2];
        const LRESULT count = Calendar->Send(MCM_GETMONTHRANGE, Which, range);
        return DayText(range[0]) + " " + DayText(range[1]) + " " + std::to_string(count);
    }
    std::string Selection() {
        SYSTEMTIME range[2];
        if (Calendar->Send(MCM_GETSELRANGE, 0, range) != 0)
            return DayText(range[0]) + " " + DayText(range[1]);
        return Calendar->Send(MCM_GETCURSEL, 0, range) != 0 ? DayText(range[0]) : "none";
    }
    bool SetRange(DWORD Flags, SYSTEMTIME Min, SYSTEMTIME Max) {
        SYSTEMTIME range[2] = {Min, Max};
        return Calendar->Send(MCM_SETRANGE, Flags, range) != 0;
    }

    TFixedClock Clock;
    TClockOverride UseClock{Clock};
    test::TShownForm Form{Rect(10, 10, 700, 560)};
    test::TCalendarProbe* Calendar = nullptr;
};

TEST_F(MonthCal, TellsWhichPartOfTheCalendarLiesUnderAPoint) {
    struct TCase {
        DWORD Styles;
        TPoint Point;
        UINT Hit;
        std::string Date;  // "" where the code has none
    };
    // March 2024 begins on a Friday, so five days of February lead it.
    const std::vector<TCase> cases = {
        {0, Point(10, 10), MCHT_TITLEBTNPREV, ""},
        {0, Point(110, 10), MCHT_TITLEBTNNEXT, ""},
        {0, Point(45, 12), MCHT_TITLEMONTH, "2024-3-1"},  // "March" from x 37 to 62, bold
        {0, Point(75, 12), MCHT_TITLEYEAR, "2024-3-1"},   // "2024" from x 67 to 87
        {0, Point(30, 12), MCHT_TITLEBK, "2024-3-1"},
        {0, Point(10, 30), MCHT_CALENDARDAY, ""},
        {0, Point(14, 45), MCHT_CALENDARDATEPREV, "2024-2-25"},
        {0, Point(94, 45), MCHT_CALENDARDATE, "2024-3-1"},
        {0, Point(30, 69), MCHT_CALENDARDATE, "2024-3-11"},
        {0, Point(110, 105), MCHT_CALENDARDATENEXT, "2024-4-6"},
        {0, Point(50, 37), MCHT_CALENDARBK, ""},
        {0, Point(60, 124), MCHT_TODAYLINK, "2024-3-10"},
        {0, Point(2, 125), MCHT_NOWHERE, ""},
        {MCS_NOTODAY, Point(60, 124), MCHT_NOWHERE, ""},
        {MCS_WEEKNUMBERS, Point(12, 45), MCHT_CALENDARWEEKNUM, "2024-2-25"},
        {MCS_WEEKNUMBERS, Point(30, 45), MCHT_CALENDARDATEPREV, "2024-2-25"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Point.X) + "," + std::to_string(c.Point.Y));
        Make(c.Styles, Rect(0, 0, 140, 133));
        Calendar->SetBounds(0, 0, (c.Styles & MCS_WEEKNUMBERS) != 0 ? 140 : 124, 133);
        MCHITTESTINFO info;
        info.pt = c.Point;
        EXPECT_EQ(static_cast<UINT>(Calendar->Send(MCM_HITTEST, 0, &info)), c.Hit);
        EXPECT_EQ(info.uHit, c.Hit);
        if (!c.Date.empty()) {
            EXPECT_EQ(DayText(info.st), c.Date);
        }
        delete Calendar;
    }
}

TEST_F(MonthCal, SelectsOneDayWithinItsRangeOutsideMultiSelect) {
    Make();
    EXPECT_EQ(Selection(), "2024-3-10") << "today to begin with";
    SYSTEMTIME day = Day(2024, 3, 20);
    EXPECT_EQ(Calendar->Send(MCM_SETCURSEL, 0, &day), 1);
    EXPECT_EQ(Selection(), "2024-3-20");
    SYSTEMTIME noDay = Day(2024, 2, 30);
    EXPECT_EQ(Calendar->Send(MCM_SETCURSEL, 0, &noDay), 0);
    ASSERT_TRUE(SetRange(GDTR_MIN | GDTR_MAX, Day(2024, 3, 5), Day(2024, 3, 25)));
    SYSTEMTIME before = Day(2024, 3, 4);
    EXPECT_EQ(Calendar->Send(MCM_SETCURSEL, 0, &before), 0);
    SYSTEMTIME range[2] = {Day(2024, 3, 6), Day(2024, 3, 7)};
    EXPECT_EQ(Calendar->Send(MCM_SETSELRANGE, 0, range), 0) << "no range in single mode";
    EXPECT_EQ(Selection(), "2024-3-20");
}

TEST_F(MonthCal, SelectsARangeOfAtMostTheMaximumCountInMultiSelect) {
    Make(MCS_MULTISELECT);
    SYSTEMTIME day = Day(2024, 3, 20);
    EXPECT_EQ(Calendar->Send(MCM_SETCURSEL, 0, &day), 0);
    EXPECT_EQ(Calendar->Send(MCM_GETMAXSELCOUNT), 7);
    EXPECT_EQ(Calendar->Send(MCM_SETMAXSELCOUNT, 3), 1);
    EXPECT_EQ(Calendar->Send(MCM_SETMAXSELCOUNT, 0), 0);
    SYSTEMTIME four[2] = {Day(2024, 3, 1), Day(2024, 3, 4)};
    EXPECT_EQ(Calendar->Send(MCM_SETSELRANGE, 0, four), 0);
    SYSTEMTIME reversed[2] = {Day(2024, 3, 31), Day(2024, 3, 29)};
    EXPECT_EQ(Calendar->Send(MCM_SETSELRANGE, 0, reversed), 1);
    EXPECT_EQ(Selection(), "2024-3-29 2024-3-31");
}

TEST_F(MonthCal, KeepsItsRangeOrderedAndTheSelectionInsideIt) {
    Make();
    EXPECT_FALSE(SetRange(GDTR_MIN | GDTR_MAX, Day(2024, 4, 1), Day(2024, 3, 1)));
    EXPECT_FALSE(SetRange(GDTR_MIN, Day(2024, 13, 1), SYSTEMTIME{}));
    ASSERT_TRUE(SetRange(GDTR_MIN, Day(2024, 3, 15), SYSTEMTIME{}));
    EXPECT_EQ(Selection(), "2024-3-15") << "today, before the minimum, is moved up to it";
    SYSTEMTIME range[2];
    EXPECT_EQ(Calendar->Send(MCM_GETRANGE, 0, range), static_cast<LRESULT>(GDTR_MIN));
    EXPECT_EQ(DayText(range[0]), "2024-3-15");
    EXPECT_EQ(DayText(range[1]), "0-0-0");
    ASSERT_TRUE(SetRange(0, SYSTEMTIME{}, SYSTEMTIME{}));
    EXPECT_EQ(Calendar->Send(MCM_GETRANGE, 0, range), 0);
}

TEST_F(MonthCal, ScrollsASelectedDayIntoViewAndTellsWhichMonthsShow) {
    Make();
    EXPECT_EQ(Visible(), "2024-3-1 2024-3-31 1");
    EXPECT_EQ(Visible(GMR_DAYSTATE), "2024-2-25 2024-4-6 3");
    SYSTEMTIME day = Day(2025, 1, 15);
    ASSERT_EQ(Calendar->Send(MCM_SETCURSEL, 0, &day), 1);
    EXPECT_EQ(Visible(), "2025-1-1 2025-1-31 1");
    Calendar->SetBounds(0, 0, 2 * 124, 2 * 115 + 18);
    EXPECT_EQ(Visible(), "2025-1-1 2025-4-30 4");
    EXPECT_EQ(Visible(GMR_DAYSTATE), "2024-12-29 2025-5-10 6");
}

TEST_F(MonthCal, AsksForBoldDaysWheneverTheMonthsOnTheScreenChange) {
    Make(MCS_DAYSTATE, Rect(0, 0, 4 * 124, 3 * 115 + 18));
    ASSERT_FALSE(Calendar->Notes.empty());
    EXPECT_EQ(Calendar->Notes.back(), "daystate 2024-2-1 14") << "March 2024 to February 2025";
    Calendar->Notes.clear();
    SYSTEMTIME inView = Day(2024, 12, 24);
    Calendar->Send(MCM_SETCURSEL, 0, &inView);
    EXPECT_EQ(Calendar->Notes, TNotes{}) << "the same months show";
    // Twelve months from January 2025, which begins on a Wednesday, and one on each side.
    SYSTEMTIME later = Day(2025, 12, 31);
    Calendar->Send(MCM_SETCURSEL, 0, &later);
    EXPECT_EQ(Calendar->Notes, TNotes{"daystate 2024-12-1 14"});
    EXPECT_EQ(Visible(GMR_DAYSTATE), "2024-12-29 2026-1-10 14");
    MONTHDAYSTATE masks[14] = {};
    EXPECT_EQ(Calendar->Send(MCM_SETDAYSTATE, 13, masks), 0) << "one mask per month";
    EXPECT_EQ(Calendar->Send(MCM_SETDAYSTATE, 14, masks), 1);

    Calendar->Notes.clear();
    Click(Point(10, 10));
    EXPECT_EQ(Calendar->Notes, TNotes{"daystate 2023-12-1 14"}) << "a page of twelve back";
    Calendar->Notes.clear();
    Calendar->SetBounds(0, 0, 124, 133);
    EXPECT_EQ(Calendar->Notes, TNotes{"daystate 2023-12-1 3"});
}

TEST_F(MonthCal, SelectsTheDayClickedAndMovesToAGreyedOne) {
    Make();
    Click(CellCentre(3, 3));
    EXPECT_EQ(Calendar->Notes,
              (TNotes{"selchange 2024-3-20 2024-3-20", "select 2024-3-20 2024-3-20"}));
    Calendar->Notes.clear();
    Click(CellCentre(5, 2));
    EXPECT_EQ(Calendar->Notes, (TNotes{"selchange 2024-4-2 2024-4-2", "select 2024-4-2 2024-4-2"}));
    EXPECT_EQ(Visible(), "2024-4-1 2024-4-30 1");
    Calendar->Notes.clear();
    Click(Point(60, 124));
    EXPECT_EQ(Calendar->Notes,
              (TNotes{"selchange 2024-3-10 2024-3-10", "select 2024-3-10 2024-3-10"}))
        << "the today line selects today and shows its month";
    EXPECT_EQ(Visible(), "2024-3-1 2024-3-31 1");
}

TEST_F(MonthCal, IgnoresClicksOnDaysOutsideItsRange) {
    Make();
    ASSERT_TRUE(SetRange(GDTR_MIN | GDTR_MAX, Day(2024, 3, 5), Day(2024, 3, 25)));
    Calendar->Notes.clear();
    Click(CellCentre(0, 6));  // 2 March
    Click(CellCentre(4, 2));  // 26 March
    EXPECT_EQ(Calendar->Notes, TNotes{});
    EXPECT_EQ(Selection(), "2024-3-10");
}

TEST_F(MonthCal, StretchesARangeByDraggingAsFarAsTheMaximumCount) {
    Make(MCS_MULTISELECT);
    Press(CellCentre(1, 2));  // 5 March
    MoveTo(CellCentre(1, 4));
    MoveTo(CellCentre(3, 3));  // 20 March, beyond seven days
    Release();
    EXPECT_EQ(Calendar->Notes,
              (TNotes{"selchange 2024-3-5 2024-3-5", "selchange 2024-3-5 2024-3-7",
                      "selchange 2024-3-5 2024-3-11", "select 2024-3-5 2024-3-11"}));
    Calendar->Notes.clear();
    Press(CellCentre(1, 2));
    MoveTo(CellCentre(0, 6));  // back to 2 March: the range runs the other way
    Release();
    EXPECT_EQ(Calendar->Notes, (TNotes{"selchange 2024-3-5 2024-3-5", "selchange 2024-3-2 2024-3-5",
                                       "select 2024-3-2 2024-3-5"}));
    EXPECT_EQ(GetCapture(), HWND{0});
}

TEST_F(MonthCal, MovesASingleSelectionAlongADragWithinItsRange) {
    Make();
    ASSERT_TRUE(SetRange(GDTR_MAX, SYSTEMTIME{}, Day(2024, 3, 21)));
    Press(CellCentre(1, 2));   // 5 March
    MoveTo(CellCentre(3, 4));  // 21 March
    MoveTo(CellCentre(3, 5));  // 22 March, after the maximum
    Release();
    EXPECT_EQ(Calendar->Notes,
              (TNotes{"selchange 2024-3-5 2024-3-5", "selchange 2024-3-21 2024-3-21",
                      "select 2024-3-21 2024-3-21"}));
}

TEST_F(MonthCal, ScrollsByTheMonthDeltaWithItsArrows) {
    Make(0, Rect(0, 0, 2 * 124, 133));
    EXPECT_EQ(Calendar->Send(MCM_GETMONTHDELTA), 2) << "a page of the months shown";
    Click(Point(2 * 124 - 14, 10));
    EXPECT_EQ(Visible(), "2024-5-1 2024-6-30 2");
    EXPECT_EQ(Calendar->Send(MCM_SETMONTHDELTA, 5), 0);
    EXPECT_EQ(Calendar->Send(MCM_GETMONTHDELTA), 5);
    Click(Point(10, 10));
    EXPECT_EQ(Visible(), "2023-12-1 2024-1-31 2");
    EXPECT_EQ(Selection(), "2024-3-10") << "scrolling leaves the selection";
    EXPECT_EQ(Calendar->Notes, TNotes{});
}

TEST_F(MonthCal, StopsScrollingAtYearOneAndYear9999) {
    Make();
    SYSTEMTIME first = Day(1, 1, 1);
    ASSERT_EQ(Calendar->Send(MCM_SETCURSEL, 0, &first), 1);
    Click(Point(10, 10));
    EXPECT_EQ(Visible(), "1-1-1 1-1-31 1");
    EXPECT_EQ(Visible(GMR_DAYSTATE), "1-1-1 1-2-10 2") << "no month before year 1";
    SYSTEMTIME last = Day(9999, 12, 31);
    ASSERT_EQ(Calendar->Send(MCM_SETCURSEL, 0, &last), 1);
    Click(Point(110, 10));
    EXPECT_EQ(Visible(), "9999-12-1 9999-12-31 1");
    EXPECT_EQ(Visible(GMR_DAYSTATE), "9999-11-28 9999-12-31 2");
    MCHITTESTINFO info;
    info.pt = CellCentre(5, 6);
    EXPECT_EQ(Calendar->Send(MCM_HITTEST, 0, &info), static_cast<LRESULT>(MCHT_CALENDARBK))
        << "no day after 31 December 9999";
}

TEST_F(MonthCal, NeedsRoomForOneMonthFromItsFontAndStyles) {
    const std::vector<std::pair<DWORD, TRect>> cases = {
        {0, Rect(0, 0, 124, 133)},
        {MCS_WEEKNUMBERS, Rect(0, 0, 140, 133)},
        {MCS_NOTODAY, Rect(0, 0, 124, 115)},
    };
    for (const auto& [styles, expected] : cases) {
        Make(styles);
        TRect minimum;
        EXPECT_EQ(Calendar->Send(MCM_GETMINREQRECT, 0, &minimum), 1);
        EXPECT_EQ(minimum, expected) << styles;
        delete Calendar;
    }
}

TEST_F(MonthCal, AnswersWhatItHadBeforeForColoursAndTheFirstDayOfWeek) {
    Make();
    EXPECT_EQ(Calendar->Send(MCM_SETCOLOR, MCSC_TITLEBK, LPARAM{clRed}),
              ColorToRGB(clActiveCaption));
    EXPECT_EQ(Calendar->Send(MCM_GETCOLOR, MCSC_TITLEBK), clRed);
    EXPECT_EQ(Calendar->Send(MCM_SETCOLOR, 6, LPARAM{clRed}), -1);
    EXPECT_EQ(Calendar->Send(MCM_SETFIRSTDAYOFWEEK, 0, LPARAM{0}), MAKELONG(6, 0))
        << "the locale's Sunday";
    EXPECT_EQ(Calendar->Send(MCM_GETFIRSTDAYOFWEEK), MAKELONG(0, 1));
    EXPECT_EQ(Calendar->Send(MCM_SETFIRSTDAYOFWEEK, 0, LPARAM{9}), MAKELONG(0, 1));
    EXPECT_EQ(Calendar->Send(MCM_GETFIRSTDAYOFWEEK), MAKELONG(0, 1)) << "no ninth day";
}

TEST_F(MonthCal, RefusesRequestsWithoutTheirData) {
    Make(MCS_MULTISELECT | MCS_DAYSTATE);
    const std::vector<std::pair<UINT, WPARAM>> requests = {{MCM_GETCURSEL, 0},
                                                           {MCM_SETCURSEL, 0},
                                                           {MCM_GETSELRANGE, 0},
                                                           {MCM_SETSELRANGE, 0},
                                                           {MCM_SETDAYSTATE, 3},
                                                           {MCM_GETMINREQRECT, 0},
                                                           {MCM_SETRANGE, GDTR_MIN},
                                                           {MCM_GETTODAY, 0},
                                                           {MCM_HITTEST, 0},
                                                           {MCM_GETRANGE, 0},
                                                           {MCM_GETMONTHRANGE, GMR_DAYSTATE}};
    for (const auto& [msg, wparam] : requests) {
        SCOPED_TRACE(msg);
        const LRESULT answer = Calendar->Send(msg, wparam, LPARAM{0});
        if (msg == MCM_GETMONTHRANGE) {
            EXPECT_EQ(answer, 3) << "the count alone";
        } else {
            EXPECT_LE(answer, 0);
        }
    }
    EXPECT_EQ(Selection(), "2024-3-10 2024-3-10");
}

TEST_F(MonthCal, NotifiesItsFirstParentAfterMovingToTheDesktop) {
    Make();
    SetParent(Calendar->Handle(), 0);
    Click(CellCentre(3, 3));
    EXPECT_EQ(Calendar->Notes.size(), 2u);
}

TEST_F(MonthCal, SurvivesBeingDestroyedByItsParentWhileTellingIt) {
    Make(MCS_DAYSTATE);
    const HWND wnd = Calendar->Handle();
    Calendar->Notes.clear();
    Calendar->OnNote = [wnd](const std::string&) { DestroyWindow(wnd); };
    Click(CellCentre(3, 3));
    EXPECT_FALSE(IsWindow(wnd));
    ASSERT_FALSE(Calendar->Notes.empty());
    EXPECT_EQ(Calendar->Notes[0], "selchange 2024-3-20 2024-3-20");
    EXPECT_EQ(GetCapture(), HWND{0});
}

TEST_F(MonthCal, ScrollsNoFurtherThanYearsOneAnd9999WhateverTheMonthDelta) {
    Make();
    const struct {
        WPARAM Delta;
        TPoint Arrow;
        const char* Shown;
    } cases[] = {
        {0x7fffffff, Point(110, 10), "9999-12-1 9999-12-31 1"},
        {0x7fffffff, Point(10, 10), "1-1-1 1-1-31 1"},
        {0x80000000, Point(10, 10), "9999-12-1 9999-12-31 1"},
        {0x80000000, Point(110, 10), "1-1-1 1-1-31 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Delta);
        Calendar->Send(MCM_SETMONTHDELTA, c.Delta);
        Click(c.Arrow);
        EXPECT_EQ(Visible(), c.Shown);
    }
}

TEST_F(MonthCal, TakesALocaleFirstDayOfWeekPastSundayAsTheLocaleDigitDoes) {
    TFormatSettings settings;
    settings.FirstDayOfWeek = 7;
    const TFormatSettingsOverride locale(settings);
    Make();
    EXPECT_EQ(Calendar->Send(MCM_GETFIRSTDAYOFWEEK), MAKELONG(0, 0)) << "Monday";
    Calendar->Send(MCM_SETFIRSTDAYOFWEEK, 0, LPARAM{6});
    EXPECT_EQ(Calendar->Send(MCM_SETFIRSTDAYOFWEEK, 0, LPARAM{-1}), MAKELONG(6, 1));
    EXPECT_EQ(Calendar->Send(MCM_GETFIRSTDAYOFWEEK), MAKELONG(0, 0));
    Click(CellCentre(3, 3));
    EXPECT_EQ(Selection(), "2024-3-21") << "weeks from Monday: 26 February leads March";
}

// Only August has bold days here, so the masks of other months would show. The
// fixed-metric font draws bold and plain alike; the default font does not.
TEST_F(MonthCal, ShowsTheBoldDaysOfTheMonthsAHandlerOfThemScrolledTo) {
    const auto bold = [](uint16_t, uint16_t Month) { return Month == 8 ? ~MONTHDAYSTATE{} : 0; };
    SYSTEMTIME august = Day(2024, 8, 5);
    const auto shown = [&](bool Bold, bool Jump) {
        Make(MCS_DAYSTATE, Rect(0, 0, 250, 250));
        Calendar->Send(WM_SETFONT, 0, 1);
        if (Bold) Calendar->BoldDays = bold;
        bool jumped = !Jump;
        Calendar->OnNote = [&](const std::string& Note) {
            if (jumped || Note.rfind("daystate", 0) != 0) return;
            jumped = true;
            Calendar->Send(MCM_SETCURSEL, 0, &august);
        };
        SYSTEMTIME day = Jump ? Day(2024, 5, 5) : august;
        Calendar->Send(MCM_SETCURSEL, 0, &day);
        EXPECT_EQ(Visible(), "2024-8-1 2024-8-31 1");
        return test::ShownRows(*Calendar);
    };
    const TPictureRows expected = shown(true, false);
    ASSERT_NE(shown(false, false), expected) << "bold days show";
    EXPECT_EQ(shown(true, true), expected);
}

}  // namespace
}  // namespace vex
