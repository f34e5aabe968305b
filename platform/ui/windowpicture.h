#pragma once

#include <string>

#include "platform/gfx/bitmap.h"
#include "platform/ui/control.h"
#include "platform/win/messages.h"

namespace vex {

// What a window shows on the screen, frame and children included, once everything waiting to
// be painted in its top-level window is painted: the pixels of its area in that window's back
// buffer. A window that shows nothing gives an empty picture.
void PictureOfWindow(HWND Wnd, TBitmap& Picture);

// What a control shows: its window, or for a plain control its part of its parent's window.
void PictureOfControl(TControl& Control, TBitmap& Picture);

// The picture as a PNG file, replacing the file atomically.
void SaveWindowPicture(HWND Wnd, const std::string& FileName);
void SaveControlPicture(TControl& Control, const std::string& FileName);

}  // namespace vex
