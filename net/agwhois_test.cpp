#include "net/agwhois.h"

#include <gtest/gtest.h>

#include <memory>

#include "net/agsocket_testsupport.h"
#include "tests/support/scriptedserver.h"

namespace vex {
namespace {

using namespace vex::test;

TEST(WhoIs, ItsOwnerFreesItWithItsAnswerStream) {
    auto owner = std::make_unique<TComponent>(nullptr);
    new TagWhoIs(owner.get());
    // The sanitizers see a leak or a double free.
    owner.reset();
}

TEST(WhoIs, AConnectionMadeAndClosedSendsNoQuery) {
    ScriptedServer server({ReadLine()});
    auto whois = SocketFor<TagWhoIs>(server.Address());
    whois->SetQuery("example.org");
    int sending = 0;
    whois->OnSendingQuery = [&](TObject*) { ++sending; };

    whois->Connect();
    whois->ConnectSocket();
    EXPECT_TRUE(whois->Connected());
    whois->Disconnect();

    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.Received(), "");
    EXPECT_EQ(sending, 0);
    EXPECT_EQ(whois->Answer().Size(), 0);
}

}  // namespace
}  // namespace vex
