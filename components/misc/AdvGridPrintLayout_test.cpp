#include "components/misc/AdvGridPrintLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/formatsettings.h"
#include "platform/ui/printerdevice.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string kCases = VEX_TEST_DIR "/testdata/advgrid/print/layout.txt";

std::vector<int64_t> Numbers(const std::string& List) {
    std::vector<int64_t> numbers;
    if (List == "-") return numbers;
    size_t start = 0;
    while (start <= List.size()) {
        const size_t end = std::min(List.find(',', start), List.size());
        numbers.push_back(std::stoll(List.substr(start, end - start)));
        start = end + 1;
    }
    return numbers;
}

template <typename TItems, typename TFn>
std::string Joined(const TItems& Items, const char* Separator, TFn&& Text) {
    std::string joined;
    for (const auto& item : Items) {
        if (!joined.empty()) joined += Separator;
        joined += Text(item);
    }
    return joined.empty() ? "-" : joined;
}

TEST(GridPrintLayout, CutsColumnsIntoBandsThatEachMakeProgress) {
    for (const test::TestCase& c : test::ReadCases(kCases, "bands")) {
        SCOPED_TRACE(c.Where);
        const auto bands =
            CutIntoBands(Numbers(c[0]), static_cast<int32_t>(c.Int(1)), c[2] == "yes", c.Int(3));
        EXPECT_EQ(Joined(bands, "|",
                         [](const std::vector<int32_t>& Band) {
                             return Joined(Band, ",", [](int32_t C) { return std::to_string(C); });
                         }),
                  c[4]);
    }
}

TEST(GridPrintLayout, BreaksPagesOnlyWhereAPageAlreadyHoldsARow) {
    for (const test::TestCase& c : test::ReadCases(kCases, "pages")) {
        SCOPED_TRACE(c.Where);
        const std::vector<int64_t> heights = Numbers(c[1]);
        const std::vector<int64_t> asked = Numbers(c[4]);
        TPrintPaginator pages(c.Int(0), static_cast<int32_t>(c.Int(2)), c.Int(3));
        std::string got;
        for (int32_t r = 0; r < static_cast<int32_t>(heights.size()); ++r) {
            const bool ask = std::ranges::find(asked, r) != asked.end();
            const TPrintPaginator::TPlace place =
                pages.Place(r, heights[static_cast<size_t>(r)], ask);
            if (place.NewPage)
                got += place.RepeatFixedRows ? "|R" : "|";
            else if (r > 0)
                got += ",";
            got += std::to_string(r);
        }
        EXPECT_EQ(got, c[5]);
    }
}

TEST(GridPrintLayout, PlacesRowsBelowTheRepeatedFixedRows) {
    TPrintPaginator pages(30, 1, 12);
    EXPECT_EQ(pages.Place(0, 12, false).Top, 0);
    EXPECT_EQ(pages.Place(1, 15, false).Top, 12);
    const TPrintPaginator::TPlace next = pages.Place(2, 15, false);
    EXPECT_TRUE(next.NewPage);
    EXPECT_TRUE(next.RepeatFixedRows);
    EXPECT_EQ(next.Top, 12);
    EXPECT_EQ(pages.Place(3, 3, false).Top, 27);
}

TEST(GridPrintLayout, ScalesToThePageAsTheFitModeAllows) {
    const std::vector<std::pair<std::string, TFitToPage>> modes = {{"fpNever", fpNever},
                                                                   {"fpGrow", fpGrow},
                                                                   {"fpShrink", fpShrink},
                                                                   {"fpAlways", fpAlways},
                                                                   {"fpCustom", fpCustom}};
    for (const test::TestCase& c : test::ReadCases(kCases, "scale")) {
        SCOPED_TRACE(c.Where);
        const TFitToPage mode =
            std::ranges::find(modes, c[0], &decltype(modes)::value_type::first)->second;
        TFitToPageAsk ask;
        if (c[3] != "-")
            ask = [&](double& Scale, bool& Allow) {
                if (c[3] != "keep") Scale = std::stod(c[3]);
                Allow = c[4] == "yes";
            };
        if (c[5] == "error") {
            EXPECT_THROW(FitToPageScale(mode, c.Int(1), c.Int(2), ask), EPrinter);
            continue;
        }
        EXPECT_DOUBLE_EQ(FitToPageScale(mode, c.Int(1), c.Int(2), ask), std::stod(c[5]));
    }
}

// A measured grid of three columns 300, 500 and 200 wide on a page 2000 x 2800.
struct TMeasuredGrid {
    TMeasuredGrid() {
        Measures.ColumnWidths = {300, 500, 200};
        Measures.CellLineHeight = 40;
        Measures.HeaderLineHeight = 50;
        Measures.FooterLineHeight = 30;
        Measures.LetterWidth = 20;
    }
    TPrintLayout Layout(const TFitToPageAsk& Ask = {}) const {
        return LayoutPrint(Settings, Measures, 2000, 2800, Ask);
    }
    TPrintsettings Settings;
    TPrintMeasures Measures;
};

std::string Placed(const TPrintLayout& Layout) {
    return Joined(Layout.Bands, "|", [](const TPrintBand& Band) {
        return Joined(Band, ",", [](const TPrintBandColumn& C) {
            return std::to_string(C.Column) + "@" + std::to_string(C.Left) + "+" +
                   std::to_string(C.Width);
        });
    });
}

TEST(GridPrintLayout, PlacesColumnsWithTheirGapFromTheLeftMarginOrCentred) {
    TMeasuredGrid grid;
    grid.Settings.LeftSize = 100;
    grid.Settings.ColumnSpacing = 10;
    EXPECT_EQ(Placed(grid.Layout()), "0@100+330,1@430+530,2@960+230");
    EXPECT_EQ(grid.Layout().TextInset, 25);

    grid.Settings.Centered = true;
    EXPECT_EQ(Placed(grid.Layout()), "0@455+330,1@785+530,2@1315+230");
}

TEST(GridPrintLayout, FixedWidthsLieSideBySideWithoutGaps) {
    TMeasuredGrid grid;
    grid.Settings.LeftSize = 50;
    grid.Settings.ColumnSpacing = 40;
    grid.Settings.UseFixedWidth = true;
    grid.Settings.FixedWidth = 250;
    const TPrintLayout layout = grid.Layout();
    EXPECT_EQ(layout.Gap, 0);
    EXPECT_EQ(Placed(layout), "0@50+250,1@300+250,2@550+250");
}

TEST(GridPrintLayout, ScalesWidthsAndKeepsAColumnWiderThanThePageToTheMargins) {
    TMeasuredGrid grid;
    grid.Settings.LeftSize = 100;
    grid.Settings.RightSize = 100;
    grid.Settings.FitToPage = fpAlways;
    // 1800 less three gaps of 20 over 1000.
    const TPrintLayout wide = grid.Layout();
    EXPECT_DOUBLE_EQ(wide.Scale, 1.74);
    EXPECT_EQ(Placed(wide), "0@100+542,1@642+890,2@1532+368");

    grid.Settings.FitToPage = fpNever;
    grid.Measures.ColumnWidths = {300, 5000, 200};
    EXPECT_EQ(Placed(grid.Layout()), "0@100+320|1@100+1800|2@100+220");

    grid.Settings.FitToPage = fpCustom;
    bool asked = false;
    const TPrintLayout refused = grid.Layout([&](double&, bool& Allow) {
        asked = true;
        Allow = false;
    });
    EXPECT_TRUE(asked);
    EXPECT_EQ(refused.Scale, 1);
}

TEST(GridPrintLayout, HeaderAndFooterGrowByALineWhereTextsArePlaced) {
    struct TCase {
        TPrintPosition Time, PageNr;
        int64_t MaxLines;
        int64_t Header, Footer;
    };
    // The spacing is a quarter of the tallest cell, at most a line (40).
    const std::vector<TCase> cases = {
        {ppNone, ppNone, 1, 120, 20},
        {ppTopLeft, ppNone, 1, 120 + 50 + 10, 20},
        {ppTopLeft, ppBottomRight, 2, 120 + 50 + 20, 20 + 2 * (30 + 20)},
        {ppNone, ppBottomCenter, 4, 120, 20 + 2 * (30 + 40)},
        {ppTopCenter, ppBottomLeft, 500, 120 + 50 + 40, 20 + 2 * (30 + 40)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Time << " " << c.PageNr << " " << c.MaxLines);
        TMeasuredGrid grid;
        grid.Settings.HeaderSize = 120;
        grid.Settings.FooterSize = 20;
        grid.Settings.Time = c.Time;
        grid.Settings.PageNr = c.PageNr;
        grid.Measures.MaxLines = c.MaxLines;
        const TPrintLayout layout = grid.Layout();
        EXPECT_EQ(layout.HeaderHeight, c.Header);
        EXPECT_EQ(layout.FooterHeight, c.Footer);
        EXPECT_EQ(layout.RowRoom(), 2800 - c.Header - c.Footer);
        EXPECT_EQ(layout.HeaderTextTop, 120);
        if (c.PageNr != ppNone) {
            EXPECT_GE(layout.FooterTextTop, layout.RowsBottom());
            EXPECT_LE(layout.FooterTextTop + 30, 2800 - 20);
        }
    }
}

TEST(GridPrintLayout, RefusesSettingsThatLeaveNoRoomOrAreNegative) {
    const std::vector<std::pair<const char*, std::function<void(TPrintsettings&)>>> cases = {
        {"margins meet", [](TPrintsettings& S) { S.LeftSize = S.RightSize = 1000; }},
        {"margins cross", [](TPrintsettings& S) { S.LeftSize = 2500; }},
        {"header fills", [](TPrintsettings& S) { S.HeaderSize = 2800; }},
        {"footer text overflows",
         [](TPrintsettings& S) {
             S.FooterSize = 2720;
             S.PageNr = ppBottomRight;
         }},
        {"negative margin", [](TPrintsettings& S) { S.LeftSize = -1; }},
        {"negative spacing", [](TPrintsettings& S) { S.RowSpacing = -5; }},
        {"negative fixed width",
         [](TPrintsettings& S) {
             S.UseFixedWidth = true;
             S.FixedWidth = -10;
         }},
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        TMeasuredGrid grid;
        change(grid.Settings);
        EXPECT_THROW(grid.Layout(), EPrinter);
    }
    TMeasuredGrid unused;
    unused.Settings.FixedWidth = -10;  // not used, so not in the way
    EXPECT_NO_THROW(unused.Layout());
}

TEST(GridPrintLayout, JoinsTheItemsOfAPositionInTheirOrder) {
    TFormatSettings us;
    const TFormatSettingsOverride settings(us);
    const TDateTime when = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 0, 0);
    TPrintsettings s;
    struct TCase {
        TPrintPosition Time, Date, PageNr, Title;
        const char* TopLeft;
        const char* BottomRight;
    };
    const std::vector<TCase> cases = {
        {ppTopLeft, ppTopLeft, ppNone, ppNone, "2:05 PM 3/7/26", ""},
        {ppTopLeft, ppTopRight, ppBottomRight, ppTopLeft, "2:05 PM Grid", "page 12"},
        {ppNone, ppBottomRight, ppBottomRight, ppBottomRight, "", "3/7/26 page 12 Grid"},
        {ppNone, ppNone, ppNone, ppNone, "", ""},
    };
    s.TitleText = "Grid";
    for (const TCase& c : cases) {
        s.Time = c.Time;
        s.Date = c.Date;
        s.PageNr = c.PageNr;
        s.Title = c.Title;
        EXPECT_EQ(PrintPositionText(s, ppTopLeft, 12, when), c.TopLeft);
        EXPECT_EQ(PrintPositionText(s, ppBottomRight, 12, when), c.BottomRight);
        EXPECT_EQ(PrintPositionText(s, ppNone, 12, when), "");
    }
    s.PagePrefix = "Seite";
    s.PageNr = ppTopCenter;
    EXPECT_EQ(PrintPositionText(s, ppTopCenter, 1, when), "Seite 1");
}

}  // namespace
}  // namespace vex
