#include "dataaware/data/Wwqbe.h"

#include <gtest/gtest.h>

#include "platform/data/data_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class QBE : public ::testing::Test {
protected:
    void SetUp() override {
        test::CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/tables.sql");
        Query.SetDatabaseName(Folder.Path());
    }
    static TStringList Lines(const std::string& Text) {
        TStringList lines;
        lines.SetText(Text);
        return lines;
    }
    std::string Names() {
        std::string seen;
        for (Query.First(); !Query.Eof(); Query.Next())
            seen += (Query.Bof() ? "" : ",") + Query.FieldByName("Name")->AsString();
        return seen;
    }

    test::TempDir Folder;
    TwwQBE Query{nullptr};
};

TEST_F(QBE, RunsItsTextAgainWhenItChangesWhileOpen) {
    Query.SetQBE(Lines("Query\nt | Name  | A |\n  | Check | 1 |\nEndQuery"));
    EXPECT_FALSE(Query.Active()) << "a closed dataset only stores the text";
    Query.Open();
    EXPECT_EQ(Names(), "Jones,Smith");
    EXPECT_FALSE(Query.CanModify());
    Query.SetQBE(Lines("t | Name  | A  |\n  | Check | >1 |"));
    EXPECT_TRUE(Query.Active());
    EXPECT_EQ(Names(), ",Brown");
}

TEST_F(QBE, PutsVariablesIntoTheTextAndBlanksThoseWithoutValue) {
    Query.SetQBE(Lines("t | Name  | A       |\n  | Check | ~Code |"));
    Query.Open();
    EXPECT_EQ(Names(), ",Brown,Jones,Smith") << "~Code became a blank: no condition";
    Query.Close();
    Query.SetTildeVariable("code", "2");
    Query.Open();
    EXPECT_EQ(Names(), "Brown");
}

TEST_F(QBE, OpensEmptyWithoutText) {
    Query.Open();
    EXPECT_TRUE(Query.Active());
    EXPECT_TRUE(Query.IsEmpty());
    EXPECT_EQ(Query.Handle(), nullptr);
    Query.Close();
    Query.SetQBE(Lines("t | Name |\n  | Name |"));
    EXPECT_THROW(Query.Open(), EDBEngineError) << "nothing checked";
    EXPECT_FALSE(Query.Active());
}

// Refuses the first run for want of rights, as a protected table would.
class TGuardedQBE : public TwwQBE {
public:
    using TwwQBE::TwwQBE;
    int Runs = 0;
    DBIResult ExecQBE(std::unique_ptr<TDbiCursor>& Cursor) override {
        if (++Runs == 1) return DBIERR_NOTSUFFTABLERIGHTS;
        return TwwQBE::ExecQBE(Cursor);
    }
};

TEST_F(QBE, AsksForAPasswordAndRunsAgainOnASecurityError) {
    int asked = 0;
    TSession::Default().OnPassword = [&](const std::string&, std::string& Password) {
        Password = "secret";
        return ++asked == 1;
    };
    TGuardedQBE guarded(nullptr);
    guarded.SetDatabaseName(Folder.Path());
    guarded.SetQBE(Lines("t | Name  |\n  | Check |"));
    guarded.Open();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(guarded.Runs, 2);
    guarded.Close();
    guarded.Runs = 0;
    EXPECT_THROW(guarded.Open(), EDBEngineError) << "the user gave up";
    EXPECT_EQ(asked, 2);
    TSession::Default().OnPassword = nullptr;
}

}  // namespace
}  // namespace vex
