#include "net/msheaders.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "net/encodedwords.h"
#include "net/mailaddress.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

// A field asked for as "Name" or "Name:".
std::string_view WithoutColon(std::string_view Name) {
    if (Name.ends_with(':')) Name.remove_suffix(1);
    return Name;
}

// Content-Type and Content-Disposition keep their parameters verbatim for the MIME parser, which
// decodes the names in them (a long RFC 2231 name must not be cut); X-UIDL is an opaque id.
bool KeepsEncodedWords(std::string_view Name) {
    return SameText(Name, "Content-Type") || SameText(Name, "Content-Disposition") ||
           SameText(Name, "X-UIDL");
}

// Fields whose value is an address or a list of them: encoded words there may stand only in
// display names and comments, and decoding them must not change where the address is.
bool HoldsAddresses(std::string_view Name) {
    for (const char* name : {"From", "Sender", "Reply-To", "To", "Cc", "Bcc", "Resent-From",
                             "Resent-Sender", "Resent-To", "Resent-Cc", "Resent-Bcc",
                             "Return-Receipt-To", "Disposition-Notification-To"})
        if (SameText(Name, name)) return true;
    return false;
}

bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}

// S without the white space at its ends. Other control characters stay: the escape that opens
// ISO-2022 text at the start of a value is part of the text.
std::string TrimWhiteSpace(std::string_view S) {
    constexpr std::string_view whiteSpace = " \t\r\n";
    const std::size_t first = S.find_first_not_of(whiteSpace);
    if (first == std::string_view::npos) return "";
    return std::string(S.substr(first, S.find_last_not_of(whiteSpace) - first + 1));
}

std::string AfterColon(std::string_view Line) {
    std::size_t colon = Line.find(':');
    return TrimWhiteSpace(colon == std::string_view::npos ? Line : Line.substr(colon + 1));
}

}  // namespace

void TmsHeaders::Changed() {
    FLinesKept = false;
    FLines.clear();
    TStringList::Changed();
}

const std::vector<TmsHeaders::TLine>& TmsHeaders::Lines() const {
    if (!FLinesKept) {
        FLines.clear();
        FLines.reserve(static_cast<size_t>(Count()));
        for (int32_t i = 0; i < Count(); ++i) {
            std::string line = Strings(i);
            const std::size_t nameSize = FieldNameOf(line).size();
            FLines.push_back({std::move(line), nameSize});
        }
        FLinesKept = true;
    }
    return FLines;
}

int32_t TmsHeaders::FindField(const std::string& Name, int32_t From) const {
    const std::string_view name = WithoutColon(Name);
    if (name.empty()) return -1;
    const std::vector<TLine>& lines = Lines();
    for (auto i = static_cast<size_t>(From); i < lines.size(); ++i)
        if (lines[i].NameSize == name.size() &&
            SameText(std::string_view(lines[i].Text).substr(0, name.size()), name))
            return static_cast<int32_t>(i);
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
    const int32_t first = FindField(Name, 0);
    if (first < 0) return;
    const std::vector<TLine>& lines = Lines();
    auto i = static_cast<size_t>(first);
    std::string value = AfterColon(lines[i].Text);
    for (++i; i < lines.size(); ++i) {
        const std::string& line = lines[i].Text;
        if (!IsContinuationLine(line)) break;
        value += ' ';
        value += TrimWhiteSpace(line);
    }
    const std::string_view name = WithoutColon(Name);
    TWordCharSets charSets;
    if (KeepsEncodedWords(name))
        Value = value;
    else if (HoldsAddresses(name))
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
    // Filling this list itself would change the lines while they are read.
    if (&List == this) {
        TStringList values;
        GetFieldValues(Name, values, CharSets);
        List.Assign(&values);
        return;
    }
    List.Clear();
    const std::vector<TLine>& lines = Lines();
    int32_t i = FindField(Name, 0);
    while (i >= 0) {
        // Lines without a colon are taken as continuations too: a header block that lost the
        // leading blank of a folded address line still gives every address.
        std::string text = AfterColon(lines[static_cast<size_t>(i)].Text);
        for (++i; static_cast<size_t>(i) < lines.size(); ++i) {
            const std::string& line = lines[static_cast<size_t>(i)].Text;
            if (!IsContinuationLine(line) && line.find(':') != std::string::npos) break;
            text += ' ';
            text += TrimWhiteSpace(line);
        }
        // A quote, comment or bracket left open ends with its field.
        for (const std::string_view entry : AddressListEntries(text)) {
            TWordCharSets charSets;
            List.Add(DecodeAddressWords(Trim(entry), charSets));
            if (CharSets) CharSets->push_back(charSets.CharSet());
        }
        i = FindField(Name, i);
    }
}

void TmsHeaders::DeleteField(const std::string& Name) {
    const int32_t first = FindField(Name, 0);
    if (first < 0) return;
    int32_t end = first + 1;
    while (end < Count() && IsContinuationLine(Strings(end)))
        ++end;
    // The lines after the field move up once each and the list is cut from its end, so a field
    // folded over many lines costs no more than one pass.
    BeginUpdate();
    const int32_t removed = end - first;
    for (int32_t i = end; i < Count(); ++i) {
        SetStrings(i - removed, Strings(i));
        SetObjects(i - removed, Objects(i));
    }
    for (int32_t i = 0; i < removed; ++i)
        Delete(Count() - 1);
    EndUpdate();
}

std::string_view FieldNameOf(std::string_view Line) {
    const std::size_t colon = Line.find(':');
    if (colon == std::string_view::npos) return {};
    std::string_view name = Line.substr(0, colon);
    while (!name.empty() && IsBlank(name.back()))
        name.remove_suffix(1);
    const bool printable = std::all_of(name.begin(), name.end(), [](char C) {
        return static_cast<unsigned char>(C) > ' ' && static_cast<unsigned char>(C) < 127;
    });
    return printable ? name : std::string_view();
}

bool IsContinuationLine(std::string_view Line) {
    return !Line.empty() && IsBlank(Line.front());
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
