#include "net/dnsreply.h"

namespace vex {

namespace {

// Smallest encodings: a question is the root name and two words, a record the root name and
// ten bytes of fixed fields.
constexpr size_t MinQuestionSize = 1 + 4;
constexpr size_t MinRecordSize = 1 + 10;

[[noreturn]] void Malformed(const std::string& What) {
    throw EResolverError("Malformed DNS reply: " + What);
}

class TDnsReader {
public:
    explicit TDnsReader(std::string_view Data) : FData(Data) {}

    size_t Position() const { return FPos; }
    void SetPosition(size_t Pos) { FPos = Pos; }

    uint16_t ReadWord() {
        const uint16_t value = static_cast<uint16_t>(ByteAt(FPos) << 8 | ByteAt(FPos + 1));
        FPos += 2;
        return value;
    }

    uint32_t ReadLong() {
        const uint32_t high = ReadWord();
        return high << 16 | ReadWord();
    }

    // Labels in place, then either the root or a pointer to an earlier name. Each pointer must
    // lead before the labels being read, so every jump goes strictly lower and no chain loops.
    std::string ReadName() {
        std::string name;
        size_t pos = FPos;
        size_t runStart = FPos;
        size_t encoded = 0;
        int jumps = 0;
        bool jumped = false;
        for (;;) {
            const uint8_t length = ByteAt(pos);
            if ((length & 0xC0) == 0xC0) {
                const size_t target = static_cast<size_t>(length & 0x3F) << 8 | ByteAt(pos + 1);
                if (!jumped) FPos = pos + 2;
                if (target >= runStart) Malformed("a compression pointer does not point backwards");
                if (target < DnsHeaderSize)
                    Malformed("a compression pointer leads into the header");
                if (++jumps > MaxDnsPointerJumps)
                    Malformed("a name has too many compression pointers");
                jumped = true;
                runStart = pos = target;
                continue;
            }
            if ((length & 0xC0) != 0) Malformed("a name uses an unknown label type");
            encoded += length + 1u;
            if (encoded > MaxDnsNameLength) Malformed("a name is longer than 255 bytes");
            if (length == 0) {
                if (!jumped) FPos = pos + 1;
                return name;
            }
            if (pos + 1 + length > FData.size()) Truncated();
            name.append(FData.substr(pos + 1, length));
            name += '.';
            pos += 1 + length;
        }
    }

    size_t Remaining() const { return FData.size() - FPos; }

    [[noreturn]] static void Truncated() { Malformed("it ends in the middle of a record"); }

private:
    uint8_t ByteAt(size_t Pos) const {
        if (Pos >= FData.size()) Truncated();
        return static_cast<uint8_t>(FData[Pos]);
    }

    std::string_view FData;
    size_t FPos = 0;
};

TDnsHeader ReadHeader(TDnsReader& Reader) {
    TDnsHeader header;
    header.ID = Reader.ReadWord();
    header.Flags = Reader.ReadWord();
    header.QDCount = Reader.ReadWord();
    header.ANCount = Reader.ReadWord();
    header.NSCount = Reader.ReadWord();
    header.ARCount = Reader.ReadWord();
    return header;
}

TDnsAnswer ReadAnswer(TDnsReader& Reader) {
    TDnsAnswer answer;
    answer.Name = Reader.ReadName();
    answer.Type = Reader.ReadWord();
    answer.Class = Reader.ReadWord();
    answer.TTL = Reader.ReadLong();
    const uint16_t length = Reader.ReadWord();
    if (length > Reader.Remaining()) Malformed("a record's data runs past the end");
    const size_t dataEnd = Reader.Position() + length;
    if (answer.Type == DnsTypeMX) {
        if (length < 3) Malformed("an MX record's data is too short");
        answer.Preference = Reader.ReadWord();
        answer.Exchange = Reader.ReadName();
        if (Reader.Position() > dataEnd) Malformed("an MX record's name runs past its data");
    }
    Reader.SetPosition(dataEnd);
    return answer;
}

}  // namespace

TDnsHeader ParseDnsHeader(std::string_view Data) {
    TDnsReader reader(Data);
    return ReadHeader(reader);
}

TDnsReply ParseDnsReply(std::string_view Data) {
    TDnsReader reader(Data);
    TDnsReply reply;
    reply.Header = ReadHeader(reader);
    // Checked first, so a forged count can't make the loops below run long.
    if (reply.Header.QDCount * MinQuestionSize + reply.Header.ANCount * MinRecordSize >
        reader.Remaining())
        Malformed("it counts more records than it holds");
    reply.Questions.reserve(reply.Header.QDCount);
    for (uint16_t i = 0; i < reply.Header.QDCount; ++i) {
        TDnsQuestion question;
        question.Name = reader.ReadName();
        question.Type = reader.ReadWord();
        question.Class = reader.ReadWord();
        reply.Questions.push_back(std::move(question));
    }
    reply.Answers.reserve(reply.Header.ANCount);
    for (uint16_t i = 0; i < reply.Header.ANCount; ++i)
        reply.Answers.push_back(ReadAnswer(reader));
    return reply;
}

}  // namespace vex
