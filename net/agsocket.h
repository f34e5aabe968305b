#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/componentexceptions.h"
#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/win/messages.h"
#include "platform/winsock/winsock.h"

namespace vex {

class TagRas;
class TTimeCounter;

using TmsErrorEvent = std::function<void(TObject* Sender, std::string& Msg)>;
// Perc is -1 when the size is unknown.
using TmsProgressEvent = std::function<void(TObject* Sender, int32_t Perc, int32_t Transferred)>;
using TmsLineEvent = std::function<void(TObject* Sender, const std::string& Line)>;

// What the socket library reports to a socket component's hidden window.
inline constexpr UINT WM_ASYNCHOSTRESOLVED = WM_USER + 148;
inline constexpr UINT WM_ASYNCSERVICERESOLVED = WM_USER + 149;
inline constexpr UINT WM_ASYNCSOCKETEVENT = WM_USER + 150;

inline constexpr int32_t sServerRequired = 57002;
inline constexpr int32_t sInvalidWinsockVersion = 57003;
inline constexpr int32_t sErrorResolvingHost = 57004;
inline constexpr int32_t sServiceNameRequired = 57005;
inline constexpr int32_t sNotConnected = 57008;

// The longest reply line handed out, and the default cap of a message.
inline constexpr size_t MaxReplyLineLength = 65536;
inline constexpr int64_t DefaultMaxMessageSize = int64_t{64} * 1024 * 1024;
// The most lines one reply may take. A server that keeps sending continuation lines is not
// going to end its reply, and nothing it says is worth reading without limit.
inline constexpr int32_t MaxReplyLines = 100;

// The base of the TCP client components: one stream socket driven on the main thread. The
// socket library reports to a hidden window, and every operation that waits pumps the message
// loop until its completion, a Cancel (from a button or a timer that runs inside the wait) or
// its time-out of TimeOut seconds without progress. Every failure reaches OnError with its text
// first and then leaves as ESocketError, ETimedOutError (the socket is closed) or
// ECanceledError. Not re-entrant: no operation may be started from a handler of another.
class TagSocket : public TComponent {
    VEX_CLASS(TagSocket, TComponent)

public:
    explicit TagSocket(TComponent* AOwner);
    ~TagSocket() override;

    // A host name or dotted address, optionally followed by ":" and a port number.
    const std::string& Server() const { return FServer; }
    void SetServer(const std::string& Value) { FServer = Value; }
    // When set, every line sent and received is kept in Transcript, which is written to this
    // file when the component is destroyed.
    const std::string& TranscriptFile() const { return FTranscriptFile; }
    void SetTranscriptFile(const std::string& Value) { FTranscriptFile = Value; }
    // The port used when ServiceName can't be looked up.
    uint16_t DefaultPort() const { return FDefaultPort; }
    void SetDefaultPort(uint16_t Value) { FDefaultPort = Value; }
    const std::string& ServiceName() const { return FServiceName; }
    void SetServiceName(const std::string& Value) { FServiceName = Value; }
    int32_t TimeOut() const;
    void SetTimeOut(int32_t Seconds);
    // Dials before every Connect and hangs up at Disconnect; cleared when it is freed.
    TagRas* RAS() const { return FRAS; }
    void SetRAS(TagRas* Value);
    // Whether the shared socket library is loaded. False leaves it loaded while any component
    // still uses it.
    bool WinsockLoaded() const;
    void SetWinsockLoaded(bool Value);
    // The largest message ReceiveMessage takes, in bytes.
    int64_t MaxMessageSize() const { return FMaxMessageSize; }
    void SetMaxMessageSize(int64_t Value) { FMaxMessageSize = Value; }

    HWND WindowHandle() const { return FWindowHandle; }
    bool Connected() const { return SocketHandle != INVALID_SOCKET; }
    // The lines sent and received while TranscriptFile is set.
    const TStringList& Transcript() const { return *FTranscript; }

    virtual void ResetState();
    // The first three characters as a number; -1 when they are not three digits.
    virtual int32_t GetReplyCode(const std::string& Reply);
    // Dials, resolves the server's address and port, and creates the socket; ConnectSocket
    // then makes the connection.
    virtual void Connect();
    virtual void Disconnect();
    virtual void Cancel();

    void ConnectSocket();
    void SendLine(const std::string& Line);
    // The lines in one send, each then reported as if sent alone: how commands go out ahead of
    // their replies without a packet each. The caller counts their replies in RepliesOwed.
    void SendLines(const std::vector<std::string>& Lines);
    // The reply code of the line read; -1, with the partial text in Line, when the server closed
    // the connection before a line feed.
    int32_t ReceiveLine(std::string& Line);
    // Reads a reply of one line or of several ("250-a" ... "250 b", the last line may also be
    // the bare code) into LastReply; more than MaxReplyLines lines end the connection with an
    // ESocketError.
    int32_t ReceiveReply();
    // Reads up to and including the line "." that ends a message. Size is for OnProgress only;
    // -1 when unknown.
    void ReceiveMessage(int32_t Size, TStream& Stream);
    // Count bytes, a count wider than an Integer because an HTTP body may announce more than 4 GB;
    // a negative Count reads until the server closes the connection.
    void ReceiveData(int64_t Count, TStream& Stream);
    void SendStream(TStream& Stream);

    TNotifyEvent OnOpen;
    TNotifyEvent OnConnected;
    TNotifyEvent OnClosing;
    TNotifyEvent OnClosed;
    TNotifyEvent OnCancel;
    TmsProgressEvent OnProgress;
    TmsErrorEvent OnError;
    TmsLineEvent OnLineSent;
    TmsLineEvent OnReplyLine;

protected:
    // Sends Line but shows Shown in the transcript and to OnLineSent: how a secret is kept out of
    // both.
    void SendLine(const std::string& Line, const std::string& Shown);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Whether a connection left idle between dialogues can carry the next command: its server
    // has neither closed nor reset it, owes no reply to a command sent ahead, and has sent
    // nothing unasked; either would pass for the next reply. Looks at the socket without waiting
    // and without a round trip.
    bool IdleConnectionUsable();

    // Fires OnError with Text, unless failures are kept quiet.
    void ReportError(std::string& Text);
    // While one lives, failures raise as ever but reach no OnError, whatever handler is assigned
    // meanwhile: for a failure dropped on purpose, such as that of a session being left.
    class TQuietErrors {
    public:
        explicit TQuietErrors(TagSocket& Socket) : FSocket(Socket) { ++FSocket.FQuietErrors; }
        ~TQuietErrors() { --FSocket.FQuietErrors; }
        TQuietErrors(const TQuietErrors&) = delete;
        TQuietErrors& operator=(const TQuietErrors&) = delete;

    private:
        TagSocket& FSocket;
    };

    // Fires OnError with the code's text and raises ESocketError; code 0 does nothing, a reset
    // connection is closed first.
    void RaiseSocketError(int32_t Code);
    [[noreturn]] void RaiseTimeOut();
    [[noreturn]] void RaiseCanceled();

    std::string LastReply;
    // Replies to commands sent ahead that have not been read; a new session owes none.
    int32_t RepliesOwed = 0;
    std::unique_ptr<TTimeCounter> TimeCounter;
    WSADATA WSAData{};
    SOCKET SocketHandle = INVALID_SOCKET;
    HANDLE AsyncRequest = 0;
    u_long RemoteAddress = 0;  // network order
    std::string RemoteAddressText;
    std::string LocalHost;
    uint16_t Port = 0;
    int32_t StartupCount = 0;

    bool Canceled = false;
    bool HostResolved = false;
    bool ServiceResolved = false;
    bool ConnectDone = false;
    bool DataReady = false;
    bool WriteReady = false;
    // Set once the server closed the connection and every byte it sent has been read.
    bool PeerClosed = false;
    bool ErrorPending = false;
    uint16_t ErrorCode = 0;
    uint16_t SendFlags = 0;

private:
    void WndProc(TMessage& Message);
    void ResolveHost(const std::string& Host);
    void ResolvePort(const std::string& PortText);
    void CreateSocket();
    void CloseSocket();
    void CancelLookup();

    // Waits on the message loop until Done, Canceled or the time-out.
    void WaitFor(const std::function<bool()>& Done);
    // The first wait of every read: data buffered or announced, the connection closed, or an
    // error; raises for a cancel, a time-out or a reported error.
    void WaitForData();
    // Moves what the socket holds into the input buffer: the bytes read, 0 once the server
    // closed the connection, -1 when nothing is there yet. Other failures raise.
    int32_t FillInput();
    // Takes up to Max buffered bytes.
    std::string TakeInput(size_t Max);
    std::string_view Input() const;
    void UpdatePeerClosed();
    // Waits until the socket may have more to read.
    void WaitForMoreData();
    // Sends Data within the time-out; raises for the time-out or a cancel.
    void SendText(const std::string& Data);
    // A line sent, as the transcript and OnLineSent show it.
    void ReportSent(const std::string& Shown);
    // Sends everything unless a cancel or the time-out stops it; progress restarts the count.
    void SendBuffer(const char* Data, size_t Length);
    void ReportProgress(int64_t Size, int64_t Position);
    void AddToTranscript(const std::string& Line);
    void CheckConnected();
    // A dialogue that can't go on: closes the connection, fires OnError, raises ESocketError.
    [[noreturn]] void RaiseProtocolError(std::string Text);

    std::string FServer;
    std::string FTranscriptFile;
    uint16_t FDefaultPort = 0;
    std::string FServiceName;
    TagRas* FRAS = nullptr;
    int64_t FMaxMessageSize = DefaultMaxMessageSize;
    HWND FWindowHandle = 0;
    bool FUsesWinsock = false;
    // Bytes read from the socket and not yet handed out, from FInputStart on.
    std::string FInput;
    size_t FInputStart = 0;
    // The server closed its side: FD_CLOSE came or a read returned 0.
    bool FCloseReported = false;
    int32_t FQuietErrors = 0;
    struct TLookupBuffer;
    std::unique_ptr<TLookupBuffer> FLookupBuffer;
    std::unique_ptr<TStringList> FTranscript;
};

}  // namespace vex
