#include "platform/core/profile.h"

#include <gtest/gtest.h>

#include "platform/core/formatsettings.h"

namespace vex {
namespace {

TEST(Profile, MissingKeysAndNonNumbersGiveTheDefaultAndAnOverrideUndoesItsChanges) {
    {
        TProfileOverride keep;
        WriteProfileString("Windows", "Device", "printer");
        EXPECT_EQ(GetProfileString("windows", "DEVICE", ""), "printer");
        EXPECT_EQ(GetProfileString("intl", "sNoSuchKey", "fallback"), "fallback");
        EXPECT_EQ(GetProfileInt("intl", "sCountry", 42), 42);
        WriteProfileString("intl", "sDate", " 7 ");
        EXPECT_EQ(GetProfileInt("intl", "sDate", 0), 7);
        WriteProfileString("test", "Empty", "");
        EXPECT_EQ(GetProfileInt("test", "Empty", 9), 9);
        EXPECT_EQ(GetProfileString("test", "Empty", "default"), "");  // present, though empty
        DeleteProfileString("intl", "iDate");
        EXPECT_EQ(GetProfileInt("intl", "iDate", -1), -1);
    }
    EXPECT_EQ(GetProfileString("intl", "sDate", ""), "/");
    EXPECT_EQ(GetProfileInt("intl", "iDate", -1), 0);
    EXPECT_EQ(GetProfileString("Windows", "Device", "gone"), "gone");
    const TFormatSettings defaults;  // the international section agrees with the defaults
    EXPECT_EQ(GetProfileString("INTL", "SSHORTDATE", ""), defaults.ShortDateFormat);
    EXPECT_EQ(GetProfileInt("intl", "iNegCurr", -1), defaults.NegCurrFormat);
}

}  // namespace
}  // namespace vex
