#include "platform/core/profile.h"

#include <gtest/gtest.h>

#include "platform/core/formatsettings.h"

namespace vex {
namespace {

TEST(Profile, IntlSectionAgreesWithTheDefaultFormatSettings) {
    const TFormatSettings defaults;
    EXPECT_EQ(GetProfileString("intl", "sDecimal", ""), std::string(1, defaults.DecimalSeparator));
    EXPECT_EQ(GetProfileString("intl", "sThousand", ""),
              std::string(1, defaults.ThousandSeparator));
    EXPECT_EQ(GetProfileString("intl", "sList", ""), std::string(1, defaults.ListSeparator));
    EXPECT_EQ(GetProfileString("intl", "sDate", ""), std::string(1, defaults.DateSeparator));
    EXPECT_EQ(GetProfileString("intl", "sTime", ""), std::string(1, defaults.TimeSeparator));
    EXPECT_EQ(GetProfileString("intl", "sCurrency", ""), defaults.CurrencyString);
    EXPECT_EQ(GetProfileString("intl", "sShortDate", ""), defaults.ShortDateFormat);
    EXPECT_EQ(GetProfileString("intl", "sLongDate", ""), defaults.LongDateFormat);
    EXPECT_EQ(GetProfileString("intl", "s1159", ""), defaults.TimeAMString);
    EXPECT_EQ(GetProfileString("intl", "s2359", ""), defaults.TimePMString);
    EXPECT_EQ(GetProfileInt("intl", "iCurrDigits", -1), defaults.CurrencyDecimals);
    EXPECT_EQ(GetProfileInt("intl", "iCurrency", -1), defaults.CurrencyFormat);
    EXPECT_EQ(GetProfileInt("intl", "iNegCurr", -1), defaults.NegCurrFormat);
    EXPECT_EQ(GetProfileString("intl", "sCountry", ""), "United States");
    EXPECT_EQ(GetProfileInt("intl", "iCountry", -1), 1);
    EXPECT_EQ(GetProfileString("intl", "sLanguage", ""), "enu");
}

TEST(Profile, SectionAndKeyNamesIgnoreCase) {
    EXPECT_EQ(GetProfileString("INTL", "SSHORTDATE", ""), "M/d/yy");
    TProfileOverride keep;
    WriteProfileString("Windows", "Device", "printer");
    EXPECT_EQ(GetProfileString("windows", "DEVICE", ""), "printer");
}

TEST(Profile, MissingKeysAndNonNumbersGiveTheDefault) {
    TProfileOverride keep;
    EXPECT_EQ(GetProfileString("intl", "sNoSuchKey", "fallback"), "fallback");
    EXPECT_EQ(GetProfileString("nosection", "sDate", "x"), "x");
    EXPECT_EQ(GetProfileInt("intl", "sCountry", 42), 42);
    WriteProfileString("test", "Padded", " 7 ");
    EXPECT_EQ(GetProfileInt("test", "Padded", 0), 7);
    WriteProfileString("test", "Empty", "");
    EXPECT_EQ(GetProfileInt("test", "Empty", 9), 9);
    EXPECT_EQ(GetProfileString("test", "Empty", "default"), "");  // present, though empty
}

TEST(Profile, OverrideUndoesWritesAndDeletesWhenItEnds) {
    {
        TProfileOverride keep;
        WriteProfileString("intl", "sDate", "-");
        DeleteProfileString("intl", "iDate");
        WriteProfileString("new", "key", "value");
        EXPECT_EQ(GetProfileString("intl", "sDate", ""), "-");
        EXPECT_EQ(GetProfileInt("intl", "iDate", -1), -1);
    }
    EXPECT_EQ(GetProfileString("intl", "sDate", ""), "/");
    EXPECT_EQ(GetProfileInt("intl", "iDate", -1), 0);
    EXPECT_EQ(GetProfileString("new", "key", "gone"), "gone");
}

}  // namespace
}  // namespace vex
