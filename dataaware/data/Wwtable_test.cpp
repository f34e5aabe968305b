#include "dataaware/data/Wwtable.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwquery.h"
#include "dataaware/data/wwstorep.h"
#include "platform/data/data_testsupport.h"
#include "platform/data/dbiengine.h"
#include "platform/win/keyboard.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class LibraryDataSet : public ::testing::Test {
protected:
    void SetUp() override {
        test::CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/tables.sql");
    }

    template <class T>
    static std::string Walk(T& D, const std::string& Field) {
        std::string seen;
        for (D.First(); !D.Eof(); D.Next())
            seen += (D.Bof() ? "" : ",") + D.FieldByName(Field)->AsString();
        return seen;
    }
    static TStringList Lines(std::initializer_list<const char*> Texts) {
        TStringList lines;
        for (const char* t : Texts)
            lines.Add(t);
        return lines;
    }

    test::TempDir Folder;
    std::vector<std::string> Messages;
    TMessageBoxOverride Boxes{[this](HWND, const std::string& Text, const std::string&, UINT) {
        Messages.push_back(Text);
        return IDOK;
    }};
};

TEST_F(LibraryDataSet, QueriesInstallTheirFilterEventOnlyWhenOpen) {
    TwwQuery query(nullptr);
    query.SetDatabaseName(Folder.Path());
    query.SQL().SetText("SELECT Name, A FROM t ORDER BY Name");
    query.SetOnFilter(
        [](TDataSet* D, bool& Accept) { Accept = D->FieldByName("A")->AsInteger() == 1; });
    EXPECT_EQ(query.CallbackHandle(), 0u) << "closed: nothing installed";
    query.Open();
    EXPECT_NE(query.CallbackHandle(), 0u);
    EXPECT_EQ(Walk(query, "Name"), "Jones,Smith");
    EXPECT_FALSE(query.IsSequenced());

    // Filtering switched off shows every record at once; switched on, it waits for a re-read.
    query.SetOnFilterOptions({ofoShowHourGlass});
    EXPECT_EQ(query.BufferRecordCount(), 1);
    EXPECT_EQ(Walk(query, "Name"), ",Brown,Jones,Smith");
    EXPECT_FALSE(query.IsSequenced()) << "an OnFilter event is set even while it is off";
    query.SetOnFilterOptions({ofoEnabled, ofoShowHourGlass});
    query.Refresh();
    EXPECT_EQ(Walk(query, "Name"), "Jones,Smith");

    query.SetOnFilter(nullptr);
    EXPECT_EQ(query.CallbackHandle(), 0u);
    EXPECT_EQ(Walk(query, "Name"), ",Brown,Jones,Smith");
    EXPECT_TRUE(query.IsSequenced());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(LibraryDataSet, ShowsTheHourGlassOnceWhileRecordsAreRejected) {
    TwwTable table(nullptr);
    table.SetDatabaseName(Folder.Path());
    table.SetTableName("t");
    table.Open();
    Screen().SetCursor(crDefault);
    int rejected = 0;
    table.SetOnFilter([&](TDataSet*, bool& Accept) {
        Accept = false;
        ++rejected;
        EXPECT_EQ(Screen().Cursor(), rejected == 1 ? crDefault : crHourGlass);
    });
    // The fetch that follows the filter's installation puts the arrow back.
    EXPECT_GT(rejected, 0);
    EXPECT_EQ(Screen().Cursor(), crArrow);
    EXPECT_TRUE(table.IsEmpty());
    Screen().SetCursor(crDefault);
}

TEST_F(LibraryDataSet, EscapeIsLookedForEveryHundredRecordsAndSwitchesFilteringOff) {
    TwwTable table(nullptr);
    table.SetDatabaseName(Folder.Path());
    table.SetTableName("many");
    table.SetOnFilterOptions({ofoEnabled, ofoCancelOnEscape});
    const HWND keys = AllocateHWnd([](TMessage&) {});
    int seen = 0, escaped = 0;
    table.OnFilterEscape = [&](TDataSet*) { ++escaped; };
    table.SetOnFilter([&](TDataSet* D, bool& Accept) {
        ++seen;
        // Escape arrives after the first 150 records: only the check at record 200 finds it.
        if (seen == 150) PostMessage(keys, WM_KEYDOWN, VK_ESCAPE, 0);
        Accept = D->FieldByName("Even")->AsBoolean();
    });
    table.Open();
    table.RecordCount();  // reads every record: Escape comes on the way
    EXPECT_EQ(table.RecordCount(), 250) << "filtering is off";
    EXPECT_EQ(escaped, 1);
    EXPECT_FALSE(table.OnFilterOptions().Contains(ofoEnabled));
    EXPECT_EQ(seen, 200);
    DeallocateHWnd(keys);
}

TEST_F(LibraryDataSet, CompilesItsFilterLinesIntoOneEngineFilter) {
    TwwTable table(nullptr);
    table.SetDatabaseName(Folder.Path());
    table.SetTableName("t");
    table.SetIndexName("ByName");
    table.SetwwFilter(Lines({"A = 1 OR B = 2  ", "", "C = 3\t"}));
    EXPECT_EQ(table.CombinedFilterText(), "A = 1 OR B = 2 AND (C = 3)");
    table.Open();  // the cursor's preparation installs it
    EXPECT_NE(table.FilterHandle(), 0u);
    EXPECT_EQ(Walk(table, "Name"), "Jones,Smith");
    EXPECT_FALSE(table.IsSequenced());

    table.SetwwFilter(Lines({"Town = 1"}));
    EXPECT_EQ(Messages,
              (std::vector<std::string>{"Field not found in Table. \rTown", "Fail to set filter"}));
    EXPECT_EQ(Walk(table, "Name"), ",Brown,Jones,Smith") << "no filter is left behind";

    table.SetwwFilter(Lines({"   ", ""}));
    EXPECT_EQ(table.FilterHandle(), 0u);
    EXPECT_TRUE(table.IsSequenced());
}

TEST_F(LibraryDataSet, RunsAQueryTextInsteadOfATable) {
    TwwTable table(nullptr);
    table.SetDatabaseName(Folder.Path());
    table.SetTableName("t");
    table.Open();
    table.SetQuery(Lines({"SELECT Name FROM t -- every name", "WHERE A = 1", "ORDER BY Name"}));
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(table.TableName(), "");
    table.Open();
    EXPECT_EQ(table.QueryLanguage(), "SQL");
    EXPECT_EQ(Walk(table, "Name"), "Jones,Smith");
    table.Close();
    table.SetQuery(Lines({"Query", "", "t | Name  | A |", "  | Check | 2 |", "", "EndQuery"}));
    table.Open();
    EXPECT_EQ(table.QueryLanguage(), "QBE");
    EXPECT_EQ(Walk(table, "Name"), "Brown");
    table.Close();
    table.SetTableName("t");
    EXPECT_EQ(table.Query().Count(), 0);
}

TEST_F(LibraryDataSet, KnowsParadoxTablesByTypeOrName) {
    struct Case {
        const char* Name;
        TTableType Type;
        bool Paradox;
    };
    for (const Case& c :
         {Case{"customer.db", ttDefault, true}, Case{"customer.dbf", ttDefault, false},
          Case{"CUSTOMER.DB", ttDefault, true}, Case{"customer", ttDefault, false},
          Case{"customer", ttParadox, true}, Case{"customer.db", ttDBase, false}}) {
        SCOPED_TRACE(c.Name);
        TwwTable table(nullptr);
        table.SetTableName(c.Name);
        table.SetTableType(c.Type);
        EXPECT_EQ(table.IsParadoxTable(), c.Paradox);
    }
}

TEST_F(LibraryDataSet, ReadsThePicturesOfParadoxValidityChecks) {
    auto database = TDbiEngine::Default().OpenDatabase(Folder.Path());
    database->SetValidityCheck("t", "name", "*!");
    database->SetValidityCheck("t", "Small", "#[#][#]");
    database->SetValidityCheck("t", "Gone", "&");
    TwwTable table(nullptr);
    table.SetDatabaseName(Folder.Path());
    table.SetTableName("t.db");
    EXPECT_EQ(table.wwGetParadoxPicture("Name"), "*!");
    EXPECT_EQ(table.wwGetParadoxPicture("Small"), "#[#][#]");
    EXPECT_EQ(table.wwGetParadoxPicture("small"), "") << "names compare exactly";
    EXPECT_EQ(table.wwGetParadoxPicture("A"), "");
    TwwTable plain(nullptr);
    plain.SetDatabaseName(Folder.Path());
    plain.SetTableName("t");
    EXPECT_EQ(plain.wwGetParadoxPicture("Name"), "") << "not a Paradox table";
}

TEST_F(LibraryDataSet, FindsKeysAndIndexesForTheLookups) {
    TwwTable table(nullptr);
    table.SetName("Lookup");
    table.SetDatabaseName(Folder.Path());
    table.SetTableName("t");
    table.Open();
    EXPECT_FALSE(table.wwFindKey({"Smith"})) << "no index";
    std::string index = "unchanged";
    table.wwFindIndexForFields("name", index);
    EXPECT_EQ(index, "ByName");
    table.wwFindIndexForFields("City", index);
    EXPECT_EQ(index, "ByName");
    table.SetIndexName(index);
    EXPECT_TRUE(table.wwFindKey({"JONES"}));
    EXPECT_EQ(table.FieldByName("A")->AsInteger(), 1);
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "Jones");
    EXPECT_FALSE(table.wwFindKey({"Jones", "x"}));
    EXPECT_EQ(Messages, std::vector<std::string>{
                            "Table Lookup: FindKey has too many lookup values for index ByName"});
}

TEST_F(LibraryDataSet, SearchesADetailTableByNarrowingItsRange) {
    TwwTable customers(nullptr);
    customers.SetDatabaseName(Folder.Path());
    customers.SetTableName("customers");
    customers.SetIndexName("ByCustNo");
    customers.Open();
    TDataSource source(nullptr);
    source.SetDataSet(&customers);
    TwwTable orders(nullptr);
    orders.SetDatabaseName(Folder.Path());
    orders.SetTableName("orders");
    orders.SetIndexName("ByCust");
    orders.SetMasterSource(&source);
    orders.SetMasterFields("CustNo");
    orders.SyncSQLByRange = true;
    orders.Open();
    ASSERT_EQ(Walk(orders, "OrderNo"), "1001,1003,1005");
    orders.First();

    struct Case {
        std::vector<std::string> Keys;
        bool Searching, Found;
        const char* Seen;  // the records the table shows afterwards
    };
    for (const Case& c : {
             // From the key to the end of the master's range.
             Case{{"1", "1003"}, false, true, "1003,1005"},
             Case{{"1", "1005"}, false, true, "1005"},
             Case{{"1", "1002"}, false, false, "1003,1005"},
             // While the lookup machinery searches, the key alone.
             Case{{"1", "1001"}, true, true, "1001"},
             Case{{"1", "1001"}, false, true, "1001"},
             Case{{""}, true, false, "1001"},
             Case{{""}, false, false, "1001,1003,1005,1002,1004"},
         }) {
        SCOPED_TRACE(c.Keys.back() + (c.Searching ? " searching" : ""));
        orders.Searching = c.Searching;
        EXPECT_EQ(orders.wwFindKey(c.Keys), c.Found);
        const std::string current = orders.FieldByName("OrderNo")->AsString();
        EXPECT_EQ(Walk(orders, "OrderNo"), c.Seen);
        orders.First();
        EXPECT_EQ(current == c.Keys.back(), c.Found);
    }
    for (const bool searching : {false, true}) {
        orders.Searching = searching;
        const std::string shown = Walk(orders, "OrderNo");
        EXPECT_THROW(orders.wwFindKey({"one"}), Exception) << "not a number";
        EXPECT_EQ(orders.State(), dsBrowse) << "no key is left half typed";
        EXPECT_EQ(Walk(orders, "OrderNo"), shown);
    }
    orders.Searching = false;
    customers.Next();
    EXPECT_EQ(Walk(orders, "OrderNo"), "1002") << "the master moves the range again";
    orders.SyncSQLByRange = false;
    EXPECT_FALSE(orders.wwFindKey({"1", "1003"})) << "a plain key search keeps to the range";
    EXPECT_TRUE(Messages.empty());
}

TEST_F(LibraryDataSet, StoredProceduresHonourSwitchingFilteringOff) {
    TStoredProc::Define(*TDbiEngine::Default().OpenDatabase(Folder.Path()), "names",
                        "SELECT Name, A FROM t");
    TwwStoredProc proc(nullptr);
    proc.SetDatabaseName(Folder.Path());
    proc.SetStoredProcName("names");
    proc.SetOnFilter(
        [](TDataSet* D, bool& Accept) { Accept = D->FieldByName("A")->AsInteger() > 1; });
    proc.Open();
    EXPECT_EQ(Walk(proc, "Name"), "Brown,");
    proc.SetOnFilterOptions({});
    EXPECT_EQ(Walk(proc, "Name"), "Smith,Jones,Brown,");
}

}  // namespace
}  // namespace vex
