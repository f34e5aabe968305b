#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex::test {

// A real DNS server for integration tests: dnsmasq in the foreground on 127.0.0.1 and a free UDP
// port, answering only from its command line, and stopped with the object. Names under
// "invalid-domain.test" answer that they do not exist. A server that cannot start throws
// std::runtime_error with its output, so a test that needs it fails instead of passing without it.
class DnsmasqServer {
public:
    struct MxHost {
        std::string Domain;
        std::string Exchange;
        uint16_t Preference;
    };

    static constexpr const char* MissingDomain = "invalid-domain.test";

    explicit DnsmasqServer(const std::vector<MxHost>& Hosts);
    DnsmasqServer(const DnsmasqServer&) = delete;
    DnsmasqServer& operator=(const DnsmasqServer&) = delete;

    uint16_t Port() const { return FPort; }

private:
    void Launch(const std::vector<MxHost>& Hosts);
    void WaitUntilAnswering();
    std::string Output() const;

    TempDir FRoot;
    uint16_t FPort = 0;
    ChildProcess FProcess;
};

}  // namespace vex::test
