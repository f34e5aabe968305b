#include "net/agsocket.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

#include "net/agRasCmp.h"
#include "net/agwsock.h"
#include "net/componentexceptions.h"
#include "net/timecounter.h"
#include "net/transcript.h"
#include "platform/core/resources.h"
#include "platform/core/stringutils.h"
#include "platform/win/application.h"
#include "platform/win/messageloop.h"
#include "platform/win/window.h"

namespace vex {

namespace {

constexpr const char* CRLF = "\r\n";
constexpr const char* MessageEnd = "\r\n.\r\n";
constexpr std::string_view EmptyMessage = ".\r\n";
constexpr size_t MessageEndLength = 5;
constexpr int HostNameLength = 128;
constexpr int ReceiveChunk = 16384;
constexpr size_t DataChunk = 8 * 1024;
constexpr int32_t StreamChunk = 2047;
constexpr const char* SuppressedBody = "Suppressing the message body";

std::string DottedAddress(const unsigned char* Bytes) {
    return IntToStr(Bytes[0]) + "." + IntToStr(Bytes[1]) + "." + IntToStr(Bytes[2]) + "." +
           IntToStr(Bytes[3]);
}

// A port given after the colon of Server: 1 to 65535 in decimal digits, else 0.
uint16_t PortNumber(const std::string& Text) {
    if (Text.empty() || Text.size() > 5) return 0;
    uint32_t value = 0;
    for (char c : Text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value <= 65535 ? static_cast<uint16_t>(value) : 0;
}

}  // namespace

// Lookup results are written here by another thread until the request ends or is canceled, so
// the buffers live as long as the component and are never handed to two lookups at once.
struct TagSocket::TLookupBuffer {
    alignas(std::max_align_t) char Host[MAXGETHOSTSTRUCT];
    alignas(std::max_align_t) char Service[MAXGETHOSTSTRUCT];
};

TagSocket::TagSocket(TComponent* AOwner)
    : TComponent(AOwner),
      TimeCounter(std::make_unique<TTimeCounter>()),
      FLookupBuffer(std::make_unique<TLookupBuffer>()),
      FTranscript(std::make_unique<TStringList>()) {
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
    SetWinsockLoaded(false);
}

TagSocket::~TagSocket() {
    DeallocateHWnd(FWindowHandle);
    try {
        CancelLookup();
        if (SocketHandle != INVALID_SOCKET) CloseSocket();
        for (; StartupCount > 0; --StartupCount)
            agWinsock().WSACleanup();
    } catch (...) {
        Application().HandleException(this);
    }
    if (FUsesWinsock) agWinsock().RemoveUser();
    if (!FTranscriptFile.empty()) {
        try {
            WriteTranscript(*FTranscript, FTranscriptFile);
        } catch (...) {
            // A destructor can't pass it on; the application reports it instead.
            Application().HandleException(this);
        }
    }
}

int32_t TagSocket::TimeOut() const {
    return TimeCounter->TimeOut();
}

void TagSocket::SetTimeOut(int32_t Seconds) {
    TimeCounter->SetTimeOut(Seconds);
}

void TagSocket::SetRAS(TagRas* Value) {
    if (Value == FRAS) return;
    if (FRAS) FRAS->RemoveFreeNotification(this);
    FRAS = Value;
    if (FRAS) FRAS->FreeNotification(this);
}

bool TagSocket::WinsockLoaded() const {
    return agWinsock().IsLoaded();
}

void TagSocket::SetWinsockLoaded(bool Value) {
    if (!Value)
        agWinsock().Unload();
    else if (!agWinsock().IsLoaded())
        agWinsock().Load();
}

void TagSocket::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FRAS) FRAS = nullptr;
}

void TagSocket::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ASYNCHOSTRESOLVED:
        case WM_ASYNCSERVICERESOLVED:
            // A lookup canceled before its answer was taken is not this one.
            if (Message.WParam == AsyncRequest) {
                (Message.Msg == WM_ASYNCHOSTRESOLVED ? HostResolved : ServiceResolved) = true;
                ErrorCode = LParamError(Message.LParam);
                ErrorPending = ErrorCode != 0;
            }
            Message.Result = 0;
            return;
        case WM_ASYNCSOCKETEVENT:
            // Events of a socket closed meanwhile may still be queued.
            if (Message.WParam == SocketHandle) {
                ErrorCode = LParamError(Message.LParam);
                ErrorPending = ErrorCode != 0;
                if (!ErrorPending) {
                    switch (LParamEvent(Message.LParam)) {
                        case FD_READ:
                            DataReady = true;
                            break;
                        case FD_WRITE:
                            WriteReady = true;
                            break;
                        case FD_CONNECT:
                            ConnectDone = true;
                            break;
                        case FD_CLOSE:
                            FCloseReported = true;
                            UpdatePeerClosed();
                            break;
                    }
                }
            }
            Message.Result = 0;
            return;
        default:
            Message.Result =
                DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
    }
}

void TagSocket::ResetState() {
    Canceled = false;
    RepliesOwed = 0;
    TimeCounter->SetExpired(false);
    CancelLookup();
    ErrorPending = false;
    HostResolved = false;
    ServiceResolved = false;
    ConnectDone = false;
    DataReady = false;
    WriteReady = false;
    PeerClosed = false;
    FCloseReported = false;
}

int32_t TagSocket::GetReplyCode(const std::string& Reply) {
    if (Reply.size() < 3) return -1;
    int32_t code = 0;
    for (size_t i = 0; i < 3; ++i) {
        if (Reply[i] < '0' || Reply[i] > '9') return -1;
        code = code * 10 + (Reply[i] - '0');
    }
    return code;
}

void TagSocket::Connect() {
    if (FRAS) FRAS->Dial();
    if (OnOpen) OnOpen(this);
    if (FServer.empty()) RaiseSocketError(sServerRequired);

    if (agWinsock().WSAStartup(MAKEWORD(1, 1), &WSAData) != 0)
        RaiseSocketError(sInvalidWinsockVersion);
    ++StartupCount;
    if (!FUsesWinsock) {
        agWinsock().AddUser();
        FUsesWinsock = true;
    }

    const size_t colon = FServer.find(':');
    const std::string host = FServer.substr(0, colon);
    char name[HostNameLength] = {};
    if (agWinsock().gethostname(name, HostNameLength) == 0)
        LocalHost.assign(name, strnlen(name, HostNameLength));
    else
        LocalHost = host;

    ResolveHost(host);
    ResolvePort(colon == std::string::npos ? std::string() : FServer.substr(colon + 1));
    CreateSocket();
}

void TagSocket::ResolveHost(const std::string& Host) {
    const u_long address = agWinsock().inet_addr(Host.c_str());
    if (address != INADDR_NONE) {
        RemoteAddress = address;
        RemoteAddressText = DottedAddress(reinterpret_cast<const unsigned char*>(&address));
        return;
    }

    HostResolved = false;
    AsyncRequest = agWinsock().WSAAsyncGetHostByName(
        FWindowHandle, WM_ASYNCHOSTRESOLVED, Host.c_str(), FLookupBuffer->Host, MAXGETHOSTSTRUCT);
    if (AsyncRequest == 0) {
        const int error = agWinsock().WSAGetLastError();
        RaiseSocketError(error != 0 ? error : sErrorResolvingHost);
    }
    TimeCounter->Start();
    WaitFor([this] { return HostResolved; });
    TimeCounter->Stop();
    // A lookup still running would write into the buffer after the wait gave up on it.
    if (!HostResolved) CancelLookup();
    AsyncRequest = 0;
    if (ErrorPending) RaiseSocketError(ErrorCode);
    if (TimeCounter->Expired()) RaiseTimeOut();
    if (Canceled) RaiseCanceled();

    const auto* entry = reinterpret_cast<const hostent*>(FLookupBuffer->Host);
    if (entry->h_length != 4 || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr)
        RaiseSocketError(sErrorResolvingHost);
    RemoteAddressText =
        DottedAddress(reinterpret_cast<const unsigned char*>(entry->h_addr_list[0]));
    RemoteAddress = agWinsock().inet_addr(RemoteAddressText.c_str());
    if (RemoteAddress == INADDR_NONE) RaiseSocketError(sErrorResolvingHost);
}

void TagSocket::ResolvePort(const std::string& PortText) {
    Port = PortNumber(PortText);
    if (Port != 0) return;
    if (FServiceName.empty()) RaiseSocketError(sServiceNameRequired);
    if (Canceled) RaiseCanceled();

    ServiceResolved = false;
    AsyncRequest = agWinsock().WSAAsyncGetServByName(FWindowHandle, WM_ASYNCSERVICERESOLVED,
                                                     FServiceName.c_str(), "tcp",
                                                     FLookupBuffer->Service, MAXGETHOSTSTRUCT);
    if (AsyncRequest == 0) {
        Port = FDefaultPort;
        return;
    }
    TimeCounter->Start();
    WaitFor([this] { return ServiceResolved; });
    TimeCounter->Stop();
    if (!ServiceResolved) CancelLookup();
    AsyncRequest = 0;
    if (Canceled) RaiseCanceled();
    if (ErrorPending || TimeCounter->Expired()) {
        // The default port stands in, so the failed lookup must not also fail the connection
        // that follows.
        Port = FDefaultPort;
        ErrorPending = false;
        ErrorCode = 0;
        TimeCounter->SetExpired(false);
        return;
    }
    const auto* entry = reinterpret_cast<const servent*>(FLookupBuffer->Service);
    Port = agWinsock().ntohs(static_cast<u_short>(entry->s_port));
}

void TagSocket::CreateSocket() {
    // A second Connect must not leak the first socket.
    if (SocketHandle != INVALID_SOCKET) CloseSocket();
    const SOCKET handle = agWinsock().socket(AF_INET, SOCK_STREAM, 0);
    if (handle == INVALID_SOCKET) RaiseSocketError(agWinsock().WSAGetLastError());
    SocketHandle = handle;
    FCloseReported = false;
}

void TagSocket::CloseSocket() {
    const SOCKET handle = SocketHandle;
    SocketHandle = INVALID_SOCKET;
    FInput.clear();
    FInputStart = 0;
    agWinsock().closesocket(handle);
}

void TagSocket::CancelLookup() {
    if (AsyncRequest == 0) return;
    const HANDLE request = AsyncRequest;
    AsyncRequest = 0;
    agWinsock().WSACancelAsyncRequest(request);
}

void TagSocket::ConnectSocket() {
    if (Canceled) RaiseCanceled();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = agWinsock().htons(Port);
    address.sin_addr.s_addr = RemoteAddress;
    if (agWinsock().WSAAsyncSelect(SocketHandle, FWindowHandle, WM_ASYNCSOCKETEVENT,
                                   FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE) != 0)
        RaiseSocketError(agWinsock().WSAGetLastError());
    TimeCounter->Start();
    if (agWinsock().connect(SocketHandle, reinterpret_cast<const sockaddr*>(&address),
                            sizeof address) != 0) {
        const int error = agWinsock().WSAGetLastError();
        if (error != WSAEWOULDBLOCK) RaiseSocketError(error);
    }
    WaitFor([this] { return ConnectDone || ErrorPending; });
    TimeCounter->Stop();
    if (Canceled) RaiseCanceled();
    if (TimeCounter->Expired()) RaiseTimeOut();
    if (ErrorPending) RaiseSocketError(ErrorCode);
    if (OnConnected) OnConnected(this);
}

void TagSocket::Disconnect() {
    if (SocketHandle != INVALID_SOCKET) {
        if (OnClosing) OnClosing(this);
        CloseSocket();
        if (OnClosed) OnClosed(this);
    }
    if (FRAS) FRAS->HangUpAndCancel();
}

void TagSocket::Cancel() {
    Canceled = true;
    if (OnCancel) OnCancel(this);
    CancelLookup();
    Disconnect();
}

void TagSocket::WaitFor(const std::function<bool()>& Done) {
    const TWaitResult result =
        ProcessMessagesUntil([&] { return Done() || Canceled || TimeCounter->Expired(); });
    // The program is ending: the wait gives up as if canceled rather than hold it up.
    if (result == TWaitResult::Quit) Cancel();
}

void TagSocket::WaitForData() {
    TimeCounter->Start();
    WaitFor([this] { return DataReady || !Input().empty() || PeerClosed || ErrorPending; });
    TimeCounter->Stop();
    if (Canceled) RaiseCanceled();
    if (TimeCounter->Expired()) RaiseTimeOut();
    if (ErrorPending) RaiseSocketError(ErrorCode);
}

void TagSocket::WaitForMoreData() {
    WaitFor([this] { return DataReady || FCloseReported || ErrorPending; });
    if (ErrorPending && !Canceled) RaiseSocketError(ErrorCode);
}

std::string_view TagSocket::Input() const {
    return std::string_view(FInput).substr(FInputStart);
}

int32_t TagSocket::FillInput() {
    if (FInputStart > 0) {
        FInput.erase(0, FInputStart);
        FInputStart = 0;
    }
    const size_t held = FInput.size();
    FInput.resize(held + ReceiveChunk);
    // Any FD_READ from here on announces data this recv did not see.
    DataReady = false;
    const int received = agWinsock().recv(SocketHandle, FInput.data() + held, ReceiveChunk, 0);
    FInput.resize(held + static_cast<size_t>(std::max(received, 0)));
    if (received > 0) return received;
    if (received == 0) {
        FCloseReported = true;
        UpdatePeerClosed();
        return 0;
    }
    const int error = agWinsock().WSAGetLastError();
    if (error != WSAEWOULDBLOCK && !Canceled) RaiseSocketError(error);
    return -1;
}

std::string TagSocket::TakeInput(size_t Max) {
    const std::string_view input = Input();
    const size_t count = std::min(Max, input.size());
    std::string taken(input.substr(0, count));
    FInputStart += count;
    if (FInputStart == FInput.size()) {
        FInput.clear();
        FInputStart = 0;
    }
    UpdatePeerClosed();
    return taken;
}

void TagSocket::UpdatePeerClosed() {
    if (FCloseReported && Input().empty()) PeerClosed = true;
}

bool TagSocket::IdleConnectionUsable() {
    if (!Connected() || RepliesOwed > 0 || FCloseReported || ErrorPending || !Input().empty())
        return false;
    // An idle connection in good health has nothing to read: a byte is one unasked, 0 the end
    // of the stream, and any other failure a reset.
    char byte = 0;
    if (agWinsock().recv(SocketHandle, &byte, 1, MSG_PEEK) != SOCKET_ERROR) return false;
    return agWinsock().WSAGetLastError() == WSAEWOULDBLOCK;
}

void TagSocket::CheckConnected() {
    if (!Connected()) RaiseSocketError(sNotConnected);
}

void TagSocket::ReportProgress(int64_t Size, int64_t Position) {
    if (!OnProgress) return;
    // The stream may hold more than Size: a chunk of an HTTP body is counted against its own
    // size, and a server may send more than it announced. Past the whole, a share says no more
    // than the whole; past an Integer, the count says no more than the largest.
    const int32_t percent =
        Size < 1 ? -1
                 : static_cast<int32_t>(std::nearbyint(std::min(Position * 100.0 / Size, 100.0)));
    const int64_t transferred = std::min<int64_t>(Position, std::numeric_limits<int32_t>::max());
    OnProgress(this, percent, static_cast<int32_t>(transferred));
}

void TagSocket::AddToTranscript(const std::string& Line) {
    if (!FTranscriptFile.empty()) FTranscript->Add(Line);
}

int32_t TagSocket::ReceiveLine(std::string& Line) {
    CheckConnected();
    WaitForData();
    TimeCounter->Start();
    Application().ProcessMessages();

    std::string received;
    bool complete = false;
    for (;;) {
        const size_t lineFeed = Input().find('\n');
        if (lineFeed != std::string_view::npos) {
            received += TakeInput(lineFeed + 1);
            complete = true;
            break;
        }
        received += TakeInput(std::string_view::npos);
        // Room for the text and its CR; the line feed will not fit a line that is already this
        // long.
        if (received.size() > MaxReplyLineLength + 1) break;
        if (Canceled || TimeCounter->Expired() || PeerClosed) break;
        const int32_t count = FillInput();
        if (count > 0) {
            TimeCounter->Start();
            Application().ProcessMessages();
        } else if (count < 0) {
            WaitForMoreData();
        }
    }
    TimeCounter->Stop();

    int32_t code = -1;
    if (complete) {
        received.erase(received.find_last_not_of(CRLF) + 1);
        if (received.size() <= MaxReplyLineLength) code = GetReplyCode(received);
    }
    if (received.size() > MaxReplyLineLength)
        RaiseProtocolError("Reply line longer than " + IntToStr(MaxReplyLineLength) + " bytes");
    if (TimeCounter->Expired()) RaiseTimeOut();
    if (Canceled) RaiseCanceled();

    Line = received;
    AddToTranscript(Line);
    if (OnReplyLine) OnReplyLine(this, Line);
    return code;
}

int32_t TagSocket::ReceiveReply() {
    const int32_t code = ReceiveLine(LastReply);
    if (code < 1 || LastReply.find('-') != 3) return code;
    for (int32_t lines = 1; !PeerClosed; ++lines) {
        if (lines == MaxReplyLines)
            RaiseProtocolError("Reply longer than " + IntToStr(MaxReplyLines) + " lines");
        ReceiveLine(LastReply);
        if (GetReplyCode(LastReply) == code && (LastReply.size() == 3 || LastReply[3] == ' '))
            break;
    }
    return code;
}

void TagSocket::SendBuffer(const char* Data, size_t Length) {
    size_t sent = 0;
    while (sent < Length) {
        Application().ProcessMessages();
        if (Canceled || TimeCounter->Expired()) return;
        // Any FD_WRITE from here on means room for what this send could not take.
        WriteReady = false;
        const size_t part = std::min<size_t>(Length - sent, std::numeric_limits<int>::max());
        const int count =
            agWinsock().send(SocketHandle, Data + sent, static_cast<int>(part), SendFlags);
        if (count > 0) {
            sent += static_cast<size_t>(count);
            TimeCounter->Start();
            continue;
        }
        if (count == SOCKET_ERROR) {
            const int error = agWinsock().WSAGetLastError();
            if (Canceled) return;
            if (error != WSAEWOULDBLOCK) RaiseSocketError(error);
        }
        WaitFor([this] { return WriteReady || ErrorPending; });
        if (ErrorPending && !Canceled) RaiseSocketError(ErrorCode);
    }
}

void TagSocket::SendLine(const std::string& Line) {
    SendLine(Line, Line);
}

void TagSocket::SendLine(const std::string& Line, const std::string& Shown) {
    SendText(Line + CRLF);
    ReportSent(Shown);
}

void TagSocket::SendLines(const std::vector<std::string>& Lines) {
    std::string data;
    for (const std::string& line : Lines)
        data += line + CRLF;
    SendText(data);
    for (const std::string& line : Lines)
        ReportSent(line);
}

void TagSocket::ReportSent(const std::string& Shown) {
    AddToTranscript(Shown);
    if (OnLineSent) OnLineSent(this, Shown);
}

void TagSocket::SendText(const std::string& Data) {
    CheckConnected();
    TimeCounter->Start();
    SendBuffer(Data.data(), Data.size());
    TimeCounter->Stop();
    if (TimeCounter->Expired()) RaiseTimeOut();
    if (Canceled) RaiseCanceled();
}

void TagSocket::ReceiveMessage(int32_t Size, TStream& Stream) {
    CheckConnected();
    WaitForData();
    TimeCounter->Start();

    int64_t received = 0;
    std::string tail;  // the last bytes of the message, enough to hold its end mark
    bool complete = false;
    while (!complete && !Canceled && !TimeCounter->Expired()) {
        if (Input().empty()) {
            if (PeerClosed) RaiseProtocolError("Connection closed before the end of the message");
            const int32_t count = FillInput();
            if (count < 0) WaitForMoreData();
            if (count <= 0) continue;
            TimeCounter->Start();
        }
        ReportProgress(Size, Stream.Position());

        // Only the bytes up to the end mark belong to the message; what follows stays buffered
        // for the next read.
        const std::string_view input = Input();
        const std::string window = tail + std::string(input);
        size_t take = input.size();
        if (received < static_cast<int64_t>(EmptyMessage.size()) &&
            window.starts_with(EmptyMessage)) {
            take = EmptyMessage.size() - static_cast<size_t>(received);
            complete = true;
        } else if (const size_t end = window.find(MessageEnd); end != std::string::npos) {
            take = end + MessageEndLength - tail.size();
            complete = true;
        }
        if (received + static_cast<int64_t>(take) > FMaxMessageSize)
            RaiseProtocolError("Message longer than " + IntToStr(FMaxMessageSize) + " bytes");

        const std::string bytes = TakeInput(take);
        Stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        received += static_cast<int64_t>(bytes.size());
        tail = (tail + bytes)
                   .substr(std::max<size_t>(tail.size() + bytes.size(), MessageEndLength - 1) -
                           (MessageEndLength - 1));
        Application().ProcessMessages();
    }
    TimeCounter->Stop();
    if (TimeCounter->Expired()) RaiseTimeOut();
    if (Canceled) RaiseCanceled();
}

void TagSocket::ReceiveData(int64_t Count, TStream& Stream) {
    if (OnProgress) OnProgress(this, 0, 0);
    if (Count == 0) {
        if (OnClosed) OnClosed(this);
        return;
    }
    WaitForData();
    TimeCounter->Start();

    int64_t received = 0;
    bool ended = false;
    while (!Canceled && !TimeCounter->Expired()) {
        if (Count > 0 && received >= Count) {
            ended = true;
            break;
        }
        if (Input().empty()) {
            if (PeerClosed) {
                ended = true;
                break;
            }
            const int32_t count = FillInput();
            if (count < 0) WaitForMoreData();
            if (count <= 0) continue;
            TimeCounter->Start();
        }
        size_t take = DataChunk;
        if (Count > 0) take = std::min<size_t>(take, static_cast<size_t>(Count - received));
        const std::string bytes = TakeInput(take);
        Stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        received += static_cast<int64_t>(bytes.size());
        ReportProgress(Count, Stream.Position());
        Application().ProcessMessages();
    }
    TimeCounter->Stop();
    if (ended) {
        if (Count > 0 && received < Count)
            RaiseProtocolError("Connection closed after " + IntToStr(received) + " of " +
                               IntToStr(Count) + " bytes");
        if (OnClosed) OnClosed(this);
        return;
    }
    if (Canceled) RaiseCanceled();
    if (TimeCounter->Expired()) RaiseTimeOut();
}

void TagSocket::SendStream(TStream& Stream) {
    try {
        Stream.SetPosition(0);
        AddToTranscript(SuppressedBody);
        const int64_t size = Stream.Size();
        char buffer[StreamChunk + 1];
        for (;;) {
            std::memset(buffer, 0, sizeof buffer);
            const int32_t count = Stream.Read(buffer, StreamChunk);
            TimeCounter->Start();
            SendBuffer(buffer, static_cast<size_t>(count));
            TimeCounter->Stop();
            if (Canceled || TimeCounter->Expired()) break;
            ReportProgress(size, Stream.Position());
            if (count < StreamChunk) break;
        }
        if (TimeCounter->Expired()) RaiseTimeOut();
        if (Canceled) RaiseCanceled();
    } catch (...) {
        if (OnProgress) OnProgress(this, 0, 0);
        throw;
    }
    if (OnProgress) OnProgress(this, 0, 0);
}

void TagSocket::ReportError(std::string& Text) {
    if (FQuietErrors == 0 && OnError) OnError(this, Text);
}

void TagSocket::RaiseSocketError(int32_t Code) {
    if (Code == 0) return;
    TimeCounter->Stop();
    std::string text =
        Code >= WSABASEERR && Code <= WSANO_DATA ? WinsockErrorMessage(Code) : LoadStr(Code);
    if (text.empty()) text = "Error #" + IntToStr(Code);
    ReportError(text);
    if (Code == WSAECONNRESET) Disconnect();
    throw ESocketError(text);
}

void TagSocket::RaiseProtocolError(std::string Text) {
    TimeCounter->Stop();
    Disconnect();
    ReportError(Text);
    throw ESocketError(Text);
}

void TagSocket::RaiseTimeOut() {
    TimeCounter->Stop();
    std::string text = LoadStr(sTimedOut);
    ReportError(text);
    CancelLookup();
    if (agWinsock().IsLoaded() && agWinsock().WSAIsBlocking()) agWinsock().WSACancelBlockingCall();
    Disconnect();
    throw ETimedOutError();
}

void TagSocket::RaiseCanceled() {
    TimeCounter->Stop();
    std::string text = LoadStr(sCanceled);
    ReportError(text);
    throw ECanceledError();
}

}  // namespace vex
