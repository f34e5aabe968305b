#pragma once

namespace vex {

// Has the application window parked under the owner window (PGAppWnd.h) the moment it is made,
// so that it never has a taskbar entry of its own. Linking the tray icon installs it before
// any form is made; calling it again does nothing.
void InstallApplicationWindowParking();

}  // namespace vex
