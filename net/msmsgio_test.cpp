#include <gtest/gtest.h>

#include <string>

#include "net/msmsgcls.h"
#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const std::string Mail =
    "From: \"Doe, Jane\" <jane@example.test>\r\nTo: a@example.test, b@example.test\r\n"
    "Subject: Two recipients\r\n\r\nHello.\r\n";

TEST(MessageFiles, LoadingReplacesTheMessageAndSavingWritesWhatLoadingReadsBack) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("msg_0.eml"), Mail);
    TmsMessage message(nullptr);
    message.LoadFromFile(dir.File("msg_0.eml"));
    TStringStream in(Mail);
    message.LoadFromStream(in);
    EXPECT_EQ(message.Recipients().Count(), 2);
    message.Body().Add(".");
    TStringStream out;
    message.SaveToStream(out);
    EXPECT_EQ(message.Body().Count(), 2);

    TmsMessage copy(nullptr);
    TStringStream back(out.DataString());
    copy.LoadFromStream(back);
    EXPECT_EQ(copy.Subject(), "Two recipients");
    EXPECT_EQ(copy.Sender().Address, "jane@example.test");
    EXPECT_EQ(copy.Sender().Name, "Doe, Jane");
    EXPECT_EQ(copy.Recipients().Count(), 2);
    ASSERT_GE(copy.Body().Count(), 1);
    EXPECT_EQ(copy.Body()[0], "Hello.");

    // A file that cannot be opened leaves the message empty instead of half the old one.
    EXPECT_THROW(copy.LoadFromFile(dir.File("missing.eml")), EFOpenError);
    EXPECT_EQ(copy.Recipients().Count(), 0);
    EXPECT_EQ(copy.Subject(), "");
}

}  // namespace
}  // namespace vex
