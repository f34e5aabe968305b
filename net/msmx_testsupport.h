#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/socketwait.h"

namespace vex::test {

// A name as written in a reply: dotted labels, ended by the root or by a pointer to an offset.
struct WireName {
    WireName(const char* Text) : Labels(Text) {}
    WireName(std::string Text) : Labels(std::move(Text)) {}
    static WireName Pointer(uint16_t Offset, std::string Labels = "") {
        WireName name(std::move(Labels));
        name.PointsTo = Offset;
        name.HasPointer = true;
        return name;
    }

    std::string Bytes() const {
        std::string out;
        size_t start = 0;
        while (start < Labels.size()) {
            size_t dot = Labels.find('.', start);
            if (dot == std::string::npos) dot = Labels.size();
            out += static_cast<char>(dot - start);
            out += Labels.substr(start, dot - start);
            start = dot + 1;
        }
        if (HasPointer) {
            out += static_cast<char>(0xC0 | PointsTo >> 8);
            out += static_cast<char>(PointsTo & 0xFF);
        } else {
            out += '\0';
        }
        return out;
    }

    std::string Labels;
    uint16_t PointsTo = 0;
    bool HasPointer = false;
};

// Builds DNS replies byte by byte, so a test states the layout it means rather than a hex blob.
// Counts follow what was added unless set.
class DnsReplyBuilder {
public:
    explicit DnsReplyBuilder(uint16_t Id, uint16_t Flags = 0x8180) : FId(Id), FFlags(Flags) {}

    // A reply to Request: its ID and its question, copied as sent.
    static DnsReplyBuilder For(const std::string& Request, uint16_t Flags = 0x8180) {
        DnsReplyBuilder reply(QueryId(Request), Flags);
        reply.FBody = Request.size() > 12 ? Request.substr(12) : "";
        reply.FQuestions = 1;
        return reply;
    }

    static uint16_t QueryId(const std::string& Request) {
        return static_cast<uint16_t>(static_cast<uint8_t>(Request.at(0)) << 8 |
                                     static_cast<uint8_t>(Request.at(1)));
    }

    DnsReplyBuilder& RCode(uint8_t Code) {
        FFlags = static_cast<uint16_t>((FFlags & ~0x0F) | Code);
        return *this;
    }
    DnsReplyBuilder& Question(const WireName& Name, uint16_t Type = 15, uint16_t Class = 1) {
        FBody += Name.Bytes();
        Word(Type);
        Word(Class);
        ++FQuestions;
        return *this;
    }
    DnsReplyBuilder& Record(const WireName& Owner, uint16_t Type, const std::string& Data) {
        FBody += Owner.Bytes();
        Word(Type);
        Word(1);
        Word(0);
        Word(3600);
        Word(static_cast<uint16_t>(Data.size()));
        FLastDataOffset = Size();
        FBody += Data;
        ++FAnswers;
        return *this;
    }
    DnsReplyBuilder& Mx(const WireName& Owner, uint16_t Preference, const WireName& Exchange) {
        std::string data;
        data += static_cast<char>(Preference >> 8);
        data += static_cast<char>(Preference & 0xFF);
        Record(Owner, 15, data + Exchange.Bytes());
        FLastDataOffset += 2;
        return *this;
    }
    DnsReplyBuilder& Cname(const WireName& Owner, const WireName& Target) {
        return Record(Owner, 5, Target.Bytes());
    }
    DnsReplyBuilder& Counts(uint16_t Questions, uint16_t Answers) {
        FQuestions = Questions;
        FAnswers = Answers;
        return *this;
    }
    // Bytes appended as they stand.
    DnsReplyBuilder& Raw(const std::string& Bytes) {
        FBody += Bytes;
        return *this;
    }

    // Offsets from the start of the reply: of the next byte, and of the last record's name
    // in its data (the exchange of an MX record).
    size_t Size() const { return 12 + FBody.size(); }
    uint16_t LastNameOffset() const { return static_cast<uint16_t>(FLastDataOffset); }

    std::string Bytes() const {
        std::string out;
        for (uint16_t word : {FId, FFlags, FQuestions, FAnswers, uint16_t{0}, uint16_t{0}}) {
            out += static_cast<char>(word >> 8);
            out += static_cast<char>(word & 0xFF);
        }
        return out + FBody;
    }
    operator std::string() const { return Bytes(); }

private:
    void Word(uint16_t Value) {
        FBody += static_cast<char>(Value >> 8);
        FBody += static_cast<char>(Value & 0xFF);
    }

    uint16_t FId;
    uint16_t FFlags;
    uint16_t FQuestions = 0;
    uint16_t FAnswers = 0;
    std::string FBody;
    size_t FLastDataOffset = 0;
};

// A UDP server on 127.0.0.1 that answers each datagram with any number of datagrams, in order:
// how a test puts a forged or stray datagram ahead of the real reply.
class MultiReplyServer {
public:
    using Script = std::function<std::vector<std::string>(const std::string& Request)>;

    explicit MultiReplyServer(Script Respond) : FRespond(std::move(Respond)) {
        FFd = BindLoopback(SOCK_DGRAM, FPort);
        FStopFd = MakeStopDescriptor();
        FThread = std::thread([this] { Serve(); });
    }
    ~MultiReplyServer() {
        SignalStop(FStopFd);
        FThread.join();
        ::close(FFd);
        ::close(FStopFd);
    }
    MultiReplyServer(const MultiReplyServer&) = delete;
    MultiReplyServer& operator=(const MultiReplyServer&) = delete;

    uint16_t Port() const { return FPort; }

private:
    void Serve() {
        while (WaitForSocket(FFd, POLLIN, FStopFd, std::chrono::hours(24)) == WaitOutcome::Ready) {
            char buffer[2048];
            sockaddr_in peer{};
            socklen_t size = sizeof peer;
            const ssize_t n = ::recvfrom(FFd, buffer, sizeof buffer, MSG_DONTWAIT,
                                         reinterpret_cast<sockaddr*>(&peer), &size);
            if (n < 0) continue;
            for (const std::string& reply : FRespond(std::string(buffer, static_cast<size_t>(n))))
                ::sendto(FFd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&peer),
                         size);
        }
    }

    Script FRespond;
    int FFd = -1;
    int FStopFd = -1;
    uint16_t FPort = 0;
    std::thread FThread;
};

}  // namespace vex::test
