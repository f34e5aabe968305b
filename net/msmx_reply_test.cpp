#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/agsocket_testsupport.h"
#include "net/dnsreply.h"
#include "net/msmx.h"
#include "net/msmx_testsupport.h"

namespace vex {
namespace {

using namespace vex::test;

std::string ErrorOf(const std::string& Reply) {
    return ErrorMessageOf<EResolverError>([&] { ParseDnsReply(Reply); });
}

TEST(DnsReply, ReadsTheHeaderTheQuestionAndEveryAnswer) {
    const std::string bytes = DnsReplyBuilder(0xBEEF, 0x8580)
                                  .Question("example.test")
                                  .Cname(WireName::Pointer(12), "alias.example.test")
                                  .Record(WireName::Pointer(12), 16, "\x03txt")
                                  .Mx(WireName::Pointer(12), 0x1234, WireName::Pointer(12, "mx"));
    const TDnsReply reply = ParseDnsReply(bytes);
    EXPECT_EQ(reply.Header.ID, 0xBEEF);
    EXPECT_EQ(reply.Header.Flags, 0x8580);
    ASSERT_EQ(reply.Questions.size(), 1u);
    EXPECT_EQ(reply.Questions[0].Name, "example.test.");
    EXPECT_EQ(reply.Questions[0].Type, DnsTypeMX);
    EXPECT_EQ(reply.Questions[0].Class, DnsClassIN);
    ASSERT_EQ(reply.Answers.size(), 3u);
    EXPECT_EQ(reply.Answers[0].Type, 5);
    EXPECT_EQ(reply.Answers[0].Exchange, "");
    EXPECT_EQ(reply.Answers[1].Type, 16);
    EXPECT_EQ(reply.Answers[2].Name, "example.test.");
    EXPECT_EQ(reply.Answers[2].TTL, 3600u);
    EXPECT_EQ(reply.Answers[2].Preference, 0x1234);
    EXPECT_EQ(reply.Answers[2].Exchange, "mx.example.test.");
}

TEST(DnsReply, FollowsAChainOfPointersEachLeadingFurtherBack) {
    DnsReplyBuilder reply(1);
    reply.Question("test");
    reply.Mx(WireName::Pointer(12, "example"), 1, WireName::Pointer(12, "mx"));
    const uint16_t exchange = reply.LastNameOffset();
    reply.Mx(WireName::Pointer(12), 2, WireName::Pointer(exchange, "a.b"));
    EXPECT_EQ(ParseDnsReply(reply.Bytes()).Answers[1].Exchange, "a.b.mx.test.");
}

TEST(DnsReply, RejectsPointersThatCouldLoop) {
    DnsReplyBuilder base(1);
    base.Question("example.test");
    const uint16_t at = static_cast<uint16_t>(base.Size() + 2 + 10 + 2);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a pointer to itself",
         DnsReplyBuilder(base).Mx(WireName::Pointer(12), 1, WireName::Pointer(at))},
        {"a pointer forwards",
         DnsReplyBuilder(base).Mx(WireName::Pointer(12), 1, WireName::Pointer(at + 4))},
        // Strictly before the pointer, but into its own labels: reading on meets it again.
        {"a pointer back into its own name",
         DnsReplyBuilder(base).Mx(WireName::Pointer(12), 1, WireName::Pointer(at, "ab"))},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(ErrorOf(bytes),
                  "Malformed DNS reply: a compression pointer does not point backwards");
    }
    EXPECT_EQ(ErrorOf(DnsReplyBuilder(base).Mx(WireName::Pointer(12), 1, WireName::Pointer(2))),
              "Malformed DNS reply: a compression pointer leads into the header");
}

TEST(DnsReply, CapsTheNumberOfPointersInOneName) {
    // A record's data holds pointers each leading to the one before, the first of them to the
    // question's name; an exchange then points at the last.
    auto chain = [](int Jumps) {
        DnsReplyBuilder reply(1);
        reply.Question("test");
        const size_t data = reply.Size() + 2 + 10;
        std::string pointers;
        for (int i = 0; i < Jumps - 1; ++i)
            pointers +=
                WireName::Pointer(static_cast<uint16_t>(i == 0 ? 12 : data + 2 * (i - 1))).Bytes();
        reply.Record(WireName::Pointer(12), 16, pointers);
        reply.Mx(WireName::Pointer(12), 1,
                 WireName::Pointer(static_cast<uint16_t>(data + 2 * (Jumps - 2))));
        return reply.Bytes();
    };
    EXPECT_EQ(ParseDnsReply(chain(MaxDnsPointerJumps)).Answers[1].Exchange, "test.");
    EXPECT_EQ(ErrorOf(chain(MaxDnsPointerJumps + 1)),
              "Malformed DNS reply: a name has too many compression pointers");
}

TEST(DnsReply, RejectsNamesLongerThan255Bytes) {
    const std::string label(63, 'n');
    // Four labels of 63 bytes, their length bytes and the root make 257 bytes.
    DnsReplyBuilder reply(1);
    reply.Question(label + "." + label + ".example");
    reply.Mx(WireName::Pointer(12), 1, WireName::Pointer(12, label + "." + label));
    EXPECT_EQ(ErrorOf(reply), "Malformed DNS reply: a name is longer than 255 bytes");
    // 3 * 64 + 62 + 1 = 255 bytes is the longest name; as text, with its final dot, 254.
    DnsReplyBuilder longest(1);
    longest.Question(label + "." + label + "." + label + "." + label.substr(2));
    EXPECT_EQ(ParseDnsReply(longest.Bytes()).Questions[0].Name.size(), 254u);
}

TEST(DnsReply, RejectsWhatRunsPastTheData) {
    const DnsReplyBuilder question = DnsReplyBuilder(1).Question("example.test");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string(11, '\0'), "it ends in the middle of a record"},
        {DnsReplyBuilder(question).Counts(1, 100), "it counts more records than it holds"},
        {DnsReplyBuilder(question).Record("example.test", 16, "abcdef").Bytes().substr(0, 57),
         "a record's data runs past the end"},
        {DnsReplyBuilder(question).Record("x", 15, "\x01\x02"), "an MX record's data is too short"},
        {DnsReplyBuilder(question)
             .Record("x", 15, std::string("\x00\x01\x02mx", 5))
             .Raw(std::string(1, '\0')),
         "an MX record's name runs past its data"},
        {DnsReplyBuilder(1).Raw(std::string("\x41x\x00\x00\x0f\x00\x01", 7)).Counts(1, 0),
         "a name uses an unknown label type"},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorOf(bytes), "Malformed DNS reply: " + text);
    }
}

TEST(MXList, SortsByPreferenceAndChecksItsIndexes) {
    TMXList list;
    for (uint16_t preference : {30, 10, 20, 10})
        list.Add(std::make_unique<TMXRec>(preference, "mx" + std::to_string(preference)));
    list.Sort();
    std::vector<uint16_t> order;
    for (int32_t i = 0; i < list.Count(); ++i)
        order.push_back(list.Items(i).Preference);
    EXPECT_EQ(order, (std::vector<uint16_t>{10, 10, 20, 30}));
    EXPECT_THROW(list.Items(4), EListError);
    EXPECT_THROW(list.Items(-1), EListError);
}

TEST(QuerySpec, ReadsAndWritesEachFieldOfTheFlagsWord) {
    TQuerySpec spec;
    spec.SetQR(true);
    spec.SetOpcode(2);
    spec.SetRD(true);
    spec.SetRCode(3);
    EXPECT_EQ(spec.Flags, 0x8000 | 2 << 11 | 0x100 | 3);
    EXPECT_EQ(spec.Opcode(), 2);
    EXPECT_EQ(spec.RCode(), 3);
    const TQuerySpec reply(0x0680);
    EXPECT_TRUE(reply.AA());
    EXPECT_TRUE(reply.TC());
    EXPECT_TRUE(reply.RA());
    EXPECT_FALSE(reply.QR());
    EXPECT_FALSE(reply.RD());
}

}  // namespace
}  // namespace vex
