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

protected:
    void CreateParams(TCreateParams& Params) override;
    virtual void DoClose(TCloseAction& Action);
    virtual void DoShow();
    void Resize() override;
    void CMShowingChanged(TMessage& Message) override;
};

class TForm : public TCustomForm {
    VEX_CLASS(TForm, TCustomForm)

public:
    using TCustomForm::TCustomForm;
};

// The form that holds Control, the control itself when it is one; nil when it is in none.
TCustomForm* GetParentForm(TControl* Control);

}  // namespace vex
