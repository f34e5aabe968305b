#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vex::test {

// A server program that a test runs: its output goes to a log file, and it is stopped (asked
// with SIGTERM, made to with SIGKILL two seconds later) when the object ends.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Arguments[0] is a path or a name looked up on PATH.
    void Start(const std::vector<std::string>& Arguments, const std::string& LogFile);
    // True once the program has ended (it is then reaped).
    bool Exited();
    // -1 when none runs.
    pid_t Pid() const { return FPid; }
    void Stop();

private:
    pid_t FPid = -1;
};

// A port the kernel just handed out and released; a server started next binds it.
uint16_t FreeLoopbackPort();
// True when something on 127.0.0.1 takes a TCP connection on Port.
bool AcceptsConnections(uint16_t Port);

}  // namespace vex::test
