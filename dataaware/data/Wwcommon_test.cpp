#include "dataaware/data/Wwcommon.h"

#include <gtest/gtest.h>

#include "dataaware/data/Wwqbe.h"
#include "dataaware/data/Wwquery.h"
#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwstorep.h"
#include "dataaware/data/wwtestsupport.h"

namespace vex {
namespace {

TEST(SharedRoutines, ReadTheExtensionPropertiesOfAnyObject) {
    TwwTable table(nullptr);
    TwwQuery query(nullptr);
    TwwStoredProc proc(nullptr);
    TwwQBE qbe(nullptr);
    TTable plain(nullptr);
    TStringList notADataSet;
    table.SetDatabaseName("here");
    table.SetPictureMasks(test::LinesOf({"Phone\t###"}));
    table.OnInvalidValue = [](TDataSet*, TField*) {};
    for (TObject* o : std::initializer_list<TObject*>{&table, &query, &proc, &qbe}) {
        SCOPED_TRACE(o->ClassName());
        EXPECT_TRUE(wwIsLibraryDataSet(o));
        EXPECT_NE(wwGetControlType(o), nullptr);
        EXPECT_NE(wwGetLookupTables(o), nullptr);
        EXPECT_EQ(wwGetValidateWithMask(o), o != &qbe) << "the QBE dataset does not validate";
    }
    EXPECT_EQ(wwGetPictureMasks(&table)->Count(), 1);
    EXPECT_TRUE(wwGetOnInvalidValue(&table));
    EXPECT_FALSE(wwGetOnInvalidValue(&query));
    EXPECT_EQ(wwGetDatabaseName(&table), "here");
    for (TObject* o : std::initializer_list<TObject*>{&plain, &notADataSet, nullptr}) {
        EXPECT_FALSE(wwIsLibraryDataSet(o));
        EXPECT_EQ(wwGetControlType(o), nullptr);
        EXPECT_EQ(wwGetLookupFields(o), nullptr);
        EXPECT_EQ(wwGetLookupLinks(o), nullptr);
        EXPECT_EQ(wwGetPictureMasks(o), nullptr);
        EXPECT_EQ(wwGetLookupTables(o), nullptr);
        EXPECT_FALSE(wwGetValidateWithMask(o));
        EXPECT_FALSE(wwGetOnInvalidValue(o));
    }
    EXPECT_EQ(wwGetDatabaseName(&notADataSet), "");
}

TEST(SharedRoutines, JoinLinesWithoutASeparatorAfterTheLast) {
    EXPECT_EQ(wwStringsToText(test::LinesOf({"a", "", "b c"}), true), "a  b c");
    EXPECT_EQ(wwStringsToText(test::LinesOf({"a", "", "b c"}), false), "a\r\n\r\nb c");
    EXPECT_EQ(wwStringsToText(TStringList(), false), "");
    EXPECT_EQ(wwStringsToText(test::LinesOf({""}), false), "");
}

TEST(SharedRoutines, TellEditKeysAndScaleSizes) {
    for (const uint16_t key : {8, 32, 46, 48, 57, 65, 90, 96, 111, 146, 186, 255})
        EXPECT_TRUE(wwIsEditKey(key)) << key;
    for (const uint16_t key : {0, 9, 13, 27, 33, 36, 37, 38, 39, 40, 45, 47, 112, 123, 145})
        EXPECT_FALSE(wwIsEditKey(key)) << key;
    EXPECT_EQ(wwScale96(7, 120), 8);
    EXPECT_EQ(wwScale96(1000000000, 192), 2000000000) << "no overflow on the way";
}

}  // namespace
}  // namespace vex
