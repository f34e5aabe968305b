#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/agsocket.h"
#include "platform/win/modules.h"
#include "platform/winsock/winsock.h"

namespace vex::test {

// Opens the protected state that tests look at.
class TestSocket : public TagSocket {
public:
    using TagSocket::Canceled;
    using TagSocket::LastReply;
    using TagSocket::LocalHost;
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
        Socket.OnOpen = [this](TObject*) { Events.push_back("open"); };
        Socket.OnConnected = [this](TObject*) { Events.push_back("connected"); };
        Socket.OnClosing = [this](TObject*) { Events.push_back("closing"); };
        Socket.OnClosed = [this](TObject*) { Events.push_back("closed"); };
        Socket.OnCancel = [this](TObject*) { Events.push_back("cancel"); };
        Socket.OnError = [this](TObject*, std::string& Msg) {
            Events.push_back("error");
            Errors.push_back(Msg);
        };
    }
    std::vector<std::string> Events;
    std::vector<std::string> Errors;
};

// The error-text library, present for the life of the object.
class ErrorTextLibrary {
public:
    ErrorTextLibrary() { RegisterWinsockErrorTextModule(); }
    ~ErrorTextLibrary() { UnregisterModule("wserr32.dll"); }
    ErrorTextLibrary(const ErrorTextLibrary&) = delete;
    ErrorTextLibrary& operator=(const ErrorTextLibrary&) = delete;
};

// The message of the E that Call raises; a test failure when it raises none.
template <class E>
std::string ErrorMessageOf(const std::function<void()>& Call) {
    try {
        Call();
    } catch (const E& e) {
        return e.Message();
    }
    ADD_FAILURE() << "no exception";
    return std::string();
}

}  // namespace vex::test
