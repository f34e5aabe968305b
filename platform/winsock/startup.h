#pragma once

namespace vex {

// False, with WSANOTINITIALISED as the thread's last error, while no WSAStartup is in force.
bool WinsockStarted();

}  // namespace vex
