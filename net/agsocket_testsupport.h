#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "net/agsocket.h"
#include "platform/win/modules.h"
#include "platform/winsock/winsock.h"
#include "tests/support/casefile.h"
#include "tests/support/errortext.h"
#include "tests/support/scriptedserver.h"

namespace vex::test {

// Opens the protected state that tests look at.
class TestSocket : public TagSocket {
public:
    using TagSocket::LastReply;
    using TagSocket::PeerClosed;
    using TagSocket::Port;
    using TagSocket::RemoteAddressText;
    using TagSocket::StartupCount;
    using TagSocket::TagSocket;
};

// A socket (or a client built on one) with the library loaded, pointed at Address, whose own
// time-out keeps a test from hanging when the clock is real.
template <class T = TestSocket>
std::unique_ptr<T> SocketFor(const std::string& Address) {
    auto socket = std::make_unique<T>(nullptr);
    socket->SetWinsockLoaded(true);
    socket->SetServer(Address);
    socket->SetTimeOut(10);
    return socket;
}

inline std::unique_ptr<TestSocket> ConnectedSocket(const std::string& Address) {
    auto socket = SocketFor(Address);
    socket->Connect();
    socket->ConnectSocket();
    return socket;
}

// Records the events of a socket by name, in order.
struct EventLog {
    explicit EventLog(TagSocket& Socket) {
        for (auto [event, name] : {std::pair{&Socket.OnOpen, "open"},
                                   {&Socket.OnConnected, "connected"},
                                   {&Socket.OnClosing, "closing"},
                                   {&Socket.OnClosed, "closed"},
                                   {&Socket.OnCancel, "cancel"}})
            *event = [this, name](TObject*) { Add(name); };
        Socket.OnError = [this](TObject*, std::string& Msg) {
            Add("error");
            Errors.push_back(Msg);
        };
    }
    void Add(const std::string& Name) { Events.push_back(Name); }
    // The events separated by blanks.
    std::string Names() const {
        std::string names;
        for (const std::string& event : Events)
            names += (names.empty() ? "" : " ") + event;
        return names;
    }
    std::vector<std::string> Events;
    std::vector<std::string> Errors;
};

using Progress = std::vector<std::pair<int32_t, int32_t>>;

inline void RecordProgress(TagSocket& Socket, Progress& Into) {
    Socket.OnProgress = [&Into](TObject*, int32_t Perc, int32_t Transferred) {
        Into.emplace_back(Perc, Transferred);
    };
}

// A server's part of a dialogue kept in a case file, a step a line: "send <bytes>", "repeat
// <count> <bytes>", "line <text>" (sent with CR LF), "read" (a line), "delay <ms>", "close",
// "reset".
inline Script ScriptOf(const std::vector<std::string>& Steps) {
    Script script;
    for (const std::string& line : Steps) {
        const TestCase step = CaseOf(line);
        const std::string& word = step[0];
        if (word == "send" || word == "line")
            script.push_back(word == "send" ? Send(step[1]) : SendLine(step[1]));
        else if (word == "repeat")
            script.insert(script.end(), step.Int(1), Send(step[2]));
        else if (word == "delay")
            script.push_back(Delay(static_cast<int>(step.Int(1))));
        else if (word == "read" || word == "close" || word == "reset")
            script.push_back(word == "read" ? ReadLine() : word == "close" ? Close() : Reset());
        else
            ADD_FAILURE() << "unknown step " << line;
    }
    return script;
}

// The message of the E that Call raises, "no error" when it raises none.
template <class E>
std::string ErrorMessageOf(const std::function<void()>& Call) {
    return ErrorText<E>(Call);
}

}  // namespace vex::test
