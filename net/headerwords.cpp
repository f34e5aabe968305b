#include "net/headerwords.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include "net/encodedwords.h"

#include "platform/core/files.h"
#include "platform/core/mimetypes.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::size_t MaxTokenLength = 255;

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}

}  // namespace

std::string Unquote(const std::string& S) {
    std::string_view s = S;
    std::string trimmed = Trim(s);
    std::string_view t = trimmed;
    while (!t.empty() && t.front() == '"')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == '"')
        t.remove_suffix(1);
    return std::string(t);
}

void GetWord(const std::string& S, int32_t Skip, bool FirstOnly, std::string& Result) {
    Result.clear();
    std::string_view s = S;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
    };
    skipBlanks();
    for (int32_t skipped = 0; skipped < Skip; ++skipped) {
        while (i < s.size() && !IsBlank(s[i]))
            ++i;
        skipBlanks();
    }
    if (i >= s.size()) return;
    std::size_t end = s.size();
    if (FirstOnly) {
        end = i;
        while (end < s.size() && !IsBlank(s[end]))
            ++end;
    }
    Result = Trim(s.substr(i, end - i));
}

int32_t GetIntWord(const std::string& S, int32_t Skip) {
    std::string word;
    GetWord(S, Skip, true, word);
    if (word.empty() || word.size() > 10) return -1;
    int64_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value > INT32_MAX ? -1 : static_cast<int32_t>(value);
}

namespace {

struct TMimeParameter {
    std::string Name;  // upper case
    std::string Value;
};

// The content of the quoted string that opens at Text[I], with its quoted-pairs undone; I ends
// past the closing quote, or at the end of Text when there is none. Only a backslash before a
// quote or another backslash is taken as one: the only pairs a composer needs to write, while
// senders that never escape write Windows paths ("C:\Mail\a.txt") whose other backslashes must
// still part the folders from the name. A backslash that ends the whole text escapes nothing: the
// text was cut before what it escaped, and it goes, rather than turn the name into a folder.
std::string QuotedContent(std::string_view Text, std::size_t& I) {
    std::string content;
    for (++I; I < Text.size() && Text[I] != '"'; ++I) {
        if (Text[I] == '\\' && I + 1 == Text.size()) break;
        if (Text[I] == '\\' && (Text[I + 1] == '"' || Text[I + 1] == '\\')) ++I;
        content += Text[I];
    }
    if (I < Text.size()) ++I;
    return content;
}

// The "name=value" pairs of a header value such as "text/plain; charset=x". A name starts after
// a ";" or a blank, so a word of another parameter's value is never taken for one; a quoted value
// is the whole content of its quoted string, blanks at its edges included; any other value runs
// to a blank or ";".
std::vector<TMimeParameter> MimeParameters(std::string_view Text) {
    std::vector<TMimeParameter> parameters;
    std::size_t i = 0;
    while (i < Text.size()) {
        while (i < Text.size() && (Text[i] == ';' || IsBlank(Text[i])))
            ++i;
        const std::size_t nameStart = i;
        while (i < Text.size() && Text[i] != '=' && Text[i] != ';' && !IsBlank(Text[i]))
            ++i;
        const std::string_view name = Text.substr(nameStart, i - nameStart);
        while (i < Text.size() && IsBlank(Text[i]))
            ++i;
        if (i >= Text.size() || Text[i] != '=') continue;
        ++i;
        while (i < Text.size() && IsBlank(Text[i]))
            ++i;
        std::string value;
        if (i < Text.size() && Text[i] == '"') {
            value = QuotedContent(Text, i);
        } else {
            const std::size_t valueStart = i;
            while (i < Text.size() && Text[i] != ';' && !IsBlank(Text[i]))
                ++i;
            value = Text.substr(valueStart, i - valueStart);
        }
        parameters.push_back({UpperCase(name), std::move(value)});
    }
    return parameters;
}

// "%" and two hexadecimal digits become their byte; anything else stays as it is.
std::string PercentDecoded(std::string_view Text) {
    std::string out;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const int high = i + 2 < Text.size() ? HexDigit(Text[i + 1]) : -1;
        const int low = i + 2 < Text.size() ? HexDigit(Text[i + 2]) : -1;
        if (Text[i] == '%' && high >= 0 && low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += Text[i];
        }
    }
    return out;
}

// An extended value ("charset'language'%XX..."): its bytes, the charset not converted.
std::string ExtendedValue(std::string_view Value, bool First) {
    if (First) {
        const std::size_t charsetEnd = Value.find('\'');
        const std::size_t languageEnd =
            charsetEnd == std::string_view::npos ? charsetEnd : Value.find('\'', charsetEnd + 1);
        if (languageEnd != std::string_view::npos) Value.remove_prefix(languageEnd + 1);
    }
    return PercentDecoded(Value);
}

}  // namespace

void GetParameter(const std::string& Param, const std::string& Text, std::string& Value) {
    Value.clear();
    const std::string name = UpperCase(Param);
    for (const TMimeParameter& parameter : MimeParameters(Text)) {
        if (parameter.Name == name) {
            Value = Trim(parameter.Value);
            return;
        }
    }
}

std::string FileNameParameter(const std::string& Param, const std::string& Text) {
    const std::string name = UpperCase(Param);
    const std::vector<TMimeParameter> parameters = MimeParameters(Text);
    std::string plain;
    std::map<int32_t, std::string> pieces;  // by section number, each already decoded
    for (const TMimeParameter& parameter : parameters) {
        std::string_view n = parameter.Name;
        if (n == name) {
            if (plain.empty()) DecodeEncodedWords(parameter.Value, plain);
            continue;
        }
        if (!n.starts_with(name) || n.size() == name.size() || n[name.size()] != '*') continue;
        n.remove_prefix(name.size() + 1);
        if (n.empty()) return Trim(ExtendedValue(parameter.Value, true));  // "name*": all of it
        const bool extended = n.back() == '*';
        if (extended) n.remove_suffix(1);
        // Section numbers have no leading zeros (RFC 2231 section 3): "name*01" is no section.
        const bool number =
            !n.empty() && n.size() <= 3 && (n.size() == 1 || n.front() != '0') &&
            std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!number) continue;
        const int32_t section = std::stoi(std::string(n));
        pieces.emplace(section,
                       extended ? ExtendedValue(parameter.Value, section == 0) : parameter.Value);
    }
    // Sections count up from 0; a gap ends the name. They are joined exactly: a blank at the edge
    // of one is part of the name.
    std::string continued;
    for (int32_t section = 0; pieces.contains(section); ++section)
        continued += pieces[section];
    return Trim(continued.empty() ? plain : continued);
}

std::string WithoutLineBreaks(std::string_view S) {
    auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::string out;
    out.reserve(S.size());
    size_t i = 0;
    while (i < S.size()) {
        if (!isBreak(S[i])) {
            out += S[i++];
            continue;
        }
        while (i < S.size() && (isBreak(S[i]) || isBlank(S[i])))
            ++i;
        if (!out.empty() && !isBlank(out.back()) && i < S.size()) out += ' ';
    }
    return out;
}

std::string CleanName(std::string_view S) {
    std::string out;
    for (char c : WithoutLineBreaks(S)) {
        if (c == '\t') c = ' ';
        if (static_cast<uint8_t>(c) >= 32 && c != 127) out += c;
    }
    return out;
}

std::string FirstToken(const std::string& S) {
    std::string s = Trim(S);
    std::size_t end = 0;
    while (end < s.size() && end < MaxTokenLength && !IsBlank(s[end]) && s[end] != ';')
        ++end;
    return s.substr(0, end);
}

void GetMimeType(const std::string& FileName, std::string& MimeType) {
    MimeType = SystemMimeTypes().Lookup(ExtractFileExt(FileName));
    if (MimeType.empty()) MimeType = "application/octet-stream";
}

}  // namespace vex
