#pragma once

#include <cstdint>
#include <functional>

#include "platform/core/geometry.h"
#include "platform/core/set.h"
#include "platform/win/messages.h"
#include "platform/win/mousebutton.h"

namespace vex {

class TObject;

// Which keys and buttons were down when an input event happened; ssDouble marks the second
// press of a double click.
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag, 7>;

// X and Y are in the control's client coordinates.
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                       int32_t X, int32_t Y)>;
using TMouseMoveEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y)>;
// WheelDelta is signed: positive when the wheel turns away from the user. MousePos is on the
// screen. Setting Handled stops the wheel going further.
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int32_t WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// MousePos is in client coordinates, or (-1, -1) when the menu was asked for from the keyboard.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
// A handler that sets Key to 0 (or #0) ends the key's way through the controls.
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// The shift state of a mouse message's MK_* flags.
TShiftState KeysToShiftState(WPARAM Keys);
// The shift state of a key message: Shift and Ctrl from the key-state table, Alt from the
// message's key data.
TShiftState KeyDataToShiftState(LPARAM KeyData);

// The point a mouse message carries in its lParam, each coordinate a signed 16-bit value.
TPoint MessagePoint(LPARAM LParam);
LPARAM PointToLParam(TPoint P);

}  // namespace vex
