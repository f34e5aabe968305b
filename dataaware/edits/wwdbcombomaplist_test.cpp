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

TEST(ComboMapList, MapsValuesToTheirTextsAndBack) {
    const TStringList items = ListOf({"Red\tR", "Rose\tR", "Green\tG", "Tab\tT\tU", "Plain"});
    struct TCase {
        bool MapList;
        std::string Value, Display;
    };
    // Value to display text.
    for (const TCase& c : std::vector<TCase>{{true, "T\tU", "Tab"},
                                             {true, "", "Plain"},
                                             {true, "r", ""},
                                             {true, "X", ""},
                                             {false, "R", "R"},
                                             {false, "X", "X"}}) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(wwDisplayOfValue(items, c.MapList, c.Value), c.Display);
    }
    // Display text to value.
    for (const TCase& c : std::vector<TCase>{{true, "R", "Rose"},
                                             {true, "T\tU", "Tab"},
                                             {true, "", "Plain"},
                                             {true, "", "red"},
                                             {true, "", "Purple"},
                                             {false, "Red\tR", "Red\tR"},
                                             {false, "Red", "Red"}}) {
        SCOPED_TRACE(c.Display);
        EXPECT_EQ(wwValueOfText(items, c.MapList, c.Display), c.Value);
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
