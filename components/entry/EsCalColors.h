#pragma once

#include <array>
#include <cstdint>

#include "platform/core/events.h"
#include "platform/core/object.h"
#include "platform/gfx/colors.h"

namespace vex {

// The colour presets of the calendar. Scoped because the effects label's presets (EsLabel.h)
// share three of these names, and one form may use both.
enum class TEsCalColorScheme : uint8_t { csCustom, csWindows, csGold, csOcean, csRose };

// The six colours a calendar paints with. Setting one makes the scheme csCustom; choosing a
// scheme other than csCustom copies its colours. Every change tells the owner through OnChange.
class TEsCalColors : public TPersistent {
    VEX_CLASS(TEsCalColors, TPersistent)

public:
    enum TIndex : uint8_t {
        ActiveDayIndex,
        DayNamesIndex,
        DaysIndex,
        InactiveDaysIndex,
        MonthAndYearIndex,
        WeekendIndex
    };
    using TColorSet = std::array<TColor, 6>;

    // The colours of Scheme, in the order of TIndex; csCustom's are all black.
    static const TColorSet& SchemeColors(TEsCalColorScheme Scheme);

    TColor Color(TIndex Index) const { return FColors[Index]; }
    void SetColor(TIndex Index, TColor Value);

    TColor ActiveDay() const { return FColors[ActiveDayIndex]; }
    void SetActiveDay(TColor Value) { SetColor(ActiveDayIndex, Value); }
    TColor DayNames() const { return FColors[DayNamesIndex]; }
    void SetDayNames(TColor Value) { SetColor(DayNamesIndex, Value); }
    TColor Days() const { return FColors[DaysIndex]; }
    void SetDays(TColor Value) { SetColor(DaysIndex, Value); }
    TColor InactiveDays() const { return FColors[InactiveDaysIndex]; }
    void SetInactiveDays(TColor Value) { SetColor(InactiveDaysIndex, Value); }
    TColor MonthAndYear() const { return FColors[MonthAndYearIndex]; }
    void SetMonthAndYear(TColor Value) { SetColor(MonthAndYearIndex, Value); }
    TColor Weekend() const { return FColors[WeekendIndex]; }
    void SetWeekend(TColor Value) { SetColor(WeekendIndex, Value); }

    TEsCalColorScheme ColorScheme() const { return FColorScheme; }
    // A scheme past csRose, as a stored value may hold, is taken as csCustom.
    void SetColorScheme(TEsCalColorScheme Value);

    // Copies the colours and the scheme of another TEsCalColors, without OnChange.
    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;

private:
    void DoChange();

    bool FSettingScheme = false;
    TColorSet FColors = SchemeColors(TEsCalColorScheme::csWindows);
    TEsCalColorScheme FColorScheme = TEsCalColorScheme::csCustom;
};

}  // namespace vex
