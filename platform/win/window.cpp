#include "platform/win/window.h"

#include "platform/core/clock.h"
#include "platform/win/invalidation.h"
#include "platform/win/messagequeue.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

constexpr const char* kUtilityClass = "TPUtilWindow";

void RegisterUtilityClass() {
    WNDCLASS utility;
    if (GetClassInfo(kUtilityClass, utility)) return;
    utility.lpfnWndProc = DefWindowProc;
    utility.lpszClassName = kUtilityClass;
    RegisterClass(utility);
}

MSG Posted(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return MSG{Wnd, Msg, WParam, LParam, GetTickCount()};
}

}  // namespace

HWND AllocateHWnd(TWndMethod Method) {
    RegisterUtilityClass();
    const HWND wnd =
        CreateWindowEx(WS_EX_TOOLWINDOW, kUtilityClass, "", WS_POPUP, 0, 0, 0, 0, 0, 0, 0);
    SetWindowProc(wnd, [Method = std::move(Method)](HWND, UINT Msg, WPARAM WParam, LPARAM LParam) {
        TMessage message{Msg, WParam, LParam, 0};
        Method(message);
        return message.Result;
    });
    return wnd;
}

void DeallocateHWnd(HWND Wnd) {
    if (TWindowStore::Instance().Find(Wnd) == nullptr) return;
    SetWindowProc(Wnd, DefWindowProc);
    DestroyWindow(Wnd);
}

bool IsWindow(HWND Wnd) {
    return TMessageQueue::Instance().WindowExists(Wnd);
}

TObject* WindowObject(HWND Wnd) {
    const TWnd* w = TWindowStore::Instance().Find(Wnd);
    return w == nullptr ? nullptr : w->Object;
}

void SetWindowObject(HWND Wnd, TObject* Object) {
    if (TWnd* w = TWindowStore::Instance().Find(Wnd)) w->Object = Object;
}

UINT RegisterWindowMessage(const std::string& Name) {
    return TMessageQueue::Instance().RegisterMessage(Name);
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    return w == nullptr ? 0 : wintree::Send(*w, Msg, WParam, LParam);
}

bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return TMessageQueue::Instance().Post(Posted(Wnd, Msg, WParam, LParam));
}

bool PostCoalescedMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return TMessageQueue::Instance().PostCoalesced(Posted(Wnd, Msg, WParam, LParam));
}

bool PostGuardedMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam,
                        std::weak_ptr<const void> Guard) {
    return TMessageQueue::Instance().PostGuarded(Posted(Wnd, Msg, WParam, LParam),
                                                 std::move(Guard));
}

void PostQuitMessage(int ExitCode) {
    TMessageQueue::Instance().PostQuit(ExitCode);
}

bool PeekMessage(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, UINT RemoveMsg) {
    return TMessageQueue::Instance().Peek(Msg, Wnd, FilterMin, FilterMax,
                                          (RemoveMsg & PM_REMOVE) != 0);
}

bool GetMessage(MSG& Msg, HWND Wnd, UINT FilterMin, UINT FilterMax) {
    TMessageQueue& queue = TMessageQueue::Instance();
    while (!queue.Peek(Msg, Wnd, FilterMin, FilterMax, true))
        queue.Wait(-1);
    return Msg.message != WM_QUIT;
}

void WaitMessage() {
    TMessageQueue& queue = TMessageQueue::Instance();
    MSG msg;
    while (!queue.Peek(msg, 0, 0, 0, false))
        queue.Wait(-1);
}

LRESULT DispatchMessage(const MSG& Msg) {
    if (TMessageQueue::Instance().DispatchAction(Msg)) return 0;
    if (Msg.message == WM_PAINT) return wintree::SendPaint(Msg.hwnd);
    return SendMessage(Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam);
}

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse) {
    return TMessageQueue::Instance().StartTimer(Wnd, IDEvent, Elapse) ? IDEvent : 0;
}

bool KillTimer(HWND Wnd, UINT_PTR IDEvent) {
    return TMessageQueue::Instance().StopTimer(Wnd, IDEvent);
}

}  // namespace vex
