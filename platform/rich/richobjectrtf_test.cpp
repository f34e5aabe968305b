#include <gtest/gtest.h>

#include "platform/rich/richdocument.h"
#include "platform/rich/richengine.h"
#include "platform/rich/richobject_testsupport.h"
#include "platform/rich/richplaintext.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfreader.h"
#include "platform/rich/rtfwriter.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using test::TBoxObject;

std::vector<const TBoxObject*> BoxesOf(const TRichDocument& Document) {
    std::vector<const TBoxObject*> boxes;
    for (int32_t i = 0; i < Document.ParagraphCount(); ++i)
        for (const TRichRun& run : Document.Paragraph(i).Runs)
            if (run.Object != 0)
                boxes.push_back(dynamic_cast<const TBoxObject*>(Document.Object(run.Object)));
    return boxes;
}

struct TRead {
    std::vector<std::string> Warnings;
};

TRead ReadInto(TRichDocument& Document, std::string_view Rtf, const TRichObjectKinds* Kinds,
               TRtfLimits Limits = {}) {
    TRtfReader reader(Document, Limits);
    reader.SetObjectKinds(Kinds);
    Document.Replace(0, Document.Length(), reader.ReadDocument(Rtf));
    return {reader.Warnings()};
}

std::string AllWarnings(const TRead& Read) {
    std::string all;
    for (const std::string& warning : Read.Warnings)
        all += warning + "\n";
    return all;
}

TEST(RtfObjects, ReadsEachCaseOfTheTable) {
    const TRichObjectKinds kinds = test::BoxObjectKinds();
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/rtfobjects.txt")) {
        SCOPED_TRACE(c.Where);
        TRichDocument document;
        const TRead read = ReadInto(document, c[0], c[1] == "on" ? &kinds : nullptr);
        EXPECT_EQ(document.Text(), c[2]);
        const std::vector<const TBoxObject*> boxes = BoxesOf(document);
        ASSERT_EQ(static_cast<int64_t>(boxes.size()), c.Int(3));
        if (!boxes.empty()) {
            ASSERT_NE(boxes[0], nullptr);
            EXPECT_EQ(boxes[0]->Label(), c[4]);
        }
        if (c[5] == "-")
            EXPECT_TRUE(read.Warnings.empty()) << AllWarnings(read);
        else
            EXPECT_NE(AllWarnings(read).find(c[5]), std::string::npos) << AllWarnings(read);
    }
}

TEST(RtfObjects, KeepsTheExtentWithinBoundsAndTheDataWithinTheLimit) {
    const TRichObjectKinds kinds = test::BoxObjectKinds();
    TRichDocument document;
    ReadInto(document,
             "{\\rtf1{\\object{\\*\\objclass Sample.Box}\\objw2147483647\\objh300"
             "{\\*\\objdata 6869}}{\\object{\\*\\objclass Sample.Box}\\objw-5\\objh300"
             "{\\*\\objdata 6869}}}",
             &kinds);
    const std::vector<const TBoxObject*> boxes = BoxesOf(document);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0]->Extent(), (TSize{MaxObjectExtent, 300}));
    EXPECT_EQ(boxes[1]->Extent(), TBoxObject().Extent());

    TRtfLimits limits;
    limits.MaxObjectData = 4;
    const std::string rtf = "{\\rtf1{\\object{\\*\\objclass Sample.Box}{\\*\\objdata 6869" +
                            std::string(1 << 20, 'a') + "}{\\result R}}}";
    const TRead read = ReadInto(document, rtf, &kinds, limits);
    EXPECT_EQ(document.Text(), "R");
    EXPECT_NE(AllWarnings(read).find("size limit"), std::string::npos);
}

// Written with its data, an object comes back whole where objects may be made, and as the
// blank that held its place where they may not, every other position unchanged.
TEST(RtfObjects, AnObjectWrittenComesBackOnlyWhereObjectsMayBeMade) {
    const TRichObjectKinds kinds = test::BoxObjectKinds();
    TRichDocument original;
    original.Replace(0, 0, PlainTextFragment("before  after\rnext", 0, 0));
    auto box = std::make_shared<TBoxObject>();
    box->SetLabel("a {label} \\ with \xe9 and ;");
    box->SetExtent({2880, 1440});
    TRichFragment object;
    object.Paragraphs[0].AppendObject(0, original.AddObject(box));
    original.Replace(7, 0, object);
    const std::string rtf = WriteRtf(original);

    TRichDocument on;
    EXPECT_TRUE(ReadInto(on, rtf, &kinds).Warnings.empty());
    EXPECT_EQ(on.Text(), original.Text());
    const std::vector<const TBoxObject*> boxes = BoxesOf(on);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0], box.get());
    EXPECT_EQ(boxes[0]->Label(), box->Label());
    EXPECT_EQ(boxes[0]->Extent(), box->Extent());
    EXPECT_EQ(on.Paragraph(0).Runs[1].Length, 1);

    TRichDocument off;
    ReadInto(off, rtf, nullptr);
    EXPECT_EQ(off.Text(), original.Text());
    EXPECT_TRUE(BoxesOf(off).empty());

    // A part of the document without the object writes no object.
    EXPECT_EQ(WriteRtf(original, 0, 6).find("\\object"), std::string::npos);
    TRichDocument part;
    ReadInto(part, WriteRtf(original, 6, 3), &kinds);
    EXPECT_EQ(BoxesOf(part).size(), 1u);
}

TEST(RtfObjects, LoadingIntoAnEditorMakesObjectsOnlyWhenAskedTo) {
    const TRichObjectKinds kinds = test::BoxObjectKinds();
    const std::string rtf =
        "{\\rtf1 a{\\object{\\*\\objclass Sample.Box}{\\*\\objdata 6869}{\\result R}}b}";
    TRichEditEngine engine;
    LoadRtf(engine, rtf, false);
    EXPECT_EQ(engine.Text(), "aRb");
    LoadRtf(engine, rtf, false, nullptr, &kinds);
    EXPECT_EQ(engine.Text(), "a b");
    EXPECT_EQ(BoxesOf(engine.Document()).size(), 1u);
}

}  // namespace
}  // namespace vex
