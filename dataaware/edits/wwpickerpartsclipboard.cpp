#include "dataaware/edits/wwpickerparts.h"
#include "dataaware/edits/wwpickerpartscivil.h"
#include "platform/ui/customedit.h"

namespace vex {

using namespace pickerparts;

namespace {

using K = TDateTimeTokenKind;

size_t DatePartCount(const TwwPartsLayout& Layout) {
    size_t count = 0;
    for (const TDateTimeSpan& part : Layout.Parts)
        if (part.Kind == K::Day || part.Kind == K::DayName || part.Kind == K::Month ||
            part.Kind == K::MonthName || part.Kind == K::Year)
            ++count;
    return count;
}

}  // namespace

bool TwwPickerParts::SetValueOrBeep(TDateTime Value) {
    try {
        FHost.SetPickerValue(Value);
        return true;
    } catch (const EDateTimeError&) {
        // Keys and the clipboard have nobody to raise to.
        FHost.Beep();
        return false;
    }
}

bool TwwPickerParts::MayModify() {
    const bool may = FHost.EditCanModify();
    // The edit window's own read-only state follows, so that once the picker may change again
    // the window's cut copies before the picker empties itself.
    if (FHost.EditWindow().ReadOnly() == may) FHost.EditWindow().SetReadOnly(!may);
    return may;
}

void TwwPickerParts::Clear() {
    const TDateTime value = FHost.PickerValue();
    const TDateTimeParts parts = SplitDateTime(value);
    const TwwPartsLayout layout = LayoutFor(value);
    const std::weak_ptr<const void> life = Life();
    if (FHost.IsCFormat() && parts.MSec != 0 &&
        static_cast<size_t>(FCurrentPart) > DatePartCount(layout)) {
        // Under the c format only the time of day goes; the highlight falls back to the date.
        const bool taken = SetValueOrBeep(ComposeDateTime(TDateTimeParts{parts.Day, 0}));
        if (life.expired()) return;
        if (taken)
            AfterChange();
        else
            HighlightCurrentPart();
        return;
    }
    if (FHost.FieldRequired()) return;
    if (FHost.IsDateOnly()) {
        try {
            FHost.SetDate(0);
        } catch (const EDateTimeError&) {
            FHost.Beep();
            return;
        }
    } else if (FHost.PartsKind() == TwwPickerPartsKind::TimeOnly && FHost.IsDateTimeField()) {
        if (!SetValueOrBeep(ComposeDateTime(TDateTimeParts{parts.Day, 0}))) return;
    } else if (!SetValueOrBeep(0)) {
        return;
    }
    if (life.expired() || !FHost.ReplaceText("")) return;
    FCurrentPart = 1;
    FHost.SetEmptyFlag(true);
    FHost.SetModified(true);
}

void TwwPickerParts::Cut() {
    const std::weak_ptr<const void> life = Life();
    FHost.LinkEdit();
    if (life.expired()) return;
    const bool may = MayModify();
    FHost.DefaultCut();
    if (!may || life.expired()) return;
    DropPending();
    SetValueOrBeep(0);
    if (life.expired() || !FHost.ReplaceText("")) return;
    FHost.ShowEditCaret(true);
    FCurrentPart = 1;
    FHost.SetEmptyFlag(true);
    FHost.SetModified(true);
}

void TwwPickerParts::Paste() {
    if (!MayModify()) return;
    const std::weak_ptr<const void> life = Life();
    FHost.LinkEdit();
    if (life.expired()) return;
    TCustomEdit& edit = FHost.EditWindow();
    DropPending();
    const TDateTime before = FHost.PickerValue();
    edit.SelectAll();
    FHost.DefaultPaste();
    if (life.expired()) return;
    const bool timeOnly = FHost.PartsKind() == TwwPickerPartsKind::TimeOnly;
    const TDateTime pasted = wwPastedValue(edit.Text(), timeOnly);
    bool taken = false;
    if (pasted != 0) {
        if (OutsideLimits(pasted))
            FHost.Beep();
        else
            taken = SetValueOrBeep(pasted);
    }
    if (life.expired()) return;
    // The picker is told of the text the edit window pasted, and an empty one drops the day:
    // what reads as no date must leave the value as it was.
    if (!taken && FHost.PickerValue() != before) SetValueOrBeep(before);
    if (!life.expired() && Refresh()) FHost.SetModified(true);
}

}  // namespace vex
