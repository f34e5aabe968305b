#include <gtest/gtest.h>

#include <netdb.h>

#include <chrono>
#include <cstring>
#include <memory>

#include "platform/winsock/winsock.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

using namespace vex::test;
using namespace std::chrono_literals;

constexpr UINT kLookupMessage = WM_USER + 148;

struct alignas(hostent) LookupBuffer {
    char Bytes[MAXGETHOSTSTRUCT];
};

bool Inside(const void* P, const LookupBuffer& B) {
    const char* p = static_cast<const char*>(P);
    return p >= B.Bytes && p < B.Bytes + sizeof B.Bytes;
}

class AsyncLookup : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
        std::memset(Buffer.Bytes, 0xAA, sizeof Buffer.Bytes);
    }
    void TearDown() override { WSACleanup(); }

    // Starts a host lookup into the first Size bytes of Buffer and waits for its answer.
    bool LookUpHost(const char* Name, int Size = MAXGETHOSTSTRUCT) {
        const HANDLE handle =
            WSAAsyncGetHostByName(Window.Handle(), kLookupMessage, Name, Buffer.Bytes, Size);
        EXPECT_NE(handle, 0u);
        if (!PumpUntil([&] { return !Window.Received.empty(); })) return false;
        EXPECT_EQ(Window.Received[0].WParam, handle);
        return true;
    }
    int Error() const { return WSAGETASYNCERROR(Window.Received.at(0).LParam); }
    int Needed() const { return WSAGETASYNCBUFLEN(Window.Received.at(0).LParam); }
    const hostent& Host() const { return *reinterpret_cast<const hostent*>(Buffer.Bytes); }

    RecordingWindow Window;
    LookupBuffer Buffer;
};

TEST_F(AsyncLookup, LocalhostIsPackedWhollyIntoTheCallersBuffer) {
    ASSERT_TRUE(LookUpHost("localhost"));
    ASSERT_EQ(Error(), 0);
    EXPECT_GT(Needed(), static_cast<int>(sizeof(hostent)));
    EXPECT_LE(Needed(), MAXGETHOSTSTRUCT);
    const hostent& host = Host();
    EXPECT_EQ(host.h_addrtype, AF_INET);
    EXPECT_EQ(host.h_length, 4);
    ASSERT_TRUE(Inside(host.h_name, Buffer));
    EXPECT_LT(host.h_name + std::strlen(host.h_name), Buffer.Bytes + Needed());
    ASSERT_TRUE(Inside(host.h_aliases, Buffer));
    for (char** alias = host.h_aliases; *alias != nullptr; ++alias)
        EXPECT_TRUE(Inside(*alias, Buffer));
    ASSERT_TRUE(Inside(host.h_addr_list, Buffer));
    ASSERT_NE(host.h_addr_list[0], nullptr);
    bool loopback = false;
    for (char** a = host.h_addr_list; *a != nullptr; ++a) {
        ASSERT_TRUE(Inside(*a, Buffer));
        uint32_t address;
        std::memcpy(&address, *a, 4);
        loopback = loopback || (ntohl(address) >> 24) == 127;
    }
    EXPECT_TRUE(loopback);
}

TEST_F(AsyncLookup, ADottedAddressIsAnsweredAsItStands) {
    ASSERT_TRUE(LookUpHost("127.0.0.2"));
    ASSERT_EQ(Error(), 0);
    EXPECT_STREQ(Host().h_name, "127.0.0.2");
    uint32_t address;
    std::memcpy(&address, Host().h_addr_list[0], 4);
    EXPECT_EQ(address, inet_addr("127.0.0.2"));
    EXPECT_EQ(Host().h_addr_list[1], nullptr);
}

TEST_F(AsyncLookup, ATooSmallBufferIsLeftUntouchedAndTheNeedIsReported) {
    const int small = static_cast<int>(sizeof(hostent)) + 4;
    ASSERT_TRUE(LookUpHost("localhost", small));
    EXPECT_EQ(Error(), WSAENOBUFS);
    EXPECT_GT(Needed(), small);
    for (unsigned char c : Buffer.Bytes)
        ASSERT_EQ(c, 0xAA);
}

TEST_F(AsyncLookup, AnUnknownNameIsReportedAsNotFound) {
    ASSERT_TRUE(LookUpHost("no-such-host.invalid"));
    // A resolver without a network may only say it could not ask.
    EXPECT_TRUE(Error() == WSAHOST_NOT_FOUND || Error() == WSATRY_AGAIN) << Error();
    EXPECT_EQ(Needed(), 0);
}

TEST_F(AsyncLookup, ACanceledLookupNeverWritesItsBufferNorPosts) {
    auto buffer = std::make_unique<LookupBuffer>();
    const HANDLE handle = WSAAsyncGetHostByName(Window.Handle(), kLookupMessage, "localhost",
                                                buffer->Bytes, sizeof buffer->Bytes);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(WSACancelAsyncRequest(handle), 0);
    buffer.reset();  // a late write would be a use after free
    PumpFor(300ms);
    EXPECT_TRUE(Window.Received.empty());
    EXPECT_EQ(WSACancelAsyncRequest(handle), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
}

TEST_F(AsyncLookup, AMisalignedBufferIsRefusedAtOnce) {
    EXPECT_EQ(WSAAsyncGetHostByName(Window.Handle(), kLookupMessage, "localhost", Buffer.Bytes + 1,
                                    MAXGETHOSTSTRUCT - 1),
              0u);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
}

TEST_F(AsyncLookup, AServiceIsFoundByNameAndProtocol) {
    if (::getservbyname("pop3", "tcp") == nullptr) GTEST_SKIP() << "no services database";
    const HANDLE handle = WSAAsyncGetServByName(Window.Handle(), kLookupMessage, "pop3", "tcp",
                                                Buffer.Bytes, MAXGETHOSTSTRUCT);
    ASSERT_NE(handle, 0u);
    ASSERT_TRUE(PumpUntil([&] { return !Window.Received.empty(); }));
    ASSERT_EQ(Error(), 0);
    const servent& service = *reinterpret_cast<const servent*>(Buffer.Bytes);
    EXPECT_EQ(ntohs(static_cast<u_short>(service.s_port)), 110);
    EXPECT_STREQ(service.s_name, "pop3");
    EXPECT_STREQ(service.s_proto, "tcp");
}

TEST_F(AsyncLookup, AnUnknownServiceHasNoData) {
    const HANDLE handle = WSAAsyncGetServByName(Window.Handle(), kLookupMessage, "no-such-service",
                                                "tcp", Buffer.Bytes, MAXGETHOSTSTRUCT);
    ASSERT_NE(handle, 0u);
    ASSERT_TRUE(PumpUntil([&] { return !Window.Received.empty(); }));
    EXPECT_EQ(Error(), WSANO_DATA);
}

}  // namespace
}  // namespace vex
