#include "platform/core/localeinfo.h"

#include <gtest/gtest.h>

#include "platform/core/formatsettings.h"

namespace vex {
namespace {

TEST(GetLocaleInfo, AnswersFromTheSettingsWithDaysCountedFromMonday) {
    TFormatSettings settings;
    settings.FirstDayOfWeek = 0;
    settings.LongDayNames[1] = "Montag";
    settings.ShortDayNames[0] = "So";
    settings.LongMonthNames[11] = "Dezember";
    settings.ShortMonthNames[0] = "Jan.";
    TFormatSettingsOverride use(settings);
    struct Case {
        LCTYPE Type;
        const char* Text;
    };
    const Case cases[] = {
        {LOCALE_IFIRSTDAYOFWEEK, "0"},       {LOCALE_SDAYNAME1, "Montag"},
        {LOCALE_SDAYNAME1 + 6, "Sunday"},    {LOCALE_SABBREVDAYNAME1 + 6, "So"},
        {LOCALE_SABBREVDAYNAME1 + 5, "Sat"}, {LOCALE_SMONTHNAME1 + 11, "Dezember"},
        {LOCALE_SABBREVMONTHNAME1, "Jan."},  {LOCALE_SABBREVMONTHNAME1 + 11, "Dec"},
        {LOCALE_SABBREVMONTHNAME1 + 12, ""}, {0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, c.Type), c.Text) << std::hex << c.Type;
    EXPECT_EQ(GetLocaleInfo(0x0409, LOCALE_IFIRSTDAYOFWEEK), "");
    EXPECT_EQ(GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_IFIRSTDAYOFWEEK), "0");
}

}  // namespace
}  // namespace vex
