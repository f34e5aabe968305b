#include "net/maildate.h"

#include <algorithm>
#include <string_view>

#include "net/headerwords.h"
#include "platform/core/datetime.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::string_view MonthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                           "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}
bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

// A cursor over the upper-cased text that never steps past its end.
class TDateScanner {
public:
    explicit TDateScanner(std::string_view S) : FS(S) {}

    void SkipToDigit() {
        while (FPos < FS.size() && !IsDigit(FS[FPos]))
            ++FPos;
    }
    void SkipBlanks() {
        while (FPos < FS.size() && IsBlank(FS[FPos]))
            ++FPos;
    }
    // The characters up to the next blank (or comma, when asked), without a trailing comma.
    std::string_view Token(bool StopAtComma) {
        std::size_t start = FPos;
        while (FPos < FS.size() && !IsBlank(FS[FPos]) && !(StopAtComma && FS[FPos] == ','))
            ++FPos;
        std::string_view token = FS.substr(start, FPos - start);
        if (FPos < FS.size() && FS[FPos] == ',') ++FPos;
        if (!token.empty() && token.back() == ',') token.remove_suffix(1);
        return token;
    }
    char Peek() const { return FPos < FS.size() ? FS[FPos] : '\0'; }
    std::string_view Rest() const { return FS.substr(FPos); }
    void Advance(std::size_t Count) { FPos = std::min(FS.size(), FPos + Count); }

private:
    std::string_view FS;
    std::size_t FPos = 0;
};

// A whole token of decimal digits; -1 otherwise (or when it is too long to be a day or year).
int32_t DecimalValue(std::string_view Token) {
    if (Token.empty() || Token.size() > 9) return -1;
    int32_t value = 0;
    for (char c : Token) {
        if (!IsDigit(c)) return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int32_t MonthOfWord(std::string_view Word) {
    for (int32_t m = 0; m < 12; ++m)
        if (Word.substr(0, 3) == MonthNames[m]) return m + 1;
    return 0;
}

// The month is the word after the day. When that word is no month name, the first name of
// the table found anywhere in the rest is taken, and the scan continues after it.
int32_t ScanMonth(TDateScanner& Scanner) {
    Scanner.SkipBlanks();
    std::string_view rest = Scanner.Rest();
    std::size_t wordEnd = 0;
    while (wordEnd < rest.size() && !IsBlank(rest[wordEnd]) && !IsDigit(rest[wordEnd]))
        ++wordEnd;
    if (int32_t month = MonthOfWord(rest.substr(0, wordEnd))) {
        Scanner.Advance(wordEnd);
        return month;
    }
    for (int32_t m = 0; m < 12; ++m) {
        std::size_t at = rest.find(MonthNames[m]);
        if (at != std::string_view::npos) {
            Scanner.Advance(at + MonthNames[m].size());
            return m + 1;
        }
    }
    return 0;
}

int32_t FullYear(int32_t Year) {
    if (Year <= 50) return Year + 2000;
    if (Year <= 99) return Year + 1900;
    return Year;
}

}  // namespace

void ParseMailDate(const std::string& Text, TDateTime& Date, std::string& Zone) {
    Date = 0;
    Zone.clear();
    const std::string s = AnsiUpperCase(Unquote(Text));
    TDateScanner scanner(s);

    scanner.SkipToDigit();
    const int32_t day = DecimalValue(scanner.Token(false));
    if (day < 1 || day > 31) return;
    const int32_t month = ScanMonth(scanner);
    if (month == 0) return;
    scanner.SkipToDigit();
    const int32_t year = DecimalValue(scanner.Token(true));
    if (year < 0 || FullYear(year) > 9999) return;

    TDateTime date;
    if (!TryEncodeDate(static_cast<uint16_t>(FullYear(year)), static_cast<uint16_t>(month),
                       static_cast<uint16_t>(day), date))
        return;

    // The time is optional in practice: a token that does not start with a digit is the zone.
    TDateTime time = 0;
    scanner.SkipBlanks();
    if (IsDigit(scanner.Peek())) {
        std::string_view token = scanner.Token(false);
        if (!TryStrToTime(std::string(token), time)) time = 0;
    }
    Date = ComposeDateTime(date, time);
    Zone = Trim(scanner.Rest());
}

}  // namespace vex
