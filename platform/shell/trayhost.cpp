#include "platform/shell/trayhost.h"

#include "platform/shell/headlesstrayhost.h"
#include "platform/shell/x11trayhost.h"
#include "platform/win/presenter.h"

namespace vex {

namespace {

std::unique_ptr<TTrayHost>& Current() {
    static std::unique_ptr<TTrayHost> host;
    return host;
}

}  // namespace

TTrayHost& TrayHost() {
    auto& host = Current();
    if (host == nullptr) {
        // The presenter is made first: it opens the display the tray is on.
        if (!Presenter().Headless()) host = MakeX11TrayHost();
        if (host == nullptr) host = std::make_unique<THeadlessTrayHost>();
    }
    return *host;
}

void SetTrayHost(std::unique_ptr<TTrayHost> Value) {
    Current() = std::move(Value);
}

bool Shell_NotifyIcon(DWORD Message, const NOTIFYICONDATA& Data) {
    return TrayHost().Notify(Message, Data);
}

}  // namespace vex
