// One script typed into an edit and a memo twice: injected with no display, and typed by
// xdotool on an Xvfb display, with the clipboard shared with xclip there. A person at either
// would see the same text, the same selection and the same clipboard.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/customedit.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/memo.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/clipboard.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"
#include "platform/win/x11/x11presenter.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using namespace std::chrono_literals;

constexpr const char* kFromOutside = "from xclip";

// One step: a click in the middle of a control, keys (a modifier held for the key after it), or
// the other program's text put on the clipboard.
struct TStep {
    enum TKind { Click, Press, Outside } Kind;
    std::string Target;
    std::vector<int32_t> Keys;
};

std::vector<int32_t> Letters(const std::string& Text) {
    std::vector<int32_t> keys;
    for (char c : Text)
        keys.push_back(std::toupper(static_cast<unsigned char>(c)));
    return keys;
}

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = {
        {TStep::Click, "edit", {}},
        {TStep::Press, "", Letters("hello")},
        {TStep::Press, "", {VK_SHIFT, VK_LEFT, VK_SHIFT, VK_LEFT}},
        {TStep::Press, "", {VK_CONTROL, 'C'}},
        {TStep::Press, "", {VK_HOME}},
        {TStep::Outside, "", {}},
        {TStep::Press, "", {VK_CONTROL, 'V'}},
        {TStep::Click, "memo", {}},
        {TStep::Press, "", Letters("ab")},
        {TStep::Press, "", {VK_RETURN}},
        {TStep::Press, "", Letters("cd")},
        {TStep::Press, "", {VK_OEM_PERIOD, VK_OEM_COMMA}},
    };
    return script;
}

class TScene {
public:
    TScene() {
        FForm->SetCaption("Edits");
        FForm->SetBounds(40, 50, 300, 200);
        FEdit->SetBounds(10, 10, 200, 21);
        FEdit->SetParent(FForm);
        FMemo->SetBounds(10, 50, 200, 100);
        FMemo->SetParent(FForm);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TPoint Middle(const std::string& Name) {
        TControl* control = Name == "edit" ? static_cast<TControl*>(FEdit) : FMemo;
        return control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
    }
    // What a person sees: both texts, the edit's selection and where the focus is.
    std::string State() {
        return FEdit->Text() + "|" + std::to_string(FEdit->SelStart()) + "+" +
               std::to_string(FEdit->SelLength()) + "|" + FMemo->Text() + "|" +
               (GetFocus() == FEdit->Handle()   ? "edit"
                : GetFocus() == FMemo->Handle() ? "memo"
                                                : "other");
    }

private:
    TForm* FForm = new TForm(nullptr);
    TEdit* FEdit = new TEdit(FForm);
    TMemo* FMemo = new TMemo(FForm);
};

std::string ClipboardText() {
    if (!OpenClipboard(0)) return "(busy)";
    const std::string* text = GetClipboardData(CF_TEXT);
    const std::string result = text != nullptr ? *text : "(none)";
    CloseClipboard();
    return result;
}

// The states after each step, and the clipboard after the copy.
std::vector<std::string> RunScript(TScene& Scene,
                                   const std::function<void(TScene&, const TStep&)>& Deliver,
                                   const std::function<void(TScene&, size_t)>& Settle) {
    std::vector<std::string> states;
    for (size_t i = 0; i < Script().size(); ++i) {
        Deliver(Scene, Script()[i]);
        Settle(Scene, i);
        states.push_back(Scene.State());
    }
    return states;
}

std::vector<std::string> RunInjected(std::string& Copied) {
    TScene scene;
    Application().ProcessMessages();
    std::vector<std::string> states = RunScript(
        scene,
        [&](TScene& S, const TStep& Step) {
            if (Step.Kind == TStep::Click) {
                test::ClickAt(S.Middle(Step.Target));
                return;
            }
            if (Step.Kind == TStep::Outside) {
                Copied = ClipboardText();
                ASSERT_TRUE(OpenClipboard(0));
                EmptyClipboard();
                SetClipboardData(CF_TEXT, kFromOutside);
                CloseClipboard();
                return;
            }
            test::InjectKeys(Step.Keys);
        },
        [](TScene&, size_t) { Application().ProcessMessages(); });
    test::ReleaseAllKeys();
    return states;
}

class EditsOnDisplay : public test::OnDisplayTest {
protected:
    std::string XclipOut() { return test::XclipOut(FFiles); }

    // Has xclip take the clipboard with Text, and hold it until it loses it.
    void XclipIn(const std::string& Text) { test::XclipIn(FPeer, FFiles, FHolder, Text); }

    std::vector<std::string> RunTyped(const std::vector<std::string>& Expected,
                                      std::string& Copied) {
        PresentOnDisplay();
        TScene scene;
        if (!WaitUntilShown("Edits")) return {};
        const std::string display = FServer.DisplayName();
        return RunScript(
            scene,
            [&](TScene& S, const TStep& Step) {
                if (Step.Kind == TStep::Click) {
                    test::ClickOnDisplay(display, S.Middle(Step.Target));
                    return;
                }
                if (Step.Kind == TStep::Outside) {
                    Copied = XclipOut();
                    XclipIn(kFromOutside);
                    return;
                }
                test::TypeOnDisplay(display, Step.Keys);
            },
            [&](TScene& S, size_t Step) {
                test::SettleUntil([&] { return S.State() == Expected[Step]; });
            });
    }

    test::TempDir FFiles;
    test::ChildProcess FHolder;
};

TEST_F(EditsOnDisplay, TypingSelectingAndTheClipboardDoTheSameAsInjectedInput) {
    std::string copiedInjected;
    const std::vector<std::string> injected = RunInjected(copiedInjected);
    ASSERT_EQ(injected.size(), Script().size());
    EXPECT_EQ(copiedInjected, "lo");
    EXPECT_EQ(injected.back(), "from xcliphello|10+0|ab\r\ncd.,|memo");
    std::string copiedTyped;
    const std::vector<std::string> typed = RunTyped(injected, copiedTyped);
    EXPECT_EQ(typed, injected);
    EXPECT_EQ(copiedTyped, copiedInjected);
}

}  // namespace
}  // namespace vex
