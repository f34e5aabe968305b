#include <algorithm>
#include <string>

#include "dataaware/edits/wwpickerparts.h"
#include "dataaware/edits/wwpickerpartscivil.h"
#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"
#include "platform/ui/customedit.h"

namespace vex {

using namespace pickerparts;

namespace {

using K = TDateTimeTokenKind;

// Longer than any month or day name; a longer run of letters only starts a new search.
constexpr size_t MaxTypedLetters = 32;

bool IsNumberPart(K Kind) {
    return Kind == K::Day || Kind == K::Month || Kind == K::Year || Kind == K::Hour ||
           Kind == K::Minute || Kind == K::Second;
}

// A first digit after which no second one could make a valid part.
bool CompletesAtOnce(const TDateTimeSpan& Part, int32_t Digit) {
    switch (Part.Kind) {
        case K::Day:
            return Digit >= 4;
        case K::Month:
            return Digit >= 2;
        case K::Hour:
            return Digit >= (Part.TwelveHour ? 2 : 3);
        case K::Minute:
        case K::Second:
            return Digit >= 6;
        default:
            return false;
    }
}

size_t IndexOf(const TwwPartsLayout& Layout, K Kind, K Or) {
    for (size_t i = 0; i < Layout.Parts.size(); ++i)
        if (Layout.Parts[i].Kind == Kind || Layout.Parts[i].Kind == Or) return i;
    return std::string::npos;
}

bool SameLetter(std::string_view Text, char Letter) {
    return !Text.empty() && AnsiSameText(Text.substr(0, 1), std::string_view(&Letter, 1));
}

}  // namespace

TwwPartRules TwwPickerParts::RulesFor(const TwwPartsLayout& Layout) {
    TwwPartRules rules;
    rules.MinDate = wwEffectiveMinDate(FHost.MinDate());
    rules.MaxDate = wwEffectiveMaxDate(FHost.MaxDate());
    rules.FirstDay = wwFirstDayIndex(FHost.FirstDayOfWeek());
    // Any pivot outside these gives only years outside 1 to 9999; held here, it cannot overflow.
    rules.Epoch = std::clamp(FHost.Epoch(), -100, 10099);
    if (WholeDay(FHost.EntryValue()) != 0)
        rules.EntryYear = TCivilDateTime(FHost.EntryValue()).Year;
    const size_t day = IndexOf(Layout, K::Day, K::Day);
    const size_t month = IndexOf(Layout, K::Month, K::MonthName);
    const size_t year = IndexOf(Layout, K::Year, K::Year);
    rules.DayBeforeMonth = day != std::string::npos && month != std::string::npos && day < month;
    rules.YearAfterDay = day != std::string::npos && year != std::string::npos && year > day;
    return rules;
}

void TwwPickerParts::TypeDigit(int32_t Digit) {
    const TwwLocatedPart located = LocatePart(FCurrentPart, FHost.PickerValue());
    if (!located.Found || !IsNumberPart(located.Field.Kind)) return;
    TDateTimeSpan part = located.Field;
    const bool longYear = part.Kind == K::Year && part.Width == 4;
    if (!FTypedDigits.empty()) {
        const size_t shown = FTypedDigits.size();
        FTypedDigits += static_cast<char>('0' + Digit);
        if (longYear && FTypedDigits.size() < 4) {
            ShowTyped(part, shown);
            return;
        }
        const int32_t number = std::stoi(FTypedDigits);
        FTypedDigits.clear();
        if (TakeNumber(part, number)) Advance();
        return;
    }
    if (CompletesAtOnce(part, Digit)) {
        if (TakeNumber(part, Digit)) Advance();
        return;
    }
    if (part.Kind == K::Year && !longYear) {
        // A decade that ends before the earliest day allowed cannot be started.
        const int32_t lastYear = TCivilDateTime(FHost.Now()).Year / 100 * 100 + Digit * 10 + 9;
        if (EncodeDate(lastYear, 12, 31) < WholeDay(wwEffectiveMinDate(FHost.MinDate()))) {
            FHost.Beep();
            return;
        }
    }
    FTypedDigits = std::string(1, static_cast<char>('0' + Digit));
    ShowTyped(part, part.Length);
}

void TwwPickerParts::ShowTyped(const TDateTimeSpan& Part, size_t ShownLength) {
    TCustomEdit& edit = FHost.EditWindow();
    std::string text = edit.Text();
    if (Part.Start > text.size()) return;
    text.replace(Part.Start, ShownLength, FTypedDigits);
    if (!FHost.ReplaceText(text)) return;
    edit.SetSelStart(static_cast<int32_t>(Part.Start + FTypedDigits.size()));
    FHost.ShowEditCaret(true);
}

void TwwPickerParts::RemoveTypedDigit() {
    const TwwLocatedPart located = LocatePart(FCurrentPart, FHost.PickerValue());
    const size_t shown = FTypedDigits.size();
    FTypedDigits.pop_back();
    if (FTypedDigits.empty() || !located.Found) {
        FTypedDigits.clear();
        Refresh();
        return;
    }
    ShowTyped(located.Field, shown);
}

bool TwwPickerParts::TakeNumber(const TDateTimeSpan& Part, int32_t Number) {
    TDateTime value = FHost.PickerValue();
    if (!wwSetPartNumber(value, Part, Number, RulesFor(LayoutFor(value)))) {
        FHost.Beep();
        Refresh();
        return false;
    }
    const std::weak_ptr<const void> life = Life();
    return Apply(value) && !life.expired() && AfterChange();
}

void TwwPickerParts::Advance() {
    if (FAutoAdvance && FTypedDigits.empty() && FCurrentPart < LastPart()) {
        ++FCurrentPart;
        HighlightCurrentPart();
    }
}

bool TwwPickerParts::CommitPending() {
    if (FHost.IsDroppedDown() || FTypedDigits.empty()) return true;
    const std::string digits = std::move(FTypedDigits);
    FTypedDigits.clear();
    const TwwLocatedPart located = LocatePart(FCurrentPart, FHost.PickerValue());
    if (!located.Found) return true;
    TDateTimeSpan part = located.Field;
    // One or two digits of a four-digit year are a two-digit year; three are the year itself.
    if (part.Kind == K::Year && digits.size() <= 2) part.Width = 2;
    const std::weak_ptr<const void> life = Life();
    TakeNumber(part, std::stoi(digits));
    return !life.expired();
}

void TwwPickerParts::TypeLetter(char Letter) {
    const TDateTime value = FHost.PickerValue();
    const TwwPartsLayout layout = LayoutFor(value);
    const TwwLocatedPart located = wwLocatePart(layout, FCurrentPart);
    if (!located.Found) return;
    const TDateTimeSpan& part = located.Field;
    TDateTime changed = value;
    if (part.Kind == K::AmPm) {
        // The other half's text is what the part shows twelve hours on.
        TDateTime other = value;
        wwStepPart(other, part, 1, RulesFor(layout));
        const std::string shown = layout.Text.substr(part.Start, part.Length);
        const TwwLocatedPart turned = wwLocatePart(LayoutFor(other), FCurrentPart);
        if (SameLetter(shown, Letter)) return;
        if (!turned.Found || !SameLetter(turned.TextToEnd.substr(turned.Field.Start), Letter)) {
            FHost.Beep();
            return;
        }
        changed = other;
    } else if (part.Kind == K::MonthName || part.Kind == K::DayName) {
        const TwwPartRules rules = RulesFor(layout);
        if (FTypedLetters.size() >= MaxTypedLetters) FTypedLetters.clear();
        FTypedLetters += Letter;
        if (!wwSetPartName(changed, part, FTypedLetters, rules)) {
            FTypedLetters.assign(1, Letter);
            if (!wwSetPartName(changed, part, FTypedLetters, rules)) {
                FHost.Beep();
                return;
            }
        }
    } else {
        return;
    }
    const std::weak_ptr<const void> life = Life();
    if (Apply(changed) && !life.expired()) AfterChange();
}

bool TwwPickerParts::OutsideLimits(TDateTime Value) {
    if (FHost.PartsKind() == TwwPickerPartsKind::TimeOnly || WholeDay(Value) == 0) return false;
    TwwPartRules limits;
    limits.MinDate = wwEffectiveMinDate(FHost.MinDate());
    limits.MaxDate = wwEffectiveMaxDate(FHost.MaxDate());
    return !WithinLimits(Value, limits);
}

bool TwwPickerParts::Apply(TDateTime Value) {
    try {
        if (FHost.PartsKind() == TwwPickerPartsKind::TimeOnly) {
            FHost.SetTime(ComposeDateTime(TDateTimeParts{0, SplitDateTime(Value).MSec}));
            return true;
        }
        if (OutsideLimits(Value)) {
            Refresh();
            return false;
        }
        FHost.SetPickerValue(Value);
        return true;
    } catch (const EDateTimeError&) {
        // A limit with a time of day can refuse what the whole days allowed.
        FHost.Beep();
        Refresh();
        return false;
    }
}

bool TwwPickerParts::AfterChange() {
    // A time that became midnight under the c format is no longer shown, nor highlighted.
    if (!Refresh()) return false;
    // Only after the text: setting it clears the edit's modified flag.
    FHost.SetModified(true);
    return true;
}

bool TwwPickerParts::Refresh() {
    if (!FHost.ReplaceText(FHost.TextOfValue(FHost.PickerValue()))) return false;
    HighlightCurrentPart();
    return true;
}

}  // namespace vex
