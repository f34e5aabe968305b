#include "dataaware/edits/wwdbcombolist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

TEST(ComboListSearch, FollowsTheComboTextOrGathersKeysBetweenPauses) {
    struct TCase {
        const char* Name;
        std::string Search;
        bool OwnerDraw;
        uint32_t Since;
        std::string Text;
        int32_t SelStart, SelLength;
        char Ch;
        std::string Next;
    };
    const std::string long31(31, 'x');
    const std::vector<TCase> cases = {
        {"typed at the end", "", false, 0, "ma", 2, 0, 'n', "man"},
        {"over the completed part", "", false, 0, "mango", 2, 3, 'r', "mar"},
        {"in the middle", "", false, 0, "mngo", 1, 0, 'a', "mango"},
        {"selection out of the text", "", false, 0, "ab", 7, 4, 'c', "abc"},
        {"cut to 32", "", false, 0, long31 + "yz", 33, 0, 'q', long31 + "y"},
        {"owner-drawn, quickly", "ma", true, 1500, "", 0, 0, 'n', "man"},
        {"owner-drawn, after a pause", "ma", true, 1501, "", 0, 0, 'n', "n"},
        {"owner-drawn, full", long31 + "y", true, 10, "", 0, 0, 'z', long31 + "y"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(
            wwNextListSearch(c.Search, c.OwnerDraw, c.Since, c.Text, c.SelStart, c.SelLength, c.Ch),
            c.Next);
    }
}

}  // namespace
}  // namespace vex
