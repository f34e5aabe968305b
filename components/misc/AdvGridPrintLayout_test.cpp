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

TEST(GridPrintLayout, PlacesColumnsWithTheirGapAndCutsOneWiderThanThePageAtTheMargins) {
    TMeasuredGrid grid;
    grid.Settings.LeftSize = 100;
    grid.Settings.ColumnSpacing = 10;
    EXPECT_EQ(Placed(grid.Layout()), "0@100+330,1@430+530,2@960+230");
    grid.Settings.Centered = true;
    EXPECT_EQ(Placed(grid.Layout()), "0@455+330,1@785+530,2@1315+230");

    grid.Settings.RightSize = 100;
    grid.Measures.ColumnWidths = {300, 5000, 200};
    EXPECT_EQ(Placed(grid.Layout()), "0@835+330|1@100+1800|2@885+230");
}

TEST(GridPrintLayout, RefusesSettingsThatLeaveNoRoomOrAreNegative) {
    const std::vector<std::pair<const char*, std::function<void(TPrintsettings&)>>> cases = {
        {"margins meet", [](TPrintsettings& S) { S.LeftSize = S.RightSize = 1000; }},
        {"header fills", [](TPrintsettings& S) { S.HeaderSize = 2800; }},
        {"footer text overflows",
         [](TPrintsettings& S) {
             S.FooterSize = 2720;
             S.PageNr = ppBottomRight;
         }},
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

}  // namespace
}  // namespace vex
