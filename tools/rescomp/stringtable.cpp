#include "tools/rescomp/stringtable.h"

#include <cstdio>
#include <optional>

#include "tools/rescomp/resourceerror.h"
#include "tools/rescomp/textencoding.h"

namespace vex::rescomp {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr uint32_t kHighestId = 65535;

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
    LineParser(std::string_view Line, const std::string& File, int Number)
        : FLine(Line), FFile(File), FNumber(Number) {}

    std::optional<StringEntry> Parse() {
        SkipBlanks();
        if (AtEnd() || FLine[FPos] == '#') return std::nullopt;
        const uint16_t id = ParseId();
        SkipBlanks();
        if (AtEnd() || FLine[FPos] != '"') Fail("expected a quoted text after the number");
        ++FPos;
        std::string text = ParseText();
        SkipBlanks();
        if (!AtEnd()) Fail("unexpected text after the closing quote");
        return StringEntry{id, std::move(text), FNumber};
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

    uint16_t ParseId() {
        if (!IsDigit(FLine[FPos])) Fail("expected a string number from 0 to 65535");
        const size_t start = FPos;
        uint32_t value = 0;
        while (!AtEnd() && IsDigit(FLine[FPos])) {
            // Saturates, so a long run of digits still reads as out of range.
            if (value <= kHighestId) value = value * 10 + static_cast<uint32_t>(FLine[FPos] - '0');
            ++FPos;
        }
        if (value > kHighestId) {
            Fail("string number " + std::string(FLine.substr(start, FPos - start)) +
                 " is outside 0 to 65535");
        }
        return static_cast<uint16_t>(value);
    }

    std::string ParseText() {
        std::string text;
        while (!AtEnd()) {
            const char c = FLine[FPos];
            if (c == '"') {
                ++FPos;
                return text;
            }
            if (c == '\\') {
                text += ParseEscape();
            } else if (static_cast<unsigned char>(c) < 0x80) {
                text += c;
                ++FPos;
            } else {
                text += static_cast<char>(ParseNonAscii());
            }
        }
        Fail("missing closing quote");
    }

    char ParseEscape() {
        ++FPos;
        if (AtEnd()) Fail("escape at the end of the line");
        const char c = FLine[FPos++];
        switch (c) {
            case '"':
            case '\\':
                return c;
            case 'n':
                return '\n';
            case 'r':
                return '\r';
            case 't':
                return '\t';
            case 'x': {
                const auto high = FPos < FLine.size() ? HexDigit(FLine[FPos]) : std::nullopt;
                const auto low = FPos + 1 < FLine.size() ? HexDigit(FLine[FPos + 1]) : std::nullopt;
                if (!high || !low) Fail("\\x needs two hexadecimal digits");
                FPos += 2;
                return static_cast<char>(*high * 16 + *low);
            }
            default:
                Fail("unknown escape \\" + std::string(1, c));
        }
    }

    uint8_t ParseNonAscii() {
        const auto decoded = DecodeUtf8(FLine, FPos);
        if (!decoded) Fail("invalid UTF-8");
        const auto byte = UnicodeTo1252(*decoded);
        if (!byte) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*decoded));
            Fail(std::string("character ") + code + " has no Windows-1252 form");
        }
        return *byte;
    }

    std::string_view FLine;
    const std::string& FFile;
    int FNumber;
    size_t FPos = 0;
};

}  // namespace

std::vector<StringEntry> ParseStringTable(std::string_view Text, const std::string& FileName) {
    if (Text.starts_with(kByteOrderMark)) Text.remove_prefix(kByteOrderMark.size());
    std::vector<StringEntry> entries;
    int number = 0;
    while (!Text.empty()) {
        ++number;
        const size_t end = Text.find('\n');
        std::string_view line = Text.substr(0, end);
        Text.remove_prefix(end == std::string_view::npos ? Text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        // Comments too: a file that is not UTF-8 is wrong as a whole, not just where text is read.
        if (!IsValidUtf8(line)) throw ResourceError(FileName, number, "invalid UTF-8");
        if (auto entry = LineParser(line, FileName, number).Parse()) {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

}  // namespace vex::rescomp
