#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dataaware/edits/wwmonthcalendar.h"
#include "dataaware/edits/wwpickerpartshost.h"
#include "platform/core/datetimetokens.h"
#include "platform/core/types.h"
#include "platform/ui/inputevents.h"

namespace vex {

// A value written in a format, with the parts of the text the user edits.
struct TwwPartsLayout {
    std::string Text;
    std::vector<TDateTimeSpan> Parts;
};

// Part (from 1) of a layout: where it starts, how long it is, and the text up to its end, which
// is empty when there are fewer parts.
struct TwwLocatedPart {
    TDateTimeSpan Field;
    std::string TextToEnd;
    bool Found = false;
};

// The format the parts are found in: the c format shows its time parts even at midnight, so
// they can be counted and stepped into.
std::string wwPartsFormat(const std::string& Format, bool CFormat);
TwwPartsLayout wwLayoutParts(std::string_view Format, TwwPickerPartsKind Kind, TDateTime Value);
TwwLocatedPart wwLocatePart(const TwwPartsLayout& Layout, int32_t Part);

// The date and time routines the part editor applies, apart from any picker.

// The effective limits: 0 stands for 31 December 1899 and for 31 December 9999.
TDateTime wwEffectiveMinDate(TDateTime MinDate);
TDateTime wwEffectiveMaxDate(TDateTime MaxDate);
// 0 Monday .. 6 Sunday, the locale's for wwdowLocaleDefault.
int32_t wwFirstDayIndex(TwwCalDayOfWeek Day);

// What a part's change is held to.
struct TwwPartRules {
    TDateTime MinDate = 0;  // effective limits, whole days
    TDateTime MaxDate = 0;
    int32_t FirstDay = 6;  // of the week, 0 Monday .. 6 Sunday
    int32_t Epoch = 1950;
    // A four-digit year typed as 0 stands for this one.
    int32_t EntryYear = 0;
    // Where the format puts the parts: a typed day too long for its month moves the month on
    // when the day comes first, and a typed 29 February the year on when the year comes after.
    bool DayBeforeMonth = false;
    bool YearAfterDay = false;
};

// One step of a date part, cycling within the next larger unit when Cycle is set, then held to
// the limits. False (Value unchanged) when the step would leave years 1 to 9999.
bool wwStepDatePart(TDateTime& Value, TDateTimeTokenKind Kind, int32_t Count, bool Cycle,
                    const TwwPartRules& Rules);
// Up (+1) or Down (-1) on a part: times wrap round within their unit, am/pm turns over.
bool wwStepPart(TDateTime& Value, const TDateTimeSpan& Part, int32_t Direction,
                const TwwPartRules& Rules);
// Home and End: the part's smallest or largest value the limits allow.
bool wwSetPartToLimit(TDateTime& Value, const TDateTimeSpan& Part, bool Largest,
                      const TwwPartRules& Rules);
// A number typed into a part; false (Value unchanged) when the part cannot take it. A day or a
// month of 0 keeps the old one; a two-digit year is windowed with Epoch.
bool wwSetPartNumber(TDateTime& Value, const TDateTimeSpan& Part, int32_t Number,
                     const TwwPartRules& Rules);
// Letters typed into a month-name or day-name part select the name they begin; the search
// starts after the current one for a single letter, so pressing it again moves on. False when
// no name fits.
bool wwSetPartName(TDateTime& Value, const TDateTimeSpan& Part, std::string_view Letters,
                   const TwwPartRules& Rules);

// What pasted text reads as: a time for a time-only picker, else a date-time or a date; 0 when
// it reads as nothing.
TDateTime wwPastedValue(std::string_view Text, bool TimeOnly);

// Edits a date/time picker's text part by part: one part (day, day name, month, month name,
// year, hour, minute, second, am/pm) is highlighted, keys step it, type digits and letters into
// it or move the highlight. Parts are found by the same reader that writes the text, so the
// highlight and the edit always meet the same characters. Window-free: everything goes through
// the host.
class TwwPickerParts {
public:
    explicit TwwPickerParts(TwwPickerPartsHost& Host) : FHost(Host) {}
    TwwPickerParts(const TwwPickerParts&) = delete;
    TwwPickerParts& operator=(const TwwPickerParts&) = delete;

    // Parts count from 1. Digits typed into one part are not taken into another.
    void SetCurrentPart(int32_t Value) {
        if (Value != FCurrentPart) DropPending();
        FCurrentPart = Value < 1 ? 1 : Value;
    }
    bool PartPending() const { return !FTypedDigits.empty(); }
    // Forgets typed digits without taking them (a drop-down, Escape).
    void DropPending() { FTypedDigits.clear(); }

    // Locating.
    int32_t PartCount();
    TwwLocatedPart LocatePart(int32_t Part, TDateTime Value);
    // The last part the text shows (a midnight hidden by the c format shows no time parts).
    int32_t LastPart();
    // Selects the current part, or the whole text when the value may not change, or nothing
    // while the calendar is down.
    void HighlightCurrentPart();
    // Takes the digits typed so far as the current part's value; false when a handler freed the
    // picker meanwhile.
    bool CommitPending();

    // The picker's handlers. Key is cleared when the key was used here.
    void KeyDown(uint16_t& Key, TShiftState Shift);
    void KeyPress(char& Key);
    void MouseDown(int32_t X);
    void DoubleClick();
    void Cut();
    void Paste();

private:
    TwwPartsLayout LayoutFor(TDateTime Value);
    int32_t LastPartOf(const TwwPartsLayout& Layout);
    TwwPartRules RulesFor(const TwwPartsLayout& Layout);
    // A DataSource or a DataField is set, but no field is bound.
    bool BindingInactive();
    // Puts a bound picker's dataset into edit mode; false when it may not be edited.
    bool EditField();

    // Keys (wwpickerpartskeys.cpp).
    bool HandToGrid(uint16_t Key, TShiftState Shift);
    bool IsWholeTextSelected();
    bool IsSeparatorKey(uint16_t Key, TShiftState Shift);
    // False when a handler freed the picker.
    bool StartFromEmpty(uint16_t Key);
    void MoveLeft();
    void MoveRight();
    void ChangePart(uint16_t Key);

    // Characters (wwpickerpartspress.cpp).
    void Escape();
    void SetToNow();

    // Emptying (wwpickerpartsclipboard.cpp).
    void Clear();

    // Digits and letters (wwpickerpartstyping.cpp).
    void TypeDigit(int32_t Digit);
    void TypeLetter(char Letter);
    // Shows the typed digits in place of the part, which shows ShownLength characters now.
    void ShowTyped(const TDateTimeSpan& Part, size_t ShownLength);
    // False when the part cannot take the number (the key beeps), or a handler freed the picker.
    bool TakeNumber(const TDateTimeSpan& Part, int32_t Number);
    void RemoveTypedDigit();
    void Advance();

    // Changing the value (wwpickerpartstyping.cpp, wwpickerpartsclipboard.cpp).
    // A value with a day that lies outside the effective limits (a time-only picker has none).
    bool OutsideLimits(TDateTime Value);
    // The value setter, its refusal of the limits a beep.
    bool SetValueOrBeep(TDateTime Value);
    // Whether the value may change now; the edit window is made read-only when not.
    bool MayModify();
    // Taking a changed value: false when it lies outside the limits (the text is refreshed).
    bool Apply(TDateTime Value);
    // Marks the edit modified and shows the new value. These and the value's setters run the
    // picker's change handlers, which may free it, and the part editor with it: false then, and
    // a caller touches nothing after; a token taken before a setter tells the same.
    bool AfterChange();
    bool Refresh();
    std::weak_ptr<const void> Life();

    TwwPickerPartsHost& FHost;
    int32_t FCurrentPart = 1;
    bool FAutoAdvance = true;
    std::string FTypedDigits;
    // Letters typed into a name part, so "ju" tells June from January.
    std::string FTypedLetters;
};

}  // namespace vex
