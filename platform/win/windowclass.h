#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win/messages.h"

namespace vex {

using ATOM = uint16_t;
using LONG_PTR = intptr_t;

// A window procedure. A component that subclasses a window keeps the procedure it replaced and
// passes on what it does not handle through CallWindowProc.
using WNDPROC = std::function<LRESULT(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)>;

// What windows of a class share.
struct WNDCLASS {
    UINT style = 0;  // CS_* bits
    WNDPROC lpfnWndProc;
    // The background the painting layer erases with: a system colour index plus one, or 0 for
    // none (the window erases itself).
    int32_t hbrBackground = 0;
    int32_t hCursor = 0;  // a cursor id of the painting layer; 0 for none
    std::string lpszClassName;
};

// Registers the class and returns its atom. A name already taken (compared without regard to
// case), an empty name or a missing procedure raise EWindowError naming the class: a taken name
// is a programming error here, and GetClassInfo tells beforehand whether one is taken.
ATOM RegisterClass(const WNDCLASS& Class);
// False when no class has the name or windows of it still exist.
bool UnregisterClass(const std::string& ClassName);
bool GetClassInfo(const std::string& ClassName, WNDCLASS& Class);
// The class name of the window as registered; "" for a window that does not exist.
std::string GetClassName(HWND Wnd);

}  // namespace vex
