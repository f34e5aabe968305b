#pragma once

#include <chrono>
#include <cstdint>

namespace vex::test {

enum class WaitOutcome { Ready, Stopped, TimedOut };

// Waits until Fd has one of Events (poll() flags), StopFd becomes readable or Timeout passes.
WaitOutcome WaitForSocket(int Fd, short Events, int StopFd, std::chrono::milliseconds Timeout);

// A descriptor that becomes readable for good once SignalStop is called: how the servers' threads
// learn that the server ends.
int MakeStopDescriptor();
void SignalStop(int StopFd);

// A socket of Type (SOCK_STREAM, SOCK_DGRAM) bound to 127.0.0.1 on an ephemeral port; returns
// the descriptor and stores the port. Throws std::system_error on failure.
int BindLoopback(int Type, uint16_t& Port);

}  // namespace vex::test
