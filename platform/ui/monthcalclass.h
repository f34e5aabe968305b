#pragma once

#include "platform/win/messages.h"

namespace vex {

// The procedure of the month calendar class, and its registration under MONTHCAL_CLASS.
LRESULT MonthCalWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
void RegisterMonthCalClass();

}  // namespace vex
