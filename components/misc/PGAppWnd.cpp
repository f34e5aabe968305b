#include "components/misc/PGAppWnd.h"

#include "platform/core/exceptions.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

constexpr char kClassName[] = "TPGApplication";
constexpr int32_t kSide = 50;

// Kept until the process ends, with the window tree, which static destruction may already
// have taken down by the time a holder of it would go.
HWND& OwnerWindow() {
    static HWND wnd = 0;
    return wnd;
}

}  // namespace

HWND RequestOwnerWindow() {
    HWND& wnd = OwnerWindow();
    if (wnd != 0 && IsWindow(wnd)) return wnd;
    WNDCLASS existing;
    if (!GetClassInfo(kClassName, existing)) {
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = DefWindowProc;
        windowClass.lpszClassName = kClassName;
        try {
            RegisterClass(windowClass);
        } catch (const EWindowError&) {
            throw Exception(std::string("Couldnt register window class: ") + kClassName);
        }
    }
    // A tool window: should it ever show, the desktop gives it no taskbar entry either.
    wnd = CreateWindowEx(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP,
                         GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                         kSide, kSide, 0, 0, 0);
    return wnd;
}

bool OwnerWindowPresent() {
    return OwnerWindow() != 0 && IsWindow(OwnerWindow());
}

}  // namespace vex
