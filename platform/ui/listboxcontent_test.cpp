#include "platform/ui/listboxcontent.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/exceptions.h"

namespace vex {
namespace {

std::vector<std::string> TextsOf(const TListBoxContent& Content) {
    std::vector<std::string> texts;
    for (int32_t i = 0; i < Content.Count(); ++i)
        texts.push_back(Content.Text(i));
    return texts;
}

TListBoxContent SortedOf(const std::vector<std::string>& Texts) {
    TListBoxContent content;
    for (const std::string& text : Texts)
        content.Add(text, nullptr, true);
    return content;
}

TEST(ListBoxContent, SortedAddsFollowTheCollatingOrderLettersInAnyCase) {
    const TListBoxContent content =
        SortedOf({"pear", "Apple", "\xE9tude", "apple", "Banana", "etude", "10", "2"});
    // Equal texts keep the order they came in; accents sort after the plain letter.
    EXPECT_EQ(TextsOf(content), (std::vector<std::string>{"10", "2", "Apple", "apple", "Banana",
                                                          "etude", "\xE9tude", "pear"}));
    EXPECT_TRUE(content.InOrder());
}

TEST(ListBoxContent, AnInsertOutOfOrderIsKeptWhereItWasPutAndSearchesStillFindIt) {
    TListBoxContent content = SortedOf({"alpha", "beta", "gamma"});
    EXPECT_EQ(content.Insert(0, "zeta", nullptr), 0);
    EXPECT_FALSE(content.InOrder());
    EXPECT_EQ(content.FindPrefix(TListBoxContent::NoItem, "Z"), 0);
    EXPECT_EQ(content.Add("delta", nullptr, true), 4);  // at the end: there is no order left
    content.Sort();
    EXPECT_EQ(TextsOf(content),
              (std::vector<std::string>{"alpha", "beta", "delta", "gamma", "zeta"}));
    EXPECT_EQ(content.Insert(6, "omega", nullptr), TListBoxContent::NoItem);
}

TEST(ListBoxContent, FindsAPrefixAfterTheStartGoingRoundToTheTop) {
    const TListBoxContent content = SortedOf({"Ant", "apple", "Bee", "bear", "cat", "Cow"});
    // Sorted: Ant apple bear Bee cat Cow
    const struct {
        int32_t Start;
        const char* Prefix;
        int32_t Found;
    } cases[] = {
        {-1, "a", 0}, {0, "a", 1}, {1, "a", 0},  {-1, "BE", 2},  {2, "be", 3},
        {3, "be", 2}, {5, "c", 4}, {4, "co", 5}, {-1, "d", -1},  {-1, "", 0},
        {5, "", 0},   {2, "", 3},  {99, "c", 4}, {-1, "Cow", 5}, {-1, "cows", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Start) + " " + c.Prefix);
        EXPECT_EQ(content.FindPrefix(c.Start, c.Prefix), c.Found);
    }
    EXPECT_EQ(content.FindExact(-1, "BEE"), 3);
    EXPECT_EQ(content.FindExact(-1, "Be"), -1);
}

// The halving search of a list in order finds what looking at every item finds, for texts that
// differ in case and accents only.
TEST(ListBoxContent, TheSearchOfAListInOrderAgreesWithLookingAtEveryItem) {
    std::mt19937 random(18);
    const std::string letters =
        "aAbB\xE9\xC9"
        "e";
    auto word = [&](size_t Max) {
        std::string w;
        const size_t length = random() % (Max + 1);
        for (size_t i = 0; i < length; ++i)
            w += letters[random() % letters.size()];
        return w;
    };
    for (int round = 0; round < 50; ++round) {
        TListBoxContent content;
        for (int i = 0; i < 40; ++i)
            content.Add(word(4), nullptr, true);
        ASSERT_TRUE(content.InOrder());
        for (int probe = 0; probe < 40; ++probe) {
            const std::string prefix = word(2);
            const auto start = static_cast<int32_t>(random() % 42) - 1;
            // A start out of range searches from the top.
            const int32_t from = start < content.Count() ? start : -1;
            int32_t expected = TListBoxContent::NoItem;
            for (int32_t step = 1; step <= content.Count() && expected < 0; ++step) {
                const int32_t i = (from + step) % content.Count();
                const std::string& text = content.Text(i);
                bool match = text.size() >= prefix.size();
                for (size_t k = 0; match && k < prefix.size(); ++k)
                    match = AnsiUpperChar(text[k]) == AnsiUpperChar(prefix[k]);
                if (match) expected = i;
            }
            ASSERT_EQ(content.FindPrefix(start, prefix), expected) << prefix << " " << start;
        }
    }
}

TEST(ListBoxContent, TheCurrentItemCaretAndAnchorStayOnTheirItems) {
    TListBoxContent content = SortedOf({"a", "b", "c", "d"});
    content.SetCurrent(1);
    content.SetCaret(2);
    content.SetAnchor(3);
    content.Insert(0, "z", nullptr);
    EXPECT_EQ(content.Current(), 2);
    EXPECT_EQ(content.Caret(), 3);
    EXPECT_EQ(content.Anchor(), 4);
    content.Delete(3);  // the caret's item goes
    EXPECT_EQ(content.Current(), 2);
    EXPECT_EQ(content.Caret(), TListBoxContent::NoItem);
    EXPECT_EQ(content.Anchor(), 3);
    content.Sort();  // z a b d: the marks go with "b" and "d"
    EXPECT_EQ(content.Text(content.Current()), "b");
    EXPECT_EQ(content.Text(content.Anchor()), "d");
    content.SetCurrent(9);
    EXPECT_EQ(content.Current(), TListBoxContent::NoItem);
}

TEST(ListBoxContent, CountsTheSelectionThroughRangesAndDeletes) {
    TListBoxContent content = SortedOf({"a", "b", "c", "d", "e"});
    content.SelectRange(3, 1, true);
    EXPECT_EQ(content.SelCount(), 3);
    content.SelectRange(-5, 0, true);
    EXPECT_EQ(content.SelCount(), 4);
    content.SetSelected(2, false);
    content.Delete(1);
    EXPECT_EQ(content.SelCount(), 2);
    EXPECT_TRUE(content.Selected(0));
    EXPECT_TRUE(content.Selected(2));
    EXPECT_FALSE(content.SetSelected(7, true));
    content.ClearSelection();
    EXPECT_EQ(content.SelCount(), 0);
    EXPECT_THROW(content.Text(4), EListError);
}

}  // namespace
}  // namespace vex
