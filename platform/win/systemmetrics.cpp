#include "platform/win/systemmetrics.h"

#include <atomic>

#include "platform/core/exceptions.h"
#include "platform/win/presenter.h"

namespace vex {

namespace {

std::atomic<int32_t> SwapButton{0};
std::atomic<int32_t> FontHeight{16};
std::atomic<uint32_t> Beeps{0};

}  // namespace

int32_t GetSystemMetrics(int32_t Index) {
    switch (Index) {
        case SM_CXSCREEN: {
            const TRect screen = Presenter().ScreenRect();
            return screen.Right - screen.Left;
        }
        case SM_CYSCREEN: {
            const TRect screen = Presenter().ScreenRect();
            return screen.Bottom - screen.Top;
        }
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXFRAME:
        case SM_CYFRAME:
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        case SM_CYCAPTION:
            return 18;
        case SM_CYMENU:
            return 19;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_SWAPBUTTON:
            return SwapButton.load();
        default:
            return 0;
    }
}

void SetSystemMetrics(int32_t Index, int32_t Value) {
    if (Index != SM_SWAPBUTTON) throw ERangeError("System metric cannot be set");
    SwapButton.store(Value);
}

int32_t GetSystemFontHeight() {
    return FontHeight.load();
}

void SetSystemFontHeight(int32_t Value) {
    if (Value <= 0) throw ERangeError("The system font's height must be above 0");
    FontHeight.store(Value);
}

bool GetCommonControlsVersion(DLLVERSIONINFO& Info) {
    if (Info.cbSize != sizeof(DLLVERSIONINFO)) return false;
    Info.dwMajorVersion = 5;
    Info.dwMinorVersion = 81;
    Info.dwBuildNumber = 0;
    Info.dwPlatformID = DLLVER_PLATFORM_WINDOWS;
    return true;
}

bool MessageBeep(UINT) {
    Beeps.fetch_add(1);
    return true;
}

uint32_t MessageBeepCount() {
    return Beeps.load();
}

}  // namespace vex
