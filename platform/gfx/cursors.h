#pragma once

#include <cstdint>
#include <string>

namespace vex {

// A mouse cursor: the standard ones are negative, 0 is the control's default, and positive
// numbers are left to the application's own cursors.
using TCursor = int16_t;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = crSizeAll;

// The identifiers of the standard cursors ("crDefault", "crHourGlass"); crSize and crSizeAll
// share "crSizeAll". A cursor without one gives False and leaves Ident alone; identifiers are
// matched without regard to case.
bool CursorToIdent(int32_t Cursor, std::string& Ident);
bool IdentToCursor(const std::string& Ident, int32_t& Cursor);

// Where a standard cursor's look comes from in the window layer (platform/win/cursor.h): one of
// its standard cursors, LoadCursor(0, Id), or of the framework's picture cursors,
// LoadCursor(Instance, Id) with the program's instance. crDefault and crNone come from neither
// (Id 0): the one leaves the choice to the window, the other shows nothing. crSQLWait shows the
// hourglass.
struct TCursorSource {
    bool Picture = false;
    uint32_t Id = 0;
};
TCursorSource CursorSource(TCursor Cursor);

}  // namespace vex
