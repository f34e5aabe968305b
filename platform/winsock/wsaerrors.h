#pragma once

#include <string>

namespace vex {

// The Winsock code for an errno value of a failed socket call.
int WinsockErrorFromErrno(int Errno);
// Records errno's Winsock code as the thread's last error; returns SOCKET_ERROR for the caller.
int FailWithErrno();
// Records Code as the thread's last error; returns SOCKET_ERROR for the caller.
int FailWith(int Code);
// A short English text for a code from 10000 to 11004; "" for a code without one.
std::string WinsockErrorText(int Code);

}  // namespace vex
