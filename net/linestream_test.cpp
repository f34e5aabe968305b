#include "net/linestream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

using Lines = std::vector<std::string>;

// The lines of Text, read twice: Reset must start over from the first line.
Lines AllLines(const std::string& Text) {
    TLineStream stream;
    stream.Write(Text.data(), static_cast<int32_t>(Text.size()));
    Lines passes[2];
    for (Lines& lines : passes) {
        stream.Reset();
        std::string line;
        while (stream.ReadLine(line))
            lines.push_back(line);
        EXPECT_TRUE(stream.AtEnd());
        EXPECT_EQ(line, "");
    }
    EXPECT_EQ(passes[0], passes[1]);
    return passes[0];
}

TEST(LineStream, SplitsAtEveryKindOfLineBreakWithoutAPhantomLastLine) {
    EXPECT_EQ(AllLines(""), Lines{});
    EXPECT_EQ(AllLines("a"), Lines{"a"});
    EXPECT_EQ(AllLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(AllLines("a\r\n\r\n"), Lines({"a", ""}));
    EXPECT_EQ(AllLines("a\nb\rc\r\nd"), Lines({"a", "b", "c", "d"}));
    EXPECT_EQ(AllLines("\xff\xff\xff\xff\r\n"), Lines{"\xff\xff\xff\xff"});  // data, not an end
    std::string longLine(100000, 'x');
    longLine[50000] = '\0';
    EXPECT_EQ(AllLines(longLine + "\r\nnext\r\n"), Lines({longLine, "next"}));
    // A pair straddling a read of 16384 bytes is still one break.
    const std::string upToTheCut(16383, 'a');
    EXPECT_EQ(AllLines(upToTheCut + "\r\nb"), Lines({upToTheCut, "b"}));
}

}  // namespace
}  // namespace vex
