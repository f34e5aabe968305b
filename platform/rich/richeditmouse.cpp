#include <algorithm>

#include "platform/rich/richedit.h"
#include "platform/rich/richeditview.h"
#include "platform/rich/richeditwords.h"
#include "platform/ui/inputevents.h"
#include "platform/ui/popupmenu.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// The timer that goes on scrolling while a drag holds the pointer outside the text.
constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollInterval = 100;
// WM_CONTEXTMENU's point when the menu key asked for it.
constexpr TPoint kFromKeyboard{-1, -1};

}  // namespace

int32_t TCustomRichEdit::CharAtPoint(TPoint Point) const {
    const TRichLayout& layout = FView->Layout;
    const TPoint at = LayoutPoint(Point);
    if (at.Y < 0 || at.Y >= layout.Height()) return -1;
    const TRichLineInfo line = layout.Line(layout.LineAtY(at.Y));
    if (at.X < line.Left || at.X >= line.Left + line.Width) return -1;
    const int32_t boundary = layout.CharFromPos(at);
    const int32_t position = layout.PosFromChar(boundary).X <= at.X ? boundary : boundary - 1;
    if (position < line.Start || position >= line.Start + line.Length) return -1;
    return position;
}

int32_t TCustomRichEdit::ObjectAtPoint(TPoint Point) const {
    const TRichLayout& layout = FView->Layout;
    const TPoint at = LayoutPoint(Point);
    if (at.Y < 0 || at.Y >= layout.Height()) return -1;
    int32_t found = -1;
    const int32_t index = layout.LineAtY(at.Y);
    const int32_t y = at.Y - layout.Line(index).Top;
    layout.ForEachPiece(index, [&](const TRichPiece& Piece) {
        if (Piece.Kind == TRichPiece::Object && at.X >= Piece.X && at.X < Piece.X + Piece.Width &&
            y >= Piece.Top && y < Piece.Top + Piece.Height)
            found = Piece.Start;
    });
    return found;
}

bool TCustomRichEdit::NotifyLink(const TMessage& Message, TPoint Point) {
    if (!AutoUrlDetect()) return false;
    const int32_t position = CharAtPoint(Point);
    if (position < 0) return false;
    const std::optional<TRichLinkRange> link = FView->Links.At(position);
    if (!link) return false;
    if ((FEventMask & ENM_LINK) != 0)
        LinkNotify(TENLink{Message.Msg, Message.WParam, Message.LParam,
                           TCharRange{link->Start, link->Start + link->Length}});
    return true;
}

void TCustomRichEdit::PlaceCaretAt(TPoint Point) {
    FView->GoalX = -1;
    const int32_t object = ObjectAtPoint(Point);
    if (object >= 0) {
        Select(object, object + 1);
        return;
    }
    const int32_t position = CharFromPos(Point);
    Select(position, position);
}

void TCustomRichEdit::MouseDownNative(TMessage& Message, bool Double) {
    const std::weak_ptr<const void> life = LifeToken();
    if (!Focused() && CanFocus()) SetFocus();
    if (life.expired()) return;
    const TPoint at = MessagePoint(Message.LParam);
    NotifyLink(Message, at);
    if (life.expired()) return;
    FollowEngineSelection();
    TView& view = *FView;
    view.GoalX = -1;
    const int32_t position = CharFromPos(at);
    view.DragWords = Double;
    if (Double) {
        RichWordAt(FEngine.Document(), position, view.DragFirst, view.DragLast);
        Select(view.DragFirst, view.DragLast);
    } else if ((Message.WParam & MK_SHIFT) != 0) {
        Select(view.Anchor, position);
    } else {
        PlaceCaretAt(at);
    }
    if (life.expired()) return;
    view.Dragging = true;
    view.DragPoint = at;
    if (HandleAllocated()) SetTimer(Handle(), kAutoScrollTimer, kAutoScrollInterval);
}

void TCustomRichEdit::MouseMoveNative(TMessage& Message) {
    const TPoint at = MessagePoint(Message.LParam);
    const std::weak_ptr<const void> life = LifeToken();
    NotifyLink(Message, at);
    if (life.expired() || !FView->Dragging) return;
    FView->DragPoint = at;
    AutoScrollTick();
}

void TCustomRichEdit::AutoScrollTick() {
    TView& view = *FView;
    if (!view.Dragging) return;
    // Held above or below the text, the view goes on by a line each tick.
    const TRichLayout& layout = view.Layout;
    const int32_t topLine = layout.LineAtY(view.TopY);
    if (view.DragPoint.Y < view.FormatRect.Top && topLine > 0)
        SetTopY(layout.Line(topLine - 1).Top);
    else if (view.DragPoint.Y >= view.FormatRect.Bottom && topLine + 1 < layout.LineCount())
        SetTopY(layout.Line(topLine + 1).Top);
    const int32_t position = CharFromPos(view.DragPoint);
    if (!view.DragWords) {
        Select(view.Anchor, position);
        return;
    }
    // Words double-clicked and dragged over are taken whole, from the first one.
    int32_t first = 0;
    int32_t last = 0;
    RichWordAt(FEngine.Document(), position, first, last);
    if (position < view.DragFirst)
        Select(view.DragLast, first);
    else
        Select(view.DragFirst, std::max(last, view.DragLast));
}

void TCustomRichEdit::MouseUpNative() {
    if (!FView->Dragging) return;
    FView->Dragging = false;
    if (HandleAllocated()) KillTimer(Handle(), kAutoScrollTimer);
}

bool TCustomRichEdit::SetCursorNative(TMessage& Message) {
    if (LOWORD(Message.LParam) != HTCLIENT || !AutoUrlDetect()) return false;
    TPoint at{0, 0};
    GetCursorPos(at);
    at = ScreenToClient(at);
    if (!NotifyLink(Message, at)) return false;
    ::vex::SetCursor(LoadCursor(0, IDC_HAND));
    Message.Result = 1;
    return true;
}

void TCustomRichEdit::ContextMenuNative(TMessage& Message) {
    TPopupMenu* menu = nullptr;
    const std::weak_ptr<const void> life = LifeToken();
    const HRESULT answer = CallBack([&](IRichEditOleCallback& C) {
        return C.GetContextMenu(SelectionType(), SelectedObject(), GetSelection(), menu);
    });
    if (life.expired()) return;
    if (answer != S_OK || menu == nullptr) {
        TCustomControl::DefaultHandler(Message);
        return;
    }
    TPoint at = MessagePoint(Message.LParam);
    if (at == kFromKeyboard) at = ClientToScreen(PosFromChar(FView->Caret));
    Message.Result = 1;
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
}

}  // namespace vex
