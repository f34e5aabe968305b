#pragma once

#include <string>
#include <string_view>

#include "net/msmsgcls.h"
#include "platform/core/stringlist.h"

namespace vex {

class TStream;

// How the data lines of a part are written, from its Content-Transfer-Encoding value: "base64"
// and any "x-uue..." travel as aeBase64 (UU then tells them apart), "quoted-printable" as
// aeQuotedPrintable, anything else as it stands.
struct TPartEncoding {
    TAttEncoding Encoding = aeNone;
    bool UU = false;
};

TPartEncoding PartEncodingOf(std::string_view TransferEncoding);

// Decodes the data lines of one part, as they are read, onto the end of a stream. Lines are
// taken whole, however long. Base64 is read as most readers read it: blanks and other
// characters outside the alphabet are skipped rather than failing the part, as RFC 2045 asks
// of decoders. Uuencoded data skips its own begin and end lines. Quoted-printable is decoded
// by paragraphs, so its lines are held until Finish.
class TPartDataWriter {
public:
    TPartDataWriter(TStream& Stream, TPartEncoding Encoding);
    TPartDataWriter(const TPartDataWriter&) = delete;
    TPartDataWriter& operator=(const TPartDataWriter&) = delete;

    void Add(std::string_view Line);
    // Writes what is still held; the writer is done after it. AtDelimiter says a boundary line
    // ended the part: the line break before a boundary belongs to the boundary, not to the data.
    void Finish(bool AtDelimiter = false);

private:
    void AddBase64(std::string_view Line);
    void FlushBase64();
    void Write(std::string_view Bytes);

    TStream& FStream;
    TPartEncoding FEncoding;
    // Whole groups of base64 from consecutive lines, decoded together: the same bytes as line
    // by line, with one decoder call per batch instead of one per line.
    std::string FBase64;
    TStringList FQuotedLines;
    int64_t FLinesAdded = 0;
};

// The text of a quoted-printable body, decoded in place. A paragraph too large for the codec
// raises EMessageParserError with the codec's text and leaves Body as it was, so the message
// keeps its raw text beside the explanation of the failure.
void DecodeQuotedBody(TStrings& Body);

// The value of a header field ("" when absent) and of a parameter within a field's value.
std::string FieldValue(const TmsHeaders& Headers, const std::string& Name);
std::string Parameter(const std::string& Name, const std::string& Value);

}  // namespace vex
