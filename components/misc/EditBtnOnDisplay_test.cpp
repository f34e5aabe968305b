// An edit with a button driven by one script twice: injected with no display, and by xdotool on
// an Xvfb display. Digits typed reach the text, and a click on the button fires OnClickBtn and
// leaves the focus and the caret in the edit, the same at either.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "components/misc/EditBtn.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

// A form with the edit focused; what the script does to it goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Edit button script");
        FForm->SetBounds(40, 50, 240, 120);
        Edit = new TEditBtn(FForm);
        Edit->SetBounds(10, 10, 120, 24);
        Edit->SetParent(FForm);
        Edit->OnClickBtn = [this](TObject*) { Record.push_back("click"); };
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        Edit->SetFocus();
        Edit->SetSelStart(1);
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TPoint Button() const {
        TEditButton* button = Edit->Button();
        return button->ClientToScreen(Point(button->Width() / 2, button->Height() / 2));
    }
    std::string State() const {
        return "text " + Edit->Text() + ", caret " + std::to_string(Edit->SelStart()) +
               ", selected " + std::to_string(Edit->SelLength()) +
               (Edit->Focused() ? ", focused" : ", not focused");
    }

    TEditBtn* Edit;
    std::vector<std::string> Record;

private:
    TForm* FForm = new TForm(nullptr);
};

// Each step types a digit (0: clicks the button instead).
const char kScript[] = {'1', '2', 0, '3', 0};

std::vector<std::string> RunScript(const std::function<void(char, TScene&)>& Deliver,
                                   int64_t Settle) {
    return test::RunModalSteps<TScene>(kScript, Deliver, Settle);
}

class EditBtnOnDisplay : public test::OnDisplayTest {};

TEST_F(EditBtnOnDisplay, TypingAndClickingTheButtonDoTheSameOnTheDisplayAsInjected) {
    const std::vector<std::string> injected = RunScript(
        [](char Step, TScene& S) {
            if (Step != 0)
                test::TapKey(Step);
            else
                test::ClickAt(S.Button());
        },
        50);
    const std::vector<std::string> expected = {
        "text 01, caret 2, selected 0, focused",
        "text 012, caret 3, selected 0, focused",
        "click",
        "text 012, caret 3, selected 0, focused",
        "text 0123, caret 4, selected 0, focused",
        "click",
        "text 0123, caret 4, selected 0, focused",
    };
    EXPECT_EQ(injected, expected);

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const std::vector<std::string> typed = RunScript(
        [&](char Step, TScene& S) {
            if (Step != 0) {
                test::RunXdotool(display, std::string("key ") + Step);
                return;
            }
            test::ClickOnDisplay(display, S.Button());
        },
        400);
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
