#include "components/entry/EsDateParse.h"

#include <gtest/gtest.h>

#include <string>

#include "components/entry/EsUtil.h"
#include "components/entry/escal_testsupport.h"
#include "platform/core/clock.h"
#include "platform/core/formatsettings.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEsRequiredFields FieldsOf(const std::string& Letters) {
    TEsRequiredFields fields;
    if (Letters.find('d') != std::string::npos) fields.Include(rfDay);
    if (Letters.find('m') != std::string::npos) fields.Include(rfMonth);
    if (Letters.find('y') != std::string::npos) fields.Include(rfYear);
    return fields;
}

TEST(EsDateParse, TextsBecomeDatesInTheLocaleOrderOrRaiseTheFamilysMessage) {
    TFixedClock clock;
    clock.SetUtcMilliseconds(1783166400000);  // 4 July 2026, noon
    const TClockOverride use(clock);
    const TDateTime today = test::IsoDate("2026-07-04");
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/esdates.txt")) {
        SCOPED_TRACE(c.Where + " " + c[3]);
        TEsDateRules rules;
        rules.DateOrder = c[0] == "dmy" ? 1 : c[0] == "ymd" ? 2 : 0;
        rules.RequiredFields = FieldsOf(c[1]);
        rules.Epoch = static_cast<int32_t>(c.Int(2));
        const std::string& expected = c[4];
        if (expected == "0") {
            EXPECT_EQ(EsTextToDate(c[3], rules, today), 0);
        } else if (expected[0] >= '0' && expected[0] <= '9') {
            EXPECT_EQ(test::IsoText(EsTextToDate(c[3], rules, today)), expected);
        } else {
            try {
                EsTextToDate(c[3], rules, today);
                ADD_FAILURE() << "no error";
            } catch (const EEsError& e) {
                EXPECT_EQ(e.Message(), expected);
            }
        }
    }
}

TEST(EsDateParse, TheTodayTextIsComparedWithoutRegardToCaseAndOrderIsKeptForOthers) {
    TEsDateRules rules;
    rules.TodayString = "Today";
    const TDateTime today = test::IsoDate("2026-07-04");
    EXPECT_EQ(EsTextToDate("TODAY", rules, today), today);
    rules.DateOrder = 7;  // no order of its own: month-day-year
    EXPECT_EQ(test::IsoText(EsTextToDate("2/3/2024", rules, today)), "2024-02-03");
}

TEST(EsDateParse, MonthNamesAreTheLocales) {
    TFormatSettings german = FormatSettings();
    german.ShortMonthNames = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                              "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    const TFormatSettingsOverride use(german);
    TEsDateRules rules;
    rules.DateOrder = 1;
    const TDateTime today = test::IsoDate("2026-07-04");
    EXPECT_EQ(test::IsoText(EsTextToDate("24. Dez 2025", rules, today)), "2025-12-24");
    EXPECT_EQ(test::IsoText(EsTextToDate("3 okt 2025", rules, today)), "2025-10-03");
}

TEST(EsDateParse, TheShortFormatShowsTheCenturyWhenForced) {
    TFormatSettings settings = FormatSettings();
    const TDateTime date = test::IsoDate("2024-02-09");
    struct TCase {
        const char* Format;
        const char* Plain;
        const char* Forced;
    };
    const TCase cases[] = {{"M/d/yy", "2/9/24", "2/9/2024"},
                           {"dd.MM.yyyy", "09.02.2024", "09.02.2024"},
                           {"M/d", "2/9", "242/9"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Format);
        settings.ShortDateFormat = c.Format;
        const TFormatSettingsOverride use(settings);
        EXPECT_EQ(EsDateToText(date, false), c.Plain);
        EXPECT_EQ(EsDateToText(date, true), c.Forced);
    }
}

}  // namespace
}  // namespace vex
