#include "net/linereader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "platform/core/stream.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;

// A stream that says it holds more than it gives, as a file cut short while it is read does,
// and gives at most Piece bytes a read, as a pipe may.
class TShortStream : public TStringStream {
public:
    TShortStream(const std::string& Text, int64_t Missing, int32_t Piece)
        : TStringStream(Text), FMissing(Missing), FPiece(Piece) {}
    int64_t Size() override { return TStringStream::Size() + FMissing; }
    int32_t Read(void* Buffer, int32_t Count) override {
        return TStringStream::Read(Buffer, std::min(Count, FPiece));
    }

private:
    int64_t FMissing;
    int32_t FPiece;
};

// Every line from the first, Reset first.
Lines ReadAll(TLineReader& Reader) {
    Reader.Reset();
    Lines lines;
    std::string_view line;
    while (Reader.ReadLine(line))
        lines.emplace_back(line);
    EXPECT_TRUE(Reader.AtEnd() && line.empty());
    return lines;
}

// The lines of Text, read twice: Reset must start over from the first line. They must not
// change when the stream gives a byte a read. With Missing, the stream promises that many bytes
// more than Text.
Lines AllLines(const std::string& Text, int64_t Limit = -1, int64_t Missing = 0) {
    TShortStream stream(Text, Missing, INT32_MAX);
    TLineReader reader(stream, Limit);
    const Lines lines = ReadAll(reader);
    EXPECT_EQ(ReadAll(reader), lines);
    TShortStream trickle(Text, Missing, 1);
    TLineReader byBytes(trickle, Limit);
    EXPECT_EQ(ReadAll(byBytes), lines);
    return lines;
}

TEST(LineReader, SplitsAtEveryKindOfLineBreakWithoutAPhantomLastLine) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/linestream.txt"))
        EXPECT_EQ(AllLines(c[0]), Lines(c.Fields.begin() + 1, c.Fields.end())) << c.Where;
    std::string longLine(3 * TLineReader::ChunkSize + 7, 'x');
    longLine[50000] = '\0';
    EXPECT_EQ(AllLines(longLine + "\r\nnext\r\n"), Lines({longLine, "next"}));
    // A pair straddling a read is still one break, and a lone CR there still ends a line.
    const std::string upToTheCut(TLineReader::ChunkSize - 1, 'a');
    EXPECT_EQ(AllLines(upToTheCut + "\r\nb"), Lines({upToTheCut, "b"}));
    EXPECT_EQ(AllLines(upToTheCut + "\rb"), Lines({upToTheCut, "b"}));
    EXPECT_EQ(AllLines("a\r\nb" + upToTheCut + "\r\nc"), Lines({"a", "b" + upToTheCut, "c"}));
}

// What was read stays as it was read when the rest is not there, wherever the held bytes had to
// move to make room for it.
TEST(LineReader, EndsWhereAStreamShorterThanItSaidEnds) {
    EXPECT_EQ(AllLines("a\r\nbcd", -1, 10), Lines({"a", "bcd"}));
    EXPECT_EQ(AllLines("a\r\nb\r", -1, 10), Lines({"a", "b"}));
    EXPECT_EQ(AllLines("", -1, 10), Lines());
    const std::string upToTheCut(TLineReader::ChunkSize - 2, 'a');
    EXPECT_EQ(AllLines(upToTheCut + "\r\nxyz", -1, 10), Lines({upToTheCut, "xyz"}));
}

TEST(LineReader, ReadsNoFurtherThanItsLimit) {
    EXPECT_EQ(AllLines("a\r\nb\r\n.\r\n", 6), Lines({"a", "b"}));
    EXPECT_EQ(AllLines("a\r\nb", 2), Lines({"a"}));
    EXPECT_EQ(AllLines("a\r\nb", 0), Lines());
}

}  // namespace
}  // namespace vex
