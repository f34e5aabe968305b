#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "net/agsocket.h"
#include "net/agsocket_testsupport.h"
#include "platform/core/stream.h"
#include "tests/support/scriptedserver.h"

namespace vex {
namespace {

using namespace vex::test;
using Progress = std::vector<std::pair<int32_t, int32_t>>;

void RecordProgress(TagSocket& Socket, Progress& Into) {
    Socket.OnProgress = [&Into](TObject*, int32_t Perc, int32_t Transferred) {
        Into.emplace_back(Perc, Transferred);
    };
}

TEST(SocketSend, SendsLinesWithCrLfAndReportsEach) {
    ScriptedServer server({ReadLine(), ReadLine()});
    auto socket = ConnectedSocket(server.Address());
    std::vector<std::string> sent;
    socket->OnLineSent = [&](TObject*, const std::string& Line) { sent.push_back(Line); };
    socket->SendLine("USER someone");
    socket->SendLine("");
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.Received(), "USER someone\r\n\r\n");
    EXPECT_EQ(sent, (std::vector<std::string>{"USER someone", ""}));
}

TEST(SocketSend, SendsAWholeStreamFromItsStartWithProgress) {
    std::string body;
    for (int i = 0; body.size() < 5000; ++i)
        body += "line " + std::to_string(i) + "\r\n";
    ScriptedServer server({ReadBytes(body.size())});
    auto socket = ConnectedSocket(server.Address());
    Progress progress;
    RecordProgress(*socket, progress);
    TStringStream stream(body);
    stream.SetPosition(stream.Size());
    socket->SendStream(stream);
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.Received(), body);
    const int32_t size = static_cast<int32_t>(body.size());
    EXPECT_EQ(progress, (Progress{{41, 2047}, {82, 4094}, {100, size}, {0, 0}}));

    // An empty stream reports an unknown share instead of dividing by zero.
    progress.clear();
    TStringStream empty("");
    socket->SendStream(empty);
    EXPECT_EQ(progress, (Progress{{-1, 0}, {0, 0}}));
}

TEST(SocketSend, ALargeLineWaitsForRoomInsteadOfSpinning) {
    const std::string line(4 * 1024 * 1024, 'z');
    ScriptedServer server({Delay(100), ReadBytes(line.size() + 2)});
    auto socket = ConnectedSocket(server.Address());
    socket->SendLine(line);
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.Received().size(), line.size() + 2);
}

TEST(SocketSend, TheTranscriptKeepsLinesButNotMessageBodies) {
    ScriptedServer server({ReadLine(), ReadBytes(4)});
    auto socket = ConnectedSocket(server.Address());
    socket->SetTranscriptFile("/nonexistent-unused");
    socket->SendLine("DATA");
    TStringStream stream("body");
    socket->SendStream(stream);
    ASSERT_TRUE(server.WaitUntilDone());
    ASSERT_EQ(socket->Transcript().Count(), 2);
    EXPECT_EQ(socket->Transcript()[0], "DATA");
    EXPECT_EQ(socket->Transcript()[1], "Suppressing the message body");
    socket->SetTranscriptFile("");
}

}  // namespace
}  // namespace vex
