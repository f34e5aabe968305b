#include "components/misc/AdvGridPrintLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/ui/printerdevice.h"

namespace vex {

namespace {

// Columns keep this much more apart than ColumnSpacing says, unless their width is fixed.
constexpr int64_t kColumnGapExtra = 20;
// A scaled width beyond this (a hundred metres) is no page's; it only has to stay in range.
constexpr double kMaxScaledWidth = 1e6;

void RequireNotNegative(int64_t Value, const char* Name) {
    if (Value < 0) throw EPrinter(std::string("The print setting ") + Name + " is negative");
}

void CheckLengths(const TPrintsettings& S) {
    RequireNotNegative(S.HeaderSize, "HeaderSize");
    RequireNotNegative(S.FooterSize, "FooterSize");
    RequireNotNegative(S.LeftSize, "LeftSize");
    RequireNotNegative(S.RightSize, "RightSize");
    RequireNotNegative(S.ColumnSpacing, "ColumnSpacing");
    RequireNotNegative(S.RowSpacing, "RowSpacing");
    if (S.UseFixedWidth) RequireNotNegative(S.FixedWidth, "FixedWidth");
    if (S.UseFixedHeight) RequireNotNegative(S.FixedHeight, "FixedHeight");
}

bool AnyPlaced(const TPrintsettings& S, TPrintPosition From, TPrintPosition To) {
    auto in = [&](TPrintPosition P) { return P >= From && P <= To; };
    return in(S.Time) || in(S.Date) || in(S.PageNr) || in(S.Title);
}

int64_t Scaled(int64_t Width, double Scale) {
    return std::llround(std::min(static_cast<double>(Width) * Scale, kMaxScaledWidth));
}

}  // namespace

double FitToPageScale(TFitToPage Mode, int64_t Room, int64_t Sum, const TFitToPageAsk& Ask) {
    if (Mode == fpNever || Sum <= 0 || Room <= 0) return 1;
    double scale = static_cast<double>(Room) / static_cast<double>(Sum);
    switch (Mode) {
        case fpShrink:
            scale = std::min(scale, 1.0);
            break;
        case fpGrow:
            scale = std::max(scale, 1.0);
            break;
        case fpCustom:
            if (scale != 1 && Ask) {
                bool allow = true;
                Ask(scale, allow);
                if (!allow) scale = 1;
            }
            break;
        default:
            break;
    }
    if (!std::isfinite(scale) || scale <= 0)
        throw EPrinter("The grid cannot be printed at a scale of " + std::to_string(scale));
    return scale;
}

std::vector<std::vector<int32_t>> CutIntoBands(const std::vector<int64_t>& Pitches,
                                               int32_t FixedCols, bool RepeatFixed, int64_t Room) {
    const auto count = static_cast<int32_t>(Pitches.size());
    const int32_t fixed = std::clamp(FixedCols, 0, count);
    const int64_t fixedPitch =
        std::accumulate(Pitches.begin(), Pitches.begin() + fixed, int64_t{0});
    std::vector<std::vector<int32_t>> bands;
    int32_t next = 0;
    while (next < count) {
        std::vector<int32_t> band;
        int64_t width = 0;
        if (!bands.empty() && RepeatFixed && fixed > 0 && next >= fixed &&
            fixedPitch + Pitches[next] <= Room) {
            for (int32_t c = 0; c < fixed; ++c)
                band.push_back(c);
            width = fixedPitch;
        }
        // The band's first column goes in whatever its width: the band makes progress.
        do {
            band.push_back(next);
            width += Pitches[next];
            ++next;
        } while (next < count && width + Pitches[next] <= Room);
        bands.push_back(std::move(band));
    }
    return bands;
}

TPrintLayout LayoutPrint(const TPrintsettings& Settings, const TPrintMeasures& Measures,
                         int64_t PageWidth, int64_t PageHeight, const TFitToPageAsk& Ask) {
    CheckLengths(Settings);
    TPrintLayout layout;
    layout.PageWidth = PageWidth;
    layout.PageHeight = PageHeight;
    const int64_t room = PageWidth - Settings.LeftSize - Settings.RightSize;
    if (room <= 0) throw EPrinter("The left and right margins leave no room on the page");

    const auto count = static_cast<int64_t>(Measures.ColumnWidths.size());
    layout.ColumnWidths = Measures.ColumnWidths;
    if (Settings.UseFixedWidth) std::ranges::fill(layout.ColumnWidths, Settings.FixedWidth);
    layout.Gap = Settings.UseFixedWidth ? 0 : Settings.ColumnSpacing + kColumnGapExtra;
    const int64_t sum =
        std::accumulate(layout.ColumnWidths.begin(), layout.ColumnWidths.end(), int64_t{0});
    layout.Scale = FitToPageScale(Settings.FitToPage, room - count * layout.Gap, sum, Ask);
    if (layout.Scale != 1)
        for (int64_t& width : layout.ColumnWidths)
            width = Scaled(width, layout.Scale);
    layout.TextInset = (layout.Gap + Scaled(Measures.LetterWidth, layout.Scale)) / 2;

    std::vector<int64_t> pitches;
    for (const int64_t width : layout.ColumnWidths)
        pitches.push_back(width + layout.Gap);
    for (const auto& columns :
         CutIntoBands(pitches, Measures.FixedCols, Settings.RepeatFixedCols, room)) {
        TPrintBand band;
        int64_t width = 0;
        for (const int32_t c : columns) {
            // A column wider than the page is cut at the margin.
            const int64_t pitch = std::min(pitches[static_cast<size_t>(c)], room);
            band.push_back({c, width, pitch});
            width += pitch;
        }
        const int64_t left = Settings.Centered ? (PageWidth - width) / 2 : Settings.LeftSize;
        for (TPrintBandColumn& column : band)
            column.Left += left;
        layout.Bands.push_back(std::move(band));
    }

    // The header and footer keep from the rows a quarter of the tallest cell, but never more
    // than a line: one cell of many lines must not push the rows off the page.
    const int64_t line = Measures.CellLineHeight;
    const int64_t spacing = std::min(line, Measures.MaxLines * line / 4);
    layout.HeaderHeight = Settings.HeaderSize;
    layout.HeaderTextTop = Settings.HeaderSize;
    if (AnyPlaced(Settings, ppTopLeft, ppTopCenter))
        layout.HeaderHeight += Measures.HeaderLineHeight + spacing;
    layout.FooterHeight = Settings.FooterSize;
    if (AnyPlaced(Settings, ppBottomLeft, ppBottomCenter))
        layout.FooterHeight += 2 * (Measures.FooterLineHeight + spacing);
    layout.FooterTextTop =
        PageHeight - layout.FooterHeight + spacing + Measures.FooterLineHeight / 2;
    if (layout.RowRoom() <= 0)
        throw EPrinter("The header and footer leave no room for rows on the page");
    layout.TextLeft = Settings.LeftSize;
    layout.TextRight = PageWidth - Settings.RightSize;
    return layout;
}

std::string PrintPositionText(const TPrintsettings& Settings, TPrintPosition Where, int32_t PageNr,
                              TDateTime When) {
    std::string text;
    auto add = [&](TPrintPosition At, const std::string& Item) {
        if (At != Where || Where == ppNone || Item.empty()) return;
        if (!text.empty()) text += ' ';
        text += Item;
    };
    add(Settings.Time, FormatDateTime("t", When));
    add(Settings.Date, FormatDateTime("ddddd", When));
    add(Settings.PageNr, Settings.PagePrefix + " " + std::to_string(PageNr));
    add(Settings.Title, Settings.TitleText);
    return text;
}

TPrintPaginator::TPrintPaginator(int64_t Room, int32_t FixedRows, int64_t RepeatedHeight)
    : FRoom(Room), FFixedRows(FixedRows), FRepeatedHeight(RepeatedHeight) {}

TPrintPaginator::TPlace TPrintPaginator::Place(int32_t Row, int64_t Height, bool NewPageAsked) {
    TPlace place;
    if (FRowsOnPage > 0 && (NewPageAsked || FUsed + Height > FRoom)) {
        place.NewPage = true;
        FUsed = 0;
        FRowsOnPage = 0;
        // Fixed rows that would push the row off its page are left out there.
        place.RepeatFixedRows =
            FRepeatedHeight > 0 && Row >= FFixedRows && FRepeatedHeight + Height <= FRoom;
        if (place.RepeatFixedRows) FUsed = FRepeatedHeight;
    }
    place.Top = FUsed;
    FUsed += Height;
    ++FRowsOnPage;
    return place;
}

}  // namespace vex
