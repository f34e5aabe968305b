#include "components/entry/SRMgr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/core/resources.h"

namespace vex {
namespace {

// Builds the bytes of a table entry by entry, so a test can then spoil exactly one number.
class Str0Builder {
public:
    struct Entry {
        int32_t Id;
        std::u16string Text;
    };

    explicit Str0Builder(std::initializer_list<Entry> Entries) {
        Bytes = {'S', 'T', 'R', '0'};
        Put(static_cast<uint32_t>(Entries.size()));
        uint32_t offset = static_cast<uint32_t>(8 + 12 * Entries.size());
        for (const Entry& e : Entries) {
            Put(static_cast<uint32_t>(e.Id));
            Put(offset);
            Put(static_cast<uint32_t>(e.Text.size()));
            offset += static_cast<uint32_t>(2 * e.Text.size());
        }
        for (const Entry& e : Entries) {
            for (char16_t unit : e.Text) {
                Bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
                Bytes.push_back(static_cast<uint8_t>(unit >> 8));
            }
        }
    }

    // Overwrites the 32-bit number at Offset.
    Str0Builder& Set(size_t Offset, uint32_t Value) {
        for (size_t i = 0; i < 4; ++i)
            Bytes.at(Offset + i) = static_cast<uint8_t>(Value >> (8 * i));
        return *this;
    }

    std::vector<uint8_t> Bytes;

private:
    void Put(uint32_t Value) {
        for (int i = 0; i < 4; ++i)
            Bytes.push_back(static_cast<uint8_t>(Value >> (8 * i)));
    }
};

// Registers bytes as the RCDATA resource TEST_TABLE for as long as it lives.
class RegisteredTable {
public:
    explicit RegisteredTable(std::vector<uint8_t> Bytes)
        : FBytes(std::move(Bytes)),
          FFile{"RCDATA", "TEST_TABLE", FBytes},
          FModule{"entry_test_table", {}, {}, std::span(&FFile, 1)},
          FRegistrar(FModule) {}

private:
    std::vector<uint8_t> FBytes;
    TResourceFile FFile;
    TResourceModule FModule;
    TResourceRegistrar FRegistrar;
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
    RegisteredTable table(Str0Builder({{INT32_MIN, u"lowest"},
                                       {-5, u""},
                                       {0, u"\u20AC 5 \u201Cquoted\u201D"},
                                       {7, u"\u4E2D\U0001F600!"},
                                       {INT32_MAX, u"highest"}})
                              .Bytes);
    TpsStringResource reader("test_table");  // names compare without regard to case
    EXPECT_EQ(reader.GetAsString(INT32_MIN), "lowest");
    EXPECT_EQ(reader.GetAsString(INT32_MAX), "highest");
    EXPECT_EQ(reader.GetAsString(0), "\x80 5 \x93quoted\x94");
    EXPECT_EQ(reader.GetAsString(7),
              "?"
              "?!");
    reader.ReportError = true;
    EXPECT_EQ(reader.GetAsString(-5), "");  // present and empty is not a miss
    EXPECT_THROW(reader.GetAsString(1), ETpsStringResourceError);
    EXPECT_EQ(reader.FindEntry(7)->Length, 4u);
}

// Each damaged table must be refused when opened, before any lookup could read past its end.
TEST(TpsStringResource, RefusesDamagedTables) {
    const Str0Builder good({{1, u"one"}, {2, u"two"}, {3, u"three"}});
    const size_t textsStart = 8 + 3 * 12;
    auto cut = [&](size_t Size) {
        return std::vector<uint8_t>(good.Bytes.begin(), good.Bytes.begin() + Size);
    };
    struct Case {
        const char* What;
        std::vector<uint8_t> Bytes;
    };
    const Case cases[] = {
        {"wrong magic", Str0Builder(good).Set(0, 0x31525453).Bytes},
        {"magic only", cut(4)},
        {"shorter than the magic", cut(3)},
        {"nothing at all", {}},
        {"cut inside the entries", cut(8 + 12 + 5)},
        {"last text cut short", cut(good.Bytes.size() - 1)},
        {"count past the end", Str0Builder(good).Set(4, 4).Bytes},
        {"count that overflows 32-bit sizes", Str0Builder(good).Set(4, 0x15555556).Bytes},
        {"largest count", Str0Builder(good).Set(4, 0xFFFFFFFF).Bytes},
        {"offset past the end", Str0Builder(good).Set(8 + 12 + 4, 0xFFFFFFF0).Bytes},
        {"length past the end", Str0Builder(good).Set(8 + 12 + 8, 100).Bytes},
        {"length that overflows", Str0Builder(good).Set(8 + 12 + 8, 0x80000000).Bytes},
        {"offset inside the entries", Str0Builder(good).Set(8 + 4, textsStart - 4).Bytes},
        {"ids out of order", Str0Builder(good).Set(8 + 12, 9).Bytes},
        {"id given twice", Str0Builder(good).Set(8 + 24, 2).Bytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        RegisteredTable table(c.Bytes);
        EXPECT_EQ(ErrorOf([] { TpsStringResource("TEST_TABLE"); }), "Invalid TPString resource");
    }
}

}  // namespace
}  // namespace vex
