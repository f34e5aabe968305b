#include "platform/ui/applicationevents.h"

#include "platform/win/application.h"

namespace vex {

void TApplicationEvents::Fire(const TNotifyEvent& Handler,
                              const TSubscribers<TObject*>& Subscribers) {
    if (Handler) Handler(&Application());
    Subscribers.Notify(&Application());
}

void TApplicationEvents::SetHint(const std::string& Value) {
    if (FHint == Value) return;
    FHint = Value;
    Fire(OnHint, HintSubscribers);
}

void TApplicationEvents::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
    if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
    ShowHintSubscribers.Notify(HintStr, CanShow, HintInfo);
}

void TApplicationEvents::Minimized() {
    Fire(OnMinimize, MinimizeSubscribers);
}

void TApplicationEvents::Restored() {
    Fire(OnRestore, RestoreSubscribers);
}

void TApplicationEvents::SetActive(bool Value) {
    if (FActive == Value) return;
    FActive = Value;
    if (Value)
        Fire(OnActivate, ActivateSubscribers);
    else
        Fire(OnDeactivate, DeactivateSubscribers);
}

TApplicationEvents& ApplicationEvents() {
    static TApplicationEvents events;
    return events;
}

}  // namespace vex
