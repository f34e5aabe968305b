#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/geometry.h"
#include "platform/gfx/colors.h"
#include "platform/ui/subscriptions.h"
#include "platform/win/messages.h"

namespace vex {

class TControl;
class TCustomForm;
class THintController;

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

// The half of the application object that needs the control framework's types: its forms, its
// hints, minimising and restoring, and its events, beside the window layer's half
// (Application()), which runs the loop and stays the Sender of each event. Every event has
// the single handler of the original and a list of subscribers: a component hooks an event by
// subscribing, and its token ends the subscription when the component goes, so no component
// has to save and restore another's handler.
class TApplicationEvents {
public:
    TApplicationEvents();
    ~TApplicationEvents();
    TApplicationEvents(const TApplicationEvents&) = delete;
    TApplicationEvents& operator=(const TApplicationEvents&) = delete;

    // --- Forms ---
    // The application window (Application().Handle()).
    HWND Handle();
    // The first form made through CreateForm; closing it ends the application. Forgotten when
    // it is freed.
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* Value) { FMainForm = Value; }
    // Makes a form of class T owned by AOwner, fires its OnCreate, and makes it the main form
    // when there is none yet.
    template <class T>
    T* CreateForm(TComponent* AOwner) {
        T* form = new T(AOwner);
        if (FMainForm == nullptr) FMainForm = form;
        form->AfterConstruction();
        return form;
    }
    // Whether Run shows the main form first.
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }
    // Shows the main form when it should, then runs the message loop until the application ends.
    void Run();

    // Minimises every visible top-level window of the application and fires OnMinimize;
    // Restore shows them again, activates the one that was active and fires OnRestore.
    void Minimize();
    void Restore();
    // Brings the active window, else the main form, to the top and activates it.
    void BringToFront();
    // Takes the application's stay-on-top windows out of the topmost band, so that a box
    // shown now is not hidden under them; RestoreTopMosts puts them back. Calls nest.
    void NormalizeTopMosts();
    void RestoreTopMosts();

    // --- Hints ---
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    // Milliseconds the pointer rests before a hint shows, and a hint stays.
    int32_t HintPause() const { return FHintPause; }
    void SetHintPause(int32_t Value) { FHintPause = Value; }
    int32_t HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int32_t Value) { FHintHidePause = Value; }
    // Whether hints show at all.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    // Hides the hint shown and forgets the control it was for.
    void CancelHint();
    // Where the controls' mouse code tells of each mouse message a control gets (positions in
    // the control's client coordinates), CM_MOUSEENTER and CM_MOUSELEAVE included; key
    // messages cancel the hint as a click does.
    void HintMouseMessage(TControl* Control, const TMessage& Message);
    // Watches the hint logic, for tests: the hint window shown, or nil.
    THintController& Hints() { return *FHints; }

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
    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FMinimized = false;
    std::vector<HWND> FMinimizedWindows;
    HWND FActiveBeforeMinimize = 0;
    int FTopMostLevel = 0;
    std::vector<HWND> FNormalizedTopMosts;
    TColor FHintColor = clInfoBk;
    int32_t FHintPause = 500;
    int32_t FHintHidePause = 2500;
    bool FShowHint = true;
    std::unique_ptr<THintController> FHints;
};

TApplicationEvents& ApplicationEvents();

}  // namespace vex
