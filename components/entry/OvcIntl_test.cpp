#include "components/entry/OvcIntl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>

#include "platform/core/formatsettings.h"
#include "platform/core/profile.h"

namespace vex {
namespace {

using TProfileValues = std::initializer_list<std::pair<const char*, std::string>>;

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

    static TOvcIntlSup WithProfile(TProfileValues Values) {
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

TEST_F(OvcIntl, ReadsTheProfileAndFallsBackToTheDefaultsOfMissingKeys) {
    const TOvcIntlSup intl;
    EXPECT_EQ(intl.ShortDate(), "M/d/yy");
    EXPECT_EQ(intl.LongDate(), "wwww, nnnn dd, yyyy");
    EXPECT_EQ(intl.Country(), "United States");
    EXPECT_EQ(intl.AMString(), "AM");
    EXPECT_EQ(intl.PMString(), "PM");
    EXPECT_EQ(intl.CurrencyLtStr(), "$");
    EXPECT_EQ(intl.CurrencyRtStr(), "$");
    EXPECT_TRUE(intl.TwelveHour());
    EXPECT_FALSE(intl.LeadingZeroTime());
    EXPECT_EQ(std::string({intl.YesChar(), intl.NoChar(), intl.TrueChar(), intl.FalseChar()}),
              "YNTF");

    for (const char* key : {"sShortDate", "sLongDate", "s1159", "sCountry", "sDate", "sDecimal"})
        DeleteProfileString("intl", key);
    const TOvcIntlSup bare;
    EXPECT_EQ(bare.ShortDate(), "MM/dd/yy");
    EXPECT_EQ(bare.LongDate(), "wwww, nnnn dd, yyyy");
    EXPECT_EQ(bare.AMString(), "AM");
    EXPECT_EQ(bare.Country(), "");
    EXPECT_EQ(bare.SlashChar(), '/');
    EXPECT_EQ(bare.DecimalChar(), '.');
}

TEST_F(OvcIntl, CharacterAndCodeSettingsKeepTheirDefaultsWhenUnusable) {
    const TOvcIntlSup intl = WithProfile(
        {{"sDecimal", ""}, {"sThousand", ".x"}, {"iCurrDigits", "300"}, {"iCurrency", "7"}});
    EXPECT_EQ(intl.DecimalChar(), '.');
    EXPECT_EQ(intl.CommaChar(), '.');
    EXPECT_EQ(intl.CurrencyDigits(), 2);
    EXPECT_EQ(intl.CurrencyFormat(), 0);
}

TEST_F(OvcIntl, CurrencyPositionsTwoAndThreeSeparateTheSymbolByABlank) {
    const TOvcIntlSup before = WithProfile({{"sCurrency", "EUR"}, {"iCurrency", "2"}});
    EXPECT_EQ(before.CurrencyLtStr(), "EUR ");
    EXPECT_EQ(before.CurrencyRtStr(), "EUR");
    const TOvcIntlSup after = WithProfile({{"iCurrency", "3"}});
    EXPECT_EQ(after.CurrencyLtStr(), "EUR");
    EXPECT_EQ(after.CurrencyRtStr(), " EUR");
}

TEST_F(OvcIntl, LongProfileValuesAreCutToTheRoomTheSettingsHad) {
    const TOvcIntlSup intl = WithProfile({{"sCurrency", "ABCDEFGH"},
                                          {"iCurrency", "2"},
                                          {"s1159", std::string(100, 'a')},
                                          {"s2359", "p"},
                                          {"sCountry", std::string(300, 'c')},
                                          {"sShortDate", "dd/MM/yyyy" + std::string(40, ' ')},
                                          {"sLongDate", std::string(300, 'd')}});
    EXPECT_EQ(intl.CurrencyLtStr(), "ABCDE ");
    EXPECT_EQ(intl.CurrencyRtStr(), "ABCDE");
    EXPECT_EQ(intl.AMString(), "aaaaa");
    EXPECT_EQ(intl.Country().size(), 255u);
    EXPECT_EQ(intl.ShortDate(), "dd/MM/yyyy" + std::string(19, ' '));
    EXPECT_EQ(intl.LongDate(), std::string(39, 'w'));
    // The AM/PM room follows the cut text, and the text fits it.
    EXPECT_EQ(intl.InternationalTime(false), "Hh:mm ttttt");
    EXPECT_EQ(intl.TimeToTimeString("Hh:mm ttttt", 3600, false), " 1:00 aaaaa");
    EXPECT_EQ(intl.TimeToTimeString("Hh:mm ttttt", 3600 * 13, true), "1:00 p");
}

TEST_F(OvcIntl, QuotedTextsOfTheLongDateBecomeLiteralRuns) {
    const struct {
        const char* Format;
        const char* Mask;
        const char* F;
        const char* G;
        const char* H;
    } cases[] = {
        {"dddd, 'de' MMMM 'de' yyyy", "wwww, ff nnnn gg yyyy", "de", "de", ""},
        {"'a' d 'b' M 'c' yy 'd'", "f d g M h yy 'd'", "a", "b", "c"},
        {"d 'abcdefghij' M", "d ffffff M", "abcdef", "", ""},
        {"d '' M 'x'", "d  M g", "", "x", ""},
        {"d 'open M", "d 'open M", "", "", ""},
        {"d.M.yyyy", "d. M. yyyy", "", "", ""},
        {"d,M,", "d, M,", "", "", ""},
        {"yyyy'.'MM'.'dd", "yyyyfMMgdd", ".", ".", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Format);
        const TOvcIntlSup intl = WithProfile({{"sLongDate", c.Format}});
        EXPECT_EQ(intl.LongDate(), c.Mask);
        EXPECT_EQ(intl.LiteralF(), c.F);
        EXPECT_EQ(intl.LiteralG(), c.G);
        EXPECT_EQ(intl.LiteralH(), c.H);
    }
}

TEST_F(OvcIntl, LongDateMaskShowsNamesAndLiterals) {
    const TOvcIntlSup intl = WithProfile({{"sLongDate", "dddd, 'de' MMMM 'de' yyyy"}});
    EXPECT_EQ(intl.DMYtoDateString(intl.LongDate(), 5, 1, 1996, false, 0), "Frid, de Janu de 1996");
    EXPECT_EQ(intl.DateToDateString(intl.LongDate(), BadDate, true), "    , de      de     ");
}

TEST_F(OvcIntl, TheUsersDateSeparatorIsWrittenAsSlashInTheMaskAndShownInTheText) {
    const TOvcIntlSup intl = WithProfile({{"sDate", "."}, {"sShortDate", "dd.MM.yyyy"}});
    EXPECT_EQ(intl.ShortDate(), "dd/MM/yyyy");
    EXPECT_EQ(intl.InternationalDate(true), "dd/mm/yyyy");
    EXPECT_EQ(intl.DMYtoDateString(intl.InternationalDate(true), 5, 1, 1996, false, 0),
              "05.01.1996");
}

TEST_F(OvcIntl, TwelveHourFollowsTheAmPmDesignatorOfTheLongTimeFormat) {
    const struct {
        const char* Format;
        bool TwelveHour;
    } cases[] = {{"h:mm:ss AMPM", true}, {"hh:mm:ss am/pm", true},
                 {"h:mm a/p", true},     {"HH:mm:ss", false},
                 {"H:mm 'AMPM'", false}, {"H:mm \"am/pm\"", false},
                 {"H:mm 'open", false},  {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Format);
        FormatSettings().LongTimeFormat = c.Format;
        EXPECT_EQ(TOvcIntlSup().TwelveHour(), c.TwelveHour);
    }
}

TEST_F(OvcIntl, InternationalDateWidensDayMonthAndYear) {
    const struct {
        const char* ShortDate;
        const char* Plain;
        const char* Century;
    } cases[] = {
        {"M/d/yy", "MM/DD/yy", "MM/DD/yyyy"},         {"MM/dd/yy", "mm/dd/yy", "mm/dd/yyyy"},
        {"dd/MM/yyyy", "dd/mm/yyyy", "dd/mm/yyyy"},   {"d/M/y", "DD/MM/yy", "DD/MM/yyyy"},
        {"yyyy-MM-dd", "yyyy-mm-dd", "yyyy-mm-dd"},   {"DD/mm/yy", "dd/mm/yy", "dd/mm/yyyy"},
        {"ddd/MMM/yy", "ddd/MMM/yy", "ddd/MMM/yyyy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ShortDate);
        const TOvcIntlSup intl = WithProfile({{"sShortDate", c.ShortDate}});
        EXPECT_EQ(intl.InternationalDate(false), c.Plain);
        EXPECT_EQ(intl.InternationalDate(true), c.Century);
    }
}

TEST_F(OvcIntl, InternationalTimeFollowsLeadingZerosSecondsAndTwelveHours) {
    const struct {
        const char* LeadingZero;
        const char* LongTime;
        const char* AM;
        bool Seconds;
        const char* Mask;
    } cases[] = {
        {"0", "h:mm:ss AMPM", "AM", false, "Hh:mm tt"},
        {"1", "h:mm:ss AMPM", "AM", true, "hh:mm:ss tt"},
        {"1", "h:mm:ss AMPM", "a.m.", true, "hh:mm:ss tttt"},
        {"0", "HH:mm:ss", "AM", true, "Hh:mm:ss"},
        {"1", "HH:mm:ss", "AM", false, "hh:mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mask);
        FormatSettings().LongTimeFormat = c.LongTime;
        const TOvcIntlSup intl = WithProfile({{"iTLZero", c.LeadingZero}, {"s1159", c.AM}});
        EXPECT_EQ(intl.InternationalTime(c.Seconds), c.Mask);
    }
    const TOvcIntlSup noTexts = WithProfile({{"iTLZero", "0"}, {"s1159", ""}, {"s2359", ""}});
    EXPECT_EQ(noTexts.InternationalTime(false), "Hh:mm");
}

TEST_F(OvcIntl, DatesAreMergedIntoMasks) {
    FormatSettings().LongMonthNames[2] = "M\xE4rz";
    const TOvcIntlSup intl =
        WithProfile({{"sLongDate", "'a' 'b' 'x'"}, {"s1159", "AM"}, {"s2359", "PM"}});
    const struct {
        const char* Mask;
        int32_t Day, Month, Year;
        bool Pack;
        int32_t Epoch;
        const char* Text;
    } cases[] = {
        {"mm/dd/yyyy", 5, 1, 1996, false, 0, "01/05/1996"},
        {"MM/DD/yy", 5, 1, 1996, false, 0, " 1/ 5/96"},
        {"MM/DD/yy", 5, 1, 1996, true, 0, "1/5/96"},
        {"dd", 15, 1, 1996, false, 0, "15"},
        {"d", 15, 1, 1996, false, 0, "5"},
        {"nnnnnnnnn dd", 5, 1, 1996, false, 0, "January   05"},
        {"nnnnnnnnn dd", 5, 1, 1996, true, 0, "January 05"},
        {"NNN", 5, 1, 1996, false, 0, "JAN"},
        {"NNNN", 5, 3, 1996, false, 0, "M\xC4RZ"},
        {"WWW dd", 5, 1, 1996, false, 0, "FRI 05"},
        {"wwwwwwwww", 5, 1, 1996, true, 0, "Friday"},
        {"wwwwwwwww", 31, 2, 1996, false, 0, "         "},
        {"nnnn", 5, 13, 1996, false, 0, "    "},
        {"mm/dd/yyyy", 5, 1, 96, false, 1900, "01/05/1996"},
        {"mm/dd/yyyy", 5, 1, 5, false, 1950, "01/05/2005"},
        {"mm/dd/yyyy", 5, 1, 49, false, 1950, "01/05/2049"},
        {"mm/dd/yyyy", 1, 1, 1600, false, 0, "01/01/1600"},
        {"mm/dd/yyyy", 31, 12, 3999, false, 0, "12/31/3999"},
        // Runs are found in the mask, so the "h" inside "March" is never taken for a literal.
        {"nnnnn h", 5, 3, 1996, false, 0, "M\xE4rz  x"},
        {"f-g-h dd", 5, 1, 1996, false, 0, "a-b-x 05"},
        {"mm/dd/yyyy", -4, 1, 1996, false, 0, "01/  /1996"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mask);
        EXPECT_EQ(intl.DMYtoDateString(c.Mask, c.Day, c.Month, c.Year, c.Pack, c.Epoch), c.Text);
    }
}

TEST_F(OvcIntl, BadDayNumbersShowBlankFieldsAndAreNeverPacked) {
    const TOvcIntlSup intl;
    for (const TStDate bad : {BadDate, MaxDate + 1, -100}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(intl.DateToDateString("mm/dd/yyyy", bad, false), "  /  /    ");
        EXPECT_EQ(intl.DateToDateString("MM/DD/yy", bad, true), "  /  /  ");
        EXPECT_EQ(intl.DateToDateString("wwww nnnn", bad, true), "         ");
    }
    EXPECT_EQ(intl.DateToDateString("mm/dd/yyyy", MinDate, false), "01/01/1600");
    EXPECT_EQ(intl.DateToDateString("mm/dd/yyyy", MaxDate, false), "12/31/3999");
    EXPECT_EQ(intl.DateToDateString("wwwwwwww", 0, true), "Saturday");
}

TEST_F(OvcIntl, DateTextsAreReadIntoDayMonthAndYear) {
    const TOvcIntlSup intl;
    const struct {
        const char* Mask;
        const char* Text;
        int32_t Epoch;
        bool Valid;
        int32_t Day, Month, Year;
    } cases[] = {
        {"mm/dd/yyyy", "01/05/1996", 0, true, 5, 1, 1996},
        {"MM/DD/yy", " 1/ 5/96", 1900, true, 5, 1, 96},
        {"dd", "15", 0, true, 15, 2, 1996},
        {"mm/dd/yy", "  /05/96", 1900, false, 5, -1, 96},
        {"mm/dd/yy", "1x/05/96", 1900, false, 5, -1, 96},
        {"mm/dd/yyyy", "01/05/1996 ", 0, false, 0, 0, 0},
        {"mm/dd/yyyy", "01/01/1600", 0, true, 1, 1, 1600},
        {"mm/dd/yyyy", "12/31/3999", 0, true, 31, 12, 3999},
        {"mm/dd/yyyy", "12/31/1599", 0, false, 31, 12, 1599},
        {"mm/dd/yyyy", "01/01/4000", 0, false, 1, 1, 4000},
        {"mm/dd/yyyy", "02/29/2000", 0, true, 29, 2, 2000},
        {"mm/dd/yyyy", "02/29/1900", 0, false, 29, 2, 1900},
        {"mm/dd/yy", "02/29/00", 1900, false, 29, 2, 0},
        {"mm/dd/yy", "02/29/00", 1950, true, 29, 2, 0},
        {"mm/dd/yy", "12/31/49", 1950, true, 31, 12, 49},
        {"nnnnnnnnn dd, yyyy", "january   05, 1996", 0, true, 5, 1, 1996},
        {"nnn dd yyyy", " JUN 05 1996", 0, false, 0, 0, 0},
        {"nnn dd yyyy", "Jun 05 1996", 0, true, 5, 6, 1996},
        {"nnn dd yyyy", "Jux 05 1996", 0, false, 5, -1, 1996},
        {"yyyy", "1997", 0, true, 1, 2, 1997},
        {"dd/mm/yyyy", "99/99/999999", 0, false, 0, 0, 0},
        {"dd/mm/yyyyyyyyyyyy", "01/01/999999999999", 0, false, 1, 1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Mask) + " <- " + c.Text);
        int32_t day = -7, month = -7, year = -7;
        EXPECT_EQ(intl.DateStringToDMY(c.Mask, c.Text, day, month, year, c.Epoch), c.Valid);
        EXPECT_EQ(day, c.Day);
        EXPECT_EQ(month, c.Month);
        EXPECT_EQ(year, c.Year);
    }
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
    EXPECT_EQ(intl.TimeStringToTime("hh:mm", "01:00:00"), BadTime);
    EXPECT_EQ(intl.DateStringToDate("", "", 0), DMYtoStDate(1, 2, 1996, 0));
}

TEST_F(OvcIntl, TimesAreMergedIntoMasks) {
    const TOvcIntlSup intl;
    const struct {
        const char* Mask;
        TStTime Time;
        bool Pack;
        const char* Text;
    } cases[] = {
        {"hh:mm:ss", 0, false, "00:00:00"},
        {"Hh:mm tt", 0, false, "12:00 AM"},
        {"Hh:mm tt", 12 * 3600, false, "12:00 PM"},
        {"Hh:mm tt", 13 * 3600 + 300, false, " 1:05 PM"},
        {"Hh:mm tt", 13 * 3600 + 300, true, "1:05 PM"},
        {"Hh:mm", 13 * 3600, false, "13:00"},
        {"mm", 13 * 3600 + 300, false, "05"},
        {"Hh:mm:ss tt", BadTime, true, "  :  :   AM"},
        {"hh:mm", SecondsInDay, false, "  :  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mask);
        EXPECT_EQ(intl.TimeToTimeString(c.Mask, c.Time, c.Pack), c.Text);
    }
}

TEST_F(OvcIntl, WithoutAnAmTextTheAmPmRunIsBlankAndPacksAwayWithItsBlank) {
    const TOvcIntlSup intl = WithProfile({{"s1159", ""}, {"s2359", "PM"}, {"sTime", "."}});
    EXPECT_EQ(intl.TimeToTimeString("hh:mm tt", 9 * 3600, false), "09.00   ");
    EXPECT_EQ(intl.TimeToTimeString("hh:mm tt", 9 * 3600, true), "09.00");
    // Only one text set: the hours stay on the 24-hour clock.
    EXPECT_EQ(intl.TimeToTimeString("hh:mm tt", 13 * 3600, false), "13.00 PM");
    EXPECT_EQ(intl.TimeToTimeString("hh:mm tt", BadTime, false), "  .     ");
    EXPECT_EQ(intl.TimeStringToTime("hh:mm tt", "13.00 PM"), 13 * 3600);
}

TEST_F(OvcIntl, TimeTextsAreReadWithTheirAmPmText) {
    const TOvcIntlSup intl = WithProfile({{"s1159", "AM"}, {"s2359", "PM"}});
    const struct {
        const char* Mask;
        const char* Text;
        TStTime Time;
    } cases[] = {
        {"Hh:mm tt", "12:00 AM", 0},
        {"Hh:mm tt", "12:00 PM", 12 * 3600},
        {"Hh:mm tt", " 1:05 pm", 13 * 3600 + 300},
        {"Hh:mm tt", " 1:05 P ", 13 * 3600 + 300},
        {"Hh:mm tt", "11:59 aM", 11 * 3600 + 59 * 60},
        {"Hh:mm tt", "13:00 PM", BadTime},
        {"Hh:mm tt", " 0:00 AM", BadTime},
        {"Hh:mm tt", " 1:05 XM", BadTime},
        {"Hh:mm tt", " 1:05   ", BadTime},
        {"Hh:mm tt", " 1:05 PMX", BadTime},
        {"Hh:mm tt", "  :05 AM", BadTime},
        {"hh:mm:ss", "23:59:59", 86399},
        {"hh:mm:ss", "24:00:00", BadTime},
        {"hh:mm:ss", "12:0x:00", BadTime},
        {"hh:mm", "7:5", BadTime},
        {"Hh:mm", " 7: 5", 7 * 3600 + 300},
        {"mm", "30", 30 * 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Mask) + " <- " + c.Text);
        EXPECT_EQ(intl.TimeStringToTime(c.Mask, c.Text), c.Time);
    }
}

TEST_F(OvcIntl, DatesSurviveTheTripThroughTextAndBack) {
    const TOvcIntlSup intl;
    const char* masks[] = {"mm/dd/yyyy", "DD.MM.yyyy", "yyyy-mm-dd", "nnnnnnnnn dd yyyy",
                           "wwwwwwwww, NNNNNNNNN DD, yyyy"};
    std::mt19937 random(1996);
    std::uniform_int_distribution<TStDate> days(MinDate, MaxDate);
    for (int i = 0; i < 3000; ++i) {
        const TStDate julian = i < 2 ? (i == 0 ? MinDate : MaxDate) : days(random);
        for (const char* mask : masks) {
            SCOPED_TRACE(std::string(mask) + " " + std::to_string(julian));
            const std::string text = intl.DateToDateString(mask, julian, false);
            ASSERT_EQ(intl.DateStringToDate(mask, text, 0), julian) << text;
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
}

TEST_F(OvcIntl, EveryTimeOfTheDaySurvivesTheTripThroughTextAndBack) {
    const TOvcIntlSup intl;
    for (const char* mask : {"hh:mm:ss", "Hh:mm:ss tt"}) {
        SCOPED_TRACE(mask);
        for (TStTime t = 0; t < SecondsInDay; ++t) {
            const std::string text = intl.TimeToTimeString(mask, t, false);
            ASSERT_EQ(intl.TimeStringToTime(mask, text), t) << text;
        }
    }
}

TEST_F(OvcIntl, TheSharedInstanceReadsTheProfileAgainOnlyWhenAsked) {
    TOvcIntlSup& shared = OvcIntlSup();
    EXPECT_EQ(&shared, &OvcIntlSup());
    const std::string before = shared.ShortDate();
    WriteProfileString("intl", "sShortDate", "yyyy-MM-dd");
    EXPECT_EQ(OvcIntlSup().ShortDate(), before);
    shared.ReadIntlSettings();
    EXPECT_EQ(OvcIntlSup().ShortDate(), "yyyy-MM-dd");
    DeleteProfileString("intl", "sShortDate");
    shared.ReadIntlSettings();
    EXPECT_EQ(OvcIntlSup().ShortDate(), "MM/dd/yy");
    // Leave the shared instance as the unchanged profile has it for the tests that follow.
    WriteProfileString("intl", "sShortDate", "M/d/yy");
    shared.ReadIntlSettings();
}

}  // namespace
}  // namespace vex
