#include "dataaware/edits/wwdotdot.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/lists_testsupport.h"
#include "platform/win/capture.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::PressKey;

// A combo whose drop-down is only written down, and whose text may be made one that cannot be
// typed into.
class TRecordingCombo : public TwwDBCustomCombo {
public:
    using TwwDBCustomCombo::TwwDBCustomCombo;

    std::vector<std::string> Log;
    bool Open = false;
    bool Editable = true;

    bool IsDroppedDown() override { return Open; }
    void DropDown() override {
        Log.push_back("drop down");
        Open = true;
    }
    void CloseUp(bool Accept) override {
        Log.push_back(Accept ? "close up, accept" : "close up, cancel");
        Open = false;
        TwwDBCustomCombo::CloseUp(Accept);
    }

protected:
    bool IsEditable() override { return Editable; }
};

struct TComboEditScene : test::TListScene {
    TComboEditScene() {
        Combo = Add<TRecordingCombo>(Form, Rect(10, 10, 130, 31));
        Combo->SetReadOnly(false);
        Combo->SetFocus();
        Application().ProcessMessages();
    }
    TRecordingCombo* Combo;
};

TEST(DBCustomCombo, PutsItsButtonInsideTheRightEdgeAndKeepsTheTextOffIt) {
    struct TCase {
        const char* Name;
        TBorderStyle Border;
        bool Ctl3D, ShowButton;
        TRect Panel, Button, Text;
    };
    // 120 by 21, a scroll bar 16 wide: the button is 16 wide, its panel 20.
    const std::vector<TCase> cases = {
        {"sunken border", bsSingle, true, true, Rect(100, 0, 120, 17), Rect(0, 0, 16, 17),
         Rect(0, 0, 98, 18)},
        {"no button", bsSingle, true, false, Rect(100, 0, 120, 17), Rect(0, 0, 16, 17),
         Rect(0, 0, 114, 18)},
        {"flat border", bsSingle, false, true, Rect(104, 0, 124, 19), Rect(0, 0, 16, 19),
         Rect(0, 0, 102, 20)},
        {"no border", bsNone, true, true, Rect(104, 0, 124, 21), Rect(0, -1, 16, 21),
         Rect(2, 2, 102, 22)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TComboEditScene scene;
        TRecordingCombo& combo = *scene.Combo;
        combo.SetBorderStyle(c.Border);
        combo.SetCtl3D(c.Ctl3D);
        combo.SetShowButton(c.ShowButton);
        combo.SetBounds(10, 10, 120, 21);
        test::PumpUntilIdle();
        EXPECT_EQ(combo.ButtonPanel().BoundsRect(), c.Panel);
        EXPECT_EQ(combo.Button().BoundsRect(), c.Button);
        EXPECT_EQ(combo.FormattingRect(), c.Text);
    }
}

TEST(DBCustomCombo, AltArrowsToggleTheDropDownEnterAndEscapeCloseIt) {
    struct TCase {
        bool Open;
        std::vector<int32_t> Modifiers;
        int32_t Key;
        std::vector<std::string> Log;
        bool Modified;
    };
    const std::vector<TCase> cases = {
        {false, {VK_MENU}, VK_DOWN, {"drop down"}, false},
        {false, {VK_MENU}, VK_UP, {"drop down"}, false},
        {true, {VK_MENU}, VK_DOWN, {"close up, accept"}, true},
        {true, {VK_MENU}, VK_UP, {"close up, accept"}, true},
        {true, {}, VK_RETURN, {"close up, accept"}, true},
        {true, {}, VK_ESCAPE, {"close up, cancel"}, false},
        {false, {}, VK_ESCAPE, {}, false},
        {false, {}, VK_DOWN, {}, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Key << (c.Open ? " open" : " closed"));
        TComboEditScene scene;
        scene.Combo->Open = c.Open;
        scene.Combo->SetText("kept");
        scene.Combo->SetModified(false);
        PressKey(c.Key, c.Modifiers);
        EXPECT_EQ(scene.Combo->Log, c.Log);
        EXPECT_EQ(scene.Combo->Modified(), c.Modified);
        if (!c.Log.empty()) {
            EXPECT_EQ(scene.Combo->Text(), "kept") << "the combo's key is not the edit's too";
        }
    }
}

TEST(DBCustomCombo, AClickTogglesOnlyAComboThatCannotBeTypedInto) {
    for (bool editable : {true, false}) {
        SCOPED_TRACE(editable ? "editable" : "not editable");
        TComboEditScene scene;
        scene.Combo->Editable = editable;
        test::ClickAt(*scene.Combo, Point(20, 8));
        test::ClickAt(*scene.Combo, Point(20, 8));
        const std::vector<std::string> toggled = {"drop down", "close up, accept"};
        EXPECT_EQ(scene.Combo->Log, editable ? std::vector<std::string>() : toggled);
        EXPECT_EQ(GetCapture(), 0);
    }
}

TEST(DBCustomCombo, TheButtonFocusesTheComboAndOpensIt) {
    TComboEditScene scene;
    auto* other = scene.Add<TRecordingCombo>(scene.Form, Rect(10, 50, 130, 71));
    other->SetFocus();
    test::ClickAt(scene.Combo->Button(), Point(8, 8));
    EXPECT_TRUE(scene.Combo->Focused());
    test::ClickAt(scene.Combo->Button(), Point(8, 8));
    EXPECT_EQ(scene.Combo->Log, (std::vector<std::string>{"drop down", "close up, accept"}));

    scene.Combo->SetButtonEnabled(false);
    test::ClickAt(scene.Combo->Button(), Point(8, 8));
    EXPECT_EQ(scene.Combo->Log.size(), 2u) << "a disabled button setting does nothing";
    scene.Combo->SetEnabled(false);
    EXPECT_FALSE(scene.Combo->Button().Enabled());
    scene.Combo->SetEnabled(true);
    EXPECT_TRUE(scene.Combo->Button().Enabled());
}

TEST(DBCustomCombo, TheBaseDropDownRunsTheButtonEventWhileDroppedDown) {
    test::TListScene scene;
    auto* combo = scene.Add<TwwDBCustomCombo>(scene.Form, Rect(10, 10, 130, 31));
    combo->SetFocus();
    combo->DropDown();
    std::vector<bool> seen;
    combo->OnButtonClick = [&](TObject* Sender) {
        seen.push_back(static_cast<TwwDBCustomCombo*>(Sender)->IsDroppedDown());
    };
    PressKey(VK_DOWN, {VK_MENU});
    EXPECT_EQ(seen, std::vector<bool>{true});
    EXPECT_FALSE(combo->IsDroppedDown());
}

}  // namespace
}  // namespace vex

namespace vex {
namespace {

TEST(DBCustomCombo, ABaseDropDownThatFailsLeavesTheComboClosed) {
    test::TListScene scene;
    auto* combo = scene.Add<TwwDBCustomCombo>(scene.Form, Rect(10, 10, 130, 31));
    combo->SetFocus();
    combo->OnButtonClick = [](TObject*) { throw std::runtime_error("no dialog"); };
    EXPECT_THROW(combo->DropDown(), std::runtime_error);
    EXPECT_FALSE(combo->IsDroppedDown());
}

}  // namespace
}  // namespace vex
