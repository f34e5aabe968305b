#include "components/entry/OvcIntl.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "components/entry/OvcStr.h"
#include "components/entry/OvcTexts.h"
#include "platform/core/formatsettings.h"
#include "platform/core/profile.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

// The room the settings always had; longer profile values are cut to it.
constexpr size_t MaxCurrencyLen = 5;
constexpr size_t MaxAMPMLen = 5;
constexpr size_t MaxCountryLen = 255;
constexpr size_t MaxShortDateLen = 29;
constexpr size_t MaxLongDateLen = 39;
constexpr size_t MaxLiteralLen = 6;

// More digits than this could not be a date or time field, and would overflow.
constexpr size_t MaxFieldDigits = 9;

const char* const IntlSection = "intl";

bool IsCapital(char C) {
    return C >= 'A' && C <= 'Z';
}

char LowerLetter(char C) {
    return IsCapital(C) ? char(C - 'A' + 'a') : C;
}

// The mask positions one letter stands on: the run around the occurrence found, its letters
// compared without regard to case, so "Hh" is one two-digit field.
struct TRun {
    size_t Start = 0;
    size_t Length = 0;
    size_t Found = 0;
};

TRun RunAround(std::string_view Mask, size_t Found, char Letter) {
    size_t start = Found;
    while (start > 0 && LowerLetter(Mask[start - 1]) == Letter)
        --start;
    size_t end = Found;
    while (end < Mask.size() && LowerLetter(Mask[end]) == Letter)
        ++end;
    return {start, end - start, Found};
}

// Writing a value looks for the lower-case letter first and takes the capital only when the
// lower-case one is absent.
bool FindMergeRun(std::string_view Mask, char Letter, TRun& Run) {
    size_t found = Mask.find(Letter);
    if (found == std::string_view::npos) found = Mask.find(UpCaseChar(Letter));
    if (found == std::string_view::npos) return false;
    Run = RunAround(Mask, found, Letter);
    return true;
}

// Reading a value takes whichever form of the letter comes first.
bool FindReadRun(std::string_view Mask, char Letter, TRun& Run) {
    for (size_t i = 0; i < Mask.size(); ++i) {
        if (LowerLetter(Mask[i]) == Letter) {
            Run = RunAround(Mask, i, Letter);
            return true;
        }
    }
    return false;
}

void MergeBlanks(std::string& Result, const TRun& Run) {
    std::fill_n(Result.begin() + Run.Start, Run.Length, ' ');
}

// Right-aligned digits, zeros or blanks to their left as each mask position asks; a run too
// short for the number shows its last digits. A negative value shows blanks.
void MergeNumber(std::string& Result, std::string_view Mask, char Letter, int32_t Value) {
    TRun run;
    if (!FindMergeRun(Mask, Letter, run)) return;
    if (Value < 0) {
        MergeBlanks(Result, run);
        return;
    }
    const std::string digits = IntToStr(Value);
    for (size_t j = 0; j < run.Length; ++j) {
        const size_t at = run.Start + run.Length - 1 - j;
        if (j < digits.size())
            Result[at] = digits[digits.size() - 1 - j];
        else
            Result[at] = IsCapital(Mask[at]) ? ' ' : '0';
    }
}

// Left-aligned, cut or blank-padded to the run.
void MergeText(std::string& Result, std::string_view Mask, char Letter, std::string_view Text) {
    TRun run;
    if (!FindMergeRun(Mask, Letter, run)) return;
    for (size_t j = 0; j < run.Length; ++j)
        Result[run.Start + j] = j < Text.size() ? Text[j] : ' ';
}

// A name is shown in capitals under a capital letter; nullptr (a value out of range) shows
// blanks.
void MergeName(std::string& Result, std::string_view Mask, char Letter, const std::string* Name) {
    TRun run;
    if (!FindMergeRun(Mask, Letter, run)) return;
    for (size_t j = 0; j < run.Length; ++j) {
        const size_t at = run.Start + j;
        const char c = Name && j < Name->size() ? (*Name)[j] : ' ';
        Result[at] = IsCapital(Mask[at]) ? UpCaseChar(c) : c;
    }
}

void ReplaceSeparator(std::string& Result, std::string_view Mask, char MaskChar, char Separator) {
    for (size_t i = 0; i < Mask.size(); ++i)
        if (Mask[i] == MaskChar) Result[i] = Separator;
}

// Drops the blanks that only pad: those under the blank-padded number letters and the names,
// and the blanks of a short AM/PM text together with the blank that separated it.
std::string Pack(std::string_view Result, std::string_view Mask) {
    static constexpr std::string_view dropped = "DHMNSWnw";
    std::string packed;
    packed.reserve(Result.size());
    for (size_t i = 0; i < Mask.size(); ++i) {
        const char m = Mask[i];
        const char c = Result[i];
        if (c == ' ' && dropped.find(m) != std::string_view::npos) continue;
        if (c == ' ' && m == 't') {
            if (i > 0 && Mask[i - 1] == ' ' && !packed.empty() && packed.back() == ' ')
                packed.pop_back();
            continue;
        }
        packed += c;
    }
    return packed;
}

enum class TFieldKind { Absent, Blank, NotNumber, Number };

// The text under a letter's run with its blanks left out.
TFieldKind ReadField(std::string_view Mask, std::string_view S, char Letter, std::string& Field) {
    TRun run;
    if (!FindReadRun(Mask, Letter, run)) return TFieldKind::Absent;
    Field.clear();
    for (size_t j = 0; j < run.Length; ++j)
        if (S[run.Start + j] != ' ') Field += S[run.Start + j];
    return Field.empty() ? TFieldKind::Blank : TFieldKind::Number;
}

TFieldKind ReadNumber(std::string_view Mask, std::string_view S, char Letter, int32_t& Value) {
    std::string field;
    const TFieldKind kind = ReadField(Mask, S, Letter, field);
    if (kind != TFieldKind::Number) return kind;
    if (!std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return TFieldKind::NotNumber;
    const size_t significant = field.find_first_not_of('0');
    if (significant != std::string::npos && field.size() - significant > MaxFieldDigits)
        return TFieldKind::NotNumber;
    Value = 0;
    for (const char c : field)
        Value = Value * 10 + (c - '0');
    return TFieldKind::Number;
}

// A date or time field: the default when its letter is absent, -1 when blank or not a number.
int32_t ReadNumberOr(std::string_view Mask, std::string_view S, char Letter, int32_t Default) {
    int32_t value = 0;
    switch (ReadNumber(Mask, S, Letter, value)) {
        case TFieldKind::Absent:
            return Default;
        case TFieldKind::Number:
            return value;
        default:
            return -1;
    }
}

std::string PadTo(std::string S, size_t Length) {
    S.resize(Length, ' ');
    return S;
}

// 0 without an "n" run, -1 for blanks or a name that is no month, else the month.
int32_t ReadMonthName(std::string_view Mask, std::string_view S) {
    TRun run;
    if (!FindReadRun(Mask, 'n', run)) return 0;
    const std::string field = Trim(S.substr(run.Start, run.Length));
    if (field.empty()) return -1;
    const std::string typed = PadTo(field, run.Length);
    const auto& names = FormatSettings().LongMonthNames;
    for (size_t m = 0; m < names.size(); ++m)
        if (AnsiSameText(typed, PadTo(names[m], run.Length))) return int32_t(m) + 1;
    return -1;
}

std::string ReadText(const char* Key, const char* Default, size_t MaxLength) {
    std::string text = GetProfileString(IntlSection, Key, Default);
    if (text.size() > MaxLength) text.resize(MaxLength);
    return text;
}

// An empty setting keeps the default rather than becoming a NUL character.
char ReadChar(const char* Key, char Default) {
    const std::string text = GetProfileString(IntlSection, Key, std::string(1, Default));
    return text.empty() ? Default : text[0];
}

// A code outside the range the setting knows keeps the default.
uint8_t ReadCode(const char* Key, uint8_t Default, uint8_t Max) {
    const int32_t value = GetProfileInt(IntlSection, Key, Default);
    return value >= 0 && value <= Max ? uint8_t(value) : Default;
}

char ReadComponentChar(uint16_t Ident, char Current) {
    const std::string text = GetOvcString(Ident);
    return text.size() == 1 ? text[0] : Current;
}

// True when the format shows an AM/PM designator outside its quoted texts.
bool UsesAmPmDesignator(std::string_view Format) {
    static constexpr std::array<std::string_view, 3> designators = {"AMPM", "AM/PM", "A/P"};
    for (size_t i = 0; i < Format.size(); ++i) {
        const char c = Format[i];
        if (c == '\'' || c == '"') {
            const size_t close = Format.find(c, i + 1);
            if (close == std::string_view::npos) return false;
            i = close;
            continue;
        }
        for (const std::string_view d : designators)
            if (SameText(Format.substr(i, d.size()), d)) return true;
    }
    return false;
}

// Turns the run of Letter that begins at the first occurrence of Pattern into Replacement.
void ReplaceRun(std::string& Mask, std::string_view Pattern, char Letter, char Replacement) {
    size_t at = Mask.find(Pattern);
    if (at == std::string::npos) return;
    for (; at < Mask.size() && Mask[at] == Letter; ++at)
        Mask[at] = Replacement;
}

}  // namespace

TOvcIntlSup::TOvcIntlSup() {
    ReadIntlSettings();
}

void TOvcIntlSup::ReadIntlSettings() {
    FDecimalChar = ReadChar("sDecimal", '.');
    FCommaChar = ReadChar("sThousand", ',');
    FCurrencyDigits = ReadCode("iCurrDigits", 2, 255);
    FNegCurrFormat = ReadCode("iNegCurr", 0, 15);
    FListChar = ReadChar("sList", ',');

    FCountry = ReadText("sCountry", "", MaxCountryLen);

    FCurrencyLtStr = ReadText("sCurrency", "$", MaxCurrencyLen);
    FCurrencyRtStr = FCurrencyLtStr;
    FCurrencyFormat = ReadCode("iCurrency", 0, 3);
    if (FCurrencyFormat == 2) FCurrencyLtStr += ' ';
    if (FCurrencyFormat == 3) FCurrencyRtStr.insert(0, 1, ' ');

    FLeadingZeroTime = GetProfileInt(IntlSection, "iTLZero", 0) != 0;
    FTwelveHour = UsesAmPmDesignator(FormatSettings().LongTimeFormat);

    FTimeSepChar = ReadChar("sTime", ':');
    FSlashChar = ReadChar("sDate", '/');

    FAMString = ReadText("s1159", "AM", MaxAMPMLen);
    FPMString = ReadText("s2359", "PM", MaxAMPMLen);

    FShortDate = ReadText("sShortDate", "MM/dd/yy", MaxShortDateLen);
    std::replace(FShortDate.begin(), FShortDate.end(), FSlashChar, '/');

    ReadLongDate();

    FYesChar = ReadComponentChar(scYesChar, FYesChar);
    FNoChar = ReadComponentChar(scNoChar, FNoChar);
    FTrueChar = ReadComponentChar(scTrueChar, FTrueChar);
    FFalseChar = ReadComponentChar(scFalseChar, FFalseChar);
}

void TOvcIntlSup::ReadLongDate() {
    FLongDate = ReadText("sLongDate", "dddd, MMMM dd, yyyy", MaxLongDateLen);

    // The first three quoted texts become the literals; a quote without its partner is kept.
    struct TSlot {
        std::string* Literal;
        char Letter;
    };
    for (const TSlot slot :
         {TSlot{&FLiteralF, 'f'}, TSlot{&FLiteralG, 'g'}, TSlot{&FLiteralH, 'h'}}) {
        slot.Literal->clear();
        const size_t open = FLongDate.find('\'');
        if (open == std::string::npos) continue;
        const size_t close = FLongDate.find('\'', open + 1);
        if (close == std::string::npos) continue;
        const size_t length = close - open - 1;
        const size_t kept = std::min(length, MaxLiteralLen);
        *slot.Literal = FLongDate.substr(open + 1, kept);
        FLongDate.replace(open, length + 2, std::string(kept, slot.Letter));
    }

    ReplaceRun(FLongDate, "ddd", 'd', 'w');
    ReplaceRun(FLongDate, "MMM", 'M', 'n');

    // The inserted blanks may take the mask past the 39 characters read; it stays bounded by
    // twice that.
    for (size_t i = 0; i + 1 < FLongDate.size(); ++i)
        if ((FLongDate[i] == ',' || FLongDate[i] == '.') && FLongDate[i + 1] != ' ')
            FLongDate.insert(i + 1, 1, ' ');
}

std::string TOvcIntlSup::InternationalDate(bool ForceCentury) const {
    std::string mask = FShortDate;
    const struct {
        char Letter;
        size_t Width;
        bool SetsPadding;
    } fields[] = {{'d', 2, true}, {'m', 2, true}, {'y', size_t(ForceCentury ? 4 : 2), false}};
    for (const auto& f : fields) {
        TRun run;
        if (!FindMergeRun(mask, f.Letter, run)) continue;
        const char found = mask[run.Found];
        const size_t original = run.Length;
        if (run.Length < f.Width) {
            mask.insert(run.Found, f.Width - run.Length, found);
            run.Length = f.Width;
        }
        if (!f.SetsPadding) continue;
        const auto allCapitals = [&] {
            return std::all_of(mask.begin() + run.Start, mask.begin() + run.Start + original,
                               IsCapital);
        };
        if (original == 1 && !IsCapital(found))
            std::fill_n(mask.begin() + run.Start, run.Length, UpCaseChar(f.Letter));
        else if (original == 2 && allCapitals())
            std::fill_n(mask.begin() + run.Start, run.Length, f.Letter);
    }
    return mask;
}

std::string TOvcIntlSup::InternationalTime(bool ShowSeconds) const {
    std::string mask = "hh:mm:ss";
    if (!FLeadingZeroTime) mask[0] = 'H';
    if (!ShowSeconds) mask.resize(5);
    const size_t n = std::max(FAMString.size(), FPMString.size());
    if (FTwelveHour && n > 0) mask += ' ' + std::string(n, 't');
    return mask;
}

bool TOvcIntlSup::DateStringToDMY(const std::string& Picture, const std::string& S, int32_t& Day,
                                  int32_t& Month, int32_t& Year, int32_t Epoch) const {
    Day = Month = Year = 0;
    if (Picture.size() != S.size()) return false;
    Month = ReadMonthName(Picture, S);
    if (Month == 0) Month = ReadNumberOr(Picture, S, 'm', vex::DefaultMonth());
    Day = ReadNumberOr(Picture, S, 'd', 1);
    Year = ReadNumberOr(Picture, S, 'y', vex::DefaultYear());
    return ValidDate(Day, Month, Year, Epoch);
}

TStDate TOvcIntlSup::DateStringToDate(const std::string& Picture, const std::string& S,
                                      int32_t Epoch) const {
    int32_t day, month, year;
    if (!DateStringToDMY(Picture, S, day, month, year, Epoch)) return BadDate;
    return DMYtoStDate(day, month, year, Epoch);
}

std::string TOvcIntlSup::DMYtoDateString(const std::string& Picture, int32_t Day, int32_t Month,
                                         int32_t Year, bool Pack, int32_t Epoch) const {
    // Runs are looked up in the mask, never in the text being built, so a merged name holding
    // a mask letter ("March" has an "h") cannot be taken for a field.
    std::string result = Picture;
    Year = ResolveEpoch(Year, Epoch);
    const TFormatSettings& settings = FormatSettings();
    const TDayType weekDay = DayOfWeekDMY(Day, Month, Year, Epoch);
    MergeNumber(result, Picture, 'm', Month);
    MergeNumber(result, Picture, 'd', Day);
    MergeNumber(result, Picture, 'y', Year);
    MergeName(result, Picture, 'n',
              Month >= 1 && Month <= 12 ? &settings.LongMonthNames[Month - 1] : nullptr);
    MergeName(result, Picture, 'w', weekDay <= 6 ? &settings.LongDayNames[weekDay] : nullptr);
    ReplaceSeparator(result, Picture, '/', FSlashChar);
    MergeText(result, Picture, 'f', FLiteralF);
    MergeText(result, Picture, 'g', FLiteralG);
    MergeText(result, Picture, 'h', FLiteralH);
    return Pack ? vex::Pack(result, Picture) : result;
}

std::string TOvcIntlSup::DateToDateString(const std::string& Picture, TStDate Julian,
                                          bool Pack) const {
    if (Julian >= MinDate && Julian <= MaxDate) {
        int32_t day, month, year;
        StDateToDMY(Julian, day, month, year);
        return DMYtoDateString(Picture, day, month, year, Pack, 0);
    }
    std::string result = Picture;
    for (const char letter : {'m', 'd', 'y', 'n', 'w'}) {
        TRun run;
        if (FindMergeRun(Picture, letter, run)) MergeBlanks(result, run);
    }
    ReplaceSeparator(result, Picture, '/', FSlashChar);
    MergeText(result, Picture, 'f', FLiteralF);
    MergeText(result, Picture, 'g', FLiteralG);
    MergeText(result, Picture, 'h', FLiteralH);
    return result;
}

bool TOvcIntlSup::TimeStringToHMS(const std::string& Picture, const std::string& S, int32_t& Hours,
                                  int32_t& Minutes, int32_t& Seconds) const {
    Hours = Minutes = Seconds = 0;
    if (Picture.size() != S.size()) return false;
    Hours = ReadNumberOr(Picture, S, 'h', 0);
    Minutes = ReadNumberOr(Picture, S, 'm', 0);
    Seconds = ReadNumberOr(Picture, S, 's', 0);
    if (Hours < 0 || Minutes < 0 || Seconds < 0) return false;

    TRun run;
    if (FindReadRun(Picture, 't', run) && !FAMString.empty() && !FPMString.empty()) {
        const std::string text = TrimRight(std::string_view(S).substr(run.Start, run.Length));
        const auto matches = [&](const std::string& Setting) {
            return !text.empty() &&
                   SameText(text, std::string_view(Setting).substr(0, text.size()));
        };
        const bool am = matches(FAMString);
        const bool pm = !am && matches(FPMString);
        if ((!am && !pm) || Hours < 1 || Hours > 12) return false;
        if (pm && Hours < 12) Hours += 12;
        if (am && Hours == 12) Hours = 0;
    }
    return ValidTime(Hours, Minutes, Seconds);
}

TStTime TOvcIntlSup::TimeStringToTime(const std::string& Picture, const std::string& S) const {
    int32_t hours, minutes, seconds;
    if (!TimeStringToHMS(Picture, S, hours, minutes, seconds)) return BadTime;
    return HMStoStTime(hours, minutes, seconds);
}

std::string TOvcIntlSup::TimeToTimeString(const std::string& Picture, TStTime T, bool Pack) const {
    const bool bad = T < 0 || T >= SecondsInDay;
    int32_t hours, minutes, seconds;
    StTimeToHMS(T, hours, minutes, seconds);

    TRun ampmRun;
    const bool hasAMPM = FindMergeRun(Picture, 't', ampmRun);
    const std::string& ampm = hours < 12 ? FAMString : FPMString;
    if (hasAMPM && !FAMString.empty() && !FPMString.empty()) {
        if (hours == 0)
            hours = 12;
        else if (hours > 12)
            hours -= 12;
    }

    std::string result = Picture;
    MergeNumber(result, Picture, 'h', bad ? -1 : hours);
    MergeNumber(result, Picture, 'm', bad ? -1 : minutes);
    MergeNumber(result, Picture, 's', bad ? -1 : seconds);
    ReplaceSeparator(result, Picture, ':', FTimeSepChar);
    if (hasAMPM) {
        if (FAMString.empty() && (FPMString.empty() || bad))
            MergeBlanks(result, ampmRun);
        else
            MergeText(result, Picture, 't', ampm);
    }
    return Pack && !bad ? vex::Pack(result, Picture) : result;
}

TOvcIntlSup& OvcIntlSup() {
    static TOvcIntlSup instance;
    return instance;
}

}  // namespace vex
