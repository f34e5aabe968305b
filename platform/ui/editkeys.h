#pragma once

#include <cstdint>

#include "platform/ui/inputevents.h"

namespace vex {

// What a key does in an edit control. The moves extend the selection while Shift is down;
// the clipboard keys of the keyboard's own (Shift+Delete, Ctrl+Insert, Shift+Insert) come as
// key presses, the Ctrl+letter ones as the control characters they type.
enum class TEditAction {
    None,
    MoveCharLeft,
    MoveCharRight,
    MoveWordLeft,
    MoveWordRight,
    MoveLineStart,
    MoveLineEnd,
    MoveTextStart,
    MoveTextEnd,
    MoveRowUp,
    MoveRowDown,
    MovePageUp,
    MovePageDown,
    DeleteCharLeft,
    DeleteCharRight,
    DeleteWordLeft,
    Cut,
    Copy,
    Paste,
    Undo,
    SelectAll,
};

// The action of a key pressed with Shift; None for a key an edit leaves alone.
TEditAction EditKeyAction(uint16_t Key, TShiftState Shift);
// The action of a control character typed; None for a character to insert (or to ignore).
TEditAction EditCharAction(char Ch);
bool IsEditMove(TEditAction Action);

}  // namespace vex
