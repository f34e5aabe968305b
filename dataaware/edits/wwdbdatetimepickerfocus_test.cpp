#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepicker_testsupport.h"
#include "dataaware/edits/wweditorgrid_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/gfx/colors.h"
#include "platform/ui/windowpicture.h"

namespace vex {
namespace {

using test::DayAt;

// The first and last columns of the picture's middle row band that hold a pixel of Colour,
// left of Right; -1 when none does.
std::pair<int32_t, int32_t> ColumnsOf(TControl& Control, TColor Colour, int32_t Right) {
    test::PumpUntilIdle();
    TBitmap picture;
    PictureOfControl(Control, picture);
    // A colour holds red in its low byte, a pixel in its third.
    const auto rgb = static_cast<uint32_t>(ColorToRGB(Colour));
    const uint32_t pixel = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    std::pair<int32_t, int32_t> found{-1, -1};
    for (int32_t y = 4; y < picture.Height() - 4; ++y)
        for (int32_t x = 4; x < Right; ++x)
            if (picture.ScanLine(y)[x] == pixel) {
                if (found.first < 0 || x < found.first) found.first = x;
                found.second = std::max(found.second, x);
            }
    return found;
}

TEST(DBDateTimePickerPainting, AnUnfocusedPickerDrawsItsValueAlignedAsItsFieldLeftOfTheButton) {
    const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
    std::pair<int32_t, int32_t> shown[3];
    int32_t buttonLeft = 0;
    for (int i = 0; i < 3; ++i) {
        test::TBoundPicker t("Day");
        t.Data.Table.FieldByName("Day")->SetAlignment(alignments[i]);
        t.Picker->DataLink()->Reset();
        EXPECT_EQ(t.Picker->Alignment(), alignments[i]);
        EXPECT_FALSE(t.Picker->Focused());
        // The picture has the frame's two pixels left of the client area.
        buttonLeft = t.Picker->ButtonPanel()->Left() + 2;
        shown[i] = ColumnsOf(*t.Picker, clWindowText, buttonLeft);
        ASSERT_GE(shown[i].first, 0) << "nothing drawn for alignment " << i;
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            SaveControlPicture(*t.Picker,
                               std::string(dir) + "/picker-aligned" + std::to_string(i) + ".png");
    }
    const int32_t width = shown[0].second - shown[0].first;
    EXPECT_EQ(shown[1].second - shown[1].first, width);
    EXPECT_LT(shown[0].first, shown[1].first);
    EXPECT_LT(shown[1].first, shown[2].first);
    EXPECT_LT(shown[2].second, buttonLeft) << "the button keeps its room";
    EXPECT_GE(shown[2].second, buttonLeft - 6);
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
    EXPECT_GE(ColumnsOf(*t.Picker, clHighlight, t.Picker->Width()).first, 0);
    grid->SetFocus();
    t.Picker->SetParent(t.Scene.Form);
    EXPECT_LT(ColumnsOf(*t.Picker, clHighlight, t.Picker->Width()).first, 0)
        << "outside a grid an unfocused picker shows no selection";
}

TEST(DBDateTimePickerFocus, EnteringSelectsTheWholeTextAndEscapeOfTheCalendarIsNotAReset) {
    test::TPickerScene t;
    t.Picker->SetValue(DayAt(2024, 3, 5, 10, 30));
    t.Picker->SetFocus();
    Application().ProcessMessages();
    EXPECT_EQ(t.Picker->SelLength(), static_cast<int32_t>(t.Picker->Text().size()));
    EXPECT_FALSE(t.Picker->Modified());
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
