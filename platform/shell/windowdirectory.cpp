#include "platform/shell/windowdirectory.h"

#include <memory>

#include "platform/shell/filewindowdirectory.h"
#include "platform/shell/runtimefolder.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"

namespace vex {

namespace {

TWindowDirectory* gInstalled = nullptr;

}  // namespace

TWindowDirectory& WindowDirectory() {
    if (gInstalled != nullptr) return *gInstalled;
    // Made at the first use that finds the folder private; a failure is tried again next time.
    static std::unique_ptr<TFileWindowDirectory> runtime;
    if (!runtime) runtime = std::make_unique<TFileWindowDirectory>(PrivateRuntimeFolder());
    return *runtime;
}

void SetWindowDirectory(TWindowDirectory* Directory) {
    gInstalled = Directory;
}

void RestoreOrRaiseWindow(HWND Window) {
    if (!IsWindow(Window)) return;
    if (IsIconic(Window))
        ShowWindow(Window, SW_RESTORE);
    else
        BringWindowToTop(Window);
}

}  // namespace vex
