#include "net/msmsgenc.h"

#include <algorithm>
#include <limits>
#include <random>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "net/base64.h"
#include "net/encodedwords.h"
#include "net/headerwords.h"
#include "net/msheaders.h"
#include "net/msmsgcls.h"
#include "net/quotedprintable.h"
#include "net/uuencode.h"
#include "platform/core/exceptions.h"
#include "platform/core/resources.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/core/stringutils.h"
#include "platform/win/application.h"

namespace vex {

namespace {

constexpr size_t kLongLine = 255;
constexpr int32_t kUnlimited = std::numeric_limits<int32_t>::max();
constexpr size_t kBase64Piece = 57;
constexpr size_t kUUPiece = 45;
constexpr int32_t kBoundaryDigits = 8;
constexpr uint32_t kDigitRange = 9;
// A sound random source finds a free boundary at the first draw all but always; the bound only
// keeps a broken one from drawing forever.
constexpr int32_t kBoundaryDraws = 100;
constexpr size_t kAddressIndent = 10;
constexpr int32_t sMultipartPreamble = 57106;
constexpr std::string_view kCRLF = "\r\n";
// The line length RFC 5322 recommends, line break aside.
constexpr size_t kFoldWidth = 78;
// The longest line it allows, in the header or the body.
constexpr size_t kMaxLine = 998;

// The fields the encoders write from the message's properties; the caller's own copies of them
// would otherwise appear twice.
const char* const kGeneratedFields[] = {"From",
                                        "To",
                                        "CC",
                                        "BCC",
                                        "Return-Receipt-To",
                                        "X-Priority",
                                        "Subject",
                                        "Mime-Version",
                                        "Content-Type",
                                        "X-Encoding",
                                        "Content-Transfer-Encoding"};

uint32_t SystemRandom(uint32_t Range) {
    if (Range == 0) return 0;
    static std::random_device device;
    return std::uniform_int_distribution<uint32_t>(0, Range - 1)(device);
}

const char* TransferEncodingName(TAttEncoding Encoding) {
    switch (Encoding) {
        case aeBase64:
            return "Base64";
        case aeQuotedPrintable:
            return "Quoted-Printable";
        case aeNone:
            break;
    }
    return "7bit";
}

const char* CharSetName(TCharSet CharSet) {
    switch (CharSet) {
        case csISO8859:
            return "iso-8859-1";
        case csISO2022jp:
            return "iso-2022-jp";
        case csUSASCII:
            break;
    }
    return "us-ascii";
}

// The blank at I, neither the first nor the last character of Line, is one a line may be folded
// before: it stands between two other characters.
bool IsFoldPoint(std::string_view Line, size_t I) {
    auto isBlank = [](char C) { return C == ' ' || C == '\t'; };
    return Line[I] == ' ' && !isBlank(Line[I - 1]) && !isBlank(Line[I + 1]);
}

// The longest stretch of Text that no blank Folded folds before breaks.
size_t LongestUnfoldable(std::string_view Text) {
    size_t longest = 0;
    size_t start = 0;
    for (size_t i = 1; i + 1 < Text.size(); ++i) {
        if (!IsFoldPoint(Text, i)) continue;
        longest = std::max(longest, i - start);
        start = i;
    }
    return std::max(longest, Text.size() - start);
}

// Line folded so that its lines keep to kFoldWidth where its text allows: before blanks at
// positions from From up to To that stand between two other characters. A reader takes the line
// break and the blank after it for that one blank, so the value reads the same, and the blanks
// between encoded words are dropped anyway. The first word stays on the line of the field's name.
std::string Folded(std::string_view Line, size_t From, size_t To) {
    std::string out;
    size_t start = 0;  // of the line being filled
    size_t fold = 0;   // the last blank it may fold before; 0 when none
    auto foldBefore = [&](size_t At) {
        out.append(Line.substr(start, At - start)).append(kCRLF);
        start = At;
    };
    for (size_t i = std::max<size_t>(From, 1); i < std::min(To, Line.size() - 1); ++i) {
        if (!IsFoldPoint(Line, i)) continue;
        if (i - start > kFoldWidth && fold > start) foldBefore(fold);
        fold = i;
    }
    if (Line.size() - start > kFoldWidth && fold > start) foldBefore(fold);
    out.append(Line.substr(start));
    return out;
}

// A header parameter or display name as an RFC 5322 quoted string.
std::string Quoted(std::string_view S) {
    std::string out = "\"";
    for (char c : S) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

bool NeedsQuotes(std::string_view Name, bool DotIsSpecial) {
    constexpr std::string_view specials = "()<>[]:;@\\,\"";
    return std::any_of(Name.begin(), Name.end(), [&](char c) {
        return specials.find(c) != std::string_view::npos || (DotIsSpecial && c == '.');
    });
}

bool IsTextType(const std::string& ContentType) {
    return LowerCase(ContentType).starts_with("text/");
}

// The bytes of an attachment.
std::string_view DataOf(TmsAttItem& Item) {
    return {Item.Stream.Memory(), static_cast<size_t>(Item.Stream.Size())};
}

// A type whose data holds entities of its own, with their own headers, which no encoding may
// wrap (RFC 2045 section 6.4).
bool IsCompositeType(const std::string& ContentType) {
    const std::string type = LowerCase(ContentType);
    return type.starts_with("multipart/") || type.starts_with("message/");
}

// In the order of what each can carry: a multipart is as wide as the widest part it holds.
enum class TDataBits { Seven, Eight, Binary };

// What data is, read as the lines it is written in (RFC 2045 section 2): 7bit holds no byte above
// 127, 8bit may, and neither holds a NUL or a line of more than 998 bytes. Where a lone CR or LF
// is a byte of the data rather than the end of a line (LoneBreaksAreData), neither holds one
// either: CR and LF stand in them only as the pair that ends a line.
TDataBits BitsOf(std::string_view Bytes, bool LoneBreaksAreData) {
    bool eightBit = false;
    size_t line = 0;
    for (size_t i = 0; i < Bytes.size(); ++i) {
        const char c = Bytes[i];
        if (c == '\r' || c == '\n') {
            const bool pair = c == '\r' ? i + 1 < Bytes.size() && Bytes[i + 1] == '\n'
                                        : i > 0 && Bytes[i - 1] == '\r';
            if (LoneBreaksAreData && !pair) return TDataBits::Binary;
            line = 0;
            continue;
        }
        if (c == '\0' || ++line > kMaxLine) return TDataBits::Binary;
        eightBit = eightBit || (c & 0x80);
    }
    return eightBit ? TDataBits::Eight : TDataBits::Seven;
}

// How an attachment's data travels: in an encoding, or as it stands with what its bytes are.
struct TPartTransfer {
    TAttEncoding Encoding;
    TDataBits Bits = TDataBits::Seven;  // of the lines written: 7bit in an encoding
};

// The Content-Transfer-Encoding written for Transfer.
const char* TransferName(const TPartTransfer& Transfer) {
    if (Transfer.Encoding != aeNone) return TransferEncodingName(Transfer.Encoding);
    switch (Transfer.Bits) {
        case TDataBits::Eight:
            return "8bit";
        case TDataBits::Binary:
            return "binary";
        case TDataBits::Seven:
            break;
    }
    return TransferEncodingName(aeNone);
}

// The item's own encoding, unless it says 7bit of data that is not. Such data goes quoted-
// printable; under a composite Type, which no encoding may wrap, it goes as it stands under the
// label that is true of it. Text and composite data are lines: a lone CR or LF in them ends one
// and goes as CR LF, as in text (RFC 2046 section 4.1.1); in other data it is a byte, which only
// an encoding keeps.
TPartTransfer TransferOf(TmsAttItem& Item, const std::string& Type) {
    const TAttEncoding encoding = Item.TransferEncoding;
    if (encoding == aeBase64 || encoding == aeQuotedPrintable) return {encoding};
    const bool composite = IsCompositeType(Type);
    const TDataBits bits = BitsOf(DataOf(Item), !composite && !IsTextType(Type));
    if (bits == TDataBits::Seven || composite) return {aeNone, bits};
    return {aeQuotedPrintable};
}

// The boundary of the multipart body Bytes: the first delimiter line "--X" whose closing line
// "--X--" follows somewhere; empty when Bytes is no multipart body.
std::string DataBoundary(std::string_view Bytes) {
    std::vector<std::string_view> lines;
    std::unordered_map<std::string_view, size_t> lastAt;  // the last line of each text
    for (size_t p = 0; p < Bytes.size();) {
        const size_t end = std::min(Bytes.find('\n', p), Bytes.size());
        std::string_view line = Bytes.substr(p, end - p);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lastAt[line] = lines.size();
        lines.push_back(line);
        p = end + 1;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() <= 2 || !lines[i].starts_with("--")) continue;
        const std::string close = std::string(lines[i]) + "--";
        if (const auto found = lastAt.find(close); found != lastAt.end() && found->second > i)
            return std::string(lines[i].substr(2));
    }
    return "";
}

// The Content-Type value of an attachment part. A multipart type is only true of a multipart
// body that travels as it stands: it then names the boundary its data uses. Any other data
// typed so goes as plain bytes, or a reader would look for parts that are not there.
std::string PartType(TmsAttItem& Item) {
    const std::string type = WithoutLineBreaks(Item.ContentType());
    if (!LowerCase(type).starts_with("multipart/")) return type;
    if (Item.TransferEncoding == aeNone) {
        const std::string boundary = DataBoundary(DataOf(Item));
        if (!boundary.empty()) return type + "; boundary=" + Quoted(boundary);
    }
    return "application/octet-stream";
}

std::string BareName(const std::string& FileName) {
    const size_t slash = FileName.find_last_of("/\\");
    return LowerCase(slash == std::string::npos ? FileName : FileName.substr(slash + 1));
}

// The name an attachment is written under.
std::string NameWithoutPath(const std::string& FileName) {
    const size_t slash = FileName.find_last_of("/\\");
    return CleanName(slash == std::string::npos ? FileName : FileName.substr(slash + 1));
}

// "; name=..." (Param "name") or "; filename=..." for an attachment's headers; nothing for a
// name the parser made up, which would read back as if the sender had chosen it, and whose
// extension would then be taken for the part's type.
std::string NameParameter(const char* Param, const TmsAttItem& Item) {
    if (Item.FileNameMadeUp()) return "";
    return std::string("; ") + Param + "=" + Quoted(NameWithoutPath(Item.FileName()));
}

bool IsAlternativeName(const std::string& FileName) {
    return BareName(FileName).starts_with("_alt.");
}

void AppendLines(const TStrings& Lines, std::string& Out) {
    for (int32_t i = 0; i < Lines.Count(); ++i) {
        Out += Lines[i];
        Out += kCRLF;
    }
}

// Bytes read as text: lines end at CR LF, a lone CR or a lone LF, and a final break makes no
// empty line.
void AppendLines(std::string_view Bytes, std::string& Out) {
    size_t i = 0;
    while (i < Bytes.size()) {
        const size_t end = Bytes.find_first_of(kCRLF, i);
        Out += Bytes.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
        Out += kCRLF;
        if (end == std::string_view::npos) break;
        const bool pair = Bytes[end] == '\r' && end + 1 < Bytes.size() && Bytes[end + 1] == '\n';
        i = end + (pair ? 2 : 1);
    }
}

// The parser takes a last line "." for the end mark of a POP3 download, whatever its input's
// source, so a message that ended with such a line of its own would lose it when read back.
bool EndsWithDotLine(std::string_view Text) {
    if (Text.ends_with(kCRLF)) Text.remove_suffix(kCRLF.size());
    return Text == "." || Text.ends_with("\n.");
}

// Quoted-printable can write that last dot as an escape, which reads back the same.
void EscapeFinalDot(std::string& QuotedText) {
    if (EndsWithDotLine(QuotedText)) QuotedText.replace(QuotedText.rfind('.'), 1, "=2E");
}

// Data of a message or multipart, which no encoding may wrap, that would end the whole message
// gains what it needs to end it: the line break it lacks, and an empty line after a last line
// ".". Mail takes neither for a change of the message (RFC 6376 section 3.4.3 drops both before
// it signs a body).
void EndAsWholeLines(std::string& Text) {
    if (!Text.empty() && !Text.ends_with(kCRLF)) Text += kCRLF;
    if (EndsWithDotLine(Text)) Text += kCRLF;
}

// Text holds whole lines ended by CR LF.
bool BeginsALine(const std::string& Text, const std::string& Prefix) {
    return Text.starts_with(Prefix) || Text.find("\n" + Prefix) != std::string::npos;
}

// The quoted-printable codec reads its stream from the start; the caller's position comes back
// afterwards, whatever happens.
class TPositionKeeper {
public:
    explicit TPositionKeeper(TStream& AStream) : FStream(AStream), FPosition(AStream.Position()) {}
    ~TPositionKeeper() { FStream.SetPosition(FPosition); }
    TPositionKeeper(const TPositionKeeper&) = delete;
    TPositionKeeper& operator=(const TPositionKeeper&) = delete;

private:
    TStream& FStream;
    int64_t FPosition;
};

}  // namespace

// --- TmsCustomEncoder ---

TmsCustomEncoder::TmsCustomEncoder(TmsCustomMessage* AMessage)
    : Message(AMessage), Random(SystemRandom) {
    const TStrings& body = Message->Body();
    for (int32_t i = 0; i < body.Count(); ++i) {
        const std::string line = body[i];
        LongLines = LongLines || line.size() > kLongLine;
        FEightBitBody = FEightBitBody || HoldsEightBit(line);
    }
}

TmsCustomEncoder::~TmsCustomEncoder() = default;

TmsCustomEncoder::TBodyForm TmsCustomEncoder::BodyForm() const {
    if (Message->Encoding() == meUU) return TBodyForm::UU;
    const std::string type = Message->ContentType();
    if (type == "multipart/mixed") return TBodyForm::Mixed;
    if (type == "multipart/alternative") return TBodyForm::Alternative;
    if (Message->Attachments().Count() > 0) return TBodyForm::SingleAttachment;
    if (type.starts_with("multipart/"))
        return TBodyForm::Mixed;  // a type set by hand: the body becomes its only part
    if (type == "text/plain") return TBodyForm::Plain;
    return TBodyForm::OtherText;
}

void TmsCustomEncoder::Encode() {
    if (!Stream) throw EInvalidOperation("The encoder has no stream to write to");
    Stream->SetPosition(0);
    WriteHeaders();
    switch (BodyForm()) {
        case TBodyForm::UU:
            EncodeUU();
            break;
        case TBodyForm::Mixed:
            EncodeMultipart(false);
            break;
        case TBodyForm::Alternative:
            EncodeMultipart(true);
            break;
        case TBodyForm::SingleAttachment:
            EncodeSingleAttachment();
            break;
        case TBodyForm::Plain:
            EncodePlain();
            break;
        case TBodyForm::OtherText:
            EncodeBodyAs(Message->ContentType());
            break;
    }
    const int64_t end = Stream->Position();
    if (Stream->Size() > end) Stream->SetSize(end);
}

void TmsCustomEncoder::WriteLine(std::string_view Line) {
    std::string text;
    text.reserve(Line.size() + kCRLF.size());
    text += Line;
    text += kCRLF;
    WriteText(text);
}

void TmsCustomEncoder::WriteText(const std::string& Text) {
    constexpr size_t chunk = size_t{1} << 30;
    for (size_t p = 0; p < Text.size(); p += chunk) {
        const size_t count = std::min(chunk, Text.size() - p);
        Stream->WriteBuffer(Text.data() + p, static_cast<int32_t>(count));
    }
}

std::string TmsCustomEncoder::DisplayName(const TmsMailAddress& Address, bool DotIsSpecial) const {
    std::string name;
    // An encoded word is an atom of its own: quotes round it would hide it from readers.
    if (EncodedText(WithoutLineBreaks(Address.Name), Address.NameCharSet(), name)) return name;
    // The name is what the reader is to see: quotes of its own are text, escaped like any other.
    std::string written = NeedsQuotes(name, DotIsSpecial) ? Quoted(name) : name;
    // A stretch no fold can break that would not fit a line beside the field's name makes a
    // line longer than RFC 5322 allows (section 2.1.1): encoded words cut it, and readers join
    // them into the name again. The text is ASCII here.
    if (LongestUnfoldable(written) > kMaxLine - kAddressIndent)
        written = HeaderWords(name, "us-ascii");
    return written;
}

bool TmsCustomEncoder::EncodedText(const std::string& Text, std::string_view CharSet,
                                   std::string& Dest) const {
    if (!CharSet.empty()) return EncodeHeaderText(Text, CharSet, Dest);
    return EncodeUnnamedHeaderText(Text, LatinCharSet(), Dest);
}

// Bytes above 127 stand for no character without a name for their set; mail programs read
// unnamed 8-bit text as Windows-1252, a superset of Latin-1 in its printable range.
std::string_view TmsCustomEncoder::LatinCharSet() const {
    return Message->CharSet() == csISO8859 ? "iso-8859-1" : "windows-1252";
}

std::string TmsCustomEncoder::HeaderValue(const std::string& Value) {
    return WithoutLineBreaks(Value);
}

void TmsCustomEncoder::WriteAddressLine(const std::string& Head, const TmsMailAddress& Address,
                                        bool DotIsSpecial, std::string_view End) {
    const std::string name = DisplayName(Address, DotIsSpecial);
    const std::string line = Head + name + " <" + HeaderValue(Address.Address) + std::string(End);
    WriteLine(Folded(line, Head.size(), Head.size() + name.size() + 1));
}

void TmsCustomEncoder::WriteSubject(const std::string& Head) {
    std::string subject;
    EncodedText(HeaderValue(Message->Subject()), Message->SubjectCharSet(), subject);
    if (!subject.empty()) WriteLine(Folded(Head + subject, Head.size(), std::string::npos));
}

void TmsCustomEncoder::WriteOtherHeaders(const std::vector<std::string>& AlsoGenerated) {
    // A disposition read with the message describes the part it was read as; it still holds
    // only when the message goes out as that one text part again.
    const bool dropsDisposition = !IsOneTextPart();
    auto generated = [&](std::string_view Name) {
        auto same = [&](std::string_view Field) { return SameText(Name, Field); };
        return std::any_of(std::begin(kGeneratedFields), std::end(kGeneratedFields), same) ||
               std::any_of(AlsoGenerated.begin(), AlsoGenerated.end(), same) ||
               (dropsDisposition && same("Content-Disposition"));
    };
    // A line that is neither a field nor the continuation of one written here would be taken
    // for part of the line above it (a To line reads it as more addresses), and readers that
    // keep to RFC 5322 take it for the start of the body: it is left out, and so is what
    // continues it. Fields are told by their names as reading tells them, blanks before the
    // colon and case aside.
    const TmsHeaders& headers = Message->Headers();
    bool written = false;  // the field the line belongs to is written
    for (int32_t i = 0; i < headers.Count(); ++i) {
        const std::string line = HeaderValue(headers[i]);
        // An empty line would end the header block before the encoder's own lines.
        if (Trim(line).empty()) continue;
        if (!IsContinuationLine(line)) {
            const std::string_view name = FieldNameOf(line);
            written = !name.empty() && !generated(name);
        }
        if (written) WriteLine(line);
    }
}

bool TmsCustomEncoder::WritesOwnDisposition() const {
    return BodyForm() == TBodyForm::SingleAttachment && BodyTextType().empty();
}

bool TmsCustomEncoder::IsOneTextPart() const {
    switch (BodyForm()) {
        case TBodyForm::Plain:
        case TBodyForm::OtherText:
            return true;
        case TBodyForm::SingleAttachment:
            return !BodyTextType().empty();
        default:
            return false;
    }
}

std::string TmsCustomEncoder::BodyTextType() const {
    const TmsAttList& attachments = Message->Attachments();
    if (attachments.Count() != 1) return "";
    const std::string name = BareName(attachments.Items(0)->FileName());
    if (name == "_htmbody.htm") return "text/html";
    if (name == "_rtfbody.rtf") return "text/rtf";
    return "";
}

bool TmsCustomEncoder::TextIsQuotedPrintable() const {
    return Message->CharSet() == csISO8859 || LongLines || FEightBitBody;
}

std::string TmsCustomEncoder::BodyCharSet() const {
    if (const std::string_view kept = Message->BodyCharSet(); !kept.empty())
        return std::string(kept);
    // 7-bit text in a set the caller chose is in that set; US-ASCII is only the default.
    if (FEightBitBody || Message->CharSet() == csUSASCII) {
        if (std::string unnamed = UnnamedTextCharSet(Message->Body().Text()); !unnamed.empty())
            return unnamed;
    }
    return CharSetName(Message->CharSet());
}

std::string TmsCustomEncoder::UnnamedTextCharSet(std::string_view Text) const {
    if (HoldsEightBit(Text)) return std::string(UnnamedCharSet(Text, LatinCharSet()));
    if (Text.find('\x1b') != std::string_view::npos) return std::string(Iso2022SetOf(Text));
    return "";
}

std::string TmsCustomEncoder::CharSetParameter(TmsAttItem& Item, const std::string& Type) const {
    if (!IsTextType(Type)) return "";
    std::string charSet(Item.CharSet());
    if (charSet.empty()) charSet = UnnamedTextCharSet(DataOf(Item));
    return charSet.empty() ? "" : "; charset=" + Quoted(charSet);
}

void TmsCustomEncoder::WriteTextPartHeaders(bool QuotedPrintable) {
    WriteLine("Content-Type: text/plain; charset=" + Quoted(BodyCharSet()));
    WriteLine(QuotedPrintable ? "Content-Transfer-Encoding: quoted-printable"
                              : "Content-Transfer-Encoding: 7bit");
}

std::string TmsCustomEncoder::BodyText(bool QuotedPrintable) const {
    std::string text;
    const TStrings& body = Message->Body();
    if (!QuotedPrintable) {
        AppendLines(body, text);
        return text;
    }
    TMemoryStream source;
    for (int32_t i = 0; i < body.Count(); ++i) {
        const std::string line = body[i] + std::string(kCRLF);
        source.WriteBuffer(line.data(), static_cast<int32_t>(line.size()));
    }
    TStringList encoded;
    TQuotedPrintable(&source, &encoded).Encode();
    AppendLines(encoded, text);
    return text;
}

std::string TmsCustomEncoder::AttachmentText(TmsAttItem& Item, TAttEncoding Encoding) const {
    std::string text;
    const std::string_view bytes = DataOf(Item);
    switch (Encoding) {
        case aeBase64: {
            text.reserve(bytes.size() / kBase64Piece * 78 + 80);
            std::string line;
            // A length that is a multiple of the piece ends with an empty piece, and so with an
            // empty line, as readers of this format expect.
            for (size_t p = 0;; p += kBase64Piece) {
                const std::string_view piece = bytes.substr(p, kBase64Piece);
                Base64Encode(piece, line, kUnlimited);
                text += line;
                text += kCRLF;
                if (piece.size() < kBase64Piece) break;
            }
            break;
        }
        case aeQuotedPrintable: {
            TStringList lines;
            {
                TPositionKeeper keeper(Item.Stream);
                TQuotedPrintable codec(&Item.Stream, &lines);
                codec.ExactEnd = true;
                codec.LoneBreaksAreData = !IsTextType(Item.ContentType());
                codec.Encode();
            }
            AppendLines(lines, text);
            break;
        }
        case aeNone:
        default:
            AppendLines(bytes, text);
            // Data without a final line break gains none: the break before the next delimiter
            // is the delimiter's own.
            if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n')
                text.resize(text.size() - kCRLF.size());
            break;
    }
    return text;
}

std::string TmsCustomEncoder::MakeBoundary(const std::vector<const std::string*>& Parts,
                                           const std::vector<std::string>& Taken) const {
    for (int32_t draw = 0; draw < kBoundaryDraws; ++draw) {
        Application().ProcessMessages();
        std::string boundary;
        for (int32_t i = 0; i < kBoundaryDigits; ++i)
            boundary += static_cast<char>('0' + Random(kDigitRange) % kDigitRange);
        if (std::find(Taken.begin(), Taken.end(), boundary) != Taken.end()) continue;
        const std::string delimiter = "--" + boundary;
        if (std::none_of(Parts.begin(), Parts.end(),
                         [&](const std::string* Part) { return BeginsALine(*Part, delimiter); }))
            return boundary;
    }
    throw Exception("No boundary could be drawn that the message does not already hold");
}

void TmsCustomEncoder::EncodePlain() {
    bool quoted = TextIsQuotedPrintable();
    std::string text = BodyText(quoted);
    if (!quoted && EndsWithDotLine(text)) {
        quoted = true;
        text = BodyText(true);
    }
    if (quoted) EscapeFinalDot(text);
    WriteTextPartHeaders(quoted);
    WriteLine("");
    WriteText(text);
}

void TmsCustomEncoder::EncodeBodyAs(const std::string& ContentType) {
    std::string line = "Content-Type: " + HeaderValue(ContentType);
    // Text without a set named is US-ASCII to its readers.
    if (const std::string charSet = BodyCharSet();
        charSet != "us-ascii" && ContentType.starts_with("text/"))
        line += "; charset=" + Quoted(charSet);
    WriteLine(line);
    // A body typed as a message is one, which goes as it stands.
    const bool composite = IsCompositeType(ContentType);
    std::string text = BodyText(!composite);
    if (composite) {
        EndAsWholeLines(text);
        WriteLine(std::string("Content-Transfer-Encoding: ") +
                  TransferName({aeNone, BitsOf(text, false)}));
    } else {
        EscapeFinalDot(text);
        WriteLine("Content-Transfer-Encoding: quoted-printable");
    }
    WriteLine("");
    WriteText(text);
}

void TmsCustomEncoder::EncodeSingleAttachment() {
    const TmsAttList& attachments = Message->Attachments();
    TmsAttItem& item = *attachments.Items(0);
    const std::string textType = BodyTextType();
    const std::string type = textType.empty() ? PartType(item) : textType;
    TPartTransfer transfer = TransferOf(item, type);
    std::string text = AttachmentText(item, transfer.Encoding);
    // The message ends with a line break, which is its last line's (RFC 5321 section 4.1.1.4),
    // and readers of downloads take a last line "." for the end mark. Data that ends without a
    // break, or with such a line, would not read back as it was: quoted-printable ends it with a
    // soft break, or escapes the dot. A message or multipart may not go quoted-printable.
    const bool exactEnd = text.empty() || (text.ends_with(kCRLF) && !EndsWithDotLine(text));
    if (transfer.Encoding == aeNone && !exactEnd) {
        if (IsCompositeType(type)) {
            EndAsWholeLines(text);
        } else {
            transfer = {aeQuotedPrintable};
            text = AttachmentText(item, transfer.Encoding);
        }
    }
    EscapeFinalDot(text);
    WriteLine("Content-Type: " + type + CharSetParameter(item, type) +
              (textType.empty() ? NameParameter("name", item) : ""));
    WriteLine(std::string("Content-Transfer-Encoding: ") + TransferName(transfer));
    if (WritesOwnDisposition())
        WriteLine("Content-Disposition: attachment" + NameParameter("filename", item));
    WriteLine("");
    WriteText(text);
}

void TmsCustomEncoder::EncodeMultipart(bool Alternative) {
    const TmsAttList& attachments = Message->Attachments();
    const int32_t count = attachments.Count();
    const bool hasBody = Message->Body().Count() > 0;
    const std::string first = count > 0 ? BareName(attachments.Items(0)->FileName()) : "";
    bool htmlFirst = !hasBody && first == "_htmbody.htm";
    bool rtfFirst = !hasBody && first == "_rtfbody.rtf";
    // A mixed message whose first attachments are other renderings of its body nests them,
    // with the body, in an alternative part of their own.
    bool altOpen = !Alternative && IsAlternativeName(first);

    // Every part is encoded before a boundary is drawn, so the boundary can be checked against
    // the lines that will actually stand between its delimiters.
    const bool quotedBody = TextIsQuotedPrintable();
    const std::string body = hasBody ? BodyText(quotedBody) : std::string();
    struct TPart {
        std::string Type;
        TPartTransfer Transfer;
        std::string Text;
    };
    std::vector<TPart> written;
    written.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        TmsAttItem& item = *attachments.Items(i);
        std::string type = PartType(item);
        const TPartTransfer transfer = TransferOf(item, type);
        written.push_back({std::move(type), transfer, AttachmentText(item, transfer.Encoding)});
    }
    std::vector<const std::string*> parts{&body};
    for (const TPart& part : written)
        parts.push_back(&part.Text);
    // A multipart is as wide as the widest part inside it (RFC 2045 section 6.4); the body's text
    // goes 7bit or quoted-printable. The nested renderings are the leading ones.
    auto widest = [&](size_t Count) {
        TPartTransfer transfer{aeNone};
        for (size_t i = 0; i < Count; ++i)
            transfer.Bits = std::max(transfer.Bits, written[i].Transfer.Bits);
        return transfer;
    };
    size_t renderings = 0;
    while (altOpen && renderings < written.size() &&
           IsAlternativeName(attachments.Items(static_cast<int32_t>(renderings))->FileName()))
        ++renderings;

    const std::string outer = MakeBoundary(parts, {});
    std::string boundary = outer;
    WriteLine("Content-Type: " + Message->ContentType() + "; boundary=" + Quoted(outer));
    // Nothing is written for 7bit, which a field missing means.
    if (const TPartTransfer whole = widest(written.size()); whole.Bits != TDataBits::Seven)
        WriteLine(std::string("Content-Transfer-Encoding: ") + TransferName(whole));
    WriteLine("");
    WriteLine(LoadStr(sMultipartPreamble));
    WriteLine("");
    WriteLine("--" + boundary);
    if (altOpen) {
        boundary = MakeBoundary(parts, {outer});
        WriteLine("Content-Type:  multipart/alternative; boundary=" + Quoted(boundary));
        WriteLine(std::string("Content-Transfer-Encoding: ") + TransferName(widest(renderings)));
        WriteLine("");
        WriteLine("--" + boundary);
    }

    if (hasBody) {
        WriteTextPartHeaders(quotedBody);
        WriteLine("");
        WriteText(body);
        WriteLine("");
        WriteLine("--" + boundary + (count > 0 ? "" : "--"));
    } else if (count == 0) {
        WriteLine("--" + boundary + "--");
    }

    for (int32_t i = 0; i < count; ++i) {
        if (i > 0) {
            // The empty line after the previous part's data is the line break that belongs to
            // this delimiter; a second one would be read as data of that part.
            WriteLine("--" + boundary);
            htmlFirst = false;
            rtfFirst = false;
        }
        TmsAttItem& item = *attachments.Items(i);
        const TPart& part = written[static_cast<size_t>(i)];
        const bool named = !(Alternative || altOpen || htmlFirst || rtfFirst);
        WriteLine("Content-Type: " + part.Type + CharSetParameter(item, part.Type) +
                  (named ? NameParameter("name", item) : ""));
        WriteLine(std::string("Content-Transfer-Encoding: ") + TransferName(part.Transfer));
        if (named) WriteLine("Content-Disposition: attachment" + NameParameter("filename", item));
        WriteLine("");
        WriteText(part.Text);
        WriteLine("");

        const bool last = i + 1 == count;
        if (altOpen && (last || !IsAlternativeName(attachments.Items(i + 1)->FileName()))) {
            WriteLine("--" + boundary + "--");
            altOpen = false;
            boundary = outer;
            WriteLine("");
        }
        if (last) WriteLine("--" + boundary + "--");
    }
}

void TmsCustomEncoder::EncodeUU() {
    WriteLine("");
    const TStrings& body = Message->Body();
    for (int32_t i = 0; i < body.Count(); ++i)
        WriteLine(body[i]);
    const TmsAttList& attachments = Message->Attachments();
    // Text outside MIME has no escape: an empty line keeps a last line "." from ending the
    // message.
    if (attachments.Count() == 0 && body.Count() > 0 && EndsWithDotLine(body[body.Count() - 1]))
        WriteLine("");
    std::string line;
    for (int32_t i = 0; i < attachments.Count(); ++i) {
        TmsAttItem& item = *attachments.Items(i);
        WriteLine("");
        // A begin line needs a name to be one; the reader would make this one up.
        std::string name = AttachmentNameOnly(item.FileName());
        if (name.empty()) name = "att." + IntToStr(i);
        WriteLine("begin 600 " + UUBeginLineName(name));
        const std::string_view bytes = DataOf(item);
        for (size_t p = 0;; p += kUUPiece) {
            const std::string_view piece = bytes.substr(p, kUUPiece);
            UUEncodeLine(piece, line, kUnlimited);
            WriteLine(line);
            if (piece.size() < kUUPiece) break;
        }
        WriteLine("`");
        WriteLine("end");
    }
}

// --- TmsMessageEncoder ---

TmsMessageEncoder::TmsMessageEncoder(TmsMessage* AMessage)
    : TmsCustomEncoder(AMessage), FMessage(AMessage) {}

void TmsMessageEncoder::WriteHeaders() {
    const TmsMailAddress& sender = FMessage->Sender();
    WriteAddressLine("From:     ", sender, true, ">");
    WriteAddressList("To", FMessage->Recipients());
    WriteAddressList("CC", FMessage->CC());
    if (FMessage->ReturnReceipt())
        WriteLine("Return-Receipt-To: <" + HeaderValue(sender.Address) + ">");
    if (FMessage->Priority() == ptHigh) WriteLine("X-Priority: 1");
    if (FMessage->Priority() == ptLow) WriteLine("X-Priority: 5");
    WriteOtherHeaders({});
    WriteSubject("Subject: ");
    if (FMessage->Encoding() == meMIME) WriteLine("Mime-Version: 1.0");
}

void TmsMessageEncoder::WriteAddressList(const std::string& Field, const TmsAddressList& List) {
    const int32_t count = List.Count();
    if (count == 0) return;
    std::string head = Field;
    if (head.empty() || head.back() != ':') head += ':';
    if (head.size() < kAddressIndent) head.resize(kAddressIndent, ' ');
    const std::string indent(kAddressIndent, ' ');
    for (int32_t i = 0; i < count; ++i) {
        const TmsMailAddress& item = *List.Items(i);
        WriteAddressLine(i == 0 ? head : indent, item, true, i + 1 < count ? ">," : ">");
    }
}

// --- TmsArticleEncoder ---

TmsArticleEncoder::TmsArticleEncoder(TmsArticle* AMessage)
    : TmsCustomEncoder(AMessage), FArticle(AMessage) {}

void TmsArticleEncoder::WriteHeaders() {
    const TmsMailAddress& sender = FArticle->Sender();
    WriteAddressLine("From:     ", sender, false, ">");
    WriteLine("Newsgroups: " + HeaderValue(FArticle->NewsGroups()));
    // A loaded article keeps its Newsgroups line among its headers; it is written above.
    WriteOtherHeaders({"Newsgroups"});
    WriteSubject("Subject:  ");
    if (FArticle->Encoding() == meMIME) WriteLine("Mime-Version: 1.0");
}

}  // namespace vex
