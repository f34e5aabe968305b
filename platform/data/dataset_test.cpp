#include "platform/data/dataset.h"

#include <gtest/gtest.h>

#include "platform/core/datetime.h"
#include "platform/core/stringlist.h"
#include "platform/data/data_testsupport.h"
#include "platform/data/datalinks.h"
#include "platform/data/dbtables.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class DataSet : public ::testing::Test {
protected:
    void SetUp() override {
        test::CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/fixture.sql");
        Customers.SetDatabaseName(Folder.Path());
        Customers.SetTableName("customer");
    }
    // A field's values over the whole dataset from the first record on.
    static std::string Walk(TDataSet& D, const std::string& Field) {
        std::string seen;
        for (D.First(); !D.Eof(); D.Next())
            seen += (D.Bof() ? "" : ",") + D.FieldByName(Field)->AsString();
        return seen;
    }

    test::TempDir Folder;
    TTable Customers{nullptr};
};

TEST_F(DataSet, MakesAFieldOfTheRightClassForEveryColumn) {
    TTable all(nullptr);
    all.SetDatabaseName(Folder.Path());
    all.SetTableName("everything");
    all.Open();
    struct Case {
        const char* Field;
        const char* Class;
        const char* Parent;
    };
    const Case cases[] = {
        {"Id", "TAutoIncField", "TIntegerField"},     {"Name", "TStringField", "TField"},
        {"Small", "TSmallintField", "TNumericField"}, {"Unsigned", "TWordField", "TIntegerField"},
        {"Yes", "TBooleanField", "TField"},           {"Ratio", "TFloatField", "TNumericField"},
        {"Cash", "TCurrencyField", "TFloatField"},    {"Exact", "TBCDField", "TNumericField"},
        {"Day", "TDateField", "TDateTimeField"},      {"Moment", "TTimeField", "TDateTimeField"},
        {"Stamp", "TDateTimeField", "TField"},        {"Data", "TBlobField", "TField"},
        {"Text", "TMemoField", "TBlobField"},         {"Rich", "TFmtMemoField", "TBlobField"}};
    ASSERT_EQ(all.FieldCount(), 15);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Field);
        TField* f = all.FieldByName(c.Field);
        EXPECT_EQ(f->ClassName(), c.Class);
        EXPECT_TRUE(f->InheritsFrom(c.Parent));
    }
    EXPECT_EQ(all.FieldByName("name")->Size(), 10);
    EXPECT_EQ(all.FieldByName("Exact")->Size(), 4);
    EXPECT_TRUE(all.FieldByName("Id")->ReadOnly());
    EXPECT_THROW(all.FieldByName("Nope"), EDatabaseError);
    EXPECT_TRUE(all.IsEmpty());
    EXPECT_TRUE(all.Bof() && all.Eof());
}

TEST_F(DataSet, NavigatesAndReportsHowFarItMoved) {
    Customers.Open();
    EXPECT_EQ(Customers.State(), dsBrowse);
    EXPECT_TRUE(Customers.Bof());
    EXPECT_EQ(Customers.RecordCount(), 6);
    EXPECT_EQ(Customers.RecNo(), 1);
    EXPECT_EQ(Customers.MoveBy(3), 3);
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 4);
    EXPECT_EQ(Customers.RecNo(), 4);
    EXPECT_EQ(Customers.MoveBy(10), 2);
    EXPECT_TRUE(Customers.Eof());
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 6);
    EXPECT_EQ(Customers.MoveBy(-100), -5);
    EXPECT_TRUE(Customers.Bof());
    Customers.Last();
    EXPECT_TRUE(Customers.Eof());
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 6);
    Customers.Prior();
    EXPECT_FALSE(Customers.Eof());
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 5);
    EXPECT_EQ(Walk(Customers, "Name"), "Smith,adams,Baker,carter,Smithers,");
}

TEST_F(DataSet, ReadsValuesInEveryForm) {
    Customers.Open();
    TField* balance = Customers.FieldByName("Balance");
    TField* since = Customers.FieldByName("Since");
    TField* notes = Customers.FieldByName("Notes");
    EXPECT_EQ(balance->AsFloat(), 12.5);
    EXPECT_EQ(balance->AsString(), "12.5");
    balance->SetDisplayFormat("0.00");
    EXPECT_EQ(balance->DisplayText(), "12.50");
    EXPECT_EQ(since->AsDateTime(), EncodeDate(1999, 12, 31));
    since->SetDisplayFormat("yyyy-mm-dd");
    EXPECT_EQ(since->DisplayText(), "1999-12-31");
    EXPECT_EQ(notes->AsString(), "pays late");
    TStringList lines;
    notes->SaveToStrings(lines);
    EXPECT_EQ(lines.Count(), 1);
    Customers.Last();
    EXPECT_TRUE(Customers.FieldByName("Name")->IsNull());
    EXPECT_TRUE(balance->IsNull());
    EXPECT_EQ(balance->AsFloat(), 0);
    EXPECT_TRUE(notes->IsNull());
    EXPECT_EQ(balance->DisplayText(), "");
    // A read from a record buffer handed in from outside.
    Customers.First();
    std::vector<uint8_t> record(Customers.Handle()->RecordSize());
    Customers.Handle()->SetToEnd();
    Customers.Handle()->GetPriorRecord(record.data());
    EXPECT_EQ(Customers.FieldByName("City")->TextOf(record.data()), "Oslo");
    int32_t custNo = 0;
    EXPECT_TRUE(Customers.FieldByName("CustNo")->GetData(record.data(), &custNo));
    EXPECT_EQ(custNo, 6);
    EXPECT_FALSE(Customers.FieldByName("Name")->GetData(record.data(), nullptr));
}

TEST_F(DataSet, EditsInsertsAppendsAndDeletes) {
    Customers.Open();
    EXPECT_THROW(Customers.FieldByName("Name")->SetAsString("x"), EDatabaseError);
    Customers.Edit();
    EXPECT_EQ(Customers.State(), dsEdit);
    Customers.FieldByName("Name")->SetAsString("Smyth");
    Customers.FieldByName("Since")->SetAsDateTime(EncodeDate(1850, 6, 1));
    Customers.FieldByName("Notes")->SetAsString("new note");
    EXPECT_TRUE(Customers.Modified());
    EXPECT_THROW(Customers.FieldByName("Name")->SetAsString(std::string(31, 'x')), EDatabaseError);
    Customers.Post();
    EXPECT_EQ(Customers.State(), dsBrowse);
    EXPECT_EQ(Customers.FieldByName("Name")->AsString(), "Smyth");
    EXPECT_EQ(Customers.FieldByName("Since")->AsDateTime(), EncodeDate(1850, 6, 1));
    EXPECT_EQ(Customers.FieldByName("Notes")->AsString(), "new note");

    Customers.Edit();
    Customers.FieldByName("Name")->SetAsString("Gone");
    Customers.Cancel();
    EXPECT_EQ(Customers.FieldByName("Name")->AsString(), "Smyth");

    Customers.Next();
    Customers.Insert();
    EXPECT_EQ(Customers.State(), dsInsert);
    Customers.FieldByName("Name")->SetAsString("Nobody");
    EXPECT_THROW(Customers.Post(), EDatabaseError) << "CustNo is required";
    EXPECT_EQ(Customers.State(), dsInsert);
    Customers.FieldByName("CustNo")->SetAsInteger(7);
    Customers.Post();
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 7);
    EXPECT_EQ(Customers.RecordCount(), 7);

    Customers.Append();
    Customers.FieldByName("CustNo")->SetAsString("8");
    Customers.Post();
    Customers.Last();
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 8);

    Customers.Insert();
    Customers.Cancel();
    EXPECT_EQ(Customers.RecordCount(), 8);

    Customers.First();
    Customers.Delete();
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 2);
    Customers.Last();
    Customers.Delete();
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 7);
    EXPECT_EQ(Walk(Customers, "CustNo"), "2,3,4,5,6,7");

    // A unique index refuses a second customer 2; the record stays in edit mode.
    Customers.Edit();
    Customers.FieldByName("CustNo")->SetAsInteger(3);
    EXPECT_THROW(Customers.Post(), EDBEngineError);
    EXPECT_EQ(Customers.State(), dsEdit);
    Customers.Cancel();
}

TEST_F(DataSet, CalculatesFieldsForEveryRecordItReads) {
    TIntegerField custNo(nullptr);
    custNo.SetFieldName("CustNo");
    custNo.SetDataSet(&Customers);
    TStringField name(nullptr);
    name.SetFieldName("Name");
    name.SetDataSet(&Customers);
    TStringField label(nullptr);
    label.SetFieldName("Label");
    label.SetFieldKind(fkCalculated);
    label.SetSize(40);
    label.SetDataSet(&Customers);
    int calls = 0;
    Customers.OnCalcFields = [&](TDataSet* D) {
        ++calls;
        EXPECT_EQ(D->State(), dsCalcFields);
        label.SetAsString(std::to_string(custNo.AsInteger()) + ":" + name.AsString());
    };
    Customers.Open();
    EXPECT_EQ(Customers.FieldCount(), 3);
    EXPECT_EQ(Walk(Customers, "Label"), "1:Smith,2:adams,3:Baker,4:carter,5:Smithers,6:");
    EXPECT_GE(calls, 6);
    Customers.First();
    Customers.Edit();
    name.SetAsString("Jones");
    EXPECT_EQ(label.AsString(), "1:Jones");
    EXPECT_THROW(label.SetAsString("x"), EDatabaseError);
    Customers.Cancel();
    Customers.Close();
    EXPECT_EQ(Customers.FieldCount(), 3) << "persistent fields stay";
    label.SetIndex(0);
    EXPECT_EQ(Customers.Fields(0), &label);
}

TEST_F(DataSet, LooksUpValuesInAnotherDataSet) {
    Customers.Open();
    Customers.MoveBy(2);
    TTable orders(nullptr);
    orders.SetDatabaseName(Folder.Path());
    orders.SetTableName("orders");
    TIntegerField orderNo(nullptr), custNo(nullptr);
    orderNo.SetFieldName("OrderNo");
    custNo.SetFieldName("CustNo");
    TStringField customer(nullptr);
    customer.SetFieldName("Customer");
    customer.SetFieldKind(fkLookup);
    customer.SetSize(30);
    customer.LookupDataSet = &Customers;
    customer.KeyFields = "CustNo";
    customer.LookupKeyFields = "CustNo";
    customer.LookupResultField = "Name";
    for (TField* f : std::initializer_list<TField*>{&orderNo, &custNo, &customer})
        f->SetDataSet(&orders);
    orders.Open();
    EXPECT_EQ(Walk(orders, "Customer"), "Smith,Baker,Smith,Smithers,Smith");
    EXPECT_EQ(Customers.FieldByName("Name")->AsString(), "Baker") << "the lookup table stays put";
    Customers.Next();
    EXPECT_EQ(Customers.FieldByName("Name")->AsString(), "carter");
    orders.Close();
}

TEST_F(DataSet, ReachesItsFolderThroughADatabaseOrAnAlias) {
    TDbiEngine::Default().AddAlias("CustomerData", Folder.Path());
    struct Case {
        const char* Name;
        int Records;
    };
    {
        TDatabase database(nullptr);
        database.SetDatabaseName("Shop");
        database.SetAliasName("customerdata");
        EXPECT_EQ(database.Directory(), Folder.Path());
        for (const Case& c : {Case{"Shop", 6}, Case{"CUSTOMERDATA", 6}}) {
            SCOPED_TRACE(c.Name);
            TTable table(nullptr);
            table.SetDatabaseName(c.Name);
            table.SetTableName("customer");
            table.Open();
            EXPECT_EQ(table.RecordCount(), c.Records);
        }
        database.Open();
        EXPECT_TRUE(database.Connected());
        EXPECT_THROW(database.SetAliasName("Other"), EDatabaseError);
        EXPECT_TRUE(database.Handle().TableExists("orders"));
    }
    TTable gone(nullptr);
    gone.SetDatabaseName("Shop");
    gone.SetTableName("customer");
    EXPECT_THROW(gone.Open(), EDBEngineError) << "no database, alias or folder of that name";
    TDbiEngine::Default().DeleteAlias("CustomerData");
}

TEST_F(DataSet, WithoutACursorAnActiveDataSetIsEmpty) {
    TDataSet bare(nullptr);
    bare.Open();
    EXPECT_TRUE(bare.Active());
    EXPECT_TRUE(bare.IsEmpty());
    EXPECT_TRUE(bare.Eof());
    bare.Next();
    bare.Last();
    EXPECT_EQ(bare.MoveBy(5), 0);
    EXPECT_EQ(bare.RecordCount(), 0);
    EXPECT_EQ(bare.RecNo(), -1);
    bare.Refresh();
    EXPECT_THROW(bare.Edit(), EDatabaseError);
    EXPECT_THROW(bare.Delete(), EDatabaseError);
    bare.Close();
}

TEST_F(DataSet, BookmarksReturnToTheirRecord) {
    Customers.SetIndexName("ByName");
    Customers.Open();
    Customers.MoveBy(2);
    const TBookmark baker = Customers.GetBookmark();
    EXPECT_EQ(Customers.FieldByName("Name")->AsString(), "Baker");
    Customers.Last();
    const TBookmark last = Customers.GetBookmark();
    EXPECT_TRUE(Customers.BookmarkValid(baker));
    EXPECT_EQ(Customers.CompareBookmarks(baker, last), -1);
    Customers.GotoBookmark(baker);
    EXPECT_EQ(Customers.FieldByName("Name")->AsString(), "Baker");
    Customers.Delete();
    EXPECT_FALSE(Customers.BookmarkValid(baker));
    EXPECT_THROW(Customers.GotoBookmark(baker), EDatabaseError);
}

TEST_F(DataSet, SearchesKeysAndShowsRangesOfAnIndex) {
    Customers.SetIndexName("ByName");
    Customers.Open();
    EXPECT_EQ(Customers.IndexFieldCount(), 1);
    EXPECT_EQ(Customers.IndexFields(0)->FieldName(), "Name");
    EXPECT_TRUE(Customers.FindKey({"BAKER"}));
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 3);
    EXPECT_FALSE(Customers.FindKey({"Bak"}));
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 3) << "a failed search stays";
    Customers.FindNearest({"smi"});
    EXPECT_EQ(Customers.FieldByName("Name")->AsString(), "Smith");
    Customers.FindNearest({"zz"});
    EXPECT_TRUE(Customers.Eof());
    EXPECT_THROW(Customers.FindKey({"a", "b"}), EDatabaseError);

    Customers.SetRange({"B"}, {"Smith"});
    EXPECT_EQ(Walk(Customers, "Name"), "Baker,carter,Smith");
    // Starting a key afresh while it is being typed begins it again.
    Customers.SetRangeStart();
    Customers.FieldByName("Name")->SetAsString("Adams");
    Customers.SetRangeStart();
    EXPECT_TRUE(Customers.FieldByName("Name")->IsNull());
    Customers.FieldByName("Name")->SetAsString("Baker");
    Customers.SetKeyExclusive(true);
    Customers.ApplyRange();
    EXPECT_EQ(Walk(Customers, "Name"), "carter,Smith");
    Customers.CancelRange();
    EXPECT_EQ(Customers.RecordCount(), 6);

    Customers.SetIndexFieldNames("City;Name");
    EXPECT_EQ(Walk(Customers, "Name"), "adams,carter,,Baker,Smith,Smithers");
    EXPECT_THROW(Customers.SetIndexFieldNames("Balance"), EDatabaseError);
}

TEST_F(DataSet, DetailFollowsItsMaster) {
    TDataSource source(nullptr);
    source.SetDataSet(&Customers);
    TTable orders(nullptr);
    orders.SetDatabaseName(Folder.Path());
    orders.SetTableName("orders");
    orders.SetIndexFieldNames("CustNo");
    orders.SetMasterSource(&source);
    orders.SetMasterFields("CustNo");
    Customers.Open();
    orders.Open();
    struct Case {
        int Moves;
        const char* Orders;
    };
    for (const Case& c : {Case{0, "100,102,104"}, Case{1, ""}, Case{1, "101"}, Case{2, "103"}}) {
        Customers.MoveBy(c.Moves);
        SCOPED_TRACE(Customers.FieldByName("CustNo")->AsString());
        std::string seen;
        for (orders.First(); !orders.Eof(); orders.Next())
            seen += (seen.empty() ? "" : ",") + orders.FieldByName("OrderNo")->AsString();
        EXPECT_EQ(seen, c.Orders);
    }
    EXPECT_EQ(orders.FieldByName("Amount")->AsString(), "12345678.9");
}

// Names every notification a link hears, in order.
class TRecordingLink : public TDataLink {
public:
    std::vector<std::string> Heard;

protected:
    void ActiveChanged() override { Heard.push_back(Active() ? "active" : "inactive"); }
    void DataSetChanged() override { Heard.push_back("changed"); }
    void DataSetScrolled(int32_t Distance) override {
        Heard.push_back("scrolled " + std::to_string(Distance));
    }
    void EditingChanged() override { Heard.push_back(Editing() ? "editing" : "browsing"); }
    void LayoutChanged() override { Heard.push_back("layout"); }
    void RecordChanged(TField* Field) override {
        Heard.push_back("record " + (Field ? Field->FieldName() : std::string("-")));
    }
    void UpdateData() override { Heard.push_back("update"); }
    void CheckBrowseMode() override { Heard.push_back("check"); }
    void FocusControl(TField* Field) override { Heard.push_back("focus " + Field->FieldName()); }
};

TEST_F(DataSet, TellsItsLinksOfEachChangeInOrder) {
    TDataSource source(nullptr);
    source.SetDataSet(&Customers);
    TRecordingLink link;
    link.SetDataSource(&source);
    const auto heard = [&](std::initializer_list<const char*> Expected) {
        EXPECT_EQ(link.Heard, std::vector<std::string>(Expected.begin(), Expected.end()));
        link.Heard.clear();
    };
    Customers.Open();
    heard({"active", "changed", "check", "changed"});
    Customers.Next();
    heard({"check", "scrolled 1"});
    Customers.Edit();
    heard({"editing", "record -"});
    Customers.FieldByName("Name")->SetAsString("X");
    heard({"record Name"});
    Customers.FieldByName("Name")->FocusControl();
    heard({"focus Name"});
    Customers.Post();
    heard({"update", "browsing", "changed"});
    Customers.DisableControls();
    Customers.MoveBy(2);
    Customers.Edit();
    Customers.Cancel();
    heard({"check"});
    Customers.EnableControls();
    heard({"changed"});
    Customers.FieldByName("Name")->SetVisible(false);
    heard({"layout"});
    source.SetEnabled(false);
    heard({"inactive", "changed"});
    source.SetEnabled(true);
    heard({"active", "changed"});
    Customers.Close();
    heard({"inactive", "changed"});
}

TEST_F(DataSet, LinksSeeTheirOwnWindowOfRecords) {
    TDataSource source(nullptr);
    source.SetDataSet(&Customers);
    TDataLink grid;
    grid.SetBufferCount(3);
    grid.SetDataSource(&source);
    Customers.Open();
    EXPECT_EQ(Customers.BufferCount(), 3);
    EXPECT_EQ(grid.RecordCount(), 3);
    struct Case {
        int Move, Active, Record;
    };
    for (const Case& c : {Case{1, 1, 2}, Case{1, 2, 3}, Case{1, 2, 4}, Case{5, 2, 6},
                          Case{-1, 1, 5}, Case{-4, 0, 1}}) {
        Customers.MoveBy(c.Move);
        SCOPED_TRACE(c.Record);
        EXPECT_EQ(grid.ActiveRecord(), c.Active);
        EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), c.Record);
    }
    grid.SetActiveRecord(2);
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 3);
    // The grid goes while its last row is being edited: the edit stays.
    Customers.Edit();
    Customers.FieldByName("Name")->SetAsString("Edited");
    grid.SetDataSource(nullptr);
    EXPECT_EQ(Customers.BufferCount(), 1);
    EXPECT_EQ(Customers.FieldByName("CustNo")->AsInteger(), 3);
    Customers.Post();
    EXPECT_EQ(Walk(Customers, "Name"), "Smith,adams,Edited,carter,Smithers,");
}

TEST_F(DataSet, FieldLinksWriteBackWhatTheirControlChanged) {
    TDataSource source(nullptr);
    source.SetDataSet(&Customers);
    TFieldDataLink link;
    link.SetDataSource(&source);
    link.SetFieldName("Name");
    std::string shown, typed;
    link.OnDataChange = [&](TObject*) { shown = link.Field() ? link.Field()->AsString() : "?"; };
    link.OnUpdateData = [&](TObject*) { link.Field()->SetAsString(typed); };
    Customers.Open();
    EXPECT_EQ(shown, "Smith");
    Customers.Next();
    EXPECT_EQ(shown, "adams");
    ASSERT_TRUE(link.Edit());
    typed = "Adams";
    link.SetModified();
    Customers.Post();
    EXPECT_FALSE(link.Modified());
    EXPECT_EQ(shown, "Adams");
    source.SetAutoEdit(false);
    EXPECT_FALSE(link.Edit());
}

// A source losing its open dataset, by assignment or because the dataset is freed, tells its
// links they show nothing, without reading the dataset that is gone.
TEST_F(DataSet, FieldLinksLetGoOfADataSetTheirSourceLoses) {
    for (const bool freeTheDataSet : {false, true}) {
        SCOPED_TRACE(freeTheDataSet ? "freed" : "unassigned");
        auto* table = new TTable(nullptr);
        table->SetDatabaseName(Customers.DatabaseName());
        table->SetTableName(Customers.TableName());
        TDataSource source(nullptr);
        source.SetDataSet(table);
        TFieldDataLink link;
        link.SetDataSource(&source);
        link.SetFieldName("Name");
        std::vector<std::string> shown;
        link.OnDataChange = [&](TObject*) {
            shown.push_back(link.Field() ? link.Field()->AsString() : "-");
        };
        table->Open();
        EXPECT_EQ(shown.back(), "Smith");
        if (freeTheDataSet)
            delete table;
        else
            source.SetDataSet(nullptr);
        EXPECT_EQ(shown.back(), "-");
        EXPECT_FALSE(link.Active());
        if (!freeTheDataSet) delete table;
    }
}

// A filter event reads the record the engine hands it through the dataset's fields.
TEST_F(DataSet, FieldsReadTheBufferOfTheFilterState) {
    Customers.Open();
    static TTable* table;
    table = &Customers;
    const pfDBIFilter inOslo = [](void*, uint8_t* Record, int32_t) -> int32_t {
        const TDataSetState old = table->SetTempState(dsFilter, Record);
        const bool keep = table->FieldByName("City")->AsString() == "Oslo";
        // A nested filter pass (a filter event that moves the dataset) still reads its own buffer.
        table->RestoreState(old, Record);
        return keep;
    };
    hDBIFilter filter = 0;
    ASSERT_EQ(Customers.Handle()->AddFilter(nullptr, nullptr, 0, inOslo, filter), DBIERR_NONE);
    Customers.Handle()->ActivateFilter(filter);
    EXPECT_FALSE(Customers.IsSequenced());
    EXPECT_EQ(Walk(Customers, "CustNo"), "1,3,6");
    EXPECT_EQ(Customers.RecordCount(), 3);
    EXPECT_EQ(Customers.RecNo(), -1);
}

TEST_F(DataSet, QueriesAndProceduresGiveReadOnlyAnswers) {
    TQuery query(nullptr);
    query.SetDatabaseName(Folder.Path());
    query.SQL().SetText(
        "SELECT Name, Balance FROM customer\nWHERE City = 'Oslo' -- the capital\nORDER BY Name");
    query.Open();
    EXPECT_EQ(Walk(query, "Name"), ",Baker,Smith");
    EXPECT_FALSE(query.CanModify());
    EXPECT_THROW(query.Edit(), EDatabaseError);
    query.Close();
    query.SQL().SetText("SELECT 1; DELETE FROM customer");
    EXPECT_THROW(query.Open(), EDBEngineError);
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(Customers.RecordCount(), 0) << "closed";
    Customers.Open();
    EXPECT_EQ(Customers.RecordCount(), 6);

    TStoredProc proc(nullptr);
    proc.SetDatabaseName(Folder.Path());
    TStoredProc::Define(*TDbiEngine::Default().OpenDatabase(Folder.Path()), "Rich",
                        "SELECT CustNo FROM customer WHERE Balance > 10");
    proc.SetStoredProcName("rich");
    proc.Open();
    EXPECT_EQ(Walk(proc, "CustNo"), "1,2");
    proc.Close();
    proc.SetStoredProcName("poor");
    EXPECT_THROW(proc.Open(), EDBEngineError);
}

}  // namespace
}  // namespace vex
