#pragma once

#include <cstdint>
#include <string>

#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex::test {

// Debian's aiosmtpd on a free loopback port, accepting every message and discarding it; stopped
// with the object. A server that can't start throws std::runtime_error with its output.
class AiosmtpdServer {
public:
    AiosmtpdServer();
    AiosmtpdServer(const AiosmtpdServer&) = delete;
    AiosmtpdServer& operator=(const AiosmtpdServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Address() const;  // "127.0.0.1:port"

private:
    TempDir FLog;
    uint16_t FPort = 0;
    ChildProcess FProcess;
};

}  // namespace vex::test
