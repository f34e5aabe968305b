#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wwdbedit_testsupport.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/pngcodec.h"
#include "platform/ui/windowpicture.h"

namespace vex {
namespace {

// The first and last columns holding a dark pixel, -1 when none does.
std::pair<int32_t, int32_t> InkColumns(TControl& Control) {
    test::PumpUntilIdle();
    TBitmap picture;
    PictureOfControl(Control, picture);
    if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
        SaveWindowPicture(static_cast<TWinControl&>(Control).Handle(),
                          std::string(dir) + "/dbedit-" + Control.Name() + ".png");
    int32_t first = -1, last = -1;
    for (int32_t y = 2; y < picture.Height() - 2; ++y)
        for (int32_t x = 2; x < picture.Width() - 2; ++x)
            if ((picture.ScanLine(y)[x] & 0xFF) < 0x40) {
                if (first < 0 || x < first) first = x;
                last = std::max(last, x);
            }
    return {first, last};
}

TEST(DBEditPainting, AnUnfocusedEditShowsTheValueAlignedLikeItsField) {
    test::TBoundForm on;
    struct TCase {
        const char* Field;
        TAlignment Alignment;
        bool RightSide;
    };
    for (const TCase& c : {TCase{"Visits", taRightJustify, true},
                           TCase{"Name", taLeftJustify, false}, TCase{"Id", taCenter, true}}) {
        SCOPED_TRACE(c.Field);
        on.People.FieldByName(c.Field)->SetAlignment(c.Alignment);
        TwwDBEdit* edit = on.Edit(c.Field, Rect(10, 100, 170, 124));
        edit->SetName(std::string("unfocused") + c.Field);
        edit->Font().SetName(FixedFontName);
        const auto [first, last] = InkColumns(*edit);
        const int32_t middle = edit->ClientWidth() / 2;
        if (c.Alignment == taCenter) {
            EXPECT_LT(first, middle) << "centred on " << middle;
        }
        EXPECT_EQ(last > middle, c.RightSide);
        edit->SetName(std::string("focused") + c.Field);
        edit->SetFocus();
        edit->SetSelStart(0);
        const auto [focusedFirst, focusedLast] = InkColumns(*edit);
        EXPECT_LT(focusedLast, middle) << "the text is edited from the left";
        edit->SetParent(nullptr);
    }
}

TEST(DBEditPainting, APasswordHidesTheTextWhileUnfocused) {
    test::TBoundForm on;
    on.People.FieldByName("Visits")->SetAlignment(taRightJustify);
    TwwDBEdit* edit = on.Edit("Visits", Rect(10, 100, 170, 124));
    edit->Font().SetName(FixedFontName);
    edit->SetPasswordChar('*');
    EXPECT_EQ(edit->GetDisplayText(), "12");
    const auto [first, last] = InkColumns(*edit);
    EXPECT_LT(last - first, 16) << "two stars of the fixed font are narrower than 12";
}

}  // namespace
}  // namespace vex
