#include "dataaware/data/wwSystem.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/core/datetime.h"
#include "platform/core/format.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stringutils.h"

namespace vex {
namespace {

enum class TwwDateOrder { MDY, DMY, YMD };

// The first D, M or Y of the short date format; a format without any reads month first.
TwwDateOrder DateOrder() {
    for (char c : FormatSettings().ShortDateFormat) {
        switch (c) {
            case 'D':
            case 'd':
                return TwwDateOrder::DMY;
            case 'M':
            case 'm':
                return TwwDateOrder::MDY;
            case 'Y':
            case 'y':
                return TwwDateOrder::YMD;
            default:
                break;
        }
    }
    return TwwDateOrder::MDY;
}

// Walks a text from a 0-based position; every primitive skips blanks first and moves on only
// over what it took.
class TwwTextScanner {
public:
    TwwTextScanner(std::string_view Text, size_t Pos) : FText(Text), FPos(Pos) {}

    size_t Position() const { return FPos; }

    void SkipBlanks() {
        while (FPos < FText.size() && FText[FPos] == ' ')
            ++FPos;
    }

    bool ScanChar(char C) {
        SkipBlanks();
        if (FPos >= FText.size() || FText[FPos] != C) return false;
        ++FPos;
        return true;
    }

    bool ScanWord(std::string_view Word) {
        SkipBlanks();
        if (Word.empty() || !AnsiSameText(FText.substr(FPos, Word.size()), Word)) return false;
        FPos += Word.size();
        return true;
    }

    // Digits while the value is below 1000, so a run of them stops after four significant ones;
    // else a short month name, as its number.
    bool ScanNumber(int32_t& Number) {
        SkipBlanks();
        Number = 0;
        size_t digits = 0;
        while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9' && Number < 1000) {
            Number = Number * 10 + (FText[FPos++] - '0');
            ++digits;
        }
        if (digits > 0) return true;
        const std::string_view head = FText.substr(std::min(FPos, FText.size()), 3);
        const std::string upperHead = AnsiUpperCase(head);
        const auto& names = FormatSettings().ShortMonthNames;
        for (size_t m = 0; m < names.size(); ++m) {
            if (!names[m].empty() && upperHead == AnsiUpperCase(names[m])) {
                Number = static_cast<int32_t>(m + 1);
                FPos += head.size();
                return true;
            }
        }
        return false;
    }

private:
    std::string_view FText;
    size_t FPos;
};

bool ScanDateAt(TwwTextScanner& Scanner, TDateTime& Date) {
    const char separator = FormatSettings().DateSeparator;
    const TwwDateOrder order = DateOrder();
    int32_t first, second, third;
    if (!Scanner.ScanNumber(first) || !Scanner.ScanChar(separator) || !Scanner.ScanNumber(second))
        return false;
    // Two parts are a day and a month in the order of the format, of the current year.
    int32_t year = 0, month = first, day = second;
    if (order == TwwDateOrder::DMY) std::swap(month, day);
    if (Scanner.ScanChar(separator)) {
        if (!Scanner.ScanNumber(third)) return false;
        if (order == TwwDateOrder::YMD) {
            year = first;
            month = second;
            day = third;
        } else {
            year = third;
        }
        if (year <= 99) {
            year += wwEpochYear / 100 * 100;
            if (year < wwEpochYear) year += 100;
        }
    } else {
        year = wwCurrentYear();
    }
    Scanner.SkipBlanks();
    // Each part is at most 9999.
    return TryEncodeDate(static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                         static_cast<uint16_t>(day), Date);
}

bool ScanTimeAt(TwwTextScanner& Scanner, TDateTime& Time) {
    const TFormatSettings& fs = FormatSettings();
    int32_t hour, minute, second = 0;
    if (!Scanner.ScanNumber(hour) || !Scanner.ScanChar(fs.TimeSeparator) ||
        !Scanner.ScanNumber(minute))
        return false;
    if (Scanner.ScanChar(fs.TimeSeparator) && !Scanner.ScanNumber(second)) return false;
    int32_t offset = -1;
    if (Scanner.ScanWord(fs.TimeAMString) || Scanner.ScanWord("AM"))
        offset = 0;
    else if (Scanner.ScanWord(fs.TimePMString) || Scanner.ScanWord("PM"))
        offset = 12;
    if (offset >= 0) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + offset;
    }
    Scanner.SkipBlanks();
    return TryEncodeTime(static_cast<uint16_t>(hour), static_cast<uint16_t>(minute),
                         static_cast<uint16_t>(second), 0, Time);
}

// Runs Scan from the 1-based Pos and moves Pos only when it succeeds.
template <class F>
bool ScanFrom(std::string_view Text, int32_t& Pos, TDateTime& Value, F Scan) {
    if (Pos < 1) return false;
    TwwTextScanner scanner(Text, static_cast<size_t>(Pos) - 1);
    TDateTime value;
    if (!Scan(scanner, value)) return false;
    Value = value;
    Pos = static_cast<int32_t>(scanner.Position() + 1);
    return true;
}

bool AtEnd(std::string_view Text, int32_t Pos) {
    return static_cast<size_t>(Pos) > Text.size();
}

int32_t CountBefore(std::string_view Text, size_t From, size_t Caret, char C, size_t& Last) {
    int32_t count = 0;
    for (size_t i = From; i < Caret; ++i) {
        if (Text[i] == C) {
            ++count;
            Last = i;
        }
    }
    return count;
}

// The time part of Text starts at From.
int32_t TimePartFrom(size_t Caret, std::string_view Text, size_t From) {
    size_t opening = 0;
    const int32_t pieces = CountBefore(Text, From, Caret, FormatSettings().TimeSeparator, opening);
    if (pieces == 0) return wwPartHour;
    if (pieces == 1) return wwPartMinute;
    if (pieces == 2 && Caret - opening - 1 > 2) return wwPartAmPm;
    return wwPartSecond;
}

size_t ClampCaret(int32_t Caret, std::string_view Text) {
    return Caret < 0 ? 0 : std::min(static_cast<size_t>(Caret), Text.size());
}

}  // namespace

bool wwScanDate(std::string_view Text, int32_t& Pos, TDateTime& Date) {
    return ScanFrom(Text, Pos, Date, ScanDateAt);
}

bool wwScanTime(std::string_view Text, int32_t& Pos, TDateTime& Time) {
    return ScanFrom(Text, Pos, Time, ScanTimeAt);
}

bool wwStrIsDate(std::string_view Text, TDateTime& Date) {
    int32_t pos = 1;
    return wwScanDate(Text, pos, Date);
}

bool wwIsValidDate(std::string_view Text) {
    int32_t pos = 1;
    TDateTime date;
    return wwScanDate(Text, pos, date) && AtEnd(Text, pos);
}

TDateTime wwStrToDateTime(std::string_view Text) {
    int32_t pos = 1;
    TDateTime date, time;
    if (!wwScanDate(Text, pos, date) || !wwScanTime(Text, pos, time) || !AtEnd(Text, pos)) return 0;
    return ComposeDateTime(date, time);
}

TDateTime wwStrToDate(std::string_view Text) {
    TDateTime date;
    return wwStrIsDate(Text, date) ? date : 0;
}

TDateTime wwStrToTime(std::string_view Text) {
    int32_t pos = 1;
    TDateTime time;
    return wwScanTime(Text, pos, time) && AtEnd(Text, pos) ? time : 0;
}

bool wwIsValidNumber(std::string_view Text) {
    double value;
    return Text.empty() || TryStrToFloat(std::string(Text), value);
}

int32_t wwDateTimePartAt(int32_t Caret, std::string_view Text, bool TimeOnly) {
    const size_t caret = ClampCaret(Caret, Text);
    size_t timeFrom = 0;
    int32_t pos = 1;
    TDateTime date;
    if (!TimeOnly && wwScanDate(Text, pos, date)) {
        size_t dateEnd = static_cast<size_t>(pos) - 1;
        while (dateEnd > 0 && Text[dateEnd - 1] == ' ')
            --dateEnd;
        if (caret <= dateEnd) {
            size_t last = 0;
            const int32_t piece =
                std::min(CountBefore(Text, 0, caret, FormatSettings().DateSeparator, last), 2);
            static constexpr int32_t Parts[3][3] = {{wwPartMonth, wwPartDay, wwPartYear},
                                                    {wwPartDay, wwPartMonth, wwPartYear},
                                                    {wwPartYear, wwPartMonth, wwPartDay}};
            return Parts[static_cast<int>(DateOrder())][piece];
        }
        timeFrom = dateEnd;
    }
    return TimePartFrom(caret, Text, timeFrom);
}

int32_t wwTimePartAt(int32_t Caret, std::string_view Text) {
    return TimePartFrom(ClampCaret(Caret, Text), Text, 0);
}

bool wwIsLeapYear(int32_t Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int32_t wwCurrentYear() {
    uint16_t year, month, day;
    DecodeDate(Date(), year, month, day);
    return year;
}

}  // namespace vex
