#include "dataaware/data/wwanswertable.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "dataaware/data/Wwqbe.h"
#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwtestsupport.h"
#include "platform/data/dbiengine.h"

namespace vex {
namespace {

class AnswerTable : public ::testing::Test {
protected:
    void SetUp() override {
        TDbiEngine::Default().AddAlias("ANSWERS", Other.Path());
        Query.SetDatabaseName(Folder.Path());
        Query.SetQBE(test::LinesOf({"t | Name  | A |", "  | Check | 1 |"}));
    }
    void TearDown() override { TDbiEngine::Default().DeleteAlias("ANSWERS"); }
    // The names of a table's records in name order; "?" when there is no such table.
    static std::string Names(const std::string& Folder, const std::string& Table) {
        if (!TDbiEngine::Default().OpenDatabase(Folder)->TableExists(Table)) return "?";
        TwwTable table(nullptr);
        table.SetDatabaseName(Folder);
        table.SetQuery(test::LinesOf({"SELECT Name FROM " + Table + " ORDER BY Name"}));
        table.Open();
        std::string seen;
        for (table.First(); !table.Eof(); table.Next())
            seen += (table.Bof() ? "" : ",") + table.FieldByName("Name")->AsString();
        return seen;
    }

    test::TFixtureFolder Folder;
    test::TempDir Other;
    TwwQBE Query{nullptr};
};

TEST_F(AnswerTable, FindsTheFolderOfAnAlias) {
    std::string path = "x";
    wwGetAliasPath("answers", path);
    EXPECT_EQ(path, Other.Path());
    wwGetAliasPath("nosuch", path);
    EXPECT_EQ(path, "");
    wwGetAliasPath("", path);
    EXPECT_EQ(path, "");
}

TEST_F(AnswerTable, ReceivesTheAnswerWhereverItsNamePoints) {
    struct Case {
        std::string Name, Folder, Table;
    };
    for (const Case& c :
         {Case{"kept", Folder.Path(), "kept"}, Case{"kept.db", Folder.Path(), "kept"},
          // A table's name is the same in any case.
          Case{"KEPT", Folder.Path(), "kept"}, Case{":answers:kept", Other.Path(), "kept"},
          Case{":ANSWERS:/kept.db", Other.Path(), "kept"},
          Case{Other.Path() + "/abs", Other.Path(), "abs"}}) {
        SCOPED_TRACE(c.Name);
        Query.Close();
        Query.SetAnswerTable(c.Name);
        Query.Open();
        EXPECT_EQ(Names(c.Folder, c.Table), "Jones,Smith");
        EXPECT_EQ(Query.RecordCount(), 2) << "the dataset reads its answer still";
        Query.First();
        EXPECT_EQ(Query.FieldByName("Name")->AsString(), "Jones");
    }
    // A second run replaces what the first left.
    Query.SetQBE(test::LinesOf({"t | Name  | A |", "  | Check | 2 |"}));
    EXPECT_EQ(Names(Other.Path(), "abs"), "Brown");
    EXPECT_TRUE(Folder.Messages.empty());
}

TEST_F(AnswerTable, TakesNothingOverFromTheTableItReplaces) {
    auto database = TDbiEngine::Default().OpenDatabase(Folder.Path());
    database->Execute("CREATE TABLE old (Name VARCHAR(20)); INSERT INTO old VALUES ('x')");
    database->SetValidityCheck("old", "Name", "###");
    Query.SetAnswerTable("old");
    Query.Open();
    EXPECT_EQ(Names(Folder.Path(), "old"), "Jones,Smith");
    EXPECT_TRUE(database->ValidityChecks("old").empty()) << "its names would fail the old picture";
}

TEST_F(AnswerTable, TellsWhatWentWrongAndLeavesTheDataSetItsAnswer) {
    struct Case {
        std::string Name, Message;
    };
    for (const Case& c : {
             Case{":nosuch:kept", "Invalid Alias in QBE"},
             Case{":nosuch", "Invalid Alias in QBE"},
             Case{":answers", "Invalid parameter.\nNo table name(" + Other.Path() + "/)"},
             Case{Folder.Path() + "/none/kept", "Cannot open database file.\nNo folder " +
                                                    Folder.Path() + "/none(" + Folder.Path() +
                                                    "/none/kept)"},
             // Writing fails: the table name is taken by an index.
             Case{"ByName", "Unable to create answer table ByName"},
         }) {
        SCOPED_TRACE(c.Name);
        Folder.Messages.clear();
        Query.Close();
        Query.SetAnswerTable(c.Name);
        Query.Open();
        EXPECT_EQ(Folder.Messages, std::vector<std::string>{c.Message});
        EXPECT_EQ(Query.RecordCount(), 2);
    }
    EXPECT_EQ(Names(Other.Path(), "kept"), "?");
}

TEST_F(AnswerTable, RefusesToReplaceATableThatIsStillReadOrTheEngines) {
    const std::string folder = Folder.Path();
    const std::string up = folder.substr(folder.rfind('/'));
    TDbiEngine::Default().OpenDatabase(folder)->SetValidityCheck("t", "Name", "*&");
    TDbiEngine::Default()
        .OpenDatabase(Other.Path())
        ->Execute("CREATE TABLE held (Name VARCHAR(20)); INSERT INTO held VALUES ('kept')");
    TwwTable open(nullptr);
    open.SetDatabaseName(Other.Path());
    open.SetTableName("held");
    open.Open();
    struct Case {
        std::string Name, Why;
    };
    // The query's own table, however the name reaches it; a table open elsewhere; the
    // engine's catalogue of validity checks.
    for (const Case& c :
         {Case{"t", "in use"}, Case{"T.db", "in use"}, Case{folder + "/t", "in use"},
          Case{"./t", "in use"}, Case{Other.Path() + "/.." + up + "/t", "in use"},
          Case{":answers:held", "in use"}, Case{"vex_validity", "engine's own"},
          Case{"VEX_Validity.db", "engine's own"}}) {
        SCOPED_TRACE(c.Name);
        Folder.Messages.clear();
        Query.Close();
        Query.SetAnswerTable(c.Name);
        Query.Open();
        ASSERT_EQ(Folder.Messages.size(), 1u);
        EXPECT_NE(Folder.Messages[0].find(c.Why), std::string::npos) << Folder.Messages[0];
        EXPECT_EQ(Query.RecordCount(), 2);
        EXPECT_EQ(Names(folder, "t"), ",Brown,Jones,Smith") << "nothing of it is lost";
        EXPECT_EQ(Names(Other.Path(), "held"), "kept");
        EXPECT_EQ(TDbiEngine::Default().OpenDatabase(folder)->ValidityChecks("t").size(), 1u);
    }
    open.First();
    EXPECT_EQ(open.FieldByName("Name")->AsString(), "kept");
    open.Close();
    Folder.Messages.clear();
    Query.Close();
    Query.SetAnswerTable(":answers:held");
    Query.Open();
    EXPECT_EQ(Names(Other.Path(), "held"), "Jones,Smith") << "closed, it takes the answer";
    EXPECT_TRUE(Folder.Messages.empty());
}

TEST_F(AnswerTable, LeavesTheOldTableWholeWhenTheWriteFails) {
    auto database = TDbiEngine::Default().OpenDatabase(Folder.Path());
    database->Execute("CREATE TABLE old (Name VARCHAR(20)); INSERT INTO old VALUES ('x')");
    // Another program is writing to the file: it may be read, not written.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(database->FileName().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    Query.SetAnswerTable("old");
    Query.Open();
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Folder.Messages, std::vector<std::string>{"Unable to create answer table old"});
    EXPECT_EQ(Names(Folder.Path(), "old"), "x");
    EXPECT_EQ(Query.RecordCount(), 2);
}

}  // namespace
}  // namespace vex
