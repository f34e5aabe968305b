#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/entry/OvcCmd.h"
#include "components/entry/OvcTimer.h"
#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/win/messages.h"

namespace vex {

// The TOvc controls' private messages; each goes only to the window the comment names.
// An entry field's own window: report the field's pending error.
inline constexpr UINT OVCM_REPORTERROR = 0x7F00;
// The controller's window: show the control in lParam and focus it when it can take focus.
inline constexpr UINT OVCM_SETFOCUS = 0x7F01;
// An editor's own window: the caret moved (line and column).
inline constexpr UINT OVCM_CARETPOSITION = 0x7F02;
// An entry field's own window: answers the field's data size.
inline constexpr UINT OVCM_GETDATASIZE = 0x7F03;
// A control: which spinner is attached to it.
inline constexpr UINT OVCM_ISATTACHED = 0x7F04;
// A spinner's own window: its attached control's window was destroyed.
inline constexpr UINT OVCM_REATTACH = 0x7F05;
// The controller's window: wParam the losing (pre-edit) or gaining (post-edit) control's
// window, 0 when none; lParam the field.
inline constexpr UINT OVCM_PREEDIT = 0x7F06;
inline constexpr UINT OVCM_POSTEDIT = 0x7F07;
// A TOvcBase control's own window, after its focus changed.
inline constexpr UINT OVCM_AFTERENTER = 0x7F08;
inline constexpr UINT OVCM_AFTEREXIT = 0x7F09;
// The controller's window: the notify code in wParam's low word, the sender in lParam.
inline constexpr UINT OVCM_DELAYNOTIFY = 0x7F0A;

using TDelayNotifyEvent = std::function<void(TObject* Sender, uint16_t NotifyCode)>;
using TDataErrorEvent =
    std::function<void(TObject* Sender, uint16_t ErrorCode, const std::string& ErrorMsg)>;
using TIsSpecialControlEvent =
    std::function<void(TObject* Sender, TWinControl* Control, bool& Special)>;
using TPostEditEvent = std::function<void(TObject* Sender, TWinControl* GainingControl)>;
using TPreEditEvent = std::function<void(TObject* Sender, TWinControl* LosingControl)>;

// What the TOvc controls of one form share: the key command tables, the two-digit year window,
// the insert mode, the one entry error being reported, the buttons focus may move to without
// validating the field being left, a timer pool, and the form-wide events. Focus and edit
// notifications are posted to the controller's hidden window, so that their handlers run after
// the focus change that caused them is complete, in posting order.
class TOvcController : public TComponent {
    VEX_CLASS(TOvcController, TComponent)

public:
    explicit TOvcController(TComponent* AOwner);
    ~TOvcController() override;

    // The special controls; removing one from its form clears its link.
    TWinControl* BtnCancel() const { return FBtnCancel; }
    void SetBtnCancel(TWinControl* Value) { SetLink(FBtnCancel, Value); }
    TWinControl* BtnHelp() const { return FBtnHelp; }
    void SetBtnHelp(TWinControl* Value) { SetLink(FBtnHelp, Value); }
    TWinControl* BtnRestore() const { return FBtnRestore; }
    void SetBtnRestore(TWinControl* Value) { SetLink(FBtnRestore, Value); }

    TOvcCommandProcessor& EntryCommands() { return *FEntryCommands; }

    // The first year of the hundred into which two-digit years fall: 1600 to 3999; any other
    // value is ignored.
    int32_t Epoch() const { return FEpoch; }
    void SetEpoch(int32_t Value);

    std::string Version() const { return "2.17"; }
    // The version is the library's; a stored value is not taken.
    void SetVersion(const std::string& /*Value*/) {}

    // The hidden window, made on first use.
    HWND Handle();

    TOvcTimerPool& TimerPool() { return *FTimerPool; }

    // Calls OnError, or without one shows ErrorMsg in an error message dialog with an OK button.
    void DoOnError(TObject* Sender, uint16_t ErrorCode, const std::string& ErrorMsg);
    // Post OnPreEdit and OnPostEdit for Field, whose focus change is under way. The other
    // control is looked up again by its window when the message arrives, and a field freed by
    // then is not reported.
    void DoPreEdit(TWinControl* Field, TWinControl* LosingControl);
    void DoPostEdit(TWinControl* Field, TWinControl* GainingControl);
    // Focus may move to this window without validating the field being left: one of the three
    // buttons, or what OnIsSpecialControl says.
    bool IsSpecialControl(HWND Handle);

    // Set by an entry field while it reports an error, so that one report runs at a time.
    bool ErrorPending = false;
    bool InsertMode = true;
    // The text of the entry error being reported.
    std::string ErrorText;

    TDataErrorEvent OnError;
    TDelayNotifyEvent OnDelayNotify;
    TIsSpecialControlEvent OnIsSpecialControl;
    TPostEditEvent OnPostEdit;
    TPreEditEvent OnPreEdit;
    TTriggerEvent OnTimerTrigger;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetLink(TWinControl*& Link, TWinControl* Value);
    void PostEditMessage(UINT Msg, TWinControl* Field, TWinControl* Other);
    void ControllerWndProc(TMessage& Message);
    void TimerPoolAllTriggers(TObject* Sender, int32_t Handle, uint16_t Interval,
                              int32_t ElapsedTime);

    TWinControl* FBtnCancel = nullptr;
    TWinControl* FBtnHelp = nullptr;
    TWinControl* FBtnRestore = nullptr;
    std::unique_ptr<TOvcCommandProcessor> FEntryCommands;
    int32_t FEpoch = 1900;
    HWND FWindowHandle = 0;
    TOvcTimerPool* FTimerPool;
};

// The visible base of the TOvc controls: links a control to its form's controller and reports
// focus changes once they are complete.
class TOvcBase : public TCustomControl {
    VEX_CLASS(TOvcBase, TCustomControl)

public:
    explicit TOvcBase(TComponent* AOwner);

    TOvcController* Controller() const { return FController; }
    void SetController(TOvcController* Value);
    bool ControllerAssigned() const { return FController != nullptr; }

    std::string Version() const { return "2.17"; }
    void SetVersion(const std::string& /*Value*/) {}

    TNotifyEvent AfterEnter;
    TNotifyEvent AfterExit;

    void WndProc(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Finds the form's controller before the window exists; a form without one raises
    // ENoControllerAssigned.
    void CreateWnd() override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    TOvcController* FController = nullptr;
};

}  // namespace vex
