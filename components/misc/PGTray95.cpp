#include "components/misc/PGTray95.h"

#include <utility>

#include "components/misc/PGTray95Animation.h"
#include "components/misc/PGTray95MsgWindow.h"
#include "components/misc/PGTray95Timers.h"
#include "platform/core/exceptions.h"
#include "platform/core/resources.h"
#include "platform/core/stream.h"
#include "platform/core/stringutils.h"
#include "platform/shell/trayhost.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/form.h"
#include "platform/ui/popupmenu.h"
#include "platform/win/application.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// Set while an OnStateChanging handler runs, for every tray icon of the process.
bool& StateChanging() {
    static bool changing = false;
    return changing;
}

class TStateChangingScope {
public:
    TStateChangingScope() { StateChanging() = true; }
    ~TStateChangingScope() { StateChanging() = false; }
    TStateChangingScope(const TStateChangingScope&) = delete;
    TStateChangingScope& operator=(const TStateChangingScope&) = delete;
};

// The icon as the tray takes it: opaque colour where the mask is black, transparent elsewhere.
TTrayIconImage TrayImageOf(const TIcon& Icon) {
    TTrayIconImage image;
    if (Icon.Empty()) return image;
    image.Width = Icon.Width();
    image.Height = Icon.Height();
    image.Pixels.reserve(static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height));
    for (int32_t y = 0; y < image.Height; ++y) {
        const uint32_t* colour = Icon.Image().ScanLine(y);
        const uint32_t* mask = Icon.Mask().ScanLine(y);
        for (int32_t x = 0; x < image.Width; ++x) {
            const bool transparent = (mask[x] & 0x00FFFFFFu) != 0;
            image.Pixels.push_back(transparent ? 0u : 0xFF000000u | (colour[x] & 0x00FFFFFFu));
        }
    }
    return image;
}

}  // namespace

TComponent* TPGTrayIcon95::CheckOwner(TComponent* AOwner) {
    if (dynamic_cast<TCustomForm*>(AOwner) == nullptr)
        throw EInvalidOperation("TrayIcons must be owned by a Form !");
    return AOwner;
}

TPGTrayIcon95::TPGTrayIcon95(TComponent* AOwner)
    : TComponent(CheckOwner(AOwner)), FTimerManager(new TPGTimerManager(this)) {
    HideApplicationAtCreate();
    FTimerManager->SetEnabled(true);
    FMsgWindow = std::make_unique<TPGTrayIconMsgWindow>(*this);
    FHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
    FAnimation = std::make_unique<TPGTrayIconAnimation>(*this);
    // Subscriptions, not the application's single handlers: they end with this component, so
    // a minimise after it is freed calls nothing of it, and other subscribers keep theirs.
    FMinimizeSubscription =
        ApplicationEvents().MinimizeSubscribers.Subscribe([this](TObject*) { AppMinimized(); });
    FRestoreSubscription =
        ApplicationEvents().RestoreSubscribers.Subscribe([this](TObject*) { AppRestored(); });
}

TPGTrayIcon95::~TPGTrayIcon95() {
    try {
        RemoveIcon();
    } catch (...) {
        Application().HandleException(this);
    }
    FTimerManager->SetEnabled(false);
    DeallocateHWnd(FHandle);
}

bool TPGTrayIcon95::Designing() const {
    return ComponentState().Contains(csDesigning);
}

bool TPGTrayIcon95::Reading() const {
    return ComponentState().Contains(csLoading);
}

void TPGTrayIcon95::Loaded() {
    TComponent::Loaded();
    SetOptions(FOptions);
    if (FActive && !Designing()) {
        FActive = false;
        AddIcon();
    }
}

void TPGTrayIcon95::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TPGTrayIcon95::AddIcon() {
    if (FActive) return;
    RefreshIcon();
    FActive = true;
    NotifyShell(NIM_ADD);
    if (FState == tsAnimated) FAnimation->Start();
}

void TPGTrayIcon95::RemoveIcon() {
    if (!FActive) return;
    FActive = false;
    if (FState == tsAnimated) FAnimation->Stop();
    NotifyShell(NIM_DELETE);
}

void TPGTrayIcon95::SetActive(bool Value) {
    if (Designing() || Reading()) {
        FActive = Value;
        return;
    }
    if (Value)
        AddIcon();
    else
        RemoveIcon();
}

void TPGTrayIcon95::SetIcon(const TIcon& Value) {
    FIcon.Assign(&Value);
    RefreshIcon();
}

void TPGTrayIcon95::SetDisabledIcon(const TIcon& Value) {
    FDisabledIcon.Assign(&Value);
    RefreshIcon();
}

void TPGTrayIcon95::SetHint(const std::string& Value) {
    if (Value == FHint) return;
    FHint = Value;
    if (FShowHint) SetShowHint(true);
}

void TPGTrayIcon95::SetShowHint(bool Value) {
    FShowHint = Value;
    FTip = Value ? FHint.substr(0, kTrayTipLength) : std::string();
    if (FActive && !Designing()) NotifyShell(NIM_MODIFY);
}

void TPGTrayIcon95::SetPopupMenu(TPopupMenu* Value) {
    if (Value == FPopupMenu) return;
    if (FPopupMenu != nullptr) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TPGTrayIcon95::SetState(TPGTrayIconState Value) {
    if (StateChanging()) {
        StateChanging() = false;
        throw EInvalidOperation(
            "You cannot modify the state property in the OnStateChanging event !!!");
    }
    TPGTrayIconState newState = Value;
    if (!FActive || Reading()) {
        FState = newState;
        return;
    }
    if (newState == FState) return;
    if (OnStateChanging) {
        TStateChangingScope scope;
        OnStateChanging(this, newState);
    }
    if (newState == FState) return;
    if (FState == tsAnimated) FAnimation->Stop();
    FState = newState;
    RefreshIcon();
    if (newState == tsAnimated) FAnimation->Start();
}

void TPGTrayIcon95::RefreshIcon() {
    if (Designing()) return;
    switch (FState) {
        case tsEnabled:
            FCurrentIcon.Assign(&FIcon);
            break;
        case tsDisabled:
            FCurrentIcon.Assign(&FDisabledIcon);
            break;
        case tsAnimated:
            LoadFrame(FAnimation->FrameIndex());
            break;
    }
    if (FActive) NotifyShell(NIM_MODIFY);
}

void TPGTrayIcon95::LoadFrame(int32_t Index) {
    const TStringList& names = FAnimation->Icons();
    if (Index < 0 || Index >= names.Count()) return;
    const std::string name = names[Index];
    if (FAnimation->Options() == aoIconsAreFiles) {
        FCurrentIcon.LoadFromFile(name);
        return;
    }
    // A program's icons are PNG resources; a missing one leaves the tray icon empty.
    const auto data = FindResource("ICON", UpperCase(name));
    if (!data) {
        const TIcon none;
        FCurrentIcon.Assign(&none);
        return;
    }
    TMemoryStream stream;
    stream.WriteBuffer(data->data(), static_cast<int64_t>(data->size()));
    stream.SetPosition(0);
    FCurrentIcon.LoadFromStream(stream);
}

void TPGTrayIcon95::NotifyShell(DWORD Message) {
    if (Reading()) return;
    NOTIFYICONDATA data;
    data.Wnd = FHandle;
    data.ID = kTrayIconId;
    data.Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.CallbackMessage = WM_TRAYICON_CALLBACK;
    data.Icon = TrayImageOf(FCurrentIcon);
    data.Tip = FTip;
    Shell_NotifyIcon(Message, data);
}

void TPGTrayIcon95::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_TRAYICON_CALLBACK:
            FMsgWindow->MouseMessage(static_cast<UINT>(Message.LParam));
            break;
        case WM_TRAYICON_DEFERRED:
            RunDeferredCall();
            break;
        default:
            break;
    }
    Message.Result = 0;
}

void TPGTrayIcon95::PostDeferredCall(std::function<void()> Call) {
    FDeferredCall = std::move(Call);
    PostMessage(FHandle, WM_TRAYICON_DEFERRED, 0, 0);
}

void TPGTrayIcon95::RunDeferredCall() {
    if (!FDeferredCall) return;
    const std::function<void()> call = std::exchange(FDeferredCall, nullptr);
    // Reported like any handler's failure: hiding or showing that failed half-way must not
    // pass unseen.
    try {
        call();
    } catch (...) {
        Application().HandleException(this);
    }
}

}  // namespace vex
