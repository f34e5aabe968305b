#include "tests/support/httpservers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tests/support/childprocess.h"

namespace vex::test {

namespace {

// Waits until the server takes connections; throws with its log when it exits or never does.
void WaitUntilListening(ChildProcess& Process, uint16_t Port, const std::string& Name,
                        const std::string& LogFile) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Process.Exited())
            throw std::runtime_error(Name + " exited at start:\n" + ReadWholeFile(LogFile));
        if (AcceptsConnections(Port)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Process.Stop();
    throw std::runtime_error(Name + " did not start listening:\n" + ReadWholeFile(LogFile));
}

}  // namespace

PythonHttpServer::PythonHttpServer() : FPort(FreeLoopbackPort()) {
    const std::string log = FLog.File("server.log");
    FProcess.Start({"python3", "-m", "http.server", "--bind", "127.0.0.1", std::to_string(FPort),
                    "--directory", FRoot.Path()},
                   log);
    WaitUntilListening(FProcess, FPort, "http.server", log);
}

std::string PythonHttpServer::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

std::string PythonHttpServer::Url(const std::string& Name) const {
    return "http://" + Address() + "/" + Name;
}

void PythonHttpServer::AddFile(const std::string& Name, const std::string& Contents) const {
    WriteWholeFile(FRoot.File(Name), Contents);
}

TinyProxyServer::TinyProxyServer(const std::string& User, const std::string& Password)
    : FPort(FreeLoopbackPort()) {
    const std::string log = FRoot.File("tinyproxy.log");
    std::string config;
    config += "Port " + std::to_string(FPort) + "\n";
    config += "Listen 127.0.0.1\n";
    config += "Allow 127.0.0.1\n";
    config += "Timeout 30\n";
    config += "MaxClients 20\n";
    config += "LogFile \"" + log + "\"\n";
    config += "LogLevel Info\n";
    config += "DisableViaHeader Yes\n";
    if (!User.empty()) config += "BasicAuth " + User + " " + Password + "\n";
    const std::string path = FRoot.File("tinyproxy.conf");
    WriteWholeFile(path, config);
    // Configuration errors are printed, not logged; they explain a failed start.
    FProcess.Start({"tinyproxy", "-d", "-c", path}, FRoot.File("tinyproxy.out"));
    WaitUntilListening(FProcess, FPort, "tinyproxy", FRoot.File("tinyproxy.out"));
}

std::string TinyProxyServer::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

}  // namespace vex::test
