#include "platform/win/visibleregion.h"

#include "platform/win/windowstyles.h"

namespace vex::wintree {

namespace {

// Child's window rectangle in the buffer, its parent's buffer origin being ParentOrigin.
TRect ChildInBuffer(const TWnd& Child, TPoint ParentOrigin) {
    TRect r = Child.Bounds;
    const TPoint origin =
        Shifted(ParentOrigin, Child.Parent->Client.Left, Child.Parent->Client.Top);
    OffsetRect(r, origin.X, origin.Y);
    return r;
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

TRegion VisibleRegion(const TWnd& W, const TRect& Area, bool ClipChildren) {
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
        for (const TWnd* sibling : parent.Children) {
            if (sibling == w) break;
            const TRect& r = sibling->Bounds;
            if ((sibling->Style & WS_VISIBLE) == 0 || r.Left >= reach.Right ||
                r.Right <= reach.Left || r.Top >= reach.Bottom || r.Bottom <= reach.Top)
                continue;
            visible.Subtract(ChildInBuffer(*sibling, parentOrigin));
        }
    }
    if (ClipChildren && (W.Style & WS_CLIPCHILDREN)) {
        const TPoint origin = BufferOrigin(W);
        for (const TWnd* child : W.Children)
            if (child->Style & WS_VISIBLE) visible.Subtract(ChildInBuffer(*child, origin));
    }
    return visible;
}

}  // namespace vex::wintree
