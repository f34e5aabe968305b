#pragma once

#include <functional>

#include "platform/core/component.h"
#include "platform/ui/subscriptions.h"

namespace vex {

class TCustomForm;

// Tells a callback when its form closes. Owned by the form and gone with it; a form has at most
// one. It subscribes to the form's close, so the form's own OnClose, whenever assigned, keeps
// working beside it.
class TPGNotifyOnFormClose : public TComponent {
    VEX_CLASS(TPGNotifyOnFormClose, TComponent)

public:
    using TCallback = std::function<void(TCustomForm* Sender)>;

    // Puts a notifier with Callback on Form, unless the form has one already, which is kept as
    // it is. Returns the form's notifier.
    static TPGNotifyOnFormClose* Attach(TCustomForm* Form, TCallback Callback);

private:
    TPGNotifyOnFormClose(TCustomForm* Form, TCallback Callback);

    TCustomForm* FForm;
    TCallback FCallback;
    TSubscription FCloseSubscription;
};

}  // namespace vex
