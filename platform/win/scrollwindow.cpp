#include "platform/win/scrollwindow.h"

#include "platform/win/caretsuspension.h"
#include "platform/win/invalidation.h"
#include "platform/win/painting.h"
#include "platform/win/updateregion.h"
#include "platform/win/visibleregion.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstore.h"

namespace vex {

namespace {

// What shows of the client area, in client coordinates; children count as showing when they
// move along.
TRegion ShowingClient(TWnd& W, bool WithChildren) {
    if (!wintree::CanPaint(W)) return TRegion();
    TRegion visible = wintree::VisibleRegion(W, W.Client, !WithChildren);
    const TPoint client = wintree::ClientBufferOrigin(W);
    visible.Offset(wintree::Negated(client.X), wintree::Negated(client.Y));
    return visible;
}

// The pending update region of the client part inside Area moves by DX, DY, staying inside.
void MovePendingUpdate(TWnd& W, const TRect& Area, int32_t DX, int32_t DY) {
    TRect area = Area;
    OffsetRect(area, W.Client.Left, W.Client.Top);
    TRegion moving = W.Update;
    moving.Intersect(area);
    if (moving.Empty()) return;
    W.Update.Subtract(area);
    moving.Offset(DX, DY);
    moving.Intersect(area);
    W.Update.Union(moving);
    wintree::SyncPending(W);
}

void MoveChildren(HWND Wnd, const TRect* Scroll, int32_t DX, int32_t DY) {
    TWindowStore& store = TWindowStore::Instance();
    const TWnd* w = store.Find(Wnd);
    if (w == nullptr) return;
    for (HWND child : wintree::ChildHandles(*w)) {
        const TWnd* c = store.Find(child);
        TRect common;
        if (c == nullptr || (Scroll != nullptr && !IntersectRect(common, c->Bounds, *Scroll)))
            continue;
        const TPoint to = wintree::Shifted({c->Bounds.Left, c->Bounds.Top}, DX, DY);
        SetWindowPos(child, 0, to.X, to.Y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
}

}  // namespace

int ScrollWindowEx(HWND Wnd, int32_t DX, int32_t DY, const TRect* Scroll, const TRect* Clip,
                   TRegion* Update, TRect* UpdateRect, UINT Flags) {
    // The caret stays where it is while the pixels around it move.
    const TCaretSuspension caretOff(Wnd);
    TWnd* w = TWindowStore::Instance().Find(Wnd);
    if (w == nullptr) return ERROR;
    if (DX == 0 && DY == 0) {
        if (Update != nullptr) Update->Clear();
        if (UpdateRect != nullptr) *UpdateRect = TRect{};
        return NULLREGION;
    }
    const bool children = (Flags & SW_SCROLLCHILDREN) != 0;
    const TRect client{0, 0, wintree::Width(w->Client), wintree::Height(w->Client)};
    TRect scroll = client;
    if (Scroll != nullptr) IntersectRect(scroll, *Scroll, client);
    TRect target = scroll;
    if (Clip != nullptr) IntersectRect(target, target, *Clip);

    const TRegion showing = ShowingClient(*w, children);
    TRegion filled(scroll);
    filled.Intersect(showing);
    filled.Offset(DX, DY);
    filled.Intersect(target);
    filled.Intersect(showing);
    if (!filled.Empty()) {
        const TPoint client = wintree::ClientBufferOrigin(*w);
        filled.Offset(client.X, client.Y);
        wintree::BufferOf(*w)->Move(filled, DX, DY);
        PresentWindowArea(Wnd, filled.Bounds());
        filled.Offset(wintree::Negated(client.X), wintree::Negated(client.Y));
    }
    TRegion uncovered(target);
    uncovered.Subtract(filled);
    MovePendingUpdate(*w, target, DX, DY);

    if (children) MoveChildren(Wnd, Scroll, DX, DY);
    if ((Flags & SW_INVALIDATE) && (w = TWindowStore::Instance().Find(Wnd)) != nullptr) {
        TRegion area = uncovered;
        area.Offset(w->Client.Left, w->Client.Top);
        wintree::Invalidate(*w, area,
                            RDW_INVALIDATE | ((Flags & SW_ERASE) ? RDW_ERASE : 0) |
                                (children ? RDW_ALLCHILDREN : 0));
    }
    if (UpdateRect != nullptr) *UpdateRect = uncovered.Bounds();
    const int kind = wintree::RegionKind(uncovered);
    if (Update != nullptr) *Update = std::move(uncovered);
    return kind;
}

bool ScrollWindow(HWND Wnd, int32_t DX, int32_t DY, const TRect* Scroll, const TRect* Clip) {
    const UINT flags = SW_INVALIDATE | SW_ERASE | (Scroll == nullptr ? SW_SCROLLCHILDREN : 0);
    return ScrollWindowEx(Wnd, DX, DY, Scroll, Clip, nullptr, nullptr, flags) != ERROR;
}

}  // namespace vex
