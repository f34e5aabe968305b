#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/dnsreply.h"
#include "net/msmx.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;

// A reply as the data file states it: its header, then each question and answer, fields apart
// by "/".
Lines Summary(const TDnsReply& Reply) {
    auto field = [](uint32_t Value) { return "/" + std::to_string(Value); };
    Lines out{std::to_string(Reply.Header.ID) + field(Reply.Header.Flags)};
    for (const TDnsQuestion& q : Reply.Questions)
        out.push_back(q.Name + field(q.Type) + field(q.Class));
    for (const TDnsAnswer& a : Reply.Answers)
        out.push_back(a.Name + field(a.Type) + field(a.Class) + field(a.TTL) + field(a.Preference) +
                      "/" + a.Exchange);
    return out;
}

// Hostile replies among them: pointers that loop or run forwards, chains too long, names too
// long, counts and lengths that run past the data.
TEST(DnsReply, ReadsEachReplyOfTheFileOrRefusesItWithItsReason) {
    for (const test::TestCase& c :
         test::ReadCases(VEX_TEST_DIR "/testdata/dns_replies.txt", "parse")) {
        SCOPED_TRACE(c.Where);
        Lines outcome;
        try {
            outcome = Summary(ParseDnsReply(c[0]));
        } catch (const EResolverError& e) {
            outcome = {e.Message()};
        }
        EXPECT_EQ(outcome, Lines(c.Fields.begin() + 1, c.Fields.end()));
    }
}

TEST(QuerySpec, ReadsAndWritesEachFieldOfTheFlagsWord) {
    TQuerySpec spec;
    spec.SetQR(true);
    spec.SetOpcode(2);
    spec.SetRD(true);
    spec.SetRCode(3);
    EXPECT_EQ(spec.Flags, 0x8000 | 2 << 11 | 0x100 | 3);
    EXPECT_EQ(spec.Opcode(), 2);
    const TQuerySpec reply(0x0680);
    EXPECT_EQ((std::vector<bool>{reply.AA(), reply.TC(), reply.RA(), reply.QR(), reply.RD()}),
              (std::vector<bool>{true, true, true, false, false}));
}

}  // namespace
}  // namespace vex
