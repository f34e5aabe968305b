#include "dataaware/data/wwfieldlists.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwquery.h"
#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwtestsupport.h"

namespace vex {
namespace {

class FieldLists : public ::testing::Test {
protected:
    void SetUp() override {
        Customers.SetDatabaseName(Folder.Path());
        Customers.SetTableName("customers");
        Customers.SetIndexName("ByCustNo");
        Customers.Open();
    }
    std::string Selected() {
        TStringList lines;
        wwGetSelectedFields(Customers, lines);
        std::string all;
        for (int32_t i = 0; i < lines.Count(); ++i)
            all += (i ? "|" : "") + lines[i];
        return all;
    }

    test::TFixtureFolder Folder;
    TwwTable Customers{nullptr};
};

TEST_F(FieldLists, ShowOnlyTheSelectedFieldsInTheirOrder) {
    EXPECT_EQ(Selected(), "CustNo\t11\tCustNo|Company\t30\tCompany|Notes\t10\tNotes");
    wwSetSelectedFields(Customers,
                        test::LinesOf({"notes\t40\tRemarks", "Gone\t5\tx", "Company\t12\tFirm"}));
    EXPECT_EQ(Selected(), "Notes\t40\tRemarks|Company\t12\tFirm");
    EXPECT_FALSE(Customers.ControlsDisabled());
    wwSetSelectedFields(Customers, TStringList());
    EXPECT_EQ(Selected(), "") << "an empty list hides every field";

    wwSetSelectedFields(Customers, test::LinesOf({"Company\t12\tFirm"}));
    wwSetSelectedFields(Customers, test::LinesOf({"Notes\t5\t", "Company\twide\tFirm"}));
    EXPECT_FALSE(Customers.ControlsDisabled());
    EXPECT_EQ(Selected(), "Notes\t5\tNotes|Company\t12\tFirm") << "a bad width keeps the field's";
}

TEST_F(FieldLists, FindAFieldsLineWithoutRegardToCase) {
    const TStringList lines = test::LinesOf({"Company\t12\tFirm", "Notes", "notes\t1\t"});
    int32_t index = -1;
    EXPECT_TRUE(wwFindFieldLine(lines, "NOTES", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(wwFindFieldLine(lines, "Comp", index));
    EXPECT_EQ(index, 1);
}

TEST_F(FieldLists, ReadTheControlKindOfAField) {
    Customers.SetControlType(
        test::LinesOf({"company;Combo;lower case: not this field",
                       "Company;LookupCombo;CompanyCombo;x", "Notes", "CustNo;CustomEdit"}));
    struct Case {
        const char *Field, *Kind, *Parameters;
    };
    for (const Case& c : {Case{"Company", "LookupCombo", "CompanyCombo;x"}, Case{"Notes", "", ""},
                          Case{"CustNo", "CustomEdit", ""}, Case{"Gone", "", ""}}) {
        SCOPED_TRACE(c.Field);
        std::string kind = "x", parameters = "x";
        wwGetControlInfo(&Customers, c.Field, kind, parameters);
        EXPECT_EQ(kind, c.Kind);
        EXPECT_EQ(parameters, c.Parameters);
    }
    for (const char* kind : {"CustomEdit", "lookupcombo", "COMBO"})
        EXPECT_TRUE(wwIsControlKind(kind)) << kind;
    for (const char* kind : {"", "RichEdit", "Combo "})
        EXPECT_FALSE(wwIsControlKind(kind)) << kind;
}

TEST_F(FieldLists, TellRichTextBlobsByTheirControlOrTheirContent) {
    TField& notes = *Customers.FieldByName("Notes");
    struct Case {
        int32_t CustNo;
        const char* ControlType;
        bool Plain, Checked;
    };
    for (const Case& c :
         {Case{2, "", false, true}, Case{1, "", false, false}, Case{3, "", false, false},
          Case{1, "Notes;RichEdit", true, true}, Case{1, "notes;richedit;x", true, true},
          Case{2, "Notes;Combo", false, true}, Case{2, "NotesMore;RichEdit", false, true}}) {
        SCOPED_TRACE(std::to_string(c.CustNo) + c.ControlType);
        Customers.SetControlType(test::LinesOf({c.ControlType}));
        ASSERT_TRUE(Customers.FindKey({std::to_string(c.CustNo)}));
        EXPECT_EQ(wwIsRichEditField(notes, false), c.Plain);
        EXPECT_EQ(wwIsRichEditField(notes, true), c.Checked);
    }
    Customers.SetControlType(test::LinesOf({"Company;RichEdit"}));
    EXPECT_FALSE(wwIsRichEditField(*Customers.FieldByName("Company"), true)) << "not a blob";
}

TEST_F(FieldLists, KnowWhichFieldsTheEngineReads) {
    TwwQuery query(nullptr);
    query.SetDatabaseName(Folder.Path());
    query.SQL().SetText("SELECT CustNo FROM customers");
    test::TFieldsOf fields(query);
    const TField& data = fields.Add(ftInteger, "CustNo");
    const TField& lookup = fields.Add(ftString, "Name", fkLookup, 10);
    query.Open();
    EXPECT_FALSE(wwIsNotEngineField(data));
    EXPECT_TRUE(wwIsNotEngineField(lookup));
    TField loose(nullptr, ftInteger);
    EXPECT_TRUE(wwIsNotEngineField(loose)) << "no dataset reads it";
}

}  // namespace
}  // namespace vex
