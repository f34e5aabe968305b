#pragma once

#include "platform/winsock/sockettable.h"

namespace vex {

// Brings the socket's descriptor watch in line with what it may notify next: watched only while
// an enabled event can still come, so a socket with nothing to report never wakes the loop.
void UpdateSelectWatch(TSocketEntry& Entry);

// The re-enabling rules: a recv (or recvfrom) enables FD_READ again, a send that would have
// blocked enables FD_WRITE.
void ReadAttempted(TSocketEntry& Entry);
void SendBlocked(TSocketEntry& Entry);

}  // namespace vex
