// One script of clicks and keys through a date picker and its drop-down calendar, run twice:
// injected with no display, and typed by xdotool on an Xvfb display, where the calendar is a
// popup window of its own that holds the pointer. Both runs must leave the same record.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/datetimepicker.h"
#include "platform/ui/datetimepicker_testsupport.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/monthcal.h"
#include "platform/win/application.h"
#include "platform/win/capture.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using TRecord = std::vector<std::string>;

// A date picker holding 5 March 2024, 14:07, on a form; each change goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Date picker script");
        FForm->SetBounds(40, 50, 300, 260);
        FForm->Font().SetName(FixedFontName);
        FForm->Font().SetHeight(-12);
        FPicker->SetBounds(8, 8, 160, 22);
        FPicker->SetParent(FForm);
        FPicker->SetDateTime(ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(14, 7, 0, 0)));
        FPicker->OnChange = [this](TObject*) {
            Record.push_back("change " + FormatDateTime("yyyy-mm-dd hh:nn", FPicker->DateTime()));
        };
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        FPicker->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    // Screen points: the picker's button, and a day of the open calendar found by its own hit
    // test (of the month shown when flagged so).
    TPoint Button() {
        return FPicker->ClientToScreen(
            Point(FPicker->ClientWidth() - 6, FPicker->ClientHeight() / 2));
    }
    TPoint Day(uint16_t Month, uint16_t Day, UINT Flags = 0) {
        auto* calendar = dynamic_cast<TWinControl*>(FindControl(GetCapture()));
        if (calendar == nullptr) return Point(0, 0);
        const std::optional<TPoint> at = test::PointOfDay(
            calendar->Handle(), Point(calendar->ClientWidth(), calendar->ClientHeight()), Month,
            Day, Flags);
        return at ? calendar->ClientToScreen(*at) : Point(0, 0);
    }
    std::string State() {
        return FPicker->DisplayText() + " part " + std::to_string(FPicker->SelectedPart()) +
               (FPicker->DroppedDown() ? " open" : " closed") + ", capture " +
               (GetCapture() != 0 ? "held" : "free");
    }

    TRecord Record;

private:
    TForm* FForm = new TForm(nullptr);
    TDateTimePicker* FPicker = new TDateTimePicker(FForm);
};

struct TStep {
    std::function<TPoint(TScene&)> At;  // empty for keys
    std::vector<int32_t> Keys;          // VK_MENU holds Alt for the next key
    size_t Notes = 0;                   // changes the step makes
};

TStep Click(std::function<TPoint(TScene&)> At, size_t Notes) {
    return TStep{std::move(At), {}, Notes};
}
TStep Keys(std::vector<int32_t> Keys, size_t Notes) {
    return TStep{nullptr, std::move(Keys), Notes};
}

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        Click([](TScene& S) { return S.Button(); }, 0),
        Click([](TScene& S) { return S.Day(3, 20); }, 1),
        Keys({VK_MENU, VK_DOWN}, 0),
        Click([](TScene& S) { return S.Day(4, 2, MCHT_NEXT); }, 1),  // a greyed day
        Keys({VK_MENU, VK_DOWN}, 0),
        Keys({VK_RIGHT, VK_DOWN, VK_RETURN}, 1),
        Keys({VK_F4, VK_ESCAPE}, 0),
        Keys({VK_RIGHT, VK_UP}, 1),
        Keys({VK_HOME, '1', '2'}, 1),  // the month, and the caret moves on
        Keys({VK_HOME, '1', VK_RIGHT}, 1),
    };
    return script;
}

TRecord RunInjected() {
    TScene scene;
    return test::RunRecordedScriptInjected<TScene, TStep>(scene, Script(),
                                                          [](TScene& S, const TStep& Step) {
                                                              if (!Step.At) {
                                                                  test::InjectKeys(Step.Keys);
                                                                  return;
                                                              }
                                                              test::ClickAt(Step.At(S));
                                                          });
}

class DateTimePickerOnDisplay : public test::OnDisplayTest {
protected:
    TRecord RunTyped() {
        return RunKeysAndClicksOnDisplay<TScene, TStep>("Date picker script", Script());
    }
};

TEST_F(DateTimePickerOnDisplay, ClicksAndKeysOnTheDisplayDoWhatTheSameInputInjectedDoes) {
    const TRecord injected = RunInjected();
    const TRecord expected = {
        "3/5/24 part 0 open, capture held",
        "change 2024-03-20 14:07",
        "3/20/24 part 0 closed, capture free",
        "3/20/24 part 0 open, capture held",
        "change 2024-04-02 14:07",
        "4/2/24 part 0 closed, capture free",
        "4/2/24 part 0 open, capture held",
        "change 2024-04-10 14:07",
        "4/10/24 part 0 closed, capture free",
        "4/10/24 part 0 closed, capture free",
        "change 2024-04-11 14:07",
        "4/11/24 part 1 closed, capture free",
        "change 2024-12-11 14:07",
        "12/11/24 part 1 closed, capture free",
        "change 2024-01-11 14:07",
        "1/11/24 part 1 closed, capture free",
    };
    EXPECT_EQ(injected, expected);
    const TRecord typed = RunTyped();
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
