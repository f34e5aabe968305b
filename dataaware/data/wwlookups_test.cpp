#include "dataaware/data/wwlookups.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwquery.h"
#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwtestsupport.h"
#include "platform/data/dbiengine.h"

namespace vex {
namespace {

// Orders, in order number, with the customer's company looked up by CustNo.
class Lookups : public ::testing::Test {
protected:
    void SetUp() override {
        Orders.SetDatabaseName(Folder.Path());
        Orders.SQL().SetText("SELECT OrderNo, CustNo, Item FROM orders ORDER BY OrderNo");
        Fields.Add(ftInteger, "OrderNo");
        Fields.Add(ftInteger, "CustNo");
        Fields.Add(ftString, "Item", fkData, 20);
        Company = &Fields.Add(ftString, "Company", fkCalculated, 30);
    }
    void Define(const std::string& Fields, const std::string& Links) {
        Orders.SetLookupFields(test::LinesOf({"Company;" + Folder.Path() + ";" + Fields}));
        Orders.SetLookupLinks(test::LinesOf({Links}));
    }
    // The company of each order, "-" where the lookup found none.
    std::string Companies() {
        std::string seen;
        for (Orders.First(); !Orders.Eof(); Orders.Next())
            seen += (Orders.Bof() ? "" : ",") +
                    (Company->AsString().empty() ? "-" : Company->AsString());
        return seen;
    }

    test::TFixtureFolder Folder;
    TwwQuery Orders{nullptr};
    test::TFieldsOf Fields{Orders};
    TField* Company = nullptr;
};

TEST_F(Lookups, FillTheLookupFieldFromTheLinkedRecordOrLeaveItEmpty) {
    Define("customers;Company;ByCustNo", "CustNo;CustNo");
    Orders.Open();
    EXPECT_EQ(Companies(), "Acme,Globex,Acme,-,Acme");
    ASSERT_EQ(Orders.LookupTables.size(), 1u) << "one table serves every record";
    EXPECT_EQ(Orders.LookupTables[0]->IndexName(), "ByCustNo");
    EXPECT_TRUE(Folder.Messages.empty());
}

TEST_F(Lookups, ChooseTheTableAndIndexAsTheDefinitionSays) {
    struct Case {
        const char* Fields;
        const char *Table, *Index;
    };
    for (const Case& c : {
             Case{"customers.db;Company;ByCustNo", "customers.db", "ByCustNo"},
             // Index fields instead of a name, then the flag: "N" drops the extension.
             Case{"customers.db;Company;;CustNo;N", "customers", "ByCustNo"},
             Case{"customers.db;Company;;CustNo;Y", "customers.db", "ByCustNo"},
             // The file's name ends at its first dot; a folder's dot stays.
             Case{"./customers.db;Company;;CustNo;N", "./customers", "ByCustNo"},
             Case{"./customers.db.old;Company;;CustNo;N", "./customers", "ByCustNo"},
             // No index fields and no index that fits: the table is searched by its field.
             Case{"customers.db;Company;;N", "customers", ""},
             Case{"customers;Company;;Company;N", "customers", ""},
         }) {
        SCOPED_TRACE(c.Fields);
        Orders.Close();
        Orders.LookupTables.clear();
        Define(c.Fields, "CustNo;CustNo");
        Orders.Open();
        EXPECT_EQ(Companies(), "Acme,Globex,Acme,-,Acme");
        ASSERT_EQ(Orders.LookupTables.size(), 1u);
        EXPECT_EQ(Orders.LookupTables[0]->TableName(), c.Table);
        EXPECT_EQ(Orders.LookupTables[0]->IndexName(), c.Index);
    }
}

TEST_F(Lookups, HideTheFieldAndStopWhenALinkNamesNoField) {
    TField& second = Fields.Add(ftString, "Second", fkCalculated, 30);
    Orders.SetLookupFields(
        test::LinesOf({"Company;" + Folder.Path() + ";customers;Company;ByCustNo",
                       "Second;" + Folder.Path() + ";customers;Company;ByCustNo"}));
    Orders.SetLookupLinks(test::LinesOf({"CustNo;CustNo;Gone;CustNo", "CustNo;CustNo"}));
    Orders.Open();
    EXPECT_FALSE(Company->Visible());
    EXPECT_EQ(second.AsString(), "") << "the refresh ended before the second line";
    EXPECT_TRUE(second.Visible());
}

TEST_F(Lookups, SkipADefinitionWhoseTableCannotBeOpened) {
    Define("nosuch;Company;ByCustNo", "CustNo;CustNo");
    Orders.Open();
    EXPECT_EQ(Companies(), "-,-,-,-,-");
    EXPECT_TRUE(Orders.LookupTables.empty());
    EXPECT_TRUE(Company->Visible());
}

TEST_F(Lookups, TryAnUnopenableTableAgainOnlyAfterReopeningOrRedefining) {
    const auto create = [this](const std::string& Table) {
        TDbiEngine::Default()
            .OpenDatabase(Folder.Path())
            ->Execute("CREATE TABLE " + Table + " AS SELECT * FROM customers");
    };
    Define("late;Company;", "CustNo;CustNo");
    Orders.Open();
    EXPECT_EQ(Companies(), "-,-,-,-,-");
    create("late");
    Orders.Refresh();
    EXPECT_EQ(Companies(), "-,-,-,-,-") << "not tried again on every record";
    EXPECT_TRUE(Orders.LookupTables.empty());
    Orders.Close();
    Orders.Open();
    EXPECT_EQ(Companies(), "Acme,Globex,Acme,-,Acme");

    Define("later;Company;", "CustNo;CustNo");
    Orders.Refresh();
    EXPECT_EQ(Companies(), "-,-,-,-,-");
    create("later");
    Define("later;Company;;", "CustNo;CustNo");
    Orders.Refresh();
    EXPECT_EQ(Companies(), "Acme,Globex,Acme,-,Acme") << "a changed definition is tried";
}

TEST_F(Lookups, DropDefinitionsOfFieldsTheDataSetLacks) {
    Orders.SetLookupFields(
        test::LinesOf({"Gone;" + Folder.Path() + ";customers;Company;ByCustNo",
                       "Company;" + Folder.Path() + ";customers;Company;ByCustNo"}));
    Orders.SetLookupLinks(test::LinesOf({"Gone;CustNo", "CustNo;CustNo"}));
    Orders.SetControlType(test::LinesOf({"Gone;Combo;x", "Item;CustomEdit;ItemEdit"}));
    Orders.Open();
    EXPECT_EQ(Companies(), "Acme,Globex,Acme,-,Acme");
    EXPECT_EQ(Orders.LookupFields().Count(), 1);
    EXPECT_EQ(Orders.LookupLinks()[0], "CustNo;CustNo");
    EXPECT_EQ(Orders.ControlType().Count(), 1);
    EXPECT_EQ(Orders.ControlType()[0], "Item;CustomEdit;ItemEdit");
}

TEST_F(Lookups, FindTheLinkedRecordOfAFieldOnRequest) {
    Define("customers;Company;ByCustNo", "CustNo;CustNo");
    std::string database, table, links, result;
    wwGetLookupDefinition(*Company, database, table, links, result);
    EXPECT_EQ(database + "|" + table + "|" + links + "|" + result,
              Folder.Path() + "|customers|CustNo;CustNo|Company");
    wwGetLookupDefinition(*Orders.FindField("Item"), database, table, links, result);
    EXPECT_EQ(database + "|" + table + "|" + links + "|" + result, Folder.Path() + "|||");

    Orders.Open();
    Orders.Next();
    std::string value;
    TField* found = nullptr;
    ASSERT_TRUE(wwFindLookupValue(*Company, value, found));
    EXPECT_EQ(value, "2");
    EXPECT_EQ(found->AsString(), "Globex");
    EXPECT_FALSE(wwFindLookupValue(*Orders.FindField("Item"), value, found));
    EXPECT_EQ(found, Orders.FindField("Item"));
}

TEST_F(Lookups, CutAResultLongerThanTheLookupField) {
    // A memo result, and one record's note longer than the 30 characters of Company.
    Define("customers;Notes;ByCustNo", "CustNo;CustNo");
    Orders.Open();
    EXPECT_EQ(Companies(), "plain note,{\\rtf1\\ansi Globex {\\b bold} n,plain note,-,plain note");
}

TEST_F(Lookups, FindNoLinkedRecordThroughLinksThatNameNoMasterField) {
    for (const char* links : {"", ";CustNo", "Gone;CustNo"}) {
        SCOPED_TRACE(links);
        Orders.Close();
        Define("customers;Company;ByCustNo", links);
        Orders.Open();
        std::string value;
        TField* found = nullptr;
        EXPECT_FALSE(wwFindLookupValue(*Company, value, found));
    }
}

}  // namespace
}  // namespace vex
