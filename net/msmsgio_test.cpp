#include <gtest/gtest.h>

#include <string>

#include "net/msmsgcls.h"
#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(MessageFiles, LoadingReplacesTheMessageAndSavingWritesWhatLoadingReadsBack) {
    const std::string mail =
        "From: \"Doe, Jane\" <jane@example.test>\r\nTo: a@example.test, b@example.test\r\n"
        "Subject: Two recipients\r\n\r\nHello.\r\n";
    test::TempDir dir;
    test::WriteWholeFile(dir.File("msg_0.eml"), mail);
    TmsMessage message(nullptr);
    message.LoadFromFile(dir.File("msg_0.eml"));
    TStringStream in(mail);
    message.LoadFromStream(in);
    EXPECT_EQ(message.Recipients().Count(), 2);  // not four
    TStringStream out;
    message.SaveToStream(out);

    TmsMessage copy(nullptr);
    TStringStream back(out.DataString());
    copy.LoadFromStream(back);
    EXPECT_EQ(copy.Subject() + "|" + copy.Sender().Name + "|" + copy.Sender().Address + "|" +
                  copy.Body()[0],
              "Two recipients|Doe, Jane|jane@example.test|Hello.");
    EXPECT_EQ(copy.Recipients().Count(), 2);
    // A file that cannot be opened leaves the message empty instead of half the old one.
    EXPECT_THROW(copy.LoadFromFile(dir.File("missing.eml")), EFOpenError);
    EXPECT_EQ(copy.Recipients().Count() + copy.Subject().size(), 0u);
}

}  // namespace
}  // namespace vex
