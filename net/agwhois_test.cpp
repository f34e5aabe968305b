#include "net/agwhois.h"

#include <gtest/gtest.h>

#include "net/agsocket_testsupport.h"

namespace vex {
namespace {

TEST(WhoIs, AConnectionMadeAndClosedSendsNoQueryAndItsOwnerFreesIt) {
    test::ScriptedServer server({test::ReadLine()});
    TComponent owner(nullptr);  // frees it: the sanitizers see a leak or a double free
    auto* whois = new TagWhoIs(&owner);
    whois->SetWinsockLoaded(true);
    whois->SetServer(server.Address());
    whois->SetQuery("example.org");
    whois->Connect();
    whois->ConnectSocket();
    whois->Disconnect();
    ASSERT_TRUE(server.WaitUntilDone());
    EXPECT_EQ(server.Received(), "");  // nothing sends the query
    EXPECT_EQ(whois->Answer().Size(), 0);
}

}  // namespace
}  // namespace vex
