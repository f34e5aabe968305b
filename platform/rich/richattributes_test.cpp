#include "platform/rich/richattributes.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/rich/richedit.h"

namespace vex {
namespace {

// No window needed: attributes read and set the control's engine.
struct TBare {
    TRichEdit Edit{nullptr};
    explicit TBare(const std::string& Text) { Edit.SetText(Text); }
    void Select(int32_t Start, int32_t Length) {
        Edit.SetSelStart(Start);
        Edit.SetSelLength(Length);
    }
};

TEST(RichAttributes, TheSelectionsFormatsReadAndSetInPointsAndPixels) {
    TBare on("plain bold");
    on.Select(6, 4);
    TTextAttributes& attributes = on.Edit.SelAttributes();
    attributes.SetStyle(TFontStyles{fsBold, fsUnderline});
    attributes.SetSize(12);
    attributes.SetColor(clRed);
    attributes.SetName("Courier New");
    EXPECT_EQ(attributes.Height(), 16);  // 12 points at 96 pixels an inch
    attributes.SetHeight(24);
    EXPECT_EQ(attributes.Size(), 18);
    EXPECT_EQ(attributes.Color(), clRed);
    EXPECT_EQ(attributes.Name(), "Courier New");
    EXPECT_EQ(attributes.ConsistentAttributes().Contains(caBold), true);

    on.Select(4, 4);  // "n b": mixed
    const TConsistentAttributes mixed = attributes.ConsistentAttributes();
    EXPECT_FALSE(mixed.Contains(caBold));
    EXPECT_FALSE(mixed.Contains(caSize));
    EXPECT_FALSE(mixed.Contains(caColor));
    EXPECT_TRUE(mixed.Contains(caItalic));
    EXPECT_TRUE(on.Edit.Modified());
    on.Select(0, 5);
    EXPECT_EQ(attributes.Color(), clWindowText);  // the automatic colour
}

TEST(RichAttributes, FontsGoIntoAttributesAndBack) {
    TBare on("text");
    TFont font;
    font.SetName("Times New Roman");
    font.SetSize(14);
    font.SetStyle(TFontStyles{fsItalic});
    font.SetColor(clBlue);
    font.SetPitch(fpVariable);
    on.Edit.DefAttributes().Assign(&font);
    TTextAttributes& defaults = on.Edit.DefAttributes();
    EXPECT_EQ(defaults.Name(), "Times New Roman");
    EXPECT_EQ(defaults.Size(), 14);
    EXPECT_EQ(defaults.Pitch(), fpVariable);
    TFont back;
    back.Assign(&defaults);
    EXPECT_EQ(back.Name(), "Times New Roman");
    EXPECT_EQ(back.Size(), 14);
    EXPECT_EQ(back.Color(), clBlue);
    EXPECT_TRUE(back.Style().Contains(fsItalic));
    EXPECT_THROW(defaults.Assign(nullptr), EConvertError);
}

TEST(RichAttributes, TheControlsFontIsTheDefaultAndChangesNothingToTell) {
    TBare on("");
    int changes = 0;
    on.Edit.SetEventMask(ENM_CHANGE);
    on.Edit.OnChange = [&](TObject*) { ++changes; };
    on.Edit.Font().SetName("Courier New");
    on.Edit.Font().SetSize(11);
    EXPECT_EQ(on.Edit.DefAttributes().Name(), "Courier New");
    EXPECT_EQ(on.Edit.DefAttributes().Size(), 11);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(on.Edit.Modified());
    on.Edit.SetText("typed");
    EXPECT_EQ(on.Edit.SelAttributes().Name(), "Courier New");
}

TEST(RichAttributes, ParagraphsTakeIndentsAlignmentBulletsAndTabsInPoints) {
    TBare on("one\r\ntwo\r\nthree");
    on.Select(2, 4);  // the first two paragraphs
    TParaAttributes& paragraph = on.Edit.Paragraph();
    paragraph.SetAlignment(taCenter);
    paragraph.SetFirstIndent(36);
    paragraph.SetLeftIndent(18);
    paragraph.SetRightIndent(9);
    paragraph.SetNumbering(nsBullet);
    paragraph.SetTab(0, 72);
    paragraph.SetTabCount(3);
    const TRichParaFormat& second =
        on.Edit.Engine().Document().ParaFormats()[on.Edit.Engine().Document().Paragraph(1).Format];
    EXPECT_EQ(second.StartIndent, 720);
    EXPECT_EQ(second.Offset, 360);
    EXPECT_EQ(second.Alignment, PFA_CENTER);
    EXPECT_EQ(second.Tabs, (std::vector<int32_t>{1440, 2160, 2880}));
    EXPECT_EQ(paragraph.Tab(2), 144);
    EXPECT_EQ(paragraph.Tab(5), 0);
    EXPECT_THROW(paragraph.Tab(32), ERangeError);
    on.Select(12, 0);
    EXPECT_EQ(paragraph.Alignment(), taLeftJustify);
    EXPECT_EQ(paragraph.Numbering(), nsNone);
    EXPECT_EQ(paragraph.TabCount(), 0);
}

TEST(RichAttributes, IndentsAndTabsBeyondWhatTwipsHoldAreKeptAtTheLimit) {
    struct TCase {
        const char* Name;
        std::function<void(TParaAttributes&)> Set;
        std::function<int32_t(const TRichParaFormat&)> Twips;
        int32_t Expected;
    };
    constexpr int32_t kMost = INT32_MAX;
    constexpr int32_t kLeast = INT32_MIN;
    const std::vector<TCase> cases = {
        {"first indent, too large", [](TParaAttributes& P) { P.SetFirstIndent(kMost); },
         [](const TRichParaFormat& F) { return F.StartIndent; }, kMost},
        {"left indent, too small", [](TParaAttributes& P) { P.SetLeftIndent(kLeast); },
         [](const TRichParaFormat& F) { return F.Offset; }, kLeast},
        {"right indent, too large", [](TParaAttributes& P) { P.SetRightIndent(kMost / 3); },
         [](const TRichParaFormat& F) { return F.RightIndent; }, kMost},
        {"a tab, too large", [](TParaAttributes& P) { P.SetTab(0, kMost); },
         [](const TRichParaFormat& F) { return F.Tabs.at(0); }, kMost},
        {"stops added after a tab at the limit",
         [](TParaAttributes& P) {
             P.SetTab(0, kMost);
             P.SetTabCount(3);
         },
         [](const TRichParaFormat& F) { return F.Tabs.at(2); }, kMost},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBare on("one\r\ntwo");
        c.Set(on.Edit.Paragraph());
        const TRichDocument& document = on.Edit.Engine().Document();
        EXPECT_EQ(c.Twips(document.ParaFormats()[document.Paragraph(0).Format]), c.Expected);
        EXPECT_GE(on.Edit.Layout().LineCount(), 2);
    }
}

}  // namespace
}  // namespace vex
