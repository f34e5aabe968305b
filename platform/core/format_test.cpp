#include "platform/core/format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"
#include "platform/core/profile.h"
#include "tests/support/casefile.h"
#include "tests/support/errortext.h"

namespace vex {
namespace {

double Number(const std::string& Text) {
    return std::strtod(Text.c_str(), nullptr);
}

TEST(Format, FollowsEveryCaseOfTheTable) {
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/format.txt")) {
        SCOPED_TRACE(where);
        std::list<std::string> texts;  // a TVarRec references its text
        std::vector<TVarRec> args;
        for (size_t i = 2; i < row.size(); ++i) {
            const char type = row[i][0];
            const std::string value = row[i].substr(1);
            if (type == 'i') args.emplace_back(static_cast<int32_t>(std::stol(value)));
            if (type == 'l') args.emplace_back(int64_t{std::stoll(value)});
            if (type == 'u') args.emplace_back(uint64_t{std::stoull(value)});
            if (type == 'f') args.emplace_back(Number(value));
            if (type == 'c') args.emplace_back(value[0]);
            if (type == 'p')
                args.emplace_back(reinterpret_cast<const void*>(std::stoul(value, {}, 16)));
            if (type == 's') args.emplace_back(texts.emplace_back(value));
        }
        if (row[0] == "(error)") {
            EXPECT_THROW(Format(row[1], args), EConvertError);
        } else {
            EXPECT_EQ(Format(row[1], args), row[0]);
        }
    }
    // Narrower integers and unsigned 32-bit ones widen without changing sign.
    EXPECT_EQ(Format("%d %d %d", {uint32_t{4000000000}, uint8_t{200}, int16_t{-7}}),
              "4000000000 200 -7");
    EXPECT_EQ(Format("[%s|%s]", {static_cast<const char*>(nullptr), std::string_view("vw")}),
              "[|vw]");
    static_assert(!std::is_convertible_v<bool, TVarRec>);
    EXPECT_EQ(test::ErrorText<EConvertError>([&] { Format("%d items", {"three"}); }),
              "Format '%d items' invalid or incompatible with argument");
}

TEST(FloatToText, FollowsTheTablesOfFloatToStrFloatToStrFAndFormatFloat) {
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/floattostr.txt")) {
        SCOPED_TRACE(where);
        EXPECT_EQ(FloatToStr(Number(row[0])), row[1]);
    }
    const std::vector<std::string> forms = {"general", "exponent", "fixed", "number"};
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/floattostrf.txt")) {
        SCOPED_TRACE(where);
        const auto form = static_cast<TFloatFormat>(std::find(forms.begin(), forms.end(), row[1]) -
                                                    forms.begin());
        EXPECT_EQ(FloatToStrF(Number(row[0]), form, std::stoi(row[2]), std::stoi(row[3])), row[4]);
    }
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/formatfloat.txt")) {
        SCOPED_TRACE(where);
        EXPECT_EQ(FormatFloat(row[0], Number(row[1])), row[2]);
    }
}

TEST(FormatSettings, GiveSeparatorsAndCurrencyLayoutsAndStrToFloatReadsOnlyTheirSeparator) {
    TFormatSettings s;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = ' ';
    TFormatSettingsOverride use(s);
    EXPECT_EQ(Format("%n|%f|%e", {-1234567.5, 0.5, 1.5}),
              "-1 234 567,50|0,50|1,50000000000000E+000");
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1 234,50");
    // Central European conventions: dot thousands, currency after the amount.
    FormatSettings().ThousandSeparator = '.';
    FormatSettings().CurrencyString = "kr";
    FormatSettings().CurrencyFormat = 3;
    FormatSettings().NegCurrFormat = 8;
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/strtofloat.txt")) {
        double value = -1;
        EXPECT_EQ(TryStrToFloat(row[0], value), row[1] != "(error)") << row[0];
        if (row[1] != "(error)") {
            EXPECT_EQ(value, Number(row[1])) << row[0];
        }
    }
    EXPECT_EQ(test::ErrorText<EConvertError>([&] { StrToFloat("1.5"); }),
              "'1.5' is not a valid floating point value");
    EXPECT_EQ(StrToFloatDef("x", 7), 7);
    EXPECT_NEAR(StrToFloat(FloatToStr(1.0 / 3)), 1.0 / 3, 1e-15);  // what it wrote reads back
    EXPECT_EQ(Format("%m|%m|%.0m", {1234.5, -1234.5, -0.4}), "1.234,50 kr|-1.234,50 kr|0 kr");
    FormatSettings().CurrencyFormat = 2;
    FormatSettings().NegCurrFormat = 15;
    FormatSettings().CurrencyDecimals = 0;
    EXPECT_EQ(Format("%m|%m", {7.5, -7.5}), "kr 8|(8 kr)");
    FormatSettings().NegCurrFormat = 12;
    EXPECT_EQ(FloatToStrF(-7.25, ffCurrency, 15, 1), "kr -7,3");
}

TEST(Profile, MissingKeysAndNonNumbersGiveTheDefaultAndAnOverrideUndoesItsChanges) {
    {
        TProfileOverride keep;
        WriteProfileString("Windows", "Device", "printer");
        EXPECT_EQ(GetProfileString("windows", "DEVICE", ""), "printer");
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
    EXPECT_EQ(GetProfileString("Windows", "Device", "gone"), "gone");
    // The international section agrees with the format settings' defaults.
    EXPECT_EQ(GetProfileString("INTL", "SSHORTDATE", ""), TFormatSettings().ShortDateFormat);
}

}  // namespace
}  // namespace vex
