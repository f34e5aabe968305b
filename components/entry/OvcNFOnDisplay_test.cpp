// A numeric field driven by one script twice: injected with no display, and by xdotool on an
// Xvfb display. Digits typed enter from the right; Tab with a value out of range reports the
// error through the controller and the field keeps the focus, the same at either.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "components/entry/OvcBase.h"
#include "components/entry/OvcNF.h"
#include "components/entry/ovcnf_testsupport.h"
#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

// A form with the field (range 2 to 600) focused and a button after it; each error the
// controller reports goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Numeric field script");
        FForm->SetBounds(40, 50, 240, 120);
        auto* controller = new TOvcController(FForm);
        controller->OnError = [this](TObject*, uint16_t Code, const std::string&) {
            Record.push_back("error " + std::to_string(Code));
        };
        Field = new TOvcNumericField(FForm);
        Field->SetRangeLo("2");
        Field->SetRangeHi("600");
        Field->SetBounds(10, 10, 120, 24);
        Field->SetParent(FForm);
        auto* button = new TButton(FForm);
        button->SetBounds(10, 50, 80, 24);
        button->SetParent(FForm);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        Field->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    std::string State() const {
        std::string shown = Field->GetDisplayString();
        shown.erase(0, shown.find_first_not_of(' '));
        return "shows " + shown + (test::HasFocus(*Field) ? ", focused" : ", not focused");
    }

    TOvcNumericField* Field;
    std::vector<std::string> Record;

private:
    TForm* FForm = new TForm(nullptr);
};

// The field takes the focus back with its text selected, so Backspace clears the number.
const int32_t kScript[] = {'7', '0', '0', VK_TAB, VK_BACK, '5', VK_TAB};

std::vector<std::string> RunScript(const std::function<void(int32_t)>& Deliver, int64_t Settle) {
    return test::RunModalSteps<TScene>(
        kScript, [&](int32_t Key, TScene&) { Deliver(Key); }, Settle);
}

class OvcNFOnDisplay : public test::OnDisplayTest {};

TEST_F(OvcNFOnDisplay, AValueOutOfRangeIsReportedAndKeepsTheFocusOnTheDisplayAsInjected) {
    const std::vector<std::string> injected =
        RunScript([](int32_t Key) { test::InjectKeys({Key}); }, 50);
    const std::vector<std::string> expected = {
        "shows 7, focused",   "shows 70, focused", "shows 700, focused", "error 256",
        "shows 700, focused", "shows 0, focused",  "shows 5, focused",   "shows 5, not focused",
    };
    EXPECT_EQ(injected, expected);

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const std::vector<std::string> typed =
        RunScript([&](int32_t Key) { test::TypeOnDisplay(display, {Key}); }, 400);
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
