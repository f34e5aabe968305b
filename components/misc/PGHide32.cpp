#include "components/misc/PGHide32.h"

#include "components/misc/PGAppWnd.h"
#include "platform/win/application.h"
#include "platform/win/windowtree.h"

namespace vex {

void InstallApplicationWindowParking() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // The owner window is asked for only when the application window comes: before main, the
    // display that placing it needs may not be chosen yet.
    Application().OnHandleCreated = [](HWND Wnd) { SetParent(Wnd, RequestOwnerWindow()); };
}

}  // namespace vex
