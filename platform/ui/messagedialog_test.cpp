#include "platform/ui/messagedialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/customedit.h"
#include "platform/ui/inputdialog.h"
#include "platform/ui/label.h"
#include "platform/ui/screen.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/focus.h"
#include "platform/win/keyboard.h"
#include "platform/win/messageloop.h"
#include "platform/win/modaldriver.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

// The dialog running modally now: the active form.
TCustomForm& RunningDialog() {
    TCustomForm* form = Screen().ActiveForm();
    if (form == nullptr || !form->Modal()) throw std::runtime_error("no dialog runs");
    return *form;
}

template <class T>
T& Part(TCustomForm& Dialog, const std::string& Name) {
    auto* part = dynamic_cast<T*>(Dialog.FindComponent(Name));
    if (part == nullptr) throw std::runtime_error("the dialog has no " + Name);
    return *part;
}

// Presses the named button with the mouse, as a person would: down and up over its middle.
void Press(const std::string& Name) {
    TWinControl& button = Part<TWinControl>(RunningDialog(), Name);
    const LPARAM middle = MAKELONG(static_cast<uint16_t>(button.Width() / 2),
                                   static_cast<uint16_t>(button.Height() / 2));
    PostMessage(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessage(button.Handle(), WM_LBUTTONUP, 0, middle);
}

// A dialog key as the form's navigation hands it to the buttons, after what waits already.
void DialogKey(WPARAM Key) {
    RunOnMainThread([Key] {
        TMessage message{CM_DIALOGKEY, Key, 0, 0};
        RunningDialog().Broadcast(message);
    });
}

// A letter typed with Alt (or without, over no field), as the form hands it to its controls.
void DialogChar(char Letter) {
    RunOnMainThread([Letter] { RunningDialog().Perform(CM_DIALOGCHAR, Letter, 0); });
}

TEST(MessageDialog, AnswersTheResultOfTheButtonPressed) {
    struct TCase {
        TMsgDlgButtons Buttons;
        std::function<void()> Act;
        int32_t Expected;
    };
    const std::vector<TCase> cases = {
        {{mbOK}, [] { Press("OK"); }, mrOk},
        {mbOKCancel, [] { Press("Cancel"); }, mrCancel},
        {mbYesNo, [] { Press("No"); }, mrNo},
        {mbYesNoCancel, [] { Press("Yes"); }, mrYes},
        {mbAbortRetryIgnore, [] { Press("Retry"); }, mrRetry},
        {mbYesNo + TMsgDlgButtons{mbNoToAll}, [] { Press("NoToAll"); }, mrNoToAll},
        // Enter presses OK, else Yes; Escape presses Cancel, else No, else OK.
        {mbOKCancel, [] { DialogKey(VK_RETURN); }, mrOk},
        {mbYesNoCancel, [] { DialogKey(VK_RETURN); }, mrYes},
        {mbYesNoCancel, [] { DialogKey(VK_ESCAPE); }, mrCancel},
        {mbYesNo, [] { DialogKey(VK_ESCAPE); }, mrNo},
        {{mbOK}, [] { DialogKey(VK_ESCAPE); }, mrOk},
        // The underlined letter of a caption presses its button.
        {mbYesNoCancel, [] { DialogChar('n'); }, mrNo},
        {mbAbortRetryIgnore, [] { DialogChar('I'); }, mrIgnore},
        {mbYesNo,
         [] {
             const HWND no = Part<TWinControl>(RunningDialog(), "No").Handle();
             PostMessage(no, WM_KEYDOWN, VK_SPACE, 0);
             PostMessage(no, WM_KEYUP, VK_SPACE, 0);
         },
         mrNo},
        {mbYesNo,
         [] {  // Enter on a focused button presses that one, not the default
             const HWND no = Part<TWinControl>(RunningDialog(), "No").Handle();
             SetFocus(no);
             PostMessage(no, WM_KEYDOWN, VK_RETURN, 0);
         },
         mrNo},
        {mbYesNo, [] {}, mrCancel},  // nothing pressed: the run ends without an answer
        {mbYesNo,
         [] {  // pressed, but released off the button: no answer
             const HWND yes = Part<TWinControl>(RunningDialog(), "Yes").Handle();
             PostMessage(yes, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(5, 5));
             PostMessage(yes, WM_LBUTTONUP, 0, MAKELONG(static_cast<uint16_t>(-4), 5));
         },
         mrCancel},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        TModalScript script;
        script.Then(cases[i].Act);
        EXPECT_EQ(MessageDlg("Delete the marked messages?", mtConfirmation, cases[i].Buttons, 0),
                  cases[i].Expected);
    }
}

TEST(MessageDialog, IsLaidOutWithCaptionIconTextAndACentredButtonRow) {
    struct TCase {
        TMsgDlgType Type;
        const char* Caption;
        bool HasIcon;
    };
    const std::vector<TCase> cases = {
        {mtWarning, "Warning", true},         {mtError, "Error", true},
        {mtInformation, "Information", true}, {mtConfirmation, "Confirmation", true},
        {mtCustom, nullptr, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Type);
        const std::unique_ptr<TForm> dialog(
            CreateMessageDialog("Field not found in Table.", c.Type, mbYesNoCancel));
        EXPECT_EQ(dialog->Caption(), c.Caption != nullptr ? c.Caption : Application().Title());
        EXPECT_EQ(dialog->BorderStyle(), bsDialog);
        EXPECT_EQ(dialog->FindComponent("Image") != nullptr, c.HasIcon);
        auto& text = Part<TLabel>(*dialog, "Message");
        EXPECT_EQ(text.Caption(), "Field not found in Table.");
        const int32_t left = Part<TControl>(*dialog, "Yes").Left();
        const int32_t right = Part<TControl>(*dialog, "Cancel").BoundsRect().Right;
        EXPECT_LT(Part<TControl>(*dialog, "Yes").Left(), Part<TControl>(*dialog, "No").Left());
        EXPECT_NEAR(left, dialog->ClientWidth() - right, 1) << "the row is centred";
        EXPECT_GT(Part<TControl>(*dialog, "Yes").Top(), text.BoundsRect().Bottom);
        EXPECT_LE(text.BoundsRect().Right, dialog->ClientWidth());
    }
}

TEST(MessageDialog, AnEmptyOrHugeTextKeepsTheDialogAndItsButtonsOnTheScreen) {
    std::string manyLines;
    for (int i = 0; i < 400; ++i)
        manyLines += "Mailbox " + std::to_string(i) + " could not be reached.\r\n";
    const std::vector<std::string> texts = {"", manyLines, std::string(20000, 'x')};
    const TRect work = Screen().WorkAreaRect();
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size());
        const std::unique_ptr<TForm> dialog(CreateMessageDialog(text, mtError, mbOKCancel));
        EXPECT_LE(dialog->Width(), work.Right - work.Left);
        EXPECT_LE(dialog->Height(), work.Bottom - work.Top);
        const TRect cancel = Part<TControl>(*dialog, "Cancel").BoundsRect();
        EXPECT_LE(cancel.Right, dialog->ClientWidth());
        EXPECT_LE(cancel.Bottom, dialog->ClientHeight());
        EXPECT_LE(Part<TControl>(*dialog, "Message").BoundsRect().Bottom, cancel.Top);
    }
}

TEST(MessageDialog, MessageDlgPosPutsTheCornerWhereAsked) {
    std::vector<TRect> seen;
    for (auto [x, y] : {std::pair{20, 30}, std::pair{-1, 40}}) {
        TModalScript script;
        script.Then([&] {
            TRect r;
            GetWindowRect(RunningDialog().Handle(), r);
            seen.push_back(r);
        });
        MessageDlgPos("Placed", mtInformation, {mbOK}, 0, x, y);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Left, 20);
    EXPECT_EQ(seen[0].Top, 30);
    const int32_t width = seen[1].Right - seen[1].Left;
    EXPECT_NEAR(seen[1].Left, (Screen().Width() - width) / 2, 1) << "centred across";
    EXPECT_EQ(seen[1].Top, 40);
}

TEST(MessageDialog, ShowsAsAPersonWouldSeeIt) {
    TModalScript script;
    script.Then([] {
        TCustomForm& dialog = RunningDialog();
        TBitmap picture;
        test::PumpUntilIdle();
        PictureOfWindow(dialog.Handle(), picture);
        EXPECT_GT(picture.Width(), 0);
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            SaveWindowPicture(dialog.Handle(), std::string(dir) + "/messagedialog.png");
        Press("No");
    });
    EXPECT_EQ(MessageDlg("The rule list has changed.\nSave the changes before closing?", mtWarning,
                         mbYesNoCancel, 0),
              mrNo);
}

TEST(DialogButton, EnterAndEscapePassOverAButtonThatCannotBeUsed) {
    struct TCase {
        const char* Name;
        std::function<void(TButton&)> Change;
        bool Clicks;
    };
    const std::vector<TCase> cases = {
        {"usable", [](TButton&) {}, true},
        {"disabled", [](TButton& B) { B.SetEnabled(false); }, false},
        {"hidden", [](TButton& B) { B.SetVisible(false); }, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm form(nullptr);
        form.Show();
        TButton* button = AddDialogButton(form, mbOK, Rect(10, 10, 85, 35));
        button->SetDefault(true);
        button->SetCancel(true);
        c.Change(*button);
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            form.SetModalResult(mrNone);
            TMessage message{CM_DIALOGKEY, key, 0, 0};
            button->WndProc(message);
            EXPECT_EQ(message.Result != 0, c.Clicks) << key;
            EXPECT_EQ(form.ModalResult(), c.Clicks ? mrOk : mrNone) << key;
        }
    }
}

TEST(DialogButton, AKeyPressLeftByTheFocusClicksNothingLater) {
    TForm form(nullptr);
    form.Show();
    TButton* button = AddDialogButton(form, mbOK, Rect(10, 10, 85, 35));
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    button->Perform(WM_KEYDOWN, VK_SPACE, 0);
    button->Perform(WM_KILLFOCUS, 0, 0);  // Tab while Space is held
    button->Perform(WM_LBUTTONUP, 0, MAKELONG(5, 5));
    button->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form.ModalResult(), mrNone);
}

// Types Text into the box's field, a character at a time.
void Type(const std::string& Text) {
    auto& edit = Part<TEdit>(RunningDialog(), "Edit");
    // The field opens with its text selected; End goes on after it.
    PostMessage(edit.Handle(), WM_KEYDOWN, VK_END, 0);
    for (char c : Text)
        PostMessage(edit.Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
}

TEST(InputDialog, GivesTheTypedTextOnOkAndKeepsTheValueOtherwise) {
    struct TCase {
        const char* Name;
        std::function<void()> Act;
        bool Accepted;
        std::string Value;
    };
    const std::vector<TCase> cases = {
        {"typed and OK", [] { Type("\b\bbar"), Press("OK"); }, true, "barbbar"},
        {"Enter", [] { Type("!"), DialogKey(VK_RETURN); }, true, "barbaz!"},
        {"cancel", [] { Type("zzz"), Press("Cancel"); }, false, "barbaz"},
        {"Escape", [] { DialogKey(VK_ESCAPE); }, false, "barbaz"},
        {"nothing", [] {}, false, "barbaz"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TModalScript script;
        script.Then([] {
            EXPECT_EQ(RunningDialog().Caption(), "Server");
            EXPECT_EQ(Part<TLabel>(RunningDialog(), "Prompt").Caption(), "Host name:");
            EXPECT_EQ(Part<TEdit>(RunningDialog(), "Edit").Text(), "barbaz");
            EXPECT_EQ(Part<TEdit>(RunningDialog(), "Edit").SelLength(), 6);
        });
        script.Then(c.Act);
        std::string value = "barbaz";
        EXPECT_EQ(InputQuery("Server", "Host name:", value), c.Accepted);
        EXPECT_EQ(value, c.Value);
    }
    TModalScript script;
    script.Then([] {
        test::PumpUntilIdle();
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            SaveWindowPicture(RunningDialog().Handle(), std::string(dir) + "/inputbox.png");
        Press("Cancel");
    });
    EXPECT_EQ(InputBox("Server", "Host name:", "pop.example.org"), "pop.example.org");
}

TEST(InputDialog, TheFieldHasTheFocusWhenTheBoxOpens) {
    TModalScript script;
    HWND focused = 0;
    script.Then([&] {
        focused = GetFocus();
        EXPECT_EQ(focused, Part<TEdit>(RunningDialog(), "Edit").Handle());
        Press("Cancel");
    });
    InputBox("Server", "Host name:", "pop.example.org");
    EXPECT_NE(focused, HWND{0});
    script.Then([] {
        PostMessage(GetFocus(), WM_KEYDOWN, VK_END, 0);
        for (char c : std::string("\b\b\bnet"))
            PostMessage(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 0);
        PostMessage(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(InputBox("Server", "Host name:", "pop.example.org"), "pop.example.net");
}

TEST(InputDialog, TheFieldHoldsABoundedLineOfPrintableText) {
    TEdit edit(nullptr);
    edit.SetMaxLength(255);
    const std::string typed = "a\tb\x01" + std::string(300, 'x') + "\b";
    for (char c : typed) {
        TMessage m{WM_CHAR, static_cast<unsigned char>(c), 0, 0};
        edit.WndProc(m);
    }
    EXPECT_EQ(edit.Text(), "ab" + std::string(255 - 3, 'x'));
}

TEST(InputDialog, TheFieldShowsTheEndOfATextTooWideForIt) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    form.Show();
    for (const std::string& text :
         {std::string("W"), std::string(200, ' ') + "pop3.example.org/Wide"}) {
        SCOPED_TRACE(text.size());
        edit->SetText(text);
        // Where typing goes on, as the dialog's field shows it.
        edit->SetSelStart(static_cast<int32_t>(text.size()));
        test::PumpUntilIdle();
        TBitmap picture;
        PictureOfWindow(edit->Handle(), picture);
        // Inside the sunken edge: the last letter, where typing goes on, and the caret after it.
        int dark = 0;
        for (int32_t y = 3; y < picture.Height() - 3; ++y)
            for (int32_t x = 3; x < picture.Width() - 3; ++x)
                if (picture.Canvas().Pixels(x, y) == clWindowText ||
                    picture.Canvas().Pixels(x, y) == clBlack)
                    ++dark;
        EXPECT_GT(dark, 0);
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            SaveWindowPicture(edit->Handle(), std::string(dir) + "/longfield.png");
    }
}

}  // namespace
}  // namespace vex
