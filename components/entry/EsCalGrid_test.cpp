#include "components/entry/EsCalGrid.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "components/entry/EsCalColors.h"
#include "components/entry/escal_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/win/keyboard.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string kCases = VEX_TEST_DIR "/testdata/escal.txt";

TEST(EsCalGrid, TheGridShowsSixWeeksFromTheFirstDayOfTheWeek) {
    for (const test::TestCase& c : test::ReadCases(kCases, "grid")) {
        SCOPED_TRACE(c.Where);
        const TEsDayGrid grid =
            BuildDayGrid(static_cast<uint16_t>(c.Int(0)), static_cast<uint16_t>(c.Int(1)),
                         static_cast<TEsDayType>(c.Int(2)));
        EXPECT_EQ(grid.FirstIndex, c.Int(3));
        EXPECT_EQ(grid.LastIndex, c.Int(4));
        EXPECT_EQ(grid.Days[1], c.Int(5));
        EXPECT_EQ(grid.Days[42], c.Int(6));
        // The month's own days run without a gap, and the next month starts at 1.
        for (int32_t i = grid.FirstIndex; i <= grid.LastIndex; ++i)
            EXPECT_EQ(grid.Days[i], i - grid.FirstIndex + 1);
        if (grid.LastIndex < 42) {
            EXPECT_EQ(grid.Days[grid.LastIndex + 1], 1);
        }
    }
}

TEST(EsCalGrid, KeysMoveTheDateAndKeepTheDayWithinTheMonth) {
    const std::map<std::string, uint16_t> keys{
        {"LEFT", VK_LEFT}, {"RIGHT", VK_RIGHT}, {"UP", VK_UP},       {"DOWN", VK_DOWN},
        {"HOME", VK_HOME}, {"END", VK_END},     {"PRIOR", VK_PRIOR}, {"NEXT", VK_NEXT},
        {"BACK", VK_BACK}, {"TAB", VK_TAB}};
    const TDateTime today = test::IsoDate("2026-03-15");
    for (const test::TestCase& c : test::ReadCases(kCases, "keys")) {
        SCOPED_TRACE(c.Where);
        const std::string& held = c[2];
        const auto target = CalendarKeyTarget(
            test::IsoDate(c[0]), today, keys.at(c[1]), held.find("shift") != std::string::npos,
            held.find("ctrl") != std::string::npos, held.find("alt") != std::string::npos);
        if (c[3] == "none") {
            EXPECT_FALSE(target.has_value());
        } else {
            ASSERT_TRUE(target.has_value());
            EXPECT_EQ(test::IsoText(*target), c[3]);
        }
    }
}

TEST(EsCalGrid, TheMonthMenuListsSevenMonthsAroundTheCurrentOne) {
    const std::array<uint8_t, 7> january{10, 11, 12, 1, 2, 3, 4};
    EXPECT_EQ(MonthMenuMonths(1), january);
    for (const test::TestCase& c : test::ReadCases(kCases, "menu")) {
        SCOPED_TRACE(c.Where);
        const auto chosen = MonthMenuDate(test::IsoDate(c[0]), static_cast<int32_t>(c.Int(1)));
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(test::IsoText(*chosen), c[2]);
    }
}

TEST(EsCalGrid, AWeekStartBeyondSaturdayCountsRoundTheWeek) {
    // September 2024 begins on a Sunday, the farthest from a late week start.
    for (int32_t start : {7, 9, 13, 255}) {
        SCOPED_TRACE(start);
        const TEsDayGrid grid = BuildDayGrid(2024, 9, static_cast<TEsDayType>(start));
        const TEsDayGrid same = BuildDayGrid(2024, 9, static_cast<TEsDayType>(start % 7));
        EXPECT_EQ(grid.FirstIndex, same.FirstIndex);
        EXPECT_EQ(grid.LastIndex, same.LastIndex);
        EXPECT_EQ(grid.Days, same.Days);
    }
}

TEST(EsCalGrid, ADayStepKeepsTheTimeOfDayOnBothSidesOfTheFirstDayCounted) {
    // Before 30 December 1899 the time of day counts forward from the (negative) day.
    struct TCase {
        TDateTime From;
        int32_t Days;
        std::optional<TDateTime> To;
    };
    const TCase cases[] = {{-0.5, 1, 1.5},    // 30 December 1899, noon
                           {0.5, -1, -1.5},   // back to 29 December, noon
                           {-1.25, 1, 0.25},  // 29 December, six o'clock
                           {2958464.5, 1, 2958465.5},
                           {2958465.5, 1, std::nullopt},
                           {-693592.5, -1, -693593.5},  // to 1 January of the year 1, noon
                           {-693593.5, -1, std::nullopt}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.From);
        EXPECT_EQ(StepDays(c.From, c.Days), c.To);
    }
}

TEST(EsCalColors, ASchemeSetsAllSixColoursAndOneColourMakesThemCustom) {
    TEsCalColors colors;
    int changes = 0;
    colors.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(colors.ColorScheme(), TEsCalColorScheme::csCustom);
    EXPECT_EQ(colors.Weekend(), clRed) << "a calendar starts in the Windows colours";
    colors.SetColorScheme(TEsCalColorScheme::csOcean);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(colors.ColorScheme(), TEsCalColorScheme::csOcean);
    EXPECT_EQ(colors.Days(), clAqua);
    EXPECT_EQ(colors.Weekend(), clNavy);
    colors.SetDays(clAqua);
    EXPECT_EQ(changes, 1) << "an unchanged colour is no change";
    colors.SetDays(clLime);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(colors.ColorScheme(), TEsCalColorScheme::csCustom);
    colors.SetColorScheme(TEsCalColorScheme::csCustom);
    EXPECT_EQ(colors.Days(), clLime) << "choosing csCustom keeps the colours";

    TEsCalColors copy;
    copy.OnChange = [&](TObject*) { ++changes; };
    colors.SetColorScheme(TEsCalColorScheme::csRose);
    copy.Assign(&colors);
    EXPECT_EQ(copy.ColorScheme(), TEsCalColorScheme::csRose);
    EXPECT_EQ(copy.Days(), clFuchsia);
    EXPECT_EQ(changes, 3) << "copying tells no one";
}

TEST(EsCalColors, ASchemeBeyondTheLastKeepsTheColoursAsCustom) {
    TEsCalColors colors;
    colors.SetColorScheme(TEsCalColorScheme::csGold);
    for (int32_t scheme : {5, 255}) {
        SCOPED_TRACE(scheme);
        colors.SetColorScheme(static_cast<TEsCalColorScheme>(scheme));
        EXPECT_EQ(colors.ColorScheme(), TEsCalColorScheme::csCustom);
        EXPECT_EQ(colors.Days(), clYellow);
    }
}

TEST(EsCalColors, AHandlerThatThrowsLeavesLaterColourChangesCustom) {
    TEsCalColors colors;
    colors.OnChange = [](TObject*) { throw Exception("repaint failed"); };
    EXPECT_THROW(colors.SetColorScheme(TEsCalColorScheme::csGold), Exception);
    colors.OnChange = nullptr;
    colors.SetActiveDay(clBlue);
    EXPECT_EQ(colors.ColorScheme(), TEsCalColorScheme::csCustom);
}

}  // namespace
}  // namespace vex
