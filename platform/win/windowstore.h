#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/core/region.h"
#include "platform/win/backbuffer.h"
#include "platform/win/messages.h"
#include "platform/win/pendingwindows.h"
#include "platform/win/windowclass.h"

namespace vex {

class TObject;
namespace wintree {
class TChildIndex;
}

// The window tree's records, for the files of platform/win alone. Everything here runs on the
// main thread. Every message sent may destroy any window, so code that sends one finds its
// windows again by handle afterwards instead of keeping a TWnd* across the call.

struct TWindowClassEntry {
    WNDCLASS Class;
    // The class's procedure, which its windows share until one is given its own: one record for
    // all, so that calling it touches memory that stays at hand.
    std::shared_ptr<const WNDPROC> Proc;
    ATOM Atom = 0;
    int32_t Windows = 0;  // windows of the class that exist
};

// One scroll bar of a window. Whether it shows is the window's WS_VSCROLL or WS_HSCROLL bit.
struct TScrollBarData {
    int32_t Min = 0;
    int32_t Max = 100;
    uint32_t Page = 0;
    int32_t Pos = 0;
    UINT DisabledArrows = 0;  // ESB_DISABLE_* bits
};

// What VisibleRegion last worked out for one kind of area of a window, good while the store's
// layout generation is the one it was worked out in.
struct TVisibleRegionCache {
    uint64_t Generation = 0;
    TRegion Region;
};

// Style, Bounds, Client, Children, Parent, Buffer and Iconic decide which pixels windows may
// draw: whatever changes one of them calls TWindowStore::LayoutChanged at that place.
struct TWnd {
    // What painting and invalidation read of every window come first, so that walking a tree
    // of many windows touches few cache lines of each.
    HWND Handle = 0;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    TWnd* Parent = nullptr;       // the desktop for a top-level window; none for the desktop
    std::vector<TWnd*> Children;  // top of the stacking order first
    // The window in its parent's client coordinates (screen coordinates for a top-level one),
    // and its client area in window coordinates.
    TRect Bounds;
    TRect Client;
    bool Iconic = false;
    bool Destroying = false;  // DestroyWindow has begun on it or an ancestor
    bool RedrawOff = false;   // WM_SETREDRAW FALSE
    // Whether the background is to be erased before the update region is painted.
    bool Erase = false;
    bool InternalPaint = false;
    bool InPending = false;  // listed in TWindowStore::Pending
    // The TWindowStore::PaintRound in which its own paint left it waiting again.
    uint64_t WaitsAgainInRound = 0;
    // What waits to be painted, in window coordinates (the part outside the client area is
    // the frame's).
    TRegion Update;
    std::shared_ptr<const WNDPROC> Proc;
    // The object the layer above made the window for (window.h); beside Proc, which every
    // message reads.
    TObject* Object = nullptr;
    // By client area or whole window, and with or without the children cut out.
    mutable TVisibleRegionCache VisibleCache[2][2];
    std::unique_ptr<TBackBuffer> Buffer;  // a shown top-level window's pixels
    // Finds the child under the pointer among many (childindex.h); made at the first need.
    mutable std::shared_ptr<wintree::TChildIndex> ChildIndex;

    std::shared_ptr<TWindowClassEntry> Class;
    LONG_PTR Id = 0;
    LONG_PTR UserData = 0;
    std::string Text;
    HWND Owner = 0;
    bool DestroySent = false;  // it has had its WM_DESTROY
    bool Presented = false;    // the presenter shows it now
    TRect PresentedBounds;     // with this place and look
    TWindowLook PresentedLook;
    bool EverPresented = false;  // the presenter has been shown it at some time
    TScrollBarData Bars[3];      // SB_HORZ, SB_VERT, SB_CTL
    // Of a top-level window: what painting changed of its buffer and the screen does not show
    // yet.
    TRect Unpresented;
};

class TWindowStore {
public:
    // Inline, as the store is reached many times for every message.
    static TWindowStore& Instance() {
        static TWindowStore store;
        return store;
    }

    TWnd* Find(HWND Wnd) const {
        TWnd* found = FFound[Wnd % FFound.size()];
        if (found != nullptr && found->Handle == Wnd) return found;
        return Look(Wnd);
    }
    // W is found next, without a search: a message is going to it.
    void Remember(TWnd& W) const { FFound[W.Handle % FFound.size()] = &W; }
    // Like Find, but raises EWindowError naming What when Wnd is no window.
    TWnd& Get(HWND Wnd, const char* What) const;
    TWnd& Desktop() { return *FDesktop; }
    bool IsDesktop(const TWnd& W) const { return &W == FDesktop; }

    // Makes a record with a new handle, not yet linked into the tree.
    TWnd& Add();
    // Unlinks and frees the record, and drops what the queue holds for it.
    void Remove(HWND Wnd);
    // Counts the records freed, so that a caller holding records across a message sees whether
    // any of them may be gone.
    uint64_t Removals() const { return FRemovals; }

    // Bumped by every change to the fields that decide which pixels windows may draw, so what
    // was worked out from them before is known to be stale; never 0.
    uint64_t LayoutGeneration() const { return FLayoutGeneration; }
    void LayoutChanged() { ++FLayoutGeneration; }

    // Windows whose update region is not empty or that wait for an internal paint (those
    // with InPending); ordered by handle, so windows of one pass paint in the order they were
    // made.
    TPendingWindows Pending;
    HWND LastPainted = 0;  // the window WM_PAINT went to last
    // Top-level windows whose TWnd::Unpresented is not empty.
    std::vector<HWND> Unpresented;
    uint64_t PaintRound = 1;  // counts the rounds in which waiting windows take their turns
    HWND Active = 0;
    HWND Focus = 0;        // GetFocus
    HWND FocusHolder = 0;  // the window told WM_SETFOCUS last and not yet WM_KILLFOCUS
    uint64_t FocusChanges = 0;
    HWND Capture = 0;
    HWND Locked = 0;  // LockWindowUpdate
    int32_t LockCount = 0;
    // A move the presenter reported is being applied: it is not told of it again.
    HWND MovedByPresenter = 0;

private:
    TWindowStore();
    ~TWindowStore();

    TWnd* Look(HWND Wnd) const;

    std::unordered_map<HWND, std::unique_ptr<TWnd>> FWindows;
    TWnd* FDesktop = nullptr;
    // The windows found last, each in the slot its handle picks: one message goes through many
    // lookups of the same handle, and a walk through records repaints the same few windows in
    // turn.
    mutable std::array<TWnd*, 16> FFound{};
    uint64_t FLayoutGeneration = 1;
    uint64_t FRemovals = 0;
};

// The registered class of that name (compared without regard to case), or null.
std::shared_ptr<TWindowClassEntry> FindWindowClass(const std::string& ClassName);

// Relations and coordinates over the records.
namespace wintree {

// Sets one of the fields that decide which pixels windows may draw, counting a change.
template <class T>
void SetLayoutField(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    TWindowStore::Instance().LayoutChanged();
}

bool IsTopLevel(const TWnd& W);
// The window under the desktop that holds W (W itself for a top-level window).
TWnd& TopLevelOf(TWnd& W);
// Links W into Parent's children: above the window InsertAfter names (HWND_TOP, HWND_BOTTOM,
// or a sibling to go just below), keeping top-most windows above the others among top-level
// ones.
void Link(TWnd& Parent, TWnd& W, HWND InsertAfter);
void Unlink(TWnd& W);
bool IsAncestor(const TWnd& Ancestor, const TWnd& W);

// P moved by DX, DY, worked out in 64 bits: a hostile place or offset stays at the end of the
// 32-bit range instead of wrapping.
inline TPoint Shifted(TPoint P, int64_t DX, int64_t DY) {
    return TPoint{SaturateToInt32(P.X + DX), SaturateToInt32(P.Y + DY)};
}
inline int32_t Negated(int32_t V) {
    return SaturateToInt32(-int64_t{V});
}
// The rectangle of the given size at Origin, cut at the end of the range.
inline TRect PlacedAt(TPoint Origin, int32_t Width, int32_t Height) {
    const TPoint end = Shifted(Origin, Width, Height);
    return TRect{Origin.X, Origin.Y, end.X, end.Y};
}

int32_t Width(const TRect& R);
int32_t Height(const TRect& R);
// The window's and its client area's top-left corners on the screen.
TPoint WindowOrigin(const TWnd& W);
TPoint ClientOrigin(const TWnd& W);
// Where the window's top-left corner lies in its top-level window's back buffer.
TPoint BufferOrigin(const TWnd& W);
// And where its client area's top-left corner lies there.
TPoint ClientBufferOrigin(const TWnd& W);
// The window and its client area in the window's own coordinates.
TRect WindowArea(const TWnd& W);

// WS_VISIBLE on the window and every ancestor, the chain reaching the desktop and no minimised
// top-level window on it: the window shows on the screen.
bool IsShowing(const TWnd& W);
// Showing, and WM_SETREDRAW keeps painting from neither W nor an ancestor (the desktop
// included), nor does Locked, a window LockWindowUpdate holds (0: none counts).
bool ShowsWithRedrawOn(const TWnd& W, HWND Locked);
// Showing, and neither WM_SETREDRAW nor LockWindowUpdate keeps painting from it.
bool CanPaint(const TWnd& W);

// Calls W's procedure, for a caller that holds the record already.
inline LRESULT Send(TWnd& W, UINT Msg, WPARAM WParam, LPARAM LParam) {
    // The procedure is held for the call, so a window freed by its own handler stays callable.
    const std::shared_ptr<const WNDPROC> proc = W.Proc;
    TWindowStore::Instance().Remember(W);
    return (*proc)(W.Handle, Msg, WParam, LParam);
}

// Children in the stacking order, as handles, so a caller can send messages while walking.
std::vector<HWND> ChildHandles(const TWnd& W);

}  // namespace wintree

}  // namespace vex
