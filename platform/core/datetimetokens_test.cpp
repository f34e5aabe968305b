#include "platform/core/datetimetokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

char KindLetter(TDateTimeTokenKind Kind) {
    switch (Kind) {
        case TDateTimeTokenKind::Year:
            return 'y';
        case TDateTimeTokenKind::Month:
            return 'm';
        case TDateTimeTokenKind::MonthName:
            return 'M';
        case TDateTimeTokenKind::Day:
            return 'd';
        case TDateTimeTokenKind::DayName:
            return 'D';
        case TDateTimeTokenKind::Hour:
            return 'h';
        case TDateTimeTokenKind::Minute:
            return 'n';
        case TDateTimeTokenKind::Second:
            return 's';
        case TDateTimeTokenKind::MSec:
            return 'z';
        case TDateTimeTokenKind::AmPm:
            return 'a';
        default:
            return '?';
    }
}

// The text with each field braced as {kind:text}.
std::string Braced(const std::string& Text, const std::vector<TDateTimeSpan>& Fields) {
    std::string result;
    size_t at = 0;
    for (const TDateTimeSpan& field : Fields) {
        result += Text.substr(at, field.Start - at);
        result += std::string("{") + KindLetter(field.Kind) + ":" +
                  Text.substr(field.Start, field.Length) + "}";
        at = field.Start + field.Length;
    }
    return result + Text.substr(at);
}

const TDateTime Tuesday = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 9, 45));

TEST(FormatDateTimeSpans, PlacesEachFieldWhereTheTextShowsIt) {
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/formatfields.txt")) {
        SCOPED_TRACE(where);
        std::vector<TDateTimeSpan> fields;
        const std::string text = FormatDateTimeSpans(row[0], Tuesday, fields);
        EXPECT_EQ(text, FormatDateTime(row[0], Tuesday));
        EXPECT_EQ(Braced(text, fields), row[1]);
    }
}

TEST(FormatDateTimeSpans, FindsFieldsThroughSeparatorsAndNamesOfOtherLengths) {
    TFormatSettings settings;
    settings.DateSeparator = '.';
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.ShortMonthNames[2] = "M\xe4rz";
    TFormatSettingsOverride use(settings);
    std::vector<TDateTimeSpan> fields;
    EXPECT_EQ(Braced(FormatDateTimeSpans("ddddd", Tuesday, fields), fields),
              "{d:05}.{m:03}.{y:2024}");
    EXPECT_EQ(Braced(FormatDateTimeSpans("d mmm", Tuesday, fields), fields), "{d:5} {M:M\xe4rz}");
}

TEST(DateTimeTokenizer, ReadsAnUnclosedQuoteToTheEndAndKeepsEachCharacterOnce) {
    struct Case {
        const char* Format;
        std::vector<TDateTimeTokenKind> Kinds;
    };
    using K = TDateTimeTokenKind;
    const Case cases[] = {
        {"'abc", {K::Text}},
        {"\"a'b\"d", {K::Text, K::Day}},
        {"yy/mm:nn", {K::Year, K::DateSeparator, K::Month, K::TimeSeparator, K::Minute}},
        {"ddddddd tt c", {K::LongDate, K::Text, K::LongTime, K::Text, K::DateAndTime}},
        {"ampm a/pa", {K::AmPm, K::Text, K::AmPm, K::Text}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Format);
        TDateTimeTokenizer tokens(c.Format);
        std::vector<TDateTimeTokenKind> kinds;
        for (TDateTimeToken token; tokens.Next(token);)
            kinds.push_back(token.Kind);
        EXPECT_EQ(kinds, c.Kinds);
    }
}

}  // namespace
}  // namespace vex
