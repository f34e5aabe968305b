#include "platform/ui/editmask.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/formatsettings.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string kCases = VEX_TEST_DIR "/testdata/editmask.txt";

int32_t Int32(const test::TestCase& C, size_t I) {
    return static_cast<int32_t>(C.Int(I));
}

TEST(EditMask, ReadsItsThreeFields) {
    for (const test::TestCase& c : test::ReadCases(kCases, "props")) {
        SCOPED_TRACE(c.Where);
        const TEditMask mask(c[0]);
        EXPECT_EQ(mask.IsMasked(), c.Int(1) != 0);
        EXPECT_EQ(mask.Length(), Int32(c, 2));
        EXPECT_EQ(mask.SaveLiterals(), c.Int(3) != 0);
        EXPECT_EQ(mask.Blank(), c[4].at(0));
    }
}

TEST(EditMask, FormatsAStoredTextForEditing) {
    for (const test::TestCase& c : test::ReadCases(kCases, "format")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(TEditMask(c[0]).FormatText(c[1]), c[2]);
    }
}

TEST(EditMask, ExtractsTheStoredTextWithAndWithoutLiterals) {
    for (const test::TestCase& c : test::ReadCases(kCases, "extract")) {
        SCOPED_TRACE(c.Where);
        const TEditMask mask(c[0]);
        EXPECT_EQ(mask.ExtractText(c[1]), c[2]);
        EXPECT_EQ(mask.ExtractText(c[1], false), c[3]);
    }
}

TEST(EditMask, TakesOnlyWhatEachPositionAllowsShiftingItsCase) {
    for (const test::TestCase& c : test::ReadCases(kCases, "accept")) {
        SCOPED_TRACE(c.Where);
        const std::optional<char> stored = TEditMask(c[0]).AcceptChar(Int32(c, 1), c[2].at(0));
        if (c[3] == "refused")
            EXPECT_FALSE(stored.has_value());
        else
            EXPECT_EQ(stored, c[3].at(0));
    }
}

TEST(EditMask, TypesTextThroughTheMask) {
    for (const test::TestCase& c : test::ReadCases(kCases, "input")) {
        SCOPED_TRACE(c.Where);
        std::string edit = c[1];
        const TEditMask::TInputResult result = TEditMask(c[0]).Input(edit, Int32(c, 2), c[3]);
        EXPECT_EQ(edit, c[4]);
        EXPECT_EQ(result.Pos, Int32(c, 5));
        EXPECT_EQ(result.Refused, c.Int(6) != 0);
    }
}

TEST(EditMask, FindsTheFirstPositionInError) {
    for (const test::TestCase& c : test::ReadCases(kCases, "errors")) {
        SCOPED_TRACE(c.Where);
        const TEditMask mask(c[0]);
        EXPECT_EQ(mask.FirstError(c[1]), Int32(c, 2));
        EXPECT_EQ(mask.Validate(c[1]), c.Int(2) < 0);
    }
}

TEST(EditMask, StepsOverLiteralsBothWays) {
    const TEditMask mask("!\\(999\\)000-0000;1;_");
    const struct {
        int32_t From, Next, Prior;
    } cases[] = {{-5, 1, -1}, {0, 1, -1},   {1, 1, 1},    {4, 5, 3},
                 {8, 9, 7},   {12, 12, 12}, {13, 13, 12}, {99, 13, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.From);
        EXPECT_EQ(mask.NextInputPos(c.From), c.Next);
        EXPECT_EQ(mask.PriorInputPos(c.From), c.Prior);
    }
}

TEST(EditMask, ClearsDataPositionsAndKeepsLiterals) {
    const TEditMask mask("00-00;1;*");
    std::string edit = "12-34";
    mask.Clear(edit, 1, 4);
    EXPECT_EQ(edit, "1*-*4");
    mask.Clear(edit, -3, 99);
    EXPECT_EQ(edit, "**-**");
}

TEST(EditMask, TakesTheSeparatorsOfTheLocaleWhenItIsRead) {
    TFormatSettings german;
    german.DateSeparator = '.';
    german.TimeSeparator = '.';
    const TFormatSettingsOverride locale(german);
    const TEditMask mask("00/00 00:00;1;_");
    EXPECT_EQ(mask.EmptyEditText(), "__.__ __.__");
    std::string edit = mask.EmptyEditText();
    mask.Input(edit, 0, "24.12 18.30");
    EXPECT_EQ(mask.ExtractText(edit), "24.12 18.30");
}

}  // namespace
}  // namespace vex
