#include <memory>

#include "net/componentexceptions.h"
#include "net/headerwords.h"
#include "net/linereader.h"
#include "net/msmimedata.h"
#include "net/msmsg.h"
#include "platform/core/resources.h"
#include "platform/core/stringutils.h"
#include "platform/win/application.h"

namespace vex {

bool TmsCustomDecoder::IsClosingBoundary(std::string_view Line) const {
    return Line.starts_with(FBoundary) && IsDelimiterLine(Line.substr(FBoundary.size()), "--");
}

// A part must not be invented from the nothing after a final boundary line.
bool TmsCustomDecoder::AtEndOfData() const {
    return FSource->AtEnd();
}

void TmsCustomDecoder::SkipToBoundary(bool Exact, int32_t MissingIdent, std::string_view& Line) {
    while (ReadLine(Line))
        if (Exact ? IsDelimiterLine(Line, FBoundary) : Line.starts_with(FBoundary)) return;
    throw EMessageParserError(LoadStr(MissingIdent));
}

// The preamble before the first boundary is dropped.
void TmsCustomDecoder::DecodeMultipart() {
    FBoundary = "--" + Parameter("Boundary", FieldValue(*FHeaders, "Content-Type"));
    std::string_view line;
    SkipToBoundary(true, sBoundaryMissing, line);
    const TAfterFirstPart after = DecodeFirstPart();
    if (after != TAfterFirstPart::NoMoreParts)
        DecodeParts(after == TAfterFirstPart::PartIsAttachment);
}

// A text-like first part becomes Body.
TmsCustomDecoder::TAfterFirstPart TmsCustomDecoder::DecodeFirstPart() {
    ReadHeaders(*FPartHeaders);
    std::string contentType = FieldValue(*FPartHeaders, "Content-Type");
    if (LowerCase(Parameter("CharSet", contentType)) == "iso-2022-jp")
        Message->SetCharSet(csISO2022jp);

    std::string_view line;
    if (LowerCase(contentType).find("multipart/alternative") != std::string::npos) {
        FNestedAlternative = true;
        FOuterBoundary = FBoundary;
        FBoundary = "--" + Parameter("boundary", contentType);
        SkipToBoundary(true, sBoundaryMissing, line);
        ReadHeaders(*FPartHeaders);
        contentType = FieldValue(*FPartHeaders, "Content-Type");
    }

    const std::string transfer = LowerCase(FieldValue(*FPartHeaders, "Content-Transfer-Encoding"));
    const bool base64 = transfer == "base64";
    const bool quoted = transfer == "quoted-printable";
    // The text part of a nested alternative names its own set.
    SetTextCharSet(*Message, contentType, quoted);
    // Base64 is taken as text only for Japanese mail, whose text travels that way.
    if (base64 && Message->CharSet() != csISO2022jp) return TAfterFirstPart::PartIsAttachment;

    TStrings& body = Message->Body();
    body.Clear();

    bool ended = false;  // by a boundary line rather than by the end of the data
    if (!base64) {
        while (!ended && ReadLine(line)) {
            ended = IsDelimiterLine(line, FBoundary) || IsClosingBoundary(line);
            if (!ended) body.Add(std::string(line));
        }
        // The line break before a delimiter is the delimiter's (RFC 2046 section 5.1.1), so an
        // empty last line is only the end of the line before it. Composers, ours among them,
        // write one there; kept, it would grow the text by a line at every save.
        const int32_t last = body.Count() - 1;
        if (ended && last >= 0 && body[last].empty()) body.Delete(last);
        if (body.Count() == 0) body.Add("");
        if (quoted) DecodeQuotedBody(body);
    } else {
        TMemoryStream text;
        TPartDataWriter writer(text, {aeBase64, false});
        while (!ended && ReadLine(line)) {
            ended = line.starts_with(FBoundary);
            if (!ended) writer.Add(line);
        }
        writer.Finish();
        text.SetPosition(0);
        body.LoadFromStream(text);
    }
    Message->SetBodyCharSet(Parameter("CharSet", contentType));

    if (!ended) throw EMessageParserError(LoadStr(sBoundaryMissing));
    if (!IsClosingBoundary(line)) return TAfterFirstPart::PartsFollow;
    // An alternative of one part closes, but the enclosing multipart may still carry files.
    if (FNestedAlternative)
        return LeaveNestedAlternative() ? TAfterFirstPart::PartsFollow
                                        : TAfterFirstPart::NoMoreParts;
    // The multipart held only this part: the epilogue is not read.
    Message->SetContentType(FirstToken(contentType));
    return TAfterFirstPart::NoMoreParts;
}

bool TmsCustomDecoder::LeaveNestedAlternative() {
    FNestedAlternative = false;
    FBoundary = FOuterBoundary;
    std::string_view line;
    SkipToBoundary(false, sClosingBoundaryMissing, line);
    return !IsClosingBoundary(line);
}

// Every part after the first becomes an attachment. A missing closing delimiter is forgiven:
// the last part runs to the end of the data.
void TmsCustomDecoder::DecodeParts(bool FirstHeadersRead) {
    bool headersRead = FirstHeadersRead;
    bool done = false;
    while (!done && !AtEndOfData()) {
        Application().ProcessMessages();
        if (!headersRead) ReadHeaders(*FPartHeaders);
        headersRead = false;

        auto attachment = std::make_unique<TmsAttItem>();
        const TPartEncoding encoding =
            PartEncodingOf(FieldValue(*FPartHeaders, "Content-Transfer-Encoding"));
        NamePart(*attachment, *FPartHeaders,
                 FNestedAlternative || FAlternative ? AlternativeName() : AttachmentName());
        attachment->TransferEncoding = encoding.Encoding;

        try {
            TPartDataWriter writer(attachment->Stream, encoding, FSource->Remaining());
            std::string_view line;
            bool ended = false;
            while (!ended && ReadLine(line)) {
                ended = line.starts_with(FBoundary);
                if (!ended) writer.Add(line);
            }
            writer.Finish(ended);
            attachment->Stream.SetPosition(0);
            Message->Attachments().Add(std::move(attachment));

            done = !ended || IsClosingBoundary(line);
            if (done && FNestedAlternative) done = !LeaveNestedAlternative();
        } catch (const EMessageParserError&) {
            throw;
        } catch (const Exception&) {
            throw EMessageParserError(LoadStr(sErrorDecodingAttachment));
        }
    }
}

}  // namespace vex
