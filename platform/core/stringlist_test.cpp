#include "platform/core/stringlist.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"
#include "tests/support/errortext.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::ReadWholeFile;
using test::TempDir;

std::vector<std::string> Lines(const TStrings& List) {
    std::vector<std::string> r;
    for (int32_t i = 0; i < List.Count(); ++i)
        r.push_back(List[i]);
    return r;
}

using V = std::vector<std::string>;

TEST(Text, SplitsAtLineBreaksAndCommaTextQuotesOnlyWhatNeedsIt) {
    TStringList list;
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/settext.txt")) {
        SCOPED_TRACE(where);
        list.SetText(row[0]);
        EXPECT_EQ(Lines(list), V(row.begin() + 1, row.end()));
    }
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/commatext.txt")) {
        SCOPED_TRACE(where);
        const V items(row.begin() + 2, row.end());
        TStringList list;
        list.SetCommaText(row[1]);
        EXPECT_EQ(Lines(list), items);
        if (row[0] == "both") {
            EXPECT_EQ(list.CommaText(), row[1]);
        }
    }
    EXPECT_EQ(TStringList().CommaText(), "");
    // Delimited text uses the list's delimiter and quote; comma text does not.
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    list.SetDelimitedText("a;'b;c';'it''s'");
    EXPECT_EQ(Lines(list), (V{"a", "b;c", "it's"}));
    EXPECT_EQ(list.DelimitedText(), "a;'b;c';'it''s'");
    EXPECT_EQ(list.CommaText(), "a,b;c,it's");
}

TEST(Values, SetDeleteAndAddByNameWithoutRegardToCaseAndKeepAListSorted) {
    TStringList list;
    list.SetText("Host=mail\r\nPort=110\r\nnote\r\n");
    EXPECT_EQ(list.Values("PORT"), "110");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(0), "mail");
    list.SetValues("port", "995");
    EXPECT_EQ(list[1], "port=995");
    list.SetValues("HOST", "");
    list.SetValues("User", "me");
    list.SetValues("Missing", "");
    EXPECT_EQ(Lines(list), (V{"port=995", "note", "User=me"}));
    EXPECT_EQ(list.IndexOfName("user"), 2);
    // Changing a value in a sorted list keeps it sorted.
    list.SetSorted(true);
    list.SetCommaText("a=1,b=2,c=3");
    list.SetValues("a", "9");
    list.SetValues("d", "0");
    EXPECT_EQ(Lines(list), (V{"a=9", "b=2", "c=3", "d=0"}));

    list.SetDuplicates(dupError);
    list.Add("b=7");
    EXPECT_THROW(list.SetValues("b", "7"), EStringListError);
    EXPECT_EQ(Lines(list), (V{"a=9", "b=2", "b=7", "c=3", "d=0"}));
}

TEST(SortedList, PutsDuplicatesBeforeTheirEqualsOrIgnoresOrRefusesThemWithoutChange) {
    TStringList list;
    list.SetSorted(true);
    TObject first, second;
    list.SetDuplicates(dupAccept);
    list.AddObject("a", &first);
    list.AddObject("A", &second);
    list.Add("c");
    int32_t index = -1;
    EXPECT_TRUE(list.Find("a", index));
    EXPECT_EQ(list.Objects(index), &second);
    EXPECT_FALSE(list.Find("zz", index));
    EXPECT_EQ(index, 3);
    list.Clear();
    list.SetDuplicates(dupIgnore);
    list.Add("x");
    list.Add("m");
    list.OnChange = [](TObject*) { ADD_FAILURE() << "an ignored duplicate changed the list"; };
    EXPECT_EQ(list.Add("M"), 0);
    list.OnChange = nullptr;
    list.SetDuplicates(dupError);
    EXPECT_EQ(test::ErrorText<EStringListError>([&] { list.Add("X"); }),
              "String list does not allow duplicates");
    list.Clear();  // bulk loading stops at the first duplicate
    EXPECT_THROW(list.SetText("c\na\nC\nb\n"), EStringListError);
    EXPECT_EQ(Lines(list), (V{"a", "c"}));
    list.SetCaseSensitive(true);  // keeps case variants apart
    list.Add("C");
    list.Add("A");
    EXPECT_EQ(Lines(list), (V{"a", "A", "c", "C"}));
    EXPECT_EQ(list.IndexOf("C"), 3);
}

TEST(SortedLists, LoadInBulkAsIfAddingOneByOne) {
    TStringList source;
    source.SetText("d\nB\na\nb\nD\nc\na\nA\n");
    for (TDuplicates mode : {dupIgnore, dupAccept}) {
        for (bool caseSensitive : {false, true}) {
            SCOPED_TRACE(testing::Message() << mode << caseSensitive);
            TStringList bulk, single;
            for (TStringList* l : {&bulk, &single}) {
                l->SetDuplicates(mode);
                l->SetCaseSensitive(caseSensitive);
                l->SetSorted(true);
            }
            bulk.Add("b");
            bulk.SetText(source.Text());  // replaces what was there
            for (int32_t i = 0; i < 2 * source.Count(); ++i) {
                single.Add(source[i % source.Count()]);
                if (i + 1 == source.Count()) {
                    EXPECT_EQ(Lines(bulk), Lines(single));
                }
            }
            bulk.AddStrings(source);  // into a list that already holds items
            EXPECT_EQ(Lines(bulk), Lines(single));
        }
    }
}

TEST(StringList, IndexErrorsNameTheIndexAndSortedListsRefusePositionalChanges) {
    TStringList list;
    list.SetCommaText("a,b");
    const auto expectIndexError = [](auto Action, int32_t Index) {
        EXPECT_EQ(test::ErrorText<EStringListError>(Action),
                  "List index out of bounds (" + std::to_string(Index) + ")");
    };
    expectIndexError([&] { list.Strings(-1); }, -1);
    expectIndexError([&] { list.Strings(2); }, 2);
    expectIndexError([&] { list.Objects(2); }, 2);
    expectIndexError([&] { list.Delete(2); }, 2);
    expectIndexError([&] { list.Insert(3, "x"); }, 3);
    expectIndexError([&] { list.Insert(-1, "x"); }, -1);
    expectIndexError([&] { list.Exchange(0, 2); }, 2);
    expectIndexError([&] { list.Move(0, 2); }, 2);
    list.Insert(2, "c");
    list.Insert(0, "z");
    EXPECT_EQ(Lines(list), (V{"z", "a", "b", "c"}));
    EXPECT_THROW(list.SetCapacity(3), EStringListError);
    list.SetSorted(true);  // a sorted list refuses positional changes without losing items
    for (auto change :
         {+[](TStringList& l) { l.Insert(0, "z"); }, +[](TStringList& l) { l.SetStrings(0, "z"); },
          +[](TStringList& l) { l.Move(0, 2); }}) {
        EXPECT_EQ(test::ErrorText<EStringListError>([&] { change(list); }),
                  "Operation not allowed on sorted string list");
    }
    EXPECT_EQ(Lines(list), (V{"a", "b", "c", "z"}));
}

TEST(StringList, EditsAndAssignmentKeepObjectsWithTheirStrings) {
    TObject o1, o2;
    TStringList list;
    list.AddObject("one", &o1);
    list.AddObject("two", &o2);
    list.Add("three");
    list.Exchange(0, 1);
    list.Move(0, 2);
    EXPECT_EQ(Lines(list), (V{"one", "three", "two"}));
    EXPECT_EQ(list.Objects(2), &o2);
    EXPECT_EQ(list.IndexOfObject(&o1), 0);
    list.SetStrings(0, "uno");
    EXPECT_EQ(list.Objects(0), &o1);
    list.Delete(0);
    EXPECT_EQ(list.IndexOfObject(&o1), -1);
    EXPECT_EQ(list.IndexOf("TWO"), 1);

    // Assign copies strings, objects and settings; only strings may be assigned.
    TStringList target;
    list.SetDelimiter(';');
    target.Add("old");
    target.Assign(&list);
    EXPECT_TRUE(target.Equals(list));
    EXPECT_EQ(target.Objects(1), &o2);
    EXPECT_EQ(target.Delimiter(), ';');
    target.Assign(&target);
    target.AddStrings(target);
    EXPECT_EQ(Lines(target), (V{"three", "two", "three", "two"}));
    EXPECT_FALSE(target.Equals(list));
    TPersistent other;
    EXPECT_THROW(target.Assign(&other), EConvertError);
    EXPECT_EQ(target.Count(), 4);
}

TEST(StringList, UpdatesNestAndNotifyOnceAtTheOutermostLevel) {
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject* sender) { changed += sender == &list; };
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("c");
    list.EndUpdate();
    list.Delete(0);
    list.EndUpdate();
    list.SetCommaText("x,y,z");  // one notification for a whole text
    list.EndUpdate();            // an unmatched end is harmless
    list.Add("r");
    EXPECT_EQ(changing, 3);
    EXPECT_EQ(changed, 3);
}

TEST(StringList, CustomSortSurvivesAnInconsistentCompareFunction) {
    TStringList list;
    for (int i = 0; i < 500; ++i)
        list.Add(std::to_string(i * 7919 % 1000));
    unsigned seed = 1;
    list.CustomSort([&](TStringList*, int32_t, int32_t) {
        seed = seed * 1103515245 + 12345;
        return static_cast<int>(seed >> 16) % 3 - 1;
    });
    list.SetSorted(true);  // every item is still there once
    EXPECT_EQ(list.Count(), 500);
    for (int32_t i = 1; i < list.Count(); ++i)
        ASSERT_LT(list[i - 1], list[i]);
}

TEST(StringList, SavesAndLoadsFilesAndStreamsWithCrLf) {
    TempDir dir;
    TStringList list;
    list.SetText("one\ntwo\r\n\r\nfour");
    list.SaveToFile(dir.File("list.txt"));
    EXPECT_EQ(ReadWholeFile(dir.File("list.txt")), "one\r\ntwo\r\n\r\nfour\r\n");
    TStringList back;
    back.LoadFromFile(dir.File("list.txt"));
    EXPECT_TRUE(back.Equals(list));

    TStringStream stream("skip|a\nb");
    stream.SetPosition(5);
    back.LoadFromStream(stream);
    EXPECT_EQ(Lines(back), (V{"a", "b"}));
    TStringStream out;
    back.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "a\r\nb\r\n");
}

}  // namespace
}  // namespace vex
