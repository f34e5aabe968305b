#include "components/entry/EsDateParse.h"

#include <algorithm>
#include <string_view>

#include "components/entry/EsUtil.h"
#include "components/entry/SRMgr.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

// The errors of a part, as the family's string table numbers them (less 12).
enum TPartError : int32_t {
    NoError = 0,
    InvalidDay = 20,
    InvalidMonth = 21,
    InvalidMonthName = 22,
    InvalidYear = 23,
    DayRequired = 24,
    MonthRequired = 25,
    YearRequired = 26
};
constexpr int32_t kInvalidDateId = 39;

bool IsTokenChar(char C) {
    return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z');
}

// The parts of an upper-cased text, taken one at a time: a part stays at the head until it is
// used, as a part left out leaves the next one for the following field.
class TTokenQueue {
public:
    explicit TTokenQueue(std::string_view Text) : FText(Text) { Advance(); }
    std::string_view Head() const { return FHead; }
    void Pop() { Advance(); }

private:
    void Advance() {
        while (FPos < FText.size() && !IsTokenChar(FText[FPos]))
            ++FPos;
        const size_t start = FPos;
        while (FPos < FText.size() && IsTokenChar(FText[FPos]))
            ++FPos;
        FHead = FText.substr(start, FPos - start);
    }

    std::string_view FText;
    size_t FPos = 0;
    std::string_view FHead;
};

// A decimal number of at most nine digits; false for anything else.
bool ToNumber(std::string_view Token, int32_t& Value) {
    Value = 0;
    if (Token.empty() || Token.size() > 9) return false;
    for (char c : Token) {
        if (c < '0' || c > '9') return false;
        Value = Value * 10 + (c - '0');
    }
    return true;
}

struct TParse {
    TTokenQueue Tokens;
    const TEsDateRules& Rules;
    uint16_t TodayYear, TodayMonth, TodayDay;
    int32_t Error = NoError;
    std::string Quoted;  // the part an error of 20 to 23 names

    // Takes the head as a number, or notes Failure; an empty head is 0 without an error.
    int32_t Number(int32_t Failure) {
        const std::string_view token = Tokens.Head();
        int32_t value = 0;
        if (token.empty() || ToNumber(token, value)) return value;
        Fail(Failure, token);
        return 0;
    }
    void Fail(int32_t Code, std::string_view Token) {
        Error = Code;
        Quoted = std::string(Token);
    }
    // A part of 0 is today's, or an error when it is required; any other value uses up the head.
    int32_t Settle(int32_t Value, TEsRequiredField Field, int32_t Required, int32_t Today) {
        if (Value != 0) {
            Tokens.Pop();
            return Value;
        }
        if (Rules.RequiredFields.Contains(Field)) {
            Error = Required;
            return 0;
        }
        return Today;
    }

    int32_t Day() {
        int32_t day = Number(InvalidDay);
        if (day < 1 || day > 31) day = 0;
        return Settle(day, rfDay, DayRequired, TodayDay);
    }

    int32_t Month() {
        const std::string_view token = Tokens.Head();
        int32_t month = 0;
        if (token.empty() || (token[0] >= '0' && token[0] <= '9')) {
            month = Number(InvalidMonth);
            if (month < 1 || month > 12) month = 0;
        } else {
            const std::string_view name = token.substr(0, 3);
            Fail(InvalidMonthName, name);
            const auto& names = FormatSettings().ShortMonthNames;
            for (int32_t m = 1; m <= 12 && month == 0; ++m)
                if (UpperCase(names[m - 1]).substr(0, name.size()) == name) month = m;
            if (month != 0) Error = NoError;
        }
        return Settle(month, rfMonth, MonthRequired, TodayMonth);
    }

    int32_t Year() {
        const bool given = !Tokens.Head().empty();
        int32_t year = Number(InvalidYear);
        if (given && Error == NoError && year < 100) {
            if (Rules.Epoch > 0) {
                const int64_t base = Rules.Epoch / 100 * 100;
                const int64_t widened = year + (year >= Rules.Epoch % 100 ? base : base + 100);
                // An epoch near the end of the numbers gives no year there is; 10000 is refused
                // as such.
                year = static_cast<int32_t>(std::min<int64_t>(widened, 10000));
            } else {
                year += CurrentCentury();
            }
        }
        return Settle(year, rfYear, YearRequired, TodayYear);
    }
};

[[noreturn]] void RaiseEsError(int32_t Id, const std::string& Quoted) {
    std::string message = ExtrasStringResource().GetAsString(Id);
    if (Id != 36 && Id != 37 && Id != 38) message += " \"" + Quoted + "\"";
    throw EEsError(message);
}

}  // namespace

TDateTime EsTextToDate(const std::string& Text, const TEsDateRules& Rules, TDateTime Today) {
    if (Text.empty() && !Rules.RequiredFields.Empty()) return 0;
    if (AnsiSameText(Text, Rules.TodayString)) return Today;

    const std::string upper = UpperCase(Text);
    TParse parse{TTokenQueue(upper), Rules, 0, 0, 0, NoError, {}};
    DecodeDate(Today, parse.TodayYear, parse.TodayMonth, parse.TodayDay);
    int32_t day = 0, month = 0, year = 0;
    static constexpr char kOrders[3][4] = {"MDY", "DMY", "YMD"};
    const char* order = kOrders[Rules.DateOrder >= 0 && Rules.DateOrder <= 2 ? Rules.DateOrder : 0];
    for (const char* part = order; *part != '\0' && parse.Error == NoError; ++part) {
        switch (*part) {
            case 'D':
                day = parse.Day();
                break;
            case 'M':
                month = parse.Month();
                break;
            default:
                year = parse.Year();
                break;
        }
    }
    if (parse.Error != NoError) {
        // An error of a part names that part, or the whole text when it had none.
        const std::string quoted = parse.Quoted.empty() ? upper : parse.Quoted;
        RaiseEsError(parse.Error + 12, quoted);
    }
    TDateTime date;
    if (year > 9999 || !TryEncodeDate(static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                                      static_cast<uint16_t>(day), date))
        RaiseEsError(kInvalidDateId, upper);
    return date;
}

std::string EsDateToText(TDateTime Date, bool ForceCentury) {
    std::string format = FormatSettings().ShortDateFormat;
    if (ForceCentury && format.find("yyyy") == std::string::npos) {
        const size_t at = format.find("yy");
        format.insert(at == std::string::npos ? 0 : at, "yy");
    }
    return FormatDateTime(format, Date);
}

}  // namespace vex
