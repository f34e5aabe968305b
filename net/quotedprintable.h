#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/object.h"

namespace vex {

class TStream;
class TStrings;

// Quoted-printable between a byte stream and encoded lines. A paragraph is the text between two
// line breaks (CR LF, or a lone CR or LF); it becomes one or more lines joined by soft breaks
// and comes back followed by CR LF, so text with CR LF breaks survives a round trip byte for
// byte. Both ways stream: real mail holds whole HTML pages in one paragraph, so a paragraph of
// any length is coded in pieces, and what is held at once stays bounded whatever its length.
// Encode and Decode pump the message queue after each paragraph, and Encode also every 64 KiB
// within a long one, so a handler may set Cancel to stop the run there; a run stopped within a
// paragraph keeps the lines written so far, the last ending in a soft break.
class TQuotedPrintable : public TObject {
    VEX_CLASS(TQuotedPrintable, TObject)

public:
    // Neither the stream nor the lines are owned.
    TQuotedPrintable(TStream* Stream, TStrings* Lines);

    // Reads the stream from its start and appends the encoded lines to Lines.
    void Encode();
    // Writes the bytes of all of Lines to the stream at its position, line by line.
    void Decode();

    bool Cancel = false;
    // For data that is not line-oriented text: only CR LF breaks a line, and a lone CR or LF is
    // escaped like any other control character.
    bool LoneBreaksAreData = false;
    // The lines decode to the stream's bytes and no more: a stream that does not end with a line
    // break ends in a soft break, and an empty stream gives no line at all.
    bool ExactEnd = false;

    // Source characters in one encoded line at most.
    static constexpr int32_t LineWidth = 65;
    // Characters in one encoded line at most, its soft break included, as transports require:
    // a piece whose escapes would pass it is cut shorter.
    static constexpr int32_t MaxLineLength = 76;

    // Escapes control characters, "=", bytes of 128 and above, and a blank that ends the line.
    // With KeepLast the last character is the caller's soft break and stays as it is.
    static void EncodeLine(std::string& Line, int32_t MaxLen, bool KeepLast);
    // Replaces Lines with the encoded pieces of one paragraph: at most Width source characters
    // and MaxLineLength encoded ones each, cut before a blank where there is one, every piece but
    // the last ending in a soft break.
    static void EncodeParagraph(std::string_view Text, int32_t Width, TStrings& Lines);
    // Turns every "=" and two hexadecimal digits into its byte; a malformed escape stays as it
    // is.
    static void DecodeLine(std::string& Line, int32_t MaxLen);

private:
    TStream* FStream;
    TStrings* FLines;
};

enum class TQuotedLineEnd { Soft, Break, EndOfFile };

// One encoded line decoded onto the end of Out. Blanks and tabs that end it are transport
// padding and go; a final "=" then joins the next line (Soft); a line that ends in a DOS
// end-of-file mark written as it is gets no break (EndOfFile); any other gets CR LF (Break).
TQuotedLineEnd DecodeQuotedLine(std::string_view Line, std::string& Out);

// One quoted-printable line decoded, as the text of a Q encoded word is: a final soft break
// vanishes, and every escape becomes its byte, line breaks included, as base64 words keep theirs.
// A line break decoded is data: a caller that puts the text into a header line must take it out.
void DecodeQuotedPrintable(std::string_view Source, std::string& Dest, int32_t MaxLen);
// The same without letting the message loop run, for the encoded words of a header (see
// Base64DecodePiece).
void DecodeQuotedPrintablePiece(std::string_view Source, std::string& Dest, int32_t MaxLen);

}  // namespace vex
