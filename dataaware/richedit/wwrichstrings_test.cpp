#include "dataaware/richedit/wwrichstrings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dataaware/richedit/wwriched.h"
#include "dataaware/richedit/wwriched_testsupport.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string Cases = VEX_TEST_DIR "/testdata/lines.txt";

TEST(TwwRichEditStrings, InsertAddsTheLineWhereTheTableSays) {
    test::TwwRichOnForm on;
    for (const test::TestCase& c : test::ReadCases(Cases, "insert")) {
        SCOPED_TRACE(c.Where);
        on.Edit->SetText(c[0]);
        on.Edit->Lines().Insert(static_cast<int32_t>(c.Int(1)), c[2]);
        EXPECT_EQ(on.Edit->Text(), c[3]);
        EXPECT_EQ(on.Edit->Lines().Count(), c.Int(4));
    }
}

TEST(TwwRichEditStrings, CountLeavesOutAnEmptyLastLine) {
    test::TwwRichOnForm on;
    for (const test::TestCase& c : test::ReadCases(Cases, "count")) {
        SCOPED_TRACE(c.Where);
        on.Edit->SetText(c[0]);
        ASSERT_EQ(on.Edit->Lines().Count(), c.Int(1));
        for (int32_t i = 0; i < on.Edit->Lines().Count(); ++i)
            EXPECT_EQ(on.Edit->Lines()[i], c[2 + static_cast<size_t>(i)]);
    }
}

TEST(TwwRichEditStrings, LongLinesAreReadAndWrittenWhole) {
    test::TwwRichOnForm on;
    on.Edit->SetWordWrap(false);
    const std::string line(5000, 'x');
    on.Edit->SetText(line + "\r\nnext");
    TwwRichEditStrings& lines = on.Edit->Lines();
    EXPECT_EQ(lines[0], line);
    lines.SetStrings(0, lines[0] + "y");
    EXPECT_EQ(on.Edit->Text(), line + "y\r\nnext");
}

TEST(TwwRichEditStrings, TextAndAddStringsTellOneChangeAndNoSelectionChange) {
    test::TwwRichOnForm on("old");
    int32_t changes = 0, selections = 0;
    on.Edit->OnChange = [&](TObject*) { ++changes; };
    on.Edit->OnSelectionChange = [&](TObject*) { ++selections; };
    on.Edit->Lines().SetText("one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(on.Edit->Lines().Count(), 3);
    TStringList more;
    more.Add("four");
    more.Add("five");
    selections = 0;
    on.Edit->Lines().AddStrings(more);
    EXPECT_EQ(selections, 0);
    EXPECT_EQ(on.Edit->Lines()[4], "five");
    ASSERT_TRUE(on.Edit->OnSelectionChange) << "the handler comes back afterwards";
    on.Edit->SetSelection({0, 2});
    EXPECT_EQ(selections, 1);
}

// Lines are added with the selection handler held away; one set while it is away is the
// caller's newer wish and must not be overwritten by the held one.
TEST(TwwRichEditStrings, ASelectionHandlerSetWhileLinesAreAddedIsTheOneKept) {
    struct TCase {
        const char* Name;
        std::function<void(test::TwwRichOnForm&, const TStringList&, const TNotifyEvent&)> Add;
    };
    const std::vector<TCase> cases = {
        {"by the caller inside its own update",
         [](test::TwwRichOnForm& on, const TStringList& More, const TNotifyEvent& Newer) {
             on.Edit->Lines().BeginUpdate();
             on.Edit->Lines().AddStrings(More);
             on.Edit->OnSelectionChange = Newer;
             on.Edit->Lines().EndUpdate();
         }},
        {"by the change handler as the update ends",
         [](test::TwwRichOnForm& on, const TStringList& More, const TNotifyEvent& Newer) {
             on.Edit->OnChange = [&on, Newer](TObject*) { on.Edit->OnSelectionChange = Newer; };
             on.Edit->Lines().AddStrings(More);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TwwRichOnForm on("old");
        std::string told;
        on.Edit->OnSelectionChange = [&](TObject*) { told += "held "; };
        TStringList more;
        more.Add("four");
        c.Add(on, more, [&](TObject*) { told += "newer "; });
        on.Edit->OnChange = nullptr;
        told.clear();
        on.Edit->SetSelection({0, 2});
        EXPECT_EQ(told, "newer ");
    }
}

TEST(TwwRichEditStrings, AChangeHandlerMayFreeTheControlWhileTheSelectionHandlerIsAway) {
    test::TwwRichOnForm on("old");
    on.Edit->OnSelectionChange = [](TObject*) {};
    on.Edit->OnChange = [&](TObject*) { delete std::exchange(on.Edit, nullptr); };
    TStringList more;
    more.Add("four");
    on.Edit->Lines().AddStrings(more);
    EXPECT_EQ(on.Edit, nullptr);
}

TEST(TwwRichEditStrings, AStreamThatCannotBeReadIsAStreamErrorAndChangesNothing) {
    class TBrokenStream : public TStream {
    public:
        int32_t Read(void*, int32_t) override { throw EReadError("disk gone"); }
        int32_t Write(const void*, int32_t) override { return 0; }
        int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
        int64_t Size() override { return 100; }
        void SetSize(int64_t) override {}
    };
    test::TwwRichOnForm on("kept");
    TBrokenStream broken;
    try {
        on.Edit->Lines().LoadFromStream(broken);
        ADD_FAILURE() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Failed to Load Stream");
    }
    EXPECT_THROW(on.Edit->ReadFromStream(broken, true), EStreamError);
    EXPECT_EQ(on.Edit->Text(), "kept");
}

}  // namespace
}  // namespace vex
