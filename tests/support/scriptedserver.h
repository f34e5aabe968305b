#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vex::test {

// One step of what a scripted server does on a connection.
struct ScriptStep {
    enum class Kind { Send, ReadLine, ReadBytes, Delay, Hold, Silent, Close, Reset };
    Kind What;
    std::string Bytes;  // Send
    size_t Count = 0;   // ReadBytes; Delay in milliseconds
};
using Script = std::vector<ScriptStep>;

ScriptStep SendLine(const std::string& Line);  // adds CR LF
ScriptStep Send(const std::string& Bytes);
ScriptStep ReadLine();  // records the line without its CR LF
ScriptStep ReadBytes(size_t Count);
ScriptStep Delay(int Milliseconds);
// Waits until the test calls Release, so that what follows happens while the client is idle.
ScriptStep Hold();
ScriptStep Silent();  // says nothing and keeps the connection open until the server ends
ScriptStep Close();   // a graceful close
ScriptStep Reset();   // a close with RST

// A TCP server on 127.0.0.1 and an ephemeral port. Each accepted connection runs a script on a
// thread of its own; after its last step a connection stays open until the server ends. Every
// read waits at most StepTimeout; a step that runs out of time ends its script. The destructor
// stops and joins everything, even with a client connected.
class ScriptedServer {
public:
    static constexpr std::chrono::milliseconds StepTimeout{5000};

    // The same script for each of Connections connections.
    explicit ScriptedServer(Script Steps, int Connections = 1);
    // One script per connection, in the order the connections arrive.
    explicit ScriptedServer(std::vector<Script> PerConnection);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Address() const;  // "127.0.0.1:port"

    // Everything received so far, over all connections; the lines read by ReadLine steps.
    std::string Received() const;
    std::vector<std::string> ReceivedLines() const;
    int Accepted() const;
    // True once every script has run to its end (or to Silent); waits at most Timeout.
    bool WaitUntilDone(std::chrono::milliseconds Timeout = StepTimeout) const;
    // True once Count scripts have run to their end; waits at most Timeout.
    bool WaitUntilEnded(int Count, std::chrono::milliseconds Timeout = StepTimeout) const;
    // Lets one Hold step go on, the one waiting now or the next to come.
    void Release();

private:
    void AcceptLoop();
    void Run(int Fd, const Script& Steps);
    void Record(const std::string& Bytes);
    void RecordLine(const std::string& Line);
    void ScriptEnded();
    // False when the server stopped or no Release came within StepTimeout.
    bool WaitForRelease();

    std::vector<Script> FScripts;
    int FListenFd = -1;
    int FStopFd = -1;  // readable once the server stops
    uint16_t FPort = 0;
    mutable std::mutex FLock;
    mutable std::condition_variable FChanged;
    std::string FReceived;
    std::vector<std::string> FLines;
    int FAccepted = 0;
    int FEnded = 0;
    int FReleases = 0;  // not yet taken by a Hold step
    bool FStopping = false;
    std::vector<std::thread> FConnections;
    std::thread FAcceptor;
};

// A port on 127.0.0.1 where nothing listens: connecting to it is refused. It stays reserved for
// the life of the process, so no other server takes it meanwhile.
uint16_t RefusingPort();

}  // namespace vex::test
