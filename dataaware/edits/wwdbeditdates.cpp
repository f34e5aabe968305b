#include <algorithm>
#include <array>
#include <cctype>

#include "dataaware/data/wwSystem.h"
#include "dataaware/edits/wwdbedit.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stringutils.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

std::string Lower(std::string Text) {
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
    return Text;
}

int32_t Count(const std::string& Text, char C) {
    return static_cast<int32_t>(std::count(Text.begin(), Text.end(), C));
}

bool EndsWith(const std::string& Text, char C) {
    return !Text.empty() && Text.back() == C;
}

std::string TwoDigits(int32_t Value) {
    return std::string(1, static_cast<char>('0' + Value / 10 % 10)) +
           static_cast<char>('0' + Value % 10);
}

// The date parts in the order of the short date format; month, day, year unless it says
// day first or year first.
std::array<int32_t, 3> DateOrder(const std::string& ShortDateFormat) {
    std::string order;
    for (const char c : Lower(ShortDateFormat))
        if ((c == 'd' || c == 'm' || c == 'y') && order.find(c) == std::string::npos) order += c;
    if (order == "dmy") return {wwPartDay, wwPartMonth, wwPartYear};
    if (order == "ymd") return {wwPartYear, wwPartMonth, wwPartDay};
    return {wwPartMonth, wwPartDay, wwPartYear};
}

// Whether S already names the morning or the afternoon, which ends a time.
bool HoldsDayHalf(const std::string& S, const TFormatSettings& Settings) {
    const std::string lower = Lower(S);
    for (const std::string* marker : {&Settings.TimeAMString, &Settings.TimePMString})
        if (!marker->empty() &&
            lower.find(static_cast<char>(std::tolower(static_cast<unsigned char>((*marker)[0])))) !=
                std::string::npos)
            return true;
    return false;
}

// Two time separators before the last character: hours, minutes and seconds are there.
bool HoldsSeconds(const std::string& Time, char TimeSeparator) {
    return Count(Time, TimeSeparator) >= 2 && !EndsWith(Time, TimeSeparator);
}

// A date-time text is the date, a blank, then the time. Each is read on its own: a locale may
// separate the parts of both with the same character.
std::string DatePart(const std::string& S) {
    return S.substr(0, S.find(' '));
}

std::string TimePart(const std::string& S) {
    const size_t blank = S.find(' ');
    return blank == std::string::npos ? "" : S.substr(blank + 1);
}

}  // namespace

bool TwwDBCustomEdit::IsDate() const {
    if (const TField* field = Field()) return field->DataType() == ftDate;
    return !Bound() && FUnboundDataType == wwEdtDate;
}

bool TwwDBCustomEdit::IsTime() const {
    if (const TField* field = Field()) return field->DataType() == ftTime;
    return !Bound() && FUnboundDataType == wwEdtTime;
}

bool TwwDBCustomEdit::IsDateTime() const {
    if (const TField* field = Field()) return field->DataType() == ftDateTime;
    return !Bound() && FUnboundDataType == wwEdtDateTime;
}

bool TwwDBCustomEdit::CompleteDateTime() {
    const bool timeOnly = IsTime();
    const bool dateOnly = IsDate();
    if (ReadOnly() || !(timeOnly || dateOnly || IsDateTime())) return false;
    const std::string text = EditText();
    const auto length = static_cast<int32_t>(text.size());
    const bool wholeSelected = SelLength() == length;
    if (SelStart() < length && !wholeSelected) return false;
    if (Bound() && !FieldTakesTyping()) {
        MessageBeep(0);
        return false;
    }
    const TFormatSettings& settings = FormatSettings();
    const char dateSep = settings.DateSeparator;
    const char timeSep = settings.TimeSeparator;
    std::string s = wholeSelected ? "" : text;
    uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    const TDateTime now = Now();
    DecodeDate(now, year, month, day);
    DecodeTime(now, hour, minute, second, msec);
    if (Bound()) EditLink();

    auto finish = [&] {
        SetEditText(s);
        SetSelStart(static_cast<int32_t>(s.size()));
        SetChanged(true);
        return true;
    };
    const auto caret = static_cast<int32_t>(s.size());
    const std::string date = timeOnly ? "" : DatePart(s);
    const bool dateComplete = Count(date, dateSep) >= 2 && !EndsWith(date, dateSep);
    int32_t part = 0;
    if (timeOnly) {
        part = wwTimePartAt(caret, s);
    } else if (wholeSelected) {
        part = DateOrder(settings.ShortDateFormat)[0];
    } else if (!dateComplete && !EndsWith(s, dateSep)) {
        s += dateSep;
        return finish();
    } else if (!dateComplete) {
        // Not a date yet, so the text cannot be scanned for its parts: the separators tell.
        part = DateOrder(settings.ShortDateFormat)[std::min(Count(date, dateSep), 2)];
    } else {
        part = wwDateTimePartAt(caret, s, false);
    }
    if ((dateComplete || timeOnly) && part < wwPartHour) part = wwPartHour;

    if (part <= wwPartYear) {
        const std::string format = Lower(settings.ShortDateFormat);
        if (part == wwPartDay)
            s += format.find("dd") != std::string::npos ? TwoDigits(day) : IntToStr(day);
        else if (part == wwPartMonth)
            s += format.find("mm") != std::string::npos ? TwoDigits(month) : IntToStr(month);
        else
            s += format.find("yyyy") != std::string::npos ? IntToStr(year) : TwoDigits(year % 100);
        if (!EndsWith(s, dateSep) && Count(s, dateSep) < 2) s += dateSep;
        return finish();
    }

    const std::string time = timeOnly ? s : TimePart(s);
    const bool hasMorning = !settings.TimeAMString.empty();
    const bool timeEnded = hasMorning ? HoldsDayHalf(time, settings) : HoldsSeconds(time, timeSep);
    if (dateOnly || timeEnded) return finish();
    if (HoldsSeconds(time, timeSep) && part == wwPartSecond) part = wwPartAmPm;
    if (part == wwPartHour && IsDateTime() && !EndsWith(s, ' ')) {
        s += ' ';
        return finish();
    }
    // An hour or minutes typed by hand end with the separator, as a date's parts do.
    const bool typedHour = part == wwPartHour && !s.empty() && !EndsWith(s, ' ');
    if ((typedHour || part == wwPartMinute) && !EndsWith(s, timeSep)) {
        s += timeSep;
        return finish();
    }
    switch (part) {
        case wwPartHour: {
            const int32_t shown = hasMorning ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            s += IntToStr(shown) + timeSep;
            break;
        }
        case wwPartMinute:
            s += TwoDigits(minute) + timeSep;
            break;
        case wwPartSecond:
            s += TwoDigits(second);
            break;
        default:
            if (!EndsWith(s, ' ')) s += ' ';
            // The locale's own marker: the text must read back, and must show the time ended.
            s += hour >= 12 ? settings.TimePMString : settings.TimeAMString;
            break;
    }
    return finish();
}

}  // namespace vex
