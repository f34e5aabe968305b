#pragma once

#include <functional>

#include "platform/core/events.h"
#include "platform/ui/subscriptions.h"
#include "platform/ui/wincontrol.h"

namespace vex {

// What closing a form does with it.
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// A top-level window with a frame and a caption, made hidden: Show puts it on the screen. Its
// events have a list of subscribers each beside the single handler, for components that hook
// them; the handler is called first.
class TCustomForm : public TWinControl {
    VEX_CLASS(TCustomForm, TWinControl)

public:
    explicit TCustomForm(TComponent* AOwner);

    void Show();
    void Hide() { SetVisible(false); }
    // Asks OnClose and the close subscribers what to do (hide, unless they say otherwise), then
    // does it; the display's close button comes here too.
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
    void Resize() override;
    void CMShowingChanged(TMessage& Message) override;

private:
    // ---- Focus and keys ----
    TWinControl* FActiveControl = nullptr;
    // The innermost control that has heard CM_ENTER without CM_EXIT since; the form itself when
    // no control has.
    TWinControl* FFocusedControl = nullptr;
    bool FKeyPreview = false;
};

class TForm : public TCustomForm {
    VEX_CLASS(TForm, TCustomForm)

public:
    using TCustomForm::TCustomForm;
};

// The form that holds Control, the control itself when it is one; nil when it is in none.
TCustomForm* GetParentForm(TControl* Control);

}  // namespace vex
