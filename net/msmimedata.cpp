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
constexpr size_t kBatch = 64 * 1024;

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
            FEndsWithOwnBreak = DecodeQuotedLine(Line, FPending) == TQuotedLineEnd::Break;
            if (FPending.size() >= kBatch) WritePending();
            return;
        case aeNone:
            FPending.append(Line);
            FPending += "\r\n";
            FEndsWithOwnBreak = true;
            if (FPending.size() >= kBatch) WritePending();
            return;
    }
}

// Line breaks are not part of base64 (RFC 2045 section 6.8): the characters of all lines make
// one stream, decoded in whole groups of four. Padding ends a stream; what follows it starts a
// new one, as when two encoded files were joined.
void TPartDataWriter::AddBase64(std::string_view Line) {
    for (const char c : Line) {
        if (c == '=') {
            if (!FBase64.empty()) DecodeBase64(FBase64.size());
        } else if (IsBase64Char(c)) {
            FBase64 += c;
        }
    }
    if (FBase64.size() >= kBatch) DecodeBase64(FBase64.size() / 4 * 4);
}

void TPartDataWriter::DecodeBase64(size_t Count) {
    std::string bytes;
    Base64Decode(std::string_view(FBase64).substr(0, Count), bytes, kUnlimited);
    Write(bytes);
    FBase64.erase(0, Count);
}

void TPartDataWriter::Finish(bool AtDelimiter) {
    if (!FBase64.empty()) DecodeBase64(FBase64.size());
    // The line break before a boundary belongs to the boundary, not to the data.
    if (AtDelimiter && FEndsWithOwnBreak) {
        if (FPending.size() >= 2)
            FPending.resize(FPending.size() - 2);
        else if (FStream.Size() >= 2)
            FStream.SetSize(FStream.Size() - 2);
    }
    WritePending();
}

void TPartDataWriter::WritePending() {
    Write(FPending);
    FPending.clear();
}

void TPartDataWriter::Write(std::string_view Bytes) {
    if (!Bytes.empty()) FStream.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size()));
}

void DecodeQuotedBody(TStrings& Body) {
    TMemoryStream text;
    TQuotedPrintable codec(&text, &Body);
    codec.Decode();
    text.SetPosition(0);
    Body.LoadFromStream(text);
}

bool IsDelimiterLine(std::string_view Line, std::string_view Delimiter) {
    while (!Line.empty() && (Line.back() == ' ' || Line.back() == '\t'))
        Line.remove_suffix(1);
    return Line == Delimiter;
}

void NamePart(TmsAttItem& Item, const TmsHeaders& Headers, const std::string& MadeUpName) {
    const std::string contentType = FieldValue(Headers, "Content-Type");
    std::string name = FileNameParameter("name", contentType);
    if (name.empty())
        name = FileNameParameter("filename", FieldValue(Headers, "Content-Disposition"));
    name = AttachmentNameOnly(name);
    if (name.empty())
        Item.SetMadeUpFileName(MadeUpName);
    else
        Item.SetFileName(name);

    const std::string declared = FirstToken(contentType);
    const bool generic = declared.empty() || SameText(declared, "application/octet-stream");
    // Text is what a part without a type holds (RFC 2045 section 5.2).
    if (!generic || name.empty()) Item.SetContentType(declared.empty() ? "text/plain" : declared);
    Item.SetCharSet(Parameter("CharSet", contentType));
}

void SetTextCharSet(TmsCustomMessage& Message, const std::string& ContentType,
                    bool QuotedPrintable) {
    const std::string name = LowerCase(Parameter("CharSet", ContentType));
    if (name == "iso-2022-jp")
        Message.SetCharSet(csISO2022jp);
    else if (QuotedPrintable && !name.empty() && name != "us-ascii")
        Message.SetCharSet(csISO8859);
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
