#include <gtest/gtest.h>

#include <netdb.h>

#include <chrono>
#include <cstring>
#include <memory>

#include "platform/winsock/winsock.h"
#include "tests/support/casefile.h"
#include "tests/support/messagepump.h"

namespace vex {
namespace {

using namespace vex::test;
using namespace std::chrono_literals;

constexpr UINT kLookupMessage = WM_USER + 148;

TEST(AddressText, OnlyDottedQuadsAreAddresses) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/address-texts.txt")) {
        SCOPED_TRACE(c.Where);
        EXPECT_EQ(ntohl(inet_addr(c[0].c_str())), static_cast<uint32_t>(c.Int(1)));
    }
    EXPECT_EQ(inet_addr(nullptr), INADDR_NONE);
    EXPECT_STREQ(inet_ntoa(in_addr{htonl(0xC0A80AFF)}), "192.168.10.255");
}

struct alignas(hostent) LookupBuffer {
    char Bytes[MAXGETHOSTSTRUCT];
};

class Lookups : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
        std::memset(Buffer.Bytes, 0xAA, sizeof Buffer.Bytes);
    }
    void TearDown() override { WSACleanup(); }

    // Waits for the answer to the lookup Handle.
    bool Answered(HANDLE Handle) {
        EXPECT_NE(Handle, 0u);
        Window.Received.clear();  // the answer is posted, so it is not here yet
        if (!PumpUntil([&] { return !Window.Received.empty(); })) return false;
        EXPECT_EQ(Window.Received[0].WParam, Handle);
        return true;
    }
    bool LookUpHost(const char* Name, int Size = MAXGETHOSTSTRUCT) {
        return Answered(
            WSAAsyncGetHostByName(Window.Handle(), kLookupMessage, Name, Buffer.Bytes, Size));
    }
    bool LookUpService(const char* Name) {
        return Answered(WSAAsyncGetServByName(Window.Handle(), kLookupMessage, Name, "tcp",
                                              Buffer.Bytes, MAXGETHOSTSTRUCT));
    }
    int Error() const { return WSAGETASYNCERROR(Window.Received.at(0).LParam); }
    int Needed() const { return WSAGETASYNCBUFLEN(Window.Received.at(0).LParam); }
    bool Inside(const void* P) const {
        const char* p = static_cast<const char*>(P);
        return p >= Buffer.Bytes && p < Buffer.Bytes + Needed();
    }
    const hostent& Host() const { return *reinterpret_cast<const hostent*>(Buffer.Bytes); }

    RecordingWindow Window;
    LookupBuffer Buffer;
};

TEST_F(Lookups, AnswersArePackedWhollyIntoTheCallersBuffer) {
    for (const char* name : {"localhost", "127.0.0.2"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(LookUpHost(name));
        ASSERT_EQ(Error(), 0);
        const hostent& host = Host();
        EXPECT_EQ(host.h_length, 4);
        ASSERT_TRUE(Inside(host.h_name));
        EXPECT_TRUE(Inside(host.h_name + std::strlen(host.h_name)));
        ASSERT_TRUE(Inside(host.h_aliases));
        for (char** alias = host.h_aliases; *alias != nullptr; ++alias)
            EXPECT_TRUE(Inside(*alias));
        ASSERT_TRUE(Inside(host.h_addr_list));
        ASSERT_NE(host.h_addr_list[0], nullptr);
        for (char** a = host.h_addr_list; *a != nullptr; ++a)
            ASSERT_TRUE(Inside(*a));
        EXPECT_EQ(static_cast<uint8_t>(host.h_addr_list[0][0]), 127);
    }
    // A dotted address is answered as it stands.
    EXPECT_STREQ(Host().h_name, "127.0.0.2");
    EXPECT_EQ(std::memcmp(Host().h_addr_list[0], "\x7f\0\0\x02", 4), 0);
    EXPECT_EQ(Host().h_addr_list[1], nullptr);

    const hostent* blocking = gethostbyname("localhost");
    ASSERT_NE(blocking, nullptr);
    EXPECT_EQ(static_cast<uint8_t>(blocking->h_addr_list[0][0]), 127);
}

TEST_F(Lookups, ServicesAreFoundByNameAndProtocolAndUnknownNamesAreNot) {
    // A resolver without a network may only say it could not ask.
    const auto notFound = [](int E) { return E == WSAHOST_NOT_FOUND || E == WSATRY_AGAIN; };
    EXPECT_EQ(gethostbyname("no-such-host.invalid"), nullptr);
    EXPECT_PRED1(notFound, WSAGetLastError());
    EXPECT_EQ(getservbyname("no-such-service", "tcp"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANO_DATA);
    ASSERT_TRUE(LookUpHost("no-such-host.invalid"));
    EXPECT_PRED1(notFound, Error());
    EXPECT_EQ(Needed(), 0);
    ASSERT_TRUE(LookUpService("no-such-service"));
    EXPECT_EQ(Error(), WSANO_DATA);

    if (::getservbyname("pop3", "tcp") == nullptr) GTEST_SKIP() << "no services database";
    ASSERT_TRUE(LookUpService("pop3"));
    ASSERT_EQ(Error(), 0);
    const servent& service = *reinterpret_cast<const servent*>(Buffer.Bytes);
    EXPECT_EQ(ntohs(static_cast<u_short>(service.s_port)), 110);
    EXPECT_STREQ(service.s_name, "pop3");
    EXPECT_STREQ(service.s_proto, "tcp");
}

TEST_F(Lookups, ACanceledLookupOrOneTooBigForItsBufferNeverWritesTheBuffer) {
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

    const int small = static_cast<int>(sizeof(hostent)) + 4;
    ASSERT_TRUE(LookUpHost("localhost", small));
    EXPECT_EQ(Error(), WSAENOBUFS);
    EXPECT_GT(Needed(), small) << "the size needed is reported";
    for (unsigned char c : Buffer.Bytes)
        ASSERT_EQ(c, 0xAA);
    EXPECT_EQ(WSAAsyncGetHostByName(Window.Handle(), kLookupMessage, "localhost", Buffer.Bytes + 1,
                                    MAXGETHOSTSTRUCT - 1),
              0u)
        << "misaligned";
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    char name[256];
    ASSERT_EQ(gethostname(name, sizeof name), 0);
    EXPECT_EQ(gethostname(name, static_cast<int>(std::strlen(name))), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
}

}  // namespace
}  // namespace vex
