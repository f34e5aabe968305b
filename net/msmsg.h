#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "net/msheaders.h"
#include "net/msmsgcls.h"
#include "platform/core/object.h"

namespace vex {

class TLineReader;
class TStream;

inline constexpr int32_t sClosingBoundaryMissing = 57109;
inline constexpr int32_t sBoundaryMissing = 57110;
inline constexpr int32_t sErrorDecodingAttachment = 57111;

// Reads one whole message (header block, empty line, body) into a message: the header fields
// onto its properties, the text into Body, every other part into Attachments. Messages come
// from strangers and are written to break readers, so a malformed body never fails the load:
// the error is explained in Body and the whole input is attached as "original.eml". Only one
// level of nesting is understood (an alternative inside the first part of a multipart), so
// neither the depth of a message nor the memory it takes depends on how it is nested.
class TmsCustomDecoder : public TObject {
    VEX_CLASS(TmsCustomDecoder, TObject)

public:
    // Reads Source from its start, a piece at a time; it must outlive the decoder and stay as
    // it is until Decode is done.
    explicit TmsCustomDecoder(TStream& Source);
    ~TmsCustomDecoder() override;
    TmsCustomDecoder(const TmsCustomDecoder&) = delete;
    TmsCustomDecoder& operator=(const TmsCustomDecoder&) = delete;

    // The message being filled; not owned, set before Decode.
    TmsCustomMessage* Message = nullptr;

    // Parse errors in the body end up in Body; what passes out is a failure of the caller's
    // (no message set) or of the system (memory).
    void Decode();

protected:
    // Maps Headers onto the message.
    virtual void DoHeaders() = 0;
    // The header block is mapped a second time when a text body turns out to hold a uuencoded
    // block; what the first mapping appended to lists must not then stand twice.
    virtual void ForgetMappedLists() {}

    const TmsHeaders& Headers() const { return *FHeaders; }

private:
    // Line is valid until the next read.
    bool ReadLine(std::string_view& Line);
    void ReadHeaders(TmsHeaders& List);
    void HandleParseError(const std::string& Text);
    // The size of the message without the end mark of a download.
    int64_t SizeWithoutEndMark();

    void DecodePlain();
    void DecodeUUBlocks(std::string BeginLine);
    void DecodeMIME();
    void DecodeText();
    void ReadAgainAsPlain();
    void DecodeSinglePart();

    // Multipart messages.
    enum class TAfterFirstPart {
        NoMoreParts,
        PartsFollow,
        // The first part is not text: its headers are read and it is the first attachment.
        PartIsAttachment,
    };
    void DecodeMultipart();
    TAfterFirstPart DecodeFirstPart();
    void DecodeParts(bool FirstHeadersRead);
    // Back from a nested alternative to the enclosing multipart; true when that one goes on.
    bool LeaveNestedAlternative();
    // Reads up to the line that is the boundary (Exact) or begins with it, into Line; the end
    // of the data raises EMessageParserError with the resource text MissingIdent.
    void SkipToBoundary(bool Exact, int32_t MissingIdent, std::string_view& Line);
    bool IsClosingBoundary(std::string_view Line) const;
    bool AtEndOfData() const;

    // Names for parts that carry none.
    std::string AttachmentName() const;
    std::string AlternativeName() const;

    TStream& FStream;
    std::unique_ptr<TLineReader> FSource;
    std::unique_ptr<TmsHeaders> FHeaders;
    std::unique_ptr<TmsHeaders> FPartHeaders;
    std::string FBoundary;
    bool FNestedAlternative = false;
    std::string FOuterBoundary;
    bool FAlternative = false;
};

// Fills a TmsMessage: sender, recipients, subject, priority and headers.
class TmsMessageDecoder : public TmsCustomDecoder {
    VEX_CLASS(TmsMessageDecoder, TmsCustomDecoder)

public:
    using TmsCustomDecoder::TmsCustomDecoder;

protected:
    void DoHeaders() override;
    void ForgetMappedLists() override;

private:
    TmsMessage& MailMessage() const;
};

// Fills a TmsArticle: sender, newsgroups, path, message id, subject and headers.
class TmsArticleDecoder : public TmsCustomDecoder {
    VEX_CLASS(TmsArticleDecoder, TmsCustomDecoder)

public:
    using TmsCustomDecoder::TmsCustomDecoder;

protected:
    void DoHeaders() override;
};

}  // namespace vex
