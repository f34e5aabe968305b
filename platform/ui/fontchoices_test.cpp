#include "platform/ui/fontchoices.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vex {
namespace {

TEST(FontChoices, TheFamiliesOfferedFollowTheDeviceAndWysiwyg) {
    const std::vector<TFontFace> screen = {{"Alpha", ANSI_CHARSET, VARIABLE_PITCH, true},
                                           {"Alpha", GREEK_CHARSET, VARIABLE_PITCH, true},
                                           {"Bitmap", ANSI_CHARSET, FIXED_PITCH, false},
                                           {"Common", ANSI_CHARSET, VARIABLE_PITCH, true}};
    const std::vector<TFontFace> printer = {{"Bitmap", ANSI_CHARSET, FIXED_PITCH, false},
                                            {"Common", ANSI_CHARSET, VARIABLE_PITCH, true},
                                            {"Printer Only", ANSI_CHARSET, VARIABLE_PITCH, true}};
    using TNames = std::vector<std::string>;
    const struct {
        TFontDialogDevice Device;
        TFontDialogOptions Options;
        TNames Expected;
    } cases[] = {
        {fdScreen, {}, {"Alpha", "Bitmap", "Common"}},
        {fdPrinter, {}, {"Bitmap", "Common", "Printer Only"}},
        {fdBoth, {}, {"Alpha", "Bitmap", "Common", "Printer Only"}},
        {fdScreen, {fdWysiwyg}, {"Common"}},
        {fdBoth, {fdWysiwyg}, {"Common"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FontDialogFamilies(screen, printer, c.Device, c.Options), c.Expected)
            << "device " << c.Device << (c.Options.Contains(fdWysiwyg) ? " wysiwyg" : "");
}

TEST(FontChoices, TheSizesListedAndTakenKeepWithinTheLimits) {
    using TSizes = std::vector<int32_t>;
    const struct {
        int32_t Min, Max;
        TSizes Listed;
        const char* Range;
    } limits[] = {
        {0, 0, {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}, "1 and 750"},
        {10, 20, {10, 11, 12, 14, 16, 18, 20}, "10 and 20"},
        {30, 0, {36, 48, 72}, "30 and 750"},
        {0, 9, {8, 9}, "1 and 9"},
        {20, 10, {20}, "20 and 20"},  // a maximum below the minimum is the minimum
    };
    for (const auto& l : limits) {
        EXPECT_EQ(FontDialogSizes(l.Min, l.Max), l.Listed) << l.Min << ".." << l.Max;
        EXPECT_EQ(FontSizeRangeText(l.Min, l.Max),
                  std::string("Size must be between ") + l.Range + " points.");
    }

    const struct {
        const char* Text;
        int32_t Min, Max;
        std::optional<int32_t> Taken;
    } typed[] = {
        {"12", 0, 0, 12},   {" 14 ", 0, 0, 14},       {"750", 0, 0, 750}, {"751", 0, 0, {}},
        {"0", 0, 0, {}},    {"-3", 0, 0, {}},         {"12.5", 0, 0, {}}, {"twelve", 0, 0, {}},
        {"", 0, 0, {}},     {"2147483648", 0, 0, {}}, {"9", 10, 20, {}},  {"21", 10, 20, {}},
        {"20", 10, 20, 20},
    };
    for (const auto& t : typed)
        EXPECT_EQ(ParseFontSize(t.Text, t.Min, t.Max), t.Taken)
            << "'" << t.Text << "' within " << t.Min << ".." << t.Max;
}

TEST(FontChoices, StylesGoByNameAndBackLeavingTheEffectsAside) {
    EXPECT_EQ(FontStyleNamed("bold italic"), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(FontStyleNamed(" Regular "), TFontStyles{});
    EXPECT_EQ(FontStyleNamed("Heavy"), std::nullopt);
    EXPECT_EQ(FontStyleName({fsItalic, fsUnderline}), "Italic");
    EXPECT_EQ(FontStyleName({fsStrikeOut}), "Regular");
    for (const TNamedFontStyle& style : FontDialogStyles())
        EXPECT_EQ(FontStyleName(style.Style), style.Name);
}

}  // namespace
}  // namespace vex
