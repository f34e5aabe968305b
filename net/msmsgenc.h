#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/object.h"

namespace vex {

class TStream;
class TmsAddressList;
class TmsAttItem;
class TmsArticle;
class TmsCustomMessage;
class TmsMailAddress;
class TmsMessage;
enum TAttEncoding : uint8_t;

// Writes one message to a stream as Internet message text: the header lines, then a plain body,
// a single part, a multipart body with at most one nested alternative, or a body with uuencoded
// attachments. The message is only read: its body, headers and attachment streams are the same
// after saving as before. Every line is written as it stands; making a line safe for a
// particular transport (dot-stuffing for SMTP) is that transport's work. The one exception: the
// message never ends with a line ".", which readers of downloads take off as the end mark, so a
// text or file that ends with one is written in quoted-printable with the dot escaped; so is a
// file that is the whole message and does not end with a line break, which the message must.
// Data said to be 7bit that is not (RFC 2045 section 2.7: 8-bit bytes, a NUL, a long line, and
// in data other than text a lone CR or LF) goes quoted-printable too. A message or multipart,
// which no encoding may wrap (RFC 2045 section 6.4), goes as it stands instead, labelled 8bit or
// binary where its bytes are, and so is every multipart that holds it; as the whole message it
// gains the line break it lacks, and an empty line after a last line ".".
//
// The codecs and the drawing of boundaries let the message loop run, so application events may
// fire during Encode; none of them may change the message meanwhile.
class TmsCustomEncoder : public TObject {
    VEX_CLASS(TmsCustomEncoder, TObject)

public:
    // Message is not owned and must outlive the encoder.
    explicit TmsCustomEncoder(TmsCustomMessage* AMessage);
    ~TmsCustomEncoder() override;

    // Writes the whole message from the stream's position 0; whatever the stream held beyond
    // the new end is cut off. Errors of the stream and of the codecs pass out, and what was
    // written until then stays.
    void Encode();

    // Line followed by CR LF, byte for byte.
    void WriteLine(std::string_view Line);

    TmsCustomMessage* Message;
    TStream* Stream = nullptr;  // not owned; set by the caller before Encode
    // Some body line is longer than 255 characters, so the text goes quoted-printable.
    bool LongLines = false;

    // A uniformly drawn number below Range. It draws the boundaries, so it must not be
    // guessable from outside; by default it reads the system's random source. Tests replace it
    // to make boundaries known in advance.
    std::function<uint32_t(uint32_t Range)> Random;

protected:
    virtual void WriteHeaders() = 0;

    // The address's name made safe for an address line: line breaks and control characters
    // taken out, then put in a quoted string when it holds a character with a meaning of its
    // own in an address ("." only when DotIsSpecial), its own quotes escaped. A name that
    // EncodedText encodes becomes encoded words instead, and so does one with a stretch that no
    // fold could break too long for a line of 998 characters beside the field's name.
    std::string DisplayName(const TmsMailAddress& Address, bool DotIsSpecial) const;
    // Header text with its control characters taken out (tabs become blanks), as encoded words
    // where it needs them, labelled with the set its bytes are in: CharSet, the set the text was
    // read in, when it is known. Otherwise ISO-2022 text is told by its escapes, and text with
    // bytes above 127 is UTF-8 when it is valid UTF-8, else in LatinCharSet. Returns whether
    // Dest is encoded words.
    bool EncodedText(const std::string& Text, std::string_view CharSet, std::string& Dest) const;
    // A value for one header line: line breaks taken out, so that it cannot start another.
    static std::string HeaderValue(const std::string& Value);
    // Head, the address's display name and the address in brackets, then End, as one header
    // line folded between the words of the name where it would run past 78 characters.
    void WriteAddressLine(const std::string& Head, const TmsMailAddress& Address, bool DotIsSpecial,
                          std::string_view End);
    // Head and the subject as EncodedText writes it, under the set it was read in, folded
    // between its words where the line would run past 78 characters; nothing when nothing of
    // the subject is left to write.
    void WriteSubject(const std::string& Head);
    // The caller's own header lines without the fields the encoder writes itself (the common
    // ones and AlsoGenerated), every occurrence of each, so none appears twice. Lines that are
    // no field, and what continues them, are left out: written after the encoder's To line they
    // would read as addresses. One pass, however many lines.
    void WriteOtherHeaders(const std::vector<std::string>& AlsoGenerated);

private:
    // How the body goes out, from the message's encoding, type and attachments.
    enum class TBodyForm { UU, Mixed, Alternative, SingleAttachment, Plain, OtherText };
    TBodyForm BodyForm() const;
    // The message is its one attachment, written with a Content-Disposition of the encoder's
    // own.
    bool WritesOwnDisposition() const;
    // The message goes out as one part of text: its body, or the HTML or RTF text that is its
    // only attachment; not a multipart, a file or uuencoded data.
    bool IsOneTextPart() const;
    // "text/html" or "text/rtf" when the one attachment is the message's HTML or RTF text.
    std::string BodyTextType() const;

    void EncodePlain();
    void EncodeBodyAs(const std::string& ContentType);
    void EncodeSingleAttachment();
    void EncodeMultipart(bool Alternative);
    void EncodeUU();

    // The text goes quoted-printable when it is in the message's Latin set, has long lines, or
    // holds 8-bit bytes, which 7bit cannot carry.
    bool TextIsQuotedPrintable() const;
    // The set the body's bytes are in, for its Content-Type: the one it was read in
    // (BodyCharSet of the message) when it is known, else the one UnnamedTextCharSet names, but
    // for 7-bit text in a CharSet other than US-ASCII, which is in that set.
    std::string BodyCharSet() const;
    // The set of text whose set nobody named: 8-bit text is UTF-8 when it is valid UTF-8, else in
    // LatinCharSet; 7-bit text with escapes is ISO-2022 (the set its escapes designate, as in
    // header words). Empty for other text, which is US-ASCII.
    std::string UnnamedTextCharSet(std::string_view Text) const;
    // "; charset=..." for an attachment written under a text Type: the set it was read in, else
    // the one UnnamedTextCharSet names; nothing for US-ASCII text and other types.
    std::string CharSetParameter(TmsAttItem& Item, const std::string& Type) const;
    // The set that unnamed 8-bit text is taken to be in: Windows-1252 unless the message's
    // CharSet names ISO-8859-1.
    std::string_view LatinCharSet() const;
    void WriteTextPartHeaders(bool QuotedPrintable);
    void WriteText(const std::string& Text);
    // The body's lines as they are written, each ended by CR LF.
    std::string BodyText(bool QuotedPrintable) const;
    // The data of an attachment in Encoding. Quoted-printable and 7bit end with a line break
    // only where the data does, and quoted-printable escapes lone CR and LF in anything but text.
    std::string AttachmentText(TmsAttItem& Item, TAttEncoding Encoding) const;
    // A boundary that begins no line of any of Parts and differs from Taken.
    std::string MakeBoundary(const std::vector<const std::string*>& Parts,
                             const std::vector<std::string>& Taken) const;

    bool FEightBitBody = false;  // some byte of the body is above 127
};

// A mail message: From, To, CC, the receipt and priority lines. BCC is never written.
class TmsMessageEncoder : public TmsCustomEncoder {
    VEX_CLASS(TmsMessageEncoder, TmsCustomEncoder)

public:
    explicit TmsMessageEncoder(TmsMessage* AMessage);

protected:
    void WriteHeaders() override;

private:
    // One line per address under Field, the first beside it and the rest indented below.
    void WriteAddressList(const std::string& Field, const TmsAddressList& List);

    TmsMessage* FMessage;
};

// A news article: From and Newsgroups.
class TmsArticleEncoder : public TmsCustomEncoder {
    VEX_CLASS(TmsArticleEncoder, TmsCustomEncoder)

public:
    explicit TmsArticleEncoder(TmsArticle* AMessage);

protected:
    void WriteHeaders() override;

private:
    TmsArticle* FArticle;
};

}  // namespace vex
