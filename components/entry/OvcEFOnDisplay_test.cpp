// An entry field driven by one script twice: injected with no display, and by xdotool on an
// Xvfb display. Typing, Shift+arrows, Ctrl+C and the field's own menu chosen with the mouse
// leave the same text, selection and clipboard at either; xclip reads the clipboard back.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "components/entry/OvcEF.h"
#include "components/entry/ovcef_testsupport.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/toplevel.h"
#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using namespace std::chrono_literals;

// A form with two fields, the first focused.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Entry field script");
        FForm->SetBounds(40, 50, 240, 120);
        new TOvcController(FForm);
        Field = new test::TPlainEntryField(FForm);
        Field->SetBounds(10, 10, 150, 24);
        Field->SetParent(FForm);
        auto* other = new test::TPlainEntryField(FForm);
        other->SetBounds(10, 50, 150, 24);
        other->SetParent(FForm);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        Field->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TPoint InField() const { return Field->ClientToScreen(Point(40, Field->Height() / 2)); }
    std::string State() const {
        return "text " + Field->EditText() + ", selected " +
               std::to_string(Field->SelectionStart()) + "-" +
               std::to_string(Field->SelectionEnd()) +
               (Field->Focused() ? ", focused" : ", not focused");
    }

    test::TPlainEntryField* Field;
    std::vector<std::string> Record;

private:
    TForm* FForm = new TForm(nullptr);
};

struct TStep {
    enum TKind { Keys, Menu, Choose } Kind;
    std::vector<int32_t> KeyList;
    const char* Item = nullptr;
};

const std::vector<TStep>& Script() {
    static const std::vector<TStep> steps = {
        {TStep::Keys, {'H', 'E', 'L', 'L', 'O'}},
        {TStep::Keys, {VK_SHIFT, VK_LEFT, VK_SHIFT, VK_LEFT}},
        {TStep::Keys, {VK_CONTROL, 'C'}},
        {TStep::Menu, {}},
        {TStep::Choose, {}, "Delete"},
        {TStep::Menu, {}},
        {TStep::Choose, {}, "Select All"},
    };
    return steps;
}

const std::vector<std::string> kExpected = {
    "text hello, selected 0-0, focused", "text hello, selected 3-5, focused",
    "text hello, selected 3-5, focused", "text hello, selected 3-5, focused",
    "text hel, selected 0-0, focused",   "text hel, selected 0-0, focused",
    "text hel, selected 0-3, focused",
};

class EntryFieldOnDisplay : public test::OnDisplayTest {
protected:
    std::string XclipOut() { return test::XclipOut(FFiles); }

    test::TempDir FFiles;
    test::TFixedMenuFont FMenuFont;
};

TEST_F(EntryFieldOnDisplay, TypingSelectingCopyingAndTheMenuDoTheSameOnTheDisplayAsInjected) {
    const std::vector<std::string> injected = test::RunModalSteps<TScene>(
        Script(),
        [](const TStep& Step, TScene& S) {
            if (Step.Kind == TStep::Keys)
                test::InjectKeys(Step.KeyList);
            else if (Step.Kind == TStep::Menu)
                test::ClickAt(S.InField(), mbRight);
            else
                test::ClickAt(test::ItemCentre(Step.Item));
        },
        50);
    EXPECT_EQ(injected, kExpected);
    EXPECT_EQ(test::ClipboardText(), "lo");
    test::ReleaseAllKeys();
    test::SetClipboardText("");

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const std::vector<std::string> typed = test::RunModalSteps<TScene>(
        Script(),
        [&](const TStep& Step, TScene& S) {
            if (Step.Kind == TStep::Keys)
                test::TypeOnDisplay(display, Step.KeyList);
            else if (Step.Kind == TStep::Menu)
                test::ClickOnDisplay(display, S.InField(), 3);
            else
                test::ClickOnDisplay(display, test::ItemCentre(Step.Item));
        },
        400);
    EXPECT_EQ(typed, injected);
    // The scene is gone, the copy stays the process's to give until another program takes it.
    EXPECT_EQ(XclipOut(), "lo");
}

}  // namespace
}  // namespace vex
