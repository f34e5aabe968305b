#include "net/msmimedata.h"

#include <algorithm>
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

TPartDataWriter::TPartDataWriter(TMemoryStream& Stream, TPartEncoding Encoding, int64_t EncodedSize)
    : FStream(Stream),
      FEncoding(Encoding),
      // Base64 and uuencoding carry three bytes in four characters; the other encodings give at
      // most about a byte for each.
      FRoomToMake(Encoding.Encoding == aeBase64 ? EncodedSize / 4 * 3 + 3 : EncodedSize) {}

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
// new one, as when two encoded files were joined. Whole groups are decoded straight from the
// line; only a group cut by a line break, padding or a stray character goes a character at a
// time.
void TPartDataWriter::AddBase64(std::string_view Line) {
    size_t i = 0;
    while (i < Line.size()) {
        if (FGroupSize == 0 && Line.size() - i >= 4) {
            const size_t groups = (Line.size() - i) / 4;
            const size_t held = FPending.size();
            FPending.resize(held + groups * 3);
            const size_t done = Base64DecodeGroups(Line.data() + i, groups, FPending.data() + held);
            FPending.resize(held + done * 3);
            i += done * 4;
            if (done == groups) continue;
        }
        AddBase64Char(Line[i++]);
    }
    if (FPending.size() >= kBatch) WritePending();
}

void TPartDataWriter::AddBase64Char(char C) {
    if (C == '=') {
        DecodePartialGroup();
    } else if (IsBase64Char(C)) {
        FGroup[FGroupSize++] = C;
        if (FGroupSize < 4) return;
        FGroupSize = 0;
        const size_t held = FPending.size();
        FPending.resize(held + 3);
        Base64DecodeGroups(FGroup, 1, FPending.data() + held);
    }
}

// Two characters carry one byte, three carry two; the bits the missing ones would add are zero.
void TPartDataWriter::DecodePartialGroup() {
    if (FGroupSize == 0) return;
    const size_t bytes = FGroupSize * 6 / 8;
    std::fill(FGroup + FGroupSize, FGroup + 4, 'A');
    FGroupSize = 0;
    char decoded[3];
    Base64DecodeGroups(FGroup, 1, decoded);
    FPending.append(decoded, bytes);
}

void TPartDataWriter::Finish(bool AtDelimiter) {
    DecodePartialGroup();
    // The line break before a boundary belongs to the boundary, not to the data.
    if (AtDelimiter && FEndsWithOwnBreak) {
        if (FPending.size() >= 2)
            FPending.resize(FPending.size() - 2);
        else if (FStream.Size() >= 2)
            FStream.SetSize(FStream.Size() - 2);
    }
    WritePending();
    if (FRoomMade) FStream.SetCapacity(0);
}

void TPartDataWriter::WritePending() {
    Write(FPending);
    FPending.clear();
}

void TPartDataWriter::Write(std::string_view Bytes) {
    if (Bytes.empty()) return;
    if (!FRoomMade && Bytes.size() >= kBatch) {
        FStream.SetCapacity(FStream.Size() + std::max<int64_t>(FRoomToMake, Bytes.size()));
        FRoomMade = true;
    }
    FStream.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size()));
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
