#include "tools/strtable/texttable.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

#include "tools/rescomp/resourceerror.h"

namespace vex::strtable {
namespace {

TEST(ParseTextTable, ReadsNumbersAndEveryCharacterOfTheirTextsSkippingComments) {
    auto entries = ParseTextTable(
        "\xEF\xBB\xBF# heading\r\n"
        "\r\n"
        "34189 \"No Window's timers are available\"\r\n"
        "  \t# indented comment\n"
        "-2147483648\t\"\"  \n"
        "2147483647 \"# not a comment\"",
        "t.txt");
    ASSERT_EQ(entries.size(), 3u);
    const std::tuple<int32_t, std::u16string, int> expected[] = {
        {34189, u"No Window's timers are available", 3},
        {INT32_MIN, u"", 5},
        {INT32_MAX, u"# not a comment", 6}};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::tie(entries[i].Id, entries[i].Text, entries[i].Line), expected[i]);

    // Every character is kept and escapes are resolved.
    entries = ParseTextTable(
        "1 \"a\\\"b\\\\c\\nd\\re\\tf\"\n"
        "2 \"caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80\"\n"
        "3 \"\\x80\\xE9\"\n",
        "t.txt");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Text, u"a\"b\\c\nd\re\tf");
    EXPECT_EQ(entries[1].Text, u"caf\u00E9 \u20AC \u4E2D \U0001F600");
    EXPECT_EQ(entries[1].Text.size(), 11u);       // the last character takes two units
    EXPECT_EQ(entries[2].Text, u"\u20AC\u00E9");  // bytes of the libraries' code page
}

TEST(ParseTextTable, RejectsIdsOutside32BitsAndDuplicatesNamingFileAndLine) {
    // The line grammar is shared with the resource compiler and tested with it; these are the
    // rules of this table format.
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"2147483648 \"\"",
         "t.txt:1: string number 2147483648 is outside -2147483648 to 2147483647"},
        {"-99999999999999999999 \"\"",
         "t.txt:1: string number -99999999999999999999 is outside -2147483648 to 2147483647"},
        {"7 \"a\"\n\n7 \"b\"", "t.txt:3: string number 7 is already defined on line 1"},
    };
    for (const auto& [table, message] : cases) {
        SCOPED_TRACE(table);
        try {
            ParseTextTable(table, "t.txt");
            ADD_FAILURE() << "no error";
        } catch (const rescomp::ResourceError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

}  // namespace
}  // namespace vex::strtable
