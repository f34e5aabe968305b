#include "tools/rescomp/stringtable.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tools/rescomp/resourceerror.h"
#include "tools/rescomp/textencoding.h"

namespace vex::rescomp {
namespace {

std::string OnlyText(std::string_view Table) {
    const auto entries = ParseStringTable(Table, "t.txt");
    if (entries.size() != 1) throw std::runtime_error("expected one entry");
    return entries[0].Text;
}

TEST(ParseStringTable, ReadsNumbersAndTextsSkippingCommentsAndBlankLines) {
    const auto entries = ParseStringTable(
        "\xEF\xBB\xBF# heading\r\n"
        "\r\n"
        "57000 \"Operation timed out\"\r\n"
        "  \t# indented comment\n"
        "0\t\"\"  \n"
        "65535 \"# not a comment\"",
        "t.txt");
    ASSERT_EQ(entries.size(), 3u);
    const std::tuple<int32_t, std::string, int> expected[] = {
        {57000, "Operation timed out", 3}, {0, "", 5}, {65535, "# not a comment", 6}};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::tie(entries[i].Id, entries[i].Text, entries[i].Line), expected[i]);
}

TEST(ParseStringTable, ResolvesEveryEscapeAndConvertsUtf8ToWindows1252) {
    EXPECT_EQ(OnlyText(R"(1 "a\"b\\c\nd\re\tf")"), "a\"b\\c\nd\re\tf");
    EXPECT_EQ(OnlyText(R"(1 "\x00\x7f\x80\xFF\xe9")"), std::string("\x00\x7f\x80\xff\xe9", 5));
    EXPECT_EQ(OnlyText(R"(1 "\\x41")"), "\\x41");  // an escaped backslash ends the escape
    EXPECT_EQ(OnlyText("1 \"caf\xC3\xA9 \xC3\xA0 \xC3\x9F\xC3\xBF\""), "caf\xe9 \xe0 \xdf\xff");
    EXPECT_EQ(OnlyText("1 \"\xE2\x82\xAC 5\""), "\x80 5");  // euro sign
    EXPECT_EQ(OnlyText("1 \"\xC5\xA0\xC5\xB8\xE2\x84\xA2\""),
              "\x8a\x9f\x99");  // S-caron, Y-diaeresis, TM
    EXPECT_EQ(OnlyText("1 \"\xE2\x80\x9Cq\xE2\x80\x9D\""), "\x93q\x94");  // curly quotes
}

TEST(UnicodeTo1252, MapsTheWholeCodePageAndNothingElse) {
    int mapped = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (UnicodeTo1252(c)) ++mapped;
    }
    EXPECT_EQ(mapped, 256 - 5);         // 0x81, 0x8D, 0x8F, 0x90 and 0x9D are unassigned
    EXPECT_FALSE(UnicodeTo1252(0x81));  // a C1 control, not the byte 0x81
    EXPECT_FALSE(UnicodeTo1252(0x1F600));
    EXPECT_EQ(UnicodeTo1252(0x20AC), 0x80);
    EXPECT_EQ(UnicodeTo1252(0x0178), 0x9F);
}

TEST(ParseStringTable, RejectsFaultsNamingFileAndLine) {
    const std::tuple<const char*, int, std::string> cases[] = {
        {"1 \"ok\"\n\"no number\"", 2, "expected a string number"},
        {"-1 \"x\"", 1, "string number -1 is outside 0 to 65535"},
        {"# c\n65536 \"x\"", 2, "string number 65536 is outside 0 to 65535"},
        {"99999999999999999999 \"x\"", 1, "string number 99999999999999999999 is outside"},
        {"1 x", 1, "expected a quoted text after the number"},
        {"1", 1, "expected a quoted text after the number"},
        {"\n\n1 \"open", 3, "missing closing quote"},
        {"1 \"ends in \\\"", 1, "missing closing quote"},
        {"1 \"a\" b", 1, "unexpected text after the closing quote"},
        {"1 \"a\" # trailing", 1, "unexpected text after the closing quote"},
        {"1 \"\\q\"", 1, "unknown escape \\q"},
        {"1 \"\\x4\"", 1, "\\x needs two hexadecimal digits"},
        {"1 \"\\xg0\"", 1, "\\x needs two hexadecimal digits"},
        {"1 \"a\\", 1, "escape at the end of the line"},
        {"1 \"\xE3\x81\x82\"", 1, "character U+3042 has no Windows-1252 form"},
        {"1 \"\xC2\x81\"", 1, "character U+0081 has no Windows-1252 form"},
        {"1 \"ok\"\n2 \"caf\xE9\"", 2, "invalid UTF-8"},  // Latin-1, not UTF-8
        {"# caf\xE9\n", 1, "invalid UTF-8"},              // comments too
        {"1 \"\xC0\xA9\"", 1, "invalid UTF-8"},           // overlong
        {"1 \"\xED\xA0\x80\"", 1, "invalid UTF-8"},       // surrogate
        {"1 \"\xF4\x90\x80\x80\"", 1, "invalid UTF-8"},   // past U+10FFFF
        {"1 \"\xE2\x82\"", 1, "invalid UTF-8"},           // cut off
    };
    for (const auto& [text, line, message] : cases) {
        SCOPED_TRACE(text);
        try {
            ParseStringTable(text, "dir/t.txt");
            ADD_FAILURE() << "accepted";
        } catch (const ResourceError& e) {
            EXPECT_EQ(e.File(), "dir/t.txt");
            EXPECT_EQ(e.Line(), line);
            EXPECT_EQ(e.what(), "dir/t.txt:" + std::to_string(line) + ": " + e.Message());
            EXPECT_TRUE(e.Message().starts_with(message)) << e.Message();
        }
    }
}

}  // namespace
}  // namespace vex::rescomp
