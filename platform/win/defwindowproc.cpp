#include <algorithm>
#include <cstring>

#include "platform/win/capture.h"
#include "platform/win/cursor.h"
#include "platform/win/focus.h"
#include "platform/win/hittest.h"
#include "platform/win/invalidation.h"
#include "platform/win/keyboard.h"
#include "platform/win/nonclient.h"
#include "platform/win/presenting.h"
#include "platform/win/scrollbars.h"
#include "platform/win/scrolltracking.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowsizing.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// A caption shows the title and whether the window is active.
void InvalidateCaption(TWnd& W) {
    if ((W.Style & WS_CAPTION) != WS_CAPTION) return;
    TRegion frame(wintree::WindowArea(W));
    frame.Subtract(W.Client);
    wintree::Invalidate(W, frame, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

// The cursor the frame shows where the pointer is, for a hit-test code outside the client area.
uint32_t FrameCursor(int32_t HitTest) {
    switch (HitTest) {
        case HTLEFT:
        case HTRIGHT:
            return IDC_SIZEWE;
        case HTTOP:
        case HTBOTTOM:
            return IDC_SIZENS;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            return IDC_SIZENWSE;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            return IDC_SIZENESW;
        default:
            return IDC_ARROW;
    }
}

// A child lets its parent choose first, except on the sizing borders, which are its own; in
// the client area the class cursor shows when the class has one, else the window's own code
// is left to choose; the frame shows the arrow or the size cursor of its border.
LRESULT SetCursorFor(HWND Wnd, WPARAM WParam, LPARAM LParam) {
    TWindowStore& store = TWindowStore::Instance();
    const auto hitTest = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(LParam)));
    const bool sizing = hitTest >= HTLEFT && hitTest <= HTBOTTOMRIGHT;
    const TWnd* w = store.Find(Wnd);
    if (w != nullptr && (w->Style & WS_CHILD) != 0 && !sizing && w->Parent != nullptr &&
        !store.IsDesktop(*w->Parent) &&
        SendMessage(w->Parent->Handle, WM_SETCURSOR, WParam, LParam) != 0)
        return 1;
    w = store.Find(Wnd);  // the parent's handler may have destroyed it
    if (w == nullptr) return 0;
    if (hitTest == HTCLIENT) {
        if (w->Class == nullptr || w->Class->Class.hCursor == 0) return 0;
        SetCursor(w->Class->Class.hCursor);
        return 1;
    }
    SetCursor(LoadCursor(0, FrameCursor(hitTest)));
    return 1;
}

// A child passes these up: the parent may answer for it.
LRESULT AskParent(const TWnd& W, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (wintree::IsTopLevel(W) || W.Parent == nullptr || !(W.Style & WS_CHILD)) return 0;
    return SendMessage(W.Parent->Handle, Msg, WParam, LParam);
}

}  // namespace

LRESULT DefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    if (w == nullptr) return 0;
    switch (Msg) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCT*>(LParam);
            if (create != nullptr && create->lpszName != nullptr) w->Text = create->lpszName;
            return 1;
        }
        case WM_NCCALCSIZE:
            if (auto* rect = reinterpret_cast<TRect*>(LParam))
                *rect = ClientInside(*rect, w->Style, w->ExStyle);
            return 0;
        case WM_SETTEXT:
            w->Text = LParam == 0 ? "" : reinterpret_cast<const char*>(LParam);
            InvalidateCaption(*w);
            if (w->Presented) wintree::SyncWithPresenter(*w);
            return 1;
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<char*>(LParam);
            if (WParam == 0 || buffer == nullptr) return 0;
            const size_t copied = std::min<size_t>(w->Text.size(), WParam - 1);
            std::memcpy(buffer, w->Text.data(), copied);
            buffer[copied] = '\0';
            return static_cast<LRESULT>(copied);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->Text.size());
        case WM_PAINT:
            ValidateRect(Wnd, nullptr);
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (const auto* pos = reinterpret_cast<const WINDOWPOS*>(LParam))
                wintree::SendSizeAndMove(Wnd, (pos->flags & SWP_NOCLIENTSIZE) == 0,
                                         (pos->flags & SWP_NOCLIENTMOVE) == 0);
            return 0;
        case WM_SETREDRAW:
            w->RedrawOff = WParam == 0;
            return 0;
        case WM_NCACTIVATE:
            InvalidateCaption(*w);
            return 1;
        case WM_CLOSE:
            DestroyWindow(Wnd);
            return 0;
        case WM_SETCURSOR:
            return SetCursorFor(Wnd, WParam, LParam);
        case WM_ACTIVATE:
            if (LOWORD(WParam) != WA_INACTIVE && !w->Iconic) SetFocus(Wnd);
            return 0;
        case WM_NCHITTEST:
            return wintree::NonClientHitTest(*w,
                                             TPoint{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)});
        case WM_MOUSEACTIVATE: {
            const LRESULT parent = AskParent(*w, Msg, WParam, LParam);
            return parent != 0 ? parent : MA_ACTIVATE;
        }
        case WM_MOUSEWHEEL:
            return AskParent(*w, Msg, WParam, LParam);
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
            // The context-menu key, and Shift+F10, ask for the window's context menu at no
            // point of the screen (-1, -1): the window places it itself.
            if ((Msg == WM_KEYUP && WParam == static_cast<WPARAM>(VK_APPS)) ||
                (Msg == WM_SYSKEYDOWN && WParam == static_cast<WPARAM>(VK_F10) &&
                 GetKeyState(VK_SHIFT) < 0))
                SendMessage(Wnd, WM_CONTEXTMENU, Wnd, MAKELONG(0xFFFF, 0xFFFF));
            return 0;
        case WM_CANCELMODE:
            if (GetCapture() == Wnd) ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            wintree::ScrollTracking().CaptureLost(Wnd);
            return 0;
        case WM_NCLBUTTONDOWN:
            if (WParam == static_cast<WPARAM>(HTVSCROLL) ||
                WParam == static_cast<WPARAM>(HTHSCROLL))
                wintree::ScrollTracking().Start(
                    Wnd, WParam == static_cast<WPARAM>(HTVSCROLL) ? SB_VERT : SB_HORZ,
                    TPoint{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)});
            return 0;
        default:
            return 0;
    }
}

}  // namespace vex
