#include "net/msmimedata.h"

#include <array>
#include <limits>

#include "net/base64.h"
#include "net/componentexceptions.h"
#include "net/headerwords.h"
#include "net/quotedprintable.h"
#include "net/uuencode.h"
#include "platform/core/stream.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr int32_t kUnlimited = std::numeric_limits<int32_t>::max();
constexpr size_t kBase64Batch = 64 * 1024;

constexpr std::array<bool, 256> MakeBase64Chars() {
    std::array<bool, 256> chars{};
    for (char c = 'A'; c <= 'Z'; ++c)
        chars[static_cast<uint8_t>(c)] = true;
    for (char c = 'a'; c <= 'z'; ++c)
        chars[static_cast<uint8_t>(c)] = true;
    for (char c = '0'; c <= '9'; ++c)
        chars[static_cast<uint8_t>(c)] = true;
    chars['+'] = chars['/'] = chars['='] = true;
    return chars;
}

constexpr std::array<bool, 256> kBase64Chars = MakeBase64Chars();

bool IsBase64Char(char C) {
    return kBase64Chars[static_cast<uint8_t>(C)];
}

// The grave accent and "end" close a uuencoded block; "begin" opens one.
bool IsUUFrameLine(std::string_view Line) {
    return Line == "`" || SameText(Line, "end") || IsUUBegin(Line);
}

}  // namespace

TPartEncoding PartEncodingOf(std::string_view TransferEncoding) {
    const std::string value = LowerCase(TransferEncoding);
    if (value == "base64") return {aeBase64, false};
    if (value.starts_with("x-uue")) return {aeBase64, true};
    if (value == "quoted-printable") return {aeQuotedPrintable, false};
    return {aeNone, false};
}

TPartDataWriter::TPartDataWriter(TStream& Stream, TPartEncoding Encoding)
    : FStream(Stream), FEncoding(Encoding) {}

void TPartDataWriter::Add(std::string_view Line) {
    switch (FEncoding.Encoding) {
        case aeBase64:
            if (Line.empty()) return;
            if (FEncoding.UU) {
                if (IsUUFrameLine(Line)) return;
                std::string bytes;
                UUDecodeLine(Line, bytes, kUnlimited);
                Write(bytes);
            } else {
                AddBase64(Line);
            }
            return;
        case aeQuotedPrintable:
            FQuotedLines.Add(std::string(Line));
            return;
        case aeNone:
            Write(Line);
            Write("\r\n");
            ++FLinesAdded;
            return;
    }
}

void TPartDataWriter::AddBase64(std::string_view Line) {
    std::string clean;
    clean.reserve(Line.size());
    for (char c : Line)
        if (IsBase64Char(c)) clean += c;
    if (clean.empty()) return;
    // A line that is not whole groups, or that pads, is decoded on its own so that its bytes
    // come out exactly as a line-by-line decoder gives them.
    if (clean.size() % 4 != 0 || clean.find('=') != std::string::npos) {
        FlushBase64();
        std::string bytes;
        Base64Decode(clean, bytes, kUnlimited);
        Write(bytes);
        return;
    }
    FBase64 += clean;
    if (FBase64.size() >= kBase64Batch) FlushBase64();
}

void TPartDataWriter::FlushBase64() {
    if (FBase64.empty()) return;
    std::string bytes;
    Base64Decode(FBase64, bytes, kUnlimited);
    Write(bytes);
    FBase64.clear();
}

void TPartDataWriter::Finish(bool AtDelimiter) {
    FlushBase64();
    // Did this writer end the data with a line break of its own after the part's last line?
    bool endsWithOwnBreak = FEncoding.Encoding == aeNone && FLinesAdded > 0;
    if (FQuotedLines.Count() > 0) {
        const std::string last = FQuotedLines[FQuotedLines.Count() - 1];
        endsWithOwnBreak = last.empty() || (last.back() != '=' && last.back() != '\x1A');
        TQuotedPrintable codec(&FStream, &FQuotedLines);
        codec.Decode();
        FQuotedLines.Clear();
    }
    if (AtDelimiter && endsWithOwnBreak && FStream.Size() >= 2) FStream.SetSize(FStream.Size() - 2);
}

void TPartDataWriter::Write(std::string_view Bytes) {
    if (!Bytes.empty()) FStream.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size()));
}

void DecodeQuotedBody(TStrings& Body) {
    TMemoryStream text;
    try {
        TQuotedPrintable codec(&text, &Body);
        codec.Decode();
    } catch (const Exception& E) {
        throw EMessageParserError(E.Message());
    }
    text.SetPosition(0);
    Body.LoadFromStream(text);
}

std::string FieldValue(const TmsHeaders& Headers, const std::string& Name) {
    std::string value;
    Headers.GetFieldValue(Name, value);
    return value;
}

std::string Parameter(const std::string& Name, const std::string& Value) {
    std::string result;
    GetParameter(Name, Value, result);
    return result;
}

}  // namespace vex
