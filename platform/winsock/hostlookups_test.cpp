#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/winsock/winsock.h"

namespace vex {
namespace {

TEST(AddressText, OnlyDottedQuadsAreAddresses) {
    const struct {
        const char* Text;
        u_long Expected;  // host order
    } cases[] = {
        {"127.0.0.1", 0x7F000001},
        {"0.0.0.0", 0},
        {"10.1.2.3", 0x0A010203},
        {"255.255.255.255", INADDR_NONE},
        {"192.168.001.010", 0xC0A8010A},
        {"256.0.0.1", INADDR_NONE},
        {"1.2.3", INADDR_NONE},
        {"1.2.3.4.5", INADDR_NONE},
        {"1.2.3.4 ", INADDR_NONE},
        {"localhost", INADDR_NONE},
        {"", INADDR_NONE},
        {"1..2.3", INADDR_NONE},
        {"0001.2.3.4", INADDR_NONE},
        {"-1.2.3.4", INADDR_NONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const u_long address = inet_addr(c.Text);
        EXPECT_EQ(address == INADDR_NONE ? address : ntohl(address), c.Expected);
    }
    EXPECT_EQ(inet_addr(nullptr), INADDR_NONE);
}

TEST(AddressText, AddressesAreWrittenAsDottedDecimal) {
    in_addr address{};
    address.s_addr = htonl(0xC0A80AFF);
    EXPECT_STREQ(inet_ntoa(address), "192.168.10.255");
    EXPECT_EQ(ntohs(htons(0x1234)), 0x1234);
    EXPECT_EQ(*reinterpret_cast<const uint8_t*>(&address.s_addr), 192);
}

class BlockingLookup : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    }
    void TearDown() override { WSACleanup(); }
};

TEST_F(BlockingLookup, LocalhostHasALoopbackAddress) {
    const hostent* host = gethostbyname("localhost");
    ASSERT_NE(host, nullptr);
    ASSERT_NE(host->h_addr_list[0], nullptr);
    EXPECT_EQ(static_cast<uint8_t>(host->h_addr_list[0][0]), 127);
    EXPECT_EQ(gethostbyname("no-such-host.invalid"), nullptr);
    EXPECT_TRUE(WSAGetLastError() == WSAHOST_NOT_FOUND || WSAGetLastError() == WSATRY_AGAIN);
}

TEST_F(BlockingLookup, TheHostNameMustFitTheBuffer) {
    char name[256];
    ASSERT_EQ(gethostname(name, sizeof name), 0);
    EXPECT_GT(std::strlen(name), 0u);
    EXPECT_EQ(gethostname(name, static_cast<int>(std::strlen(name))), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
}

TEST_F(BlockingLookup, AnUnknownServiceIsNotFound) {
    EXPECT_EQ(getservbyname("no-such-service", "tcp"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANO_DATA);
}

}  // namespace
}  // namespace vex
