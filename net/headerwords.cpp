#include "net/headerwords.h"

#include <string_view>

#include "platform/core/files.h"
#include "platform/core/mimetypes.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::size_t MaxTokenLength = 255;

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}

bool IsParameterStart(std::string_view Text, std::size_t At) {
    if (At == 0) return true;
    char before = Text[At - 1];
    return before == ';' || IsBlank(before);
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

void GetParameter(const std::string& Param, const std::string& Text, std::string& Value) {
    Value.clear();
    if (Param.empty()) return;
    const std::string upperText = UpperCase(Text);
    const std::string upperParam = UpperCase(Param);
    std::string_view text = Text;

    // The name must stand as a parameter of its own: "name" is not found inside "filename"
    // or inside another parameter's value.
    std::size_t at = 0;
    std::size_t valueStart = std::string_view::npos;
    while ((at = upperText.find(upperParam, at)) != std::string::npos) {
        std::size_t after = at + upperParam.size();
        while (after < text.size() && (text[after] == ' ' || text[after] == '\t'))
            ++after;
        if (IsParameterStart(text, at) && after < text.size() && text[after] == '=') {
            valueStart = after + 1;
            break;
        }
        ++at;
    }
    if (valueStart == std::string_view::npos) return;

    std::string rest = Trim(text.substr(valueStart));
    std::string_view r = rest;
    std::string_view value;
    if (!r.empty() && r.front() == '"') {
        r.remove_prefix(1);
        value = r.substr(0, r.find('"'));
    } else {
        std::size_t end = 0;
        while (end < r.size() && !IsBlank(r[end]) && r[end] != ';')
            ++end;
        value = r.substr(0, end);
    }
    Value = Trim(value);
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
