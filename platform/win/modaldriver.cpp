#include "platform/win/modaldriver.h"

#include <utility>

#include "platform/core/clock.h"
#include "platform/win/application.h"
#include "platform/win/messagequeue.h"
#include "platform/win/window.h"

namespace vex {

namespace {

TModalScript*& InstalledScript() {
    static TModalScript* script = nullptr;
    return script;
}

}  // namespace

bool ReadModalMessage(MSG& Msg) {
    TMessageQueue& queue = TMessageQueue::Instance();
    for (;;) {
        MSG taken;
        if (queue.Peek(taken, 0, 0, 0, true)) {
            if (taken.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(taken.wParam));
                return false;
            }
            Msg = taken;
            return true;
        }
        TModalScript* script = TModalScript::Current();
        if (script == nullptr) {
            queue.Wait(-1);
            continue;
        }
        if (script->FWaitUntil >= 0) {
            if (Clock().TickMilliseconds() < script->FWaitUntil) {
                queue.Wait(script->FWaitUntil);
                continue;
            }
            script->FWaitUntil = -1;
        }
        if (script->FActions.empty()) {
            ++script->FExhausted;
            return false;
        }
        TModalScript::TAction action = std::move(script->FActions.front());
        script->FActions.pop_front();
        action();
        // The action may have changed what the loop waits for without posting anything: an
        // empty message lets the loop look at its state again before the next read.
        Msg = MSG{0, WM_NULL, 0, 0, GetTickCount()};
        return true;
    }
}

bool RunModalLoop(const std::function<bool()>& Done, const std::function<bool(MSG&)>& Inspect) {
    MSG msg;
    while (!Done()) {
        if (!ReadModalMessage(msg)) return false;
        if (Inspect && Inspect(msg)) continue;
        Application().HandleTakenMessage(msg);
    }
    return true;
}

TModalScript::TModalScript() : FOuter(std::exchange(InstalledScript(), this)) {}

TModalScript::~TModalScript() {
    InstalledScript() = FOuter;
}

TModalScript& TModalScript::Then(TAction Action) {
    FActions.push_back(std::move(Action));
    return *this;
}

TModalScript& TModalScript::Post(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return Then([=] { PostMessage(Wnd, Msg, WParam, LParam); });
}

TModalScript& TModalScript::Wait(int64_t Milliseconds) {
    return Then([this, Milliseconds] { FWaitUntil = Clock().TickMilliseconds() + Milliseconds; });
}

TModalScript* TModalScript::Current() {
    return InstalledScript();
}

}  // namespace vex
