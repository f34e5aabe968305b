#include "tools/strtable/texttable.h"

#include <map>
#include <optional>

#include "tools/rescomp/resourceerror.h"
#include "tools/rescomp/textencoding.h"

namespace vex::strtable {

using rescomp::ResourceError;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}
bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

void AppendUtf16(std::u16string& Text, char32_t Char) {
    if (Char < 0x10000) {
        Text += static_cast<char16_t>(Char);
        return;
    }
    const char32_t rest = Char - 0x10000;
    Text += static_cast<char16_t>(0xD800 + (rest >> 10));
    Text += static_cast<char16_t>(0xDC00 + (rest & 0x3FF));
}

// One line of a table; Fail throws with the file and line already filled in.
class LineParser {
public:
    LineParser(std::string_view Line, const std::string& File, int Number)
        : FLine(Line), FFile(File), FNumber(Number) {}

    std::optional<TextEntry> Parse() {
        SkipBlanks();
        if (AtEnd() || FLine[FPos] == '#') return std::nullopt;
        const int32_t id = ParseId();
        SkipBlanks();
        if (AtEnd() || FLine[FPos] != '"') Fail("expected a quoted text after the number");
        ++FPos;
        std::u16string text = ParseText();
        SkipBlanks();
        if (!AtEnd()) Fail("unexpected text after the closing quote");
        return TextEntry{id, std::move(text), FNumber};
    }

private:
    [[noreturn]] void Fail(const std::string& Message) const {
        throw ResourceError(FFile, FNumber, Message);
    }

    bool AtEnd() const { return FPos >= FLine.size(); }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(FLine[FPos]))
            ++FPos;
    }

    int32_t ParseId() {
        const size_t start = FPos;
        const bool negative = FLine[FPos] == '-';
        if (negative) ++FPos;
        if (AtEnd() || !IsDigit(FLine[FPos])) Fail("expected a string number");
        // Saturates, so a long run of digits still reads as out of range.
        const int64_t limit = negative ? 2147483648LL : 2147483647LL;
        int64_t value = 0;
        while (!AtEnd() && IsDigit(FLine[FPos])) {
            if (value <= limit) value = value * 10 + (FLine[FPos] - '0');
            ++FPos;
        }
        if (value > limit) {
            Fail("string number " + std::string(FLine.substr(start, FPos - start)) +
                 " does not fit in 32 bits");
        }
        return static_cast<int32_t>(negative ? -value : value);
    }

    std::u16string ParseText() {
        std::u16string text;
        while (!AtEnd()) {
            const char c = FLine[FPos];
            if (c == '"') {
                ++FPos;
                return text;
            }
            if (c == '\\') {
                text += ParseEscape();
                continue;
            }
            const auto decoded = rescomp::DecodeUtf8(FLine, FPos);
            if (!decoded) Fail("invalid UTF-8");
            AppendUtf16(text, *decoded);
        }
        Fail("missing closing quote");
    }

    char16_t ParseEscape() {
        ++FPos;
        if (AtEnd()) Fail("escape at the end of the line");
        const char c = FLine[FPos++];
        switch (c) {
            case '"':
            case '\\':
                return static_cast<char16_t>(c);
            case 'n':
                return u'\n';
            case 'r':
                return u'\r';
            case 't':
                return u'\t';
            default:
                Fail("unknown escape \\" + std::string(1, c));
        }
    }

    std::string_view FLine;
    const std::string& FFile;
    int FNumber;
    size_t FPos = 0;
};

}  // namespace

std::vector<TextEntry> ParseTextTable(std::string_view Text, const std::string& FileName) {
    if (Text.starts_with(kByteOrderMark)) Text.remove_prefix(kByteOrderMark.size());
    std::vector<TextEntry> entries;
    std::map<int32_t, int> lineOfId;
    int number = 0;
    while (!Text.empty()) {
        ++number;
        const size_t end = Text.find('\n');
        std::string_view line = Text.substr(0, end);
        Text.remove_prefix(end == std::string_view::npos ? Text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!rescomp::IsValidUtf8(line)) throw ResourceError(FileName, number, "invalid UTF-8");
        auto entry = LineParser(line, FileName, number).Parse();
        if (!entry) continue;
        const auto [previous, fresh] = lineOfId.emplace(entry->Id, number);
        if (!fresh) {
            throw ResourceError(FileName, number,
                                "string number " + std::to_string(entry->Id) +
                                    " is already defined on line " +
                                    std::to_string(previous->second));
        }
        entries.push_back(std::move(*entry));
    }
    return entries;
}

}  // namespace vex::strtable
