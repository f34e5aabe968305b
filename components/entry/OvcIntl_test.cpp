#include "components/entry/OvcIntl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>

#include "platform/core/formatsettings.h"
#include "platform/core/profile.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// The cases of one table of testdata/intl.txt.
std::vector<test::TestCase> Cases(const std::string& Table) {
    return test::ReadCases(VEX_TEST_DIR "/testdata/intl.txt", Table);
}

// Every test starts from the English (United States) profile and framework settings, with the
// current month and year fixed, and leaves them as it found them.
class OvcIntl : public ::testing::Test {
protected:
    OvcIntl() : FFormat(TFormatSettings{}) {
        SetDefaultYear(1996);
        SetDefaultMonth(2);
    }
    ~OvcIntl() override {
        SetDefaultYear(FYear);
        SetDefaultMonth(FMonth);
    }

    static TOvcIntlSup WithProfile(
        std::initializer_list<std::pair<const char*, std::string>> Values) {
        for (const auto& [key, value] : Values)
            WriteProfileString("intl", key, value);
        return TOvcIntlSup();
    }

private:
    TProfileOverride FProfile;
    TFormatSettingsOverride FFormat;
    int32_t FYear = DefaultYear();
    int32_t FMonth = DefaultMonth();
};

TEST_F(OvcIntl, MissingOrUnusableProfileValuesKeepTheirDefaults) {
    const TOvcIntlSup intl;
    EXPECT_EQ(intl.ShortDate() + "|" + intl.LongDate() + "|" + intl.Country(),
              "M/d/yy|wwww, nnnn dd, yyyy|United States");
    EXPECT_TRUE(intl.TwelveHour());
    EXPECT_FALSE(intl.LeadingZeroTime());
    EXPECT_EQ(std::string({intl.YesChar(), intl.NoChar(), intl.TrueChar(), intl.FalseChar()}),
              "YNTF");
    for (const char* key : {"sShortDate", "sLongDate", "s1159", "sCountry", "sDate"})
        DeleteProfileString("intl", key);
    const TOvcIntlSup bare = WithProfile(
        {{"sDecimal", ""}, {"sThousand", ".x"}, {"iCurrDigits", "300"}, {"iCurrency", "7"}});
    EXPECT_EQ(bare.ShortDate() + "|" + bare.LongDate() + "|" + bare.AMString() + "|" +
                  bare.Country() + "|" + bare.CurrencyLtStr() + "|" + bare.CurrencyRtStr(),
              "MM/dd/yy|wwww, nnnn dd, yyyy|AM||$|$");
    EXPECT_EQ(std::string({bare.SlashChar(), bare.DecimalChar(), bare.CommaChar()}), "/..");
    EXPECT_EQ(bare.CurrencyDigits(), 2);
    EXPECT_EQ(bare.CurrencyFormat(), 0);
    const TOvcIntlSup after = WithProfile({{"sCurrency", "EUR"}, {"iCurrency", "3"}});
    EXPECT_EQ(after.CurrencyLtStr() + "|" + after.CurrencyRtStr(), "EUR| EUR");
}

TEST_F(OvcIntl, LongProfileValuesAreCutToTheRoomTheSettingsHad) {
    const TOvcIntlSup intl = WithProfile({{"sCurrency", "ABCDEFGH"},
                                          {"iCurrency", "2"},
                                          {"s1159", std::string(100, 'a')},
                                          {"s2359", "p"},
                                          {"sCountry", std::string(300, 'c')},
                                          {"sShortDate", "dd/MM/yyyy" + std::string(40, ' ')},
                                          {"sLongDate", std::string(300, 'd')}});
    EXPECT_EQ(intl.CurrencyLtStr() + "|" + intl.CurrencyRtStr(), "ABCDE |ABCDE");
    EXPECT_EQ(intl.AMString(), "aaaaa");
    EXPECT_EQ(intl.Country().size(), 255u);
    EXPECT_EQ(intl.ShortDate(), "dd/MM/yyyy" + std::string(19, ' '));
    EXPECT_EQ(intl.LongDate(), std::string(39, 'w'));
    // The AM/PM room follows the cut text, and the text fits it.
    EXPECT_EQ(intl.InternationalTime(false), "Hh:mm ttttt");
    EXPECT_EQ(intl.TimeToTimeString("Hh:mm ttttt", 3600, false), " 1:00 aaaaa");
    EXPECT_EQ(intl.TimeToTimeString("Hh:mm ttttt", 3600 * 13, true), "1:00 p");
}

TEST_F(OvcIntl, ProfileFormatsBecomeMasks) {
    for (const test::TestCase& c : Cases("longdate")) {
        SCOPED_TRACE(c.Where);
        const TOvcIntlSup intl = WithProfile({{"sLongDate", c[0]}});
        EXPECT_EQ(intl.LongDate(), c[1]);
        EXPECT_EQ(intl.LiteralF() + "|" + intl.LiteralG() + "|" + intl.LiteralH(),
                  c[2] + "|" + c[3] + "|" + c[4]);
    }
    for (const test::TestCase& c : Cases("twelvehour")) {
        SCOPED_TRACE(c.Where);
        FormatSettings().LongTimeFormat = c[0];
        EXPECT_EQ(TOvcIntlSup().TwelveHour(), c.Int(1) != 0);
    }
    for (const test::TestCase& c : Cases("intldate")) {
        SCOPED_TRACE(c.Where);
        const TOvcIntlSup intl = WithProfile({{"sShortDate", c[0]}});
        EXPECT_EQ(intl.InternationalDate(false), c[1]);
        EXPECT_EQ(intl.InternationalDate(true), c[2]);
    }
    for (const test::TestCase& c : Cases("intltime")) {
        SCOPED_TRACE(c.Where);
        FormatSettings().LongTimeFormat = c[1];
        const TOvcIntlSup intl = WithProfile({{"iTLZero", c[0]}, {"s1159", c[2]}, {"s2359", c[2]}});
        EXPECT_EQ(intl.InternationalTime(c.Int(3) != 0), c[4]);
    }
    // The user's date separator is written as a slash in the mask and shown in the text.
    const TOvcIntlSup dotted = WithProfile({{"sDate", "."}, {"sShortDate", "dd.MM.yyyy"}});
    EXPECT_EQ(dotted.ShortDate(), "dd/MM/yyyy");
    EXPECT_EQ(dotted.DMYtoDateString(dotted.InternationalDate(true), 5, 1, 1996, false, 0),
              "05.01.1996");
    const TOvcIntlSup spanish = WithProfile({{"sLongDate", "dddd, 'de' MMMM 'de' yyyy"}});
    EXPECT_EQ(spanish.DMYtoDateString(spanish.LongDate(), 5, 1, 1996, false, 0),
              "Frid, de Janu de 1996");
    EXPECT_EQ(spanish.DateToDateString(spanish.LongDate(), BadDate, true), "    , de      de     ");
}

TEST_F(OvcIntl, DatesAreMergedIntoMasksAndReadBack) {
    FormatSettings().LongMonthNames[2] = "M\xE4rz";
    const TOvcIntlSup intl =
        WithProfile({{"sLongDate", "'a' 'b' 'x'"}, {"s1159", "AM"}, {"s2359", "PM"}});
    for (const test::TestCase& c : Cases("mergedate")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(intl.DMYtoDateString(c[0], c.Int(1), c.Int(2), c.Int(3), c.Int(4) != 0, c.Int(5)),
                  c[6]);
    }
    for (const test::TestCase& c : Cases("readdate")) {
        SCOPED_TRACE(c.Where);
        int32_t day = -7, month = -7, year = -7;
        EXPECT_EQ(intl.DateStringToDMY(c[0], c[1], day, month, year, c.Int(2)), c.Int(3) != 0);
        EXPECT_EQ(std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year),
                  c[4] + "/" + c[5] + "/" + c[6]);
    }
    for (const TStDate bad : {BadDate, MaxDate + 1, -100}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(intl.DateToDateString("mm/dd/yyyy", bad, false), "  /  /    ");
        EXPECT_EQ(intl.DateToDateString("wwww nnnn", bad, true), "         ");
    }
    EXPECT_EQ(intl.DateToDateString("wwwwwwww", 0, true), "Saturday");
    EXPECT_EQ(intl.DateStringToDate("", "", 0), DMYtoStDate(1, 2, 1996, 0));
}

TEST_F(OvcIntl, TimesAreMergedIntoMasksAndReadBack) {
    const TOvcIntlSup intl = WithProfile({{"s1159", "AM"}, {"s2359", "PM"}});
    for (const test::TestCase& c : Cases("mergetime")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(intl.TimeToTimeString(c[0], c.Int(1), c.Int(2) != 0), c[3]);
    }
    for (const test::TestCase& c : Cases("readtime")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(intl.TimeStringToTime(c[0], c[1]), c.Int(2));
    }
    // Without an AM text the run is blank, packs away with its blank, and the hours stay on
    // the 24-hour clock.
    const TOvcIntlSup noAm = WithProfile({{"s1159", ""}, {"s2359", "PM"}, {"sTime", "."}});
    EXPECT_EQ(noAm.TimeToTimeString("hh:mm tt", 9 * 3600, false), "09.00   ");
    EXPECT_EQ(noAm.TimeToTimeString("hh:mm tt", 9 * 3600, true), "09.00");
    EXPECT_EQ(noAm.TimeToTimeString("hh:mm tt", 13 * 3600, false), "13.00 PM");
    EXPECT_EQ(noAm.TimeToTimeString("hh:mm tt", BadTime, false), "  .     ");
    EXPECT_EQ(noAm.TimeStringToTime("hh:mm tt", "13.00 PM"), 13 * 3600);
}

TEST_F(OvcIntl, OverlongMasksAndFieldsStayBounded) {
    const TOvcIntlSup intl;
    const std::string years(300, 'y');
    EXPECT_EQ(intl.DMYtoDateString(years, 1, 1, 1996, true, 0), std::string(296, '0') + "1996");
    EXPECT_EQ(intl.DateStringToDate(years, std::string(296, '0') + "1996", 0),
              DMYtoStDate(1, 2, 1996, 0));
    EXPECT_EQ(intl.DateStringToDate(years, std::string(300, '9'), 0), BadDate);
    const std::string hours(200, 'h');
    EXPECT_EQ(intl.TimeStringToTime(hours, std::string(200, '9')), BadTime);
    EXPECT_EQ(intl.TimeToTimeString(hours, 3600, false), std::string(199, '0') + "1");
}

TEST_F(OvcIntl, DatesAndTimesSurviveTheTripThroughTextAndBack) {
    const TOvcIntlSup intl;
    const char* masks[] = {"mm/dd/yyyy", "DD.MM.yyyy", "yyyy-mm-dd", "nnnnnnnnn dd yyyy",
                           "wwwwwwwww, NNNNNNNNN DD, yyyy"};
    std::mt19937 random(1996);
    std::uniform_int_distribution<TStDate> days(MinDate, MaxDate);
    for (int i = 0; i < 3000; ++i) {
        const TStDate julian = i < 2 ? (i == 0 ? MinDate : MaxDate) : days(random);
        for (const char* mask : masks) {
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

TEST_F(OvcIntl, TheSharedInstanceReadsTheProfileAgainOnlyWhenAsked) {
    TOvcIntlSup& shared = OvcIntlSup();
    const std::string before = shared.ShortDate();
    WriteProfileString("intl", "sShortDate", "yyyy-MM-dd");
    EXPECT_EQ(OvcIntlSup().ShortDate(), before);
    shared.ReadIntlSettings();
    EXPECT_EQ(OvcIntlSup().ShortDate(), "yyyy-MM-dd");
    // Leave the shared instance as the unchanged profile has it for the tests that follow.
    WriteProfileString("intl", "sShortDate", "M/d/yy");
    shared.ReadIntlSettings();
}

}  // namespace
}  // namespace vex
