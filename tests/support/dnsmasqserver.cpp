#include "tests/support/dnsmasqserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "tests/support/childprocess.h"
#include "tests/support/socketwait.h"

namespace vex::test {

namespace {

const char* const kDnsmasq = "/usr/sbin/dnsmasq";

// A query for the MX records of MissingDomain, the one name every server here answers.
std::string ProbeQuery() {
    std::string query("\x00\x01\x01\x00\x00\x01\x00\x00\x00\x00\x00\x00", 12);
    std::string_view name = DnsmasqServer::MissingDomain;
    while (!name.empty()) {
        const size_t dot = std::min(name.find('.'), name.size());
        query += static_cast<char>(dot);
        query.append(name.substr(0, dot));
        name.remove_prefix(std::min(dot + 1, name.size()));
    }
    query.append("\x00\x00\x0f\x00\x01", 5);
    return query;
}

// A port the kernel just handed out for UDP and that TCP has free as well, as dnsmasq listens on
// both; released again, for dnsmasq to bind a moment later.
uint16_t FreePort() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        uint16_t port = 0;
        const int udp = BindLoopback(SOCK_DGRAM, port);
        const int tcp = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool free =
            tcp >= 0 && ::bind(tcp, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (tcp >= 0) ::close(tcp);
        ::close(udp);
        if (free) return port;
    }
    throw std::runtime_error("no loopback port is free for both UDP and TCP");
}

}  // namespace

DnsmasqServer::DnsmasqServer(const std::vector<MxHost>& Hosts) {
    if (::access(kDnsmasq, X_OK) != 0)
        throw std::runtime_error("dnsmasq is not installed (" + std::string(kDnsmasq) + ")");
    for (int attempt = 1;; ++attempt) {
        FPort = FreePort();
        Launch(Hosts);
        try {
            WaitUntilAnswering();
            return;
        } catch (const std::runtime_error&) {
            FProcess.Stop();
            // Another socket may take the port between the probe and dnsmasq's bind.
            if (attempt < 5 && Output().find("Address already in use") != std::string::npos)
                continue;
            throw;
        }
    }
}

void DnsmasqServer::Launch(const std::vector<MxHost>& Hosts) {
    std::vector<std::string> arguments = {
        kDnsmasq,
        "--no-resolv",
        "--no-hosts",
        "--no-daemon",
        "--bind-interfaces",
        "--listen-address=127.0.0.1",
        "--port=" + std::to_string(FPort),
        "--conf-file=/dev/null",
        "--pid-file=",
        "--local=/" + std::string(MissingDomain) + "/",
    };
    for (const MxHost& host : Hosts)
        arguments.push_back("--mx-host=" + host.Domain + "," + host.Exchange + "," +
                            std::to_string(host.Preference));
    FProcess.Start(arguments, FRoot.File("dnsmasq.out"));
}

void DnsmasqServer::WaitUntilAnswering() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(FPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const std::string query = ProbeQuery();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (FProcess.Exited()) {
            ::close(fd);
            throw std::runtime_error("dnsmasq exited at start:\n" + Output());
        }
        ::sendto(fd, query.data(), query.size(), 0, reinterpret_cast<sockaddr*>(&address),
                 sizeof address);
        if (WaitForSocket(fd, POLLIN, -1, std::chrono::milliseconds(50)) == WaitOutcome::Ready) {
            char reply[512];
            // A refusal (nobody listening yet) reads as an error; only a datagram counts.
            if (::recv(fd, reply, sizeof reply, MSG_DONTWAIT) > 0) {
                ::close(fd);
                return;
            }
        }
    }
    ::close(fd);
    throw std::runtime_error("dnsmasq did not answer:\n" + Output());
}

std::string DnsmasqServer::Output() const {
    return ReadWholeFile(FRoot.File("dnsmasq.out"));
}

}  // namespace vex::test
