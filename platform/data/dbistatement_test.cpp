#include "platform/data/dbistatement.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "platform/data/data_testsupport.h"
#include "platform/data/dbiengine.h"
#include "platform/data/dbtables.h"
#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class Statement : public ::testing::Test {
protected:
    void SetUp() override {
        test::CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/fixture.sql");
        Database = TDbiEngine::Default().OpenDatabase(Folder.Path());
    }
    // The answer's records, one line each, fields apart by blanks.
    static std::vector<std::string> Records(TDbiCursor& Cursor) {
        std::vector<std::string> lines;
        std::vector<uint8_t> buffer(Cursor.RecordSize());
        while (Cursor.GetNextRecord(buffer.data()) == DBIERR_NONE) {
            std::string line;
            for (const FLDDesc& f : Cursor.Fields()) {
                std::string text = "-";
                if (!buffer[f.iNullOffset]) {
                    const uint8_t* p = buffer.data() + f.iOffset;
                    text = f.iFldType == fldZSTRING ? std::string(reinterpret_cast<const char*>(p))
                           : f.iFldType == fldFLOAT
                               ? std::to_string(static_cast<int>(GetBytes<double>(p)))
                               : std::to_string(GetBytes<int32_t>(p));
                }
                line += (line.empty() ? "" : " ") + text;
            }
            lines.push_back(line);
        }
        return lines;
    }

    test::TempDir Folder;
    std::shared_ptr<TDbiDatabase> Database;
};

TEST_F(Statement, RunsTheQbeSubsetAndRefusesTheRest) {
    for (const test::TestBlock& block : test::ReadBlocks(VEX_TEST_DIR "/testdata/qbe.txt")) {
        SCOPED_TRACE(block.Where + ": " + block.Name);
        std::string text;
        for (const std::string& line : block.Parts.at(0))
            text += line + "\r\n";
        const std::vector<std::string>& expected = block.Parts.at(1);
        TDbiStatement statement(Database, qrylangQBE);
        EXPECT_EQ(statement.SetProp(stmtAUXTBLS, 0), DBIERR_NONE);
        EXPECT_EQ(statement.SetProp(stmtBLANKS, block.Name.find("zero") != std::string::npos),
                  DBIERR_NONE);
        const DBIResult prepared = statement.Prepare(text);
        if (expected.at(0).rfind("refused", 0) == 0) {
            EXPECT_EQ(prepared, DBIERR_QRYNOTSUPPORTED);
            EXPECT_NE(statement.Error().find(expected[0].substr(8)), std::string::npos)
                << statement.Error();
            continue;
        }
        ASSERT_EQ(prepared, DBIERR_NONE) << statement.Error();
        std::unique_ptr<TDbiCursor> answer;
        ASSERT_EQ(statement.Execute(answer), DBIERR_NONE) << statement.Error();
        ASSERT_TRUE(answer);
        EXPECT_EQ(Records(*answer), expected) << statement.Sql();
    }
}

TEST_F(Statement, RunsOneSqlStatementAndRefusesASecond) {
    TDbiStatement select(Database, qrylangSQL);
    ASSERT_EQ(select.Prepare("SELECT CustNo FROM customer WHERE City = 'Bergen' -- west\n"),
              DBIERR_NONE);
    std::unique_ptr<TDbiCursor> answer;
    ASSERT_EQ(select.Execute(answer), DBIERR_NONE);
    EXPECT_EQ(Records(*answer), (std::vector<std::string>{"2", "4"}));
    // The answer is a table of its own: changing the customers does not change it.
    TDbiStatement update(Database, qrylangSQL);
    ASSERT_EQ(update.Prepare("UPDATE customer SET City = 'Bergen'"), DBIERR_NONE);
    std::unique_ptr<TDbiCursor> none;
    EXPECT_EQ(update.Execute(none), DBIERR_NONE);
    EXPECT_FALSE(none);
    answer->SetToBegin();
    EXPECT_EQ(Records(*answer).size(), 2u);

    TDbiStatement two(Database, qrylangSQL);
    EXPECT_EQ(two.Prepare("SELECT 1; DELETE FROM customer"), DBIERR_QRYSYNTAX);
    EXPECT_EQ(two.Execute(none), DBIERR_INVALIDHNDL);
    EXPECT_EQ(two.SetProp(12345, 1), DBIERR_NOTSUPPORTED);
}

// Every table of the database that a query reads, whether or not a column of it is named.
TEST_F(Statement, NamesTheTablesItsAnswerRead) {
    struct Case {
        std::string Sql;
        std::vector<std::string> Tables;
    };
    for (const Case& c : {
             Case{"SELECT Name FROM customer", {"customer"}},
             Case{"SELECT count(*) FROM customer", {"customer"}},
             Case{"SELECT 1 FROM orders", {"orders"}},
             Case{"SELECT Name FROM customer WHERE EXISTS (SELECT 1 FROM orders)",
                  {"customer", "orders"}},
             Case{"SELECT 1", {}},
         }) {
        SCOPED_TRACE(c.Sql);
        const std::unique_ptr<TDbiCursor> answer = OpenAnswer(Database, c.Sql);
        EXPECT_EQ(answer->SourceTables, c.Tables);
    }
}

TEST_F(Statement, KeepsTheConnectionsStatementsBoundedOverManyAnswers) {
    const auto statements = [&] {
        int count = 0;
        for (sqlite3_stmt* s = sqlite3_next_stmt(Database->Handle(), nullptr); s;
             s = sqlite3_next_stmt(Database->Handle(), s))
            ++count;
        return count;
    };
    // Each answer is made under a name of its own, and each value gives another text.
    for (int i = 0; i < 600; ++i) {
        TDbiStatement select(Database, qrylangSQL);
        ASSERT_EQ(select.Prepare("SELECT CustNo FROM customer WHERE CustNo > " + std::to_string(i)),
                  DBIERR_NONE);
        std::unique_ptr<TDbiCursor> answer;
        ASSERT_EQ(select.Execute(answer), DBIERR_NONE);
    }
    EXPECT_LT(statements(), 600);
}

}  // namespace
}  // namespace vex
