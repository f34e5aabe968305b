#include "platform/winsock/asyncselect.h"

#include <poll.h>
#include <sys/ioctl.h>

#include "platform/win/window.h"
#include "platform/winsock/startup.h"
#include "platform/winsock/wsaerrors.h"

namespace vex {

namespace {

using TState = TSocketEntry::TState;

short WantedEvents(const TSocketEntry& E) {
    if (E.Events == 0 || E.State == TState::Idle || E.State == TState::Finished) return 0;
    if (E.State == TState::Connecting) return POLLOUT;
    short wanted = 0;
    if ((E.Events & FD_READ) && E.ReadEnabled) wanted |= POLLIN;
    if (E.Stream && (E.Events & FD_CLOSE) && !E.PeerClosed) wanted |= POLLRDHUP;
    if ((E.Events & FD_WRITE) && E.WriteEnabled) wanted |= POLLOUT;
    return wanted;
}

int PendingError(const TSocketEntry& E) {
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(E.Fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return errno;
    return error;
}

int BytesBuffered(const TSocketEntry& E) {
    int count = 0;
    return ::ioctl(E.Fd, FIONREAD, &count) == 0 ? count : 0;
}

// Posts the notification; a window that is gone ends the notifications of the socket.
void Notify(TSocketEntry& E, int32_t Event, int Errno) {
    if (!(E.Events & Event)) return;
    const uint16_t error = Errno == 0 ? 0 : static_cast<uint16_t>(WinsockErrorFromErrno(Errno));
    if (!PostMessage(E.Wnd, E.Msg, E.Handle,
                     WSAMAKESELECTREPLY(static_cast<uint16_t>(Event), error)))
        E.Events = 0;
}

void ConnectEnded(TSocketEntry& E) {
    const int error = PendingError(E);
    if (error == ECONNRESET) {
        // The connection stood and the peer reset it before the loop looked: the original
        // reported the connection, then its loss.
        E.State = TState::Finished;
        Notify(E, FD_CONNECT, 0);
        Notify(E, FD_CLOSE, ECONNRESET);
        return;
    }
    E.State = error == 0 ? TState::Open : TState::Finished;
    E.WriteEnabled = true;
    Notify(E, FD_CONNECT, error);
}

void StreamReady(TSocketEntry& E, short REvents) {
    if (REvents & (POLLERR | POLLNVAL)) {
        // A reset: whatever is buffered is lost with the connection, as on the original.
        E.State = TState::Finished;
        const int error = PendingError(E);
        Notify(E, FD_CLOSE, error == 0 ? ECONNRESET : error);
        return;
    }
    const int buffered = BytesBuffered(E);
    if ((REvents & (POLLRDHUP | POLLHUP)) || ((REvents & POLLIN) && buffered == 0))
        E.PeerClosed = true;
    if ((REvents & POLLIN) && buffered > 0) {
        E.ReadEnabled = false;
        Notify(E, FD_READ, 0);
    }
    // FD_CLOSE waits until the data before it has been read.
    if (E.PeerClosed && (buffered == 0 || !(E.Events & FD_READ))) {
        E.State = TState::Finished;
        Notify(E, FD_CLOSE, PendingError(E));
        return;
    }
    if ((REvents & POLLOUT) && E.WriteEnabled) {
        E.WriteEnabled = false;
        Notify(E, FD_WRITE, 0);
    }
}

void DatagramReady(TSocketEntry& E, short REvents) {
    // An error (a port unreachable answer) is left for the recv that the FD_READ brings.
    if ((REvents & (POLLIN | POLLERR)) && E.ReadEnabled && (E.Events & FD_READ)) {
        E.ReadEnabled = false;
        Notify(E, FD_READ, 0);
    }
    if ((REvents & POLLOUT) && E.WriteEnabled) {
        E.WriteEnabled = false;
        Notify(E, FD_WRITE, 0);
    }
    if ((REvents & POLLNVAL)) E.State = TState::Finished;
}

void SocketReady(TSocketEntry& E, short REvents) {
    if (E.State == TState::Connecting)
        ConnectEnded(E);
    else if (E.Stream)
        StreamReady(E, REvents);
    else
        DatagramReady(E, REvents);
    UpdateSelectWatch(E);
}

}  // namespace

void UpdateSelectWatch(TSocketEntry& E) {
    const short wanted = WantedEvents(E);
    if (wanted == 0) {
        E.Watch.reset();
    } else if (!E.Watch) {
        TSocketEntry* entry = &E;  // the watch lives inside the entry and dies before it
        E.Watch = std::make_unique<TDescriptorWatch>(
            E.Fd, wanted, [entry](short REvents) { SocketReady(*entry, REvents); });
    } else if (E.Watch->Events() != wanted) {
        E.Watch->SetEvents(wanted);
    }
}

void ReadAttempted(TSocketEntry& E) {
    E.ReadEnabled = true;
    UpdateSelectWatch(E);
}

void SendBlocked(TSocketEntry& E) {
    E.WriteEnabled = true;
    UpdateSelectWatch(E);
}

int WSAAsyncSelect(SOCKET s, HWND hWnd, u_int wMsg, int32_t lEvent) {
    if (!WinsockStarted()) return SOCKET_ERROR;
    std::shared_ptr<TSocketEntry> entry = FindSocket(s);
    if (!entry) return SOCKET_ERROR;
    if (lEvent != 0 && !IsWindow(hWnd)) return FailWith(WSAEINVAL);
    entry->Wnd = hWnd;
    entry->Msg = wMsg;
    entry->Events = lEvent;
    entry->ReadEnabled = true;
    entry->WriteEnabled = true;
    UpdateSelectWatch(*entry);
    return 0;
}

}  // namespace vex
