#include "platform/core/format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"

namespace vex {
namespace {

struct FloatCase {
    double Value;
    const char* Expected;
};

// Central European conventions: comma decimals, dot thousands, currency after the amount.
TFormatSettings EuropeanSettings() {
    TFormatSettings s;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = '.';
    s.CurrencyString = "kr";
    s.CurrencyFormat = 3;
    s.NegCurrFormat = 8;
    return s;
}

TEST(FormatIntegers, PadWidthsJustifyAndZeroFillToThePrecision) {
    EXPECT_EQ(Format("[%5d|%-5d|%.4d|%2d]", {42, 42, -42, 12345}), "[   42|42   |-0042|12345]");
    EXPECT_EQ(Format("%x %.4X %8.3x", {255, 255, 10}), "FF 00FF      00A");
    EXPECT_EQ(Format("%%%d%%", {5}), "%5%");
    EXPECT_EQ(Format("%p", {reinterpret_cast<const void*>(0x1234)}), "00001234");
}

TEST(FormatIntegers, ShowNegativeIntegersIn32BitsAndWideValuesWhole) {
    EXPECT_EQ(Format("%u %x", {-1, -1}), "4294967295 FFFFFFFF");
    EXPECT_EQ(Format("%u %x", {int64_t{-1}, int64_t{-1}}), "18446744073709551615 FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%d %d", {UINT64_MAX, INT64_MIN}),
              "18446744073709551615 -9223372036854775808");
    EXPECT_EQ(Format("%d %d %d", {uint32_t{4000000000}, uint8_t{200}, int16_t{-7}}),
              "4000000000 200 -7");
    static_assert(!std::is_convertible_v<bool, TVarRec>);
}

TEST(FormatArguments, StarsTakeTheNextIntegerArgument) {
    EXPECT_EQ(Format("%*d|%-*d|%.*f", {5, 1, 4, 2, 1, 3.14159}), "    1|2   |3.1");
    EXPECT_EQ(Format("%*:d", {1, 10, 20}), "10");
    EXPECT_EQ(Format("[%*d]", {-3, 7}), "[7]");
}

TEST(FormatArguments, AnIndexMovesTheCounterForLaterDirectives) {
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    EXPECT_EQ(Format("%1:d %d %0:d %d", {1, 2, 3}), "2 3 1 2");
    EXPECT_EQ(Format("%0:s-%0:s", {"x"}), "x-x");
}

TEST(FormatArguments, StringsAndCharactersHonourWidthAndMaximumLength) {
    const std::string owned = "str";
    EXPECT_EQ(Format("%.3s|%5s|%-3s|%s|%s", {"abcdef", "ab", 'x', owned, std::string_view("vw")}),
              "abc|   ab|x  |str|vw");
    EXPECT_EQ(Format("[%s]", {static_cast<const char*>(nullptr)}), "[]");
    const std::vector<TVarRec> args{7, "th"};
    EXPECT_EQ(Format("%d%s", args), "7th");
}

TEST(FormatFloats, EveryTypeRoundsHalfAwayFromZero) {
    EXPECT_EQ(Format("%e", {1000.0}), "1.00000000000000E+003");
    EXPECT_EQ(Format("%.3e|%.2e", {-0.000123456, 0.125}), "-1.23E-004|1.3E-001");
    EXPECT_EQ(Format("%f|%.0f|%.1f|%.2f|%.2f", {1.005, 2.5, -0.25, 0.125, -0.004}),
              "1.00|3|-0.3|0.13|0.00");
    EXPECT_EQ(Format("%g|%g|%.3g|%g|%G", {0.1, 1e20, 1234.5, -1.5e-7, 100.0}),
              "0.1|1E20|1.23E3|-1.5E-7|100");
    EXPECT_EQ(Format("%n|%.0n|%.1n", {1234567.891, -1234.5, 999.96}),
              "1,234,567.89|-1,235|1,000.0");
    EXPECT_EQ(Format("%m|%m", {1234.5, -0.5}), "$1,234.50|($0.50)");
    EXPECT_EQ(Format("%8.3f|%-8.3f|", {3.14159, 3.14159}), "   3.142|3.142   |");
    EXPECT_EQ(Format("%f|%e", {std::nan(""), -HUGE_VAL}), "NAN|-INF");
}

TEST(FormatFloats, SeparatorsComeFromTheFormatSettings) {
    TFormatSettings s;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = ' ';
    TFormatSettingsOverride use(s);
    EXPECT_EQ(Format("%n|%f|%e", {-1234567.5, 0.5, 1.5}),
              "-1 234 567,50|0,50|1,50000000000000E+000");
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1 234,50");
}

TEST(FormatFloats, MoneyFollowsTheCurrencyLayouts) {
    TFormatSettingsOverride use(EuropeanSettings());
    EXPECT_EQ(Format("%m|%m|%.0m", {1234.5, -1234.5, -0.4}), "1.234,50 kr|-1.234,50 kr|0 kr");
    FormatSettings().CurrencyFormat = 2;
    FormatSettings().NegCurrFormat = 15;
    FormatSettings().CurrencyDecimals = 0;
    EXPECT_EQ(Format("%m|%m", {7.5, -7.5}), "kr 8|(8 kr)");
    FormatSettings().NegCurrFormat = 12;
    EXPECT_EQ(FloatToStrF(-7.25, ffCurrency, 15, 1), "kr -7,3");
}

TEST(FormatErrors, MissingWrongOrMalformedDirectivesAreReported) {
    const std::vector<std::pair<const char*, std::vector<TVarRec>>> bad = {
        {"%d", {}},
        {"%d %d", {1}},
        {"%d", {"x"}},
        {"%s", {1}},
        {"%f", {1}},
        {"%d", {1.0}},
        {"%p", {1}},
        {"%y", {1}},
        {"tail %", {}},
        {"%-", {1}},
        {"%5.", {1}},
        {"%*d", {"x", 1}},
        {"%5:d", {1}},
        {"%:d", {1}},
        {"%99999999999d", {1}},
        {"%.*s", {1 << 30, "x"}},
    };
    for (const auto& [fmt, args] : bad) {
        SCOPED_TRACE(fmt);
        EXPECT_THROW(Format(fmt, args), EConvertError);
    }
    try {
        Format("%d items", {"three"});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '%d items' invalid or incompatible with argument");
    }
}

TEST(FloatToStr, SwitchesToTheExponentFormAtFifteenDigitsAndBelowTenThousandths) {
    const std::vector<FloatCase> cases = {
        {1e14, "100000000000000"},
        {1e15, "1E15"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E15"},
        {123456789012345678.0, "1.23456789012346E17"},
        {1e20, "1E20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-0.00012345, "-0.00012345"},
        {1.5e-7, "1.5E-7"},
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-0.0, "0"},
        {-1e-300, "-1E-300"},
        {DBL_MAX, "1.79769313486232E308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {std::nan(""), "NAN"},
        {HUGE_VAL, "INF"},
        {-HUGE_VAL, "-INF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(FloatToStr(c.Value), c.Expected);
    }
}

TEST(FloatToStrF, FixedFormsPadDecimalsAndFallBackWhenTooWide) {
    EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2), "1E20");
    EXPECT_EQ(FloatToStrF(123456789.123456789, ffFixed, 15, 10), "123456789.1234570000");
    EXPECT_EQ(FloatToStrF(999.9996, ffFixed, 15, 3), "1000.000");
    EXPECT_EQ(FloatToStrF(-999.9996, ffNumber, 15, 2), "-1,000.00");
    EXPECT_EQ(FloatToStrF(0.5, ffExponent, 1, 0), "5E-1");
    EXPECT_EQ(FloatToStrF(0.0, ffExponent, 3, 2), "0.00E+00");
    EXPECT_EQ(FloatToStrF(1e100, ffGeneral, 15, 4), "1E0100");
}

TEST(FormatFloat, PlaceholdersShowRequiredAndOptionalDigits) {
    const std::vector<std::pair<const char*, FloatCase>> cases = {
        {"0.00", {1.005, "1.00"}},
        {"0.00", {0.125, "0.13"}},
        {"0.00", {-0.125, "-0.13"}},
        {"0.00", {-0.001, "0.00"}},
        {"#,##0.00", {1234567.891, "1,234,567.89"}},
        {"#,##0", {-999.5, "-1,000"}},
        {"#.##", {0.5, ".5"}},
        {"#", {0, ""}},
        {"0.##", {1, "1"}},
        {"0.0#", {2.125, "2.13"}},
        {"000", {7, "007"}},
        {"0,000", {12, "0,012"}},
        {"0", {123456, "123456"}},
        {".00", {12.5, "12.50"}},
        {"(000) 000-0000", {5551234567.0, "(555) 123-4567"}},
        {"$#,##0", {-1234, "-$1,234"}},
        {"", {1.5, "1.5"}},
        {"#,##0", {123456789012345678.0, "123,456,789,012,345,680"}},
        {"#,##0", {-1e20, "-1E20"}},
    };
    for (const auto& [format, c] : cases) {
        SCOPED_TRACE(format);
        EXPECT_EQ(FormatFloat(format, c.Value), c.Expected);
    }
}

TEST(FormatFloat, ExponentsKeepTheirCaseSignRuleAndDigitCount) {
    EXPECT_EQ(FormatFloat("0.00E+00", 1234.5), "1.23E+03");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.000123), "1.2E-4");
    EXPECT_EQ(FormatFloat("0.0E-0", 12300), "1.2E4");
    EXPECT_EQ(FormatFloat("00.0e+000", 12345), "12.3e+003");
    EXPECT_EQ(FormatFloat("0.0E+00", 0), "0.0E+00");
    EXPECT_EQ(FormatFloat("0.0E+00", -9.96), "-1.0E+01");
}

TEST(FormatFloat, SectionsPickTheLayoutForTheSignAndLiteralsPassThrough) {
    const char* three = "0.00;(0.00);'zero'";
    EXPECT_EQ(FormatFloat(three, 2), "2.00");
    EXPECT_EQ(FormatFloat(three, -3.5), "(3.50)");
    EXPECT_EQ(FormatFloat(three, 0), "zero");
    EXPECT_EQ(FormatFloat(three, -0.001), "zero");
    EXPECT_EQ(FormatFloat("0.00;;'nil'", -3.5), "-3.50");
    EXPECT_EQ(FormatFloat("0.00;;'nil'", 0), "nil");
    EXPECT_EQ(FormatFloat("0;(0)", 0), "0");
    EXPECT_EQ(FormatFloat("'Total: '0.0\" kg\"", 2.25), "Total: 2.3 kg");
    EXPECT_EQ(FormatFloat("'#0;'0", 5), "#0;5");
    EXPECT_EQ(FormatFloat("0 'x", 5), "5 x");
}

TEST(StrToFloat, ReadsTheLocaleDecimalSeparatorAndNothingElse) {
    TFormatSettingsOverride use(EuropeanSettings());
    EXPECT_EQ(StrToFloat(" 1,5 "), 1.5);
    EXPECT_EQ(StrToFloat("-2,5e3"), -2500);
    EXPECT_EQ(StrToFloat("+,5"), 0.5);
    EXPECT_EQ(StrToFloat("5,"), 5);
    EXPECT_EQ(StrToFloat("1E-400"), 0);
    EXPECT_EQ(StrToFloat("0,1"), 0.1);
    for (const char* bad : {"1.5", "1.000,5", "", " ", ",", "e5", "1e", "1e+", "1,5x", "1e400",
                            "-1e400", "INF", "nan", "0x10", "1 5"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(StrToFloat(bad), EConvertError);
    }
    try {
        StrToFloat("1.5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1.5' is not a valid floating point value");
    }
    EXPECT_EQ(StrToFloatDef("x", 7), 7);
    double v = 3;
    EXPECT_FALSE(TryStrToFloat("1e", v));
    EXPECT_TRUE(TryStrToFloat("12345678901234567890", v));
    EXPECT_EQ(v, 12345678901234567890.0);
}

TEST(StrToFloat, ReadsBackWhatFloatToStrWrote) {
    for (double value : {0.1, -123.456, 1e-300, 6.02214076e23, 1.0 / 3}) {
        SCOPED_TRACE(value);
        EXPECT_NEAR(StrToFloat(FloatToStr(value)), value, std::abs(value) * 1e-14);
    }
}

}  // namespace
}  // namespace vex
