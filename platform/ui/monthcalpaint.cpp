#include <array>
#include <string>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/monthcalstate.h"

namespace vex {

namespace {

// The today circle and its sample on the today line.
constexpr TColor TodayColor = clRed;

// Day and week numbers as texts, made once: painting twelve months writes over five hundred.
const std::string& NumberText(int32_t Number) {
    static const auto texts = [] {
        std::array<std::string, 54> all;
        for (size_t i = 0; i < all.size(); ++i)
            all[i] = std::to_string(i);
        return all;
    }();
    return texts[static_cast<size_t>(Number)];
}

class TMonthCalPainter {
public:
    TMonthCalPainter(const TMonthCalState& State, TCanvas& Canvas)
        : S(State), C(Canvas), L(State.Layout), Today(State.Today()) {}

    // Texts are written with the context's colours over backgrounds painted before them.
    void Paint(const TRect& Client) {
        SetBkMode(&C, TRANSPARENT);
        Fill(Client, Color(MCSC_BACKGROUND));
        for (int32_t i = 0; i < L.Count(); ++i)
            PaintMonth(i);
        if ((S.Style & MCS_NOTODAY) == 0) PaintTodayLine();
    }

private:
    TColor Color(WPARAM Index) const { return S.Colors[Index]; }

    void Fill(const TRect& R, TColor Color) {
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(Color);
        C.FillRect(R);
    }

    void Frame(const TRect& R, TColor Color) {
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(Color);
        C.FrameRect(R);
    }

    void Font(bool Bold) {
        if (FBold == static_cast<int>(Bold)) return;
        SelectCalendarFont(C, S.Font, Bold);
        FBold = Bold;
    }

    // Text centred in R, whose background is already painted.
    void Centred(const TRect& R, const std::string& Text, TColor Color) {
        C.SetTextColor(ColorToRGB(Color));
        C.SetTextAlign(TA_CENTER);
        C.ExtTextOut((R.Left + R.Right) / 2, (R.Top + R.Bottom - C.TextHeight(Text)) / 2, 0,
                     nullptr, Text);
        C.SetTextAlign(TA_LEFT);
    }

    void Arrow(const TRect& Button, bool Left) {
        const int32_t h = (Button.Bottom - Button.Top) / 2;
        const int32_t midY = (Button.Top + Button.Bottom) / 2;
        const int32_t x = (Button.Left + Button.Right - h / 2) / 2;
        std::vector<TPoint> points =
            Left ? std::vector<TPoint>{Point(x, midY), Point(x + h / 2, midY - h / 2),
                                       Point(x + h / 2, midY + h / 2)}
                 : std::vector<TPoint>{Point(x + h / 2, midY), Point(x, midY - h / 2),
                                       Point(x, midY + h / 2)};
        C.Pen().SetColor(Color(MCSC_TITLETEXT));
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(Color(MCSC_TITLETEXT));
        C.Polygon(points);
    }

    void PaintTitle(int32_t Index) {
        const TRect title = L.Title(Index);
        Fill(title, Color(MCSC_TITLEBK));
        Font(true);
        const TTitleText text = TitleTextOf(C, title, S.FirstMonth + Index);
        C.SetTextColor(ColorToRGB(Color(MCSC_TITLETEXT)));
        C.ExtTextOut(text.MonthPart.Left, text.MonthPart.Top, 0, nullptr, text.Month);
        C.ExtTextOut(text.YearPart.Left, text.YearPart.Top, 0, nullptr, text.Year);
        if (Index == 0) Arrow(L.PrevButton(), true);
        if (Index == L.Cols() - 1) Arrow(L.NextButton(), false);
    }

    void PaintHeader(int32_t Index) {
        Font(false);
        const auto& names = FormatSettings().ShortDayNames;
        for (int32_t col = 0; col < 7; ++col) {
            const size_t sundayBased = static_cast<size_t>((S.FirstDayOfWeek + col + 1) % 7);
            Centred(L.DayName(Index, col), names[sundayBased].substr(0, 2), Color(MCSC_TITLEBK));
        }
        Fill(L.HeaderLine(Index), Color(MCSC_TEXT));
        if (L.Metrics().WeekWidth > 0) Fill(L.WeekLine(Index), Color(MCSC_TEXT));
    }

    void PaintDay(int32_t Index, const TMonthGrid& Grid, int32_t Cell) {
        const TRect r = L.Cell(Index, Cell);
        const int32_t day = Grid.DayAt(Cell);
        const int32_t part = Grid.PartOf(Cell);
        const bool selected = day >= S.SelStart && day <= S.SelEnd;
        TColor text = part != 0 || !S.Selectable(day) ? Color(MCSC_TRAILINGTEXT) : Color(MCSC_TEXT);
        if (selected) {
            Fill(r, Color(MCSC_TITLEBK));
            text = Color(MCSC_TITLETEXT);
        }
        const int32_t dayOfMonth = part < 0   ? PreviousMonthDays(Grid) - Grid.Leading + Cell + 1
                                   : part > 0 ? Cell - Grid.Leading - Grid.Days + 1
                                              : Cell - Grid.Leading + 1;
        Centred(r, NumberText(dayOfMonth), text);
        if (day == Today && (S.Style & MCS_NOTODAYCIRCLE) == 0) Frame(r, TodayColor);
        if (S.Focused && day == (S.MultiSelect() ? S.SelEnd : S.SelStart)) {
            TRect focus = r;
            InflateRect(focus, -1, -1);
            DrawFocusRect(&C, focus);
        }
    }

    static int32_t PreviousMonthDays(const TMonthGrid& Grid) {
        return Grid.Month == 1 ? 31 : MonthDays(Grid.Year, static_cast<uint16_t>(Grid.Month - 1));
    }

    void PaintMonth(int32_t Index) {
        const TRect month = L.Month(Index);
        Fill(Rect(month.Left, L.Title(Index).Bottom, month.Right, month.Bottom),
             Color(MCSC_MONTHBK));
        PaintTitle(Index);
        PaintHeader(Index);
        const TMonthGrid grid = S.GridOf(Index);
        Font(false);
        if (L.Metrics().WeekWidth > 0) PaintWeekNumbers(Index, grid);
        // Plain days first, then the bold ones: one change of font each way.
        for (const bool bold : {false, true}) {
            Font(bold);
            for (int32_t cell = 0; cell < TMonthGrid::Cells; ++cell)
                if (S.Shows(Index, grid, cell) && S.Bold(grid.DayAt(cell)) == bold)
                    PaintDay(Index, grid, cell);
        }
    }

    void PaintWeekNumbers(int32_t Index, const TMonthGrid& Grid) {
        for (int32_t row = 0; row < TMonthGrid::Rows; ++row) {
            const int32_t week = RowWeekNumber(Grid.DayAt(row * 7));
            if (week > 0 && (S.Shows(Index, Grid, row * 7) || S.Shows(Index, Grid, row * 7 + 6)))
                Centred(L.WeekNumber(Index, row), NumberText(week), Color(MCSC_TITLEBK));
        }
    }

    void PaintTodayLine() {
        const TRect line = L.TodayLine();
        const TMonthCalMetrics& m = L.Metrics();
        int32_t left = line.Left;
        const int32_t top = line.Top + (line.Bottom - line.Top - m.CellHeight) / 2;
        if ((S.Style & MCS_NOTODAYCIRCLE) == 0) {
            Frame(Rect(left, top, left + m.CellWidth, top + m.CellHeight), TodayColor);
            left += m.CellWidth + 4;
        }
        Font(true);
        C.SetTextColor(ColorToRGB(Color(MCSC_TEXT)));
        const std::string text = "Today: " + DateToStr(Today);
        C.ExtTextOut(left, top + (m.CellHeight - C.TextHeight(text)) / 2, 0, nullptr, text);
    }

    const TMonthCalState& S;
    TCanvas& C;
    const TMonthCalLayout& L;
    const int32_t Today;
    int FBold = -1;  // the font selected last: -1 none yet
};

}  // namespace

void PaintMonthCal(const TMonthCalState& State, TCanvas& Canvas, const TRect& Client) {
    TMonthCalPainter(State, Canvas).Paint(Client);
}

}  // namespace vex
