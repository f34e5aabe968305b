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

// One step of a list script: an operation on the list, or a question whose answer it returns.
std::string Step(TStringList& L, TObject* Objects, const std::vector<std::string>& F,
                 const std::string& Notified = "") {
    const std::string& op = F[0];
    const auto n = [&](size_t k) { return static_cast<int32_t>(std::stoi(F.at(k))); };
    TObject* object = F.size() > 2 && op == "add" ? &Objects[n(2)] : nullptr;
    if (op == "text") L.SetText(F[1]);
    if (op == "comma") L.SetCommaText(F[1]);
    if (op == "delimiter") L.SetDelimiter(F[1][0]);
    if (op == "quote") L.SetQuoteChar(F[1][0]);
    if (op == "delimited") L.SetDelimitedText(F[1]);
    if (op == "add") L.AddObject(F[1], object);
    if (op == "insert") L.Insert(n(1), F[2]);
    if (op == "delete") L.Delete(n(1));
    if (op == "put") L.SetStrings(n(1), F[2]);
    if (op == "move") L.Move(n(1), n(2));
    if (op == "exchange") L.Exchange(n(1), n(2));
    if (op == "clear") L.Clear();
    if (op == "value") L.SetValues(F[1], F[2]);
    if (op == "sorted") L.SetSorted(n(1));
    if (op == "case") L.SetCaseSensitive(n(1));
    if (op == "dups") L.SetDuplicates(F[1] == "error" ? dupError : dupAccept);
    if (op == "capacity") L.SetCapacity(n(1));
    if (op == "begin") L.BeginUpdate();
    if (op == "end") L.EndUpdate();
    if (op == "notified") return Notified;
    int32_t at = -1;
    if (op == "find" && L.Find(F[1], at)) return "at " + std::to_string(at);
    if (op == "find") return "before " + std::to_string(at);
    if (op == "get") return L.Strings(n(1));
    const TObject* held = op == "object" ? L.Objects(n(1)) : nullptr;
    if (op == "object") return held ? std::to_string(held - Objects) : "none";
    if (op == "indexofobject") return std::to_string(L.IndexOfObject(&Objects[n(1)]));
    if (op == "indexof") return std::to_string(L.IndexOf(F[1]));
    if (op == "indexofname") return std::to_string(L.IndexOfName(F[1]));
    if (op == "values") return L.Values(F[1]);
    if (op == "count") return std::to_string(L.Count());
    if (op == "commatext") return L.CommaText();
    if (op == "delimitedtext") return L.DelimitedText();
    if (op == "names") return L.Names(n(1));
    if (op == "valuefromindex") return L.ValueFromIndex(n(1));
    std::string lines;
    for (int32_t i = 0; op == "lines" && i < L.Count(); ++i)
        lines += (i ? "|" : "") + L[i];
    return lines;
}

TEST(StringList, FollowsItsScripts) {
    for (const test::TestBlock& script :
         test::ReadBlocks(VEX_TEST_DIR "/testdata/stringlist_scripts.txt")) {
        SCOPED_TRACE(script.Where + " " + script.Name);
        TStringList list;
        TObject objects[3];
        int changing = 0, changed = 0;  // the notifications so far
        list.OnChanging = [&](TObject*) { ++changing; };
        list.OnChange = [&](TObject* Sender) { changed += Sender == &list; };
        for (const std::string& line : script.Parts[0]) {
            const std::vector<std::string> f = test::CaseOf(line).Fields;
            SCOPED_TRACE(line);
            if (f.empty()) continue;
            const std::vector<std::string> rest(f.begin() + (f[0] == "raises" ? 2 : 1), f.end());
            const std::string notified = std::to_string(changing) + "/" + std::to_string(changed);
            if (f[0] == "raises") {
                EXPECT_EQ(test::ErrorText<EStringListError>([&] { Step(list, objects, rest); }),
                          f[1]);
            } else if (f[0] == "is") {
                EXPECT_EQ(Step(list, objects, {rest.begin(), rest.end() - 1}, notified),
                          rest.back());
            } else {
                Step(list, objects, f);
            }
        }
    }
}

TEST(StringList, AssignCopiesStringsObjectsAndSettingsAndOnlyFromAnotherList) {
    TObject o;
    TStringList list, target;
    list.SetCommaText("three,two");
    list.SetObjects(1, &o);
    list.SetDelimiter(';');
    target.Add("old");
    target.Assign(&list);
    EXPECT_TRUE(target.Equals(list));
    EXPECT_EQ(target.Objects(1), &o);
    EXPECT_EQ(target.Delimiter(), ';');
    target.Assign(&target);
    target.AddStrings(target);
    EXPECT_EQ(Lines(target), (V{"three", "two", "three", "two"}));
    EXPECT_FALSE(target.Equals(list));
    TPersistent other;
    EXPECT_THROW(target.Assign(&other), EConvertError);
    EXPECT_EQ(target.Count(), 4);
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
