#include "components/entry/OvcIntl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "platform/core/formatsettings.h"
#include "platform/core/profile.h"
#include "platform/core/stringutils.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// The settings read with Settings ("key=value" apart by "|", a key alone deleted,
// LongTimeFormat the framework's) written over the profile; the profile is put back after.
TOvcIntlSup With(const std::string& Settings) {
    const TProfileOverride profile;
    const TFormatSettingsOverride format(FormatSettings());
    for (size_t start = 0; start < Settings.size();) {
        const size_t end = std::min(Settings.find('|', start), Settings.size());
        const std::string item = Settings.substr(start, end - start);
        const size_t equals = item.find('=');
        if (item.starts_with("LongTimeFormat="))
            FormatSettings().LongTimeFormat = item.substr(equals + 1);
        else if (equals == std::string::npos)
            DeleteProfileString("intl", item);
        else
            WriteProfileString("intl", item.substr(0, equals), item.substr(equals + 1));
        start = end + 1;
    }
    return TOvcIntlSup();
}

// Every test starts from the English (United States) profile and framework settings, with the
// current month and year fixed, and leaves them as it found them.
class OvcIntl : public ::testing::Test {
protected:
    OvcIntl() : FFormat(TFormatSettings{}) {
        SetDefaultYear(1996);
        SetDefaultMonth(2);
        FormatSettings().LongMonthNames[2] = "M\xE4rz";
    }
    ~OvcIntl() override {
        SetDefaultYear(FYear);
        SetDefaultMonth(FMonth);
    }

private:
    TProfileOverride FProfile;
    TFormatSettingsOverride FFormat;
    int32_t FYear = DefaultYear();
    int32_t FMonth = DefaultMonth();
};

// The named settings as text; "Profile" is the plain settings read.
std::string Property(const TOvcIntlSup& I, const std::string& Name) {
    if (Name == "LongDate") return I.LongDate();
    if (Name == "Literals") return I.LiteralF() + "|" + I.LiteralG() + "|" + I.LiteralH();
    if (Name == "TwelveHour") return IntToStr(I.TwelveHour());
    if (Name == "IntlDate") return I.InternationalDate(false) + "|" + I.InternationalDate(true);
    if (Name == "IntlTime") return I.InternationalTime(false) + "|" + I.InternationalTime(true);
    return I.ShortDate() + "|" + I.LongDate() + "|" + I.Country() + "|" + I.AMString() + "|" +
           I.PMString() + "|" + I.CurrencyLtStr() + "|" + I.CurrencyRtStr() + "|" +
           std::string({I.SlashChar(), I.DecimalChar(), I.CommaChar(), '|', I.YesChar(), I.NoChar(),
                        I.TrueChar(), I.FalseChar()}) +
           "|" + IntToStr(I.CurrencyDigits()) + " " + IntToStr(I.CurrencyFormat());
}

// Each case names its table, then the settings it is read with (but for readdate).
TEST_F(OvcIntl, ProfileValuesBecomeSettingsAndDatesAndTimesAreMergedIntoMasksAndReadBack) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/intl.txt")) {
        SCOPED_TRACE(c.Where);
        const std::string& table = c[0];
        const TOvcIntlSup intl = With(table == "readdate" ? "" : c[1]);
        const auto n = [&](size_t I) { return static_cast<int32_t>(c.Int(I)); };
        int32_t day = -7, month = -7, year = -7;
        if (table == "prop") {
            EXPECT_EQ(Property(intl, c[2]), c[3]);
        } else if (table == "mergedate") {
            EXPECT_EQ(intl.DMYtoDateString(c[2], n(3), n(4), n(5), n(6) != 0, n(7)), c[8]);
        } else if (table == "baddate") {
            for (const TStDate bad : {BadDate, MaxDate + 1, -100})
                EXPECT_EQ(intl.DateToDateString(c[2], bad, true), c[3]) << bad;
        } else if (table == "readdate") {
            EXPECT_EQ(intl.DateStringToDMY(c[1], c[2], day, month, year, n(3)), n(4) != 0);
            EXPECT_EQ(
                std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year),
                c[5] + "/" + c[6] + "/" + c[7]);
        } else if (table == "mergetime") {
            EXPECT_EQ(intl.TimeToTimeString(c[2], n(3), n(4) != 0), c[5]);
        } else {
            ASSERT_EQ(table, "readtime");
            EXPECT_EQ(intl.TimeStringToTime(c[2], c[3]), n(4));
        }
    }
    const TOvcIntlSup intl;
    EXPECT_EQ(intl.DateToDateString("wwwwwwww", 0, true), "Saturday");
    EXPECT_EQ(intl.DateStringToDate("", "", 0), DMYtoStDate(1, 2, 1996, 0));
    EXPECT_EQ(OvcIntlSup().ShortDate(), "M/d/yy") << "the shared settings read the profile";
}

TEST_F(OvcIntl, LongProfileValuesAreCutAndOverlongMasksStayBounded) {
    const TOvcIntlSup intl = With(
        "s1159=" + std::string(100, 'a') + "|s2359=p|sCountry=" + std::string(300, 'c') +
        "|sShortDate=dd/MM/yyyy" + std::string(40, ' ') + "|sLongDate=" + std::string(300, 'd'));
    EXPECT_EQ(intl.AMString(), "aaaaa");
    EXPECT_EQ(intl.Country().size(), 255u);
    EXPECT_EQ(intl.ShortDate(), "dd/MM/yyyy" + std::string(19, ' '));
    EXPECT_EQ(intl.LongDate(), std::string(39, 'w'));
    // The AM/PM room follows the cut text, and the text fits it.
    EXPECT_EQ(intl.InternationalTime(false), "Hh:mm ttttt");
    EXPECT_EQ(intl.TimeToTimeString("Hh:mm ttttt", 3600, false), " 1:00 aaaaa");
    EXPECT_EQ(intl.TimeToTimeString("Hh:mm ttttt", 3600 * 13, true), "1:00 p");
    // Overlong masks and fields stay bounded.
    const std::string years(300, 'y'), hours(200, 'h');
    EXPECT_EQ(intl.DMYtoDateString(years, 1, 1, 1996, true, 0), std::string(296, '0') + "1996");
    EXPECT_EQ(intl.DateStringToDate(years, std::string(296, '0') + "1996", 0),
              DMYtoStDate(1, 2, 1996, 0));
    EXPECT_EQ(intl.DateStringToDate(years, std::string(300, '9'), 0), BadDate);
    EXPECT_EQ(intl.TimeStringToTime(hours, std::string(200, '9')), BadTime);
    EXPECT_EQ(intl.TimeToTimeString(hours, 3600, false), std::string(199, '0') + "1");
}

TEST_F(OvcIntl, DatesAndTimesSurviveTheTripThroughTextAndBack) {
    const TOvcIntlSup intl;
    std::mt19937 random(1996);
    std::uniform_int_distribution<TStDate> days(MinDate, MaxDate);
    for (int i = 0; i < 3000; ++i) {
        const TStDate julian = i < 2 ? (i == 0 ? MinDate : MaxDate) : days(random);
        for (const char* mask : {"mm/dd/yyyy", "DD.MM.yyyy", "yyyy-mm-dd", "nnnnnnnnn dd yyyy",
                                 "wwwwwwwww, NNNNNNNNN DD, yyyy"}) {
            const std::string text = intl.DateToDateString(mask, julian, false);
            ASSERT_EQ(intl.DateStringToDate(mask, text, 0), julian) << mask << " " << text;
        }
    }
    // Two-digit years come back within the hundred years of the epoch.
    std::uniform_int_distribution<TStDate> window(DMYtoStDate(1, 1, 1950, 0),
                                                  DMYtoStDate(31, 12, 2049, 0));
    for (int i = 0; i < 500; ++i) {
        const TStDate julian = window(random);
        const std::string text = intl.DateToDateString("MM/DD/yy", julian, false);
        ASSERT_EQ(intl.DateStringToDate("MM/DD/yy", text, 1950), julian) << text;
    }
    for (const char* mask : {"hh:mm:ss", "Hh:mm:ss tt"})
        for (TStTime t = 0; t < SecondsInDay; ++t) {
            const std::string text = intl.TimeToTimeString(mask, t, false);
            ASSERT_EQ(intl.TimeStringToTime(mask, text), t) << mask << " " << text;
        }
}

}  // namespace
}  // namespace vex
