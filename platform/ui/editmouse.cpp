#include "platform/ui/customedit.h"
#include "platform/ui/inputevents.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// The timer that goes on scrolling while a drag holds the pointer outside the text.
constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollInterval = 100;

}  // namespace

bool TCustomEdit::TakeFocus() {
    const std::weak_ptr<const void> life = LifeToken();
    if (!Focused() && CanFocus()) SetFocus();
    return !life.expired();
}

void TCustomEdit::MouseDownNative(TMessage& Message, bool Double) {
    if (!TakeFocus()) return;
    FGoalX = -1;
    if (Double && FPasswordChar != 0) {
        // A hidden text shows no words: the whole of it is taken.
        SelectAll();
        return;
    }
    const TPoint at = MessagePoint(Message.LParam);
    const TEditPos pos = PosAtPoint(at);
    FDragWords = Double;
    if (Double) {
        FText.WordAt(pos, FDragFirst, FDragLast);
        Select(FDragFirst, FDragLast);
    } else if ((Message.WParam & MK_SHIFT) != 0) {
        Select(FText.Anchor(), pos);
    } else {
        Select(pos, pos);
    }
    FDragging = true;
    FDragPoint = at;
    if (HandleAllocated()) SetTimer(Handle(), kAutoScrollTimer, kAutoScrollInterval);
}

void TCustomEdit::MouseMoveNative(TMessage& Message) {
    if (!FDragging) return;
    FDragPoint = MessagePoint(Message.LParam);
    AutoScrollTick();
}

void TCustomEdit::AutoScrollTick() {
    if (!FDragging) return;
    const TEditPos pos = PosAtPoint(FDragPoint);
    if (!FDragWords) {
        Select(FText.Anchor(), pos);
        return;
    }
    // Words double-clicked and dragged over are taken whole, from the first one.
    TEditPos first;
    TEditPos last;
    FText.WordAt(pos, first, last);
    if (pos < FDragFirst)
        Select(FDragLast, first);
    else
        Select(FDragFirst, std::max(last, FDragLast, [](TEditPos A, TEditPos B) { return A < B; }));
}

void TCustomEdit::MouseUpNative() {
    if (!FDragging) return;
    FDragging = false;
    if (HandleAllocated()) KillTimer(Handle(), kAutoScrollTimer);
}

}  // namespace vex
