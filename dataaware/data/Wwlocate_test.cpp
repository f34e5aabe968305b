#include "dataaware/data/Wwlocate.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwtable.h"
#include "platform/data/data_testsupport.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(Locate, FindsRecordsByKeyOrByScanning) {
    test::TempDir folder;
    test::CreateFixture(folder.Path(), VEX_TEST_DIR "/testdata/tables.sql");
    std::vector<std::string> messages;
    const TMessageBoxOverride boxes([&](HWND, const std::string& Text, const std::string&, UINT) {
        messages.push_back(Text);
        return IDOK;
    });
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/locate.txt")) {
        SCOPED_TRACE(c.Where);
        TwwTable table(nullptr);
        table.SetDatabaseName(folder.Path());
        table.SetTableName("t");
        table.SetIndexName(c[0]);
        table.Open();
        const bool found = wwLocateRecord(c.Int(1) != 0, table, c[2], c[3],
                                          static_cast<int>(c.Int(4)), c.Int(5) != 0);
        EXPECT_EQ(found, c.Int(6) != 0);
        const std::string name = table.FieldByName("Name")->AsString();
        EXPECT_EQ(name.empty() ? "-" : name, c[7]);
    }
    TwwTable table(nullptr);
    table.SetDatabaseName(folder.Path());
    table.SetTableName("t");
    table.Open();
    EXPECT_FALSE(wwLocateRecord(true, table, "Town", "x", mtExactMatch, false));
    EXPECT_EQ(messages, std::vector<std::string>{"Field Town not found."});
}

TEST(Locate, AMatchOnlyOnTheCurrentRecordIsNotFoundAgain) {
    test::TempDir folder;
    test::CreateFixture(folder.Path(), VEX_TEST_DIR "/testdata/tables.sql");
    TwwTable table(nullptr);
    table.SetDatabaseName(folder.Path());
    table.SetTableName("t");
    table.Open();
    EXPECT_FALSE(wwLocateRecord(false, table, "Name", "Smith", mtExactMatch, true));
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "Smith");
    table.Next();
    EXPECT_TRUE(wwLocateRecord(false, table, "B", "2", mtExactMatch, true));
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "Brown");
}

TEST(Locate, MatchesTextsAsTheMatchTypeSays) {
    struct Case {
        const char *Text, *Value;
        int Match;
        bool Sensitive, Result;
    };
    for (const Case& c :
         {Case{"Smith", "SMI", 1, false, true}, Case{"Smith", "SMI", 1, true, false},
          Case{"Smith", "ITH", 2, false, true}, Case{"Smith", "", 2, false, false},
          Case{"", "", 0, true, true}, Case{"Smith", "SMITH", 0, false, true},
          Case{"Smith", "Smith", 3, true, false}, Case{"Smithers", "Smith", 0, true, false}}) {
        SCOPED_TRACE(std::string(c.Text) + "/" + c.Value);
        EXPECT_EQ(wwMatchText(c.Text, c.Value, c.Match, c.Sensitive), c.Result);
    }
}

}  // namespace
}  // namespace vex
