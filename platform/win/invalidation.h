#pragma once

#include "platform/core/region.h"
#include "platform/win/windowstore.h"

namespace vex::wintree {

// The update-region bookkeeping behind updateregion.h, painting.h and the window moves.

// RedrawWindow's RDW_INVALIDATE and RDW_VALIDATE on W, with Area in W's window coordinates.
// Invalidation reaches only a window that shows and has redrawing on; children are included as
// the flags and WS_CLIPCHILDREN say.
void Invalidate(TWnd& W, const TRegion& Area, UINT Flags);
void Validate(TWnd& W, const TRegion& Area, UINT Flags);
// The window now shows: all of it and of what it holds waits to be painted, background first.
void InvalidateWhole(TWnd& W);
// Part of Parent's client area (client coordinates) was uncovered or covered: Parent and the
// children there paint it again.
void ExposeInParent(TWnd& Parent, const TRegion& ClientArea);
// Drops what W and everything inside it wait to paint: hidden windows never paint.
void ClearUpdates(TWnd& W);
// Keeps TWindowStore::Pending in step with W's update state.
void SyncPending(TWnd& W);
// The window WM_PAINT goes to next (Filter 0: any): one that can paint now and none of whose
// ancestors waits to paint, the windows taking turns. False when there is none.
bool NextToPaint(HWND Filter, HWND& Target);
// Sends WM_PAINT. A handler that throws leaves nothing to paint behind it: the window's whole
// update region is validated before the exception passes on, so it is reported once instead
// of coming back with every following WM_PAINT.
LRESULT SendPaint(HWND Wnd);
// The same for a window whose record the caller holds; W is not used after the message.
LRESULT SendPaint(TWnd& W);
// NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
int RegionKind(const TRegion& Region);

}  // namespace vex::wintree
