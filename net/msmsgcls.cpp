#include "net/msmsgcls.h"

#include <string_view>
#include <utility>

#include "net/encodedwords.h"
#include "net/headerwords.h"
#include "platform/core/resources.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::size_t MaxShortString = 255;

std::string Cut(std::string_view S) {
    return std::string(S.substr(0, MaxShortString));
}

TAttEncoding EncodingForType(const std::string& MimeType) {
    std::string type = UpperCase(MimeType);
    if (type == "TEXT/PLAIN" || type == "TEXT/RTF" || type == "TEXT/HTML") return aeQuotedPrintable;
    if (type == "MESSAGE/RFC822") return aeNone;
    return aeBase64;
}

[[noreturn]] void RaiseMessageError(int32_t Ident) {
    throw EMessageError(LoadStr(Ident));
}

// The set the encoded words of each name named travels with it, so a reply writes its bytes
// under the right label. Addresses are read leniently: a header that cannot be parsed loses what
// it must, rather than the whole message failing to load.
void AppendAddresses(const TmsHeaders& Headers, const std::string& Field, TmsAddressList& List) {
    TStringList values;
    std::vector<std::string> charSets;
    Headers.GetFieldValues(Field, values, charSets);
    for (int32_t i = 0; i < values.Count(); ++i) {
        auto address = std::make_unique<TmsMailAddress>();
        ParseAddressLeniently(values[i], *address);
        address->SetNameCharSet(charSets[static_cast<std::size_t>(i)]);
        List.Add(std::move(address));
    }
}

void MapSender(const TmsHeaders& Headers, TmsMailAddress& Sender) {
    std::string value;
    std::string charSet;
    Headers.GetFieldValue("FROM", value, charSet);
    ParseAddressLeniently(value, Sender);
    Sender.SetNameCharSet(charSet);
}

void MapSubject(const TmsHeaders& Headers, TmsCustomMessage& Message) {
    std::string value;
    std::string charSet;
    Headers.GetFieldValue("Subject", value, charSet);
    if (value.empty()) return;
    Message.SetSubject(value);
    Message.SetSubjectCharSet(charSet);
}

bool HasAddress(const TmsAddressList& List) {
    for (int32_t i = 0; i < List.Count(); ++i)
        if (!List.Items(i)->Address.empty()) return true;
    return false;
}

}  // namespace

// --- TmsAddressList ---

void TmsAddressList::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TmsAddressList*>(Source);
    if (!source) return TPersistent::Assign(Source);
    CopyItems(*source);
}

// --- TmsAttItem ---

void TmsAttItem::SetFileName(const std::string& Value) {
    FFileName = Cut(Value);
    FFileNameMadeUp = false;
    FCharSet.clear();
    if (FFileName.empty()) return;
    std::string type;
    GetMimeType(FFileName, type);
    SetContentType(type);
    TransferEncoding = EncodingForType(FContentType);
}

void TmsAttItem::SetMadeUpFileName(const std::string& Value) {
    SetFileName(Value);
    FFileNameMadeUp = true;
}

void TmsAttItem::SetContentType(const std::string& Value) {
    FContentType = Cut(Value);
}

std::string_view TmsAttItem::CharSet() {
    const std::string_view bytes(Stream.Memory(), static_cast<size_t>(Stream.Size()));
    return ContradictsCharSet(FCharSet, bytes) ? std::string_view() : std::string_view(FCharSet);
}

void TmsAttItem::SetCharSet(std::string_view Value) {
    FCharSet = KeptCharSetName(Value);
}

void TmsAttItem::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TmsAttItem*>(Source);
    if (!source) return TPersistent::Assign(Source);
    if (source == this) return;
    Stream.Clear();
    source->Stream.SaveToStream(Stream);
    Stream.SetPosition(0);
    FContentType = source->FContentType;
    TransferEncoding = source->TransferEncoding;
    FFileName = source->FFileName;
    FFileNameMadeUp = source->FFileNameMadeUp;
    FCharSet = source->FCharSet;
}

// --- TmsAttList ---

void TmsAttList::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TmsAttList*>(Source);
    if (!source) return TPersistent::Assign(Source);
    CopyItems(*source);
}

// --- TmsTextLines ---

void TmsTextLines::Changed() {
    ++FChanges;
    TStringList::Changed();
}

// --- TmsCustomMessage ---

TmsCustomMessage::TmsCustomMessage(TComponent* AOwner)
    : TComponent(AOwner),
      FSender(std::make_unique<TmsMailAddress>()),
      FHeaders(std::make_unique<TmsHeaders>()),
      FBody(std::make_unique<TmsTextLines>()),
      FAttachments(std::make_unique<TmsAttList>()) {}

TmsCustomMessage::~TmsCustomMessage() = default;

void TmsCustomMessage::SetAttachments(const TmsAttList& Value) {
    FAttachments->Assign(&Value);
    FContentType = FAttachments->Count() == 0 ? "text/plain" : "multipart/mixed";
}

std::string TmsCustomMessage::ContentType() const {
    if (FEncoding == meUU) {
        FContentType.clear();
        return FContentType;
    }
    const int32_t count = FAttachments->Count();
    const bool noBody = FBody->Count() == 0;
    bool allAlternative = count > 0;
    for (int32_t i = 0; i < count && allAlternative; ++i)
        allAlternative = LowerCase(FAttachments->Items(i)->FileName()).starts_with("_alt.");

    std::string single = count == 1 ? LowerCase(FAttachments->Items(0)->FileName()) : "";
    if (allAlternative)
        FContentType = "multipart/alternative";
    else if (noBody && single == "_rtfbody.rtf")
        FContentType = "text/rtf";
    else if (noBody && single == "_htmbody.htm")
        FContentType = "text/html";
    else if (noBody && count == 1)
        FContentType = FAttachments->Items(0)->ContentType();
    else if (count > 0)
        FContentType = "multipart/mixed";
    else if (FContentType.empty() || noBody)
        FContentType = "text/plain";
    return FContentType;
}

void TmsCustomMessage::SetContentType(const std::string& Value) {
    FContentType = Cut(LowerCase(Value));
}

void TmsCustomMessage::SetSubject(const std::string& Value) {
    FSubject = Cut(Value);
}

std::string_view TmsCustomMessage::BodyCharSet() const {
    return FBody->Changes() == FBodyCharSetAt ? std::string_view(FBodyCharSet) : std::string_view();
}

void TmsCustomMessage::SetBodyCharSet(std::string_view Value) {
    FBodyCharSet = KeptCharSetName(Value);
    if (ContradictsCharSet(FBodyCharSet, FBody->Text())) FBodyCharSet.clear();
    FBodyCharSetAt = FBody->Changes();
}

void TmsCustomMessage::CheckAddresses() {
    if (FSender->Address.empty()) RaiseMessageError(sSenderRequired);
}

void TmsCustomMessage::Clear() {
    FBody->Clear();
    FBodyCharSet.clear();
    FAttachments->Clear();
    FSender->Clear();
    FHeaders->Clear();
    FSubject.clear();
    FSubjectCharSet = TTextCharSet();
    FEncoding = meMIME;
    FCharSet = csUSASCII;
    FContentType.clear();
}

void TmsCustomMessage::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TmsCustomMessage*>(Source);
    if (!source) return TComponent::Assign(Source);
    if (source == this) return;
    FSender->Assign(source->FSender.get());
    FSubject = source->FSubject;
    FSubjectCharSet = source->FSubjectCharSet;
    FEncoding = source->FEncoding;
    FCharSet = source->FCharSet;
    FHeaders->Assign(source->FHeaders.get());
    FBody->Assign(source->FBody.get());
    FBodyCharSet = source->BodyCharSet();
    FBodyCharSetAt = FBody->Changes();
    FAttachments->Assign(source->FAttachments.get());
    FContentType = source->ContentType();
    SetTag(source->Tag());
}

void TmsCustomMessage::Loaded() {
    TComponent::Loaded();
    for (int32_t i = 0; i < FAttachments->Count(); ++i) {
        TmsAttItem& item = *FAttachments->Items(i);
        item.Stream.LoadFromFile(item.FileName());
    }
}

// --- TmsMessage ---

TmsMessage::TmsMessage(TComponent* AOwner)
    : TmsCustomMessage(AOwner),
      FRecipients(std::make_unique<TmsAddressList>()),
      FCC(std::make_unique<TmsAddressList>()),
      FBCC(std::make_unique<TmsAddressList>()) {}

TmsMessage::~TmsMessage() = default;

void TmsMessage::CheckAddresses() {
    TmsCustomMessage::CheckAddresses();
    if (!HasAddress(*FRecipients) && !HasAddress(*FCC) && !HasAddress(*FBCC))
        RaiseMessageError(sRecipientRequired);
}

void TmsMessage::Clear() {
    TmsCustomMessage::Clear();
    FCC->Clear();
    FBCC->Clear();
    FRecipients->Clear();
}

void TmsMessage::MapHeaders(const TmsHeaders& AHeaders) {
    MapSender(AHeaders, Sender());
    AppendAddresses(AHeaders, "TO", *FRecipients);
    AppendAddresses(AHeaders, "CC", *FCC);
    AppendAddresses(AHeaders, "BCC", *FBCC);
    MapSubject(AHeaders, *this);

    std::string value;
    AHeaders.GetFieldValue("X-Priority", value);
    FPriority = value == "1" ? ptHigh : value == "5" ? ptLow : ptNormal;

    AHeaders.GetFieldValue("Return-receipt-to", value);
    if (!value.empty()) FReturnReceipt = true;

    SetHeaders(AHeaders);
}

void TmsMessage::Assign(const TPersistent* Source) {
    if (const auto* source = dynamic_cast<const TmsMessage*>(Source); source && source != this) {
        FRecipients->Assign(source->FRecipients.get());
        FCC->Assign(source->FCC.get());
        FBCC->Assign(source->FBCC.get());
        FPriority = source->FPriority;
        FReturnReceipt = source->FReturnReceipt;
    }
    TmsCustomMessage::Assign(Source);
}

// --- TmsArticle ---

void TmsArticle::CheckAddresses() {
    TmsCustomMessage::CheckAddresses();
    if (FNewsGroups.empty()) RaiseMessageError(sNewsgroupRequired);
    if (Subject().empty()) RaiseMessageError(sSubjectRequired);
}

void TmsArticle::Clear() {
    FNewsGroups.clear();
    TmsCustomMessage::Clear();
}

void TmsArticle::MapHeaders(const TmsHeaders& AHeaders) {
    MapSender(AHeaders, Sender());
    AHeaders.GetFieldValue("PATH", Path);
    AHeaders.GetFieldValue("NEWSGROUPS", FNewsGroups);
    AHeaders.GetFieldValue("MESSAGE-ID", MessageID);
    MapSubject(AHeaders, *this);
    SetHeaders(AHeaders);
}

void TmsArticle::Assign(const TPersistent* Source) {
    if (const auto* source = dynamic_cast<const TmsArticle*>(Source))
        FNewsGroups = source->FNewsGroups;
    TmsCustomMessage::Assign(Source);
}

std::string AttachmentNameOnly(const std::string& FileName) {
    const std::string clean = CleanName(FileName);
    const std::size_t slash = clean.find_last_of("/\\");
    std::string name = slash == std::string::npos ? clean : clean.substr(slash + 1);
    if (name == "." || name == "..") name.clear();
    return name;
}

}  // namespace vex
