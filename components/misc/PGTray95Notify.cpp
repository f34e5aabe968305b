#include "components/misc/PGTray95Notify.h"

#include "platform/ui/form.h"

namespace vex {

TPGNotifyOnFormClose* TPGNotifyOnFormClose::Attach(TCustomForm* Form, TCallback Callback) {
    for (int32_t i = 0; i < Form->ComponentCount(); ++i)
        if (auto* existing = dynamic_cast<TPGNotifyOnFormClose*>(Form->Components(i)))
            return existing;
    return new TPGNotifyOnFormClose(Form, std::move(Callback));
}

TPGNotifyOnFormClose::TPGNotifyOnFormClose(TCustomForm* Form, TCallback Callback)
    : TComponent(Form), FForm(Form), FCallback(std::move(Callback)) {
    FCloseSubscription = Form->CloseSubscribers.Subscribe([this](TObject*, TCloseAction&) {
        if (FCallback) FCallback(FForm);
    });
}

}  // namespace vex
