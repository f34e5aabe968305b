#include "platform/win/windowtree.h"

#include <algorithm>
#include <cstring>

#include "platform/win/activation.h"
#include "platform/win/focus.h"
#include "platform/win/invalidation.h"
#include "platform/win/nonclient.h"
#include "platform/win/presenting.h"
#include "platform/win/window.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowsizing.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

TWindowStore& Store() {
    return TWindowStore::Instance();
}

TRect BoundsOf(int32_t X, int32_t Y, int32_t Width, int32_t Height) {
    return TRect{X, Y, SaturateToInt32(int64_t{X} + std::max(Width, 0)),
                 SaturateToInt32(int64_t{Y} + std::max(Height, 0))};
}

// WM_DESTROY to the window, then to each child, once; each is marked as being destroyed
// first, so a handler's DestroyWindow of it changes nothing.
void SendDestroy(HWND Wnd) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr || w->DestroySent) return;
    w->Destroying = true;
    w->DestroySent = true;
    SendMessage(Wnd, WM_DESTROY, 0, 0);
    w = Store().Find(Wnd);
    if (w == nullptr) return;
    for (HWND child : wintree::ChildHandles(*w))
        SendDestroy(child);
}

// Frees the children, sends WM_NCDESTROY, and frees the window. Children a handler made
// meanwhile go with it.
void FreeWindow(HWND Wnd) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return;
    w->Destroying = true;
    while (w != nullptr && !w->Children.empty()) {
        FreeWindow(w->Children.front()->Handle);
        w = Store().Find(Wnd);
    }
    if (w == nullptr) return;
    SendMessage(Wnd, WM_NCDESTROY, 0, 0);
    w = Store().Find(Wnd);
    if (w == nullptr) return;
    while (!w->Children.empty())
        FreeWindow(w->Children.front()->Handle);
    wintree::ForgetOnPresenter(*w);
    wintree::ClearUpdates(*w);
    --w->Class->Windows;
    Store().Remove(Wnd);
}

bool RefusedCreation(HWND Wnd, LRESULT Answer, LRESULT Refusal) {
    if (Store().Find(Wnd) != nullptr && Answer != Refusal) return false;
    DestroyWindow(Wnd);
    return true;
}

}  // namespace

HWND CreateWindowEx(DWORD ExStyle, const std::string& ClassName, const std::string& WindowName,
                    DWORD Style, int32_t X, int32_t Y, int32_t Width, int32_t Height, HWND Parent,
                    LONG_PTR Menu, LPARAM Param) {
    const std::shared_ptr<TWindowClassEntry> windowClass = FindWindowClass(ClassName);
    if (windowClass == nullptr)
        throw EWindowError("Window class \"" + ClassName + "\" is not registered");
    TWnd* parent = &Store().Desktop();
    HWND owner = 0;
    if (Parent != 0) {
        TWnd& given = Store().Get(Parent, "CreateWindowEx: the parent window");
        if (Style & WS_CHILD)
            parent = &given;
        else if (!Store().IsDesktop(given))
            owner = wintree::TopLevelOf(given).Handle;
    } else if (Style & WS_CHILD) {
        throw EWindowError("CreateWindowEx: a child window needs a parent");
    }

    TWnd& w = Store().Add();
    w.Class = windowClass;
    ++windowClass->Windows;
    w.Proc = windowClass->Proc;
    // Nothing draws by a record outside the tree: linking it below counts as the change.
    w.Style = Style & ~WS_VISIBLE;  // shown at the end, once it is made
    w.ExStyle = ExStyle;
    w.Id = Menu;
    w.Owner = owner;
    w.Bounds = BoundsOf(X, Y, Width, Height);
    w.Client = wintree::WindowArea(w);
    wintree::Link(*parent, w, (Style & WS_CHILD) ? HWND_BOTTOM : HWND_TOP);
    const HWND wnd = w.Handle;

    CREATESTRUCT create{Param,
                        Menu,
                        Parent,
                        wintree::Height(w.Bounds),
                        wintree::Width(w.Bounds),
                        w.Bounds.Top,
                        w.Bounds.Left,
                        Style,
                        WindowName.c_str(),
                        windowClass->Class.lpszClassName.c_str(),
                        ExStyle};
    const LPARAM createParam = reinterpret_cast<LPARAM>(&create);
    try {
        if (RefusedCreation(wnd, SendMessage(wnd, WM_NCCREATE, 0, createParam), 0)) return 0;
        wintree::RecalculateClient(wnd);
        if (RefusedCreation(wnd, SendMessage(wnd, WM_CREATE, 0, createParam), -1)) return 0;
        wintree::SendSizeAndMove(wnd);
        if (Style & WS_VISIBLE) ShowWindow(wnd, SW_SHOW);
    } catch (...) {
        DestroyWindow(wnd);
        throw;
    }
    return Store().Find(wnd) != nullptr ? wnd : 0;
}

bool DestroyWindow(HWND Wnd) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr || Store().IsDesktop(*w) || w->Destroying) return false;
    w->Destroying = true;
    for (HWND top : wintree::ChildHandles(Store().Desktop())) {
        const TWnd* owned = Store().Find(top);
        if (owned != nullptr && owned->Owner == Wnd) DestroyWindow(top);
    }
    if ((w = Store().Find(Wnd)) == nullptr) return true;
    wintree::InputLeaves(Wnd);
    if ((w = Store().Find(Wnd)) == nullptr) return true;
    if (w->Style & WS_VISIBLE)
        SetWindowPos(Wnd, 0, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    wintree::ActivateNext(Wnd);
    SendDestroy(Wnd);
    FreeWindow(Wnd);
    return true;
}

HWND GetDesktopWindow() {
    return Store().Desktop().Handle;
}

HWND GetParent(HWND Wnd) {
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr || w->Parent == nullptr) return 0;
    return wintree::IsTopLevel(*w) ? w->Owner : w->Parent->Handle;
}

HWND SetParent(HWND Wnd, HWND NewParent) {
    TWnd* w = Store().Find(Wnd);
    TWnd* parent = NewParent == 0 ? &Store().Desktop() : Store().Find(NewParent);
    // A window on its way out stays where its destruction takes it, and takes no new children.
    if (w == nullptr || parent == nullptr || Store().IsDesktop(*w) || parent == w ||
        wintree::IsAncestor(*w, *parent) || w->Destroying || parent->Destroying)
        return 0;
    const HWND previous = w->Parent->Handle;
    if (wintree::IsShowing(*w) && !wintree::IsTopLevel(*w))
        wintree::ExposeInParent(*w->Parent, TRegion(w->Bounds));
    wintree::ClearUpdates(*w);
    wintree::Unlink(*w);
    wintree::Link(*parent, *w, HWND_TOP);
    wintree::SyncWithPresenter(*w);
    if (!wintree::IsTopLevel(*w)) wintree::ActivateNext(Wnd);
    if (TWnd* moved = Store().Find(Wnd); moved != nullptr && wintree::IsShowing(*moved))
        wintree::InvalidateWhole(*moved);
    return previous;
}

bool IsChild(HWND Parent, HWND Child) {
    const TWnd* w = Store().Find(Child);
    for (; w != nullptr && (w->Style & WS_CHILD) && w->Parent != nullptr; w = w->Parent)
        if (w->Parent->Handle == Parent) return true;
    return false;
}

HWND GetWindow(HWND Wnd, UINT Command) {
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return 0;
    if (Command == GW_OWNER) return w->Owner;
    if (Command == GW_CHILD) return w->Children.empty() ? 0 : w->Children.front()->Handle;
    if (Command > GW_CHILD) throw EWindowError("GetWindow: unknown command");
    if (w->Parent == nullptr) return 0;
    const std::vector<TWnd*>& siblings = w->Parent->Children;
    const auto at = std::find(siblings.begin(), siblings.end(), w);
    switch (Command) {
        case GW_HWNDFIRST:
            return siblings.front()->Handle;
        case GW_HWNDLAST:
            return siblings.back()->Handle;
        case GW_HWNDNEXT:
            return at + 1 == siblings.end() ? 0 : (*(at + 1))->Handle;
        default:
            return at == siblings.begin() ? 0 : (*(at - 1))->Handle;
    }
}

bool EnumWindows(const WNDENUMPROC& Callback, LPARAM Param) {
    for (HWND top : wintree::ChildHandles(Store().Desktop()))
        if (Store().Find(top) != nullptr && !Callback(top, Param)) return false;
    return true;
}

bool EnumChildWindows(HWND Parent, const WNDENUMPROC& Callback, LPARAM Param) {
    const TWnd* w = Store().Find(Parent);
    if (w == nullptr) return false;
    for (HWND child : wintree::ChildHandles(*w)) {
        if (Store().Find(child) == nullptr) continue;
        if (!Callback(child, Param) || !EnumChildWindows(child, Callback, Param)) return false;
    }
    return true;
}

LONG_PTR GetWindowLong(HWND Wnd, int Index) {
    const TWnd* w = Store().Find(Wnd);
    if (Index != GWL_ID && Index != GWL_STYLE && Index != GWL_EXSTYLE && Index != GWL_USERDATA)
        throw EWindowError("GetWindowLong: unknown index " + std::to_string(Index));
    if (w == nullptr) return 0;
    switch (Index) {
        case GWL_ID:
            return w->Id;
        case GWL_STYLE:
            return w->Style;
        case GWL_EXSTYLE:
            return w->ExStyle;
        default:
            return w->UserData;
    }
}

LONG_PTR SetWindowLong(HWND Wnd, int Index, LONG_PTR Value) {
    const LONG_PTR previous = GetWindowLong(Wnd, Index);
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return 0;
    if (Index == GWL_ID) {
        w->Id = Value;
    } else if (Index == GWL_USERDATA) {
        w->UserData = Value;
    } else {
        STYLESTRUCT change{static_cast<DWORD>(previous), static_cast<DWORD>(Value)};
        const LPARAM param = reinterpret_cast<LPARAM>(&change);
        SendMessage(Wnd, WM_STYLECHANGING, static_cast<WPARAM>(Index), param);
        w = Store().Find(Wnd);
        if (w == nullptr) return 0;
        wintree::SetLayoutField(Index == GWL_STYLE ? w->Style : w->ExStyle, change.styleNew);
        SendMessage(Wnd, WM_STYLECHANGED, static_cast<WPARAM>(Index), param);
    }
    return previous;
}

WNDPROC GetWindowProc(HWND Wnd) {
    const TWnd* w = Store().Find(Wnd);
    return w == nullptr ? WNDPROC() : *w->Proc;
}

WNDPROC SetWindowProc(HWND Wnd, WNDPROC Proc) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return WNDPROC();
    if (!Proc) throw EWindowError("SetWindowProc: a window needs a procedure");
    // The procedure running now, if any, stays alive through the copy its caller holds.
    WNDPROC previous = *w->Proc;
    w->Proc = std::make_shared<const WNDPROC>(std::move(Proc));
    return previous;
}

LRESULT CallWindowProc(const WNDPROC& Proc, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return Proc ? Proc(Wnd, Msg, WParam, LParam) : DefWindowProc(Wnd, Msg, WParam, LParam);
}

bool SetWindowText(HWND Wnd, const std::string& Text) {
    if (Store().Find(Wnd) == nullptr) return false;
    return SendMessage(Wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text.c_str())) != 0;
}

std::string GetWindowText(HWND Wnd) {
    const int32_t length = GetWindowTextLength(Wnd);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessage(Wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

int32_t GetWindowTextLength(HWND Wnd) {
    return static_cast<int32_t>(SendMessage(Wnd, WM_GETTEXTLENGTH, 0, 0));
}

}  // namespace vex
