#include <gtest/gtest.h>

#include <string>

#include "net/msmsgcls.h"
#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const std::string Mail =
    "From: \"Doe, Jane\" <jane@example.test>\r\n"
    "To: a@example.test, b@example.test\r\n"
    "Subject: Two recipients\r\n"
    "\r\n"
    "Hello.\r\n";

TEST(MessageLoading, ReplacesWhatTheMessageHeldInsteadOfAddingToIt) {
    TmsMessage message(nullptr);
    for (int i = 0; i < 2; ++i) {
        TStringStream in(Mail);
        message.LoadFromStream(in);
    }
    EXPECT_EQ(message.Recipients().Count(), 2);
    EXPECT_EQ(message.Sender().Name, "Doe, Jane");
    ASSERT_EQ(message.Body().Count(), 1);
    EXPECT_EQ(message.Body()[0], "Hello.");
}

TEST(MessageLoading, AFileThatCannotBeOpenedRaisesAndLeavesTheMessageEmpty) {
    test::TempDir dir;
    TmsMessage message(nullptr);
    TStringStream in(Mail);
    message.LoadFromStream(in);
    EXPECT_THROW(message.LoadFromFile(dir.File("missing.eml")), EFOpenError);
    EXPECT_EQ(message.Recipients().Count(), 0);
    EXPECT_EQ(message.Subject(), "");

    test::WriteWholeFile(dir.File("msg_0.eml"), Mail);
    message.LoadFromFile(dir.File("msg_0.eml"));
    EXPECT_EQ(message.Subject(), "Two recipients");
}

TEST(MessageSaving, WritesWhatLoadingReadsBackAndLeavesTheMessageAlone) {
    TmsMessage original(nullptr);
    TStringStream in(Mail);
    original.LoadFromStream(in);
    original.Body().Add(".");
    const int32_t bodyLines = original.Body().Count();

    TStringStream out;
    original.SaveToStream(out);
    EXPECT_EQ(original.Body().Count(), bodyLines);

    TmsMessage copy(nullptr);
    TStringStream back(out.DataString());
    copy.LoadFromStream(back);
    EXPECT_EQ(copy.Subject(), original.Subject());
    EXPECT_EQ(copy.Sender().Address, "jane@example.test");
    EXPECT_EQ(copy.Sender().Name, "Doe, Jane");
    EXPECT_EQ(copy.Recipients().Count(), 2);
    EXPECT_EQ(copy.Body()[0], "Hello.");
}

}  // namespace
}  // namespace vex
