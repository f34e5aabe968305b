#include "components/entry/OvcTabListBox.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/stringlist.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/listboxmessages.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/windowtree.h"

namespace vex {
namespace {

// The search-results box: tab stops every 65 dialog units, rows 13 pixels high.
TTabListBox* ResultsBox(test::TShownForm& Form) {
    Form.Form->Font().SetName(FixedFontName);
    auto* box = Form.Add<TTabListBox>(Form.Form, Rect(8, 8, 232, 80));
    box->SetName("Box");
    box->SetTabWidth(65);
    box->SetItemHeight(13);
    for (const char* item :
         {"Engine\tHits\tTime", "alpha\t12\t0.3 s", "beta\t7\t1.2 s", "a longer name\t3\t0.1 s"})
        box->Items().Add(item);
    box->SetItemIndex(1);
    return box;
}

TEST(TabListBox, MakesItsWindowWithTabStops) {
    test::TShownForm form(Rect(0, 0, 260, 120));
    TTabListBox* box = ResultsBox(form);
    EXPECT_NE(GetWindowLong(box->Handle(), GWL_STYLE) & LBS_USETABSTOPS, 0);
    TListBox plain(nullptr);
    plain.SetParent(form.Form);
    EXPECT_EQ(GetWindowLong(plain.Handle(), GWL_STYLE) & LBS_USETABSTOPS, 0);
}

TEST(TabListBoxPicture, AlignsItsColumnsOnTheTabStops) {
    test::TShownForm form(Rect(0, 0, 260, 120));
    TTabListBox* box = ResultsBox(form);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(
        *box, std::string(VEX_TEST_DIR) + "/testdata/pictures", "tablistbox"));
}

}  // namespace
}  // namespace vex
