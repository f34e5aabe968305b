#include "components/misc/AdvGridCompare.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TSortStyle StyleNamed(const std::string& Name) {
    static const std::map<std::string, TSortStyle> styles = {
        {"ssNoCompare", ssNoCompare},   {"ssText", ssText},
        {"ssNumber", ssNumber},         {"ssDate", ssDate},
        {"ssTextNoCase", ssTextNoCase}, {"ssTextSame", ssTextSame},
        {"ssDateDMY", ssDateDMY},       {"ssDateMDY", ssDateMDY},
        {"ssByEvent", ssByEvent},       {"ssMoney", ssMoney}};
    return styles.at(Name);
}

TFormatSettings SettingsNamed(const std::string& Name) {
    TFormatSettings settings;
    settings.ShortDateFormat = "M/d/yyyy";
    if (Name == "eu") {
        settings.DecimalSeparator = ',';
        settings.ThousandSeparator = '.';
        settings.CurrencyString = "EUR";
        settings.DateSeparator = '.';
        settings.ShortDateFormat = "dd.MM.yyyy";
    }
    return settings;
}

TEST(AdvGridCompare, CellTextsCompareAsTheirStyleReadsThem) {
    for (const char* table : {"us", "eu"}) {
        const TFormatSettingsOverride settings(SettingsNamed(table));
        for (const test::TestCase& c :
             test::ReadCases(VEX_TEST_DIR "/testdata/advgrid/sort/compare.txt", table)) {
            SCOPED_TRACE(c.Where);
            EXPECT_EQ(CompareCellTexts(StyleNamed(c[0]), c[1], c[2], c[3], c[4]), c.Int(5));
            // The order of the pair only turns the answer round.
            EXPECT_EQ(CompareCellTexts(StyleNamed(c[0]), c[2], c[1], c[3], c[4]), -c.Int(5));
        }
    }
}

TEST(AdvGridCompare, AStyleOutsideTheListOrdersAsText) {
    EXPECT_EQ(CompareCellTexts(static_cast<TSortStyle>(42), "b", "a", "", ""), 1);
}

TEST(AdvGridCompare, DatesOfTwoDigitYearsFallIn1926To2025) {
    const struct {
        const char* Text;
        bool DayFirst;
        uint16_t Year, Month, Day;
    } cases[] = {
        {"03-04-99", true, 1999, 4, 3},   {"03-04-99", false, 1999, 3, 4},
        {"03-04-05", true, 2005, 4, 3},   {"1-1-00", true, 2000, 1, 1},
        {"1-1-25", true, 2025, 1, 1},     {"1-1-26", true, 1926, 1, 1},
        {"1-1-1999", true, 1999, 1, 1},   {"1-1-100", true, 100, 1, 1},
        {"29-2-2000", true, 2000, 2, 29},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        uint16_t year = 0, month = 0, day = 0;
        DecodeDate(ParseSortDate(c.Text, c.DayFirst), year, month, day);
        EXPECT_EQ(year, c.Year);
        EXPECT_EQ(month, c.Month);
        EXPECT_EQ(day, c.Day);
    }
}

}  // namespace
}  // namespace vex
