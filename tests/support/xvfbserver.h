#pragma once

#include <string>

#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex::test {

// A real X display for tests and benchmarks: Xvfb on a display number it picks itself, with one
// 24-bit screen, and stopped with the object. Without SharedMemory the server offers no MIT-SHM,
// as a remote display does not. A server that is missing or cannot start throws
// std::runtime_error with its log, so a test that needs it fails instead of passing
// without it.
class XvfbServer {
public:
    explicit XvfbServer(bool SharedMemory = true, int Width = 1280, int Height = 1024);
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N", for XOpenDisplay or DISPLAY.
    const std::string& DisplayName() const { return FDisplayName; }
    // Ends the server now, as a crash or a closed session would, cutting every connection.
    void Stop() { FServer.Stop(); }

private:
    // The number the server writes to its -displayfd once it takes connections.
    std::string ReadDisplayNumber(int Fd);
    std::string Log() const;  // a few lines, unless something went wrong

    TempDir FRoot;
    ChildProcess FServer;
    std::string FDisplayName;
};

}  // namespace vex::test
