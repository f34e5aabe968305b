#include "dataaware/edits/wwdbcombomaplist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

TStringList ListOf(const std::vector<std::string>& Items) {
    TStringList list;
    for (const std::string& item : Items)
        list.Add(item);
    return list;
}

TEST(ComboMapList, FindsTheFirstItemShowingATextOrStoringAValue) {
    const TStringList items = ListOf({"Red\tR", "Rose\tR", "Green\tG", "Tab\tT\tU", "Plain"});
    struct TCase {
        bool MapList;
        std::string Text;
        int32_t Found;
    };
    // By stored value: the first TAB parts an item; an item without one stores nothing.
    for (const TCase& c : std::vector<TCase>{{true, "R", 0},
                                             {true, "T\tU", 3},
                                             {true, "", 4},
                                             {true, "r", -1},
                                             {true, "X", -1},
                                             {false, "Plain", 4},
                                             {false, "R", -1}}) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(wwIndexOfValue(items, c.MapList, c.Text), c.Found);
    }
    // By display text, exactly.
    for (const TCase& c : std::vector<TCase>{{true, "Rose", 1},
                                             {true, "Tab", 3},
                                             {true, "Plain", 4},
                                             {true, "red", -1},
                                             {true, "Purple", -1},
                                             {false, "Red\tR", 0},
                                             {false, "Red", -1}}) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(wwIndexOfDisplay(items, c.MapList, c.Text), c.Found);
    }
}

TEST(ComboMapList, FindsAPrefixOnceRoundTheListInAnyCase) {
    const TStringList items = ListOf({"Apple\ta", "Mango\tm", "mandarin\td", "\xC4pfel\tx"});
    struct TCase {
        int32_t First;
        std::string Prefix;
        int32_t Found;
    };
    for (const TCase& c : std::vector<TCase>{{0, "m", 1},
                                             {1, "m", 1},
                                             {2, "M", 2},
                                             {3, "ma", 1},
                                             {-1, "MAND", 2},
                                             {4, "a", 0},
                                             {0, "\xE4p", 3},
                                             {0, "Apple\t", -1},
                                             {0, "x", -1},
                                             {0, "", -1}}) {
        SCOPED_TRACE(c.Prefix + " from " + std::to_string(c.First));
        EXPECT_EQ(wwFindDisplayPrefix(items, true, c.First, c.Prefix), c.Found);
    }
    EXPECT_EQ(wwFindDisplayPrefix(TStringList(), true, 0, "a"), -1);
}

}  // namespace
}  // namespace vex
