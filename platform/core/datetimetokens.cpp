#include "platform/core/datetimetokens.h"

#include "platform/core/stringutils.h"

namespace vex {

namespace {

char UpCase(char C) {
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C;
}

bool IsLetter(char C) {
    const char up = UpCase(C);
    return up >= 'A' && up <= 'Z';
}

bool StartsWithText(std::string_view S, size_t At, std::string_view Prefix) {
    return S.size() - At >= Prefix.size() && SameText(S.substr(At, Prefix.size()), Prefix);
}

// The am/pm spellings, longest first so "am/pm" is not read as "a" and text.
size_t AmPmLength(std::string_view S, size_t At) {
    for (std::string_view form : {"am/pm", "ampm", "a/p"})
        if (StartsWithText(S, At, form)) return form.size();
    return 0;
}

bool IsQuote(char C) {
    return C == '\'' || C == '"';
}

// Characters that stand for themselves and carry on a run of text.
bool IsPlainText(char C) {
    return !IsLetter(C) && !IsQuote(C) && C != '/' && C != ':';
}

}  // namespace

bool TDateTimeTokenizer::AmPmFollows(size_t From) const {
    for (size_t i = From; i < FFormat.size();) {
        const char c = UpCase(FFormat[i]);
        if (IsQuote(c)) {
            const size_t close = FFormat.find(FFormat[i], i + 1);
            i = close == std::string_view::npos ? FFormat.size() : close + 1;
            continue;
        }
        if (c == 'H') return false;
        if (c == 'A' && AmPmLength(FFormat, i) != 0) return true;
        ++i;
    }
    return false;
}

bool TDateTimeTokenizer::Next(TDateTimeToken& Token) {
    if (FPos >= FFormat.size()) return false;
    const size_t at = FPos;
    const char first = FFormat[at];
    char letter = UpCase(first);
    size_t count = 1;
    Token = {};
    if (IsLetter(first)) {
        // The look-behind is one letter deep: "h:m" is minutes, "h x m" a month.
        if (letter == 'M' && FLastLetter == 'H') letter = 'N';
        FLastLetter = letter;
        while (at + count < FFormat.size() && UpCase(FFormat[at + count]) == UpCase(first))
            ++count;
    }
    const auto digits = [&](uint8_t Padded) { return count == 1 ? uint8_t{1} : Padded; };
    switch (letter) {
        case 'Y':
            Token.Kind = TDateTimeTokenKind::Year;
            Token.Width = count <= 2 ? 2 : 4;
            break;
        case 'M':
            Token.Kind = count <= 2 ? TDateTimeTokenKind::Month : TDateTimeTokenKind::MonthName;
            Token.Width = static_cast<uint8_t>(count <= 4 ? count : 4);
            break;
        case 'D':
            Token.Kind = count <= 2   ? TDateTimeTokenKind::Day
                         : count <= 4 ? TDateTimeTokenKind::DayName
                         : count == 5 ? TDateTimeTokenKind::ShortDate
                                      : TDateTimeTokenKind::LongDate;
            Token.Width = static_cast<uint8_t>(count <= 4 ? count : 1);
            break;
        case 'H':
            Token.Kind = TDateTimeTokenKind::Hour;
            Token.Width = digits(2);
            Token.TwelveHour = AmPmFollows(at + count);
            break;
        case 'N':
            Token.Kind = TDateTimeTokenKind::Minute;
            Token.Width = digits(2);
            break;
        case 'S':
            Token.Kind = TDateTimeTokenKind::Second;
            Token.Width = digits(2);
            break;
        case 'Z':
            Token.Kind = TDateTimeTokenKind::MSec;
            Token.Width = digits(3);
            break;
        case 'T':
            Token.Kind = count == 1 ? TDateTimeTokenKind::ShortTime : TDateTimeTokenKind::LongTime;
            break;
        case 'C':
            Token.Kind = TDateTimeTokenKind::DateAndTime;
            break;
        case 'A':
            count = AmPmLength(FFormat, at);
            if (count != 0)
                Token.Kind = TDateTimeTokenKind::AmPm;
            else
                count = 1;
            break;
        case '/':
            Token.Kind = TDateTimeTokenKind::DateSeparator;
            break;
        case ':':
            Token.Kind = TDateTimeTokenKind::TimeSeparator;
            break;
        case '\'':
        case '"': {
            const size_t close = FFormat.find(first, at + 1);
            const size_t end = close == std::string_view::npos ? FFormat.size() : close;
            Token.Source = FFormat.substr(at + 1, end - at - 1);
            FPos = end == FFormat.size() ? end : end + 1;
            return true;
        }
        default:
            // Other letters are text one by one (each is a letter the look-behind saw); other
            // characters run together.
            if (!IsLetter(first))
                while (at + count < FFormat.size() && IsPlainText(FFormat[at + count]))
                    ++count;
            break;
    }
    Token.Source = FFormat.substr(at, count);
    FPos = at + count;
    return true;
}

}  // namespace vex
