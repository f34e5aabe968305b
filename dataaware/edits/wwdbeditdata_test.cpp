#include <gtest/gtest.h>

#include "dataaware/data/Wwquery.h"
#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wwdbedit_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/data/datalinks.h"
#include "platform/data/dbiengine.h"
#include "platform/data/dbtables.h"
#include "platform/data/fields.h"
#include "platform/ui/maskedit.h"
#include "platform/win/clipboard_testsupport.h"

namespace vex {
namespace {

using test::Press;
using test::Type;

// The edit on Field has the focus with its text selected, ready to be typed over.
TwwDBEdit* Focus(test::TBoundForm& On, const std::string& Field) {
    TwwDBEdit* edit = On.Edit(Field);
    edit->SetFocus();
    test::PumpUntilIdle();
    edit->SelectAll();
    return edit;
}

TEST(DBEditBound, ShowsTheFieldAndWritesWhatIsTypedBack) {
    test::TBoundForm on;
    TwwDBEdit* edit = on.Edit("Name");
    EXPECT_EQ(edit->EditText(), "Ann");
    EXPECT_EQ(edit->Field(), on.People.FieldByName("Name"));
    EXPECT_EQ(edit->DataSource(), &on.Source);
    EXPECT_TRUE(edit->TCustomEdit::ReadOnly()) << "until the record is edited";
    Focus(on, "Name");
    Type("Bob");
    EXPECT_EQ(on.People.State(), dsEdit);
    Press(VK_TAB);
    on.People.Post();
    EXPECT_EQ(on.Stored("Name"), "Bob");
}

TEST(DBEditBound, ReadsBackOnlyALibrarySource) {
    test::TBoundForm on;
    TDataSource plain(nullptr);
    plain.SetDataSet(&on.People);
    TwwDBEdit* edit = on.Edit("Name");
    edit->SetDataSource(&plain);
    EXPECT_EQ(edit->DataSource(), nullptr);
    EXPECT_EQ(edit->EditText(), "Ann") << "yet it is bound";
    edit->SetDataSource(nullptr);
}

TEST(DBEditBound, AStringFieldLimitsTheLengthUnlessALimitWasSet) {
    test::TBoundForm on;
    EXPECT_EQ(on.Edit("Name")->MaxLength(), 20);
    auto* limited = on.Shown.Add<TwwDBEdit>(on.Shown.Form, Rect(10, 100, 150, 124));
    limited->SetMaxLength(5);
    limited->SetDataSource(&on.Source);
    limited->SetDataField("Name");
    EXPECT_EQ(limited->MaxLength(), 5);
    EXPECT_EQ(on.Edit("Visits")->MaxLength(), 0);
}

// An edit moved from field to field, as the grid's editor is, takes each string field's size;
// a limit its user set stays.
TEST(DBEditBound, ALimitTakenFromAFieldFollowsTheField) {
    test::TBoundForm on;
    TwwDBEdit* edit = on.Edit("Name");
    struct TStep {
        const char* Field;
        int32_t Limit;
    };
    for (const TStep& s : {TStep{"Phone", 14}, TStep{"Notes", 0}, TStep{"Visits", 0},
                           TStep{"Name", 20}, TStep{"", 0}, TStep{"Phone", 14}}) {
        edit->SetDataField(s.Field);
        EXPECT_EQ(edit->MaxLength(), s.Limit) << s.Field;
    }
    edit->SetMaxLength(5);
    edit->SetDataField("Name");
    EXPECT_EQ(edit->MaxLength(), 5);
}

class DBEditBoundPicture : public ::testing::Test {
protected:
    void SetUp() override {
        On.People.SetPictureMasks(test::LinesOf({"Phone\t(###)###-####\tT\tF"}));
    }
    test::TBoundForm On;
};

TEST_F(DBEditBoundPicture, TheDatasetEntryGivesThePictureTypedWith) {
    TwwDBEdit* edit = Focus(On, "Phone");
    EXPECT_EQ(edit->Picture().PictureMask(), "(###)###-####");
    edit->Picture().SetAllowInvalidExit(true);
    EXPECT_FALSE(edit->Picture().AllowInvalidExit()) << "a bound edit may not leave invalid";
    Type("5559876543");
    EXPECT_EQ(edit->EditText(), "(555)987-6543");
    Press(VK_TAB);
    On.People.Post();
    EXPECT_EQ(On.Stored("Phone"), "(555)987-6543");
}

TEST_F(DBEditBoundPicture, LeavingWithAnIncompleteTextKeepsTheFocusAndSaysWhy) {
    TwwDBEdit* edit = Focus(On, "Phone");
    Type("555");
    Press(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 5) << "the text is selected to be typed over";
    EXPECT_EQ(On.Messages.size(), 1u);
    Type("5551234567");
    Press(VK_TAB);
    EXPECT_FALSE(edit->Focused());
    On.People.Post();
    EXPECT_EQ(On.Stored("Phone"), "(555)123-4567");
}

TEST_F(DBEditBoundPicture, ARefusedPostLeavesTheRowAsItWas) {
    struct TCase {
        const char* Name;
        bool Handler;
    };
    for (const TCase& c : {TCase{"no handler", false}, TCase{"a handler", true}}) {
        SCOPED_TRACE(c.Name);
        std::vector<std::string> told;
        if (c.Handler)
            On.People.OnInvalidValue = [&](TDataSet*, TField* Field) {
                told.push_back(Field->FieldName());
            };
        TwwDBEdit* edit = Focus(On, "Phone");
        Type("555");
        if (c.Handler)
            EXPECT_THROW(On.People.Post(), EAbort);
        else
            EXPECT_THROW(On.People.Post(), EDBEditError);
        EXPECT_EQ(told, c.Handler ? std::vector<std::string>{"Phone"} : std::vector<std::string>{});
        On.People.Cancel();
        EXPECT_EQ(On.Stored("Phone"), "(555)123-4567");
        EXPECT_EQ(edit->EditText(), "(555)123-4567");
        edit->SetParent(nullptr);
    }
}

// Only the library's datasets hold a picture entry per field; on any other the edit keeps the
// picture it is given.
TEST(DBEditBound, ADataSetWithoutPictureEntriesLeavesThePictureToTheEdit) {
    test::TBoundForm on;
    TTable plain(nullptr);
    plain.SetDatabaseName(on.Folder.Path());
    plain.SetTableName("people");
    plain.Open();
    on.Source.SetDataSet(&plain);
    TwwDBEdit* edit = Focus(on, "Phone");
    edit->Picture().SetPictureMask("(###)###-####");
    edit->Picture().SetAutoFill(false);
    EXPECT_EQ(edit->Picture().PictureMask(), "(###)###-####");
    EXPECT_FALSE(edit->Picture().AutoFill());
    edit->Picture().SetAutoFill(true);
    Type("555");
    EXPECT_EQ(edit->EditText(), "(555)");
    edit->SetParent(nullptr);
    on.Source.SetDataSet(&on.People);
}

TEST(DBEditBound, ATablesOwnPictureCannotBeReplaced) {
    test::TBoundForm on;
    on.People.Close();
    TDbiEngine::Default()
        .OpenDatabase(on.Folder.Path())
        ->SetValidityCheck("people", "Phone", "###");
    on.People.SetTableName("people.db");
    on.People.Open();
    TwwDBEdit* edit = on.Edit("Phone");
    EXPECT_EQ(edit->Picture().PictureMask(), "###");
    edit->Picture().SetPictureMask("(###)");
    EXPECT_EQ(edit->Picture().PictureMask(), "###");
    EXPECT_EQ(on.Messages,
              std::vector<std::string>{"Picture mask already defined in Paradox table. "});
}

TEST(DBEditBound, WritesDatesItReadsAndRaisesOnOnesNoOneCan) {
    struct TCase {
        const char* Field;
        const char* Typed;
        const char* Stored;  // nullptr: the text is refused
    };
    for (const TCase& c :
         {TCase{"Born", "3/4/2005", "3/4/05"}, TCase{"Born", "3 4 2005", "3/4/05"},
          TCase{"Born", "3/4/2005 10:30", nullptr}, TCase{"Born", "34", nullptr},
          TCase{"Wakes", "10:30", "10:30:00 AM"},
          TCase{"Seen", "3/4/2005 10:30", "3/4/05 10:30:00 AM"}, TCase{"Seen", "x", nullptr}}) {
        SCOPED_TRACE(std::string(c.Field) + " " + c.Typed);
        test::TBoundForm on;
        const std::string before = on.Stored(c.Field);
        TwwDBEdit* edit = Focus(on, c.Field);
        Type(c.Typed);
        if (c.Stored == nullptr) {
            EXPECT_THROW(on.People.Post(), EConvertError);
            on.People.Cancel();
            EXPECT_EQ(on.Stored(c.Field), before);
        } else {
            on.People.Post();
            EXPECT_EQ(on.Stored(c.Field), c.Stored);
        }
        edit->SetParent(nullptr);
    }
}

TEST(DBEditBound, ReadOnlyOrAReadOnlyFieldKeepsTheRecordAsItIs) {
    test::TBoundForm on;
    TwwDBEdit* edit = Focus(on, "Name");
    edit->SetReadOnly(true);
    Type("Bob");
    EXPECT_EQ(edit->EditText(), "Ann");
    EXPECT_EQ(on.People.State(), dsBrowse);
    edit->SetReadOnly(false);
    on.People.FieldByName("Name")->SetReadOnly(true);
    edit->SelectAll();
    Type("Bob");
    EXPECT_EQ(on.People.FieldByName("Name")->Text(), "Ann");
}

// Whatever way the user tries to change a value that cannot change, the edit keeps showing the
// value as it is: no text that would be dropped on leaving, and no error at every key.
TEST(DBEditBound, AValueThatCannotChangeRefusesEveryWayOfChangingIt) {
    enum TLock { EditReadOnly, FieldReadOnly, QueryAnswer };
    struct TCase {
        const char* Name;
        TLock Lock;
    };
    const std::vector<std::vector<int32_t>> changes = {
        {'B'}, {VK_SPACE}, {VK_BACK}, {VK_DELETE}, {VK_CONTROL, 'V'}, {VK_CONTROL, 'X'}};
    for (const TCase& c :
         {TCase{"read-only edit", EditReadOnly}, TCase{"read-only field", FieldReadOnly},
          TCase{"answer of a query", QueryAnswer}}) {
        SCOPED_TRACE(c.Name);
        test::TBoundForm on;
        TwwQuery answer(nullptr);
        answer.SetDatabaseName(on.Folder.Path());
        answer.SQL().Add("SELECT * FROM people");
        if (c.Lock == QueryAnswer) {
            answer.Open();
            on.Source.SetDataSet(&answer);
        }
        on.People.Edit();  // as another control on the record would have it
        if (c.Lock == FieldReadOnly) on.People.FieldByName("Name")->SetReadOnly(true);
        TwwDBEdit* edit = Focus(on, "Name");
        if (c.Lock == EditReadOnly) edit->SetReadOnly(true);
        test::SetClipboardText("Zed");
        for (const std::vector<int32_t>& keys : changes) {
            edit->SelectAll();
            test::InjectKeys(keys);
            test::TakeKeys();
            EXPECT_EQ(edit->EditText(), "Ann") << "after key " << keys.back();
        }
        EXPECT_FALSE(edit->Modified());
        EXPECT_EQ(on.Messages, std::vector<std::string>{});
        edit->SetParent(nullptr);
        on.Source.SetDataSet(&on.People);
    }
}

// A change made without a key the edit sees, from its menu, reaches the field as typing does.
TEST(DBEditBound, AChangeFromTheMenuIsWrittenBack) {
    test::TBoundForm on;
    TwwDBEdit* edit = Focus(on, "Name");
    on.People.Edit();
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    EXPECT_TRUE(edit->Run(TEditAction::Clear));
    Press(VK_TAB);
    EXPECT_EQ(on.People.FieldByName("Name")->Text(), "A");
}

TEST(DBEditBound, EscapeShowsTheFieldAgain) {
    test::TBoundForm on;
    TwwDBEdit* edit = Focus(on, "Name");
    Type("Bob");
    Press(VK_ESCAPE);
    EXPECT_EQ(edit->EditText(), "Ann");
    EXPECT_FALSE(edit->Modified());
}

TEST(DBEditBound, FreeingTheSourceUnbinds) {
    test::TBoundForm on;
    auto* source = new TwwDataSource(nullptr);
    source->SetDataSet(&on.People);
    TwwDBEdit* edit = on.Edit("Name");
    edit->SetDataSource(source);
    delete source;
    EXPECT_EQ(edit->DataSource(), nullptr);
    EXPECT_EQ(edit->Field(), nullptr);
}

}  // namespace
}  // namespace vex
