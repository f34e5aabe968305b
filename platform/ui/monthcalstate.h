#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/monthgrid.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/ui/monthcal.h"
#include "platform/ui/monthcallayout.h"

namespace vex {

// Months are counted from January of year 0, so that a month and the next differ by one
// across a year's end.
inline constexpr int32_t MonthIndexOf(uint16_t Year, uint16_t Month) {
    return Year * 12 + Month - 1;
}
inline constexpr uint16_t YearOfMonthIndex(int32_t Index) {
    return static_cast<uint16_t>(Index / 12);
}
inline constexpr uint16_t MonthOfMonthIndex(int32_t Index) {
    return static_cast<uint16_t>(Index % 12 + 1);
}
inline constexpr int32_t FirstMonthIndex = MonthIndexOf(1, 1);
inline constexpr int32_t LastMonthIndex = MonthIndexOf(9999, 12);

// A day as the calendar exchanges it; the time of day is left at zero.
SYSTEMTIME SystemTimeOfDay(int32_t Day);
// False for parts that name no day of years 1 to 9999; the time of day is not looked at.
bool DayOfSystemTime(const SYSTEMTIME& Time, int32_t& Day);
int32_t MonthIndexOfDay(int32_t Day);

// Everything one month calendar window keeps between messages.
struct TMonthCalState {
    HWND Wnd = 0;
    // Notifications go to the parent the window was made under, even after it moved onto the
    // desktop as a drop-down.
    HWND NotifyWnd = 0;
    DWORD Style = 0;

    int32_t SelStart = 0;
    int32_t SelEnd = 0;
    int32_t MaxSelCount = 7;
    DWORD RangeFlags = 0;  // GDTR_*
    int32_t MinDay = 0;
    int32_t MaxDay = 0;
    // The locale's digit, 0 Monday .. 6 Sunday; the locale's until MCM_SETFIRSTDAYOFWEEK.
    int32_t FirstDayOfWeek = 6;
    std::array<TColor, 6> Colors{clWindow,      clWindowText, clActiveCaption,
                                 clCaptionText, clWindow,     clGrayText};
    int32_t FirstMonth = 0;           // month index of the top-left month
    std::optional<int32_t> TodaySet;  // MCM_SETTODAY's day, else the clock's
    int32_t MonthDelta = 0;           // 0: a page of visible months
    bool Focused = false;

    // The font given with WM_SETFONT (its description is copied: the handle stays the
    // caller's) and what the calendar draws with.
    HFONT FontHandle = 0;
    TLogFont Font;

    // What MCN_GETDAYSTATE answered: one mask per month from DayStateFirst on.
    int32_t DayStateFirst = 0;
    std::vector<MONTHDAYSTATE> DayState;
    int32_t AskedFirst = -1;
    int32_t AskedCount = 0;

    // A press on a day that has not been let go yet.
    bool Tracking = false;
    int32_t Anchor = 0;

    TMonthCalLayout Layout;

    bool MultiSelect() const { return (Style & MCS_MULTISELECT) != 0; }
    int32_t Today() const;
    // Within years 1 to 9999 and the range set by MCM_SETRANGE.
    bool Selectable(int32_t Day) const;
    int32_t ClampToRange(int32_t Day) const;
    int32_t VisibleCount() const { return Layout.Count(); }
    TMonthGrid GridOf(int32_t Index) const;
    // Whether cell Cell of visible month Index shows a day: the month's own days everywhere,
    // the month before's only in the first month, the month after's only in the last, and
    // nothing outside years 1 to 9999.
    bool Shows(int32_t Index, const TMonthGrid& Grid, int32_t Cell) const;
    // The months with a day on the screen: the visible ones and the ones whose days lead or
    // trail them.
    void DayStateSpan(int32_t& First, int32_t& Count) const;
    bool Bold(int32_t Day) const;

    // Shows FirstMonth as near to Month as years 1 to 9999 allow; true when it moved. Month is
    // wide enough for a step of any month delta from any month.
    bool ShowFirst(int64_t Month);
    // Moves the visible months as little as shows the day's month.
    bool ScrollIntoView(int32_t Day);
};

// What lies under Point (client coordinates): the MCHT_* code, and the day, or the month of a
// title, in Time.
UINT HitTest(const TMonthCalState& State, TCanvas& Canvas, TPoint Point, SYSTEMTIME& Time);

// The text of a title, "March 2024", and where its month and year parts are drawn.
struct TTitleText {
    std::string Month;
    std::string Year;
    TRect MonthPart;
    TRect YearPart;
};
TTitleText TitleTextOf(TCanvas& Canvas, const TRect& Title, int32_t MonthIndex);

// Titles, the today line and bold days are drawn in the bold version of the calendar's font.
void SelectCalendarFont(TCanvas& Canvas, const TLogFont& Font, bool Bold);

void PaintMonthCal(const TMonthCalState& State, TCanvas& Canvas, const TRect& Client);

}  // namespace vex
