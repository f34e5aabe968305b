#include "net/transcript.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/stringlist.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(Transcript, CreatesMissingFoldersReplacesTheFileAndRaisesTheInputOutputError) {
    test::TempDir dir;
    TStringList lines;
    lines.Add("USER john");
    WriteTranscript(lines, dir.File("logs/pop3/session.txt"));
    lines.Clear();
    lines.Add("QUIT");
    WriteTranscript(lines, dir.File("logs/pop3/session.txt"));
    EXPECT_EQ(test::ReadWholeFile(dir.File("logs/pop3/session.txt")), "QUIT\r\n");
    // A file standing where the folder should be.
    EXPECT_THROW(WriteTranscript(lines, dir.File("logs/pop3/session.txt/x")), EInOutError);
}

}  // namespace
}  // namespace vex
