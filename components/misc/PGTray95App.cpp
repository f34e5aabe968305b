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

// Counts one drawing lock more or less; back at 0, any drawing lock is released.
void ChangeLockCount(bool Lock) {
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

// LockUpdate(True) for a scope, given back also when a step in it throws, or frees the tray
// icon, whose count it then gives back itself.
class TUpdateLock {
public:
    TUpdateLock(TPGTrayIcon95& Icon, std::weak_ptr<const void> IconLife)
        : FIcon(Icon), FIconLife(std::move(IconLife)) {
        FIcon.LockUpdate(true);
    }
    ~TUpdateLock() {
        if (FIconLife.expired())
            ChangeLockCount(false);
        else
            FIcon.LockUpdate(false);
    }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
    TPGTrayIcon95& FIcon;
    std::weak_ptr<const void> FIconLife;
};

}  // namespace

int32_t TPGTrayIcon95::UpdateLockCount() {
    return LockCount();
}

void TPGTrayIcon95::LockUpdate(bool Lock) {
    ChangeLockCount(Lock);
}

void TPGTrayIcon95::HideApplicationAtCreate() {
    if (!OwnerWindowPresent() || Designing()) return;
    ShowWindow(AppWindow(), SW_HIDE);
    SetParent(AppWindow(), 0);
}

void TPGTrayIcon95::HideAppWindow() {
    TUpdateLock lock(*this, FLife.Weak());
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
    TUpdateLock lock(*this, FLife.Weak());
    Park();
    ApplicationEvents().Restore();
    if (TCustomForm* main = ApplicationEvents().MainForm()) {
        if (!main->Visible()) main->Show();
        // The forms are not owned by the application window, so showing that window brings
        // none of them back: a main form the minimising steps hid is shown here.
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
    TUpdateLock lock(*this, FLife.Weak());
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
        TUpdateLock lock(*this, FLife.Weak());
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
        TUpdateLock lock(*this, FLife.Weak());
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
        : FIcon(Icon),
          FIconLife(Icon.FLife.Weak()),
          FForm(Form),
          FFormLife(Form->LifeToken()),
          FSavedOnShow(Form->OnShow) {
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
    // The tray icon may have gone meanwhile, with a form of the run that freed it.
    void ShowEnded() {
        if (FEnded) return;
        FEnded = true;
        if (FIconLife.expired()) {
            ChangeLockCount(false);
            return;
        }
        FIcon.LockUpdate(false);
        if (FIcon.FAppWasHidden) {
            const HWND form = FFormLife.expired() ? 0 : FForm->Handle();
            TPGTrayIcon95& icon = FIcon;
            icon.PostDeferredCall([&icon, form] {
                TUpdateLock lock(icon, icon.FLife.Weak());
                icon.HideAppWindow();
                if (form != 0) SetForegroundWindow(form);
            });
        }
        FIcon.FInShow = false;
    }

    TPGTrayIcon95& FIcon;
    std::weak_ptr<const void> FIconLife;
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
        TUpdateLock lock(*this, FLife.Weak());
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
        TUpdateLock lock(*this, FLife.Weak());
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
