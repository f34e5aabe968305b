#include "net/agwhois.h"

#include <gtest/gtest.h>

#include <memory>

#include "net/agsocket_testsupport.h"
#include "tests/support/scriptedserver.h"

namespace vex {
namespace {

TEST(WhoIs, AConnectionMadeAndClosedSendsNoQueryAndItsOwnerFreesIt) {
    test::ScriptedServer server({test::ReadLine()});
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* whois = new TagWhoIs(owner.get());
    whois->SetWinsockLoaded(true);
    whois->SetServer(server.Address());
    whois->SetQuery("example.org");
    int sending = 0;
    whois->OnSendingQuery = [&](TObject*) { ++sending; };
    whois->Connect();
    whois->ConnectSocket();
    whois->Disconnect();
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.Received(), "");
    EXPECT_EQ(sending, 0);
    EXPECT_EQ(whois->Answer().Size(), 0);
    owner.reset();  // the sanitizers see a leak or a double free of the answer stream
}

}  // namespace
}  // namespace vex
