#include "dataaware/data/Wwpict.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/casefile.h"

namespace vex {
namespace {

const char* ResultName(TwwPictureResult R) {
    static const char* const Names[] = {
        "complete",         "incomplete", "empty", "error", "syntax", "ambiguous (internal)",
        "nofill (internal)"};
    return Names[R];
}

TEST(WwPictureValidator, MatchesFollowTheTable) {
    for (const test::TestCase& c :
         test::ReadCases(VEX_TEST_DIR "/testdata/pictures.txt", "match")) {
        SCOPED_TRACE(c.Where);
        TwwPictureValidator validator(c[0], false);
        std::string text = c[1];
        EXPECT_STREQ(ResultName(validator.MatchPicture(text, c[2] == "on")), c[3].c_str());
        EXPECT_EQ(text, c[4]);
        EXPECT_EQ(validator.Status, c[3] == "syntax" ? vsSyntax : vsOk);
    }
}

// Typing lets incomplete text through and fills only when both the validator and the caller
// allow it; checking a whole text never changes it.
TEST(WwPictureValidator, CheckInputAndCheckTextAnswerForTypingAndLeaving) {
    TwwPictureValidator filling("(###)###-####", true);
    EXPECT_EQ(filling.Options, voFill);
    std::string typed = "(555";
    EXPECT_TRUE(filling.CheckInput(typed, false));
    EXPECT_EQ(typed, "(555)");
    typed = "(555";
    EXPECT_TRUE(filling.CheckInput(typed, true));
    EXPECT_EQ(typed, "(555");
    typed = "(55x";
    EXPECT_FALSE(filling.CheckInput(typed, false));

    const std::string partial = "(555";
    EXPECT_FALSE(filling.CheckText(partial));
    EXPECT_TRUE(filling.CheckText(""));
    EXPECT_TRUE(filling.CheckText("(555)123-4567"));

    TwwPictureValidator broken("[#", true);
    EXPECT_EQ(broken.Status, vsSyntax);
    std::string text = "1";
    EXPECT_TRUE(broken.CheckInput(text, false));
    EXPECT_FALSE(broken.CheckText("1"));
}

TEST(WwPassesPicture, EmptyTextAlwaysPassesAndOthersMustBeComplete) {
    EXPECT_TRUE(wwPassesPicture("##", ""));
    EXPECT_TRUE(wwPassesPicture("[#", ""));
    EXPECT_FALSE(wwPassesPicture("##", "1"));
    EXPECT_TRUE(wwPassesPicture("##", "12"));
    EXPECT_TRUE(wwPassesPicture("&&", "ab"));
    EXPECT_FALSE(wwPassesPicture("[#", "1"));
}

std::string Nested(size_t Levels, const std::string& Open, const std::string& Close) {
    std::string mask;
    for (size_t i = 0; i < Levels; ++i)
        mask += Open;
    mask += "#";
    for (size_t i = 0; i < Levels; ++i)
        mask += Close;
    return mask;
}

// No limit of eight-bit positions: long masks, long texts and counts above 255 match.
TEST(WwPictureValidator, MasksTextsAndCountsOfAnyLength) {
    const std::string digits(1000, '7');
    struct Case {
        std::string Mask, Text;
        TwwPictureResult Expected;
    } cases[] = {
        {std::string(300, '#'), std::string(300, '1'), picComplete},
        {std::string(300, '#'), std::string(299, '1'), picIncomplete},
        {"*#", digits, picComplete},
        {"*1000#", digits, picComplete},
        {"*1001#", digits, picIncomplete},
        {"*99999999999999999999999#", "12", picIncomplete},
        // A pass that takes no text is not repeated a hundred billion times.
        {"*99999999999[x]#", "5", picComplete},
        {"*99999999999{[x]}", "5", picError},
        // Each pass tries the long alternative first; it is not walked again to find the next.
        {"*{x" + std::string(100000, 'y') + ",#}", std::string(100000, '1'), picComplete},
        // Each pass of an outer repetition retries an alternative that runs inner repetitions
        // to the end of the text before it fails; nesting costs no power of the text's length.
        {"*{*{*{*{#}x,#}y,#}z,#}q", std::string(20000, '1') + "q", picComplete},
        {"*{*99999{*{#}x,#}y,#}q", std::string(20000, '1') + "q", picComplete},
        {"*{[*{[*#x]#}y]#}q", std::string(20000, '1') + "q", picComplete},
        {Nested(49, "*{", "x,#}") + "q", std::string(2000, '1') + "q", picComplete},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mask.substr(0, 40));
        TwwPictureValidator validator(c.Mask, false);
        std::string text = c.Text;
        EXPECT_STREQ(ResultName(validator.MatchPicture(text, false)), ResultName(c.Expected));
    }
}

// Nesting costs stack, so it is bounded: a hundred levels match, more are a malformed mask.
TEST(WwPictureValidator, NestingDeeperThanAHundredLevelsIsMalformed) {
    EXPECT_TRUE(wwPassesPicture(Nested(100, "{", "}"), "1"));
    EXPECT_EQ(TwwPictureValidator(Nested(101, "{", "}"), false).Status, vsSyntax);
    EXPECT_TRUE(wwPassesPicture(Nested(50, "*{", "}"), "1"));
    EXPECT_EQ(TwwPictureValidator(Nested(51, "*{", "}"), false).Status, vsSyntax);
    EXPECT_TRUE(wwPassesPicture(Nested(100, "*", ""), "1"));
    EXPECT_EQ(TwwPictureValidator(Nested(101, "*", ""), false).Status, vsSyntax);
    // Escaped brackets neither open nor close anything.
    EXPECT_TRUE(wwPassesPicture(Nested(200, ";{", ";}"),
                                std::string(200, '{') + "1" + std::string(200, '}')));
}

}  // namespace
}  // namespace vex
