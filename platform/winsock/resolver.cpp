#include "platform/winsock/resolver.h"

#include <netdb.h>
#include <netinet/in.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/core/stringutils.h"
#include "platform/winsock/winsock.h"

namespace vex {

namespace {

// As many addresses as the original's resolver returned at most.
constexpr size_t kMaxAddresses = 35;
constexpr size_t kMaxServiceBuffer = 65536;

int LookupError(int Code) {
    switch (Code) {
        case EAI_NONAME:
            return WSAHOST_NOT_FOUND;
        case EAI_AGAIN:
            return WSATRY_AGAIN;
        case EAI_NODATA:
        case EAI_ADDRFAMILY:
            return WSANO_DATA;
        case EAI_MEMORY:
            return WSAENOBUFS;
        default:
            return WSANO_RECOVERY;
    }
}

size_t AlignUp(size_t Offset) {
    return (Offset + alignof(char*) - 1) & ~(alignof(char*) - 1);
}

// Packs strings and pointer lists behind a structure at the start of a buffer, measuring first
// and writing only into a buffer known to be large enough.
class TPacker {
public:
    TPacker(char* Buffer, size_t Head) : FBuffer(Buffer), FUsed(Head) {}

    // A zero-terminated list of Count pointers; the caller fills it through Slot.
    char** List(size_t Count) {
        FUsed = AlignUp(FUsed);
        char** list = Writing() ? reinterpret_cast<char**>(FBuffer + FUsed) : nullptr;
        FUsed += (Count + 1) * sizeof(char*);
        if (list != nullptr) list[Count] = nullptr;
        return list;
    }
    char* Bytes(const void* Data, size_t Size) {
        char* at = Writing() ? FBuffer + FUsed : nullptr;
        FUsed += Size;
        if (at != nullptr) std::memcpy(at, Data, Size);
        return at;
    }
    char* Text(const std::string& S) { return Bytes(S.c_str(), S.size() + 1); }
    char** Texts(const std::vector<std::string>& Items) {
        char** list = List(Items.size());
        for (size_t i = 0; i < Items.size(); ++i) {
            char* text = Text(Items[i]);
            if (list != nullptr) list[i] = text;
        }
        return list;
    }
    size_t Used() const { return FUsed; }
    bool Writing() const { return FBuffer != nullptr; }

private:
    char* FBuffer;  // nullptr while measuring
    size_t FUsed;
};

template <class Fill>
size_t Pack(char* Buffer, size_t Size, size_t Head, Fill FillIn) {
    TPacker measure(nullptr, Head);
    FillIn(measure);
    const size_t needed = measure.Used();
    if (Buffer == nullptr || needed > Size) return needed;
    TPacker writer(Buffer, Head);
    FillIn(writer);
    return needed;
}

}  // namespace

std::optional<uint32_t> ParseDottedQuad(const char* Text) {
    if (Text == nullptr) return std::nullopt;
    uint32_t address = 0;
    const char* p = Text;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && *p++ != '.') return std::nullopt;
        int value = 0;
        int digits = 0;
        while (*p >= '0' && *p <= '9' && digits < 4) {
            value = value * 10 + (*p++ - '0');
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255) return std::nullopt;
        address = (address << 8) | static_cast<uint32_t>(value);
    }
    if (*p != '\0') return std::nullopt;
    return ::htonl(address);
}

int ResolveHost(const std::string& Name, THostResult& Result) {
    Result = THostResult{};
    if (std::optional<uint32_t> address = ParseDottedQuad(Name.c_str())) {
        Result.Name = Name;
        Result.Addresses.push_back(*address);
        return 0;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* list = nullptr;
    const int code = ::getaddrinfo(Name.c_str(), nullptr, &hints, &list);
    if (code != 0) return LookupError(code);
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(list, &::freeaddrinfo);
    Result.Name = list->ai_canonname != nullptr ? list->ai_canonname : Name;
    if (!SameText(Result.Name, Name)) Result.Aliases.push_back(Name);
    for (const addrinfo* a = list; a != nullptr && Result.Addresses.size() < kMaxAddresses;
         a = a->ai_next) {
        if (a->ai_family != AF_INET || a->ai_addrlen < sizeof(sockaddr_in)) continue;
        const uint32_t address = reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr;
        if (std::find(Result.Addresses.begin(), Result.Addresses.end(), address) ==
            Result.Addresses.end())
            Result.Addresses.push_back(address);
    }
    return Result.Addresses.empty() ? WSANO_DATA : 0;
}

int ResolveService(const std::string& Name, const char* Protocol, TServiceResult& Result) {
    Result = TServiceResult{};
    std::vector<char> scratch(1024);
    for (;;) {
        servent entry{};
        servent* found = nullptr;
        const int code = ::getservbyname_r(Name.c_str(), Protocol, &entry, scratch.data(),
                                           scratch.size(), &found);
        if (code == ERANGE && scratch.size() < kMaxServiceBuffer) {
            scratch.resize(scratch.size() * 2);
            continue;
        }
        if (code != 0 || found == nullptr) return WSANO_DATA;
        Result.Name = found->s_name;
        for (char** alias = found->s_aliases; alias != nullptr && *alias != nullptr; ++alias)
            Result.Aliases.emplace_back(*alias);
        Result.Port = static_cast<uint16_t>(found->s_port);
        Result.Protocol = found->s_proto;
        return 0;
    }
}

size_t PackHostent(const THostResult& Result, char* Buffer, size_t Size) {
    return Pack(Buffer, Size, sizeof(hostent), [&](TPacker& P) {
        hostent* host = P.Writing() ? reinterpret_cast<hostent*>(Buffer) : nullptr;
        char** addresses = P.List(Result.Addresses.size());
        for (size_t i = 0; i < Result.Addresses.size(); ++i) {
            char* bytes = P.Bytes(&Result.Addresses[i], sizeof(uint32_t));
            if (addresses != nullptr) addresses[i] = bytes;
        }
        char* name = P.Text(Result.Name);
        char** aliases = P.Texts(Result.Aliases);
        if (host != nullptr) *host = hostent{name, aliases, AF_INET, 4, addresses};
    });
}

size_t PackServent(const TServiceResult& Result, char* Buffer, size_t Size) {
    return Pack(Buffer, Size, sizeof(servent), [&](TPacker& P) {
        servent* service = P.Writing() ? reinterpret_cast<servent*>(Buffer) : nullptr;
        char* name = P.Text(Result.Name);
        char** aliases = P.Texts(Result.Aliases);
        char* protocol = P.Text(Result.Protocol);
        if (service != nullptr) *service = servent{name, aliases, Result.Port, protocol};
    });
}

}  // namespace vex
