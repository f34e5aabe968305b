#include "components/entry/SRMgr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/resources.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

void Put(std::vector<uint8_t>& Bytes, size_t At, uint32_t Value) {
    Bytes.resize(std::max(Bytes.size(), At + 4));
    for (size_t i = 0; i < 4; ++i)
        Bytes[At + i] = static_cast<uint8_t>(Value >> (8 * i));
}

// The bytes of a table of these entries, in this order.
std::vector<uint8_t> Table(const std::vector<std::pair<int32_t, std::u16string>>& Entries) {
    std::vector<uint8_t> bytes = {'S', 'T', 'R', '0'}, texts;
    Put(bytes, 4, static_cast<uint32_t>(Entries.size()));
    for (const auto& [id, text] : Entries) {
        const size_t at = bytes.size();
        Put(bytes, at, static_cast<uint32_t>(id));
        Put(bytes, at + 4, static_cast<uint32_t>(8 + 12 * Entries.size() + texts.size()));
        Put(bytes, at + 8, static_cast<uint32_t>(text.size()));
        for (char16_t unit : text)
            texts.insert(texts.end(),
                         {static_cast<uint8_t>(unit), static_cast<uint8_t>(unit >> 8)});
    }
    bytes.insert(bytes.end(), texts.begin(), texts.end());
    return bytes;
}

// Registers Bytes as the RCDATA resource TEST_TABLE for as long as it lives.
struct RegisteredTable {
    const std::vector<uint8_t> Bytes;
    const TResourceFile File{"RCDATA", "TEST_TABLE", Bytes};
    const TResourceModule Module{"entry_test_table", {}, {}, std::span(&File, 1)};
    const TResourceRegistrar Registrar{Module};
};

std::string ErrorOf(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const ETpsStringResourceError& e) {
        return e.Message();
    }
    return "(no error)";
}

TEST(TpsStringResource, ReadsTheComponentTablesAndNamesWhatIsMissing) {
    TpsStringResource reader("ENTRY_STRINGS_ENGLISH");
    EXPECT_EQ(reader.GetAsString(34189), "No Window's timers are available");
    for (int32_t absent : {33844, 33767, 34542, -1})  // between, below and above the stored ids
        EXPECT_EQ(reader.GetAsString(absent), "") << absent;
    reader.ReportError = true;
    EXPECT_EQ(ErrorOf([&] { reader.GetAsString(33844); }), "String not found: 33844");
    EXPECT_EQ(ErrorOf([] { TpsStringResource("NO_SUCH_TABLE"); }),
              "String resource not found: NO_SUCH_TABLE");
    EXPECT_EQ(ErrorOf([] { TpsStringResource("").GetAsString(1); }), "Cannot lock resource");
    // Changing the table closes the old one first: never a half-open reader.
    reader.ChangeResource("EXTRAS_STRINGS_ENGLISH");
    EXPECT_EQ(reader.GetAsString(0), "Black");
    EXPECT_THROW(reader.ChangeResource("NO_SUCH_TABLE"), ETpsStringResourceError);
    EXPECT_FALSE(reader.ResourceHandle());
    EXPECT_EQ(SrMgrStringResource().GetAsString(5), "Invalid TPString resource");
}

TEST(TpsStringResource, FindsEveryEntryOfATableBuiltHere) {
    const RegisteredTable table{Table({{INT32_MIN, u"lowest"},
                                       {-5, u""},
                                       {0, u"\u20AC 5 \u201Cquoted\u201D"},
                                       {7, u"\u4E2D\U0001F600!"},
                                       {INT32_MAX, u"highest"}})};
    TpsStringResource reader("test_table");  // names compare without regard to case
    EXPECT_EQ(reader.GetAsString(INT32_MIN) + "|" + reader.GetAsString(INT32_MAX) + "|" +
                  reader.GetAsString(0) + "|" + reader.GetAsString(7),
              "lowest|highest|\x80 5 \x93quoted\x94|?\?!");
    reader.ReportError = true;
    EXPECT_EQ(reader.GetAsString(-5), "");  // present and empty is not a miss
    EXPECT_THROW(reader.GetAsString(1), ETpsStringResourceError);
    EXPECT_EQ(reader.FindEntry(7)->Length, 4u);
}

// Each damaged table must be refused when opened, before any lookup could read past its end.
TEST(TpsStringResource, RefusesDamagedTables) {
    const std::vector<uint8_t> good = Table({{1, u"one"}, {2, u"two"}, {3, u"three"}});
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/damaged-tables.txt")) {
        SCOPED_TRACE(c.Where + " " + c[2]);
        std::vector<uint8_t> bytes = good;
        if (c[0] == "cut")
            bytes.resize(c.Int(1) < 0 ? good.size() + c.Int(1) : c.Int(1));
        else
            Put(bytes, c.Int(1), static_cast<uint32_t>(c.Int(2)));
        const RegisteredTable table{bytes};
        EXPECT_EQ(ErrorOf([] { TpsStringResource("TEST_TABLE"); }), "Invalid TPString resource");
    }
}

}  // namespace
}  // namespace vex
