#include "net/linestream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/casefile.h"

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
        EXPECT_TRUE(stream.AtEnd() && line.empty());
    }
    EXPECT_EQ(passes[0], passes[1]);
    return passes[0];
}

TEST(LineStream, SplitsAtEveryKindOfLineBreakWithoutAPhantomLastLine) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/linestream.txt"))
        EXPECT_EQ(AllLines(c[0]), Lines(c.Fields.begin() + 1, c.Fields.end())) << c.Where;
    std::string longLine(100000, 'x');
    longLine[50000] = '\0';
    EXPECT_EQ(AllLines(longLine + "\r\nnext\r\n"), Lines({longLine, "next"}));
    // A pair straddling a read of 16384 bytes is still one break.
    const std::string upToTheCut(16383, 'a');
    EXPECT_EQ(AllLines(upToTheCut + "\r\nb"), Lines({upToTheCut, "b"}));
}

}  // namespace
}  // namespace vex
