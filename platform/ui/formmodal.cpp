#include <memory>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/form.h"
#include "platform/win/application.h"
#include "platform/win/modaldriver.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// What a modal run changes outside its form, put back when the run ends however it ends: the
// windows it disabled are enabled again before the form hides, so that activation does not
// leave the application on the way; then the window active before takes activation back.
class TModalRunScope {
public:
    explicit TModalRunScope(TCustomForm& Form)
        : FForm(&Form), FLife(Form.LifeToken()), FActiveBefore(GetActiveWindow()) {
        // A hint of a window about to be disabled would stay over the modal form.
        ApplicationEvents().CancelHint();
        const HWND self = Form.Handle();
        EnumWindows(
            [this, self](HWND Wnd, LPARAM) {
                if (Wnd != self && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
                    EnableWindow(Wnd, false);
                    FDisabled.push_back(Wnd);
                }
                return true;
            },
            0);
    }
    TModalRunScope(const TModalRunScope&) = delete;
    TModalRunScope& operator=(const TModalRunScope&) = delete;

    ~TModalRunScope() {
        for (HWND wnd : FDisabled)
            if (IsWindow(wnd)) EnableWindow(wnd, true);
        try {
            if (!FLife.expired()) FForm->Hide();
        } catch (...) {
            Application().HandleException(FLife.expired() ? nullptr : FForm);
        }
        if (FActiveBefore != 0 && IsWindow(FActiveBefore)) SetActiveWindow(FActiveBefore);
    }

private:
    TCustomForm* FForm;
    std::weak_ptr<const void> FLife;
    HWND FActiveBefore;
    std::vector<HWND> FDisabled;
};

}  // namespace

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    const std::weak_ptr<const void> life = LifeToken();
    TModalRunScope scope(*this);
    FModal = true;
    FModalResult = mrNone;
    // Whatever leaves the run (a freed form, a throwing handler) must not find it still marked.
    struct TModalFlag {
        TCustomForm* Form;
        const std::weak_ptr<const void>& Life;
        ~TModalFlag() {
            if (!Life.expired()) Form->FModal = false;
        }
    } flag{this, life};

    Show();
    MSG msg;
    while (!life.expired()) {
        if (FModalResult != mrNone) {
            CloseModal();
            if (life.expired() || FModalResult != mrNone) break;
            continue;
        }
        if (!ReadModalMessage(msg)) {
            FModalResult = mrCancel;
            break;
        }
        try {
            Application().HandleTakenMessage(msg);
        } catch (...) {
            Application().HandleException(this);
        }
    }
    return life.expired() ? mrCancel : FModalResult;
}

}  // namespace vex
