#include "platform/win/invalidation.h"

#include <algorithm>

#include "platform/win/painting.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowstyles.h"

namespace vex::wintree {

namespace {

// An update region of more rectangles than this waits as its bounds instead: painting a little
// more costs less than keeping, and walking at every change, thousands of scattered pieces.
constexpr size_t kMaxUpdateRects = 64;

// The chain up to the desktop shows and none of it has redrawing off; a lock does not keep a
// window from being invalidated. A visible child of a window that reaches is reached itself
// unless its own redrawing is off.
bool Reaches(const TWnd& W) {
    return ShowsWithRedrawOn(W, 0);
}

bool IncludesChildren(const TWnd& W, UINT Flags) {
    if (Flags & RDW_ALLCHILDREN) return true;
    return (Flags & RDW_NOCHILDREN) == 0 && (W.Style & WS_CLIPCHILDREN) == 0;
}

// Calls Apply for each visible child with the part of Area (W's window coordinates) it covers,
// in the child's window coordinates.
template <class Action>
void ForChildrenIn(TWnd& W, const TRegion& Area, Action Apply) {
    if (Area.Empty()) return;
    const TRect bounds = Area.Bounds();
    for (TWnd* c : W.Children) {
        if ((c->Style & WS_VISIBLE) == 0) continue;
        TRect place = c->Bounds;
        OffsetRect(place, W.Client.Left, W.Client.Top);
        TRect common;
        if (!IntersectRect(common, place, bounds)) continue;
        TRegion part = Area;
        part.Intersect(place);
        if (part.Empty()) continue;
        part.Offset(Negated(place.Left), Negated(place.Top));
        Apply(*c, part);
    }
}

}  // namespace

void SyncPending(TWnd& W) {
    const bool waits = !W.Update.Empty() || W.InternalPaint;
    if (waits == W.InPending) return;
    W.InPending = waits;
    TPendingWindows& pending = TWindowStore::Instance().Pending;
    if (waits)
        pending.Insert(W.Handle);
    else
        pending.Erase(W.Handle);
}

namespace {

bool WantsFrameOf(UINT Flags) {
    return (Flags & RDW_FRAME) != 0;
}

// A parent that paints over its children leaves their frames to paint again too.
UINT ChildFlags(UINT Flags) {
    return (Flags & ~RDW_INTERNALPAINT) | RDW_FRAME;
}

// Adds the part of Area that W's update region lacks; Area lies within W.
void AddToUpdate(TWnd& W, const auto& Area, UINT Flags) {
    if (!W.Update.Covers(Area)) {
        W.Update.Union(Area);
        if (W.Update.Rects().size() > kMaxUpdateRects) W.Update = TRegion(W.Update.Bounds());
    }
    if (Flags & RDW_ERASE) W.Erase = true;
}

// Invalidate for a window known to be reached, with an area of one rectangle: the common case,
// worked out with no region made for it or for any child.
void InvalidateReachedRect(TWnd& W, const TRect& Area, UINT Flags) {
    if (Flags & RDW_INTERNALPAINT) W.InternalPaint = true;
    TRect area;
    const bool invalidates = (Flags & RDW_INVALIDATE) != 0;
    const bool any =
        invalidates && IntersectRect(area, Area, WantsFrameOf(Flags) ? WindowArea(W) : W.Client);
    if (any) AddToUpdate(W, area, Flags);
    SyncPending(W);
    if (!any || !IncludesChildren(W, Flags)) return;
    const UINT childFlags = ChildFlags(Flags);
    // From the bottom of the stacking order up, which is mostly the order the windows were made:
    // the windows waiting to paint are kept in that order, and each joins them at their end.
    for (auto it = W.Children.rbegin(); it != W.Children.rend(); ++it) {
        TWnd* c = *it;
        if ((c->Style & WS_VISIBLE) == 0 || c->RedrawOff) continue;
        TRect place = c->Bounds;
        OffsetRect(place, W.Client.Left, W.Client.Top);
        TRect part;
        if (!IntersectRect(part, place, area)) continue;
        OffsetRect(part, Negated(place.Left), Negated(place.Top));
        InvalidateReachedRect(*c, part, childFlags);
    }
}

void InvalidateReached(TWnd& W, const TRegion& Area, UINT Flags) {
    if (Area.Rects().size() == 1) return InvalidateReachedRect(W, Area.Rects().front(), Flags);
    if (Flags & RDW_INTERNALPAINT) W.InternalPaint = true;
    TRegion area;
    if (Flags & RDW_INVALIDATE) {
        area = Area;
        area.Intersect(WantsFrameOf(Flags) ? WindowArea(W) : W.Client);
        if (!area.Empty()) AddToUpdate(W, area, Flags);
    }
    SyncPending(W);
    if (area.Empty() || !IncludesChildren(W, Flags)) return;
    const UINT childFlags = ChildFlags(Flags);
    ForChildrenIn(W, area, [&](TWnd& C, const TRegion& Part) {
        if (!C.RedrawOff) InvalidateReached(C, Part, childFlags);
    });
}

}  // namespace

void Invalidate(TWnd& W, const TRegion& Area, UINT Flags) {
    if (Reaches(W)) InvalidateReached(W, Area, Flags);
}

void Validate(TWnd& W, const TRegion& Area, UINT Flags) {
    if (Flags & RDW_NOINTERNALPAINT) W.InternalPaint = false;
    SyncPending(W);
    if ((Flags & RDW_VALIDATE) == 0) return;
    TRegion area = Area;
    area.Intersect(WindowArea(W));
    W.Update.Subtract(area);
    W.Update.Intersect(WindowArea(W));
    if (Flags & RDW_NOFRAME) W.Update.Intersect(W.Client);
    if (W.Update.Empty() || (Flags & RDW_NOERASE)) W.Erase = false;
    SyncPending(W);
    if (!IncludesChildren(W, Flags)) return;
    ForChildrenIn(W, area, [&](TWnd& C, const TRegion& Part) {
        Validate(C, Part, (Flags & ~RDW_NOINTERNALPAINT) | RDW_FRAME);
    });
}

void InvalidateWhole(TWnd& W) {
    Invalidate(W, TRegion(WindowArea(W)), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ExposeInParent(TWnd& Parent, const TRegion& ClientArea) {
    TRegion area = ClientArea;
    area.Offset(Parent.Client.Left, Parent.Client.Top);
    Invalidate(Parent, area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ClearUpdates(TWnd& W) {
    W.Update.Clear();
    W.Erase = false;
    W.InternalPaint = false;
    SyncPending(W);
    for (TWnd* c : W.Children)
        ClearUpdates(*c);
}

namespace {

// Whether H can paint now; Target is then the window to paint first, H or a waiting ancestor.
bool FirstToPaint(HWND H, HWND& Target) {
    TWindowStore& store = TWindowStore::Instance();
    const TWnd* w = store.Find(H);
    if (w == nullptr || !CanPaint(*w)) return false;
    // Parents paint before their children, except one whose own paint left it waiting again:
    // it waits for the next round, and its children take their turns in this one.
    const TWnd* first = w;
    for (const TWnd* a = w->Parent; a != nullptr && a->Parent != nullptr; a = a->Parent)
        if (a->InPending && a->WaitsAgainInRound != store.PaintRound) first = a;
    Target = first->Handle;
    return true;
}

}  // namespace

bool NextToPaint(HWND Filter, HWND& Target) {
    TWindowStore& store = TWindowStore::Instance();
    if (Filter != 0) {
        // The caller paints its window alone, and may wait for it next: what was painted
        // before goes to the screen first, or a window that always has more to paint would
        // never show.
        PresentPainted();
        const TWnd* w = store.Find(Filter);
        if (w == nullptr || !w->InPending || !CanPaint(*w)) return false;
        Target = Filter;
        return true;
    }
    const auto paintable = [&](HWND H) { return FirstToPaint(H, Target); };
    // Round by round in the order the windows were made, going on after the one that painted
    // last: a window that invalidates itself whenever it paints waits for the rest of the
    // round instead of keeping the others from painting. Once nothing waits, the next round
    // starts from the first window again.
    const HWND* split = store.Pending.After(store.LastPainted);
    if (std::any_of(split, store.Pending.end(), paintable)) return true;
    ++store.PaintRound;
    if (std::any_of(store.Pending.begin(), split, paintable)) return true;
    store.LastPainted = 0;
    // Every window has painted what it could: the screen is brought up to date at once.
    PresentPainted();
    return false;
}

LRESULT SendPaint(HWND Wnd) {
    TWindowStore& store = TWindowStore::Instance();
    TWnd* w = store.Find(Wnd);
    if (w == nullptr) store.LastPainted = Wnd;
    const LRESULT result = w != nullptr ? SendPaint(*w) : 0;
    // The last window of the round has painted: the round is shown now, since messages posted
    // meanwhile, which go before painting, may keep the loop from asking for paint again.
    HWND next = 0;
    const auto paintable = [&](HWND H) { return FirstToPaint(H, next); };
    if (std::none_of(store.Pending.After(Wnd), store.Pending.end(), paintable)) PresentPainted();
    return result;
}

LRESULT SendPaint(TWnd& W) {
    TWindowStore& store = TWindowStore::Instance();
    const HWND wnd = W.Handle;
    store.LastPainted = wnd;
    // An internal paint asks for one WM_PAINT, painted or not.
    if (W.InternalPaint) {
        W.InternalPaint = false;
        SyncPending(W);
    }
    try {
        const LRESULT result = Send(W, WM_PAINT, 0, 0);
        if (TWnd* w = store.Find(wnd); w != nullptr && w->InPending)
            w->WaitsAgainInRound = store.PaintRound;
        return result;
    } catch (...) {
        if (TWnd* w = store.Find(wnd)) {
            w->Update.Clear();
            w->Erase = false;
            w->InternalPaint = false;
            SyncPending(*w);
        }
        throw;
    }
}

int RegionKind(const TRegion& Region) {
    if (Region.Empty()) return NULLREGION;
    const TRect bounds = Region.Bounds();
    const int64_t boundsArea =
        (int64_t{bounds.Right} - bounds.Left) * (int64_t{bounds.Bottom} - bounds.Top);
    return Region.Area() == boundsArea ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace vex::wintree
