// A phone number typed into a picture edit, a Tab past an incomplete one and Escape over a
// change, run twice: injected with no display, and typed by xdotool on an Xvfb display. Both
// runs must leave the same record.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dataaware/edits/wwdbedit.h"
#include "platform/ui/form.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/toplevel.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using TRecord = std::vector<std::string>;

class TScene {
public:
    TScene() {
        FForm->SetCaption("Picture edit script");
        FForm->SetBounds(40, 50, 320, 140);
        FPhone->SetName("Phone");
        FPhone->SetBounds(10, 10, 200, 24);
        FPhone->SetParent(FForm);
        FPhone->Picture().SetPictureMask("(###)###-####");
        FName->SetName("Name");
        FName->SetBounds(10, 50, 200, 24);
        FName->SetParent(FForm);
        FName->SetEditText("Ann");
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        FPhone->SetFocus();
        FBeeps = MessageBeepCount();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    std::string State() {
        return "phone '" + FPhone->EditText() + "' caret " + std::to_string(FPhone->SelStart()) +
               ", name '" + FName->EditText() + "', focus " + test::FocusedName() + ", beeps " +
               std::to_string(MessageBeepCount() - FBeeps);
    }
    TRecord Record;

private:
    TForm* FForm = new TForm(nullptr);
    TwwDBEdit* FPhone = new TwwDBEdit(FForm);
    TwwDBEdit* FName = new TwwDBEdit(FForm);
    uint32_t FBeeps = 0;
};

struct TStep {
    std::vector<int32_t> Keys;
    size_t Notes = 0;
};

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        {{'5', '5', '5'}},
        {{VK_TAB}},
        {{'1', '2', '3', '4', '5', '6', '7', '8'}},
        {{VK_TAB}},
        {{VK_END, VK_SHIFT, 'X'}},
        {{VK_ESCAPE}},
    };
    return script;
}

class DBEditOnDisplay : public test::OnDisplayTest {};

TEST_F(DBEditOnDisplay, APhoneNumberTypedOnTheDisplayFillsLiteralsAsInjectedOnes) {
    TRecord headless;
    {
        TScene scene;
        headless = test::RunRecordedScriptInjected<TScene, TStep>(
            scene, Script(), [](TScene&, const TStep& Step) { test::InjectKeys(Step.Keys); });
    }
    const TRecord expected = {
        "phone '(555)' caret 5, name 'Ann', focus Phone, beeps 0",
        "phone '(555)' caret 0, name 'Ann', focus Phone, beeps 1",
        "phone '(123)456-78' caret 11, name 'Ann', focus Phone, beeps 1",
        "phone '(123)456-78' caret 0, name 'Ann', focus Phone, beeps 2",
        "phone '(123)456-78' caret 11, name 'Ann', focus Phone, beeps 3",
        "phone '' caret 0, name 'Ann', focus Phone, beeps 3",
    };
    EXPECT_EQ(headless, expected);
    PresentOnDisplay();
    TScene scene;
    ASSERT_TRUE(WaitUntilShown("Picture edit script"));
    const std::string display = FServer.DisplayName();
    const TRecord typed = RunRecordedScriptOnDisplay<TScene, TStep>(
        scene, "Picture edit script", Script(),
        [&](TScene&, const TStep& Step) { test::TypeOnDisplay(display, Step.Keys, 30); });
    EXPECT_EQ(typed, headless);
    SaveActiveFormPicture("dbedit-ondisplay.png");
}

}  // namespace
}  // namespace vex
