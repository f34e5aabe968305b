#include "net/msmx.h"

#include <algorithm>
#include <random>
#include <string_view>

#include "net/agsocket.h"
#include "net/agwsock.h"
#include "net/componentexceptions.h"
#include "net/timecounter.h"
#include "net/transcript.h"
#include "platform/core/clock.h"
#include "platform/core/exceptions.h"
#include "platform/core/resources.h"
#include "platform/core/stringutils.h"
#include "platform/win/application.h"
#include "platform/win/messageloop.h"
#include "platform/win/window.h"

namespace vex {

namespace {

constexpr size_t MaxDomainLength = 253;
constexpr size_t MaxLabelLength = 63;
constexpr int ReceiveBufferSize = 1024;
constexpr uint16_t QueryFlags = 0x0100;  // a standard query, recursion desired

void PutWord(std::string& Out, uint16_t Value) {
    Out += static_cast<char>(Value >> 8);
    Out += static_cast<char>(Value & 0xFF);
}

// The domain without its optional trailing dot.
std::string_view Unrooted(std::string_view Domain) {
    if (!Domain.empty() && Domain.back() == '.') Domain.remove_suffix(1);
    return Domain;
}

// An unpredictable ID for each query, so that an off-path sender has to guess it.
uint16_t NewQueryID() {
    std::random_device source;
    return static_cast<uint16_t>(source());
}

std::string ResponseCodeText(uint8_t Code) {
    if (Code >= 1 && Code <= 5) return LoadStr(sFormatError + Code - 1);
    return "Domain server Error #" + IntToStr(Code);
}

}  // namespace

void CheckDomainName(const std::string& Domain) {
    const std::string_view name = Unrooted(Domain);
    if (name.empty()) throw EResolverError("The domain name is empty");
    if (name.size() > MaxDomainLength)
        throw EResolverError("The domain name is longer than 253 characters");
    size_t start = 0;
    for (;;) {
        const size_t dot = std::min(name.find('.', start), name.size());
        const size_t length = dot - start;
        if (length == 0)
            throw EResolverError("The domain name \"" + Domain + "\" has an empty label");
        if (length > MaxLabelLength)
            throw EResolverError("The domain name \"" + Domain +
                                 "\" has a label longer than 63 characters");
        if (dot == name.size()) return;
        start = dot + 1;
    }
}

// TMXList

TMXList::~TMXList() {
    Clear();
}

TMXRec& TMXList::Items(int32_t Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return *FItems[static_cast<size_t>(Index)];
}

void TMXList::Add(std::unique_ptr<TMXRec> Rec) {
    FItems.push_back(std::move(Rec));
}

void TMXList::Clear() {
    while (!FItems.empty())
        FItems.pop_back();
}

void TMXList::Sort() {
    for (size_t i = 0; i < FItems.size(); ++i)
        for (size_t j = i + 1; j < FItems.size(); ++j)
            if (FItems[j]->Preference < FItems[i]->Preference) std::swap(FItems[i], FItems[j]);
}

// TmsMXResolver

// Closes the socket and fires OnClosingConnection however Resolve ends. On the way out of an
// exception a failing handler can't replace the exception, so the application reports it.
class TmsMXResolver::TOpenSocket {
public:
    explicit TOpenSocket(TmsMXResolver& Owner) : FOwner(Owner) {}
    ~TOpenSocket() {
        if (!FOpen) return;
        try {
            FOwner.CloseConnection();
        } catch (...) {
            Application().HandleException(&FOwner);
        }
    }
    TOpenSocket(const TOpenSocket&) = delete;
    TOpenSocket& operator=(const TOpenSocket&) = delete;

    void Close() {
        FOpen = false;
        FOwner.CloseConnection();
    }

private:
    TmsMXResolver& FOwner;
    bool FOpen = true;
};

TmsMXResolver::TmsMXResolver(TComponent* AOwner)
    : TComponent(AOwner),
      FLog(std::make_unique<TStringList>()),
      FMXList(std::make_unique<TMXList>()),
      FTimeCounter(std::make_unique<TTimeCounter>()) {
    if (!agWinsock().IsLoaded()) agWinsock().Load();
    const int result = agWinsock().WSAStartup(MAKEWORD(1, 1), &FWSAData);
    if (result != 0) RaiseSocketError(result);
    FStarted = true;
    agWinsock().AddUser();
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TmsMXResolver::~TmsMXResolver() {
    DeallocateHWnd(FWindowHandle);
    if (FStarted) {
        try {
            agWinsock().WSACleanup();
        } catch (...) {
            Application().HandleException(this);
        }
        agWinsock().RemoveUser();
    }
    if (!FLogFile.empty()) {
        try {
            WriteTranscript(*FLog, FLogFile);
        } catch (...) {
            // A destructor can't pass it on; the application reports it instead.
            Application().HandleException(this);
        }
    }
}

int32_t TmsMXResolver::TimeOut() const {
    return FTimeCounter->TimeOut();
}

void TmsMXResolver::SetTimeOut(int32_t Seconds) {
    FTimeCounter->SetTimeOut(Seconds);
}

void TmsMXResolver::WndProc(TMessage& Message) {
    if (Message.Msg != WM_ASYNCSOCKETEVENT) {
        Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    // Events of a socket closed meanwhile may still be queued.
    if (Message.WParam == FSocketHandle) {
        const uint16_t error = LParamError(Message.LParam);
        if (error != 0)
            FLastResult = error;
        else if (LParamEvent(Message.LParam) == FD_READ)
            FDataReady = true;
    }
    Message.Result = 0;
}

void TmsMXResolver::Status(const std::string& Line) {
    if (!FLogFile.empty()) FLog->Add(Line);
}

void TmsMXResolver::Resolve() {
    FDataReady = false;
    FLastResult = 0;
    FTimeCounter->SetExpired(false);
    FMXList->Clear();
    // Checked before anything is sent: the domain comes from a sender address anyone can write.
    CheckDomainName(FDomain);
    FQueryName = std::string(Unrooted(FDomain)) + ".";

    if (OnSendingQuery) OnSendingQuery(this);
    OpenSocket();
    TOpenSocket open(*this);
    ConnectSocket();
    SendQuery();
    if (OnWaitingForResponse) OnWaitingForResponse(this);
    const TDnsReply reply = WaitForReply();
    ReadReply(reply);
    FMXList->Sort();
    open.Close();
}

void TmsMXResolver::OpenSocket() {
    Status("Opening connection");
    const u_long address = agWinsock().inet_addr(FDNSAddress.c_str());
    if (address == INADDR_NONE)
        throw EResolverError("The DNS server address \"" + FDNSAddress +
                             "\" is not a dotted IPv4 address");
    FServerAddress = sockaddr_in{};
    FServerAddress.sin_family = AF_INET;
    FServerAddress.sin_port = agWinsock().htons(FPort);
    FServerAddress.sin_addr.s_addr = address;
    const SOCKET handle = agWinsock().socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (handle == INVALID_SOCKET) RaiseSocketError(agWinsock().WSAGetLastError());
    FSocketHandle = handle;
}

void TmsMXResolver::ConnectSocket() {
    if (agWinsock().WSAAsyncSelect(FSocketHandle, FWindowHandle, WM_ASYNCSOCKETEVENT, FD_READ) != 0)
        RaiseSocketError(agWinsock().WSAGetLastError());
    if (agWinsock().connect(FSocketHandle, reinterpret_cast<const sockaddr*>(&FServerAddress),
                            sizeof FServerAddress) != 0)
        RaiseSocketError(agWinsock().WSAGetLastError());
}

void TmsMXResolver::CloseConnection() {
    FTimeCounter->Stop();
    if (FSocketHandle != INVALID_SOCKET) {
        const SOCKET handle = FSocketHandle;
        FSocketHandle = INVALID_SOCKET;
        agWinsock().closesocket(handle);
    }
    if (OnClosingConnection) OnClosingConnection(this);
}

void TmsMXResolver::SendQuery() {
    Status("Constructing query");
    FQueryID = NewQueryID();
    std::string query;
    PutWord(query, FQueryID);
    PutWord(query, QueryFlags);
    PutWord(query, 1);  // one question, no records
    PutWord(query, 0);
    PutWord(query, 0);
    PutWord(query, 0);
    const std::string_view name = Unrooted(FDomain);
    size_t start = 0;
    while (start <= name.size()) {
        const size_t dot = std::min(name.find('.', start), name.size());
        query += static_cast<char>(dot - start);
        query.append(name.substr(start, dot - start));
        start = dot + 1;
    }
    query += '\0';
    PutWord(query, DnsTypeMX);
    PutWord(query, DnsClassIN);

    Status("Sending query");
    if (agWinsock().send(FSocketHandle, query.data(), static_cast<int>(query.size()), 0) ==
        SOCKET_ERROR)
        RaiseSocketError(agWinsock().WSAGetLastError());
}

TDnsReply TmsMXResolver::WaitForReply() {
    FTimeCounter->Start();
    // The counter ticks on a timer, which a flood of datagrams could keep from running; the
    // deadline holds the wait to TimeOut seconds regardless.
    const int64_t deadline =
        Clock().TickMilliseconds() + int64_t{std::max(FTimeCounter->TimeOut(), 1)} * 1000;
    for (;;) {
        const TWaitResult result = ProcessMessagesUntil(
            [this] { return FDataReady || FLastResult != 0 || FTimeCounter->Expired(); }, deadline);
        if (result == TWaitResult::Quit) {
            // The program is ending: give up rather than hold it up.
            FTimeCounter->Stop();
            throw ECanceledError();
        }
        if (FLastResult != 0) RaiseSocketError(FLastResult);
        if (result == TWaitResult::Deadline || FTimeCounter->Expired()) RaiseTimeOut();
        std::string datagram;
        if (!ReceiveDatagram(datagram)) continue;
        if (std::optional<TDnsReply> reply = MatchingReply(datagram)) {
            FTimeCounter->Stop();
            return std::move(*reply);
        }
        Status("Ignored a datagram that does not answer the query");
    }
}

bool TmsMXResolver::ReceiveDatagram(std::string& Datagram) {
    Datagram.resize(ReceiveBufferSize);
    // Any FD_READ from here on announces a datagram this recv did not see.
    FDataReady = false;
    const int received = agWinsock().recv(FSocketHandle, Datagram.data(), ReceiveBufferSize, 0);
    if (received == SOCKET_ERROR) {
        const int error = agWinsock().WSAGetLastError();
        if (error == WSAEWOULDBLOCK) return false;
        RaiseSocketError(error);
    }
    Datagram.resize(static_cast<size_t>(received));
    return true;
}

std::optional<TDnsReply> TmsMXResolver::MatchingReply(const std::string& Datagram) const {
    if (Datagram.size() < 2) return std::nullopt;
    const uint16_t id = static_cast<uint16_t>(static_cast<uint8_t>(Datagram[0]) << 8 |
                                              static_cast<uint8_t>(Datagram[1]));
    if (id != FQueryID) return std::nullopt;
    // From here on it claims to be the reply, so damage in it is an error, not noise.
    TDnsReply reply = ParseDnsReply(Datagram);
    // Some servers drop the question from a failure; its error still ends the wait rather than
    // leaving it to run out. An answer without its question proves nothing and is passed over.
    const TQuerySpec flags(reply.Header.Flags);
    if (reply.Questions.empty() && flags.QR() && flags.RCode() != 0) return reply;
    if (reply.Questions.size() != 1) return std::nullopt;
    const TDnsQuestion& question = reply.Questions.front();
    if (question.Type != DnsTypeMX || question.Class != DnsClassIN ||
        !SameText(question.Name, FQueryName))
        return std::nullopt;
    return reply;
}

void TmsMXResolver::ReadReply(const TDnsReply& Reply) {
    const TQuerySpec flags(Reply.Header.Flags);
    if (!flags.QR()) throw EResolverError(LoadStr(sNotAResponse));
    if (flags.AA()) Status("Authoritative Answer");
    if (flags.TC()) Status("Response truncated");
    if (flags.RA()) Status("Recursion available");
    if (flags.RCode() != 0) {
        Status("Error code " + IntToStr(flags.RCode()));
        throw EResolverError(ResponseCodeText(flags.RCode()));
    }
    for (const TDnsAnswer& answer : Reply.Answers)
        if (answer.Type == DnsTypeMX)
            FMXList->Add(std::make_unique<TMXRec>(answer.Preference, answer.Exchange));
}

void TmsMXResolver::RaiseSocketError(int32_t Code) {
    FTimeCounter->Stop();
    std::string text = LoadStr(Code);
    if (text.empty()) text = "Error #" + IntToStr(Code);
    throw ESocketError(text);
}

void TmsMXResolver::RaiseTimeOut() {
    FTimeCounter->Stop();
    throw ETimedOutError();
}

}  // namespace vex
