#include "platform/ui/finddialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/form.h"
#include "platform/ui/groupbox.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/messagedialog.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/application.h"
#include "platform/win/focus.h"
#include "platform/win/modaldriver.h"
#include "platform/win/window.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

template <class T>
T& Part(TFindDialog& Dialog, const std::string& Name) {
    auto* part = dynamic_cast<T*>(Dialog.Form()->FindComponent(Name));
    if (part == nullptr) throw std::runtime_error("the dialog has no " + Name);
    return *part;
}

void Click(TFindDialog& Dialog, const std::string& Name) {
    TControl& part = Part<TControl>(Dialog, Name);
    test::ClickAt(part, Point(part.Width() / 2, part.Height() / 2));
}

// The words an option set is told by in the expectations.
std::string Words(TFindOptions Options) {
    static const char* names[] = {"down",    "findnext",   "hideupdown", "matchcase",
                                  "replace", "replaceall", "wholeword"};
    std::string words;
    for (int o = frDown; o <= frWholeWord; ++o)
        if (Options.Contains(static_cast<TFindOption>(o)))
            words += (words.empty() ? "" : " ") + std::string(names[o]);
    return words;
}

// A find and a replace dialog whose events are written into a log with the options they saw.
class FindDialog : public testing::Test {
protected:
    FindDialog() {
        for (TFindDialog* dialog : {&FFind, static_cast<TFindDialog*>(&FReplace)}) {
            dialog->OnFind = [this](TObject* Sender) { Note("find", Sender); };
            dialog->OnClose = [this](TObject* Sender) { Note("close", Sender); };
        }
        FReplace.OnReplace = [this](TObject* Sender) { Note("replace", Sender); };
    }
    ~FindDialog() override { test::ReleaseAllKeys(); }

    void Note(const std::string& Event, TObject* Sender) {
        auto* dialog = static_cast<TFindDialog*>(Sender);
        FLog.push_back(Event + " '" + dialog->FindText() + "' " + Words(dialog->Options()));
    }

    TFindDialog FFind{nullptr};
    TReplaceDialog FReplace{nullptr};
    std::vector<std::string> FLog;
};

TEST_F(FindDialog, TheButtonsWaitForAFindTextAndEnterFindsOnlyThen) {
    FFind.Execute();
    Application().ProcessMessages();
    const auto enabled = [&] { return Part<TButton>(FFind, "FindNext").Enabled(); };
    EXPECT_FALSE(enabled());
    test::PressKey(VK_RETURN);
    EXPECT_TRUE(FLog.empty()) << "Enter with no find text does nothing";
    EXPECT_TRUE(FFind.Form()->Visible());

    test::TypeText("spam");
    EXPECT_TRUE(enabled());
    test::PressKey(VK_RETURN);
    for (int i = 0; i < 4; ++i)
        test::PressKey(VK_BACK);
    EXPECT_FALSE(enabled());
    test::PressKey(VK_RETURN);
    EXPECT_EQ(FLog, std::vector<std::string>{"find 'spam' down findnext"});

    FReplace.Execute();
    Application().ProcessMessages();
    for (const char* name : {"FindNext", "Replace", "ReplaceAll"})
        EXPECT_FALSE(Part<TButton>(FReplace, name).Enabled()) << name;
    FReplace.SetFindText("ham");
    for (const char* name : {"FindNext", "Replace", "ReplaceAll"})
        EXPECT_TRUE(Part<TButton>(FReplace, name).Enabled()) << name;
}

// A handler that repeats while frReplaceAll is in the options (as a replace-all loop does)
// must see it only after Replace All, whatever the options held before.
TEST_F(FindDialog, EachButtonLeavesItsOwnFlagInTheOptionsItsEventSees) {
    FFind.SetOptions({frHideUpDown, frReplace, frReplaceAll});
    FFind.SetFindText("viagra");
    FFind.SetPosition(Point(0, 0));  // apart, so that a click finds what it aims at
    FReplace.SetPosition(Point(0, 300));
    FFind.Execute();
    FReplace.SetFindText("free");
    FReplace.SetReplaceText("paid");
    FReplace.SetOptions({frDown, frReplaceAll});
    FReplace.Execute();
    Application().ProcessMessages();
    const struct {
        TFindDialog* Dialog;
        const char* Part;
        const char* Logged;  // nullptr: nothing is told
    } steps[] = {
        {&FFind, "FindNext", "find 'viagra' findnext hideupdown"},
        {&FFind, "MatchCase", nullptr},
        {&FFind, "FindNext", "find 'viagra' findnext hideupdown matchcase"},
        {&FReplace, "Replace", "replace 'free' down replace"},
        {&FReplace, "WholeWord", nullptr},
        {&FReplace, "ReplaceAll", "replace 'free' down replaceall wholeword"},
        {&FReplace, "FindNext", "find 'free' down findnext wholeword"},
        {&FReplace, "WholeWord", nullptr},
        {&FReplace, "Replace", "replace 'free' down replace"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Part);
        FLog.clear();
        Click(*step.Dialog, step.Part);
        EXPECT_EQ(FLog,
                  step.Logged ? std::vector<std::string>{step.Logged} : std::vector<std::string>{});
    }
    EXPECT_EQ(FReplace.ReplaceText(), "paid");
    EXPECT_FALSE(Part<TGroupBox>(FFind, "Direction").Visible());
}

TEST_F(FindDialog, TheDirectionIsOneOfUpAndDown) {
    FFind.SetFindText("x");
    FFind.Execute();
    Application().ProcessMessages();
    const struct {
        const char* Click;
        bool Up, Down;
        const char* Logged;
    } steps[] = {
        {"Up", true, false, "find 'x' findnext"},
        {"Up", true, false, "find 'x' findnext"},
        {"Down", false, true, "find 'x' down findnext"},
    };
    for (const auto& step : steps) {
        Click(FFind, step.Click);
        EXPECT_EQ(Part<TCustomCheckBox>(FFind, "Up").Checked(), step.Up);
        EXPECT_EQ(Part<TCustomCheckBox>(FFind, "Down").Checked(), step.Down);
        FLog.clear();
        Click(FFind, "FindNext");
        EXPECT_EQ(FLog, std::vector<std::string>{step.Logged}) << step.Click;
    }
}

TEST_F(FindDialog, StaysOpenBesideAnotherFormAndClosesOnceHoweverItIsClosed) {
    test::TListScene other;
    auto* edit = other.Add<TEdit>(other.Form, Rect(8, 8, 200, 30));
    const struct {
        const char* Way;
        std::function<void()> Close;
    } ways[] = {
        {"Cancel", [&] { Click(FFind, "Cancel"); }},
        {"Escape", [] { test::PressKey(VK_ESCAPE); }},
        {"the close box",
         [&] {
             SendMessage(FFind.Form()->Handle(), WM_CLOSE, 0, 0);
             Application().ProcessMessages();
         }},
        {"CloseDialog", [&] { FFind.CloseDialog(); }},
    };
    FFind.SetFindText("spam");
    FFind.SetPosition(Point(40, 50));
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Way);
        FLog.clear();
        EXPECT_TRUE(FFind.Execute());
        Application().ProcessMessages();
        EXPECT_EQ(FFind.Position(), Point(40, 50)) << "shows where it was";
        EXPECT_EQ(GetFocus(), Part<TEdit>(FFind, "FindText").Handle());

        // Another form takes keys while the dialog stays open.
        test::ClickAt(*edit, Point(5, 5));
        test::TypeText("ok");
        EXPECT_EQ(edit->Text(), "ok");
        edit->SetText("");
        EXPECT_TRUE(FFind.Form()->Visible());

        FFind.Execute();
        Application().ProcessMessages();
        way.Close();
        EXPECT_FALSE(FFind.Form()->Visible());
        FFind.CloseDialog();  // closed already: nothing more
        EXPECT_EQ(FLog, std::vector<std::string>{"close 'spam' down"});
    }
}

// A search that finds nothing more says so in a message box from OnFind; the next Enter goes to
// the dialog again.
TEST_F(FindDialog, AMessageFromItsEventLeavesItReadyForTheNextEnter) {
    FFind.OnFind = [this](TObject* Sender) {
        Note("find", Sender);
        TModalScript script;
        script.Then([] { test::TapKey(VK_RETURN); });
        MessageDlg("No more matches.", mtInformation, {mbOK}, 0);
    };
    FFind.SetFindText("spam");
    FFind.Execute();
    Application().ProcessMessages();
    test::PressKey(VK_RETURN);
    test::PressKey(VK_RETURN);
    EXPECT_EQ(FLog, std::vector<std::string>(2, "find 'spam' down findnext"));
    EXPECT_EQ(GetFocus(), Part<TEdit>(FFind, "FindText").Handle());
}

TEST_F(FindDialog, WhatTheProgramSetsWhileItShowsReachesTheForm) {
    FReplace.Execute();
    Application().ProcessMessages();
    FReplace.SetFindText("lottery");
    FReplace.SetReplaceText("prize");
    FReplace.SetOptions({frMatchCase, frWholeWord});
    EXPECT_EQ(Part<TEdit>(FReplace, "FindText").Text(), "lottery");
    EXPECT_EQ(Part<TEdit>(FReplace, "ReplaceText").Text(), "prize");
    EXPECT_TRUE(Part<TCheckBox>(FReplace, "MatchCase").Checked());
    EXPECT_TRUE(Part<TCheckBox>(FReplace, "WholeWord").Checked());
    EXPECT_EQ(FReplace.Options(), (TFindOptions{frMatchCase, frWholeWord}));
    EXPECT_EQ(FReplace.Form()->FindComponent("Direction"), nullptr);

    FReplace.SetPosition(Point(100, 120));
    EXPECT_EQ(Point(FReplace.Form()->Left(), FReplace.Form()->Top()), Point(100, 120));
}

// A program may free the dialog from its own event (a search window that goes with its text);
// the press, key or close that fired the event must not touch the freed form after.
TEST(FindDialogFreed, ByItsOwnEventIsNotTouchedAfter) {
    const struct {
        const char* Way;
        std::function<void(TFindDialog&)> Fire;
    } ways[] = {
        {"Find Next", [](TFindDialog& Dialog) { Click(Dialog, "FindNext"); }},
        {"Enter", [](TFindDialog&) { test::PressKey(VK_RETURN); }},
        {"Replace All", [](TFindDialog& Dialog) { Click(Dialog, "ReplaceAll"); }},
        {"Cancel", [](TFindDialog& Dialog) { Click(Dialog, "Cancel"); }},
        {"Escape", [](TFindDialog&) { test::PressKey(VK_ESCAPE); }},
        {"the close box",
         [](TFindDialog& Dialog) { SendMessage(Dialog.Form()->Handle(), WM_CLOSE, 0, 0); }},
        {"CloseDialog", [](TFindDialog& Dialog) { Dialog.CloseDialog(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Way);
        auto* dialog = new TReplaceDialog(nullptr);
        bool freed = false;
        // The handler goes with the dialog: it touches nothing of its own after the delete.
        const auto free = [&](TObject*) {
            freed = true;
            delete std::exchange(dialog, nullptr);
        };
        dialog->OnFind = free;
        dialog->OnReplace = free;
        dialog->OnClose = free;
        dialog->SetFindText("spam");
        dialog->Execute();
        Application().ProcessMessages();
        way.Fire(*dialog);
        Application().ProcessMessages();
        EXPECT_TRUE(freed);
        if (!freed) delete dialog;
        test::ReleaseAllKeys();
    }
}

TEST_F(FindDialog, ShowsAsAPersonWouldSeeIt) {
    FFind.SetFindText("free offer");
    FFind.SetOptions({frDown, frMatchCase});
    FReplace.SetFindText("free offer");
    FReplace.SetReplaceText("spam");
    for (TFindDialog* dialog : {&FFind, static_cast<TFindDialog*>(&FReplace)}) {
        dialog->Execute();
        test::PumpUntilIdle();
        TBitmap picture;
        PictureOfWindow(dialog->Form()->Handle(), picture);
        EXPECT_GT(picture.Width(), 0);
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            SaveWindowPicture(dialog->Form()->Handle(),
                              std::string(dir) + "/" + dialog->Form()->Caption() + ".png");
    }
}

}  // namespace
}  // namespace vex
