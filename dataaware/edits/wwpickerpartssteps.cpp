#include "dataaware/edits/wwpickerparts.h"

#include <algorithm>

#include "dataaware/edits/wwdbdatetimepickervalues.h"
#include "dataaware/edits/wwpickerpartscivil.h"
#include "platform/core/formatsettings.h"

namespace vex {

using namespace pickerparts;

namespace {

using K = TDateTimeTokenKind;

// The day moved into the limits, its time of day kept.
TDateTime HeldToLimits(TDateTime Value, const TwwPartRules& Rules) {
    TDateTimeParts parts = SplitDateTime(Value);
    parts.Day = std::clamp(parts.Day, WholeDay(Rules.MinDate), WholeDay(Rules.MaxDate));
    return ComposeDateTime(parts);
}

bool IsTimeUnit(K Kind) {
    return Kind == K::Hour || Kind == K::Minute || Kind == K::Second;
}

int32_t TimeUnit(K Kind) {
    return Kind == K::Hour ? MSecsPerHour : Kind == K::Minute ? MSecsPerMinute : MSecsPerSecond;
}

int32_t TimeRound(K Kind) {
    return Kind == K::Hour ? 24 : 60;
}

// Home and End on a date part, against Limit (MinDate for Home, MaxDate for End).
bool DateLimit(TCivilDateTime& C, K Kind, bool Largest, const TwwPartRules& Rules) {
    const TCivilDateTime limit(Largest ? Rules.MaxDate : Rules.MinDate);
    // Past the limit's day when moved into its month: a day after it for End, before it for
    // Home.
    const auto beyond = [&](int32_t Day) { return Largest ? Day > limit.Day : Day < limit.Day; };
    const int32_t toward = Largest ? -1 : 1;
    switch (Kind) {
        case K::Day:
            C.Day = Largest ? C.DaysInMonth() : 1;
            if (C.Year == limit.Year && C.Month == limit.Month) C.Day = limit.Day;
            return true;
        case K::Month:
        case K::MonthName:
            C.Month = Largest ? 12 : 1;
            if (C.Year == limit.Year) C.Month = limit.Month + (beyond(C.Day) ? toward : 0);
            C.ClampDay();
            return C.Month >= 1 && C.Month <= 12;
        case K::Year:
            C.Year = limit.Year;
            if ((Largest ? C.Month > limit.Month : C.Month < limit.Month) ||
                (C.Month == limit.Month && beyond(C.Day)))
                C.Year += toward;
            C.ClampDay();
            return true;
        default:
            return false;
    }
}

}  // namespace

TDateTime wwEffectiveMinDate(TDateTime MinDate) {
    return wwWholeDay(MinDate) == 0 ? EncodeDate(1899, 12, 31) : MinDate;
}

TDateTime wwEffectiveMaxDate(TDateTime MaxDate) {
    return wwWholeDay(MaxDate) == 0 ? EncodeDate(9999, 12, 31) : MaxDate;
}

int32_t wwFirstDayIndex(TwwCalDayOfWeek Day) {
    return Day == wwdowLocaleDefault ? FormatSettings().FirstDayOfWeek % 7
                                     : static_cast<int32_t>(Day);
}

bool wwStepDatePart(TDateTime& Value, K Kind, int32_t Count, bool Cycle,
                    const TwwPartRules& Rules) {
    TCivilDateTime c(Value);
    switch (Kind) {
        case K::Day:
            if (Cycle) {
                c.Day = WrapIntoRange(c.Day + Count, 1, c.DaysInMonth());
                break;
            }
            [[fallthrough]];
        case K::DayName: {
            const TDateTimeParts parts = SplitDateTime(Value);
            const int32_t at = WeekIndex(parts.Day, Rules.FirstDay);
            const int32_t moved =
                Cycle ? parts.Day + WrapIntoRange(at + Count, 0, 6) - at : parts.Day + Count;
            if (!DayInRange(moved)) return false;
            Value = HeldToLimits(ComposeDateTime(TDateTimeParts{moved, parts.MSec}), Rules);
            return true;
        }
        case K::Month:
        case K::MonthName:
            if (Cycle) {
                c.Month = WrapIntoRange(c.Month + Count, 1, 12);
            } else {
                const int64_t months = int64_t{c.Year} * 12 + (c.Month - 1) + Count;
                if (months < 12 || months >= int64_t{10000} * 12) return false;
                c.Year = static_cast<int32_t>(months / 12);
                c.Month = static_cast<int32_t>(months % 12) + 1;
            }
            c.ClampDay();
            break;
        case K::Year:
            c.Year += Count;
            c.ClampDay();
            break;
        default:
            return false;
    }
    TDateTime result;
    if (!c.Compose(result)) return false;
    Value = HeldToLimits(result, Rules);
    return true;
}

bool wwStepPart(TDateTime& Value, const TDateTimeSpan& Part, int32_t Direction,
                const TwwPartRules& Rules) {
    TCivilDateTime c(Value);
    if (Part.Kind == K::AmPm) {
        c.SetTimeUnit(MSecsPerHour, 24, (c.Hour() + 12) % 24);
    } else if (IsTimeUnit(Part.Kind)) {
        const int32_t unit = TimeUnit(Part.Kind), round = TimeRound(Part.Kind);
        c.SetTimeUnit(unit, round, WrapIntoRange(c.MSec / unit % round + Direction, 0, round - 1));
    } else {
        return wwStepDatePart(Value, Part.Kind, Direction, true, Rules);
    }
    return c.Compose(Value);
}

bool wwSetPartToLimit(TDateTime& Value, const TDateTimeSpan& Part, bool Largest,
                      const TwwPartRules& Rules) {
    TCivilDateTime c(Value);
    if (Part.Kind == K::AmPm) {
        c.SetTimeUnit(MSecsPerHour, 24, c.Hour() % 12 + (Largest ? 12 : 0));
    } else if (IsTimeUnit(Part.Kind)) {
        c.SetTimeUnit(TimeUnit(Part.Kind), TimeRound(Part.Kind),
                      Largest ? TimeRound(Part.Kind) - 1 : 0);
    } else if (Part.Kind == K::DayName) {
        TDateTimeParts parts = SplitDateTime(Value);
        parts.Day += (Largest ? 6 : 0) - WeekIndex(parts.Day, Rules.FirstDay);
        if (!DayInRange(parts.Day)) return false;
        Value = HeldToLimits(ComposeDateTime(parts), Rules);
        return true;
    } else if (!DateLimit(c, Part.Kind, Largest, Rules)) {
        return false;
    }
    return ComposeWithinLimits(c, Rules, Value);
}

}  // namespace vex
