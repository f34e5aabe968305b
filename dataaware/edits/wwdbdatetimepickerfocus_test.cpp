#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepicker_testsupport.h"
#include "dataaware/edits/wweditorgrid_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/gfx/colors.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/updateregion.h"

namespace vex {
namespace {

using test::DayAt;

// The box around the pixels of Colour in the picture of Control, left of Right and inside its
// frame; Left is -1 when there are none.
TRect InkBox(TControl& Control, TColor Colour, int32_t Right) {
    test::PumpUntilIdle();
    TBitmap picture;
    PictureOfControl(Control, picture);
    // A colour holds red in its low byte, a pixel in its third.
    const auto rgb = static_cast<uint32_t>(ColorToRGB(Colour));
    const uint32_t pixel = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    TRect box = Rect(-1, -1, -1, -1);
    for (int32_t y = 2; y < picture.Height() - 2; ++y)
        for (int32_t x = 2; x < Right; ++x)
            if (picture.ScanLine(y)[x] == pixel) {
                if (box.Left < 0) box = Rect(x, y, x, y);
                box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x),
                           std::max(box.Bottom, y));
            }
    return box;
}

TEST(DBDateTimePickerPainting, ANewTextRepaintsTheEditAloneButAWholeRepaintTakesTheButtonToo) {
    test::TBoundPicker t("Day");
    test::PumpUntilIdle();
    const HWND button = t.Picker->ButtonPanel()->Handle();
    TRect dirty;
    ASSERT_FALSE(GetUpdateRect(button, dirty));
    t.Data.Table.Next();
    ASSERT_EQ(t.Picker->Text(), "") << "the second record holds no day";
    EXPECT_TRUE(GetUpdateRect(t.Picker->Handle(), dirty));
    EXPECT_FALSE(GetUpdateRect(button, dirty)) << "the button shows nothing of the text";
    t.Picker->Invalidate();
    EXPECT_TRUE(GetUpdateRect(button, dirty));
}

TEST(DBDateTimePickerPainting, AnUnfocusedPickerDrawsItsValueAlignedAsItsFieldLeftOfTheButton) {
    const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
    TRect shown[3];
    int32_t buttonLeft = 0;
    for (int i = 0; i < 3; ++i) {
        test::TBoundPicker t("Day");
        t.Data.Table.FieldByName("Day")->SetAlignment(alignments[i]);
        t.Picker->DataLink()->Reset();
        EXPECT_EQ(t.Picker->Alignment(), alignments[i]);
        EXPECT_FALSE(t.Picker->Focused());
        // The picture has the frame's two pixels left of the client area.
        buttonLeft = t.Picker->ButtonPanel()->Left() + 2;
        shown[i] = InkBox(*t.Picker, clWindowText, buttonLeft);
        ASSERT_GE(shown[i].Left, 0) << "nothing drawn for alignment " << i;
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            SaveControlPicture(*t.Picker,
                               std::string(dir) + "/picker-aligned" + std::to_string(i) + ".png");
    }
    const int32_t width = shown[0].Right - shown[0].Left;
    EXPECT_EQ(shown[1].Right - shown[1].Left, width);
    EXPECT_LT(shown[0].Left, shown[1].Left);
    EXPECT_LT(shown[1].Left, shown[2].Left);
    EXPECT_LT(shown[2].Right, buttonLeft) << "the button keeps its room";
    EXPECT_GE(shown[2].Right, buttonLeft - 6);
}

// The picker draws itself only while unfocused; its text must not jump when the edit takes over.
TEST(DBDateTimePickerPainting, TheTextStaysInPlaceWhenTheFocusComes) {
    test::TShownForm shown(Rect(20, 20, 320, 120));
    auto* picker = shown.Add<TwwDBDateTimePicker>(shown.Form, Rect(10, 10, 250, 31));
    auto* other = shown.Add<TEdit>(shown.Form, Rect(10, 50, 250, 71));
    picker->SetValue(DayAt(2024, 9, 25, 10, 30));
    other->SetFocus();
    const int32_t buttonLeft = picker->ButtonPanel()->Left() + 2;
    const TRect painted = InkBox(*picker, clWindowText, buttonLeft);
    picker->SetFocus();
    picker->SetSelStart(0);
    const TRect edited = InkBox(*picker, clWindowText, buttonLeft);
    EXPECT_EQ(painted, edited);
    if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
        SaveWindowPicture(shown.Form->Handle(), std::string(dir) + "/pickers.png");
}

TEST(DBDateTimePickerPainting, InAFocusedGridItDrawsItsValueSelected) {
    test::TBoundPicker t("Day");
    auto* grid = t.Scene.Add<test::TwwDBGrid>(t.Scene.Form, Rect(0, 0, 220, 150));
    t.Picker->SetParent(grid);
    grid->SetFocus();
    Application().ProcessMessages();
    // As the grid does when it takes the focus back from its editor.
    t.Picker->Invalidate();
    ASSERT_TRUE(grid->Focused());
    EXPECT_GE(InkBox(*t.Picker, clHighlight, t.Picker->Width()).Left, 0);
    grid->SetFocus();
    t.Picker->SetParent(t.Scene.Form);
    EXPECT_LT(InkBox(*t.Picker, clHighlight, t.Picker->Width()).Left, 0)
        << "outside a grid an unfocused picker shows no selection";
}

TEST(DBDateTimePickerFocus, AFailingWriteOnLeavingKeepsTheFocusAndTheEdit) {
    test::TBoundPicker t("Stamp");
    auto* next = t.Scene.Add<TEdit>(t.Scene.Form, Rect(10, 100, 100, 120));
    t.Picker->SetFocus();
    Application().ProcessMessages();
    t.Data.Table.FieldByName("Stamp")->OnChange = [](TField*) { throw EDatabaseError("refused"); };
    ASSERT_TRUE(t.Picker->DataLink()->Edit());
    t.Picker->SetDate(DayAt(2001, 2, 10));
    t.Picker->SetModified(true);
    EXPECT_THROW(next->SetFocus(), EDatabaseError);
    Application().ProcessMessages();
    EXPECT_TRUE(t.Picker->Focused());
    EXPECT_TRUE(t.Picker->Modified());
    EXPECT_EQ(test::Shown(t.Picker->Value()), "2001-02-10 10:00");
    t.Data.Table.Cancel();
    EXPECT_EQ(t.Data.Stored("Stamp"), "2001-02-03 10:00");
}

}  // namespace
}  // namespace vex
