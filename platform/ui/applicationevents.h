#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/events.h"
#include "platform/core/geometry.h"
#include "platform/gfx/colors.h"
#include "platform/ui/subscriptions.h"

namespace vex {

class TControl;

// What a hint about to be shown is made of; an OnShowHint handler may change any of it.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;  // screen coordinates of the hint window's top-left corner
    int32_t HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;  // the hint stays while the pointer stays in here (control coordinates)
    TPoint CursorPos;
    int32_t ReshowTimeout = 0;
    int32_t HideTimeout = 0;
    std::string HintStr;
};

// The application's events that need the control framework's types, beside the application
// object of the window layer (Application()), which stays the Sender of each. Every event has
// the single handler of the original and a list of subscribers: a component hooks an event by
// subscribing, and its token ends the subscription when the component goes, so no component
// has to save and restore another's handler.
class TApplicationEvents {
public:
    std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)> OnShowHint;
    TNotifyEvent OnHint;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    TSubscribers<std::string&, bool&, THintInfo&> ShowHintSubscribers;
    TSubscribers<TObject*> HintSubscribers;
    TSubscribers<TObject*> MinimizeSubscribers;
    TSubscribers<TObject*> RestoreSubscribers;
    TSubscribers<TObject*> ActivateSubscribers;
    TSubscribers<TObject*> DeactivateSubscribers;

    // The hint of the control under the pointer; a change fires OnHint.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);

    // Asks the handler, then each subscriber, whether and how a hint is shown.
    void DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo);
    // The application was minimised or restored.
    void Minimized();
    void Restored();
    // Whether one of the application's windows is the active one. Every top-level window hears
    // when that changes, so only a change fires OnActivate or OnDeactivate.
    bool Active() const { return FActive; }
    void SetActive(bool Value);

private:
    static void Fire(const TNotifyEvent& Handler, const TSubscribers<TObject*>& Subscribers);

    std::string FHint;
    bool FActive = false;
};

TApplicationEvents& ApplicationEvents();

}  // namespace vex
