#include "platform/win/visibleregion.h"

#include <span>
#include <vector>

#include "platform/win/windowstyles.h"

namespace vex::wintree {

namespace {

// Child's window rectangle in the buffer, its parent's client area starting there at
// ParentClient.
TRect ChildInBuffer(const TWnd& Child, TPoint ParentClient) {
    TRect r = Child.Bounds;
    OffsetRect(r, ParentClient.X, ParentClient.Y);
    return r;
}

// Takes the windows' rectangles out of Visible at once: united first, they leave one region to
// subtract instead of one pass over Visible for each of many windows.
void SubtractAll(TRegion& Visible, std::span<const TRect> Windows) {
    if (Windows.size() == 1)
        Visible.Subtract(Windows.front());
    else if (!Windows.empty())
        Visible.Subtract(TRegion::OfRects(Windows));
}

}  // namespace

TRect BufferRect(const TWnd& W, const TRect& Area) {
    const TPoint origin = BufferOrigin(W);
    TRect r = Area;
    OffsetRect(r, origin.X, origin.Y);
    return r;
}

TBackBuffer* BufferOf(TWnd& W) {
    if (W.Parent == nullptr) return nullptr;
    return TopLevelOf(W).Buffer.get();
}

namespace {

TRegion WorkOutVisibleRegion(const TWnd& W, const TRect& Area, bool ClipChildren) {
    TWnd& top = TopLevelOf(const_cast<TWnd&>(W));
    if (!IsShowing(W) || top.Buffer == nullptr) return TRegion();
    TRegion visible(BufferRect(W, Area));
    visible.Intersect(top.Buffer->Bounds());
    for (const TWnd* w = &W; !IsTopLevel(*w) && !visible.Empty(); w = w->Parent) {
        const TWnd& parent = *w->Parent;
        const TPoint parentOrigin = BufferOrigin(parent);
        TRect parentClient = parent.Client;
        OffsetRect(parentClient, parentOrigin.X, parentOrigin.Y);
        visible.Intersect(parentClient);
        if ((w->Style & WS_CLIPSIBLINGS) == 0) continue;
        // Most siblings of a window among many lie elsewhere: a look at the bounds, in the
        // parent's client coordinates, passes them.
        TRect reach = visible.Bounds();
        const TPoint clientOrigin = Shifted(parentOrigin, parent.Client.Left, parent.Client.Top);
        OffsetRect(reach, -clientOrigin.X, -clientOrigin.Y);
        std::vector<TRect> above;
        for (const TWnd* sibling : parent.Children) {
            if (sibling == w) break;
            // The place first: it rules out nearly every sibling, and reading it alone touches
            // less of each record.
            const TRect& r = sibling->Bounds;
            if (r.Left >= reach.Right || r.Right <= reach.Left || r.Top >= reach.Bottom ||
                r.Bottom <= reach.Top || (sibling->Style & WS_VISIBLE) == 0)
                continue;
            above.push_back(ChildInBuffer(*sibling, clientOrigin));
        }
        SubtractAll(visible, above);
    }
    if (ClipChildren && (W.Style & WS_CLIPCHILDREN) && !visible.Empty()) {
        const TPoint origin = ClientBufferOrigin(W);
        std::vector<TRect> children;
        children.reserve(W.Children.size());
        for (const TWnd* child : W.Children)
            if (child->Style & WS_VISIBLE) children.push_back(ChildInBuffer(*child, origin));
        SubtractAll(visible, children);
    }
    return visible;
}

}  // namespace

TRegion VisibleRegion(const TWnd& W, const TRect& Area, bool ClipChildren) {
    TRegion visible;
    VisibleRegion(W, Area, ClipChildren, visible);
    return visible;
}

void VisibleRegion(const TWnd& W, const TRect& Area, bool ClipChildren, TRegion& Into) {
    // Nothing in the tree changes between most paints: the region of the client area or of the
    // whole window, asked for at every paint, is worked out again only after a change.
    const bool whole = Area == WindowArea(W);
    if (!whole && Area != W.Client) {
        Into = WorkOutVisibleRegion(W, Area, ClipChildren);
        return;
    }
    TVisibleRegionCache& cache = W.VisibleCache[whole][ClipChildren];
    const uint64_t generation = TWindowStore::Instance().LayoutGeneration();
    if (cache.Generation != generation) {
        cache.Region = WorkOutVisibleRegion(W, Area, ClipChildren);
        cache.Generation = generation;
    }
    Into = cache.Region;
}

}  // namespace vex::wintree
