// What painting a month calendar of 3 x 4 months with week numbers and every other day bold
// costs, against drawing the same texts, fills and lines straight onto a bitmap of the same size
// with the same fonts, in the same run. Each side is the best of its passes; the ratio is a
// counter and printed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/besttime.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/core/monthgrid.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/form.h"
#include "platform/ui/monthcal.h"
#include "platform/ui/monthcallayout.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace {

using namespace vex;

constexpr int32_t kCols = 4;
constexpr int32_t kRows = 3;
constexpr DWORD kStyles = MCS_WEEKNUMBERS | MCS_DAYSTATE;
constexpr MONTHDAYSTATE kBold = 0x55555555;  // the odd days

TMonthCalMetrics Metrics(TCanvas& Canvas) {
    return MeasureMonthCal(Canvas, kStyles);
}

struct TCalendarForm {
    TCalendarForm() {
        INITCOMMONCONTROLSEX init;
        init.dwICC = ICC_DATE_CLASSES;
        InitCommonControlsEx(init);
        TBitmap measuring;
        measuring.Canvas().Font().Assign(&Form->Font());
        const TMonthCalMetrics m = Metrics(measuring.Canvas());
        Size = TSize{kCols * m.MonthWidth, kRows * m.MonthHeight + m.TodayHeight};
        Form->SetBounds(0, 0, Size.cx + 40, Size.cy + 60);
        Form->Show();
        Wnd = CreateWindowEx(0, MONTHCAL_CLASS, "", WS_CHILD | WS_VISIBLE | kStyles, 0, 0, Size.cx,
                             Size.cy, Form->Handle(), 0, 0);
        SendMessage(Wnd, WM_SETFONT, static_cast<WPARAM>(Form->Font().Handle()), 0);
        SYSTEMTIME range[2];
        const auto months = static_cast<size_t>(
            SendMessage(Wnd, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range)));
        std::vector<MONTHDAYSTATE> bold(months, kBold);
        BoldDaysSet =
            SendMessage(Wnd, MCM_SETDAYSTATE, months, reinterpret_cast<LPARAM>(bold.data())) != 0;
        Pump();
    }
    ~TCalendarForm() { delete Form; }
    static void Pump() {
        MSG msg;
        while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
            DispatchMessage(msg);
    }

    TForm* Form = new TForm(nullptr);
    HWND Wnd = 0;
    TSize Size;
    bool BoldDaysSet = false;
};

// Everything the calendar writes, placed as it places it, drawn in the plainest way.
class TBareCalendar {
public:
    TBareCalendar(TCanvas& Canvas, const TLogFont& Font, TSize Size)
        : C(Canvas), FFont(Font), FLayout(Metrics(Canvas), Size) {}

    void Draw(int32_t FirstMonth) {
        SetBkMode(&C, TRANSPARENT);
        Fill(Rect(0, 0, 10000, 10000), clWindow);
        for (int32_t i = 0; i < FLayout.Count(); ++i)
            DrawMonth(i, FirstMonth + i);
        SelectFont(true);
        C.ExtTextOut(FLayout.TodayLine().Left, FLayout.TodayLine().Top, 0, nullptr,
                     "Today: " + DateToStr(Date()));
    }

private:
    void Fill(const TRect& R, TColor Color) {
        C.Brush().SetColor(Color);
        C.FillRect(R);
    }
    void SelectFont(bool Bold) {
        TLogFont font = FFont;
        if (Bold) font.lfWeight = FW_BOLD;
        C.Font().SetHandle(CreateFontIndirect(font));
    }
    void Centred(const TRect& R, const std::string& Text) {
        C.SetTextAlign(TA_CENTER);
        C.ExtTextOut((R.Left + R.Right) / 2, R.Top + 1, 0, nullptr, Text);
        C.SetTextAlign(TA_LEFT);
    }

    void DrawMonth(int32_t Index, int32_t Month) {
        const TMonthGrid grid = MonthGridOf(static_cast<uint16_t>(Month / 12),
                                            static_cast<uint16_t>(Month % 12 + 1), 6);
        Fill(FLayout.Month(Index), clWindow);
        Fill(FLayout.Title(Index), clActiveCaption);
        SelectFont(true);
        C.SetTextColor(clWhite);
        const TRect title = FLayout.Title(Index);
        C.ExtTextOut(title.Left + 30, title.Top + 4, 0, nullptr,
                     FormatSettings().LongMonthNames[grid.Month - 1]);
        C.ExtTextOut(title.Left + 90, title.Top + 4, 0, nullptr, std::to_string(grid.Year));
        C.Polygon({Point(title.Left + 4, title.Top + 8), Point(title.Left + 8, title.Top + 4),
                   Point(title.Left + 8, title.Top + 12)});
        SelectFont(false);
        C.SetTextColor(ColorToRGB(clActiveCaption));
        for (int32_t col = 0; col < 7; ++col)
            Centred(FLayout.DayName(Index, col),
                    FormatSettings().ShortDayNames[static_cast<size_t>(col)].substr(0, 2));
        Fill(FLayout.HeaderLine(Index), clWindowText);
        Fill(FLayout.WeekLine(Index), clWindowText);
        for (int32_t row = 0; row < TMonthGrid::Rows; ++row)
            Centred(FLayout.WeekNumber(Index, row),
                    std::to_string(RowWeekNumber(grid.DayAt(row * 7))));
        C.SetTextColor(ColorToRGB(clWindowText));
        for (const bool bold : {false, true}) {
            SelectFont(bold);
            for (int32_t cell = 0; cell < TMonthGrid::Cells; ++cell) {
                if (grid.PartOf(cell) != 0 || (cell - grid.Leading) % 2 != (bold ? 0 : 1)) continue;
                Centred(FLayout.Cell(Index, cell), std::to_string(cell - grid.Leading + 1));
            }
        }
    }

    TCanvas& C;
    TLogFont FFont;
    TMonthCalLayout FLayout;
};

bench::TAgainstBare gPainting;

void BM_PaintingTwelveMonths(benchmark::State& State) {
    TCalendarForm form;
    TBitmap bitmap;
    bitmap.SetSize(form.Size.cx, form.Size.cy);
    bitmap.Canvas().Font().Assign(&form.Form->Font());
    TBareCalendar bare(bitmap.Canvas(), form.Form->Font().LogFont(), form.Size);
    SYSTEMTIME shown[2];
    SendMessage(form.Wnd, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(shown));
    const int32_t firstMonth = shown[0].wYear * 12 + shown[0].wMonth - 1;
    for (auto _ : State) {
        gPainting.Framework.Time([&] {
            InvalidateRect(form.Wnd, nullptr, false);
            UpdateWindow(form.Wnd);
        });
        gPainting.Bare.Time([&] { bare.Draw(firstMonth); });
    }
    if (SendMessage(form.Wnd, MCM_GETMONTHRANGE, GMR_VISIBLE, 0) != kCols * kRows)
        State.SkipWithError("the calendar does not show 3 x 4 months");
    if (!form.BoldDaysSet) State.SkipWithError("the calendar took no bold days");
    gPainting.Count(State);
}
BENCHMARK(BM_PaintingTwelveMonths)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "A calendar of 3 x 4 months with week numbers and bold days, against the same texts, "
        "fills and lines drawn bare: painting %.2fx\n",
        gPainting.Ratio());
    return 0;
}
