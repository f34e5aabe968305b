#include "components/misc/AdvGridCompare.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

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

}  // namespace
}  // namespace vex
