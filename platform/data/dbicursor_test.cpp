#include "platform/data/dbicursor.h"

#include <gtest/gtest.h>

#include "platform/data/bytes.h"
#include "platform/data/data_testsupport.h"
#include "platform/data/dbiengine.h"
#include "platform/data/enginevalues.h"
#include "platform/data/filterblock.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class Cursor : public ::testing::Test {
protected:
    void SetUp() override {
        test::CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/fixture.sql");
    }

    std::unique_ptr<TDbiCursor> Open(const std::string& Table, const std::string& Index = "") {
        auto cursor = TDbiEngine::Default().OpenTable(Folder.Path(), Table, Index);
        Buffer.assign(cursor->RecordSize(), 0);
        return cursor;
    }

    static const FLDDesc& Field(const TDbiCursor& C, const std::string& Name) {
        for (const FLDDesc& f : C.Fields())
            if (f.szName == Name) return f;
        throw std::runtime_error("no field " + Name);
    }
    // A field of Buffer as text: blank as "-", strings as they are, numbers in decimal.
    std::string Text(const TDbiCursor& C, const std::string& Name) const {
        const FLDDesc& f = Field(C, Name);
        if (Buffer[f.iNullOffset]) return "-";
        const uint8_t* p = Buffer.data() + f.iOffset;
        switch (f.iFldType) {
            case fldZSTRING:
                return reinterpret_cast<const char*>(p);
            case fldINT32:
            case fldDATE:
            case fldTIME:
                return std::to_string(GetBytes<int32_t>(p));
            case fldINT16:
            case fldBOOL:
                return std::to_string(GetBytes<int16_t>(p));
            case fldUINT16:
                return std::to_string(GetBytes<uint16_t>(p));
            case fldFLOAT:
                return std::to_string(GetBytes<double>(p));
            case fldTIMESTAMP:
                return std::to_string(static_cast<int64_t>(GetBytes<double>(p)));
            case fldBCD: {
                TBcd bcd;
                std::memcpy(bcd.Bytes, p, BcdSize);
                return BcdToStr(bcd);
            }
        }
        return "?";
    }
    // The values of one field over the records from the first on.
    std::string Walk(TDbiCursor& C, const std::string& Name) {
        std::string seen;
        C.SetToBegin();
        while (C.GetNextRecord(Buffer.data()) == DBIERR_NONE)
            seen += (seen.empty() ? "" : ",") + Text(C, Name);
        return seen;
    }
    void SetKey(TDbiCursor& C, const std::string& Name, const std::string& Value) {
        const FLDDesc& f = Field(C, Name);
        Buffer[f.iNullOffset] = 0;
        if (f.iFldType == fldZSTRING)
            std::memcpy(Buffer.data() + f.iOffset, Value.c_str(), Value.size() + 1);
        else
            PutBytes<int32_t>(Buffer.data() + f.iOffset, std::stoi(Value));
    }

    test::TempDir Folder;
    std::vector<uint8_t> Buffer;
};

TEST_F(Cursor, WalksEachIndexInItsOwnOrder) {
    struct Case {
        const char* Index;
        const char* Names;
    };
    const Case cases[] = {
        {"", "Smith,adams,Baker,carter,Smithers,-"},
        {"ByName", "-,adams,Baker,carter,Smith,Smithers"},  // case-insensitive, blank first
        {"ByCityName", "adams,carter,-,Baker,Smith,Smithers"},
        {"bycustno", "Smith,adams,Baker,carter,Smithers,-"},
    };
    auto cursor = Open("customer");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Index);
        cursor->SwitchToIndex(c.Index);
        EXPECT_EQ(Walk(*cursor, "Name"), c.Names);
        EXPECT_EQ(cursor->GetRecordCount(), 6);
    }
    EXPECT_THROW(cursor->SwitchToIndex("NoSuchIndex"), EDBEngineError);
}

TEST_F(Cursor, StopsOnCracksAtBothEnds) {
    auto cursor = Open("customer");
    EXPECT_EQ(cursor->GetPriorRecord(Buffer.data()), DBIERR_BOF);
    EXPECT_EQ(cursor->GetRecord(Buffer.data()), DBIERR_NOCURRREC);
    ASSERT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_NONE);
    EXPECT_EQ(cursor->SequenceNumber(), 1);
    cursor->SetToEnd();
    ASSERT_EQ(cursor->GetPriorRecord(Buffer.data()), DBIERR_NONE);
    EXPECT_EQ(Text(*cursor, "CustNo"), "6");
    EXPECT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_EOF);
    EXPECT_EQ(cursor->SequenceNumber(), 0);

    int32_t moved = 0;
    cursor->SetToBegin();
    cursor->GetNextRecord(Buffer.data());
    EXPECT_EQ(cursor->GetRelativeRecord(3, Buffer.data(), moved), DBIERR_NONE);
    EXPECT_EQ(moved, 3);
    EXPECT_EQ(Text(*cursor, "CustNo"), "4");
    EXPECT_EQ(cursor->GetRelativeRecord(10, Buffer.data(), moved), DBIERR_EOF);
    EXPECT_EQ(moved, 2);
    cursor->GetPriorRecord(Buffer.data());
    EXPECT_EQ(cursor->GetRelativeRecord(-10, Buffer.data(), moved), DBIERR_BOF);
    EXPECT_EQ(moved, -5);
}

TEST_F(Cursor, SeeksExactAndNearestKeysWithTheIndexCollation) {
    auto cursor = Open("customer", "ByName");
    struct Case {
        DBISearchCond Cond;
        const char* Key;
        DBIResult Result;
        const char* Found;  // the record after the search, "" for a crack at the end
    };
    const Case cases[] = {
        {keySEARCHEQ, "SMITH", DBIERR_NONE, "Smith"},
        {keySEARCHEQ, "Smi", DBIERR_RECNOTFOUND, "Smith"},
        {keySEARCHGEQ, "smi", DBIERR_NONE, "Smith"},
        {keySEARCHGT, "smith", DBIERR_NONE, "Smithers"},
        {keySEARCHGEQ, "B", DBIERR_NONE, "Baker"},
        {keySEARCHGEQ, "zz", DBIERR_EOF, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        cursor->InitRecord(Buffer.data());
        SetKey(*cursor, "Name", c.Key);
        EXPECT_EQ(cursor->SetToKey(c.Cond, Buffer.data(), 1), c.Result);
        const DBIResult read = c.Result == DBIERR_NONE && c.Cond == keySEARCHEQ
                                   ? cursor->GetRecord(Buffer.data())
                                   : cursor->GetNextRecord(Buffer.data());
        EXPECT_EQ(read == DBIERR_NONE ? Text(*cursor, "Name") : "", c.Found);
    }
}

TEST_F(Cursor, RangesShowTheDetailRecordsOfAMaster) {
    auto orders = Open("orders", "ByCustomer");
    struct Case {
        int CustNo;
        const char* OrderNos;
    };
    for (const Case& c : {Case{1, "100,102,104"}, Case{3, "101"}, Case{2, ""}, Case{9, ""}}) {
        SCOPED_TRACE(c.CustNo);
        orders->InitRecord(Buffer.data());
        SetKey(*orders, "CustNo", std::to_string(c.CustNo));
        const std::vector<uint8_t> key = Buffer;
        orders->SetRange(key.data(), 1, true, key.data(), 1, true);
        EXPECT_EQ(Walk(*orders, "OrderNo"), c.OrderNos);
        EXPECT_EQ(
            orders->GetRecordCount(),
            static_cast<int32_t>(std::count(c.OrderNos, c.OrderNos + strlen(c.OrderNos), ',') +
                                 (*c.OrderNos != 0)));
    }
    orders->ResetRange();
    EXPECT_EQ(orders->GetRecordCount(), 5);
    EXPECT_EQ(Walk(*orders, "Amount"), "10.50,0.01,-5.00,99.99,12345678.90");

    // A range holds its keys, not places in the index: records written keep to it.
    orders->InitRecord(Buffer.data());
    SetKey(*orders, "CustNo", "1");
    const std::vector<uint8_t> one = Buffer;
    orders->SetRange(one.data(), 1, true, one.data(), 1, true);
    SetKey(*orders, "OrderNo", "105");
    orders->InsertRecord(Buffer.data());
    EXPECT_EQ(Walk(*orders, "OrderNo"), "100,102,104,105");
    orders->SetToBegin();
    ASSERT_EQ(orders->GetNextRecord(Buffer.data()), DBIERR_NONE);
    SetKey(*orders, "CustNo", "3");
    orders->ModifyRecord(Buffer.data());
    EXPECT_EQ(Walk(*orders, "OrderNo"), "102,104,105") << "order 100 went to customer 3";
    // A record changed to sort before the range, at the place it had in it, has left it.
    orders->SetToBegin();
    ASSERT_EQ(orders->GetNextRecord(Buffer.data()), DBIERR_NONE);
    SetKey(*orders, "CustNo", "0");
    orders->ModifyRecord(Buffer.data());
    EXPECT_EQ(orders->GetRecord(Buffer.data()), DBIERR_NOCURRREC);
    EXPECT_EQ(orders->Bookmark(), 0) << "a dataset coming back to it would find nothing there";
    EXPECT_EQ(Walk(*orders, "OrderNo"), "104,105");
    orders->SetEmptyRange();
    orders->Refresh();
    EXPECT_EQ(Walk(*orders, "OrderNo"), "");
}

TEST_F(Cursor, KeepsOnlyRecordsThatEveryActiveFilterKeeps) {
    auto cursor = Open("customer");
    test::TFilterBlockBuilder b;
    const std::vector<uint8_t> oslo = b.Build(b.Binary(canEQ, b.Field("City"), b.String("Oslo")));
    hDBIFilter byCity = 0, odd = 0;
    ASSERT_EQ(cursor->AddFilter(nullptr, oslo.data(), oslo.size(), nullptr, byCity), DBIERR_NONE);
    EXPECT_EQ(Walk(*cursor, "CustNo"), "1,2,3,4,5,6") << "added filters wait for activation";
    ASSERT_EQ(cursor->ActivateFilter(byCity), DBIERR_NONE);
    EXPECT_EQ(Walk(*cursor, "CustNo"), "1,3,6");

    // A callback that reads the buffer handed to it, and moves the cursor while it runs.
    struct State {
        TDbiCursor* Cursor;
        const FLDDesc* CustNo;
        int Calls = 0;
    } state{cursor.get(), &Field(*cursor, "CustNo")};
    const pfDBIFilter keepOdd = [](void* Data, uint8_t* Record, int32_t) -> int32_t {
        auto* s = static_cast<State*>(Data);
        ++s->Calls;
        return GetBytes<int32_t>(Record + s->CustNo->iOffset) % 2;
    };
    ASSERT_EQ(cursor->AddFilter(&state, nullptr, 0, keepOdd, odd), DBIERR_NONE);
    cursor->ActivateFilter(odd);
    EXPECT_EQ(Walk(*cursor, "CustNo"), "1,3");
    EXPECT_EQ(cursor->GetRecordCount(), 2);
    EXPECT_GT(state.Calls, 0);

    cursor->DeactivateFilter(byCity);
    EXPECT_EQ(Walk(*cursor, "CustNo"), "1,3,5");
    EXPECT_EQ(cursor->DeactivateFilter(0), DBIERR_NONE);
    EXPECT_EQ(Walk(*cursor, "CustNo"), "1,2,3,4,5,6");
    EXPECT_EQ(cursor->DropFilter(odd), DBIERR_NONE);
    EXPECT_EQ(cursor->ActivateFilter(odd), DBIERR_NOSUCHFILTER);
    EXPECT_EQ(cursor->DropFilter(0), DBIERR_NONE);
    EXPECT_EQ(cursor->ActivateFilter(byCity), DBIERR_NOSUCHFILTER);

    // Counting walks the records and comes back; the record it left, hidden by a filter added
    // while the cursor stood on it, stays out of reach.
    cursor->SetToBegin();
    ASSERT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_NONE);
    const int64_t smith = cursor->Bookmark();
    const std::vector<uint8_t> bergen =
        b.Build(b.Binary(canEQ, b.Field("City"), b.String("Bergen")));
    hDBIFilter byBergen = 0;
    ASSERT_EQ(cursor->AddFilter(nullptr, bergen.data(), bergen.size(), nullptr, byBergen),
              DBIERR_NONE);
    cursor->ActivateFilter(byBergen);
    EXPECT_EQ(cursor->GetRecordCount(), 2);
    EXPECT_EQ(cursor->SetToBookmark(smith), DBIERR_RECNOTFOUND);
    cursor->DropFilter(byBergen);

    const std::vector<uint8_t> wrong = b.Build(b.Binary(canEQ, b.Field("Town"), b.String("Oslo")));
    hDBIFilter refused = 7;
    EXPECT_EQ(cursor->AddFilter(nullptr, wrong.data(), wrong.size(), nullptr, refused),
              DBIERR_INVALIDFILTER);
    EXPECT_EQ(refused, 0u);
}

TEST_F(Cursor, ReadsValuesTheFieldsCannotHoldAsBlank) {
    auto cursor = Open("odd");
    EXPECT_EQ(Walk(*cursor, "Small"), "-,-5,0");
    EXPECT_EQ(Walk(*cursor, "Whole"), "-,-,0");
    EXPECT_EQ(Walk(*cursor, "Ratio"), "-,2.500000,0.000000");
    EXPECT_EQ(Walk(*cursor, "Yes"), "-,-1,0");
    // Filters, which SQLite narrows down first, see the same blanks: 4294967303 is not 7.
    struct Case {
        const char* Field;
        int32_t Value;
        const char* Ids;
    };
    for (const Case& c : {Case{"Whole", 7, ""}, Case{"Whole", 0, "3"}, Case{"Small", 4464, ""},
                          Case{"Small", -5, "2"}, Case{"Ratio", 0, "3"}}) {
        SCOPED_TRACE(std::string(c.Field) + " " + std::to_string(c.Value));
        test::TFilterBlockBuilder b;
        const std::vector<uint8_t> block =
            b.Build(b.Binary(canEQ, b.Value(fldINT32, c.Value), b.Field(c.Field)));
        hDBIFilter filter = 0;
        ASSERT_EQ(cursor->AddFilter(nullptr, block.data(), block.size(), nullptr, filter),
                  DBIERR_NONE);
        cursor->ActivateFilter(filter);
        EXPECT_EQ(Walk(*cursor, "Id"), c.Ids);
        cursor->DropFilter(filter);
    }
}

// SQLite narrows a filtered walk down first: it may never drop a record that the block, judging
// the whole record, would keep.
TEST_F(Cursor, NarrowsFilteredWalksToNoFewerRecordsThanTheBlockKeeps) {
    auto cursor = Open("mixed");
    const FLDDesc& id = Field(*cursor, "Id");
    std::vector<std::vector<uint8_t>> records;
    cursor->SetToBegin();
    while (cursor->GetNextRecord(Buffer.data()) == DBIERR_NONE)
        records.push_back(Buffer);
    ASSERT_EQ(records.size(), 23u);
    const double constants[] = {
        0, 12, 12.5, -1, 1000, 65535, 2147483648.0, 9007199254740992.0, 9.5e15, 1e300};
    for (const char* field : {"Small", "Unsigned", "Whole", "Ratio", "Cash"})
        for (uint32_t op = canEQ; op <= canLE; ++op)
            for (const double k : constants)
                for (const bool fieldLeft : {true, false}) {
                    SCOPED_TRACE(std::string(field) + " op " + std::to_string(op) + " " +
                                 std::to_string(k) + (fieldLeft ? "" : " mirrored"));
                    test::TFilterBlockBuilder b;
                    const auto f = b.Field(field), c = b.Value(fldFLOAT, k);
                    const std::vector<uint8_t> block =
                        b.Build(fieldLeft ? b.Binary(op, f, c) : b.Binary(op, c, f));
                    const TFilterProgram program(block.data(), block.size(), cursor->Fields());
                    std::string kept;
                    for (const std::vector<uint8_t>& r : records)
                        if (program.Matches(r.data()))
                            kept += (kept.empty() ? "" : ",") +
                                    std::to_string(GetBytes<int32_t>(r.data() + id.iOffset));
                    hDBIFilter filter = 0;
                    ASSERT_EQ(
                        cursor->AddFilter(nullptr, block.data(), block.size(), nullptr, filter),
                        DBIERR_NONE);
                    cursor->ActivateFilter(filter);
                    EXPECT_EQ(Walk(*cursor, "Id"), kept);
                    cursor->DropFilter(filter);
                }
}

TEST_F(Cursor, AFilterMayMoveTheCursorItJudges) {
    auto cursor = Open("customer");
    static TDbiCursor* current;
    current = cursor.get();
    const pfDBIFilter peek = [](void*, uint8_t*, int32_t) -> int32_t {
        std::vector<uint8_t> other(current->RecordSize());
        current->SetToBegin();  // a filter event that moves its own dataset
        return 1;
    };
    hDBIFilter filter = 0;
    cursor->AddFilter(nullptr, nullptr, 0, peek, filter);
    cursor->ActivateFilter(filter);
    cursor->SetToBegin();
    ASSERT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_NONE);
    ASSERT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_NONE);
    EXPECT_EQ(Text(*cursor, "CustNo"), "2");
}

TEST_F(Cursor, WritesEveryTypeAndReadsItBackUnchanged) {
    auto cursor = Open("everything");
    cursor->InitRecord(Buffer.data());
    const auto set = [&](const std::string& name, auto value) {
        const FLDDesc& f = Field(*cursor, name);
        Buffer[f.iNullOffset] = 0;
        PutBytes(Buffer.data() + f.iOffset, value);
    };
    const FLDDesc& name = Field(*cursor, "Name");
    Buffer[name.iNullOffset] = 0;
    std::memcpy(Buffer.data() + name.iOffset, "O'Neil\"", 8);
    set("Small", int16_t{-32768});
    set("Unsigned", uint16_t{65535});
    set("Whole", int32_t{-2147483647});
    set("Yes", int16_t{-1});
    set("Ratio", 0.1);
    set("Cash", 12.5);
    const FLDDesc& exact = Field(*cursor, "Exact");
    Buffer[exact.iNullOffset] = 0;
    std::memcpy(Buffer.data() + exact.iOffset, StrToBcd("-1234567890123456.7891", 20, 4).Bytes,
                BcdSize);
    set("Day", int32_t{1});  // 1 January of year 1
    set("Moment", int32_t{86399999});
    set("Stamp", 3652059.0 * 86400000 + 1);
    cursor->StageBlob(Field(*cursor, "Data").iFldNum, std::string("\0\x01\xff", 3));
    cursor->StageBlob(Field(*cursor, "Text").iFldNum, std::string("line 1\r\nline 2"));
    cursor->InsertRecord(Buffer.data());

    std::vector<uint8_t> back(cursor->RecordSize());
    ASSERT_EQ(cursor->GetRecord(back.data()), DBIERR_NONE);
    std::swap(back, Buffer);
    struct Case {
        const char* Field;
        const char* Text;
    };
    const Case cases[] = {
        {"Id", "1"},           {"Name", "O'Neil\""},     {"Small", "-32768"},
        {"Unsigned", "65535"}, {"Whole", "-2147483647"}, {"Yes", "-1"},
        {"Ratio", "0.100000"}, {"Cash", "12.500000"},    {"Exact", "-1234567890123456.7891"},
        {"Day", "1"},          {"Moment", "86399999"},   {"Stamp", "315537897600001"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Field);
        EXPECT_EQ(Text(*cursor, c.Field), c.Text);
    }
    EXPECT_EQ(cursor->ReadBlob(Field(*cursor, "Data").iFldNum), std::string("\0\x01\xff", 3));
    EXPECT_EQ(cursor->ReadBlob(Field(*cursor, "Text").iFldNum), "line 1\r\nline 2");
    EXPECT_EQ(cursor->ReadBlob(Field(*cursor, "Rich").iFldNum), std::nullopt);
    // The exact decimal went through text, not a double.
    EXPECT_EQ(Text(*cursor, "Exact"), "-1234567890123456.7891");

    // A second record numbers itself after the first.
    cursor->InitRecord(Buffer.data());
    cursor->InsertRecord(Buffer.data());
    cursor->GetRecord(Buffer.data());
    EXPECT_EQ(Text(*cursor, "Id"), "2");
    EXPECT_EQ(Text(*cursor, "Name"), "-");
}

TEST_F(Cursor, ModifiesAndDeletesTheCurrentRecord) {
    auto cursor = Open("customer", "ByName");
    cursor->InitRecord(Buffer.data());
    SetKey(*cursor, "Name", "baker");
    ASSERT_EQ(cursor->SetToKey(keySEARCHEQ, Buffer.data(), 1), DBIERR_NONE);
    cursor->GetRecord(Buffer.data());
    SetKey(*cursor, "Name", "Zed");
    cursor->ModifyRecord(Buffer.data());
    EXPECT_EQ(Walk(*cursor, "Name"), "-,adams,carter,Smith,Smithers,Zed");

    cursor->SetToEnd();
    cursor->GetPriorRecord(Buffer.data());
    const int64_t zed = cursor->Bookmark();
    cursor->DeleteRecord();
    EXPECT_EQ(cursor->GetRecord(Buffer.data()), DBIERR_NOCURRREC);
    EXPECT_EQ(cursor->GetPriorRecord(Buffer.data()), DBIERR_NONE);
    EXPECT_EQ(Text(*cursor, "Name"), "Smithers");
    EXPECT_EQ(cursor->SetToBookmark(zed), DBIERR_RECNOTFOUND);
    EXPECT_EQ(cursor->GetRecordCount(), 5);

    // A blank required field is refused with its name, and nothing is written.
    cursor->InitRecord(Buffer.data());
    SetKey(*cursor, "Name", "Nobody");
    try {
        cursor->InsertRecord(Buffer.data());
        FAIL() << "inserted";
    } catch (const EDBEngineError& e) {
        EXPECT_EQ(e.ErrorCode(), DBIERR_REQDERR);
        EXPECT_NE(e.Message().find("CustNo"), std::string::npos);
    }
    EXPECT_EQ(cursor->GetRecordCount(), 5);

    // A record another cursor deleted cannot take a change: the change is refused, not lost.
    auto other = Open("customer");
    cursor->SetToBegin();
    ASSERT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_NONE);
    ASSERT_EQ(other->SetToBookmark(cursor->Bookmark()), DBIERR_NONE);
    other->DeleteRecord();
    try {
        cursor->ModifyRecord(Buffer.data());
        FAIL() << "modified";
    } catch (const EDBEngineError& e) {
        EXPECT_EQ(e.ErrorCode(), DBIERR_RECNOTFOUND);
    }
    EXPECT_EQ(Walk(*other, "Name"), "Smith,adams,carter,Smithers") << "nothing written";
}

TEST_F(Cursor, ReachesRowsWhoseColumnsShadowTheRowIdsName) {
    auto cursor = Open("shadow");
    EXPECT_EQ(Walk(*cursor, "Name"), "first,second,third");
    cursor->SetToBegin();
    ASSERT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_NONE);
    ASSERT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_NONE);
    SetKey(*cursor, "Name", "changed");
    cursor->ModifyRecord(Buffer.data());
    EXPECT_EQ(Walk(*cursor, "Name"), "first,changed,third") << "the record on the cursor, alone";
    cursor->SetToBegin();
    ASSERT_EQ(cursor->GetNextRecord(Buffer.data()), DBIERR_NONE);
    cursor->DeleteRecord();
    EXPECT_EQ(Walk(*cursor, "Name"), "changed,third");
    // With every name taken no row can be told apart: refused, never guessed.
    try {
        Open("eclipse");
        ADD_FAILURE() << "opened";
    } catch (const EDBEngineError& e) {
        EXPECT_EQ(e.ErrorCode(), DBIERR_NOTSUPPORTED);
    }
}

TEST_F(Cursor, BookmarksCompareInIndexOrder) {
    auto cursor = Open("customer", "ByName");
    cursor->SetToBegin();
    cursor->GetNextRecord(Buffer.data());
    const int64_t first = cursor->Bookmark();
    cursor->GetNextRecord(Buffer.data());
    const int64_t second = cursor->Bookmark();
    EXPECT_EQ(cursor->CompareBookmarks(first, second), -1);
    EXPECT_EQ(cursor->CompareBookmarks(second, first), 1);
    EXPECT_EQ(cursor->CompareBookmarks(first, first), 0);
    ASSERT_EQ(cursor->SetToBookmark(first), DBIERR_NONE);
    cursor->GetRecord(Buffer.data());
    EXPECT_EQ(Text(*cursor, "Name"), "-");
}

TEST_F(Cursor, RefusesASecondStatementAndMissingTables) {
    auto database = TDbiEngine::Default().OpenDatabase(Folder.Path());
    EXPECT_NO_THROW(database->Prepare("SELECT 1; -- nothing after"));
    try {
        database->Prepare("SELECT 1; DROP TABLE customer");
        FAIL() << "prepared";
    } catch (const EDBEngineError& e) {
        EXPECT_EQ(e.ErrorCode(), DBIERR_QRYSYNTAX);
    }
    EXPECT_TRUE(database->TableExists("customer"));
    try {
        Open("nosuch");
        FAIL() << "opened";
    } catch (const EDBEngineError& e) {
        EXPECT_EQ(e.ErrorCode(), DBIERR_NOSUCHTABLE);
    }
    // The same file serves every cursor of the folder, with or without an extension.
    EXPECT_EQ(TDbiEngine::Default().OpenDatabase(Folder.Path()), database);
    EXPECT_EQ(Open("customer.db")->TableName(), "customer");
}

TEST(Engine, ListsTheConfigurationOfAnAlias) {
    TDbiEngine engine;
    engine.AddAlias("Demo", "/data/demo");
    std::vector<std::pair<std::string, std::string>> entries;
    struct Case {
        const char* Path;
        DBIResult Result;
    };
    for (const Case& c : {Case{"\\Databases\\DEMO\\db info", DBIERR_NONE},
                          Case{"\\DATABASES\\demo\\DB INFO", DBIERR_NONE},
                          Case{"\\Databases\\Other\\db info", DBIERR_OBJNOTFOUND},
                          Case{"\\Databases\\\\db info", DBIERR_OBJNOTFOUND},
                          Case{"\\Drivers\\DEMO\\db info", DBIERR_OBJNOTFOUND}}) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(engine.OpenCfgInfoList(c.Path, entries), c.Result);
    }
    engine.OpenCfgInfoList("\\Databases\\Demo\\db info", entries);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1], std::make_pair(std::string("PATH"), std::string("/data/demo")));
    EXPECT_EQ(engine.AliasPath("demo"), "/data/demo");
    engine.DeleteAlias("DEMO");
    EXPECT_THROW(engine.AliasPath("Demo"), EDBEngineError);
}

TEST(Engine, ResolvesTableNamesToAFolderAndAName) {
    struct Case {
        const char* Name;
        const char* Folder;
        const char* Table;
    };
    for (const Case& c :
         {Case{"customer", "/base", "customer"}, Case{"customer.db", "/base", "customer"},
          Case{"Customer.DBF", "/base", "Customer"}, Case{"sub/orders.db", "/base/sub", "orders"},
          Case{"/other/parts", "/other", "parts"}, Case{"my table.txt", "/base", "my table.txt"}}) {
        SCOPED_TRACE(c.Name);
        const auto [folder, table] = TDbiEngine::ResolveTable("/base", c.Name);
        EXPECT_EQ(folder, c.Folder);
        EXPECT_EQ(table, c.Table);
    }
}

}  // namespace
}  // namespace vex
