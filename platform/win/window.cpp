#include "platform/win/window.h"

#include "platform/core/clock.h"
#include "platform/win/messagequeue.h"

namespace vex {

HWND AllocateHWnd(TWndMethod Method) {
    return TMessageQueue::Instance().AllocateWindow(std::move(Method));
}

void DeallocateHWnd(HWND Wnd) {
    TMessageQueue::Instance().DeallocateWindow(Wnd);
}

bool IsWindow(HWND Wnd) {
    return TMessageQueue::Instance().WindowExists(Wnd);
}

LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

UINT RegisterWindowMessage(const std::string& Name) {
    return TMessageQueue::Instance().RegisterMessage(Name);
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    // The method is held for the call, so a window freed by its own handler stays callable.
    std::shared_ptr<TWndMethod> method = TMessageQueue::Instance().WindowMethod(Wnd);
    if (!method) return 0;
    TMessage message{Msg, WParam, LParam, 0};
    (*method)(message);
    return message.Result;
}

bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return TMessageQueue::Instance().Post(MSG{Wnd, Msg, WParam, LParam, GetTickCount()});
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
    return SendMessage(Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam);
}

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse) {
    return TMessageQueue::Instance().StartTimer(Wnd, IDEvent, Elapse) ? IDEvent : 0;
}

bool KillTimer(HWND Wnd, UINT_PTR IDEvent) {
    return TMessageQueue::Instance().StopTimer(Wnd, IDEvent);
}

}  // namespace vex
