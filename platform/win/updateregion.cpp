#include "platform/win/updateregion.h"

#include <vector>

#include "platform/win/invalidation.h"
#include "platform/win/painting.h"
#include "platform/win/windowstore.h"

namespace vex {

namespace {

// The area a call names, in the window's window coordinates.
TRegion AreaOf(const TWnd& W, const TRect* Rect, const TRegion* Region, UINT Flags) {
    if (Region == nullptr && Rect == nullptr)
        return TRegion((Flags & RDW_FRAME) ? wintree::WindowArea(W) : W.Client);
    TRegion area = Region != nullptr ? *Region : TRegion(*Rect);
    area.Offset(W.Client.Left, W.Client.Top);
    return area;
}

// Paints W, and with Children each window inside it, that waits to, parents first. W is not
// used after a message: any message may free any window.
void PaintNow(TWnd& W, bool Children) {
    TWindowStore& store = TWindowStore::Instance();
    const HWND wnd = W.Handle;
    TWnd* w = &W;
    if (w->InPending && wintree::CanPaint(*w)) {
        wintree::SendPaint(*w);
        w = store.Find(wnd);
        if (w == nullptr) return;
    }
    if (!Children || w->Children.empty()) return;
    // The children are reached by their records while no window has been freed, which saves a
    // search for each of a great many; once one has, by handle.
    struct TChild {
        TWnd* Record;
        HWND Handle;
    };
    std::vector<TChild> children;
    children.reserve(w->Children.size());
    for (TWnd* c : w->Children)
        children.push_back({c, c->Handle});
    const uint64_t removals = store.Removals();
    for (const TChild& c : children) {
        TWnd* child = store.Removals() == removals ? c.Record : store.Find(c.Handle);
        if (child != nullptr) PaintNow(*child, true);
    }
}

void PaintNow(HWND Wnd, bool Children) {
    if (TWnd* w = TWindowStore::Instance().Find(Wnd)) PaintNow(*w, Children);
}

}  // namespace

bool RedrawWindow(HWND Wnd, const TRect* Rect, const TRegion* Region, UINT Flags) {
    TWindowStore& store = TWindowStore::Instance();
    TWnd* w = store.Find(Wnd);
    if (w == nullptr) return false;
    const TRegion area = AreaOf(*w, Rect, Region, Flags);
    if (Flags & (RDW_INVALIDATE | RDW_INTERNALPAINT)) wintree::Invalidate(*w, area, Flags);
    if (Flags & (RDW_VALIDATE | RDW_NOINTERNALPAINT)) wintree::Validate(*w, area, Flags);
    if (Flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        PaintNow(Wnd, (Flags & RDW_NOCHILDREN) == 0);
        PresentPainted();
    }
    return true;
}

bool InvalidateRect(HWND Wnd, const TRect* Rect, bool Erase) {
    const UINT flags = RDW_INVALIDATE | (Erase ? RDW_ERASE : 0);
    if (Wnd != 0) return RedrawWindow(Wnd, Rect, nullptr, flags);
    for (HWND top : wintree::ChildHandles(TWindowStore::Instance().Desktop()))
        RedrawWindow(top, nullptr, nullptr, flags | RDW_FRAME | RDW_ALLCHILDREN);
    return true;
}

bool InvalidateRgn(HWND Wnd, const TRegion* Region, bool Erase) {
    if (Wnd == 0) return InvalidateRect(0, nullptr, Erase);
    return RedrawWindow(Wnd, nullptr, Region, RDW_INVALIDATE | (Erase ? RDW_ERASE : 0));
}

bool ValidateRect(HWND Wnd, const TRect* Rect) {
    const UINT flags = RDW_VALIDATE | RDW_NOCHILDREN | (Rect == nullptr ? RDW_FRAME : 0);
    return RedrawWindow(Wnd, Rect, nullptr, flags);
}

bool ValidateRgn(HWND Wnd, const TRegion* Region) {
    if (Region == nullptr) return ValidateRect(Wnd, nullptr);
    return RedrawWindow(Wnd, nullptr, Region, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool GetUpdateRect(HWND Wnd, TRect& Rect) {
    TRegion region;
    GetUpdateRgn(Wnd, region);
    Rect = region.Bounds();
    return !region.Empty();
}

int GetUpdateRgn(HWND Wnd, TRegion& Region) {
    const TWnd* w = TWindowStore::Instance().Find(Wnd);
    Region.Clear();
    if (w == nullptr) return ERROR;
    Region = w->Update;
    Region.Intersect(w->Client);
    Region.Offset(-w->Client.Left, -w->Client.Top);
    return wintree::RegionKind(Region);
}

bool UpdateWindow(HWND Wnd) {
    if (TWindowStore::Instance().Find(Wnd) == nullptr) return false;
    PaintNow(Wnd, true);
    PresentPainted();
    return true;
}

bool LockWindowUpdate(HWND Wnd) {
    TWindowStore& store = TWindowStore::Instance();
    if (Wnd == 0) {
        if (store.Locked == 0) return false;
        if (--store.LockCount == 0) store.Locked = 0;
        return true;
    }
    if (store.Find(Wnd) == nullptr) return false;
    if (store.Locked != 0 && store.Locked != Wnd) return false;
    store.Locked = Wnd;
    ++store.LockCount;
    return true;
}

}  // namespace vex
