#include "platform/win/inputrouting.h"

#include "platform/win/activation.h"
#include "platform/win/doubleclick.h"
#include "platform/win/hittest.h"
#include "platform/win/keyboard.h"
#include "platform/win/mousehook.h"
#include "platform/win/scrolltracking.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex::wintree {

namespace {

TWindowStore& Store() {
    return TWindowStore::Instance();
}

bool IsKeyMessage(UINT Msg) {
    return Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST;
}

bool IsNonClient(UINT Msg) {
    return Msg >= WM_NCMOUSEMOVE && Msg <= WM_NCMBUTTONDBLCLK;
}

bool IsPress(UINT Msg) {
    switch (Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

// The client message a non-client one stands for, and back.
UINT ClientMessageOf(UINT Msg) {
    return IsNonClient(Msg) ? Msg - WM_NCMOUSEMOVE + WM_MOUSEMOVE : Msg;
}
UINT NonClientMessageOf(UINT Msg) {
    return Msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
}

bool TakesMouse(const TWnd& W) {
    for (const TWnd* w = &W; w->Parent != nullptr; w = w->Parent)
        if (w->Style & WS_DISABLED) return false;
    return true;
}

// The window the keyboard's messages go to: the focus, else the active window.
HWND KeyTarget() {
    TWindowStore& store = Store();
    if (store.Find(store.Focus) != nullptr) return store.Focus;
    return store.Find(store.Active) != nullptr ? store.Active : 0;
}

bool RouteKey(const TRawInput& Raw, MSG& Routed) {
    const HWND target = KeyTarget();
    if (target == 0) return false;
    Routed = Raw.Msg;
    Routed.hwnd = target;
    // With nothing focused the active window gets every key as a system key.
    if (target != Store().Focus) {
        if (Routed.message == WM_KEYDOWN) Routed.message = WM_SYSKEYDOWN;
        if (Routed.message == WM_KEYUP) Routed.message = WM_SYSKEYUP;
    }
    return true;
}

bool RouteMouse(const TRawInput& Raw, MSG& Routed) {
    Routed = Raw.Msg;
    if (Raw.Msg.message == WM_MOUSEWHEEL) {
        Routed.hwnd = KeyTarget();
        Routed.lParam = PointToLParam(Raw.Point);
        return Routed.hwnd != 0;
    }
    TWindowStore& store = Store();
    HWND target = store.Capture;
    LRESULT hit = HTCLIENT;
    if (store.Find(target) == nullptr) {
        target = WindowFromPoint(Raw.Point);
        const TWnd* w = store.Find(target);
        if (w == nullptr || !TakesMouse(*w)) return false;
        hit = SendMessage(target, WM_NCHITTEST, 0, PointToLParam(Raw.Point));
        if (store.Find(target) == nullptr || hit == HTERROR) return false;
        if (hit == HTTRANSPARENT) hit = HTNOWHERE;
    }
    Routed.hwnd = target;
    if (hit == HTCLIENT) {
        TPoint client = Raw.Point;
        ScreenToClient(target, client);
        Routed.lParam = PointToLParam(client);
    } else {
        Routed.message = NonClientMessageOf(Raw.Msg.message);
        Routed.wParam = static_cast<WPARAM>(hit);
        Routed.lParam = PointToLParam(Raw.Point);
    }
    Routed.message = DoubleClicks().Promote(target, Routed.message, Raw.Point, Raw.Msg.time);
    return true;
}

// A press on a window whose top-level window is not active asks it whether to activate, and
// whether the press is then dropped.
bool MouseActivate(const MSG& Routed, LRESULT Hit) {
    TWnd* w = Store().Find(Routed.hwnd);
    if (w == nullptr) return false;
    const HWND top = TopLevelOf(*w).Handle;
    if (top == Store().Active) return true;
    const LRESULT answer =
        SendMessage(Routed.hwnd, WM_MOUSEACTIVATE, top,
                    MAKELONG(static_cast<uint16_t>(Hit),
                             static_cast<uint16_t>(ClientMessageOf(Routed.message))));
    if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) Activate(top, WA_CLICKACTIVE);
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

void TakeButtonState(UINT Msg) {
    struct TButton {
        UINT Press;
        UINT Release;
        int32_t Key;
    };
    static constexpr TButton kButtons[] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, VK_LBUTTON},
                                           {WM_RBUTTONDOWN, WM_RBUTTONUP, VK_RBUTTON},
                                           {WM_MBUTTONDOWN, WM_MBUTTONUP, VK_MBUTTON}};
    const UINT msg = ClientMessageOf(Msg);
    for (const TButton& button : kButtons) {
        // A double click is a press: it comes two after the press, one after the release.
        if (msg == button.Press || msg == button.Press + 2) SetKeyState(button.Key, true);
        if (msg == button.Release) SetKeyState(button.Key, false);
    }
}

bool TakeMouse(const TRawInput& Raw, MSG& Routed) {
    const bool nonClient = IsNonClient(Routed.message);
    const LRESULT hit = nonClient ? static_cast<LRESULT>(Routed.wParam) : HTCLIENT;
    DoubleClicks().Take(Routed.hwnd, Routed.message, Raw.Point, Routed.time);
    TakeButtonState(Routed.message);
    if (CallMouseHooks(Routed.message,
                       MOUSEHOOKSTRUCT{Raw.Point, Routed.hwnd, static_cast<UINT>(hit), 0}))
        return false;
    if (IsPress(Routed.message) && !MouseActivate(Routed, hit)) return false;
    if (Store().Find(Routed.hwnd) == nullptr) return false;
    if (Routed.message != WM_MOUSEWHEEL && Store().Capture == 0) {
        SendMessage(Routed.hwnd, WM_SETCURSOR, Routed.hwnd,
                    MAKELONG(static_cast<uint16_t>(hit),
                             static_cast<uint16_t>(ClientMessageOf(Routed.message))));
        if (Store().Find(Routed.hwnd) == nullptr) return false;
    }
    if (ScrollTracking().TakesMouse(Routed, Raw.Point)) return false;
    return true;
}

// The key-state table follows the keys taken, whether or not a window gets them, so no key
// stays down in it for want of a window.
void TakeKeyState(const MSG& Msg) {
    const auto key = static_cast<int32_t>(Msg.wParam & 0xFF);
    const bool down = Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN;
    SetKeyState(key, down);
    if (GenericKey(key) != key) SetKeyState(GenericKey(key), down);
}

bool TakeKey(const MSG& Routed) {
    TakeKeyState(Routed);
    return Store().Find(Routed.hwnd) != nullptr;
}

}  // namespace

TInputRouter InputRouter() {
    TInputRouter router;
    router.Route = [](const TRawInput& Raw, MSG& Routed) {
        return IsKeyMessage(Raw.Msg.message) ? RouteKey(Raw, Routed) : RouteMouse(Raw, Routed);
    };
    router.Take = [](const TRawInput& Raw, MSG& Routed) {
        return IsKeyMessage(Raw.Msg.message) ? TakeKey(Routed) : TakeMouse(Raw, Routed);
    };
    router.Drop = [](const TRawInput& Raw) {
        if (IsKeyMessage(Raw.Msg.message))
            TakeKeyState(Raw.Msg);
        else
            TakeButtonState(Raw.Msg.message);
    };
    return router;
}

}  // namespace vex::wintree
