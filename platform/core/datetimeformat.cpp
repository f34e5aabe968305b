#include <array>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/core/datetimeformat.h"
#include "platform/core/datetimetokens.h"
#include "platform/core/formatsettings.h"

namespace vex {

namespace {

using TNestedFormats =
    std::array<std::shared_ptr<const TDateTimeFormat::TRead>, TDateTimeFormat::SettingsFormats>;

// A self-referencing format (ShortDateFormat = "ddddd") stops expanding at this depth.
constexpr int MaxFormatNesting = 2;

// Writes one value through any number of formats. The value is taken apart once, when the
// formatter is made, so a value outside years 1 to 9999 fails whatever the format shows; the
// calendar date is worked out only when a format asks for it.
class TDateTimeFormatter {
public:
    TDateTimeFormatter(TDateTime Value, std::vector<TDateTimeSpan>* Fields)
        : FParts(SplitDateTime(Value)), FFields(Fields), FSettings(FormatSettings()) {
        Result.reserve(64);
    }

    void Append(std::string_view Format, int Depth);
    void Append(const std::vector<TDateTimeToken>& Tokens, int Depth);
    std::string Result;
    // The settings' formats already read, each used while the settings still hold it.
    const TNestedFormats* Nested = nullptr;

private:
    void AppendPart(const TDateTimeToken& Token, int Depth);
    void AppendToken(const TDateTimeToken& Token, int Depth);
    void AppendNumber(uint32_t Value, uint8_t Width);
    void AppendNested(TDateTimeTokenKind Kind, int Depth);
    void Decode() {
        if (FYear == 0) DecodeDateFully(FParts.Day, FYear, FMonth, FDay, FWeekDay);
    }
    int32_t Hour() const { return FParts.MSec / 3600000; }

    TDateTimeParts FParts;
    std::vector<TDateTimeSpan>* FFields;
    const TFormatSettings& FSettings;
    uint16_t FYear = 0, FMonth = 0, FDay = 0, FWeekDay = 0;
};

bool IsField(TDateTimeTokenKind Kind) {
    switch (Kind) {
        case TDateTimeTokenKind::Text:
        case TDateTimeTokenKind::DateSeparator:
        case TDateTimeTokenKind::TimeSeparator:
        case TDateTimeTokenKind::ShortDate:
        case TDateTimeTokenKind::LongDate:
        case TDateTimeTokenKind::ShortTime:
        case TDateTimeTokenKind::LongTime:
        case TDateTimeTokenKind::DateAndTime:
            return false;
        default:
            return true;
    }
}

size_t NestedIndex(TDateTimeTokenKind Kind) {
    return static_cast<size_t>(Kind) - static_cast<size_t>(TDateTimeTokenKind::ShortDate);
}

// The settings' format a token names; Kind is ShortDate to LongTime.
const std::string& SettingsFormat(const TFormatSettings& Settings, TDateTimeTokenKind Kind) {
    switch (Kind) {
        case TDateTimeTokenKind::ShortDate:
            return Settings.ShortDateFormat;
        case TDateTimeTokenKind::LongDate:
            return Settings.LongDateFormat;
        case TDateTimeTokenKind::ShortTime:
            return Settings.ShortTimeFormat;
        default:
            return Settings.LongTimeFormat;
    }
}

void TDateTimeFormatter::Append(std::string_view Format, int Depth) {
    TDateTimeTokenizer tokens(Format);
    for (TDateTimeToken token; tokens.Next(token);)
        AppendPart(token, Depth);
}

void TDateTimeFormatter::Append(const std::vector<TDateTimeToken>& Tokens, int Depth) {
    for (const TDateTimeToken& token : Tokens)
        AppendPart(token, Depth);
}

void TDateTimeFormatter::AppendPart(const TDateTimeToken& Token, int Depth) {
    const size_t start = Result.size();
    AppendToken(Token, Depth);
    if (FFields && IsField(Token.Kind))
        FFields->push_back(
            {Token.Kind, Token.Width, Token.TwelveHour, start, Result.size() - start});
}

void TDateTimeFormatter::AppendNested(TDateTimeTokenKind Kind, int Depth) {
    if (Depth >= MaxFormatNesting) return;
    const std::string& format = SettingsFormat(FSettings, Kind);
    const TDateTimeFormat::TRead* read = Nested ? (*Nested)[NestedIndex(Kind)].get() : nullptr;
    if (read != nullptr && read->Format == format)
        Append(read->Tokens, Depth + 1);
    else
        Append(format, Depth + 1);
}

void TDateTimeFormatter::AppendNumber(uint32_t Value, uint8_t Width) {
    // Written backwards from the end, padded, then appended in one piece.
    char digits[std::numeric_limits<uint8_t>::max() + 10];
    char* const end = digits + sizeof digits;
    char* first = end;
    do {
        *--first = static_cast<char>('0' + Value % 10);
        Value /= 10;
    } while (Value != 0);
    while (end - first < Width)
        *--first = '0';
    Result.append(first, end);
}

void TDateTimeFormatter::AppendToken(const TDateTimeToken& Token, int Depth) {
    const TFormatSettings& fs = FSettings;
    switch (Token.Kind) {
        case TDateTimeTokenKind::Text:
            Result += Token.Source;
            break;
        case TDateTimeTokenKind::DateSeparator:
            Result += fs.DateSeparator;
            break;
        case TDateTimeTokenKind::TimeSeparator:
            Result += fs.TimeSeparator;
            break;
        case TDateTimeTokenKind::Year:
            Decode();
            AppendNumber(Token.Width == 2 ? FYear % 100 : FYear, Token.Width);
            break;
        case TDateTimeTokenKind::Month:
            Decode();
            AppendNumber(FMonth, Token.Width);
            break;
        case TDateTimeTokenKind::MonthName:
            Decode();
            Result += (Token.Width == 3 ? fs.ShortMonthNames : fs.LongMonthNames)[FMonth - 1];
            break;
        case TDateTimeTokenKind::Day:
            Decode();
            AppendNumber(FDay, Token.Width);
            break;
        case TDateTimeTokenKind::DayName:
            Decode();
            Result += (Token.Width == 3 ? fs.ShortDayNames : fs.LongDayNames)[FWeekDay - 1];
            break;
        case TDateTimeTokenKind::Hour: {
            uint32_t hour = static_cast<uint32_t>(Hour());
            if (Token.TwelveHour) {
                hour %= 12;
                if (hour == 0) hour = 12;
            }
            AppendNumber(hour, Token.Width);
            break;
        }
        case TDateTimeTokenKind::Minute:
            AppendNumber(static_cast<uint32_t>(FParts.MSec / 60000 % 60), Token.Width);
            break;
        case TDateTimeTokenKind::Second:
            AppendNumber(static_cast<uint32_t>(FParts.MSec / 1000 % 60), Token.Width);
            break;
        case TDateTimeTokenKind::MSec:
            AppendNumber(static_cast<uint32_t>(FParts.MSec % 1000), Token.Width);
            break;
        case TDateTimeTokenKind::AmPm: {
            const bool pm = Hour() >= 12;
            const std::string_view s = Token.Source;
            if (s.size() == 5)
                Result += s.substr(pm ? 3 : 0, 2);  // "am/pm" as written
            else if (s.size() == 3)
                Result += s[pm ? 2 : 0];  // "a/p" as written
            else
                Result += pm ? fs.TimePMString : fs.TimeAMString;
            break;
        }
        case TDateTimeTokenKind::ShortDate:
        case TDateTimeTokenKind::LongDate:
        case TDateTimeTokenKind::ShortTime:
        case TDateTimeTokenKind::LongTime:
            AppendNested(Token.Kind, Depth);
            break;
        case TDateTimeTokenKind::DateAndTime:
            AppendNested(TDateTimeTokenKind::ShortDate, Depth);
            if (FParts.MSec / 1000 != 0) {
                Result += ' ';
                AppendNested(TDateTimeTokenKind::LongTime, Depth);
            }
            break;
    }
}

std::string_view OrDefault(std::string_view Format) {
    return Format.empty() ? std::string_view("c") : Format;
}

}  // namespace

std::string FormatDateTime(const std::string& Format, TDateTime DateTime) {
    TDateTimeFormatter formatter(DateTime, nullptr);
    formatter.Append(OrDefault(Format), 0);
    return std::move(formatter.Result);
}

std::string FormatDateTimeSpans(std::string_view Format, TDateTime DateTime,
                                std::vector<TDateTimeSpan>& Fields) {
    Fields.clear();
    TDateTimeFormatter formatter(DateTime, &Fields);
    formatter.Append(OrDefault(Format), 0);
    return std::move(formatter.Result);
}

TDateTimeFormat::TRead::TRead(std::string AFormat) : Format(std::move(AFormat)) {
    TDateTimeTokenizer tokens(Format);
    for (TDateTimeToken token; tokens.Next(token);)
        Tokens.push_back(token);
}

TDateTimeFormat::TDateTimeFormat(const std::string& Format)
    : FFormat(Format), FMain(std::make_shared<const TRead>(std::string(OrDefault(Format)))) {
    ReadNested(*FMain);
}

void TDateTimeFormat::ReadNested(const TRead& Read) {
    for (const TDateTimeToken& token : Read.Tokens) {
        if (token.Kind == TDateTimeTokenKind::DateAndTime) {
            ReadNestedKind(TDateTimeTokenKind::ShortDate);
            ReadNestedKind(TDateTimeTokenKind::LongTime);
        } else if (token.Kind >= TDateTimeTokenKind::ShortDate) {
            ReadNestedKind(token.Kind);
        }
    }
}

void TDateTimeFormat::ReadNestedKind(TDateTimeTokenKind Kind) {
    std::shared_ptr<const TRead>& nested = FNested[NestedIndex(Kind)];
    if (nested != nullptr) return;
    nested = std::make_shared<const TRead>(SettingsFormat(FormatSettings(), Kind));
    ReadNested(*nested);
}

std::string TDateTimeFormat::Write(TDateTime Value) const {
    TDateTimeFormatter formatter(Value, nullptr);
    formatter.Nested = &FNested;
    formatter.Append(FMain->Tokens, 0);
    return std::move(formatter.Result);
}

std::string DateToStr(TDateTime DateTime) {
    return FormatDateTime("ddddd", DateTime);
}

std::string TimeToStr(TDateTime DateTime) {
    return FormatDateTime("tt", DateTime);
}

std::string DateTimeToStr(TDateTime DateTime) {
    return FormatDateTime("c", DateTime);
}

}  // namespace vex
