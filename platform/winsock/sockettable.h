#pragma once

#include <cstdint>
#include <memory>

#include "platform/win/messageloop.h"
#include "platform/winsock/winsock.h"

namespace vex {

// What the library knows of one socket beyond its descriptor: where the connection stands and
// which asynchronous notifications are wanted and currently enabled.
struct TSocketEntry {
    enum class TState { Idle, Connecting, Open, Finished };

    SOCKET Handle = INVALID_SOCKET;
    int Fd = -1;
    bool Stream = true;
    TState State = TState::Idle;

    // WSAAsyncSelect; the watch exists only while there is something to wait for.
    HWND Wnd = 0;
    UINT Msg = 0;
    int32_t Events = 0;
    bool ReadEnabled = true;
    bool WriteEnabled = true;
    bool PeerClosed = false;
    std::unique_ptr<TDescriptorWatch> Watch;
};

// Registers a descriptor that socket() made and returns its handle.
SOCKET AddSocket(int Fd, bool Stream);
// nullptr, with WSANOTSOCK as the thread's last error, for a handle that is no open socket.
std::shared_ptr<TSocketEntry> FindSocket(SOCKET S);
// Forgets the socket, stops its notifications and closes its descriptor; false for an unknown
// handle.
bool CloseSocket(SOCKET S);
void CloseAllSockets();

}  // namespace vex
