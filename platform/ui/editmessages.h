#pragma once

#include "platform/win/messages.h"

namespace vex {

// What an edit control answers besides the common window messages. Positions are offsets in
// the text, a line break counting as its two characters CR LF.
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;

// wParam and lParam point at DWORDs for the start and the end of the selection (either may be
// null); the answer holds both, the start in the low word, when they fit.
inline constexpr UINT EM_GETSEL = 0x00B0;
// Selects from wParam to lParam (either order: the caret goes to lParam); wParam -1 removes the
// selection, lParam -1 means the end of the text.
inline constexpr UINT EM_SETSEL = 0x00B1;
// lParam points at a TRect that receives the formatting rectangle.
inline constexpr UINT EM_GETRECT = 0x00B2;
// lParam points at the new formatting rectangle (null: back to the default); EM_SETRECT
// repaints, EM_SETRECTNP does not.
inline constexpr UINT EM_SETRECT = 0x00B3;
inline constexpr UINT EM_SETRECTNP = 0x00B4;
inline constexpr UINT EM_SCROLLCARET = 0x00B7;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_GETLINECOUNT = 0x00BA;
inline constexpr UINT EM_LINEINDEX = 0x00BB;
inline constexpr UINT EM_LINELENGTH = 0x00C1;
// lParam points at the text to put in place of the selection; wParam says whether it can be
// undone.
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_LINEFROMCHAR = 0x00C9;
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
inline constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;

}  // namespace vex
