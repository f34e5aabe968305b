#include "platform/win/windowpos.h"

#include <algorithm>

#include "platform/win/activation.h"
#include "platform/win/childindex.h"
#include "platform/win/focus.h"
#include "platform/win/invalidation.h"
#include "platform/win/presenter.h"
#include "platform/win/presenting.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowsizing.h"
#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

using wintree::Height;
using wintree::Width;

TWindowStore& Store() {
    return TWindowStore::Instance();
}

LPARAM PackPoint(int32_t X, int32_t Y) {
    return MAKELONG(static_cast<uint16_t>(X), static_cast<uint16_t>(Y));
}

bool IsTopMost(const TWnd& W) {
    return (W.ExStyle & WS_EX_TOPMOST) != 0;
}

// Puts the window in its place among its siblings; true when the order changed. A top-level
// window takes its band from InsertAfter and brings the windows it owns along above it.
bool Restack(TWnd& W, HWND InsertAfter) {
    TWnd& parent = *W.Parent;
    const std::vector<TWnd*> before = parent.Children;
    const bool topLevel = wintree::IsTopLevel(W);
    if (topLevel) {
        if (InsertAfter == HWND_TOPMOST) {
            W.ExStyle |= WS_EX_TOPMOST;
        } else if (InsertAfter == HWND_NOTOPMOST || InsertAfter == HWND_BOTTOM) {
            W.ExStyle &= ~WS_EX_TOPMOST;
        } else if (const TWnd* after = Store().Find(InsertAfter);
                   after != nullptr && after->Parent == &parent && after != &W) {
            W.ExStyle = (W.ExStyle & ~WS_EX_TOPMOST) | (after->ExStyle & WS_EX_TOPMOST);
        }
    }
    if (InsertAfter == W.Handle) return false;
    wintree::Unlink(W);
    wintree::Link(parent, W, InsertAfter);
    if (topLevel) {
        // Owned windows stay above their owner, in their order.
        std::vector<TWnd*> owned;
        for (TWnd* c : parent.Children)
            if (c->Owner == W.Handle && IsTopMost(*c) == IsTopMost(W)) owned.push_back(c);
        for (TWnd* o : owned)
            std::erase(parent.Children, o);
        const auto at = std::find(parent.Children.begin(), parent.Children.end(), &W);
        parent.Children.insert(at, owned.begin(), owned.end());
        Store().LayoutChanged();
    }
    return parent.Children != before;
}

// The repainting a change of place, size, order or visibility leaves behind.
void Repaint(TWnd& W, bool WasShowing, const TRect& OldBounds, const TRect& OldClient,
             bool Restacked, UINT Flags) {
    const bool showing = wintree::IsShowing(W);
    const bool redraw = (Flags & SWP_NOREDRAW) == 0;
    const bool child = !wintree::IsTopLevel(W);
    if (!showing) {
        wintree::ClearUpdates(W);
        if (WasShowing && child && redraw) wintree::ExposeInParent(*W.Parent, TRegion(OldBounds));
        return;
    }
    if (!WasShowing) {
        wintree::InvalidateWhole(W);
        return;
    }
    const bool moved = OldBounds.Left != W.Bounds.Left || OldBounds.Top != W.Bounds.Top;
    const bool wider = Width(OldBounds) != Width(W.Bounds);
    const bool taller = Height(OldBounds) != Height(W.Bounds);
    if (!redraw) return;
    if (child && (moved || wider || taller || Restacked)) {
        TRegion uncovered(OldBounds);
        if (!Restacked) uncovered.Subtract(W.Bounds);
        wintree::ExposeInParent(*W.Parent, uncovered);
    }
    const UINT classStyle = W.Class ? W.Class->Class.style : 0;
    const bool clientMoved = OldClient.Left != W.Client.Left || OldClient.Top != W.Client.Top;
    if ((child && (moved || Restacked)) || clientMoved || (wider && (classStyle & CS_HREDRAW)) ||
        (taller && (classStyle & CS_VREDRAW))) {
        wintree::InvalidateWhole(W);
        return;
    }
    const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    TRegion added(wintree::WindowArea(W));
    added.Subtract(TRect{0, 0, Width(OldBounds), Height(OldBounds)});
    wintree::Invalidate(W, added, flags);
    if (OldClient != W.Client || (Flags & SWP_FRAMECHANGED)) {
        TRegion frame(wintree::WindowArea(W));
        frame.Subtract(W.Client);
        wintree::Invalidate(W, frame, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    }
}

UINT ChangedFlags(const WINDOWPOS& Asked, const TWnd& W, const TRect& OldBounds,
                  const TRect& OldClient) {
    UINT flags = Asked.flags & ~(SWP_NOMOVE | SWP_NOSIZE | SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE);
    if (OldBounds.Left == W.Bounds.Left && OldBounds.Top == W.Bounds.Top) flags |= SWP_NOMOVE;
    if (Width(OldBounds) == Width(W.Bounds) && Height(OldBounds) == Height(W.Bounds))
        flags |= SWP_NOSIZE;
    if (Width(OldClient) == Width(W.Client) && Height(OldClient) == Height(W.Client))
        flags |= SWP_NOCLIENTSIZE;
    if (int64_t{OldBounds.Left} + OldClient.Left == int64_t{W.Bounds.Left} + W.Client.Left &&
        int64_t{OldBounds.Top} + OldClient.Top == int64_t{W.Bounds.Top} + W.Client.Top)
        flags |= SWP_NOCLIENTMOVE;
    return flags;
}

void Minimize(HWND Wnd) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr || w->Iconic) return;
    if ((w->Style & WS_VISIBLE) == 0) {
        SendMessage(Wnd, WM_SHOWWINDOW, 1, 0);
        if ((w = Store().Find(Wnd)) == nullptr) return;
        wintree::SetLayoutField(w->Style, w->Style | WS_VISIBLE);
    }
    wintree::SetLayoutField(w->Iconic, true);
    wintree::ClearUpdates(*w);
    wintree::SyncWithPresenter(*w);
    wintree::ActivateNext(Wnd);
    wintree::SendSizeAndMove(Wnd, true, false);
}

void Restore(HWND Wnd, bool Activate) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr || !w->Iconic) return;
    wintree::SetLayoutField(w->Iconic, false);
    wintree::SyncWithPresenter(*w);
    if (wintree::IsShowing(*w)) wintree::InvalidateWhole(*w);
    wintree::SendSizeAndMove(Wnd, true, false);
    if (Activate && Store().Find(Wnd) != nullptr) wintree::Activate(Wnd);
}

void Show(HWND Wnd, bool Activate) {
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return;
    if (w->Style & WS_VISIBLE) {
        if (Activate && wintree::IsTopLevel(*w)) wintree::Activate(Wnd);
        return;
    }
    SendMessage(Wnd, WM_SHOWWINDOW, 1, 0);
    SetWindowPos(
        Wnd, 0, 0, 0, 0, 0,
        SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (Activate ? 0 : SWP_NOACTIVATE));
}

TRect ScreenRect(const TWnd& W) {
    if (Store().IsDesktop(W)) return Presenter().ScreenRect();
    const TPoint origin = wintree::WindowOrigin(W);
    return wintree::PlacedAt(origin, Width(W.Bounds), Height(W.Bounds));
}

// The point in screen coordinates of client point (0, 0); the screen's own for Wnd 0.
bool ClientOffset(HWND Wnd, TPoint& Offset) {
    if (Wnd == 0) {
        Offset = TPoint{0, 0};
        return true;
    }
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return false;
    Offset = wintree::ClientOrigin(*w);
    return true;
}

HWND DeepestAt(const TWnd& W, TPoint ScreenPoint) {
    const TPoint client = wintree::ClientOrigin(W);
    const TPoint inClient = wintree::Shifted(ScreenPoint, -int64_t{client.X}, -int64_t{client.Y});
    if (!PtInRect(TRect{0, 0, Width(W.Client), Height(W.Client)}, inClient)) return W.Handle;
    const TWnd* child = wintree::TChildIndex::ChildAt(W, inClient);
    return child != nullptr ? DeepestAt(*child, ScreenPoint) : W.Handle;
}

}  // namespace

namespace wintree {

void RecalculateClient(HWND Wnd) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return;
    TRect rect = w->Bounds;
    SendMessage(Wnd, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&rect));
    if ((w = Store().Find(Wnd)) == nullptr) return;
    // Into window coordinates; whatever the procedure answered, the client area stays inside
    // the window.
    const auto inside = [](int32_t V, int32_t Origin, int32_t Low, int32_t High) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{V} - Origin, Low, High));
    };
    const int32_t width = Width(w->Bounds);
    const int32_t height = Height(w->Bounds);
    TRect client;
    client.Left = inside(rect.Left, w->Bounds.Left, 0, width);
    client.Top = inside(rect.Top, w->Bounds.Top, 0, height);
    client.Right = inside(rect.Right, w->Bounds.Left, client.Left, width);
    client.Bottom = inside(rect.Bottom, w->Bounds.Top, client.Top, height);
    wintree::SetLayoutField(w->Client, client);
}

void SendSizeAndMove(HWND Wnd, bool Size, bool Move) {
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return;
    const TPoint place =
        wintree::Shifted({w->Bounds.Left, w->Bounds.Top}, w->Client.Left, w->Client.Top);
    if (Size) {
        const LPARAM size = w->Iconic ? 0 : PackPoint(Width(w->Client), Height(w->Client));
        SendMessage(Wnd, WM_SIZE, w->Iconic ? SIZE_MINIMIZED : SIZE_RESTORED, size);
    }
    if (Move && Store().Find(Wnd) != nullptr)
        SendMessage(Wnd, WM_MOVE, 0, PackPoint(place.X, place.Y));
}

}  // namespace wintree

bool SetWindowPos(HWND Wnd, HWND InsertAfter, int32_t X, int32_t Y, int32_t Width, int32_t Height,
                  UINT Flags) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr || Store().IsDesktop(*w)) return false;
    WINDOWPOS pos{Wnd, InsertAfter, X, Y, Width, Height, Flags};
    if (Flags & SWP_NOMOVE) {
        pos.x = w->Bounds.Left;
        pos.y = w->Bounds.Top;
    }
    if (Flags & SWP_NOSIZE) {
        pos.cx = wintree::Width(w->Bounds);
        pos.cy = wintree::Height(w->Bounds);
    }
    SendMessage(Wnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if ((w = Store().Find(Wnd)) == nullptr) return false;

    const bool wasShowing = wintree::IsShowing(*w);
    const TRect oldBounds = w->Bounds;
    const TRect oldClient = w->Client;
    const bool restacked = (pos.flags & SWP_NOZORDER) == 0 && Restack(*w, pos.hwndInsertAfter);
    wintree::SetLayoutField(
        w->Bounds, TRect{pos.x, pos.y, SaturateToInt32(int64_t{pos.x} + std::max(pos.cx, 0)),
                         SaturateToInt32(int64_t{pos.y} + std::max(pos.cy, 0))});
    if (wintree::Width(oldBounds) != wintree::Width(w->Bounds) ||
        wintree::Height(oldBounds) != wintree::Height(w->Bounds) ||
        (pos.flags & SWP_FRAMECHANGED)) {
        wintree::RecalculateClient(Wnd);
        if ((w = Store().Find(Wnd)) == nullptr) return false;
    }
    if (pos.flags & SWP_SHOWWINDOW)
        wintree::SetLayoutField(w->Style, w->Style | WS_VISIBLE);
    else if (pos.flags & SWP_HIDEWINDOW)
        wintree::SetLayoutField(w->Style, w->Style & ~WS_VISIBLE);
    // What waited to be painted outside a window that shrank is gone with that part.
    w->Update.Intersect(wintree::WindowArea(*w));
    wintree::SyncPending(*w);
    const bool showing = wintree::IsShowing(*w);
    Repaint(*w, wasShowing, oldBounds, oldClient, restacked, pos.flags);
    wintree::SyncWithPresenter(*w);
    if (wasShowing && !showing) {
        wintree::InputLeaves(Wnd);
        wintree::ActivateNext(Wnd);
    }
    if (showing && wintree::IsTopLevel(*w) && (pos.flags & SWP_NOACTIVATE) == 0)
        wintree::Activate(Wnd);
    if ((w = Store().Find(Wnd)) == nullptr) return true;

    WINDOWPOS changed{Wnd,
                      pos.hwndInsertAfter,
                      w->Bounds.Left,
                      w->Bounds.Top,
                      wintree::Width(w->Bounds),
                      wintree::Height(w->Bounds),
                      ChangedFlags(pos, *w, oldBounds, oldClient)};
    SendMessage(Wnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    return true;
}

bool MoveWindow(HWND Wnd, int32_t X, int32_t Y, int32_t Width, int32_t Height, bool Repaint) {
    return SetWindowPos(Wnd, 0, X, Y, Width, Height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (Repaint ? 0 : SWP_NOREDRAW));
}

bool ShowWindow(HWND Wnd, int Command) {
    if (Command != SW_HIDE && Command != SW_SHOWNORMAL && Command != SW_SHOWNOACTIVATE &&
        Command != SW_SHOW && Command != SW_MINIMIZE && Command != SW_SHOWNA &&
        Command != SW_RESTORE)
        throw EWindowError("ShowWindow: unknown command " + std::to_string(Command));
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr || Store().IsDesktop(*w)) return false;
    const bool wasVisible = (w->Style & WS_VISIBLE) != 0;
    switch (Command) {
        case SW_HIDE:
            if (!wasVisible) return false;
            SendMessage(Wnd, WM_SHOWWINDOW, 0, 0);
            SetWindowPos(Wnd, 0, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case SW_MINIMIZE:
            Minimize(Wnd);
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            Restore(Wnd, true);
            Show(Wnd, true);
            break;
        case SW_SHOWNOACTIVATE:
            Restore(Wnd, false);
            Show(Wnd, false);
            break;
        case SW_SHOW:
            Show(Wnd, true);
            break;
        default:
            Show(Wnd, false);
    }
    return wasVisible;
}

bool BringWindowToTop(HWND Wnd) {
    return SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool GetWindowRect(HWND Wnd, TRect& Rect) {
    const TWnd* w = Store().Find(Wnd);
    Rect = w == nullptr ? TRect{} : ScreenRect(*w);
    return w != nullptr;
}

bool GetClientRect(HWND Wnd, TRect& Rect) {
    const TWnd* w = Store().Find(Wnd);
    Rect = TRect{};
    if (w == nullptr) return false;
    const TRect client = Store().IsDesktop(*w) ? ScreenRect(*w) : w->Client;
    Rect = TRect{0, 0, Width(client), Height(client)};
    return true;
}

bool ClientToScreen(HWND Wnd, TPoint& Point) {
    TPoint offset;
    if (Wnd == 0 || !ClientOffset(Wnd, offset)) return false;
    Point = wintree::Shifted(Point, offset.X, offset.Y);
    return true;
}

bool ScreenToClient(HWND Wnd, TPoint& Point) {
    TPoint offset;
    if (Wnd == 0 || !ClientOffset(Wnd, offset)) return false;
    Point = wintree::Shifted(Point, -int64_t{offset.X}, -int64_t{offset.Y});
    return true;
}

int32_t MapWindowPoints(HWND From, HWND To, TPoint* Points, uint32_t Count) {
    TPoint from;
    TPoint to;
    if (!ClientOffset(From, from) || !ClientOffset(To, to)) return 0;
    const int32_t dx = SaturateToInt32(int64_t{from.X} - to.X);
    const int32_t dy = SaturateToInt32(int64_t{from.Y} - to.Y);
    for (uint32_t i = 0; i < Count; ++i)
        Points[i] = wintree::Shifted(Points[i], dx, dy);
    return static_cast<int32_t>(PackPoint(dx, dy));
}

int32_t MapWindowPoints(HWND From, HWND To, TRect& Rect) {
    TPoint corners[2] = {{Rect.Left, Rect.Top}, {Rect.Right, Rect.Bottom}};
    const int32_t offset = MapWindowPoints(From, To, corners, 2);
    Rect = TRect{corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
    return offset;
}

HWND WindowFromPoint(TPoint ScreenPoint) {
    for (const TWnd* top : Store().Desktop().Children)
        if ((top->Style & WS_VISIBLE) && !top->Iconic && PtInRect(ScreenRect(*top), ScreenPoint))
            return DeepestAt(*top, ScreenPoint);
    return 0;
}

HWND ChildWindowFromPoint(HWND Parent, TPoint Point) {
    const TWnd* w = Store().Find(Parent);
    if (w == nullptr || !PtInRect(TRect{0, 0, Width(w->Client), Height(w->Client)}, Point))
        return 0;
    for (const TWnd* c : w->Children)
        if ((c->Style & WS_VISIBLE) && PtInRect(c->Bounds, Point)) return c->Handle;
    return Parent;
}

bool IsWindowVisible(HWND Wnd) {
    const TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return false;
    for (; w != nullptr; w = w->Parent)
        if ((w->Style & WS_VISIBLE) == 0) return false;
    return true;
}

bool IsIconic(HWND Wnd) {
    const TWnd* w = Store().Find(Wnd);
    return w != nullptr && w->Iconic;
}

bool EnableWindow(HWND Wnd, bool Enable) {
    TWnd* w = Store().Find(Wnd);
    if (w == nullptr) return false;
    const bool wasDisabled = (w->Style & WS_DISABLED) != 0;
    if (wasDisabled != Enable) return wasDisabled;
    wintree::SetLayoutField(w->Style, Enable ? w->Style & ~WS_DISABLED : w->Style | WS_DISABLED);
    if (!Enable) wintree::InputLeaves(Wnd);
    SendMessage(Wnd, WM_ENABLE, Enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND Wnd) {
    const TWnd* w = Store().Find(Wnd);
    return w != nullptr && (w->Style & WS_DISABLED) == 0;
}

}  // namespace vex
