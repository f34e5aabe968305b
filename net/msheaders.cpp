#include "net/msheaders.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "net/encodedwords.h"
#include "net/mailaddress.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

std::string FieldPrefix(const std::string& Name) {
    return !Name.empty() && Name.back() == ':' ? Name : Name + ":";
}

// Content-Type and Content-Disposition keep their parameters verbatim for the MIME parser, which
// decodes the names in them (a long RFC 2231 name must not be cut); X-UIDL is an opaque id.
bool KeepsEncodedWords(const std::string& Prefix) {
    return SameText(Prefix, "Content-Type:") || SameText(Prefix, "Content-Disposition:") ||
           SameText(Prefix, "X-UIDL:");
}

// Fields whose value is an address or a list of them: encoded words there may stand only in
// display names and comments, and decoding them must not change where the address is.
bool HoldsAddresses(const std::string& Prefix) {
    for (const char* name : {"From:", "Sender:", "Reply-To:", "To:", "Cc:", "Bcc:", "Resent-From:",
                             "Resent-Sender:", "Resent-To:", "Resent-Cc:", "Resent-Bcc:",
                             "Return-Receipt-To:", "Disposition-Notification-To:"})
        if (SameText(Prefix, name)) return true;
    return false;
}

std::string AfterColon(std::string_view Line) {
    std::size_t colon = Line.find(':');
    return Trim(colon == std::string_view::npos ? Line : Line.substr(colon + 1));
}

// Splits an address list at the commas that separate its addresses. Quoted strings, comments
// and angle brackets are passed over whole (a backslash escapes the next character inside the
// first two). "Group name:" opens a group and ";" closes it; neither is an address.
class TAddressListSplitter {
public:
    // CharSets, when given, gets the set of each entry's encoded words.
    TAddressListSplitter(TStrings& List, std::vector<std::string>* CharSets)
        : FList(List), FCharSets(CharSets) {}

    void Feed(std::string_view Text) {
        for (std::size_t i = 0; i < Text.size(); ++i) {
            char c = Text[i];
            const bool inComment = FCommentDepth > 0;
            if (FEscaped) {
                FEscaped = false;
            } else if ((FInQuotes || FCommentDepth > 0) && c == '\\') {
                FEscaped = true;
            } else if (FInQuotes) {
                FInQuotes = c != '"';
            } else if (FCommentDepth > 0) {
                if (c == '(') ++FCommentDepth;
                if (c == ')') --FCommentDepth;
            } else if (FInAngle) {
                FInAngle = c != '>';
            } else if (c == '"') {
                FInQuotes = true;
            } else if (c == '(') {
                FCommentDepth = 1;
            } else if (c == '<') {
                FInAngle = true;
            } else if (c == ',' || c == ';') {
                Flush();
                continue;
            } else if (c == ':') {
                FPiece.clear();  // the group's name
                FHasAddress = false;
                continue;
            }
            FPiece += c;
            if (!inComment && FCommentDepth == 0 && static_cast<unsigned char>(c) > ' ')
                FHasAddress = true;
        }
    }

    // Ends a field; a quote, comment or bracket left open does not reach into the next one.
    void EndField() {
        Flush();
        FInQuotes = FInAngle = FEscaped = false;
        FCommentDepth = 0;
    }

private:
    void Flush() {
        // A piece of nothing but comments ("; (end of the group)") names no address.
        if (FHasAddress) {
            TWordCharSets charSets;
            FList.Add(DecodeAddressWords(Trim(FPiece), charSets));
            if (FCharSets) FCharSets->push_back(charSets.CharSet());
        }
        FPiece.clear();
        FHasAddress = false;
    }

    TStrings& FList;
    std::vector<std::string>* FCharSets;
    std::string FPiece;
    bool FInQuotes = false;
    bool FInAngle = false;
    bool FEscaped = false;
    bool FHasAddress = false;
    int32_t FCommentDepth = 0;
};

}  // namespace

int32_t TmsHeaders::FindField(const std::string& Name, int32_t From) const {
    const std::string prefix = FieldPrefix(Name);
    for (int32_t i = From; i < Count(); ++i) {
        const std::string line = Strings(i);
        if (line.size() >= prefix.size() &&
            SameText(std::string_view(line).substr(0, prefix.size()), prefix))
            return i;
    }
    return -1;
}

void TmsHeaders::GetFieldValue(const std::string& Name, std::string& Value) const {
    std::string unused;
    GetFieldValue(Name, Value, unused);
}

void TmsHeaders::GetFieldValue(const std::string& Name, std::string& Value,
                               std::string& CharSet) const {
    Value.clear();
    CharSet.clear();
    int32_t i = FindField(Name, 0);
    if (i < 0) return;
    std::string value = AfterColon(Strings(i));
    for (++i; i < Count(); ++i) {
        const std::string line = Strings(i);
        if (!IsContinuationLine(line)) break;
        value += ' ';
        value += Trim(line);
    }
    const std::string prefix = FieldPrefix(Name);
    TWordCharSets charSets;
    if (KeepsEncodedWords(prefix))
        Value = value;
    else if (HoldsAddresses(prefix))
        Value = DecodeAddressWords(value, charSets);
    else
        DecodeEncodedWords(value, Value, charSets);
    CharSet = charSets.CharSet();
}

void TmsHeaders::GetFieldValues(const std::string& Name, TStrings& List) const {
    GetFieldValues(Name, List, nullptr);
}

void TmsHeaders::GetFieldValues(const std::string& Name, TStrings& List,
                                std::vector<std::string>& CharSets) const {
    CharSets.clear();
    GetFieldValues(Name, List, &CharSets);
}

void TmsHeaders::GetFieldValues(const std::string& Name, TStrings& List,
                                std::vector<std::string>* CharSets) const {
    List.Clear();
    TAddressListSplitter splitter(List, CharSets);
    int32_t i = FindField(Name, 0);
    while (i >= 0) {
        // Lines without a colon are taken as continuations too: a header block that lost the
        // leading blank of a folded address line still gives every address.
        std::string text = AfterColon(Strings(i));
        for (++i; i < Count(); ++i) {
            const std::string line = Strings(i);
            if (!IsContinuationLine(line) && line.find(':') != std::string::npos) break;
            text += ' ';
            text += Trim(line);
        }
        splitter.Feed(text);
        splitter.EndField();
        i = FindField(Name, i);
    }
}

void TmsHeaders::DeleteField(const std::string& Name) {
    int32_t i = FindField(Name, 0);
    if (i < 0) return;
    BeginUpdate();
    Delete(i);
    while (i < Count() && IsContinuationLine(Strings(i)))
        Delete(i);
    EndUpdate();
}

bool IsFieldLine(std::string_view Line) {
    const std::size_t colon = Line.find(':');
    if (colon == std::string_view::npos) return false;
    std::string_view name = Line.substr(0, colon);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char C) {
        return static_cast<unsigned char>(C) > ' ' && static_cast<unsigned char>(C) < 127;
    });
}

bool IsContinuationLine(std::string_view Line) {
    return !Line.empty() && (Line.front() == ' ' || Line.front() == '\t');
}

void CutBody(TStrings& Headers) {
    int32_t i = 0;
    while (i < Headers.Count() && !Headers.Strings(i).empty())
        ++i;
    if (i == Headers.Count()) return;
    Headers.BeginUpdate();
    while (Headers.Count() > i)
        Headers.Delete(Headers.Count() - 1);
    Headers.EndUpdate();
}

}  // namespace vex
