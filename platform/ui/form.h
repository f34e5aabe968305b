#pragma once

#include <functional>

#include "platform/core/events.h"
#include "platform/ui/formtypes.h"
#include "platform/ui/subscriptions.h"
#include "platform/ui/wincontrol.h"

namespace vex {

class TMainMenu;

// What closing a form does with it.
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window with a frame and a caption, made hidden: Show puts it on the screen. Its
// events have a list of subscribers each beside the single handler, for components that hook
// them; the handler is called first.
class TCustomForm : public TWinControl {
    VEX_CLASS(TCustomForm, TWinControl)

public:
    explicit TCustomForm(TComponent* AOwner);
    // Fires OnDestroy first.
    ~TCustomForm() override;

    // --- Frame, placement, lifetime and modal runs ---

    // Fires OnCreate, reporting a failing one; Application's CreateForm calls it once the whole
    // form is made, which its constructor cannot do for the classes derived from it.
    virtual void AfterConstruction();

    // Changing the frame or the band makes the window again.
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    // Applied each time the form is shown; the default placements only the first time.
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    // Kept for the scrolling that comes with the scroll boxes.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value) { FAutoScroll = Value; }

    // Setting a result other than mrNone during ShowModal ends the run once the message being
    // handled is done, unless CloseQuery or OnClose refuse.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // Inside its ShowModal.
    bool Modal() const { return FModal; }
    // Shows the form and handles messages through the modal driver until ModalResult is set,
    // with every other visible top-level window disabled; then hides the form, enables those
    // windows again and activates the window that was active before. A quit, or a read the
    // driver ends, gives mrCancel, as does a form freed by a handler during the run. A form
    // that is visible, disabled or already modal raises EInvalidOperation.
    virtual TModalResult ShowModal();
    // Whether the form may close: OnCloseQuery, true unless it says otherwise.
    virtual bool CloseQuery();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseQueryEvent OnCloseQuery;

    // --- end of frame, placement, lifetime and modal runs ---

    void Show();
    void Hide() { SetVisible(false); }
    // In a modal run, sets ModalResult to mrCancel. Otherwise asks CloseQuery, then OnClose and
    // the close subscribers what to do (hide, unless they say otherwise), and does it; closing
    // the main form ends the application. The display's close button comes here too.
    void Close();
    // Frees the form once the messages already waiting have been handled, so a handler of the
    // form may ask for it.
    void Release();

    TCloseEvent OnClose;
    TNotifyEvent OnShow;
    TSubscribers<TObject*, TCloseAction&> CloseSubscribers;
    TSubscribers<TObject*> ShowSubscribers;
    TSubscribers<TObject*> ResizeSubscribers;

    void WndProc(TMessage& Message) override;

    // ---- Focus and keys (formfocus.cpp) ----
    // The control that has the focus while the form is active, and gets it back when the form
    // is active again; nil for the form itself. Setting one that cannot take the focus, or that
    // belongs to another form, raises EInvalidOperation "Cannot focus a disabled or invisible
    // window".
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // The form's key methods and events see each key before the focused control's.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    // Makes Control the active control and gives the form the focus.
    void FocusControl(TWinControl* Control);
    // Control, or a control below it, is hidden, disabled or (Removing) leaving the form: the
    // focus goes to the form.
    void DefocusControl(TWinControl* Control, bool Removing);
    // The focus came to Control's window: CM_EXIT goes up from the control that had it to the
    // nearest container of both, then CM_ENTER down to Control. False when a handler moved the
    // focus again meanwhile, which ends this run.
    bool SetFocusedControl(TWinControl* Control);
    void SetFocus() override;
    void MouseWheelHandler(TMessage& Message) override;

    // ---- Main menu ----
    // The menu bar at the top of the form, inside its frame; the client area gives up its
    // height. Forgotten when that menu is freed.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    // A key a control of the form got, offered to the menu's shortcuts before the control's
    // own handling; true when a shortcut took it.
    virtual bool IsShortCut(TMessage& Message);
    // ---- end of main menu ----

protected:
    // Tab and Shift+Tab move through the tab stops, arrows among the active control's siblings;
    // other dialog keys go to the controls (a default or cancel button).
    void CMDialogKey(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    // wParam the window to focus when lParam is non-zero; else the previous tab stop when wParam
    // is non-zero, the next one when it is 0.
    void WMNextDlgCtl(TMessage& Message);
    // Gives the window focus to the active control, or to the form without one.
    void SetWindowFocus();
    // The focus is on the form's window or one inside it.
    bool FocusWithin();
    // ---- end of focus and keys ----

    void CreateParams(TCreateParams& Params) override;
    virtual void DoClose(TCloseAction& Action);
    virtual void DoShow();
    virtual void DoHide();
    void Resize() override;
    void CMShowingChanged(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // --- Frame, placement, lifetime and modal runs ---
    // The form gained (true) or lost activation.
    virtual void Activated(bool Active);

private:
    // ---- Focus and keys ----
    TWinControl* FActiveControl = nullptr;
    // The innermost control that has heard CM_ENTER without CM_EXIT since; the form itself when
    // no control has.
    TWinControl* FFocusedControl = nullptr;
    bool FKeyPreview = false;
    TMainMenu* FMenu = nullptr;

    // --- Frame, placement, lifetime and modal runs ---
    // Asks CloseQuery and OnClose whether a modal run that has a result may end; leaves
    // ModalResult at mrNone when not.
    void CloseModal();
    // Moves and sizes the form as Position says, before it shows.
    void PlaceForShowing();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    bool FAutoScroll = false;
    bool FPlaced = false;  // a default placement was made
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    // --- end of frame, placement, lifetime and modal runs ---
};

class TForm : public TCustomForm {
    VEX_CLASS(TForm, TCustomForm)

public:
    using TCustomForm::TCustomForm;
};

// The form that holds Control, the control itself when it is one; nil when it is in none.
TCustomForm* GetParentForm(TControl* Control);

}  // namespace vex
