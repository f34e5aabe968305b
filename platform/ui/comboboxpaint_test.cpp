#include <gtest/gtest.h>

#include <string>

#include "platform/ui/combobox.h"
#include "platform/ui/comboboxlist.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/win/capture.h"

namespace vex {
namespace {

const std::string Pictures = VEX_TEST_DIR "/testdata/pictures";

::testing::AssertionResult Matches(TControl& Control, const std::string& Name) {
    Application().ProcessMessages();
    return test::ControlMatchesReferencePicture(Control, Pictures, Name);
}

TEST(ComboBoxPicture, ClosedWithAndWithoutTheFocusAndOpenWithItsList) {
    test::TListScene t;
    auto* combo = t.Add<TComboBox>(t.Form, Rect(8, 8, 128, 28));
    combo->SetStyle(csDropDownList);
    combo->Items().SetCommaText("Single,\"1.5 Lines\",Double,\"At least\",Exactly,Multiple");
    combo->SetItemIndex(1);
    EXPECT_TRUE(Matches(*combo, "combobox_list_closed"));
    combo->SetFocus();
    EXPECT_TRUE(Matches(*combo, "combobox_list_focused"));
    combo->SetDropDownCount(4);
    combo->SetDroppedDown(true);
    auto* list = dynamic_cast<TComboBoxList*>(FindControl(GetCapture()));
    ASSERT_NE(list, nullptr);
    list->SetItemIndex(3);
    EXPECT_TRUE(Matches(*combo, "combobox_list_open_face"));
    EXPECT_TRUE(Matches(*list, "combobox_list_open_list"));
    combo->SetDroppedDown(false);
    combo->SetEnabled(false);
    EXPECT_TRUE(Matches(*combo, "combobox_list_disabled"));
}

TEST(ComboBoxPicture, ADropDownsEditBesideItsButton) {
    test::TListScene t;
    auto* combo = t.Add<TComboBox>(t.Form, Rect(8, 8, 128, 28));
    combo->Items().SetCommaText("Arial,Courier,Times");
    combo->SetText("Courier");
    EXPECT_TRUE(Matches(*combo, "combobox_edit_closed"));
    combo->SetFocus();  // the text is selected as the focus comes
    EXPECT_TRUE(Matches(*combo, "combobox_edit_focused"));
}

}  // namespace
}  // namespace vex
