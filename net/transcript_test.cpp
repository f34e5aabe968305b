#include "net/transcript.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/stringlist.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(Transcript, CreatesMissingFoldersAndReplacesTheFile) {
    test::TempDir dir;
    const std::string file = dir.File("logs/pop3/session.txt");
    TStringList lines;
    lines.Add("USER john");
    lines.Add("+OK");
    WriteTranscript(lines, file);
    EXPECT_EQ(test::ReadWholeFile(file), "USER john\r\n+OK\r\n");
    lines.Clear();
    lines.Add("QUIT");
    WriteTranscript(lines, file);
    EXPECT_EQ(test::ReadWholeFile(file), "QUIT\r\n");
}

TEST(Transcript, AFileThatCannotBeWrittenRaisesTheInputOutputError) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("blocker"), "");
    TStringList lines;
    lines.Add("x");
    EXPECT_THROW(WriteTranscript(lines, dir.File("blocker/session.txt")), EInOutError);
}

}  // namespace
}  // namespace vex
