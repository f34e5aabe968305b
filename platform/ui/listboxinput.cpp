// What the user's keys, presses, drags and wheel do to a list box's selection and scrolling.

#include <algorithm>

#include "platform/ui/controlmessages.h"
#include "platform/ui/listbox.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

// The wheel scrolls this many rows a notch.
constexpr int32_t WheelRows = 3;

bool IsHeld(int32_t Key) {
    return GetKeyState(Key) < 0;
}

}  // namespace

void TCustomListBox::Notify(uint16_t Code) {
    Perform(CN_COMMAND, static_cast<WPARAM>(MAKELONG(0, Code)),
            HandleAllocated() ? static_cast<LPARAM>(Handle()) : 0);
}

void TCustomListBox::WMSetFocus(TMessage& Message) {
    TWinControl::WMSetFocus(Message);
    InvalidateItem(FContent.Caret() != TListBoxContent::NoItem ? FContent.Caret() : 0);
    if (FContent.Count() == 0) Invalidate();
}

void TCustomListBox::WMKillFocus(TMessage& Message) {
    TWinControl::WMKillFocus(Message);
    InvalidateItem(FContent.Caret() != TListBoxContent::NoItem ? FContent.Caret() : 0);
    if (FContent.Count() == 0) Invalidate();
}

// Moves the caret to Index as a key or a press does, and the selection with it: a single
// selection follows the caret; an extended one becomes the caret's item, or with Shift the range
// from the anchor, and with Ctrl stays (Shift+Ctrl adds the range); a simple multiple one
// changes only when Toggle says so.
void TCustomListBox::SelectByUser(int32_t Index, bool Shift, bool Ctrl, bool Toggle) {
    if (!FContent.Valid(Index)) return;
    const int32_t oldCaret = FContent.Caret();
    if (!IsMulti()) {
        const int32_t old = FContent.Current();
        SetCurSel(Index);
        if (old != Index) Notify(LBN_SELCHANGE);
        return;
    }
    bool changed = false;
    if (!IsExtended()) {
        if (Toggle) {
            FContent.SetSelected(Index, !FContent.Selected(Index));
            changed = true;
        }
        FContent.SetAnchor(Index);
    } else if (Shift) {
        if (FContent.Anchor() == TListBoxContent::NoItem) FContent.SetAnchor(Index);
        if (!Ctrl) FContent.ClearSelection();
        FContent.SelectRange(FContent.Anchor(), Index, true);
        changed = true;
    } else if (Ctrl) {
        if (Toggle) {
            FContent.SetSelected(Index, !FContent.Selected(Index));
            changed = true;
        }
        FContent.SetAnchor(Index);
    } else {
        FContent.ClearSelection();
        FContent.SetSelected(Index, true);
        FContent.SetAnchor(Index);
        changed = true;
    }
    FContent.SetCaret(Index);
    if (changed)
        Invalidate();
    else if (oldCaret != Index) {
        InvalidateItem(oldCaret);
        InvalidateItem(Index);
    }
    MakeVisible(Index);
    if (changed) Notify(LBN_SELCHANGE);
}

void TCustomListBox::MoveByKey(uint16_t Key) {
    const int32_t count = FContent.Count();
    if (count == 0) return;
    const int32_t caret = IsMulti() ? FContent.Caret() : FContent.Current();
    // With nothing chosen yet, an arrow takes the first item and a page counts from it.
    const bool none = caret == TListBoxContent::NoItem;
    const int32_t from = none ? 0 : caret;
    const int32_t page = std::max(1, VisibleRows() - 1);
    int32_t target = 0;
    switch (Key) {
        case VK_UP:
        case VK_LEFT:
            target = none ? 0 : from - 1;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            target = none ? 0 : from + 1;
            break;
        case VK_PRIOR:
            target = from - page;
            break;
        case VK_NEXT:
            target = from + page;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_SPACE:
            // A multiple selection toggles the caret's item; a character goes on to WM_CHAR.
            if (IsMulti() && !none)
                SelectByUser(caret, false, IsExtended() ? true : IsHeld(VK_CONTROL), true);
            return;
        default:
            return;
    }
    SelectByUser(std::clamp(target, 0, count - 1), IsHeld(VK_SHIFT), IsHeld(VK_CONTROL), false);
}

void TCustomListBox::TypeCharacter(char Ch) {
    if (static_cast<uint8_t>(Ch) < ' ' || (Ch == ' ' && IsMulti())) return;
    const int32_t caret = IsMulti() ? FContent.Caret() : FContent.Current();
    const int32_t found = FContent.FindPrefix(caret, std::string(1, Ch));
    if (found != TListBoxContent::NoItem) SelectByUser(found, false, false, false);
}

void TCustomListBox::PressAt(TPoint Pos, WPARAM Keys, bool Double) {
    // Taking the focus and telling of the selection call out to handlers that may free the list.
    const std::weak_ptr<const void> life = LifeToken();
    if (CanFocus() && !Focused()) SetFocus();
    if (life.expired()) return;
    bool outside = false;
    const int32_t index = ItemFromPoint(Pos, outside);
    if (outside) return;
    FTracking = true;
    const bool shift = (Keys & MK_SHIFT) != 0;
    const bool ctrl = (Keys & MK_CONTROL) != 0;
    // A press toggles in a simple multiple selection, and with Ctrl in an extended one; a drag
    // then gives the items it passes the state the pressed one took.
    FTrackingToggles = IsMulti() && (!IsExtended() || (ctrl && !shift));
    if (!IsMulti())
        SetCurSel(index);
    else
        SelectByUser(index, shift, ctrl, FTrackingToggles);
    if (Double && !life.expired()) Notify(LBN_DBLCLK);
}

void TCustomListBox::DragTo(TPoint Pos) {
    bool outside = false;
    int32_t index = ItemFromPoint(Pos, outside);
    // Above or below the rows the list scrolls a row towards the pointer.
    if (Pos.Y < 0)
        index = std::max(0, FTopIndex - 1);
    else if (Pos.Y >= ClientHeight())
        index = std::min(FContent.Count() - 1, FTopIndex + VisibleRows());
    if (!FContent.Valid(index)) return;
    const int32_t caret = IsMulti() ? FContent.Caret() : FContent.Current();
    if (index == caret) return;
    if (!IsMulti()) {
        SetCurSel(index);
    } else if (FTrackingToggles) {
        const bool value = FContent.Selected(FContent.Anchor());
        FContent.SelectRange(caret, index, value);
        FContent.SetCaret(index);
        Invalidate();
        MakeVisible(index);
        Notify(LBN_SELCHANGE);
    } else {
        SelectByUser(index, true, false, false);
    }
}

void TCustomListBox::Release() {
    if (!FTracking) return;
    FTracking = false;
    // A press on a single selection tells of it when the button comes up, changed or not, so
    // a click on the chosen item still counts.
    if (!IsMulti()) Notify(LBN_SELCHANGE);
}

void TCustomListBox::Scroll(WPARAM Request) {
    const int32_t page = std::max(1, VisibleRows() - 1);
    switch (LOWORD(Request)) {
        case SB_LINEUP:
            ScrollTo(FTopIndex - 1);
            break;
        case SB_LINEDOWN:
            ScrollTo(FTopIndex + 1);
            break;
        case SB_PAGEUP:
            ScrollTo(FTopIndex - page);
            break;
        case SB_PAGEDOWN:
            ScrollTo(FTopIndex + page);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(HIWORD(Request));
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(FContent.Count());
            break;
        default:
            break;
    }
}

void TCustomListBox::Wheel(int16_t Delta) {
    FWheelRest += Delta;
    const int32_t notches = FWheelRest / WHEEL_DELTA;
    FWheelRest -= notches * WHEEL_DELTA;
    if (notches != 0) ScrollTo(FTopIndex - notches * WheelRows);
}

}  // namespace vex
