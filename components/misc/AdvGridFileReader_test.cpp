#include "components/misc/AdvGridFileReader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridFileFormat.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

std::vector<std::string> LinesOf(const std::string& FileName) {
    TAdvGridFileReader reader(FileName);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    return lines;
}

std::string MessageOf(const std::string& FileName) {
    try {
        LinesOf(FileName);
    } catch (const EAdvGridError& e) {
        return e.Message();
    }
    return "read";
}

TEST(AdvGridFileReader, EndsLinesAsTheOldTextReadersDid) {
    const std::string bulk(0x10000 - 1, 'x');
    const struct {
        std::string Contents;
        std::vector<std::string> Lines;
    } cases[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"\r\n\r\n", {"", ""}},
        {"\n\r\r\n", {"", "", ""}},
        {"last\r", {"last"}},
        {"", {}},
        // A CR that ends one buffer and an LF that starts the next are one line end.
        {bulk + "\r\ny", {bulk, "y"}},
        {bulk + "z\r\n", {bulk + "z"}},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Contents.substr(0, 20));
        test::WriteWholeFile(dir.File("f.lst"), c.Contents);
        EXPECT_EQ(LinesOf(dir.File("f.lst")), c.Lines);
    }
}

TEST(AdvGridFileReader, ALineBeyondTheFormatsLimitIsACorruptFile) {
    test::TempDir dir;
    const std::string longest(advgridfile::MaxLineLength, 'a');
    test::WriteWholeFile(dir.File("f.lst"), "1,1\r\n" + longest + "\r\n");
    EXPECT_EQ(LinesOf(dir.File("f.lst")).at(1).size(), longest.size());
    test::WriteWholeFile(dir.File("f.lst"), "1,1\r\n" + longest + "a");
    EXPECT_EQ(MessageOf(dir.File("f.lst")),
              "File contains no data or corrupt file " + dir.File("f.lst"));
}

TEST(AdvGridFileReader, OpensOnlyARegularFileAndNeverWaitsForAWriter) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    for (const std::string& name : {dir.File("missing"), dir.Path(), dir.File("pipe")})
        EXPECT_EQ(MessageOf(name), "File " + name + " not found");
}

}  // namespace
}  // namespace vex
