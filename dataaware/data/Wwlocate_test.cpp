#include "dataaware/data/Wwlocate.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwtestsupport.h"
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

// The table of the fixture, open in its natural order.
class LocateInTable : public ::testing::Test {
protected:
    void SetUp() override {
        test::CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/tables.sql");
        table.SetDatabaseName(Folder.Path());
        table.SetTableName("t");
        table.Open();
    }

    test::TempDir Folder;
    TwwTable table{nullptr};
};

TEST_F(LocateInTable, AMatchOnlyOnTheCurrentRecordIsNotFoundAgain) {
    EXPECT_FALSE(wwLocateRecord(false, table, "Name", "Smith", mtExactMatch, true));
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "Smith");
    table.Next();
    EXPECT_TRUE(wwLocateRecord(false, table, "B", "2", mtExactMatch, true));
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "Brown");
}

TEST_F(LocateInTable, AScanThatRaisesGivesTheControlsBack) {
    // A record filter that fails on the third record it is asked about.
    static int asked;
    asked = 0;
    const pfDBIFilter failing = [](void*, uint8_t*, int32_t) -> int32_t {
        if (++asked == 3) throw EDatabaseError("The filter failed");
        return 1;
    };
    hDBIFilter filter = 0;
    table.Handle()->AddFilter(nullptr, nullptr, 0, failing, filter);
    table.Handle()->ActivateFilter(filter);
    EXPECT_THROW(wwLocateRecord(false, table, "Name", "Nobody", mtExactMatch, true),
                 EDatabaseError);
    EXPECT_FALSE(table.ControlsDisabled());
}

TEST_F(LocateInTable, APartialKeyAheadInACaseBlindIndexIsFound) {
    table.SetIndexName("ByName");
    table.Append();
    table.FieldByName("Name")->SetAsString("S_x");
    table.Post();
    // Folded to lower case, as the index folds, "_" sorts below the letters: S_x before Smith.
    ASSERT_EQ(table.FieldByName("Name")->AsString(), "S_x");
    EXPECT_TRUE(wwLocateRecord(false, table, "Name", "sm", mtPartialMatchStart, false));
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "Smith");
    EXPECT_FALSE(wwLocateRecord(false, table, "Name", "s_", mtPartialMatchStart, false))
        << "behind the current record";
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "Smith");
}

TEST(Locate, ComparesRichTextMemosAsTheTextAReaderSees) {
    test::TempDir folder;
    test::CreateFixture(folder.Path(), VEX_TEST_DIR "/testdata/tables.sql");
    TwwTable customers(nullptr);
    customers.SetDatabaseName(folder.Path());
    customers.SetTableName("customers");
    customers.SetIndexName("ByCustNo");
    customers.Open();
    struct Case {
        const char* ControlType;
        const char* Value;
        int Match;
        const char* Company;  // "-" when none is found
    };
    // The first record's note is plain text, the second's RTF.
    for (const Case& c :
         {Case{"", "Globex bold note", mtExactMatch, "Globex"},
          Case{"", "BOLD", mtPartialMatchAny, "Globex"}, Case{"", "rtf", mtPartialMatchAny, "-"},
          Case{"", "ansi", mtPartialMatchAny, "-"}, Case{"", "plain note", mtExactMatch, "Acme"},
          Case{"Notes;RichEdit", "plain", mtPartialMatchStart, "Acme"},
          Case{"Notes;RichEdit", "globex", mtPartialMatchStart, "Globex"}}) {
        SCOPED_TRACE(c.Value);
        customers.SetControlType(test::LinesOf({c.ControlType}));
        customers.First();
        const bool found = wwLocateRecord(true, customers, "Notes", c.Value, c.Match, false);
        EXPECT_EQ(found, std::string(c.Company) != "-");
        EXPECT_EQ(customers.FieldByName("Company")->AsString(), found ? c.Company : "Acme")
            << "the search went back to where it started";
    }
}

TEST(Locate, LocatesAValueUnlessTheCurrentRecordHoldsItAlready) {
    test::TempDir folder;
    test::CreateFixture(folder.Path(), VEX_TEST_DIR "/testdata/tables.sql");
    struct Case {
        const char* Value;
        bool CaseSensitive, Partial, Found;
        const char* Company;
    };
    for (const Case& c :
         {Case{"acme", false, false, true, "Acme"}, Case{"ACME", true, false, false, "Acme"},
          Case{"glo", false, true, true, "Globex"}, Case{"Initech", true, false, true, "Initech"},
          Case{"Init", false, false, false, "Acme"}}) {
        SCOPED_TRACE(c.Value);
        TwwTable customers(nullptr);
        customers.SetDatabaseName(folder.Path());
        customers.SetTableName("customers");
        customers.Open();
        EXPECT_EQ(wwLocateValue(customers, c.Value, "Company", c.CaseSensitive, c.Partial),
                  c.Found);
        EXPECT_EQ(customers.FieldByName("Company")->AsString(), c.Company);
    }
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
