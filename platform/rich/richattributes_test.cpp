#include "platform/rich/richattributes.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vex
