#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/set.h"
#include "platform/gfx/icon.h"
#include "platform/ui/inputevents.h"
#include "platform/ui/subscriptions.h"
#include "platform/win/lifetoken.h"
#include "platform/win/messages.h"

namespace vex {

class TCustomForm;
class TPopupMenu;
class TPGTimerManager;
class TPGTrayIconAnimation;
class TPGTrayIconMsgWindow;

enum TPGTrayIconState : uint8_t { tsEnabled, tsDisabled, tsAnimated };
enum TPGTrayIconOption {
    toMinimizeToTray,
    toUnclutterVorne1TaskBar,  // kept for stored forms; it changes nothing
    toCloseFormsOnHideApp,
    toHideTaskBarIconOnShowApp
};
using TPGTrayIconOptions = TSet<TPGTrayIconOption, 8>;
using TPGTrayIconStateChangingEvent =
    std::function<void(TObject* Sender, TPGTrayIconState& NewState)>;

// The id of the one icon each tray icon shows, and the messages its hidden window takes: the
// tray's mouse notifications and the deferred call.
inline constexpr UINT kTrayIconId = 42;
inline constexpr UINT WM_TRAYICON_CALLBACK = WM_USER + 100;
inline constexpr UINT WM_TRAYICON_DEFERRED = WM_USER + 101;

// One icon in the desktop's notification area, in one of three states: the normal icon, the
// disabled icon, or an animation through a list of icons. Mouse activity on it comes back as
// click, double-click, move, enter and exit events, and a right press opens PopupMenu when
// AutoPopup is on. The same component hides the application to the tray and brings it back
// (PGTray95App.cpp). Its owner must be a form.
class TPGTrayIcon95 : public TComponent {
    VEX_CLASS(TPGTrayIcon95, TComponent)

public:
    // An owner that is no form raises EInvalidOperation and nothing is made.
    explicit TPGTrayIcon95(TComponent* AOwner);
    ~TPGTrayIcon95() override;

    // Puts the icon into the tray, or takes it out; the animation runs only while it is in.
    void AddIcon();
    void RemoveIcon();

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    const TIcon& Icon() const { return FIcon; }
    void SetIcon(const TIcon& Value);
    const TIcon& DisabledIcon() const { return FDisabledIcon; }
    void SetDisabledIcon(const TIcon& Value);
    // The tip shows the first 63 bytes of the hint, of whatever length.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TPGTrayIconOptions Options() const { return FOptions; }
    void SetOptions(TPGTrayIconOptions Value) { FOptions = Value; }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TPGTrayIconState State() const { return FState; }
    // Setting it from OnStateChanging raises EInvalidOperation and keeps the state.
    void SetState(TPGTrayIconState Value);
    TPGTrayIconAnimation& Animation() { return *FAnimation; }

    // What the tray is shown: the picture of the state (the animation's frame), and the tip.
    const TIcon& CurrentIcon() const { return FCurrentIcon; }
    const std::string& Tip() const { return FTip; }
    // The hidden window the tray's notifications and the deferred calls come to.
    HWND Handle() const { return FHandle; }
    TPGTimerManager& TimerManager() { return *FTimerManager; }

    TNotifyEvent OnAnimation;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseMoveEvent OnMouseMove;
    TMouseMoveEvent OnMouseEnter;
    TMouseMoveEvent OnMouseExit;
    TPGTrayIconStateChangingEvent OnStateChanging;
    TNotifyEvent OnAppMinimize;
    TNotifyEvent OnAppRestore;

    // --- The application half (PGTray95App.cpp) ---

    // Brings the application and its main form back, after the message being handled.
    virtual void ShowApplication();
    // With toCloseFormsOnHideApp closes every visible form at once (the main form is hidden);
    // otherwise minimises the application to the tray after the message being handled.
    virtual void HideApplication();
    // Counts drawing locks shared by every tray icon of the process; back at 0, any drawing
    // lock is released.
    virtual void LockUpdate(bool Lock);
    // Hides the main form, closes any other; a nil form raises EInvalidOperation.
    void HideForm(TCustomForm* Form);
    // Runs the form modally with the application window kept off the screen, and returns its
    // modal result; a form already showing is brought forward instead and 0 returned. A nil
    // form, or a call from the OnShow of a form being shown so, raises EInvalidOperation.
    int32_t ShowModalForm(TCustomForm* Form);
    // The process-wide lock count (tests).
    static int32_t UpdateLockCount();

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TPGTrayIconAnimation;
    friend class TPGTrayIconMsgWindow;
    class TShowModalScope;

    static TComponent* CheckOwner(TComponent* AOwner);
    bool Designing() const;
    bool Reading() const;
    void WndProc(TMessage& Message);
    // Stores Call (replacing one not yet run) and posts WM_TRAYICON_DEFERRED to run it.
    void PostDeferredCall(std::function<void()> Call);
    void RunDeferredCall();
    void NotifyShell(DWORD Message);
    void RefreshIcon();
    void LoadFrame(int32_t Index);
    void AppMinimized();
    void AppRestored();
    void HideApplicationAtCreate();
    void ShowSteps();
    void ClosingSteps();
    void MinimisingSteps();
    std::function<void(TCustomForm*)> CloseStepCallback();
    void CloseStep(TCustomForm* Form);
    void HideAppWindow();
    void HideAppWindowLater();

    std::unique_ptr<TPGTrayIconAnimation> FAnimation;
    bool FActive = false;
    bool FAutoPopup = false;
    TIcon FDisabledIcon;
    HWND FHandle = 0;
    std::string FHint;
    TIcon FIcon;
    TPGTrayIconState FState = tsEnabled;
    TPGTrayIconOptions FOptions{toMinimizeToTray, toUnclutterVorne1TaskBar, toCloseFormsOnHideApp};
    TPopupMenu* FPopupMenu = nullptr;
    bool FShowHint = true;
    TPGTimerManager* FTimerManager;
    TIcon FCurrentIcon;
    std::string FTip;
    std::function<void()> FDeferredCall;
    bool FInShow = false;
    bool FAppWasHidden = false;
    bool FMinimising = false;  // the minimising steps minimise the application themselves
    std::unique_ptr<TPGTrayIconMsgWindow> FMsgWindow;
    TSubscription FMinimizeSubscription;
    TSubscription FRestoreSubscription;
    TLifeToken FLife;
};

// Runs the application's message loop without showing the main form, which then shows itself
// or stays in the tray as it decides.
void RunTrayApplication();

}  // namespace vex
