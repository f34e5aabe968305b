#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/dnsreply.h"
#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/stringlist.h"
#include "platform/win/messages.h"
#include "platform/winsock/winsock.h"

namespace vex {

class TTimeCounter;

inline constexpr int32_t sNotAResponse = 57016;
inline constexpr int32_t sFormatError = 57017;
inline constexpr int32_t sServerFailure = 57018;
inline constexpr int32_t sNameError = 57019;
inline constexpr int32_t sNotImplemented = 57020;
inline constexpr int32_t sRefused = 57021;

// The server the resolver asks unless told otherwise; a public resolver reachable over UDP.
inline constexpr const char* DefaultDNSAddress = "9.9.9.9";

class TMXRec : public TObject {
    VEX_CLASS(TMXRec, TObject)

public:
    TMXRec() = default;
    TMXRec(uint16_t APreference, std::string AExchange)
        : Preference(APreference), Exchange(std::move(AExchange)) {}

    uint16_t Preference = 0;
    std::string Exchange;  // the host name with a trailing dot
};

// The mail exchangers of a domain; the list owns its records.
class TMXList : public TPersistent {
    VEX_CLASS(TMXList, TPersistent)

public:
    TMXList() = default;
    ~TMXList() override;
    TMXList(const TMXList&) = delete;
    TMXList& operator=(const TMXList&) = delete;

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    // EListError for an index out of range.
    TMXRec& Items(int32_t Index) const;
    void Add(std::unique_ptr<TMXRec> Rec);
    void Clear();
    // Ascending preference, by the exchanges of a selection sort.
    void Sort();

private:
    std::vector<std::unique_ptr<TMXRec>> FItems;
};

// The flags word of a DNS header.
class TQuerySpec : public TObject {
    VEX_CLASS(TQuerySpec, TObject)

public:
    explicit TQuerySpec(uint16_t AFlags = 0) : Flags(AFlags) {}

    bool QR() const { return Bit(0x8000); }
    void SetQR(bool Value) { SetBit(0x8000, Value); }
    bool AA() const { return Bit(0x400); }
    void SetAA(bool Value) { SetBit(0x400, Value); }
    bool TC() const { return Bit(0x200); }
    void SetTC(bool Value) { SetBit(0x200, Value); }
    bool RD() const { return Bit(0x100); }
    void SetRD(bool Value) { SetBit(0x100, Value); }
    bool RA() const { return Bit(0x80); }
    void SetRA(bool Value) { SetBit(0x80, Value); }
    uint8_t Opcode() const { return static_cast<uint8_t>(Flags >> 11 & 0x0F); }
    void SetOpcode(uint8_t Value) {
        Flags = static_cast<uint16_t>((Flags & ~0x7800) | (Value & 0x0F) << 11);
    }
    uint8_t RCode() const { return static_cast<uint8_t>(Flags & 0x0F); }
    void SetRCode(uint8_t Value) {
        Flags = static_cast<uint16_t>((Flags & ~0x0F) | (Value & 0x0F));
    }

    uint16_t Flags;

private:
    bool Bit(uint16_t Mask) const { return (Flags & Mask) != 0; }
    void SetBit(uint16_t Mask, bool Value) {
        Flags = static_cast<uint16_t>(Value ? Flags | Mask : Flags & ~Mask);
    }
};

// Asks one DNS server over UDP for the mail exchangers of Domain. Resolve waits on the message
// loop for at most TimeOut seconds. Only a datagram carrying the query's random ID and echoing its
// question (or, for a failure, no question at all) counts as the reply; anything else that
// arrives is ignored, so a forged datagram can't decide the result. Every failure is an exception:
// ESocketError, ETimedOutError or EResolverError (a bad domain, a malformed reply, or the server's
// error code).
class TmsMXResolver : public TComponent {
    VEX_CLASS(TmsMXResolver, TComponent)

public:
    explicit TmsMXResolver(TComponent* AOwner);
    ~TmsMXResolver() override;

    const std::string& Domain() const { return FDomain; }
    void SetDomain(const std::string& Value) { FDomain = Value; }
    // A dotted IPv4 address; no name lookup is made for it.
    const std::string& DNSAddress() const { return FDNSAddress; }
    void SetDNSAddress(const std::string& Value) { FDNSAddress = Value; }
    // When set, status lines are kept in Log and written to this file by the destructor.
    const std::string& LogFile() const { return FLogFile; }
    void SetLogFile(const std::string& Value) { FLogFile = Value; }
    const TStringList& Log() const { return *FLog; }
    uint16_t Port() const { return FPort; }
    void SetPort(uint16_t Value) { FPort = Value; }
    int32_t TimeOut() const;
    void SetTimeOut(int32_t Seconds);
    HWND WindowHandle() const { return FWindowHandle; }

    // Sorted by ascending preference after a Resolve that succeeded.
    const TMXList& MXList() const { return *FMXList; }

    void Resolve();

    TNotifyEvent OnSendingQuery;
    TNotifyEvent OnWaitingForResponse;
    TNotifyEvent OnClosingConnection;

private:
    class TOpenSocket;

    void WndProc(TMessage& Message);
    void Status(const std::string& Line);
    // Creates the socket; ConnectSocket then points it at the server.
    void OpenSocket();
    void ConnectSocket();
    void CloseConnection();
    void SendQuery();
    // The first datagram that answers the query, parsed.
    TDnsReply WaitForReply();
    // The next datagram; false when none was there yet.
    bool ReceiveDatagram(std::string& Datagram);
    // The parsed reply when the datagram carries the query's ID and question, or the ID and an
    // error code without a question. A datagram with the ID that can't be parsed raises
    // EResolverError.
    std::optional<TDnsReply> MatchingReply(const std::string& Datagram) const;
    void ReadReply(const TDnsReply& Reply);
    [[noreturn]] void RaiseSocketError(int32_t Code);
    [[noreturn]] void RaiseTimeOut();

    std::string FDomain;
    std::string FDNSAddress = DefaultDNSAddress;
    std::string FLogFile;
    std::unique_ptr<TStringList> FLog;
    uint16_t FPort = 53;
    HWND FWindowHandle = 0;
    bool FDataReady = false;
    std::unique_ptr<TMXList> FMXList;
    std::unique_ptr<TTimeCounter> FTimeCounter;
    WSADATA FWSAData{};
    bool FStarted = false;
    SOCKET FSocketHandle = INVALID_SOCKET;
    sockaddr_in FServerAddress{};
    int32_t FLastResult = 0;
    uint16_t FQueryID = 0;
    std::string FQueryName;  // the domain as asked: labels each followed by "."
};

// Raises EResolverError unless Domain has labels of 1 to 63 bytes and at most 253 bytes in all;
// one trailing dot is allowed.
void CheckDomainName(const std::string& Domain);

}  // namespace vex
