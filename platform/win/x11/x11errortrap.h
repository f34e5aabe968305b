#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace vex {

// What no trap caught: requests about a window another client destroyed meanwhile fail on the
// server, and Xlib's default handler would end the process for them.
struct TX11UntrappedErrors {
    uint64_t Count = 0;
    int LastCode = Success;
    int LastRequest = 0;  // the major opcode of the request that failed last
};
// Puts, once for the process, a handler in force that records such errors instead of ending it.
// Traps set later pass the errors that are not theirs on to it.
void RecordUntrappedX11Errors();
TX11UntrappedErrors UntrappedX11Errors();

// Catches the X errors of requests that may fail for reasons outside this process (attaching
// shared memory to a remote server, focusing a window another client has just unmapped), which
// Xlib's default handler would answer by ending the process. Errors of other connections, or of
// requests sent before the trap was set, go on to the handler that was in force. Traps nest; a
// trap waits at its end for the answers to the requests sent while it was set.
class TX11ErrorTrap {
public:
    explicit TX11ErrorTrap(Display* Dpy);
    ~TX11ErrorTrap();
    TX11ErrorTrap(const TX11ErrorTrap&) = delete;
    TX11ErrorTrap& operator=(const TX11ErrorTrap&) = delete;

    // Waits until the server has handled every request sent so far, and returns the code of the
    // first error since the trap was set (Success: none).
    int Sync();

private:
    static int Handle(Display* Dpy, XErrorEvent* Error);

    Display* FDisplay;
    unsigned long FFirstSerial;
    unsigned long FSyncedUpTo = 0;
    int FError = Success;
    TX11ErrorTrap* FOuter;
    XErrorHandler FPrevious;
};

}  // namespace vex
