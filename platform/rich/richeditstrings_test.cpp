#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/rich/richedit.h"
#include "platform/rich/richedit_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::TRichOnForm;

std::vector<std::string> LinesOf(TRichEditStrings& Lines) {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < Lines.Count(); ++i)
        lines.push_back(Lines[i]);
    return lines;
}

TEST(RichEditStrings, LinesAreWholeDisplayLines) {
    struct TCase {
        const char* Name;
        std::string Text;
        bool Wrap;
        std::vector<std::string> Lines;
    };
    const std::string longLine(5000, 'x');
    const std::vector<TCase> cases = {
        {"empty", "", true, {}},
        {"one", "a", true, {"a"}},
        {"a last paragraph end makes no line", "a\r\n", true, {"a"}},
        {"empty lines inside count", "a\r\n\r\nb", true, {"a", "", "b"}},
        {"a long line is never cut", longLine, false, {longLine}},
        {"wrapped lines are lines",
         std::string(30, 'w') + " " + std::string(30, 'v'),
         true,
         {std::string(30, 'w') + " ", std::string(30, 'v')}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on(c.Text, Rect(10, 10, 10 + 2 + 6 * 40, 130));
        on.Edit->SetWordWrap(c.Wrap);
        EXPECT_EQ(LinesOf(on.Edit->Lines()), c.Lines);
    }
}

TEST(RichEditStrings, WholeListChangesTellTheNewHeightOnceAtTheirEnd) {
    struct TCase {
        const char* Name;
        std::function<void(TRichEditStrings&)> Change;
    };
    TStringList three;
    three.SetText("a\r\nb\r\nc");
    const std::vector<TCase> cases = {
        {"the text set", [](TRichEditStrings& L) { L.SetText("a\r\nb\r\nc"); }},
        {"a list assigned", [&](TRichEditStrings& L) { L.Assign(&three); }},
        {"a list added", [&](TRichEditStrings& L) { L.AddStrings(three); }},
    };
    for (const bool frees : {false, true}) {
        for (const TCase& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + (frees ? ", the handler freeing the control" : ""));
            TRichOnForm on("one line\r\ntwo");
            std::vector<int32_t> heights;
            on.Edit->OnResizeRequest = [&](TObject*, TRect R) {
                heights.push_back(R.Bottom - R.Top);
                if (frees) delete std::exchange(on.Edit, nullptr);
            };
            c.Change(on.Edit->Lines());
            ASSERT_EQ(heights.size(), 1u);
            if (!frees) {
                EXPECT_EQ(heights[0], on.Edit->Layout().Height());
            }
        }
    }
}

TEST(RichEditStrings, EditsGoWhereTheTableSays) {
    struct TCase {
        const char* Name;
        std::string Text;
        std::function<void(TRichEditStrings&)> Edit;
        std::string Expected;
    };
    const std::vector<TCase> cases = {
        {"add to empty", "", [](TRichEditStrings& L) { L.Add("a"); }, "a\r\n"},
        {"add after a last line", "a", [](TRichEditStrings& L) { L.Add("b"); }, "a\r\nb"},
        {"add after an empty last line", "a\r\n", [](TRichEditStrings& L) { L.Add("b"); },
         "a\r\nb\r\n"},
        {"insert at the front", "a\r\nb", [](TRichEditStrings& L) { L.Insert(0, "x"); },
         "x\r\na\r\nb"},
        {"put", "a\r\nb\r\nc", [](TRichEditStrings& L) { L.SetStrings(1, "long"); },
         "a\r\nlong\r\nc"},
        {"a line grows by itself", "ab", [](TRichEditStrings& L) { L.SetStrings(0, L[0] + "c"); },
         "abc"},
        {"delete a middle line", "a\r\nb\r\nc", [](TRichEditStrings& L) { L.Delete(1); }, "a\r\nc"},
        {"delete the last line", "a\r\nb", [](TRichEditStrings& L) { L.Delete(1); }, "a\r\n"},
        {"text", "old", [](TRichEditStrings& L) { L.SetText("x\ny\n"); }, "x\r\ny\r\n"},
        {"clear", "a\r\nb", [](TRichEditStrings& L) { L.Clear(); }, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on(c.Text);
        c.Edit(on.Edit->Lines());
        EXPECT_EQ(on.Edit->Text(), c.Expected);
    }
    TRichOnForm on("a");
    EXPECT_THROW(on.Edit->Lines().Insert(3, "x"), EStringListError);
    EXPECT_THROW(on.Edit->Lines().Delete(1), EStringListError);
}

TEST(RichEditStrings, FilesLoadAsRtfOrAsText) {
    TRichOnForm on;
    on.Edit->Lines().LoadFromFile(VEX_TEST_DIR "/testdata/richedit-note.rtf");
    EXPECT_EQ(on.Edit->Lines()[0], "A new version is out: 2.1.");
    on.Edit->SetSelStart(22);
    on.Edit->SetSelLength(3);
    EXPECT_TRUE(on.Edit->SelAttributes().Style().Contains(fsBold));
    EXPECT_FALSE(on.Edit->Modified());

    on.Edit->Lines().LoadFromFile(VEX_TEST_DIR "/testdata/richedit-plain.txt");
    EXPECT_EQ(on.Edit->Lines()[1], "second {not rtf} line");
    EXPECT_THROW(on.Edit->Lines().LoadFromFile(VEX_TEST_DIR "/testdata/none.rtf"), EStreamError);
    EXPECT_EQ(on.Edit->Lines()[0], "first line");
}

TEST(RichEditStrings, SavingWritesTheWholeDocumentOrNothing) {
    test::TempDir dir;
    const std::string file = dir.File("note.rtf");
    test::WriteWholeFile(file, "old contents");
    TRichOnForm from;
    from.Edit->Lines().LoadFromFile(VEX_TEST_DIR "/testdata/richedit-note.rtf");
    from.Edit->Lines().SaveToFile(file);
    TRichOnForm to;
    to.Edit->Lines().LoadFromFile(file);
    EXPECT_TRUE(to.Edit->Engine().Document().SameContent(from.Edit->Engine().Document()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    EXPECT_THROW(from.Edit->Lines().SaveToFile(dir.File("missing/note.rtf")), EStreamError);
    EXPECT_EQ(test::ReadWholeFile(file).substr(0, 5), "{\\rtf");

    to.Edit->SetPlainText(true);
    TStringStream plain;
    to.Edit->Lines().SaveToStream(plain);
    EXPECT_EQ(plain.DataString().substr(0, 9), "A new ver");
}

// A stream that says it holds bytes it cannot give.
class TBrokenStream : public TStream {
public:
    int32_t Read(void*, int32_t) override { return 0; }
    int32_t Write(const void*, int32_t) override { return 0; }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
    int64_t Size() override { return 100; }
    void SetSize(int64_t) override {}
};

TEST(RichEditStrings, AnUnreadableStreamIsAStreamErrorAndChangesNothing) {
    TRichOnForm on("kept");
    TBrokenStream broken;
    try {
        on.Edit->Lines().LoadFromStream(broken);
        FAIL() << "no error";
    } catch (const EReadError& error) {
        EXPECT_STREQ(error.what(), "Failed to Load Stream");
    }
    EXPECT_EQ(on.Edit->Text(), "kept");
}

}  // namespace
}  // namespace vex
