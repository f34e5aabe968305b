#include "platform/ui/monthcalstate.h"

#include <algorithm>

#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"

namespace vex {

SYSTEMTIME SystemTimeOfDay(int32_t Day) {
    SYSTEMTIME time;
    DecodeDate(Day, time.wYear, time.wMonth, time.wDay);
    time.wDayOfWeek = static_cast<uint16_t>((MondayBasedWeekday(Day) + 1) % 7);
    return time;
}

bool DayOfSystemTime(const SYSTEMTIME& Time, int32_t& Day) {
    TDateTime date = 0;
    if (!TryEncodeDate(Time.wYear, Time.wMonth, Time.wDay, date)) return false;
    Day = static_cast<int32_t>(date);
    return true;
}

int32_t MonthIndexOfDay(int32_t Day) {
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(Day, year, month, day);
    return MonthIndexOf(year, month);
}

int32_t TMonthCalState::Today() const {
    return TodaySet ? *TodaySet : static_cast<int32_t>(Date());
}

bool TMonthCalState::Selectable(int32_t Day) const {
    return Day >= FirstEncodableDay && Day <= LastEncodableDay && ClampToRange(Day) == Day;
}

int32_t TMonthCalState::ClampToRange(int32_t Day) const {
    if ((RangeFlags & GDTR_MIN) != 0) Day = std::max(Day, MinDay);
    if ((RangeFlags & GDTR_MAX) != 0) Day = std::min(Day, MaxDay);
    return Day;
}

TMonthGrid TMonthCalState::GridOf(int32_t Index) const {
    const int32_t month = FirstMonth + Index;
    return MonthGridOf(YearOfMonthIndex(month), MonthOfMonthIndex(month), FirstDayOfWeek);
}

bool TMonthCalState::Shows(int32_t Index, const TMonthGrid& Grid, int32_t Cell) const {
    const int32_t part = Grid.PartOf(Cell);
    if ((part < 0 && Index != 0) || (part > 0 && Index != VisibleCount() - 1)) return false;
    const int32_t day = Grid.DayAt(Cell);
    return day >= FirstEncodableDay && day <= LastEncodableDay;
}

void TMonthCalState::DayStateSpan(int32_t& First, int32_t& Count) const {
    First = FirstMonth;
    int32_t last = FirstMonth + VisibleCount() - 1;
    // Six weeks hold at most 37 days of the leading and own months, so days always trail.
    if (GridOf(0).Leading > 0 && First > FirstMonthIndex) --First;
    if (last < LastMonthIndex) ++last;
    Count = last - First + 1;
}

bool TMonthCalState::Bold(int32_t Day) const {
    if ((Style & MCS_DAYSTATE) == 0 || DayState.empty()) return false;
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(Day, year, month, day);
    const int32_t at = MonthIndexOf(year, month) - DayStateFirst;
    if (at < 0 || at >= static_cast<int32_t>(DayState.size())) return false;
    return (DayState[static_cast<size_t>(at)] >> (day - 1) & 1) != 0;
}

bool TMonthCalState::ShowFirst(int64_t Month) {
    const auto first = static_cast<int32_t>(
        std::clamp<int64_t>(Month, FirstMonthIndex, LastMonthIndex - VisibleCount() + 1));
    if (first == FirstMonth) return false;
    FirstMonth = first;
    return true;
}

bool TMonthCalState::ScrollIntoView(int32_t Day) {
    const int32_t month = MonthIndexOfDay(Day);
    if (month < FirstMonth) return ShowFirst(month);
    if (month >= FirstMonth + VisibleCount()) return ShowFirst(month - VisibleCount() + 1);
    return false;
}

void SelectCalendarFont(TCanvas& Canvas, const TLogFont& Font, bool Bold) {
    TLogFont font = Font;
    if (Bold) font.lfWeight = FW_BOLD;
    Canvas.Font().SetHandle(CreateFontIndirect(font));
}

TTitleText TitleTextOf(TCanvas& Canvas, const TRect& Title, int32_t MonthIndex) {
    TTitleText text;
    text.Month = FormatSettings().LongMonthNames[MonthOfMonthIndex(MonthIndex) - 1];
    text.Year = std::to_string(YearOfMonthIndex(MonthIndex));
    const int32_t monthWidth = Canvas.TextWidth(text.Month);
    const int32_t spaceWidth = Canvas.TextWidth(" ");
    const int32_t yearWidth = Canvas.TextWidth(text.Year);
    const int32_t height = Canvas.TextHeight(text.Year);
    const int32_t left = (Title.Left + Title.Right - monthWidth - spaceWidth - yearWidth) / 2;
    const int32_t top = (Title.Top + Title.Bottom - height) / 2;
    text.MonthPart = Rect(left, top, left + monthWidth, top + height);
    const int32_t yearLeft = text.MonthPart.Right + spaceWidth;
    text.YearPart = Rect(yearLeft, top, yearLeft + yearWidth, top + height);
    return text;
}

namespace {

UINT HitInMonth(const TMonthCalState& State, TCanvas& Canvas, int32_t Index, TPoint Point,
                SYSTEMTIME& Time) {
    const TMonthCalLayout& layout = State.Layout;
    const int32_t month = State.FirstMonth + Index;
    if (PtInRect(layout.Title(Index), Point)) {
        if (Index == 0 && PtInRect(layout.PrevButton(), Point)) return MCHT_TITLEBTNPREV;
        if (Index == layout.Cols() - 1 && PtInRect(layout.NextButton(), Point))
            return MCHT_TITLEBTNNEXT;
        Time = SYSTEMTIME{};
        Time.wYear = YearOfMonthIndex(month);
        Time.wMonth = MonthOfMonthIndex(month);
        Time.wDay = 1;
        SelectCalendarFont(Canvas, State.Font, true);
        const TTitleText title = TitleTextOf(Canvas, layout.Title(Index), month);
        if (PtInRect(title.MonthPart, Point)) return MCHT_TITLEMONTH;
        if (PtInRect(title.YearPart, Point)) return MCHT_TITLEYEAR;
        return MCHT_TITLEBK;
    }
    const TMonthGrid grid = State.GridOf(Index);
    for (int32_t col = 0; col < 7; ++col)
        if (PtInRect(layout.DayName(Index, col), Point)) {
            Time = SYSTEMTIME{};
            Time.wDayOfWeek = static_cast<uint16_t>((State.FirstDayOfWeek + col + 1) % 7);
            return MCHT_CALENDARDAY;
        }
    for (int32_t row = 0; row < TMonthGrid::Rows; ++row) {
        if (layout.Metrics().WeekWidth > 0 && PtInRect(layout.WeekNumber(Index, row), Point)) {
            for (int32_t col = 0; col < 7; ++col)
                if (State.Shows(Index, grid, row * 7 + col)) {
                    Time = SystemTimeOfDay(grid.DayAt(row * 7 + col));
                    return MCHT_CALENDARWEEKNUM;
                }
            return MCHT_CALENDARBK;
        }
        for (int32_t col = 0; col < 7; ++col) {
            const int32_t cell = row * 7 + col;
            if (!PtInRect(layout.Cell(Index, cell), Point)) continue;
            if (!State.Shows(Index, grid, cell)) return MCHT_CALENDARBK;
            Time = SystemTimeOfDay(grid.DayAt(cell));
            const int32_t part = grid.PartOf(cell);
            return part < 0   ? MCHT_CALENDARDATEPREV
                   : part > 0 ? MCHT_CALENDARDATENEXT
                              : MCHT_CALENDARDATE;
        }
    }
    return MCHT_CALENDARBK;
}

}  // namespace

UINT HitTest(const TMonthCalState& State, TCanvas& Canvas, TPoint Point, SYSTEMTIME& Time) {
    const TMonthCalLayout& layout = State.Layout;
    for (int32_t i = 0; i < layout.Count(); ++i)
        if (PtInRect(layout.Month(i), Point)) return HitInMonth(State, Canvas, i, Point, Time);
    if (PtInRect(layout.TodayLine(), Point) && (State.Style & MCS_NOTODAY) == 0) {
        Time = SystemTimeOfDay(State.Today());
        return MCHT_TODAYLINK;
    }
    return MCHT_NOWHERE;
}

}  // namespace vex
