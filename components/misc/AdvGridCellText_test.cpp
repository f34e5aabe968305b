#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "components/misc/AdvGridCellText.h"
#include "components/misc/AdvGridPan.h"

namespace vex {
namespace {

TEST(AdvGridCellText, LinesBreakAtCrWithALfBelongingToTheBreak) {
    const struct {
        std::string_view Text;
        std::vector<std::string_view> Lines;
    } cases[] = {
        {"", {""}},
        {"one", {"one"}},
        {"one\rtwo", {"one", "two"}},
        {"one\r\ntwo", {"one", "two"}},
        {"one\n\rtwo", {"one\n", "two"}},
        {"one\r\r\nthree", {"one", "", "three"}},
        {"end\r", {"end", ""}},
        {"end\r\n", {"end", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Text));
        EXPECT_EQ(CellLines(c.Text), c.Lines);
    }
}

TEST(AdvGridCellText, LinksAreTextsWithASchemeOrMailtoAndShowWithoutIt) {
    const struct {
        std::string_view Text;
        bool Link;
        std::string_view Shown;
    } cases[] = {
        {"http://example.test/a", true, "example.test/a"},
        {"mailto:ann@example.test", true, "ann@example.test"},
        {"see ftp://host", true, "host"},
        {"mailto:x?u=http://y", true, "x?u=http://y"},
        {"http://a/?to=mailto:b", true, "a/?to=mailto:b"},
        {"example.test", false, "example.test"},
        {"mail to: ann", false, "mail to: ann"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Text));
        EXPECT_EQ(IsLinkText(c.Text), c.Link);
        EXPECT_EQ(LinkShownText(c.Text, false), c.Shown);
        EXPECT_EQ(LinkShownText(c.Text, true), c.Text);
    }
}

// Six pixels a character, as the fixed-metric font draws; "..." is 18 wide.
int32_t FixedWidth(std::string_view Text) {
    return 6 * static_cast<int32_t>(Text.size());
}

// Narrow and wide letters, so the longest fitting start is not a matter of division.
int32_t ProportionalWidth(std::string_view Text) {
    int32_t width = 0;
    for (char ch : Text)
        width += ch == 'i' || ch == '.' ? 3 : ch == 'W' ? 11 : 7;
    return width;
}

TEST(AdvGridCellText, EllipsisKeepsTheLongestStartThatFitsWithTheDots) {
    const struct {
        std::string_view Text;
        int32_t Width;
        std::string_view Shown;
    } cases[] = {
        {"abcdef", 36, "abcdef"},                         // fits exactly
        {"abcdef", 35, "ab..."},                          // 2 characters and the dots are 30
        {"abcdef", 24, "a..."},   {"abcdef", 23, "..."},  // no character fits beside the dots
        {"abcdef", 18, "..."},    {"abcdef", 17, ""},     // not even the dots fit
        {"abcdef", 0, ""},        {"", 0, ""},           {"ab", -5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Text) + " in " + std::to_string(c.Width));
        EXPECT_EQ(EllipsisText(c.Text, c.Width, FixedWidth), c.Shown);
    }
}

TEST(AdvGridCellText, EllipsisGivesWhatCuttingOneCharacterAtATimeGives) {
    const std::string text = "WiWiiWW.iWabcWiiii.WWW";
    // The cut the one-character loop makes: shorten until the start and the dots fit.
    auto byLoop = [&](int32_t Width) {
        if (ProportionalWidth(text) <= Width) return text;
        std::string start = text;
        while (!start.empty() && ProportionalWidth(start + "...") > Width)
            start.pop_back();
        return ProportionalWidth(start + "...") <= Width ? start + "..." : std::string();
    };
    for (int32_t width = 0; width <= ProportionalWidth(text) + 2; ++width) {
        SCOPED_TRACE(width);
        int32_t measured = 0;
        const std::string shown = EllipsisText(text, width, [&](std::string_view Piece) {
            ++measured;
            return ProportionalWidth(Piece);
        });
        EXPECT_EQ(shown, byLoop(width));
        // The whole text, the dots alone, then a halving search over 22 characters.
        EXPECT_LE(measured, 2 + 5);
    }
}

TEST(AdvGridPan, ScrollsNothingOverTheAnchorAndFasterFartherAway) {
    const struct {
        int32_t Offset;
        int32_t Step;
    } cases[] = {
        {0, 0},  {16, 0}, {-16, 0},  {17, 1},   {-17, -1},
        {47, 1}, {48, 2}, {-49, -2}, {400, 13}, {INT32_MIN, -67108864},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Offset);
        EXPECT_EQ(PanStep(c.Offset), c.Step);
    }
}

}  // namespace
}  // namespace vex
