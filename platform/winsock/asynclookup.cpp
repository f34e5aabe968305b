#include "platform/winsock/asynclookup.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <variant>

#include "platform/win/messageloop.h"
#include "platform/win/window.h"
#include "platform/winsock/resolver.h"
#include "platform/winsock/startup.h"
#include "platform/winsock/winsock.h"
#include "platform/winsock/wsaerrors.h"

namespace vex {

namespace {

// Lookups that may run at once; a request beyond them fails with WSAENOBUFS instead of piling
// up threads behind a slow resolver.
constexpr int kMaxWorkers = 16;

struct TRequest {
    HWND Wnd;
    UINT Msg;
    char* Buffer;
    size_t Size;
};

using TOutcome = std::variant<THostResult, TServiceResult>;

// Workers are detached and may outlive everything else, so they only reach this state, which
// is never freed; once the program ends (Closed) they deliver nothing more.
struct TLookups {
    std::mutex Lock;
    std::unordered_map<HANDLE, TRequest> Pending;
    HANDLE LastHandle = 0;
    int Workers = 0;
    bool Closed = false;
};

struct TCloseAtExit {
    ~TCloseAtExit();
};

TLookups& Lookups() {
    static TLookups* lookups = [] {
        // The message queue is made first, so this guard is destroyed before it.
        IsWindow(0);
        static TCloseAtExit guard;
        return new TLookups;
    }();
    return *lookups;
}

TCloseAtExit::~TCloseAtExit() {
    TLookups& l = Lookups();
    std::lock_guard<std::mutex> guard(l.Lock);
    l.Closed = true;
    l.Pending.clear();
}

size_t PackOutcome(const TOutcome& Outcome, char* Buffer, size_t Size) {
    if (const THostResult* host = std::get_if<THostResult>(&Outcome))
        return PackHostent(*host, Buffer, Size);
    return PackServent(std::get<TServiceResult>(Outcome), Buffer, Size);
}

// On the main thread: writes the result and posts the message, unless the request was
// canceled meanwhile.
void Deliver(HANDLE Handle, int Error, const TOutcome& Outcome) {
    TLookups& l = Lookups();
    std::lock_guard<std::mutex> guard(l.Lock);
    auto it = l.Pending.find(Handle);
    if (it == l.Pending.end()) return;
    const TRequest request = it->second;
    l.Pending.erase(it);
    size_t needed = 0;
    if (Error == 0) {
        needed = PackOutcome(Outcome, nullptr, 0);
        if (needed > request.Size)
            Error = WSAENOBUFS;
        else
            PackOutcome(Outcome, request.Buffer, request.Size);
    }
    const uint16_t length = static_cast<uint16_t>(std::min<size_t>(needed, 0xFFFF));
    PostMessage(request.Wnd, request.Msg, Handle,
                WSAMAKEASYNCREPLY(length, static_cast<uint16_t>(Error)));
}

template <class Lookup>
HANDLE StartLookup(HWND Wnd, UINT Msg, char* Buffer, int Size, Lookup Run) {
    if (!WinsockStarted()) return 0;
    if (Buffer == nullptr || Size < 0) {
        FailWith(WSAEFAULT);
        return 0;
    }
    if (reinterpret_cast<uintptr_t>(Buffer) % alignof(hostent) != 0) {
        FailWith(WSAEFAULT);
        return 0;
    }
    TLookups& l = Lookups();
    std::lock_guard<std::mutex> guard(l.Lock);
    if (l.Workers >= kMaxWorkers) {
        FailWith(WSAENOBUFS);
        return 0;
    }
    HANDLE handle = l.LastHandle;
    do {
        handle = handle == UINT32_MAX ? 1 : handle + 1;
    } while (l.Pending.count(handle) != 0);
    try {
        std::thread([handle, Run = std::move(Run)] {
            TOutcome outcome;
            const int error = Run(outcome);
            TLookups& l = Lookups();
            std::lock_guard<std::mutex> guard(l.Lock);
            --l.Workers;
            if (l.Closed || l.Pending.count(handle) == 0) return;
            RunOnMainThread(
                [handle, error, outcome = std::move(outcome)] { Deliver(handle, error, outcome); });
        }).detach();
    } catch (const std::system_error&) {
        FailWith(WSAENOBUFS);
        return 0;
    }
    ++l.Workers;
    l.LastHandle = handle;
    l.Pending.emplace(handle, TRequest{Wnd, Msg, Buffer, static_cast<size_t>(Size)});
    return handle;
}

}  // namespace

HANDLE WSAAsyncGetHostByName(HWND hWnd, u_int wMsg, const char* name, char* buf, int buflen) {
    if (name == nullptr) {
        FailWith(WSAEFAULT);
        return 0;
    }
    return StartLookup(hWnd, wMsg, buf, buflen, [host = std::string(name)](TOutcome& Outcome) {
        return ResolveHost(host, Outcome.emplace<THostResult>());
    });
}

HANDLE WSAAsyncGetServByName(HWND hWnd, u_int wMsg, const char* name, const char* proto, char* buf,
                             int buflen) {
    if (name == nullptr) {
        FailWith(WSAEFAULT);
        return 0;
    }
    std::optional<std::string> protocol;
    if (proto != nullptr) protocol = proto;
    return StartLookup(hWnd, wMsg, buf, buflen,
                       [service = std::string(name), protocol](TOutcome& Outcome) {
                           return ResolveService(service, protocol ? protocol->c_str() : nullptr,
                                                 Outcome.emplace<TServiceResult>());
                       });
}

int WSACancelAsyncRequest(HANDLE hAsyncTaskHandle) {
    if (!WinsockStarted()) return SOCKET_ERROR;
    TLookups& l = Lookups();
    std::lock_guard<std::mutex> guard(l.Lock);
    // Unknown, or already answered: the original could not tell them apart either.
    if (l.Pending.erase(hAsyncTaskHandle) == 0) return FailWith(WSAEINVAL);
    return 0;
}

void CancelAllAsyncRequests() {
    TLookups& l = Lookups();
    std::lock_guard<std::mutex> guard(l.Lock);
    l.Pending.clear();
}

}  // namespace vex
