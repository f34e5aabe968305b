#pragma once

#include <string>
#include <string_view>

#include "net/msmsgcls.h"
#include "platform/core/stringlist.h"

namespace vex {

// How the data lines of a part are written, from its Content-Transfer-Encoding value: "base64"
// and any "x-uue..." travel as aeBase64 (UU then tells them apart), "quoted-printable" as
// aeQuotedPrintable, anything else as it stands.
struct TPartEncoding {
    TAttEncoding Encoding = aeNone;
    bool UU = false;
};

TPartEncoding PartEncodingOf(std::string_view TransferEncoding);

// Decodes the data lines of one part, as they are read, onto the end of a stream. Lines are
// taken whole, however long, and memory stays bounded: at most a batch of decoded bytes is held
// before it is written. Base64 is read as most readers read it: blanks and other characters
// outside the alphabet are skipped rather than failing the part, as RFC 2045 asks of decoders.
// Uuencoded data skips its own begin and end lines.
class TPartDataWriter {
public:
    // At most EncodedSize more encoded bytes will follow (the rest of the message). Once the part
    // has proved larger than a batch, room for all they can decode to is made at once, so that a
    // large attachment is not moved as it grows; what is left over is given back when the writer
    // is done. Small parts, however many, cost no such reservation.
    TPartDataWriter(TMemoryStream& Stream, TPartEncoding Encoding, int64_t EncodedSize = 0);
    TPartDataWriter(const TPartDataWriter&) = delete;
    TPartDataWriter& operator=(const TPartDataWriter&) = delete;

    void Add(std::string_view Line);
    // Writes what is still held; the writer is done after it. AtDelimiter says a boundary line
    // ended the part: the line break before a boundary belongs to the boundary, not to the data.
    void Finish(bool AtDelimiter = false);

private:
    void AddBase64(std::string_view Line);
    // One character taken as Add takes it when it does not start a whole group.
    void AddBase64Char(char C);
    // Decodes the characters of a group cut short, as many whole bytes as they carry.
    void DecodePartialGroup();
    void WritePending();
    void Write(std::string_view Bytes);

    TMemoryStream& FStream;
    TPartEncoding FEncoding;
    int64_t FRoomToMake;  // what the rest can decode to at most, until room is made for it
    bool FRoomMade = false;
    char FGroup[4] = {};  // base64 characters of a group not yet complete
    size_t FGroupSize = 0;
    std::string FPending;  // decoded bytes not yet written
    // The data so far ends with a line break that this writer added after the last line.
    bool FEndsWithOwnBreak = false;
};

// The text of a quoted-printable body, decoded in place.
void DecodeQuotedBody(TStrings& Body);

// A delimiter line of a multipart: the delimiter, then nothing but the blanks and tabs that a
// transport may add (RFC 2046 section 5.1.1).
bool IsDelimiterLine(std::string_view Line, std::string_view Delimiter);

// Names and types the attachment of a part from the part's headers. The name is Content-Type's
// "name", else Content-Disposition's "filename", without its folders; when neither gives one, it
// is MadeUpName, marked as made up. The declared type wins over a guess from the name's
// extension, but where none is declared, or the declared one says no more than "bytes"
// (application/octet-stream), a given name's extension tells more. The charset declared is kept
// with the item, so that text is written back under the name of its set.
void NamePart(TmsAttItem& Item, const TmsHeaders& Headers, const std::string& MadeUpName);

// Sets the message's CharSet from the Content-Type of the part that is its text. Of the three
// sets the model knows, ISO-2022-JP is taken by its name. Quoted-printable text of any other
// named set is csISO8859, the model's 8-bit text (the name itself is kept as the body's
// BodyCharSet once the text is read); text named US-ASCII, or naming no set (which MIME reads as
// US-ASCII), keeps the set it has: the composer writes such text in quoted-printable too, and
// must find it under the same label when it is read back.
void SetTextCharSet(TmsCustomMessage& Message, const std::string& ContentType,
                    bool QuotedPrintable);

// The value of a header field ("" when absent) and of a parameter within a field's value.
std::string FieldValue(const TmsHeaders& Headers, const std::string& Name);
std::string Parameter(const std::string& Name, const std::string& Value);

}  // namespace vex
