#include "dataaware/data/wwfilter.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/core/exceptions.h"
#include "platform/data/bytes.h"
#include "platform/data/data_testsupport.h"
#include "platform/data/dbtables.h"
#include "platform/data/enginevalues.h"
#include "platform/data/filterblock.h"
#include "platform/data/scriptedcursor.h"
#include "platform/win/messagebox.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class Filter : public ::testing::Test {
protected:
    void SetUp() override {
        test::CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/tables.sql");
        Table.SetDatabaseName(Folder.Path());
        Table.SetTableName("t");
        Table.Open();
    }

    // The block written back as a tree, to compare with the table of cases.
    static std::string Describe(const std::vector<uint8_t>& Block, size_t Offset = 0) {
        const uint8_t* node = Block.data() + FilterHeaderSize + Offset;
        const uint8_t* literals = Block.data() + GetBytes<uint16_t>(Block.data() + 8);
        const uint32_t kind = GetBytes<uint32_t>(node);
        if (kind == nodeBINARY) {
            static const std::map<uint32_t, std::string> ops = {
                {canEQ, "="},  {canNE, "<>"}, {canGT, ">"},    {canLT, "<"},
                {canGE, ">="}, {canLE, "<="}, {canAND, "AND"}, {canOR, "OR"},
                {canADD, "+"}, {canSUB, "-"}, {canMUL, "*"},   {canDIV, "/"}};
            return "(" + ops.at(GetBytes<uint32_t>(node + 4)) + " " +
                   Describe(Block, GetBytes<uint16_t>(node + 8)) + " " +
                   Describe(Block, GetBytes<uint16_t>(node + 10)) + ")";
        }
        if (kind == nodeFIELD)
            return reinterpret_cast<const char*>(literals + GetBytes<uint16_t>(node + 10));
        const uint8_t* value = literals + GetBytes<uint16_t>(node + 12);
        switch (GetBytes<uint16_t>(node + 8)) {
            case fldZSTRING:
                return "s:" + std::string(reinterpret_cast<const char*>(value));
            case fldFLOAT: {
                char text[64];
                std::snprintf(text, sizeof text, "f:%g", GetBytes<double>(value));
                return text;
            }
            case fldINT32:
                return "i:" + std::to_string(GetBytes<int32_t>(value));
            case fldINT16:
                return "h:" + std::to_string(GetBytes<int16_t>(value));
            case fldBOOL:
                return "b:" + std::to_string(GetBytes<int16_t>(value));
            case fldDATE:
                return "d:" + std::to_string(GetBytes<int32_t>(value));
            case fldTIME:
                return "t:" + std::to_string(GetBytes<int32_t>(value));
            case fldTIMESTAMP:
                return "ts:" + std::to_string(static_cast<int64_t>(GetBytes<double>(value)));
            case fldBCD: {
                TBcd bcd;
                std::memcpy(bcd.Bytes, value, BcdSize);
                return "bcd:" + BcdToStr(bcd);
            }
        }
        return "?";
    }

    std::string Walk(const std::string& Field) {
        std::string seen;
        for (Table.First(); !Table.Eof(); Table.Next())
            seen += (Table.Bof() ? "" : ",") + Table.FieldByName(Field)->AsString();
        return seen;
    }

    test::TempDir Folder;
    TTable Table{nullptr};
};

TEST_F(Filter, CompilesTheWorkedExampleByteForByte) {
    const auto block = CompileFilterText("Name = \"Smith\"", Table);
    ASSERT_TRUE(block.has_value());
    const std::string expected = test::Unescape(
        "\\x01\\x00\\x3f\\x00\\x03\\x00\\x0a\\x00\\x34\\x00"  // header: 63 bytes, 3 nodes
        "\\x02\\x00\\x00\\x00\\x03\\x00\\x00\\x00\\x1c\\x00\\x0e\\x00\\x00\\x00"  // slot 0: =
        "\\x05\\x00\\x00\\x00\\x0e\\x00\\x00\\x00\\x01\\x00\\x06\\x00\\x05\\x00"  // slot 1: "Smith"
        "\\x04\\x00\\x00\\x00\\x0d\\x00\\x00\\x00\\x01\\x00\\x00\\x00\\x00\\x00"  // slot 2: Name
        "Name\\0Smith\\0");
    EXPECT_EQ(std::string(block->begin(), block->end()), expected);
    // The engine takes what the compiler writes.
    EXPECT_NO_THROW(TFilterProgram(block->data(), block->size(), Table.Handle()->Fields()));
}

TEST_F(Filter, CompilesTextsToTheirTrees) {
    int messages = 0;
    const TMessageBoxOverride quiet([&](HWND, const std::string& Text, const std::string&, UINT) {
        ++messages;
        EXPECT_EQ(Text.rfind("Field not found in Table. \r", 0), 0u);
        return IDOK;
    });
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/compile.txt")) {
        SCOPED_TRACE(c.Where + ": " + c[0]);
        if (c[1] == "convert") {
            EXPECT_THROW(CompileFilterText(c[0], Table), EConvertError);
            continue;
        }
        const auto block = CompileFilterText(c[0], Table);
        EXPECT_EQ(block ? Describe(*block) : "nil", c[1]);
    }
    EXPECT_EQ(messages, 3) << "Town, A / B and 2 name no field";
}

TEST_F(Filter, CutsLongOperandsAndLeavesTheRestInTheInput) {
    const std::string name(70, 'x');
    // 64 characters become the constant; the 6 left over are not part of any expression.
    EXPECT_FALSE(CompileFilterText("Name = " + name, Table).has_value());
    const auto block = CompileFilterText("Name = " + name.substr(0, 64), Table);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(Describe(*block), "(= Name s:" + name.substr(0, 64) + ")");
}

TEST_F(Filter, RefusesTextsTooDeepOrTooLargeForTheEngineQuickly) {
    const std::string deep = std::string(100000, '(') + "A = 1" + std::string(100000, ')');
    std::string chain = "A = 1", product = "(A)";
    for (int i = 0; i < 1000; ++i) {
        chain += " OR A = 1";
        product += "*(1)";
    }
    // Many nodes at little depth: more than a block holds, in a long text read once.
    std::string wide = "A = 1";
    for (int i = 0; i < 15; ++i)
        wide = "(" + wide + ") OR (" + wide + ")";
    for (const std::string& text : {deep, chain, product + " = 1", wide}) {
        SCOPED_TRACE(text.substr(0, 40));
        EXPECT_THROW(CompileFilterText(text, Table), ERangeError);
    }
    // Nesting a person writes still compiles.
    EXPECT_TRUE(CompileFilterText(std::string(50, '(') + "A = 1" + std::string(50, ')'), Table));
}

TEST_F(Filter, InstallsAndRemovesExpressionFilters) {
    hDBIFilter handle = 0;
    struct Case {
        const char* Text;
        bool Result;
        const char* Names;
    };
    const TMessageBoxOverride quiet(
        [](HWND, const std::string&, const std::string&, UINT) { return IDOK; });
    for (const Case& c :
         {Case{"A = 1", true, "Jones,Smith"}, Case{"Amount > 50 AND Active = T", true, "Brown"},
          Case{"Price <= 12.5", true, "Jones,Smith"}, Case{"Day = \"6/1/1850\"", true, "Jones"},
          Case{"Stamp < \"6/1/1850 12:00\"", true, "Jones"},
          Case{"Town = 1", false, ",Brown,Jones,Smith"}, Case{"Name", false, ",Brown,Jones,Smith"},
          Case{"", true, ",Brown,Jones,Smith"}}) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ApplyFilterText(c.Text, Table, handle, false), c.Result);
        EXPECT_EQ(handle != 0, c.Result && *c.Text != 0);
        Table.SetIndexName("ByName");
        EXPECT_EQ(Walk("Name"), c.Names);
        Table.SetIndexName("");
    }
    EXPECT_FALSE(Table.Handle()->Filtered());

    Table.Close();
    handle = 5;
    EXPECT_TRUE(ApplyFilterText("Nonsense ((", Table, handle, false))
        << "a closed table compiles nothing";
    EXPECT_EQ(handle, 0u);
}

TEST_F(Filter, CallsTheRecordCallbackWithTheDataSet) {
    static std::vector<std::string> seen;
    seen.clear();
    const pfDBIFilter keepA1 = [](void* Data, uint8_t* Record, int32_t) -> int32_t {
        auto* table = static_cast<TTable*>(Data);
        seen.push_back(table->FieldByName("Name")->TextOf(Record));
        return table->FieldByName("A")->TextOf(Record) == "1";
    };
    hDBIFilter handle = 0;
    EXPECT_TRUE(SetRecordFilterCallback(keepA1, Table, handle));
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(Walk("Name"), "Smith,Jones");
    EXPECT_FALSE(seen.empty());
    EXPECT_TRUE(SetRecordFilterCallback(nullptr, Table, handle));
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(Walk("Name"), "Smith,Jones,Brown,");

    TDataSet bare(nullptr);
    bare.Open();
    EXPECT_FALSE(SetRecordFilterCallback(keepA1, bare, handle)) << "no cursor to filter";
}

// A dataset over a cursor that refuses what the script says.
class TScriptedDataSet : public TDataSet {
public:
    TScriptedDataSet(const std::string& Folder, std::deque<DBIResult> Script)
        : TDataSet(nullptr), FFolder(Folder), FScript(std::move(Script)) {}
    TScriptedCursor* Cursor() const { return static_cast<TScriptedCursor*>(Handle()); }

protected:
    std::unique_ptr<TDbiCursor> CreateHandle() override {
        auto cursor =
            std::make_unique<TScriptedCursor>(TDbiEngine::Default().OpenDatabase(FFolder), "t");
        cursor->Script = FScript;
        return cursor;
    }

private:
    std::string FFolder;
    std::deque<DBIResult> FScript;
};

TEST_F(Filter, AnEngineThatRefusesTheCallbackLeavesNoHandle) {
    TScriptedDataSet refusing(Folder.Path(), {DBIERR_NOTSUPPORTED});
    refusing.Open();
    hDBIFilter handle = 0;
    const pfDBIFilter keepAll = [](void*, uint8_t*, int32_t) -> int32_t { return 1; };
    EXPECT_FALSE(SetRecordFilterCallback(keepAll, refusing, handle));
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(refusing.Cursor()->Calls, std::vector<std::string>{"AddFilter callback"});
    EXPECT_EQ(refusing.RecordCount(), 4) << "unfiltered";

    // Accepted the second time: added, activated, and dropped again when removed.
    EXPECT_TRUE(SetRecordFilterCallback(keepAll, refusing, handle));
    EXPECT_TRUE(SetRecordFilterCallback(nullptr, refusing, handle));
    EXPECT_EQ(refusing.Cursor()->Calls,
              (std::vector<std::string>{"AddFilter callback", "AddFilter callback",
                                        "ActivateFilter 1", "DeactivateFilter 1", "DropFilter 1"}));
}

}  // namespace
}  // namespace vex
