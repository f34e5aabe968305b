#include "net/linestream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

std::vector<std::string> AllLines(const std::string& Text) {
    TLineStream stream;
    stream.Write(Text.data(), static_cast<int32_t>(Text.size()));
    stream.Reset();
    std::vector<std::string> lines;
    std::string line;
    while (stream.ReadLine(line))
        lines.push_back(line);
    EXPECT_TRUE(stream.AtEnd());
    EXPECT_EQ(line, "");
    return lines;
}

TEST(LineStream, SplitsAtEveryKindOfLineBreakWithoutAPhantomLastLine) {
    using L = std::vector<std::string>;
    EXPECT_EQ(AllLines(""), L{});
    EXPECT_EQ(AllLines("a"), L{"a"});
    EXPECT_EQ(AllLines("a\r\n"), L{"a"});
    EXPECT_EQ(AllLines("a\r\n\r\n"), L({"a", ""}));
    EXPECT_EQ(AllLines("a\nb\rc\r\nd"), L({"a", "b", "c", "d"}));
    EXPECT_EQ(AllLines("\xff\xff\xff\xff\r\n"), L{"\xff\xff\xff\xff"});  // data, not an end mark

    std::string longLine(100000, 'x');
    longLine[50000] = '\0';
    EXPECT_EQ(AllLines(longLine + "\r\nnext\r\n"), L({longLine, "next"}));
    // A pair straddling a read of 16384 bytes is still one break.
    const std::string upToTheCut(16383, 'a');
    EXPECT_EQ(AllLines(upToTheCut + "\r\nb"), L({upToTheCut, "b"}));
}

TEST(LineStream, ResetStartsOverFromTheFirstLine) {
    TLineStream stream;
    stream.Write("one\r\ntwo\r\n", 10);
    stream.Reset();
    std::string line;
    while (stream.ReadLine(line)) {
    }
    stream.Reset();
    EXPECT_FALSE(stream.AtEnd());
    ASSERT_TRUE(stream.ReadLine(line));
    EXPECT_EQ(line, "one");
}

}  // namespace
}  // namespace vex
