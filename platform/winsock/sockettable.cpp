#include "platform/winsock/sockettable.h"

#include <unistd.h>

#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/winsock/wsaerrors.h"

namespace vex {

namespace {

struct TSocketTable {
    std::mutex Lock;
    std::unordered_map<SOCKET, std::shared_ptr<TSocketEntry>> Sockets;
};

TSocketTable& Table() {
    static TSocketTable table;
    return table;
}

void Close(TSocketEntry& Entry) {
    // The watch goes first, so no notification can be made for a descriptor number that the
    // system may hand out again.
    Entry.Watch.reset();
    ::close(Entry.Fd);
    Entry.Fd = -1;
}

}  // namespace

SOCKET AddSocket(int Fd, bool Stream) {
    auto entry = std::make_shared<TSocketEntry>();
    entry->Handle = static_cast<SOCKET>(Fd);
    entry->Fd = Fd;
    entry->Stream = Stream;
    entry->State = Stream ? TSocketEntry::TState::Idle : TSocketEntry::TState::Open;
    TSocketTable& t = Table();
    std::lock_guard<std::mutex> guard(t.Lock);
    t.Sockets[entry->Handle] = entry;
    return entry->Handle;
}

std::shared_ptr<TSocketEntry> FindSocket(SOCKET S) {
    TSocketTable& t = Table();
    std::lock_guard<std::mutex> guard(t.Lock);
    auto it = t.Sockets.find(S);
    if (it != t.Sockets.end()) return it->second;
    WSASetLastError(WSAENOTSOCK);
    return nullptr;
}

bool CloseSocket(SOCKET S) {
    std::shared_ptr<TSocketEntry> entry;
    {
        TSocketTable& t = Table();
        std::lock_guard<std::mutex> guard(t.Lock);
        auto it = t.Sockets.find(S);
        if (it == t.Sockets.end()) return false;
        entry = std::move(it->second);
        t.Sockets.erase(it);
    }
    Close(*entry);
    return true;
}

void CloseAllSockets() {
    std::unordered_map<SOCKET, std::shared_ptr<TSocketEntry>> all;
    {
        TSocketTable& t = Table();
        std::lock_guard<std::mutex> guard(t.Lock);
        all.swap(t.Sockets);
    }
    for (auto& [handle, entry] : all)
        Close(*entry);
}

}  // namespace vex
