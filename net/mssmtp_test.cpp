#include "net/mssmtp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/msmsgcls.h"
#include "tests/support/smtpserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Lines = std::vector<std::string>;

class TestSMTP : public TmsSMTP {
public:
    using TmsSMTP::LastReply;
    using TmsSMTP::LocalHost;
    using TmsSMTP::TmsSMTP;
};

TEST(SMTPDialogue, OpensAndClosesOrFailsWithTheServersLineWithoutOnErrorAndCloses) {
    for (const TestBlock& c : ReadBlocks(VEX_TEST_DIR "/testdata/smtp_dialogues.txt")) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(ScriptOf(c.Parts.at(0)));
        auto smtp = SocketFor<TestSMTP>(server.Address());
        EventLog log(*smtp);
        bool open = false;
        for (const std::string& row : c.Parts.at(1)) {
            Lines field = CaseOf(row).Fields;
            const bool closing = field[0].find("close") != std::string::npos;
            const auto act = [&] { closing ? smtp->Close() : smtp->Open(); };
            if (field[0].starts_with("fails")) {
                EXPECT_EQ(ErrorMessageOf<EServerError>(act), field[1]);
            } else if (field[0] != "sent") {
                act();
                EXPECT_EQ(smtp->LastReply, field[1]);
            } else {
                ASSERT_TRUE(server.WaitUntilDone());
                for (std::string& command : field)
                    if (command.ends_with("$host")) command.replace(5, 5, smtp->LocalHost);
                EXPECT_EQ(server.ReceivedLines(), Lines(field.begin() + 1, field.end()));
            }
            if (field[0] != "sent") open = field[0] == "opens";
            EXPECT_EQ(smtp->Connected(), open);
        }
        EXPECT_EQ(log.Errors, Lines{});
    }
}

TEST(SMTPServer, OpenAndCloseSucceedAgainstARealServer) {
    AiosmtpdServer server;
    auto smtp = SocketFor<TestSMTP>(server.Address());
    std::string replies;
    smtp->OnReplyLine = [&](TObject*, const std::string& Line) { replies += Line.substr(0, 4); };
    smtp->Open();
    smtp->Close();
    EXPECT_EQ(replies, "220 250 221 ");
}

TEST(SMTPProperties, AnEmptyServerFailsBeforeOnOpenAndAFreedMessageIsForgotten) {
    TmsSMTP smtp(nullptr);
    EventLog log(smtp);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { smtp.Open(); }), "Server property is required");
    EXPECT_EQ(log.Names(), "error");
    auto message = std::make_unique<TmsMessage>(nullptr);
    smtp.SetMailMessage(message.get());
    message.reset();
    EXPECT_EQ(smtp.MailMessage(), nullptr);
}

}  // namespace
}  // namespace vex
