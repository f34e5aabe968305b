#include "dataaware/data/wwpictures.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwqbe.h"
#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwtestsupport.h"
#include "platform/data/dbiengine.h"

namespace vex {
namespace {

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        Orders.SetDatabaseName(Folder.Path());
        Orders.SetTableName("orders");
    }
    std::string Masks() {
        std::string all;
        for (int32_t i = 0; i < Orders.PictureMasks().Count(); ++i)
            all += (i ? "|" : "") + Orders.PictureMasks()[i];
        return all;
    }

    test::TFixtureFolder Folder;
    TwwTable Orders{nullptr};
};

TEST_F(Pictures, ReadTheEntryOfAFieldWhateverItsCase) {
    Orders.SetPictureMasks(test::LinesOf({"Item\t*&", "Phone\t(###)###-####\tT\tF"}));
    struct Case {
        const char* Field;
        const char* Mask;
        bool AutoFill, Flag2;
    };
    for (const Case& c :
         {Case{"phone", "(###)###-####", true, false}, Case{"PHONE", "(###)###-####", true, false},
          // Flags the line leaves out are off; a field without a line gets none.
          Case{"Item", "*&", false, false}, Case{"OrderNo", "", true, true}}) {
        SCOPED_TRACE(c.Field);
        bool autoFill = false, flag2 = false;
        std::string mask = "x";
        wwGetPictureInfo(&Orders, c.Field, true, flag2, autoFill, mask);
        EXPECT_EQ(mask, c.Mask);
        EXPECT_EQ(autoFill, c.AutoFill);
        EXPECT_EQ(flag2, c.Flag2);
    }
    bool autoFill = false, flag2 = false;
    std::string mask = "x";
    TwwQBE qbe(nullptr);
    wwGetPictureInfo(&qbe, "Phone", true, flag2, autoFill, mask);
    EXPECT_EQ(mask, "") << "no entries at all";
    wwGetPictureInfo(nullptr, "Phone", true, flag2, autoFill, mask);
    EXPECT_TRUE(autoFill && flag2);
}

TEST_F(Pictures, WriteOnlyThePartsAskedFor) {
    struct Case {
        const char* Field;
        const char* Mask;
        bool ChangeMask, ChangeAutoFill, ChangeFlag2, Flag2, AutoFill;
        const char* Lines;
    };
    for (const Case& c : {
             Case{"phone", "###-####", true, false, false, false, false,
                  "Item\t*&\tF\tT|phone\t###-####\tT\tF"},
             Case{"PHONE", "ignored", false, true, true, true, false,
                  "Item\t*&\tF\tT|PHONE\t(###)###-####\tF\tT"},
             Case{"Phone", "", true, false, false, false, false, "Item\t*&\tF\tT"},
             Case{"OrderNo", "####", true, false, true, false, false,
                  "Item\t*&\tF\tT|Phone\t(###)###-####\tT\tF|OrderNo\t####\tT\tF"},
             Case{"OrderNo", "", true, true, true, true, true,
                  "Item\t*&\tF\tT|Phone\t(###)###-####\tT\tF"},
         }) {
        SCOPED_TRACE(std::string(c.Field) + "/" + c.Mask);
        Orders.SetPictureMasks(test::LinesOf({"Item\t*&\tF\tT", "Phone\t(###)###-####\tT\tF"}));
        wwSetPictureInfo(&Orders, c.Field, c.Mask, c.ChangeMask, c.ChangeAutoFill, c.ChangeFlag2,
                         c.Flag2, c.AutoFill);
        EXPECT_EQ(Masks(), c.Lines);
    }
}

TEST_F(Pictures, LetAParadoxTablesOwnPictureWin) {
    TDbiEngine::Default().OpenDatabase(Folder.Path())->SetValidityCheck("orders", "Phone", "###");
    Orders.SetTableName("orders.db");
    Orders.Open();
    Orders.SetPictureMasks(test::LinesOf({"Phone\t(###)###-####\tF\tF"}));
    EXPECT_EQ(wwGetTablePicture(&Orders, "Phone"), "###");
    EXPECT_EQ(wwGetTablePicture(&Orders, "Gone"), "");
    bool autoFill = true, flag2 = true;
    std::string mask;
    wwGetPictureInfo(&Orders, "Phone", false, flag2, autoFill, mask);
    EXPECT_EQ(mask, "(###)###-####") << "the entry, when the table's is not asked for";
    wwGetPictureInfo(&Orders, "Phone", true, flag2, autoFill, mask);
    EXPECT_EQ(mask, "###");
    EXPECT_EQ(Masks(), "Phone\t###\tF\tF") << "the entry follows the table";
    wwSetPictureInfo(&Orders, "Phone", "#", true, false, false, false, false);
    EXPECT_EQ(Masks(), "Phone\t###\tF\tF");
}

TEST_F(Pictures, KeepARecordThatFailsItsMaskFromBeingPosted) {
    Orders.SetPictureMasks(test::LinesOf({"Phone\t(###)###-####\tT\tF"}));
    Orders.Open();
    std::vector<std::string> events;
    Orders.OnInvalidValue = [&](TDataSet* D, TField* F) {
        events.push_back(F->FieldName());
        EXPECT_EQ(D, &Orders);
        EXPECT_EQ(D->State(), dsEdit) << "before the error";
    };
    Orders.Edit();
    Orders.FieldByName("Phone")->SetAsString("555-1234");
    try {
        Orders.Post();
        FAIL() << "posted";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Invalid characters. Field : Phone");
    }
    EXPECT_EQ(events, std::vector<std::string>{"Phone"});
    EXPECT_EQ(Orders.State(), dsEdit);
    EXPECT_EQ(Orders.FieldByName("Phone")->AsString(), "555-1234") << "what the user typed";
    Orders.Cancel();
    EXPECT_EQ(Orders.FieldByName("Phone")->AsString(), "(555)123-4567") << "nothing was written";

    struct Case {
        const char* Phone;
        bool ReadOnly, Validate, Posts;
    };
    for (const Case& c : {Case{"(555)765-4321", false, true, true}, Case{"", false, true, true},
                          Case{"5", true, true, true}, Case{"5", false, false, true},
                          Case{"5", false, true, false}}) {
        SCOPED_TRACE(c.Phone);
        Orders.ValidateWithMask = c.Validate;
        Orders.Edit();
        Orders.FieldByName("Phone")->SetAsString(c.Phone);
        Orders.FieldByName("Phone")->SetReadOnly(c.ReadOnly);
        if (c.Posts) {
            EXPECT_NO_THROW(Orders.Post());
        } else {
            EXPECT_THROW(Orders.Post(), EDatabaseError);
            Orders.Cancel();
        }
        Orders.FieldByName("Phone")->SetReadOnly(false);
    }
}

TEST_F(Pictures, NameTheFailingFieldEvenWhenTheEventClosesTheDataSet) {
    Orders.SetPictureMasks(test::LinesOf({"Phone\t(###)###-####\tT\tF"}));
    Orders.Open();
    Orders.OnInvalidValue = [](TDataSet* D, TField*) { D->Close(); };
    Orders.Edit();
    Orders.FieldByName("Phone")->SetAsString("5");
    try {
        Orders.Post();
        FAIL() << "posted";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Invalid characters. Field : Phone");
    }
    EXPECT_FALSE(Orders.Active());
}

}  // namespace
}  // namespace vex
