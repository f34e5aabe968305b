#include "net/msmsg.h"

#include <algorithm>
#include <limits>

#include "net/componentexceptions.h"
#include "net/headerwords.h"
#include "net/linereader.h"
#include "net/msmimedata.h"
#include "net/uuencode.h"
#include "platform/core/resources.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

bool Contains(const std::string& Text, std::string_view Part) {
    return Text.find(Part) != std::string::npos;
}

}  // namespace

TmsCustomDecoder::TmsCustomDecoder(TStream& Source)
    : FStream(Source),
      FHeaders(std::make_unique<TmsHeaders>()),
      FPartHeaders(std::make_unique<TmsHeaders>()) {
    FSource = std::make_unique<TLineReader>(Source, SizeWithoutEndMark());
}

TmsCustomDecoder::~TmsCustomDecoder() = default;

bool TmsCustomDecoder::ReadLine(std::string_view& Line) {
    return FSource->ReadLine(Line);
}

void TmsCustomDecoder::ReadHeaders(TmsHeaders& List) {
    List.Clear();
    std::string_view line;
    while (ReadLine(line) && !line.empty())
        List.Add(std::string(line));
}

void TmsCustomDecoder::Decode() {
    if (!Message) throw EInvalidOperation("The decoder has no message to fill");
    ReadHeaders(*FHeaders);
    DoHeaders();
    try {
        if (Contains(FieldValue(*FHeaders, "MIME-VERSION"), "1.0"))
            DecodeMIME();
        else
            DecodePlain();
    } catch (const EMessageParserError& E) {
        HandleParseError(E.Message());
    }
}

void TmsCustomDecoder::HandleParseError(const std::string& Text) {
    TStrings& body = Message->Body();
    body.Add("The following error has been occured while processing the message:");
    body.Add(Text);
    body.Add("The original message will be stored as an attachment");

    auto original = std::make_unique<TmsAttItem>();
    original->SetFileName("original.eml");
    original->SetContentType("message/rfc822");
    original->TransferEncoding = aeNone;
    original->Stream.CopyFrom(FStream, 0);
    original->Stream.SetPosition(0);
    Message->Attachments().Add(std::move(original));
}

// A downloaded message keeps the end mark of the POP3 download, a last line ".". It is no part
// of the message: read as data it would end a text with a dot, join a soft break, or make the
// last part of a multipart without its closing delimiter longer. "original.eml" keeps it.
int64_t TmsCustomDecoder::SizeWithoutEndMark() {
    const int64_t size = FStream.Size();
    const int64_t first = std::max<int64_t>(size - 4, 0);  // the last four bytes tell
    char tail[4];
    FStream.SetPosition(first);
    FStream.ReadBuffer(tail, size - first);
    const auto at = [&](int64_t Index) { return tail[Index - first]; };
    int64_t end = size;
    if (end > first && at(end - 1) == '\n') --end;
    if (end > first && at(end - 1) == '\r') --end;
    if (end <= first || at(end - 1) != '.') return size;
    if (end > 1 && at(end - 2) != '\n' && at(end - 2) != '\r') return size;
    return end - 1;
}

std::string TmsCustomDecoder::AttachmentName() const {
    return "att." + IntToStr(Message->Attachments().Count());
}

std::string TmsCustomDecoder::AlternativeName() const {
    return "_alt." + IntToStr(Message->Attachments().Count());
}

void TmsCustomDecoder::DecodePlain() {
    TStrings& body = Message->Body();
    std::string_view line;
    while (ReadLine(line)) {
        if (IsUUBegin(line)) {
            // An empty line before the first block sets it apart from the text and belongs to
            // neither; the composer writes one there, which would otherwise grow the text.
            const int32_t last = body.Count() - 1;
            if (last >= 0 && body[last].empty()) body.Delete(last);
            Message->SetEncoding(meUU);
            DecodeUUBlocks(std::string(line));
            return;
        }
        body.Add(std::string(line));
    }
}

// Text between and after the blocks is dropped.
void TmsCustomDecoder::DecodeUUBlocks(std::string BeginLine) {
    constexpr int32_t unlimited = std::numeric_limits<int32_t>::max();
    std::string_view line;
    for (;;) {
        auto attachment = std::make_unique<TmsAttItem>();
        try {
            std::string name;
            UUFileName(BeginLine, name);
            attachment->SetFileName(AttachmentNameOnly(name));
            if (attachment->FileName().empty()) attachment->SetMadeUpFileName(AttachmentName());
            std::string bytes;
            while (ReadLine(line) && line != "`" && !SameText(line, "END")) {
                if (line.empty()) continue;
                UUDecodeLine(line, bytes, unlimited);
                if (!bytes.empty())
                    attachment->Stream.WriteBuffer(bytes.data(),
                                                   static_cast<int32_t>(bytes.size()));
            }
        } catch (const Exception&) {
            throw EMessageParserError(LoadStr(sErrorDecodingAttachment));
        }
        attachment->Stream.SetPosition(0);
        Message->Attachments().Add(std::move(attachment));

        bool another = false;
        while (!another && ReadLine(line))
            another = IsUUBegin(line);
        if (!another) return;
        BeginLine = std::string(line);
    }
}

void TmsCustomDecoder::DecodeMIME() {
    // This mailer labels plain text as multipart; only the decoder's copy loses the field.
    if (FieldValue(*FHeaders, "X-Mailer") == "V Mailsystem R #0001")
        FHeaders->DeleteField("Content-Type");

    const std::string contentType = FieldValue(*FHeaders, "Content-type");
    const std::string type = LowerCase(contentType);
    if (Contains(type, "multipart/alternative")) {
        FAlternative = true;
        DecodeMultipart();
    } else if (Contains(type, "multipart")) {
        DecodeMultipart();
    } else if (!type.empty() && !Contains(type, "text/")) {
        DecodeSinglePart();
    } else {
        // A name that names no file ("dir/") is no name: the part is the message's text.
        const std::string name = AttachmentNameOnly(FileNameParameter("name", contentType));
        if (!name.empty() && name != "cc:Mail")
            DecodeSinglePart();
        else
            DecodeText();
    }
}

void TmsCustomDecoder::DecodeText() {
    TStrings& body = Message->Body();
    const std::string contentType = FieldValue(*FHeaders, "Content-Type");
    const std::string type = LowerCase(FirstToken(contentType));
    if (type == "text/html" || type == "text/rtf") Message->SetContentType(type);

    const std::string transfer = LowerCase(FieldValue(*FHeaders, "Content-Transfer-Encoding"));
    body.Clear();
    const bool quoted = transfer == "quoted-printable" ||
                        Contains(FieldValue(*FHeaders, "X-MIME-Autoconverted"), "quoted-printable");
    const bool base64 = transfer == "base64";
    SetTextCharSet(*Message, contentType, quoted);

    std::string_view line;
    if (!base64) {
        bool uuencoded = false;
        while (!uuencoded && ReadLine(line)) {
            body.Add(std::string(line));
            uuencoded = IsUUBegin(line);
        }
        if (uuencoded) {
            ReadAgainAsPlain();
            return;
        }
        if (quoted) DecodeQuotedBody(body);
    } else if (!quoted) {
        TMemoryStream text;
        TPartDataWriter writer(text, {aeBase64, false});
        while (ReadLine(line))
            if (line != ".") writer.Add(line);
        writer.Finish();
        text.SetPosition(0);
        body.LoadFromStream(text);
    }
    Message->SetBodyCharSet(Parameter("CharSet", contentType));
}

// A text body with a uuencoded block is a non-MIME message in disguise.
void TmsCustomDecoder::ReadAgainAsPlain() {
    FSource->Reset();
    Message->Body().Clear();
    ReadHeaders(*FHeaders);
    ForgetMappedLists();
    DoHeaders();
    DecodePlain();
}

// Reached only with a Content-Type, so a missing one needs no error of its own here.
void TmsCustomDecoder::DecodeSinglePart() {
    auto attachment = std::make_unique<TmsAttItem>();
    try {
        NamePart(*attachment, *FHeaders, AttachmentName());
        const TPartEncoding encoding =
            PartEncodingOf(FieldValue(*FHeaders, "Content-Transfer-Encoding"));
        attachment->TransferEncoding = encoding.Encoding;

        TPartDataWriter writer(attachment->Stream, encoding, FSource->Remaining());
        std::string_view line;
        while (ReadLine(line) && !(encoding.Encoding == aeBase64 && line == "."))
            writer.Add(line);
        writer.Finish();
    } catch (const EMessageParserError&) {
        throw;
    } catch (const Exception&) {
        throw EMessageParserError(LoadStr(sErrorDecodingAttachment));
    }
    attachment->Stream.SetPosition(0);
    Message->Attachments().Add(std::move(attachment));
}

// --- TmsMessageDecoder ---

TmsMessage& TmsMessageDecoder::MailMessage() const {
    auto* message = dynamic_cast<TmsMessage*>(Message);
    if (!message) throw EInvalidOperation("A message decoder fills a TmsMessage");
    return *message;
}

void TmsMessageDecoder::DoHeaders() {
    MailMessage().MapHeaders(Headers());
}

void TmsMessageDecoder::ForgetMappedLists() {
    TmsMessage& message = MailMessage();
    message.Recipients().Clear();
    message.CC().Clear();
    message.BCC().Clear();
}

// --- TmsArticleDecoder ---

void TmsArticleDecoder::DoHeaders() {
    auto* article = dynamic_cast<TmsArticle*>(Message);
    if (!article) throw EInvalidOperation("An article decoder fills a TmsArticle");
    article->MapHeaders(Headers());
}

}  // namespace vex
