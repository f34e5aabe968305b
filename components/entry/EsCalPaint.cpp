// The calendar's layout and painting.
#include <cmath>

#include "components/entry/EsCal.h"
#include "components/entry/EsGlyphs.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"

namespace vex {

namespace {

constexpr int32_t kMargin = 4;
constexpr uint32_t kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

// The width of a button's glyph, which the button is never narrower than (plus 3).
int32_t GlyphWidth(TEsCalButton Which) {
    static const std::array<int32_t, 5> widths = [] {
        std::array<int32_t, 5> result{};
        for (size_t i = 0; i < result.size(); ++i) {
            TBitmap glyph;
            LoadEsGlyph(glyph, TEsCustomCalendar::ButtonGlyph(static_cast<TEsCalButton>(i)));
            result[i] = glyph.Width();
        }
        return result;
    }();
    return widths[Which];
}

void DrawCentred(TCanvas& Canvas, const std::string& Text, TRect R, TColor Color) {
    Canvas.Font().SetColor(Color);
    DrawText(&Canvas, Text, R, kCentred);
}

}  // namespace

void TEsCustomCalendar::Layout() {
    if (!HandleAllocated()) return;
    FCells = {};
    const int32_t clientWidth = ClientWidth();
    const int32_t clientHeight = ClientHeight();
    FGridWidth = clientWidth - 2 * kMargin;
    std::array<int32_t, 7> widths{};
    // One column more than the remainder takes an extra pixel, so the columns together are one
    // pixel wider than the grid.
    for (int32_t c = 0; c < 7; ++c)
        widths[c] = FGridWidth / 7 + (c < FGridWidth % 7 + 1 ? 1 : 0);

    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    const int32_t textHeight = canvas.TextHeight("Yy");
    std::array<int32_t, 8> heights{};
    heights[0] = static_cast<int32_t>(std::lrint(textHeight * 1.3));
    heights[1] = static_cast<int32_t>(std::lrint(textHeight * 1.5));
    const int32_t weeks = clientHeight - 2 * kMargin - heights[0] - heights[1];
    for (int32_t r = 2; r < 8; ++r)
        heights[r] = weeks / 6;
    const int32_t extra = weeks - 6 * (weeks / 6);
    const int32_t half = extra / 2;
    heights[0] += extra - half;
    heights[1] += half;

    for (int32_t r = 0, top = kMargin; r < 8; top += heights[r], ++r)
        for (int32_t c = 0, left = kMargin; c < 7; left += widths[c], ++c)
            FCells[r][c] = Rect(left, top, left + widths[c], top + heights[r]);

    const int32_t buttonHeight = heights[0] - 4;
    auto place = [&](TEsCalButton Which, int32_t Width, bool FromRight, int32_t Edge) {
        Width = std::max(Width, GlyphWidth(Which) + 3);
        const int32_t left = FromRight ? Edge - Width : Edge;
        FButtonRects[Which] = Rect(left, kMargin, left + Width, kMargin + buttonHeight);
    };
    place(cbPrevMonth, widths[0] - 4, false, kMargin);
    place(cbNextMonth, widths[6] - 4, true, clientWidth - kMargin);
    place(cbNextYear, widths[1] - 4, true, FButtonRects[cbNextMonth].Left);
    place(cbPrevYear, widths[5] - 4, false, FButtonRects[cbPrevMonth].Right);
    FButtonRects[cbToday] = {};
    if (FShowToday) {
        const int32_t width = widths[5] + widths[6] - 4;
        FButtonRects[cbToday] =
            Rect(clientWidth - kMargin - width, clientHeight - kMargin - heights[7],
                 clientWidth - kMargin, clientHeight - kMargin);
    }
    PlaceButtons();
}

TRect TEsCustomCalendar::IndexRect(int32_t Index) const {
    if (Index < 1 || Index > 42) return {};
    return FCells[2 + (Index - 1) / 7][(Index - 1) % 7];
}

void TEsCustomCalendar::InvalidateIndex(int32_t Index) {
    if (!HandleAllocated()) return;
    const TRect r = IndexRect(Index);
    InvalidateRect(Handle(), &r, false);
}

void TEsCustomCalendar::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(ClientRect());
    SetBkMode(&canvas, TRANSPARENT);
    if (FShowDate) PaintTitle(canvas);
    std::array<bool, 7> weekend{};
    PaintDayNames(canvas, weekend);
    PaintSeparator(canvas);
    PaintDays(canvas, weekend);
    PaintCurrentDay(canvas);
}

void TEsCustomCalendar::PaintTitle(TCanvas& Canvas) {
    const TRect area =
        Rect(FCells[0][1].Left, FCells[0][0].Top, FCells[0][6].Left, FCells[0][0].Bottom);
    std::string title = FormatDateTime(FDateFormat == dfLong ? "mmmm yyyy" : "mmm yyyy", FDate);
    if (FDateFormat == dfLong && Canvas.TextWidth(title) > area.Right - area.Left)
        title = FormatDateTime("mmm yyyy", FDate);
    DrawCentred(Canvas, title, area, FColors.MonthAndYear());
}

void TEsCustomCalendar::PaintDayNames(TCanvas& Canvas, std::array<bool, 7>& Weekend) {
    const TFormatSettings& settings = FormatSettings();
    for (int32_t c = 0; c < 7; ++c) {
        const int32_t day = (FWeekStarts + c) % 7;
        Weekend[c] = day == dtSunday || day == dtSaturday;
        DrawCentred(Canvas, settings.ShortDayNames[day].substr(0, FDayNameWidth), FCells[1][c],
                    FColors.DayNames());
    }
}

void TEsCustomCalendar::PaintSeparator(TCanvas& Canvas) {
    const int32_t bottom = FCells[1][0].Bottom;
    auto line = [&](int32_t Y, TColor Color) {
        Canvas.Pen().SetColor(Color);
        Canvas.MoveTo(0, Y);
        Canvas.LineTo(ClientWidth(), Y);
    };
    if (Ctl3D()) {
        line(bottom - 3, clBtnHighlight);
        line(bottom - 2, clBtnShadow);
    } else if (FBorderStyle == bsSingle) {
        line(bottom - 3, Font().Color());
    }
}

void TEsCustomCalendar::PaintDays(TCanvas& Canvas, const std::array<bool, 7>& Weekend) {
    const int32_t current = CurrentIndex();
    for (int32_t i = 1; i <= 42; ++i) {
        if (i == current) continue;
        const bool inactive = i < FGrid.FirstIndex || i > FGrid.LastIndex;
        if (inactive && !FShowInactive) continue;
        const int32_t column = (i - 1) % 7;
        const TColor color = inactive          ? FColors.InactiveDays()
                             : Weekend[column] ? FColors.Weekend()
                                               : FColors.Days();
        DrawCentred(Canvas, std::to_string(FGrid.Days[i]), IndexRect(i), color);
    }
}

void TEsCustomCalendar::PaintCurrentDay(TCanvas& Canvas) {
    TRect face = IndexRect(CurrentIndex());
    const TRect cell = face;
    DrawEdge(&Canvas, face, Focused() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    // Rounded corners: the corner pixels take the background again.
    for (const TPoint corner :
         {Point(cell.Left, cell.Top), Point(cell.Right - 1, cell.Top),
          Point(cell.Left, cell.Bottom - 1), Point(cell.Right - 1, cell.Bottom - 1)})
        Canvas.SetPixels(corner.X, corner.Y, clBtnFace);
    DrawCentred(Canvas, std::to_string(FDay), cell, FColors.ActiveDay());
}

}  // namespace vex
