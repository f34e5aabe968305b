#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/types.h"

namespace vex {

// What a piece of a date-time format stands for.
enum class TDateTimeTokenKind : uint8_t {
    Text,  // copied as it stands; quotes already taken off
    DateSeparator,
    TimeSeparator,
    Year,
    Month,
    MonthName,
    Day,
    DayName,
    Hour,
    Minute,
    Second,
    MSec,
    AmPm,
    // Formats of the settings, written where the token stands.
    ShortDate,
    LongDate,
    ShortTime,
    LongTime,
    DateAndTime,  // the short date, then the long time unless it is midnight
};

struct TDateTimeToken {
    TDateTimeTokenKind Kind = TDateTimeTokenKind::Text;
    // Numbers: 1 for as few digits as the value needs, else the digits to pad to. Names: 3 for
    // the short name, 4 for the long one.
    uint8_t Width = 1;
    // An hour counted 1 to 12 because an am/pm token follows it before the next hour.
    bool TwelveHour = false;
    // The characters of the format the token was read from; for Text the text without its
    // quotes. An AmPm token is "am/pm" or "a/p" as written (its letters are what it writes, in
    // their case) or "ampm" (the settings' strings).
    std::string_view Source;
};

// Reads a format's tokens in order, case-insensitively: y, m, d, h, n, s, z with their run
// lengths, t, c, am/pm, a/p, ampm, the separators / and :, quoted text ('...' or "...", an
// unclosed quote running to the end), and any other character as text. An "m" right after an
// hour (the last letter read was an h) stands for minutes. The format must outlive the reader.
class TDateTimeTokenizer {
public:
    explicit TDateTimeTokenizer(std::string_view Format) : FFormat(Format) {}

    // The next token; false at the end of the format.
    bool Next(TDateTimeToken& Token);

private:
    // Whether an am/pm token follows From before the next hour.
    bool AmPmFollows(size_t From) const;

    std::string_view FFormat;
    size_t FPos = 0;
    char FLastLetter = ' ';
};

// Where a part of a formatted date-time stands in its text, in bytes from 0, with the token's
// Kind, Width and TwelveHour. (Not a field: the data layer's date-time field shares the
// namespace.)
struct TDateTimeSpan {
    TDateTimeTokenKind Kind = TDateTimeTokenKind::Text;
    uint8_t Width = 1;
    bool TwelveHour = false;
    size_t Start = 0;
    size_t Length = 0;
};

// FormatDateTime, also listing where each part (not text or separators) stands in the text;
// parts of the settings' formats a token names are listed as parts of their own kinds.
std::string FormatDateTimeSpans(std::string_view Format, TDateTime DateTime,
                                std::vector<TDateTimeSpan>& Fields);

}  // namespace vex
