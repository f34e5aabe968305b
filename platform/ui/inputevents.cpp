#include "platform/ui/inputevents.h"

#include "platform/win/keyboard.h"

namespace vex {

namespace {

// Bit 29 of a key message's data: Alt was down.
constexpr LPARAM AltMask = 0x20000000;

}  // namespace

TShiftState KeysToShiftState(WPARAM Keys) {
    TShiftState shift;
    if ((Keys & MK_SHIFT) != 0) shift.Include(ssShift);
    if ((Keys & MK_CONTROL) != 0) shift.Include(ssCtrl);
    if ((Keys & MK_LBUTTON) != 0) shift.Include(ssLeft);
    if ((Keys & MK_RBUTTON) != 0) shift.Include(ssRight);
    if ((Keys & MK_MBUTTON) != 0) shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if ((KeyData & AltMask) != 0) shift.Include(ssAlt);
    return shift;
}

TPoint MessagePoint(LPARAM LParam) {
    return Point(GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam));
}

LPARAM PointToLParam(TPoint P) {
    return MAKELONG(static_cast<uint16_t>(P.X), static_cast<uint16_t>(P.Y));
}

}  // namespace vex
