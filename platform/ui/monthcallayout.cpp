#include "platform/ui/monthcallayout.h"

#include <algorithm>

#include "platform/core/formatsettings.h"
#include "platform/ui/monthcal.h"

namespace vex {

namespace {

constexpr int32_t Margin = 6;      // inside a month, left and right of its columns
constexpr int32_t TitleInset = 2;  // around a month's title bar
constexpr int32_t HeaderGap = 3;   // between the weekday names and the first week, with the line
constexpr int32_t BottomGap = 4;   // under the last week

}  // namespace

TMonthCalMetrics MeasureMonthCal(TCanvas& Canvas, DWORD Style) {
    TMonthCalMetrics m;
    const int32_t height = Canvas.TextHeight("0");
    int32_t widest = Canvas.TextWidth("00");
    for (const std::string& name : FormatSettings().ShortDayNames)
        widest = std::max(widest, Canvas.TextWidth(name.substr(0, 2)));
    m.CellWidth = widest + 6;
    m.CellHeight = height + 2;
    m.TitleHeight = height + 10;
    m.WeekWidth = (Style & MCS_WEEKNUMBERS) != 0 ? m.CellWidth : 0;
    m.MonthWidth = 2 * Margin + m.WeekWidth + 7 * m.CellWidth;
    m.MonthHeight = TitleInset + m.TitleHeight + TitleInset + m.CellHeight + HeaderGap +
                    6 * m.CellHeight + BottomGap;
    m.TodayHeight = (Style & MCS_NOTODAY) != 0 ? 0 : m.CellHeight + 6;
    return m;
}

TMonthCalLayout::TMonthCalLayout(const TMonthCalMetrics& Metrics, TSize Client)
    : FMetrics(Metrics) {
    if (Metrics.MonthWidth <= 0 || Metrics.MonthHeight <= 0) return;
    FCols = std::clamp(Client.cx / Metrics.MonthWidth, 1, MaxMonths);
    FRows =
        std::clamp((Client.cy - Metrics.TodayHeight) / Metrics.MonthHeight, 1, MaxMonths / FCols);
    FOrigin.X = std::max(0, (Client.cx - FCols * Metrics.MonthWidth) / 2);
    FOrigin.Y = std::max(0, (Client.cy - Metrics.TodayHeight - FRows * Metrics.MonthHeight) / 2);
}

TRect TMonthCalLayout::Month(int32_t Index) const {
    const int32_t left = FOrigin.X + Index % FCols * FMetrics.MonthWidth;
    const int32_t top = FOrigin.Y + Index / FCols * FMetrics.MonthHeight;
    return Rect(left, top, left + FMetrics.MonthWidth, top + FMetrics.MonthHeight);
}

TRect TMonthCalLayout::Title(int32_t Index) const {
    const TRect m = Month(Index);
    return Rect(m.Left + TitleInset, m.Top + TitleInset, m.Right - TitleInset,
                m.Top + TitleInset + FMetrics.TitleHeight);
}

TRect TMonthCalLayout::PrevButton() const {
    const TRect t = Title(0);
    const int32_t side = FMetrics.TitleHeight - 4;
    return Rect(t.Left + 2, t.Top + 2, t.Left + 2 + side, t.Top + 2 + side);
}

TRect TMonthCalLayout::NextButton() const {
    const TRect t = Title(FCols - 1);
    const int32_t side = FMetrics.TitleHeight - 4;
    return Rect(t.Right - 2 - side, t.Top + 2, t.Right - 2, t.Top + 2 + side);
}

TRect TMonthCalLayout::DayName(int32_t Index, int32_t Col) const {
    const TRect m = Month(Index);
    const int32_t left = m.Left + Margin + FMetrics.WeekWidth + Col * FMetrics.CellWidth;
    const int32_t top = Title(Index).Bottom + TitleInset;
    return Rect(left, top, left + FMetrics.CellWidth, top + FMetrics.CellHeight);
}

TRect TMonthCalLayout::HeaderLine(int32_t Index) const {
    const TRect m = Month(Index);
    const int32_t y = DayName(Index, 0).Bottom + HeaderGap / 2;
    return Rect(m.Left + Margin, y, m.Right - Margin, y + 1);
}

TRect TMonthCalLayout::WeekLine(int32_t Index) const {
    const TRect first = Cell(Index, 0);
    return Rect(first.Left - 1, first.Top, first.Left, first.Top + 6 * FMetrics.CellHeight);
}

TRect TMonthCalLayout::Cell(int32_t Index, int32_t CellIndex) const {
    const TRect name = DayName(Index, CellIndex % 7);
    const int32_t top = name.Bottom + HeaderGap + CellIndex / 7 * FMetrics.CellHeight;
    return Rect(name.Left, top, name.Right, top + FMetrics.CellHeight);
}

TRect TMonthCalLayout::WeekNumber(int32_t Index, int32_t Row) const {
    const TRect first = Cell(Index, Row * 7);
    return Rect(first.Left - FMetrics.WeekWidth, first.Top, first.Left - 1, first.Bottom);
}

TRect TMonthCalLayout::TodayLine() const {
    if (FMetrics.TodayHeight == 0) return TRect{};
    const int32_t top = FOrigin.Y + FRows * FMetrics.MonthHeight;
    return Rect(FOrigin.X + Margin, top, FOrigin.X + FCols * FMetrics.MonthWidth - Margin,
                top + FMetrics.TodayHeight);
}

}  // namespace vex
