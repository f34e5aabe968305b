#include "tests/support/httpservers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tests/support/socketwait.h"

namespace vex::test {

namespace {

// A port the kernel just handed out and released; the server binds it a moment later.
uint16_t FreePort() {
    uint16_t port = 0;
    ::close(BindLoopback(SOCK_STREAM, port));
    return port;
}

// Runs Arguments[0] (looked up on PATH) with its output going to LogFile.
pid_t Start(const std::vector<std::string>& Arguments, const std::string& LogFile) {
    std::vector<char*> argv;
    for (const std::string& argument : Arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int log = ::open(LogFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            ::dup2(log, STDOUT_FILENO);
            ::dup2(log, STDERR_FILENO);
        }
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

void Stop(pid_t Process) {
    if (Process <= 0) return;
    ::kill(Process, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (::waitpid(Process, nullptr, WNOHANG) == Process) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(Process, SIGKILL);
    ::waitpid(Process, nullptr, 0);
}

bool Answers(uint16_t Port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(Port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool up = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return up;
}

// Waits until the server takes connections; throws with its log when it exits or never does.
void WaitUntilListening(pid_t& Process, uint16_t Port, const std::string& Name,
                        const std::string& LogFile) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(Process, nullptr, WNOHANG) == Process) {
            Process = -1;
            throw std::runtime_error(Name + " exited at start:\n" + ReadWholeFile(LogFile));
        }
        if (Answers(Port)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Stop(Process);
    Process = -1;
    throw std::runtime_error(Name + " did not start listening:\n" + ReadWholeFile(LogFile));
}

}  // namespace

PythonHttpServer::PythonHttpServer() : FPort(FreePort()) {
    const std::string log = FLog.File("server.log");
    FProcess = Start({"python3", "-m", "http.server", "--bind", "127.0.0.1", std::to_string(FPort),
                      "--directory", FRoot.Path()},
                     log);
    WaitUntilListening(FProcess, FPort, "http.server", log);
}

PythonHttpServer::~PythonHttpServer() {
    Stop(FProcess);
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
    : FPort(FreePort()) {
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
    FProcess = Start({"tinyproxy", "-d", "-c", path}, FRoot.File("tinyproxy.out"));
    WaitUntilListening(FProcess, FPort, "tinyproxy", FRoot.File("tinyproxy.out"));
}

TinyProxyServer::~TinyProxyServer() {
    Stop(FProcess);
}

std::string TinyProxyServer::Address() const {
    return "127.0.0.1:" + std::to_string(FPort);
}

}  // namespace vex::test
