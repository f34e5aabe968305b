#include "platform/win/doubleclick.h"

#include <cstdlib>

#include "platform/win/systemmetrics.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

constexpr UINT kDefaultDoubleClickTime = 500;

UINT& DoubleClickTime() {
    static UINT time = kDefaultDoubleClickTime;
    return time;
}

bool IsPress(UINT Msg) {
    return Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_MBUTTONDOWN ||
           Msg == WM_NCLBUTTONDOWN || Msg == WM_NCRBUTTONDOWN || Msg == WM_NCMBUTTONDOWN;
}

bool IsDoubleClick(UINT Msg) {
    return Msg == WM_LBUTTONDBLCLK || Msg == WM_RBUTTONDBLCLK || Msg == WM_MBUTTONDBLCLK ||
           Msg == WM_NCLBUTTONDBLCLK || Msg == WM_NCRBUTTONDBLCLK || Msg == WM_NCMBUTTONDBLCLK;
}

bool WantsDoubleClicks(HWND Wnd, UINT Msg) {
    if (Msg >= WM_NCMOUSEMOVE && Msg <= WM_NCMBUTTONDBLCLK) return true;
    const TWnd* w = TWindowStore::Instance().Find(Wnd);
    return w != nullptr && (w->Class->Class.style & CS_DBLCLKS) != 0;
}

}  // namespace

UINT GetDoubleClickTime() {
    return DoubleClickTime();
}

bool SetDoubleClickTime(UINT Milliseconds) {
    DoubleClickTime() = Milliseconds == 0 ? kDefaultDoubleClickTime : Milliseconds;
    return true;
}

namespace wintree {

UINT TDoubleClicks::Promote(HWND Wnd, UINT Msg, TPoint Screen, DWORD Time) const {
    if (!FArmed || !IsPress(Msg) || Wnd != FWnd || Msg != FMsg) return Msg;
    // Tick counts wrap; the difference does not.
    if (static_cast<DWORD>(Time - FTime) > GetDoubleClickTime()) return Msg;
    const int64_t dx = std::llabs(int64_t{Screen.X} - FPoint.X);
    const int64_t dy = std::llabs(int64_t{Screen.Y} - FPoint.Y);
    if (dx > GetSystemMetrics(SM_CXDOUBLECLK) / 2 || dy > GetSystemMetrics(SM_CYDOUBLECLK) / 2)
        return Msg;
    if (!WantsDoubleClicks(Wnd, Msg)) return Msg;
    return Msg + 2;  // every button's double click follows its press after the release
}

void TDoubleClicks::Take(HWND Wnd, UINT Msg, TPoint Screen, DWORD Time) {
    if (IsDoubleClick(Msg)) {
        FArmed = false;
    } else if (IsPress(Msg)) {
        FArmed = true;
        FWnd = Wnd;
        FMsg = Msg;
        FPoint = Screen;
        FTime = Time;
    }
}

TDoubleClicks& DoubleClicks() {
    static TDoubleClicks clicks;
    return clicks;
}

}  // namespace wintree

}  // namespace vex
