#pragma once

#include "platform/win/messages.h"

namespace vex {

// The process's hidden owner window, of class "TPGApplication": the application window is
// parked under it whenever it must show no taskbar entry of its own. Made at the first request;
// a class that cannot be registered raises Exception "Couldnt register window class:
// TPGApplication".
HWND RequestOwnerWindow();
// Whether the owner window has been made.
bool OwnerWindowPresent();

}  // namespace vex
