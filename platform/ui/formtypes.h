#pragma once

#include <cstdint>

namespace vex {

// The frame a form has: none, a fixed one, a sizing one, a dialog's, or a tool window's small
// caption, fixed or sizing.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// A stay-on-top form lies in the band of topmost windows, above every normal one.
enum TFormStyle { fsNormal, fsStayOnTop };

// Where a form goes each time it is shown: where it was designed, where the window system puts
// a new window (in a cascade, the default size too, or only one of them), centred on the screen,
// on the work area, on the main form or on its owner form.
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};

// How a modal run ended: 0 while it runs, else the button or action that ended it.
using TModalResult = int32_t;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

}  // namespace vex
