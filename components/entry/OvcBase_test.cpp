#include "components/entry/OvcBase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "platform/ui/label.h"
#include "platform/ui/screen.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/modaldriver.h"

namespace vex {
namespace {

using test::PumpUntilIdle;
using test::TShownForm;

TEST(OvcController, EpochTakesOnlyYearsFrom1600To3999) {
    struct TCase {
        int32_t Value;
        int32_t Expected;
    };
    const std::vector<TCase> cases = {
        {1599, 1900}, {1600, 1600}, {3999, 3999}, {4000, 1900}, {0, 1900}, {-1, 1900}, {1950, 1950},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Value);
        TOvcController controller(nullptr);
        controller.SetEpoch(c.Value);
        EXPECT_EQ(controller.Epoch(), c.Expected);
    }
}

// An entry field as far as the controller sees one: it announces pre-edit when it takes the
// focus and post-edit when it loses it, naming the other control.
class TFieldStandIn : public TOvcBase {
public:
    explicit TFieldStandIn(TComponent* AOwner) : TOvcBase(AOwner) { SetTabStop(true); }

protected:
    void WMSetFocus(TMessage& Message) override {
        Controller()->DoPreEdit(this, FindControl(static_cast<HWND>(Message.WParam)));
        TOvcBase::WMSetFocus(Message);
    }
    void WMKillFocus(TMessage& Message) override {
        TOvcBase::WMKillFocus(Message);
        Controller()->DoPostEdit(this, FindControl(static_cast<HWND>(Message.WParam)));
    }
};

TEST(OvcBase, FindsTheFirstControllerOfItsFormWhenItsWindowIsMade) {
    TShownForm form;
    auto* first = new TOvcController(form.Form);
    new TOvcController(form.Form);
    auto* field = form.Add<TFieldStandIn>(form.Form, Rect(5, 5, 80, 25));
    PumpUntilIdle();
    ASSERT_TRUE(field->HandleAllocated());
    EXPECT_EQ(field->Controller(), first);
    EXPECT_TRUE(field->ControllerAssigned());

    delete first;
    EXPECT_EQ(field->Controller(), nullptr) << "a freed controller is forgotten";
}

TEST(OvcBase, WithoutAControllerOnItsFormRaisesNoControllerAssigned) {
    TShownForm form;
    auto* field = new TFieldStandIn(form.Form);
    field->SetBoundsRect(Rect(5, 5, 80, 25));
    try {
        field->SetParent(form.Form);  // the shown form makes the field's window at once
        FAIL() << "no exception";
    } catch (const ENoControllerAssigned& e) {
        EXPECT_STREQ(e.what(), "No Controller assigned");
    }
    EXPECT_FALSE(field->HandleAllocated());
}

TEST(OvcBase, LinksAControllerAddedToItsOwnerLater) {
    TShownForm form;
    auto* field = new TFieldStandIn(form.Form);
    auto* controller = new TOvcController(form.Form);
    EXPECT_EQ(field->Controller(), controller);
}

// Two fields and a plain control on a shown form, every notification logged with where the
// focus stood when it ran.
class OvcFocusNotifications : public ::testing::Test {
protected:
    OvcFocusNotifications() {
        Controller = new TOvcController(Form.Form);
        A = Form.Add<TFieldStandIn>(Form.Form, Rect(5, 5, 80, 25));
        A->SetName("A");
        B = Form.Add<TFieldStandIn>(Form.Form, Rect(5, 35, 80, 55));
        B->SetName("B");
        for (TFieldStandIn* field : {A, B}) {
            field->AfterEnter = [this](TObject* Sender) { Note("enter", Sender); };
            field->AfterExit = [this](TObject* Sender) { Note("exit", Sender); };
        }
        Controller->OnPreEdit = [this](TObject* Sender, TWinControl* Other) {
            Note("pre", Sender, Other);
        };
        Controller->OnPostEdit = [this](TObject* Sender, TWinControl* Other) {
            Note("post", Sender, Other);
        };
        PumpUntilIdle();
    }

    void Note(const std::string& What, TObject* Sender, TWinControl* Other = nullptr) {
        std::string line = What + " " + static_cast<TComponent*>(Sender)->Name();
        if (Other != nullptr) line += " other " + Other->Name();
        TWinControl* focused = FindControl(vex::GetFocus());
        line += " focus " + (focused != nullptr ? focused->Name() : std::string("none"));
        Log.push_back(line);
    }

    TShownForm Form;
    TOvcController* Controller = nullptr;
    TFieldStandIn* A = nullptr;
    TFieldStandIn* B = nullptr;
    std::vector<std::string> Log;
};

TEST_F(OvcFocusNotifications, RunAfterTheFocusChangeInPostingOrder) {
    A->SetFocus();
    PumpUntilIdle();
    Log.clear();
    B->SetFocus();
    EXPECT_TRUE(Log.empty()) << "nothing runs inside the focus change";
    PumpUntilIdle();
    const std::vector<std::string> expected = {
        "exit A focus B",
        "post A other B focus B",
        "pre B other A focus B",
        "enter B focus B",
    };
    EXPECT_EQ(Log, expected);
}

TEST_F(OvcFocusNotifications, AFieldFreedBeforeItsNotificationArrivesIsNotReported) {
    A->SetFocus();
    PumpUntilIdle();
    Log.clear();
    B->SetFocus();
    delete A;
    PumpUntilIdle();
    const std::vector<std::string> expected = {"pre B focus B", "enter B focus B"};
    EXPECT_EQ(Log, expected);
}

TEST(OvcController, ForwardsEveryPoolTriggerToOnTimerTrigger) {
    TOvcController controller(nullptr);
    std::vector<int32_t> fired;
    controller.OnTimerTrigger = [&](TObject* Sender, int32_t Handle, uint16_t, int32_t) {
        EXPECT_EQ(Sender, &controller.TimerPool());
        fired.push_back(Handle);
    };
    const int32_t handle = controller.TimerPool().Add(nullptr, 60);
    TModalScript script;
    script.Wait(5000);  // the loop ends at the second trigger; a busy machine may be slow to it
    RunModalLoop([&] { return fired.size() >= 2; });
    ASSERT_GE(fired.size(), 2u);
    EXPECT_EQ(fired[0], handle);
}

TEST(OvcController, OnlyTheLinkedButtonsOrTheHandlersChoiceAreSpecial) {
    TShownForm form;
    auto* controller = new TOvcController(form.Form);
    std::vector<TWinControl*> buttons;
    for (int i = 0; i < 4; ++i)
        buttons.push_back(
            form.Add<test::TPlainPanel>(form.Form, Rect(5, 5 + 25 * i, 80, 25 + 25 * i)));
    controller->SetBtnCancel(buttons[0]);
    controller->SetBtnHelp(buttons[1]);
    controller->SetBtnRestore(buttons[2]);
    std::vector<HWND> handles;
    for (TWinControl* b : buttons)
        handles.push_back(b->Handle());

    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(controller->IsSpecialControl(handles[i])) << i;
    EXPECT_FALSE(controller->IsSpecialControl(handles[3]));

    TWinControl* asked = nullptr;
    controller->OnIsSpecialControl = [&](TObject* Sender, TWinControl* Control, bool& Special) {
        EXPECT_EQ(Sender, controller);
        asked = Control;
        Special = true;
    };
    EXPECT_TRUE(controller->IsSpecialControl(handles[3]));
    EXPECT_EQ(asked, buttons[3]);

    delete buttons[0];
    delete buttons[2];
    EXPECT_EQ(controller->BtnCancel(), nullptr);
    EXPECT_EQ(controller->BtnHelp(), buttons[1]);
    EXPECT_EQ(controller->BtnRestore(), nullptr);
}

TEST(OvcController, ButtonsOfAnotherOwnerAreForgottenWhenFreed) {
    TOvcController controller(nullptr);
    auto* button = new test::TPlainPanel(nullptr);
    controller.SetBtnHelp(button);
    delete button;
    EXPECT_EQ(controller.BtnHelp(), nullptr);
}

TEST(OvcController, ItsControlsAndButtonsOutliveItSafely) {
    auto* controller = new TOvcController(nullptr);
    auto* control = new TOvcBase(nullptr);
    auto* button = new test::TPlainPanel(nullptr);
    control->SetController(controller);
    controller->SetBtnCancel(button);
    auto* second = new TOvcController(nullptr);
    control->SetController(second);  // the first one still knows the control
    control->SetController(controller);
    delete second;
    EXPECT_EQ(control->Controller(), controller);
    delete controller;
    EXPECT_EQ(control->Controller(), nullptr);
    delete button;
    delete control;
}

TEST(OvcController, ReportsAnErrorToOnErrorOrElseInAnErrorDialog) {
    TOvcController controller(nullptr);
    std::string dialogText;
    std::string caption;
    {
        TModalScript script;
        script.Then([&] {
            TCustomForm* dialog = Screen().ActiveForm();
            ASSERT_NE(dialog, nullptr);
            caption = dialog->Caption();
            dialogText = static_cast<TLabel*>(dialog->FindComponent("Message"))->Caption();
            EXPECT_NE(dialog->FindComponent("OK"), nullptr);
            EXPECT_EQ(dialog->FindComponent("Cancel"), nullptr);
            dialog->SetModalResult(mrOk);
        });
        controller.DoOnError(&controller, 3, "Value out of range");
        EXPECT_EQ(script.Pending(), 0u);
    }
    EXPECT_EQ(dialogText, "Value out of range");
    EXPECT_EQ(caption, "Error");

    uint16_t code = 0;
    std::string text;
    controller.OnError = [&](TObject*, uint16_t ErrorCode, const std::string& ErrorMsg) {
        code = ErrorCode;
        text = ErrorMsg;
    };
    TModalScript noDialog;  // a dialog would run out of script and fail the count below
    controller.DoOnError(&controller, 32768, "Required field");
    EXPECT_EQ(code, 32768);
    EXPECT_EQ(text, "Required field");
    EXPECT_EQ(noDialog.Exhausted(), 0);
}

TEST(OvcController, SetFocusMessageShowsAndFocusesTheControl) {
    TShownForm form;
    auto* controller = new TOvcController(form.Form);
    auto* field = form.Add<TFieldStandIn>(form.Form, Rect(5, 5, 80, 25));
    field->Hide();
    PostMessage(controller->Handle(), OVCM_SETFOCUS, 0, 0);  // names no control: ignored
    PostGuardedMessage(controller->Handle(), OVCM_SETFOCUS, 0, reinterpret_cast<LPARAM>(field),
                       field->LifeToken());
    PumpUntilIdle();
    EXPECT_TRUE(field->Visible());
    EXPECT_TRUE(field->Focused());
}

}  // namespace
}  // namespace vex
