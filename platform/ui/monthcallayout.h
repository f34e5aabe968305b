#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/gfx/canvas.h"
#include "platform/win/messages.h"

namespace vex {

// Where the parts of a month calendar lie. Every size follows from the font: a day cell holds
// the widest of "00" and the two-letter weekday names, and the title, header and today line
// are cut from the text height.
struct TMonthCalMetrics {
    int32_t CellWidth = 0;
    int32_t CellHeight = 0;
    int32_t TitleHeight = 0;
    int32_t WeekWidth = 0;  // 0 without MCS_WEEKNUMBERS
    int32_t MonthWidth = 0;
    int32_t MonthHeight = 0;
    int32_t TodayHeight = 0;  // 0 with MCS_NOTODAY

    TSize MinimumSize() const { return TSize{MonthWidth, MonthHeight + TodayHeight}; }
};

// Canvas has the calendar's font selected.
TMonthCalMetrics MeasureMonthCal(TCanvas& Canvas, DWORD Style);

// Months in columns and rows, as many as the client area holds (at least one, at most twelve),
// centred in it, with the today line under them.
class TMonthCalLayout {
public:
    static constexpr int32_t MaxMonths = 12;

    TMonthCalLayout() = default;
    TMonthCalLayout(const TMonthCalMetrics& Metrics, TSize Client);

    const TMonthCalMetrics& Metrics() const { return FMetrics; }
    int32_t Cols() const { return FCols; }
    int32_t Rows() const { return FRows; }
    int32_t Count() const { return FCols * FRows; }

    TRect Month(int32_t Index) const;
    TRect Title(int32_t Index) const;
    // The scroll buttons sit in the titles of the top row's first and last months.
    TRect PrevButton() const;
    TRect NextButton() const;
    // Column 0 to 6 of the weekday names.
    TRect DayName(int32_t Index, int32_t Col) const;
    // The line under the weekday names, and the one right of the week numbers.
    TRect HeaderLine(int32_t Index) const;
    TRect WeekLine(int32_t Index) const;
    // Cell 0 to 41 of the day grid, row by row.
    TRect Cell(int32_t Index, int32_t Cell) const;
    TRect WeekNumber(int32_t Index, int32_t Row) const;
    // Empty with MCS_NOTODAY.
    TRect TodayLine() const;

private:
    TMonthCalMetrics FMetrics;
    int32_t FCols = 1;
    int32_t FRows = 1;
    TPoint FOrigin;
};

}  // namespace vex
