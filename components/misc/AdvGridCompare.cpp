#include "components/misc/AdvGridCompare.h"

#include <algorithm>
#include <string_view>

#include "platform/core/datetime.h"
#include "platform/core/format.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

template <typename T>
int32_t Order(T A, T B) {
    return (A > B) - (A < B);
}

int32_t CompareBytes(const std::string& A, const std::string& B) {
    return Order(A.compare(B), 0);
}

// Only a to z change: the other letters of the code page keep their place.
unsigned char AsciiUpper(char C) {
    return static_cast<unsigned char>(C >= 'a' && C <= 'z' ? C - ('a' - 'A') : C);
}

int32_t CompareBytesNoCase(const std::string& A, const std::string& B) {
    const size_t common = std::min(A.size(), B.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char a = AsciiUpper(A[i]);
        const unsigned char b = AsciiUpper(B[i]);
        if (a != b) return Order(a, b);
    }
    return Order(A.size(), B.size());
}

void EraseFirst(std::string& Text, const std::string& Part) {
    if (Part.empty()) return;
    const size_t at = Text.find(Part);
    if (at != std::string::npos) Text.erase(at, Part.size());
}

void EraseEvery(std::string& Text, const std::string& Part) {
    if (Part.empty()) return;
    for (size_t at = Text.find(Part); at != std::string::npos; at = Text.find(Part, at))
        Text.erase(at, Part.size());
}

enum class TNumberText { Empty, Number, NotANumber };

// The number a cell shows once its prefix, suffix and (for money) its thousands separators and
// currency text are taken off.
TNumberText ReadNumber(const std::string& Text, bool Money, const std::string& Prefix,
                       const std::string& Suffix, double& Value) {
    std::string stripped;
    const std::string* number = &Text;
    if (Money || !Prefix.empty() || !Suffix.empty()) {
        stripped = Text;
        EraseFirst(stripped, Suffix);
        EraseFirst(stripped, Prefix);
        if (Money) {
            const TFormatSettings& settings = FormatSettings();
            std::erase(stripped, settings.ThousandSeparator);
            EraseEvery(stripped, settings.CurrencyString);
        }
        number = &stripped;
    }
    Value = 0;
    if (number->empty()) return TNumberText::Empty;
    return TryStrToFloat(*number, Value) ? TNumberText::Number : TNumberText::NotANumber;
}

int32_t CompareNumbers(const std::string& A, const std::string& B, bool Money,
                       const std::string& Prefix, const std::string& Suffix) {
    double a = 0;
    double b = 0;
    // A cell of words has no place among numbers: it stays where it is, and the next column
    // decides.
    if (ReadNumber(A, Money, Prefix, Suffix, a) == TNumberText::NotANumber ||
        ReadNumber(B, Money, Prefix, Suffix, b) == TNumberText::NotANumber)
        return 0;
    return Order(a, b);
}

double ReadShortDate(const std::string& Text) {
    TDateTime date = 0;
    return TryStrToDate(Text, date) ? date : 0;
}

// Splits Rest at its first '-', or else its first '/', or else its first '.'.
bool SplitDatePart(std::string_view& Rest, int32_t& Number) {
    size_t at = std::string_view::npos;
    for (const char separator : {'-', '/', '.'}) {
        at = Rest.find(separator);
        if (at != std::string_view::npos) break;
    }
    if (at == std::string_view::npos) return false;
    const bool read = TryStrToInt(std::string(Rest.substr(0, at)), Number);
    Rest.remove_prefix(at + 1);
    return read;
}

// The date a day-month-year (DayFirst) or month-day-year text stands for, 0 for none.
double ParseSortDate(const std::string& Text, bool DayFirst) {
    std::string_view rest = Text;
    int32_t first = 0;
    int32_t second = 0;
    int32_t year = 0;
    if (!SplitDatePart(rest, first) || !SplitDatePart(rest, second) ||
        !TryStrToInt(std::string(rest), year) || year < 0)
        return 0;
    // Two-digit years only: a year written in full is the year it says.
    if (year < 26)
        year += 2000;
    else if (year < 100)
        year += 1900;
    const int32_t day = DayFirst ? first : second;
    const int32_t month = DayFirst ? second : first;
    // Checked before narrowing, so 65537 is no day 1.
    if (day < 1 || day > 31 || month < 1 || month > 12 || year > 9999) return 0;
    TDateTime date = 0;
    return TryEncodeDate(static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                         static_cast<uint16_t>(day), date)
               ? date
               : 0;
}

}  // namespace

int32_t CompareCellTexts(TSortStyle Style, const std::string& A, const std::string& B,
                         const std::string& Prefix, const std::string& Suffix) {
    switch (Style) {
        case ssNumber:
        case ssMoney:
            return CompareNumbers(A, B, Style == ssMoney, Prefix, Suffix);
        case ssDate:
            return Order(ReadShortDate(A), ReadShortDate(B));
        case ssDateDMY:
        case ssDateMDY:
            return Order(ParseSortDate(A, Style == ssDateDMY),
                         ParseSortDate(B, Style == ssDateDMY));
        case ssTextNoCase:
            return CompareBytesNoCase(A, B);
        case ssByEvent:
            return 0;
        case ssNoCompare:
        case ssText:
        case ssTextSame:
            break;
    }
    return CompareBytes(A, B);
}

}  // namespace vex
