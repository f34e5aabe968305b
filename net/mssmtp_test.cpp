#include "net/mssmtp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/componentexceptions.h"
#include "net/msmsgcls.h"
#include "tests/support/scriptedserver.h"
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

std::unique_ptr<TestSMTP> ClientFor(const std::string& Address) {
    return SocketFor<TestSMTP>(Address);
}

// A reply of several lines sent in one write: a reader that must wait for each line of it is
// exercised by the real server instead.
ScriptStep Reply(const Lines& Text) {
    std::string bytes;
    for (const std::string& line : Text)
        bytes += line + "\r\n";
    return Send(bytes);
}

// The server reads one command and answers it with Line.
Script Answer(const std::string& Line) {
    return {ReadLine(), SendLine(Line)};
}

Script Steps(std::initializer_list<Script> Parts) {
    Script all;
    for (const Script& part : Parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A greeting of Count lines: continuation lines and, when Ended, a last line.
ScriptStep Greeting(int Count, bool Ended) {
    Lines text;
    for (int i = 1; i < Count; ++i)
        text.push_back("220-line " + std::to_string(i));
    text.push_back(Ended ? "220 ready" : "220-line " + std::to_string(Count));
    return Reply(text);
}

TEST(SMTPProperties, AnEmptyServerFailsThroughOnErrorBeforeAnythingElse) {
    TmsSMTP smtp(nullptr);
    EventLog log(smtp);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { smtp.Open(); }), "Server property is required");
    EXPECT_EQ(log.Events, Lines{"error"});
    EXPECT_EQ(log.Errors, Lines{"Server property is required"});
}

TEST(SMTPProperties, TheMailMessageIsForgottenWhenTheMessageIsFreed) {
    TmsSMTP smtp(nullptr);
    auto message = std::make_unique<TmsMessage>(nullptr);
    smtp.SetMailMessage(message.get());
    message.reset();
    EXPECT_EQ(smtp.MailMessage(), nullptr);
}

TEST(SMTPLogin, AcceptsLongGreetingsAndRetriesARefusedHeloBare) {
    struct Case {
        const char* Name;
        Script Server;
        Lines Commands;  // after HELO with the host name
    };
    const std::vector<Case> cases = {
        {"greeting of three lines",
         Steps({{Reply({"220-a", "220-b", "220 c"})}, Answer("250 pleased")}),
         {}},
        {"greeting of a hundred lines",
         Steps({{Greeting(MaxReplyLines, true)}, Answer("250 pleased")}),
         {}},
        {"HELO refused with the host name",
         Steps({{SendLine("220 ready")}, Answer("501 bad name"), Answer("250 pleased")}),
         {"HELO"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(c.Server);
        auto smtp = ClientFor(server.Address());
        smtp->Open();
        EXPECT_TRUE(smtp->Connected());
        EXPECT_EQ(smtp->LastReply, "250 pleased");
        ASSERT_FALSE(smtp->LocalHost.empty());
        Lines commands{"HELO " + smtp->LocalHost};
        commands.insert(commands.end(), c.Commands.begin(), c.Commands.end());
        EXPECT_EQ(server.ReceivedLines(), commands);
    }
}

TEST(SMTPLogin, ANegativeReplyFailsWithItsLineWithoutOnErrorAndCloses) {
    struct Case {
        const char* Name;
        Script Server;
        const char* Failure;
        size_t Commands;
    };
    const std::vector<Case> cases = {
        {"negative greeting", {SendLine("554 no service here")}, "554 no service here", 0},
        {"negative greeting of two lines",
         {Reply({"554-busy", "554 try later"})},
         "554 try later",
         0},
        {"greeting that never came", {Close()}, "Connection closed by the server", 0},
        {"both HELOs refused",
         Steps({{SendLine("220 ready")}, Answer("501 bad name"), Answer("550 go away")}),
         "550 go away", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedServer server(c.Server);
        auto smtp = ClientFor(server.Address());
        EventLog log(*smtp);
        EXPECT_EQ(ErrorMessageOf<EServerError>([&] { smtp->Open(); }), c.Failure);
        EXPECT_TRUE(log.Errors.empty());
        EXPECT_FALSE(smtp->Connected());
        ASSERT_TRUE(server.WaitUntilDone());
        EXPECT_EQ(server.ReceivedLines().size(), c.Commands);
    }
}

TEST(SMTPLogin, AGreetingThatNeverEndsIsCutOffThroughOnErrorAndCloses) {
    ScriptedServer server({Greeting(MaxReplyLines + 1, false), Silent()});
    auto smtp = ClientFor(server.Address());
    EventLog log(*smtp);
    EXPECT_EQ(ErrorMessageOf<ESocketError>([&] { smtp->Open(); }), "Reply longer than 100 lines");
    EXPECT_EQ(log.Errors, Lines{"Reply longer than 100 lines"});
    EXPECT_FALSE(smtp->Connected());
    EXPECT_TRUE(server.ReceivedLines().empty());
}

TEST(SMTPLogout, QuitClosesTheConnectionAndANegativeReplyFailsWithItsLineWithoutOnError) {
    const Script login = Steps({{SendLine("220 ready")}, Answer("250 pleased")});
    ScriptedServer server(
        std::vector<Script>{Steps({login, Answer("221-closing"), {SendLine("221 bye")}}),
                            Steps({login, Answer("500 what")})});
    auto smtp = ClientFor(server.Address());
    smtp->Open();
    smtp->Close();
    EXPECT_FALSE(smtp->Connected());
    EXPECT_EQ(smtp->LastReply, "221 bye");
    EXPECT_EQ(server.ReceivedLines().back(), "QUIT");

    auto refused = ClientFor(server.Address());
    EventLog log(*refused);
    refused->Open();
    EXPECT_EQ(ErrorMessageOf<EServerError>([&] { refused->Close(); }), "500 what");
    EXPECT_TRUE(log.Errors.empty());
    EXPECT_FALSE(refused->Connected());
}

TEST(SMTPServer, OpenAndCloseSucceedAgainstARealServer) {
    AiosmtpdServer server;
    auto smtp = ClientFor(server.Address());
    Lines replies;
    smtp->OnReplyLine = [&](TObject*, const std::string& Line) { replies.push_back(Line); };
    smtp->Open();
    EXPECT_TRUE(smtp->Connected());
    smtp->Close();
    EXPECT_FALSE(smtp->Connected());
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[0].substr(0, 4), "220 ");
    EXPECT_EQ(replies[1].substr(0, 4), "250 ");
    EXPECT_EQ(replies[2].substr(0, 4), "221 ");
}

}  // namespace
}  // namespace vex
