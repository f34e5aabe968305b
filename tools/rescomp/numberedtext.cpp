#include "tools/rescomp/numberedtext.h"

#include <optional>

#include "tools/rescomp/resourceerror.h"
#include "tools/rescomp/textencoding.h"

namespace vex::rescomp {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}
bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

std::optional<int> HexDigit(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    return std::nullopt;
}

// One line of a table; Fail throws with the file and line already filled in.
class LineParser {
public:
    LineParser(std::string_view Line, const std::string& File, int Number, int64_t MinId,
               int64_t MaxId)
        : FLine(Line), FFile(File), FNumber(Number), FMinId(MinId), FMaxId(MaxId) {}

    std::optional<NumberedText> Parse() {
        SkipBlanks();
        if (AtEnd() || FLine[FPos] == '#') return std::nullopt;
        const int64_t id = ParseId();
        SkipBlanks();
        if (AtEnd() || FLine[FPos] != '"') Fail("expected a quoted text after the number");
        ++FPos;
        std::u32string text = ParseText();
        SkipBlanks();
        if (!AtEnd()) Fail("unexpected text after the closing quote");
        return NumberedText{id, std::move(text), FNumber};
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

    int64_t ParseId() {
        const size_t start = FPos;
        const bool negative = FLine[FPos] == '-';
        if (negative) ++FPos;
        if (AtEnd() || !IsDigit(FLine[FPos])) Fail("expected a string number");
        // Saturates, so a long run of digits still reads as out of range.
        constexpr int64_t kSaturated = int64_t{1} << 40;
        int64_t value = 0;
        while (!AtEnd() && IsDigit(FLine[FPos])) {
            if (value < kSaturated) value = value * 10 + (FLine[FPos] - '0');
            ++FPos;
        }
        if (negative) value = -value;
        if (value < FMinId || value > FMaxId) {
            Fail("string number " + std::string(FLine.substr(start, FPos - start)) +
                 " is outside " + std::to_string(FMinId) + " to " + std::to_string(FMaxId));
        }
        return value;
    }

    std::u32string ParseText() {
        std::u32string text;
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
            const auto decoded = DecodeUtf8(FLine, FPos);
            if (!decoded) Fail("invalid UTF-8");
            text += *decoded;
        }
        Fail("missing closing quote");
    }

    char32_t ParseEscape() {
        ++FPos;
        if (AtEnd()) Fail("escape at the end of the line");
        const char c = FLine[FPos++];
        switch (c) {
            case '"':
            case '\\':
                return static_cast<char32_t>(c);
            case 'n':
                return U'\n';
            case 'r':
                return U'\r';
            case 't':
                return U'\t';
            case 'x': {
                const auto high = FPos < FLine.size() ? HexDigit(FLine[FPos]) : std::nullopt;
                const auto low = FPos + 1 < FLine.size() ? HexDigit(FLine[FPos + 1]) : std::nullopt;
                if (!high || !low) Fail("\\x needs two hexadecimal digits");
                FPos += 2;
                return RawByte + static_cast<char32_t>(*high * 16 + *low);
            }
            default:
                Fail("unknown escape \\" + std::string(1, c));
        }
    }

    std::string_view FLine;
    const std::string& FFile;
    int FNumber;
    int64_t FMinId, FMaxId;
    size_t FPos = 0;
};

}  // namespace

std::vector<NumberedText> ParseNumberedTexts(std::string_view Text, const std::string& FileName,
                                             int64_t MinId, int64_t MaxId) {
    if (Text.starts_with(kByteOrderMark)) Text.remove_prefix(kByteOrderMark.size());
    std::vector<NumberedText> entries;
    int number = 0;
    while (!Text.empty()) {
        ++number;
        const size_t end = Text.find('\n');
        std::string_view line = Text.substr(0, end);
        Text.remove_prefix(end == std::string_view::npos ? Text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        // Comments too: a file that is not UTF-8 is wrong as a whole, not just where text is read.
        if (!IsValidUtf8(line)) throw ResourceError(FileName, number, "invalid UTF-8");
        if (auto entry = LineParser(line, FileName, number, MinId, MaxId).Parse())
            entries.push_back(std::move(*entry));
    }
    return entries;
}

}  // namespace vex::rescomp
