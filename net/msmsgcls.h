#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "net/mailaddress.h"
#include "net/msheaders.h"
#include "platform/core/component.h"
#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/core/stringutils.h"

namespace vex {

enum TMsgEncoding : uint8_t { meMIME, meUU };
enum TCharSet : uint8_t { csUSASCII, csISO8859, csISO2022jp };
enum TPriority : uint8_t { ptLow, ptNormal, ptHigh };
enum TAttEncoding : uint8_t { aeNone = 0, aeBase64 = 1, aeQuotedPrintable = 2 };

// Raised with the resource text of what a message lacks for sending.
VEX_EXCEPTION(EMessageError, Exception);

inline constexpr int32_t sSenderRequired = 57100;
inline constexpr int32_t sRecipientRequired = 57101;
inline constexpr int32_t sNewsgroupRequired = 57115;
inline constexpr int32_t sSubjectRequired = 57116;

// A list that owns its items and copies them, never shares them, when assigned. Indexes count
// from 0; one out of range raises EListError.
template <class TItem>
class TmsOwnedList : public TPersistent {
public:
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    TItem* Items(int32_t Index) const {
        if (Index < 0 || Index >= Count())
            throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
        return FItems[static_cast<std::size_t>(Index)].get();
    }
    // Takes ownership of Item; returns its index.
    int32_t Add(std::unique_ptr<TItem> Item) {
        FItems.push_back(std::move(Item));
        return Count() - 1;
    }
    void Clear() { FItems.clear(); }

protected:
    // Replaces this list's items with copies of Source's (each copied by its own Assign).
    void CopyItems(const TmsOwnedList& Source) {
        if (&Source == this) return;
        Clear();
        for (const auto& item : Source.FItems) {
            auto copy = std::make_unique<TItem>();
            copy->Assign(item.get());
            Add(std::move(copy));
        }
    }

private:
    std::vector<std::unique_ptr<TItem>> FItems;
};

// The addresses of one header field (To, CC, BCC).
class TmsAddressList : public TmsOwnedList<TmsMailAddress> {
    VEX_CLASS(TmsAddressList, TPersistent)

public:
    // From another address list: its items copied.
    void Assign(const TPersistent* Source) override;
};

// One attached file: its decoded bytes, its name and how it travels.
class TmsAttItem : public TPersistent {
    VEX_CLASS(TmsAttItem, TPersistent)

public:
    TMemoryStream Stream;

    const std::string& FileName() const { return FFileName; }
    // The name as given (a path for a file to attach; a name taken from a message goes through
    // AttachmentNameOnly first), cut to 255 characters. A non-empty name also sets ContentType
    // from its extension and TransferEncoding from that type.
    void SetFileName(const std::string& Value);
    // A name the parser made up for a part that carried none ("att.0"), set as SetFileName sets
    // one. Callers save the part under it, but it is not the sender's: the composer does not
    // write it into the part's headers. SetFileName makes the name a given one again.
    void SetMadeUpFileName(const std::string& Value);
    bool FileNameMadeUp() const { return FFileNameMadeUp; }

    const std::string& ContentType() const { return FContentType; }
    void SetContentType(const std::string& Value);

    TAttEncoding TransferEncoding = aeNone;

    // The character set the part's text was declared in when it was read (the charset of its
    // Content-Type), in lower case, for the composer to label the text with. Empty when none was
    // declared, when the name could not stand in an encoded word, or while the bytes contradict
    // it (8-bit bytes under US-ASCII, bytes that are not UTF-8 under UTF-8): it holds only while
    // it fits the bytes as they now stand. A new file name drops it; Assign copies it.
    std::string_view CharSet();
    void SetCharSet(std::string_view Value);

    // From another item: its bytes, file name (as it stands, made up or not), content type,
    // character set and encoding.
    void Assign(const TPersistent* Source) override;

private:
    std::string FFileName;
    bool FFileNameMadeUp = false;
    std::string FContentType;
    std::string FCharSet;
};

// The attachments of a message.
class TmsAttList : public TmsOwnedList<TmsAttItem> {
    VEX_CLASS(TmsAttList, TPersistent)

public:
    // From another attachment list: deep copies of its items, bytes included.
    void Assign(const TPersistent* Source) override;
};

// Lines that count their changes, so that what was recorded of their text is known to hold only
// while nothing has changed since.
class TmsTextLines : public TStringList {
    VEX_CLASS(TmsTextLines, TStringList)

public:
    uint64_t Changes() const { return FChanges; }

protected:
    void Changed() override;

private:
    uint64_t FChanges = 0;
};

// What a mail message and a news article share. The content type is derived from the body and
// the attachments each time it is read; what was set is kept only where they leave it open.
class TmsCustomMessage : public TComponent {
    VEX_CLASS(TmsCustomMessage, TComponent)

public:
    explicit TmsCustomMessage(TComponent* AOwner);
    ~TmsCustomMessage() override;

    TmsAttList& Attachments() { return *FAttachments; }
    const TmsAttList& Attachments() const { return *FAttachments; }
    // Copies the items of Value, bytes included: the message never shares items with another
    // list, so each frees only its own.
    void SetAttachments(const TmsAttList& Value);

    std::string ContentType() const;
    // Stored in lower case, cut to 255 characters.
    void SetContentType(const std::string& Value);

    TMsgEncoding Encoding() const { return FEncoding; }
    void SetEncoding(TMsgEncoding Value) { FEncoding = Value; }

    TmsMailAddress& Sender() { return *FSender; }
    const TmsMailAddress& Sender() const { return *FSender; }
    void SetSender(const TmsMailAddress& Value) { FSender->Assign(&Value); }

    const std::string& Subject() const { return FSubject; }
    // Cut to 255 characters.
    void SetSubject(const std::string& Value);

    // The character set the subject's encoded words named when it was read; empty when they
    // named none or several, or when the subject has changed since.
    std::string_view SubjectCharSet() const { return FSubjectCharSet.Of(FSubject); }
    // Records Value as the set of the subject as it now stands.
    void SetSubjectCharSet(std::string_view Value) { FSubjectCharSet.Assign(FSubject, Value); }

    TCharSet CharSet() const { return FCharSet; }
    void SetCharSet(TCharSet Value) { FCharSet = Value; }

    TmsHeaders& Headers() { return *FHeaders; }
    const TmsHeaders& Headers() const { return *FHeaders; }
    void SetHeaders(const TStrings& Value) { FHeaders->Assign(&Value); }

    TStrings& Body() { return *FBody; }
    const TStrings& Body() const { return *FBody; }
    void SetBody(const TStrings& Value) { FBody->Assign(&Value); }

    // The character set the body's text was declared in when it was read (the charset of its
    // Content-Type), in lower case: the composer labels the text with it, where CharSet knows
    // only three sets. Empty when no set was declared, or once Body has changed in any way since
    // it was recorded, so that it never outlives its text: SetBody, Clear or any change to the
    // lines drops it. A load records the new text's own; Assign copies it with the body.
    std::string_view BodyCharSet() const;
    // Records Value as the set of the body as it now stands. A name that could not stand in an
    // encoded word, or that the text contradicts (8-bit bytes under US-ASCII, bytes that are not
    // UTF-8 under UTF-8), is not kept: the composer then names the set from the bytes.
    void SetBodyCharSet(std::string_view Value);

    // Raises EMessageError when the message lacks an address that sending needs.
    virtual void CheckAddresses();
    virtual void Clear();
    // Takes the message's header block onto its properties.
    virtual void MapHeaders(const TmsHeaders& AHeaders) = 0;

    // Replaces the message with the one read from the stream (a whole message: headers, empty
    // line, body). A malformed body never fails the load: it is described in Body and the input
    // is attached as "original.eml".
    virtual void LoadFromStream(TStream& Stream) = 0;
    // The same from a file; a file that cannot be opened raises EFOpenError (the message is then
    // empty).
    void LoadFromFile(const std::string& FileName);
    // Writes the message as mail text; the message itself is not changed.
    virtual void SaveToStream(TStream& Stream) = 0;

    // From another message: deep copies of everything, the tag included; the copy reads the
    // source's content type as the source derives it.
    void Assign(const TPersistent* Source) override;

protected:
    // Once a form built in code has set the attachments' names, their bytes come from those
    // files (relative to the current folder, since names carry no folder).
    void Loaded() override;

private:
    std::unique_ptr<TmsMailAddress> FSender;
    std::string FSubject;
    TTextCharSet FSubjectCharSet;
    TMsgEncoding FEncoding = meMIME;
    TCharSet FCharSet = csUSASCII;
    std::unique_ptr<TmsHeaders> FHeaders;
    std::unique_ptr<TmsTextLines> FBody;
    std::string FBodyCharSet;
    uint64_t FBodyCharSetAt = 0;  // the count of the body's changes when it was recorded
    std::unique_ptr<TmsAttList> FAttachments;
    // The getter refreshes it from the parts it derives the type from.
    mutable std::string FContentType = "text/plain";
};

// A mail message with its recipients and delivery options.
class TmsMessage : public TmsCustomMessage {
    VEX_CLASS(TmsMessage, TmsCustomMessage)

public:
    explicit TmsMessage(TComponent* AOwner);
    ~TmsMessage() override;

    TmsAddressList& Recipients() { return *FRecipients; }
    const TmsAddressList& Recipients() const { return *FRecipients; }
    void SetRecipients(const TmsAddressList& Value) { FRecipients->Assign(&Value); }

    bool ReturnReceipt() const { return FReturnReceipt; }
    void SetReturnReceipt(bool Value) { FReturnReceipt = Value; }

    TPriority Priority() const { return FPriority; }
    void SetPriority(TPriority Value) { FPriority = Value; }

    TmsAddressList& CC() { return *FCC; }
    const TmsAddressList& CC() const { return *FCC; }
    void SetCC(const TmsAddressList& Value) { FCC->Assign(&Value); }

    TmsAddressList& BCC() { return *FBCC; }
    const TmsAddressList& BCC() const { return *FBCC; }
    void SetBCC(const TmsAddressList& Value) { FBCC->Assign(&Value); }

    // Needs a sender and at least one non-empty address among Recipients, CC and BCC.
    void CheckAddresses() override;
    // Priority and ReturnReceipt are settings of the sender, not contents: they stay.
    void Clear() override;
    // Appends the To, CC and BCC addresses to their lists; a From that opens "<" without
    // closing it is taken as well as it can be rather than failing the whole message.
    void MapHeaders(const TmsHeaders& AHeaders) override;
    void Assign(const TPersistent* Source) override;
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;

private:
    std::unique_ptr<TmsAddressList> FRecipients;
    std::unique_ptr<TmsAddressList> FCC;
    std::unique_ptr<TmsAddressList> FBCC;
    bool FReturnReceipt = false;
    TPriority FPriority = ptNormal;
};

// A news article: posted to newsgroups rather than sent to recipients.
class TmsArticle : public TmsCustomMessage {
    VEX_CLASS(TmsArticle, TmsCustomMessage)

public:
    using TmsCustomMessage::TmsCustomMessage;

    const std::string& NewsGroups() const { return FNewsGroups; }
    void SetNewsGroups(const std::string& Value) { FNewsGroups = Value; }

    std::string MessageID;
    std::string Path;

    // Needs a sender, newsgroups and a subject.
    void CheckAddresses() override;
    // Path and MessageID stay.
    void Clear() override;
    void MapHeaders(const TmsHeaders& AHeaders) override;
    void Assign(const TPersistent* Source) override;
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;

private:
    std::string FNewsGroups;
};

// The last part of a file name written with either separator, for a name taken from a message:
// a stranger's "../../x" must not choose where an attachment is saved. "." and ".." give "".
// The name is cleaned as the composer cleans the names it writes (CleanName): a program saves
// the part under it, and a line break or a control character has no place in a file's name.
std::string AttachmentNameOnly(const std::string& FileName);

}  // namespace vex
