// The application half of the tray icon: hiding the application to the tray, bringing it back,
// and showing forms from the tray while the application window stays off the screen. The
// application window is shown, hidden and minimised with the forms; while it must have no
// taskbar entry it is parked under the owner window of PGAppWnd.
#include <limits>
#include <utility>

#include "components/misc/PGAppWnd.h"
#include "components/misc/PGHide32.h"
#include "components/misc/PGTray95.h"
#include "components/misc/PGTray95Notify.h"
#include "platform/core/exceptions.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/form.h"
#include "platform/ui/screen.h"
#include "platform/win/application.h"
#include "platform/win/toplevel.h"
#include "platform/win/updateregion.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// Installed with this file's first static, so the application window of any program with a
// tray icon is parked from the moment it is made.
[[maybe_unused]] const bool ParkingInstalled = (InstallApplicationWindowParking(), true);

int32_t& LockCount() {
    static int32_t count = 0;
    return count;
}

HWND AppWindow() {
    return Application().Handle();
}

bool AppWindowHidden() {
    return !IsWindowVisible(AppWindow());
}

void Park() {
    SetParent(AppWindow(), RequestOwnerWindow());
}

// Sets a flag for a scope and puts back what it was, also when the scope throws.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag), FSaved(std::exchange(Flag, true)) {}
    ~TFlagScope() { FFlag = FSaved; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

bool FormShowing(TCustomForm* Form) {
    return Form->Visible() && Form->HandleAllocated() && IsWindowVisible(Form->Handle());
}

}  // namespace

// LockUpdate(True) for a scope, given back also when a step in it throws.
class TPGTrayIcon95UpdateLock {
public:
    explicit TPGTrayIcon95UpdateLock(TPGTrayIcon95& Icon) : FIcon(Icon) { FIcon.LockUpdate(true); }
    ~TPGTrayIcon95UpdateLock() { FIcon.LockUpdate(false); }
    TPGTrayIcon95UpdateLock(const TPGTrayIcon95UpdateLock&) = delete;
    TPGTrayIcon95UpdateLock& operator=(const TPGTrayIcon95UpdateLock&) = delete;

private:
    TPGTrayIcon95& FIcon;
};

int32_t TPGTrayIcon95::UpdateLockCount() {
    return LockCount();
}

void TPGTrayIcon95::LockUpdate(bool Lock) {
    int32_t& count = LockCount();
    if (Lock) {
        if (count == std::numeric_limits<int32_t>::max()) throw EIntOverflow("Integer overflow");
        ++count;
    } else {
        if (count == std::numeric_limits<int32_t>::min()) throw EIntOverflow("Integer overflow");
        --count;
    }
    if (count == 0) LockWindowUpdate(0);
}

void TPGTrayIcon95::HideApplicationAtCreate() {
    if (!OwnerWindowPresent() || Designing()) return;
    ShowWindow(AppWindow(), SW_HIDE);
    SetParent(AppWindow(), 0);
}

void TPGTrayIcon95::HideAppWindow() {
    TPGTrayIcon95UpdateLock lock(*this);
    Park();
    ShowWindow(AppWindow(), SW_HIDE);
    SetParent(AppWindow(), 0);
}

void TPGTrayIcon95::HideAppWindowLater() {
    PostDeferredCall([this] { HideAppWindow(); });
}

void TPGTrayIcon95::ShowApplication() {
    PostDeferredCall([this] { ShowSteps(); });
}

void TPGTrayIcon95::ShowSteps() {
    TPGTrayIcon95UpdateLock lock(*this);
    Park();
    ApplicationEvents().Restore();
    if (TCustomForm* main = ApplicationEvents().MainForm()) {
        if (!main->Visible()) main->Show();
        // The forms here are no children of the application window, so a main form hidden
        // by the minimising steps comes back by itself.
        if (!IsWindowVisible(main->Handle())) ShowWindow(main->Handle(), SW_SHOWNORMAL);
        if (FOptions.Contains(toHideTaskBarIconOnShowApp)) {
            HideAppWindow();
            TPGNotifyOnFormClose::Attach(main, CloseStepCallback());
        } else {
            ShowWindow(AppWindow(), SW_SHOWNORMAL);
        }
        SetForegroundWindow(main->Handle());
    }
    SetParent(AppWindow(), 0);
}

void TPGTrayIcon95::HideApplication() {
    if (FOptions.Contains(toCloseFormsOnHideApp))
        ClosingSteps();
    else
        PostDeferredCall([this] { MinimisingSteps(); });
}

void TPGTrayIcon95::ClosingSteps() {
    TPGTrayIcon95UpdateLock lock(*this);
    Park();
    // A form closed may free itself and leave the list shorter.
    for (int32_t i = Screen().FormCount() - 1; i >= 0; --i) {
        if (i >= Screen().FormCount()) continue;
        TCustomForm* form = Screen().Forms(i);
        if (FormShowing(form)) HideForm(form);
    }
    HideAppWindow();
    Park();
}

void TPGTrayIcon95::MinimisingSteps() {
    {
        TPGTrayIcon95UpdateLock lock(*this);
        Park();
        ApplicationEvents().NormalizeTopMosts();
        {
            TFlagScope minimising(FMinimising);
            ApplicationEvents().Minimize();
        }
        ApplicationEvents().RestoreTopMosts();
        if (OnAppMinimize) {
            const std::weak_ptr<const void> alive = FLife.Weak();
            OnAppMinimize(this);
            if (alive.expired()) return;
        }
        ShowWindow(AppWindow(), SW_HIDE);
        if (TCustomForm* main = ApplicationEvents().MainForm();
            main != nullptr && main->HandleAllocated())
            ShowWindow(main->Handle(), SW_HIDE);
    }
    HideAppWindow();
}

void TPGTrayIcon95::HideForm(TCustomForm* Form) {
    if (Form == nullptr) throw EInvalidOperation("You cant hide a \"nil\" form !");
    const bool wasHidden = AppWindowHidden();
    const bool isMain = Form == ApplicationEvents().MainForm();
    {
        TPGTrayIcon95UpdateLock lock(*this);
        if (wasHidden) {
            Park();
            ShowWindow(AppWindow(), SW_HIDE);
        }
        if (isMain)
            Form->Hide();
        else
            Form->Close();
    }
    if (wasHidden || isMain) HideAppWindowLater();
}

// Ends what ShowModalForm began, whichever way the modal run goes: once the form is shown its
// own OnShow runs, then the lock is given back and the in-show flag cleared, also when that
// OnShow fails; a run that fails before the show gives them back at its end.
class TPGTrayIcon95::TShowModalScope {
public:
    TShowModalScope(TPGTrayIcon95& Icon, TCustomForm* Form)
        : FIcon(Icon), FForm(Form), FFormLife(Form->LifeToken()), FSavedOnShow(Form->OnShow) {
        FIcon.FInShow = true;
        // The form's handler, not a subscription: a failing OnShow would keep subscribers from
        // hearing of the show.
        Form->OnShow = [this](TObject* Sender) { Shown(Sender); };
        TPGNotifyOnFormClose::Attach(Form, FIcon.CloseStepCallback());
        FIcon.LockUpdate(true);
        if (FIcon.FAppWasHidden) Park();
    }
    ~TShowModalScope() {
        if (!FFormLife.expired()) FForm->OnShow = FSavedOnShow;
        ShowEnded();
    }
    TShowModalScope(const TShowModalScope&) = delete;
    TShowModalScope& operator=(const TShowModalScope&) = delete;

private:
    class TShowEnd {
    public:
        explicit TShowEnd(TShowModalScope& Scope) : FScope(Scope) {}
        ~TShowEnd() { FScope.ShowEnded(); }
        TShowEnd(const TShowEnd&) = delete;
        TShowEnd& operator=(const TShowEnd&) = delete;

    private:
        TShowModalScope& FScope;
    };

    void Shown(TObject* Sender) {
        TShowEnd end(*this);
        if (FSavedOnShow) FSavedOnShow(Sender);
    }

    // The form is on the screen, or will not be: the application window goes off it again.
    void ShowEnded() {
        if (FEnded) return;
        FEnded = true;
        FIcon.LockUpdate(false);
        if (FIcon.FAppWasHidden) {
            const HWND form = FFormLife.expired() ? 0 : FForm->Handle();
            TPGTrayIcon95& icon = FIcon;
            icon.PostDeferredCall([&icon, form] {
                TPGTrayIcon95UpdateLock lock(icon);
                icon.HideAppWindow();
                if (form != 0) SetForegroundWindow(form);
            });
        }
        FIcon.FInShow = false;
    }

    TPGTrayIcon95& FIcon;
    TCustomForm* FForm;
    std::weak_ptr<const void> FFormLife;
    TNotifyEvent FSavedOnShow;
    bool FEnded = false;
};

int32_t TPGTrayIcon95::ShowModalForm(TCustomForm* Form) {
    if (Form == nullptr) throw EInvalidOperation("You cant show a \"nil\" form !");
    if (!FormShowing(Form) && FInShow)
        throw EInvalidOperation(
            "You cant call ShowForm or ShowModalForm in the OnShow event of a form !");
    FAppWasHidden = AppWindowHidden();
    ApplicationEvents().Restore();
    if (FormShowing(Form)) {
        TPGTrayIcon95UpdateLock lock(*this);
        HideAppWindow();
        SetForegroundWindow(Form->Handle());
        return 0;
    }
    TShowModalScope scope(*this, Form);
    return Form->ShowModal();
}

std::function<void(TCustomForm*)> TPGTrayIcon95::CloseStepCallback() {
    // The notifier stays on its form after this tray icon may be gone.
    return [this, alive = FLife.Weak()](TCustomForm* Form) {
        if (!alive.expired()) CloseStep(Form);
    };
}

void TPGTrayIcon95::CloseStep(TCustomForm*) {
    const bool hidden = AppWindowHidden();
    {
        TPGTrayIcon95UpdateLock lock(*this);
        if (hidden) {
            Park();
            ShowWindow(AppWindow(), SW_HIDE);
        }
    }
    if (hidden) HideAppWindowLater();
}

void TPGTrayIcon95::AppMinimized() {
    if (Designing() || FMinimising) return;
    const std::weak_ptr<const void> alive = FLife.Weak();
    if (FActive && FOptions.Contains(toMinimizeToTray)) HideApplication();
    if (!alive.expired() && OnAppMinimize) OnAppMinimize(this);
}

void TPGTrayIcon95::AppRestored() {
    if (Designing()) return;
    if (FActive) ShowApplication();
    if (OnAppRestore) OnAppRestore(this);
}

void RunTrayApplication() {
    ApplicationEvents().SetShowMainForm(false);
    ApplicationEvents().Run();
}

}  // namespace vex
