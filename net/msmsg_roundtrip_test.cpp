// Every message of the corpus is read, saved by the composer and read again, and must come back
// as it was first read; saved a second time it must give the same text as the first save. So a
// change to the parser or the composer is held against every real message at once.
//
// A difference that a save makes by design is listed, with its reason, in
// tests/corpus/roundtrip-allowed.txt. A listed difference that no longer occurs fails as well, so
// the list cannot outlive its reasons.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "net/msmsg_testsupport.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

const std::string AllowedFile = VEX_SOURCE_DIR "/tests/corpus/roundtrip-allowed.txt";

// The fields the composer writes from the message's properties. The other header lines of a
// message it copies as they stand, and those must survive. Written out here rather than taken
// from the composer, so that a line the composer wrongly drops still shows as lost.
const char* const GeneratedFields[] = {"From",
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

// A message's fields by name: what a caller reads of it.
using TFields = std::map<std::string, std::string>;

// Each line ended by a line break, so that no lines and one empty line differ.
std::string Joined(const TStrings& Lines) {
    std::string text;
    for (int32_t i = 0; i < Lines.Count(); ++i)
        text += Lines[i] + "\n";
    return text;
}

std::string AddressOf(const TmsMailAddress& Address) {
    return Address.Name + " <" + Address.Address + ">";
}

// A message goes out as one text part (its body, or the HTML or RTF text that is its only
// attachment) under the disposition it was read with; any other shape is written with the
// composer's own structure, and a disposition of the caller's would describe the old one.
bool IsOneTextPart(const TmsMessage& Message) {
    const TmsAttList& attachments = Message.Attachments();
    if (Message.Encoding() != meMIME) return false;
    if (attachments.Count() == 0) return !Message.ContentType().starts_with("multipart/");
    if (Message.Body().Count() > 0 || attachments.Count() != 1) return false;
    const std::string name = LowerCase(attachments.Items(0)->FileName());
    return name == "_htmbody.htm" || name == "_rtfbody.rtf";
}

std::string OtherHeaders(const TmsMessage& Message) {
    TmsHeaders others;
    others.Assign(&Message.Headers());
    auto remove = [&](const char* Field) {
        for (int32_t count = -1; count != others.Count();) {
            count = others.Count();
            others.DeleteField(Field);
        }
    };
    for (const char* field : GeneratedFields)
        remove(field);
    if (!IsOneTextPart(Message)) remove("Content-Disposition");
    return Joined(others);
}

TFields FieldsOf(const TmsMessage& Message) {
    TFields fields{{"sender", AddressOf(Message.Sender())},
                   {"subject", Message.Subject()},
                   {"priority", std::to_string(Message.Priority())},
                   {"receipt", std::to_string(Message.ReturnReceipt())},
                   {"headers", OtherHeaders(Message)},
                   {"encoding", std::to_string(Message.Encoding())},
                   {"charset", std::to_string(Message.CharSet())},
                   {"content-type", Message.ContentType()},
                   {"body", Joined(Message.Body())}};
    const std::pair<const char*, const TmsAddressList*> lists[] = {
        {"to", &Message.Recipients()}, {"cc", &Message.CC()}, {"bcc", &Message.BCC()}};
    for (const auto& [label, list] : lists)
        for (int32_t i = 0; i < list->Count(); ++i)
            fields[label + ("." + std::to_string(i))] = AddressOf(*list->Items(i));
    for (int32_t i = 0; i < Message.Attachments().Count(); ++i) {
        TmsAttItem& item = *Message.Attachments().Items(i);
        const std::string name = "attachment." + std::to_string(i) + ".";
        fields[name + "name"] = item.FileName();
        fields[name + "type"] = item.ContentType();
        fields[name + "encoding"] = std::to_string(item.TransferEncoding);
        fields[name + "bytes"] = test::Bytes(item);
    }
    return fields;
}

void Load(TmsMessage& Message, const std::string& Text) {
    TStringStream in(Text);
    Message.LoadFromStream(in);
}

std::string Saved(TmsMessage& Message) {
    TStringStream out;
    Message.SaveToStream(out);
    return out.DataString();
}

constexpr size_t ShownBytes = 72;

std::string Brief(const std::string& Value) {
    return test::Shown(Value.substr(0, ShownBytes), "", 0) +
           (Value.size() > ShownBytes ? "..." : "");
}

// Where two values part: short ones whole, long ones from a little before the first byte that
// differs.
std::string Parting(const std::string& Before, const std::string& After) {
    constexpr size_t context = 24;
    if (Before.size() <= ShownBytes && After.size() <= ShownBytes)
        return Brief(Before) + " -> " + Brief(After);
    const size_t at =
        std::mismatch(Before.begin(), Before.end(), After.begin(), After.end()).first -
        Before.begin();
    const size_t from = at > context ? at - context : 0;
    auto piece = [&](const std::string& S) {
        return from >= S.size() ? std::string("(ends)") : Brief(S.substr(from));
    };
    return "at byte " + std::to_string(at) + " of " + std::to_string(Before.size()) + "/" +
           std::to_string(After.size()) + ": " + piece(Before) + " -> " + piece(After);
}

// Each field whose value a save and a second load changed, with how; "header limits" when a line
// or an encoded word of the saved header is too long; "resaved" when a second save writes other
// text than the first; "save raises" and the error when the first save fails.
std::map<std::string, std::string> RoundTripDifferences(const std::string& Original) {
    TmsMessage first(nullptr), second(nullptr);
    Load(first, Original);
    std::string saved;
    try {
        saved = Saved(first);
    } catch (const Exception& e) {
        return {{"save raises " + e.Message(), e.ClassName()}};
    }
    Load(second, saved);
    const std::string resaved = Saved(second);

    const TFields before = FieldsOf(first), after = FieldsOf(second);
    std::set<std::string> names;
    for (const TFields* fields : {&before, &after})
        for (const auto& [name, value] : *fields)
            names.insert(name);
    std::map<std::string, std::string> differences;
    for (const std::string& name : names) {
        const auto was = before.find(name), is = after.find(name);
        if (was == before.end() || is == after.end())
            differences[name] =
                was == before.end() ? "added " + Brief(is->second) : "lost " + Brief(was->second);
        else if (was->second != is->second)
            differences[name] = Parting(was->second, is->second);
    }
    // A save names the set of text that named none, so only a set that was named must stay.
    if (!first.BodyCharSet().empty() && second.BodyCharSet() != first.BodyCharSet())
        differences["body charset"] =
            Parting(std::string(first.BodyCharSet()), std::string(second.BodyCharSet()));
    if (const std::string broken = test::HeaderLimitsBroken(saved); !broken.empty())
        differences["header limits"] = broken;
    if (test::WithBoundariesNamed(saved) != test::WithBoundariesNamed(resaved))
        differences["resaved"] =
            Parting(test::WithBoundariesNamed(saved), test::WithBoundariesNamed(resaved));
    return differences;
}

TEST(MessageRoundTrip, EveryMessageReadsAsBeforeOnceSavedAndTheNextSaveWritesTheSame) {
    std::map<std::pair<std::string, std::string>, std::string> allowed;
    for (const test::TestCase& c : test::ReadCases(AllowedFile)) {
        ASSERT_EQ(c.size(), 3u) << c.Where << ": a message, a field and the reason";
        allowed[{c[0], c[1]}] = c.Where;
    }
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& [key, path] : test::Corpus()) {
        SCOPED_TRACE(key);
        try {
            for (const auto& [field, how] : RoundTripDifferences(ReadFileToString(path))) {
                if (allowed.contains({key, field}))
                    seen.insert({key, field});
                else
                    ADD_FAILURE() << field << " " << how;
            }
        } catch (const Exception& e) {
            ADD_FAILURE() << "raises " << e.ClassName() << ": " << e.Message();
        }
    }
    for (const auto& [entry, where] : allowed)
        if (!seen.contains(entry))
            ADD_FAILURE() << where << ": " << entry.first << " " << entry.second
                          << " no longer differs";
}

}  // namespace
}  // namespace vex
