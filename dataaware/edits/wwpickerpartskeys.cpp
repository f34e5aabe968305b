#include "dataaware/edits/wwpickerparts.h"

#include <algorithm>

#include "dataaware/edits/wweditorgrid.h"
#include "dataaware/edits/wwpickerpartscivil.h"
#include "platform/core/formatsettings.h"
#include "platform/ui/customedit.h"
#include "platform/win/keyboard.h"

namespace vex {

using namespace pickerparts;

namespace {

using K = TDateTimeTokenKind;

bool AltDown() {
    return GetKeyState(VK_MENU) < 0;
}

// The keys that start an edit of an empty picker: the digits, letters and numeric pad, the
// punctuation keys, and the keys that edit or move on.
bool IsEditKey(uint16_t Key) {
    return Key == VK_BACK || Key == VK_SPACE || Key == VK_DELETE || Key == VK_RIGHT ||
           (Key >= 0x30 && Key <= 0x6F) || Key > 0x91;
}

// Keys that change the value rather than only move the highlight.
bool ChangesValue(uint16_t Key) {
    return Key == VK_UP || Key == VK_DOWN || Key == VK_HOME || Key == VK_END || Key == VK_DELETE ||
           Key == VK_BACK || (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z');
}

bool IsDigitKey(uint16_t Key) {
    return Key >= '0' && Key <= '9';
}

bool IsLetterKey(uint16_t Key) {
    return Key >= 'A' && Key <= 'Z';
}

// The key the arithmetic and numeric-pad keys stand for.
uint16_t ActingKey(uint16_t Key) {
    if (Key == VK_ADD || Key == VK_OEM_PLUS) return VK_UP;
    if (Key == VK_SUBTRACT || Key == VK_OEM_MINUS) return VK_DOWN;
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9)
        return static_cast<uint16_t>('0' + Key - VK_NUMPAD0);
    return Key;
}

bool TypesCharacter(uint16_t Key, TShiftState Shift, char Ch) {
    const int16_t scan = VkKeyScan(Ch);
    if (scan == -1) return false;
    const bool shifted = (scan >> 8 & 1) != 0;
    return (scan & 0xFF) == Key && shifted == Shift.Contains(ssShift);
}

}  // namespace

bool TwwPickerParts::IsWholeTextSelected() {
    TCustomEdit& edit = FHost.EditWindow();
    return edit.SelStart() == 0 && edit.SelLength() == static_cast<int32_t>(edit.Text().size());
}

bool TwwPickerParts::IsSeparatorKey(uint16_t Key, TShiftState Shift) {
    const TFormatSettings& fs = FormatSettings();
    return TypesCharacter(Key, Shift, fs.DateSeparator) ||
           TypesCharacter(Key, Shift, fs.TimeSeparator);
}

bool TwwPickerParts::HandToGrid(uint16_t Key, TShiftState Shift) {
    TCustomEdit& edit = FHost.EditWindow();
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool dropped = FHost.IsDroppedDown();
    const auto length = static_cast<int32_t>(edit.Text().size());
    const bool whole = IsWholeTextSelected();
    const bool moves = Key == VK_HOME || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT;
    bool hand = false;
    switch (Key) {
        case VK_ESCAPE:
            hand = !FHost.Modified();
            break;
        case VK_PRIOR:
        case VK_NEXT:
            hand = !dropped && !AltDown();
            break;
        case VK_UP:
        case VK_DOWN:
            hand = ctrl || whole;
            break;
        default:
            break;
    }
    if (!hand && !dropped && wwGetGridOptions(&edit).Contains(dgAlwaysShowEditor)) {
        switch (Key) {
            case VK_LEFT:
                hand = ctrl || edit.SelStart() == 0;
                break;
            case VK_RIGHT:
                hand = ctrl || edit.SelStart() + edit.SelLength() == length;
                break;
            case VK_HOME:
            case VK_END:
                hand = ctrl || whole;
                break;
            case VK_INSERT:
                hand = !Shift.Contains(ssShift);
                break;
            case VK_DELETE:
                hand = ctrl;
                break;
            default:
                break;
        }
    }
    if (moves && !FHost.EditCanModify()) hand = true;
    return hand && wwHandKeyToGrid(&edit, Key, Shift);
}

void TwwPickerParts::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomEdit& edit = FHost.EditWindow();
    if (Key == 0) return;
    if (wwInGrid(&edit)) {
        if (HandToGrid(Key, Shift)) {
            Key = 0;
            return;
        }
        if (Key == VK_F2) {
            Key = 0;
            if (!CommitPending()) return;
            edit.SetSelLength(0);
            FCurrentPart = 1;
            HighlightCurrentPart();
            return;
        }
    }
    if (Shift.Contains(ssCtrl) || AltDown()) return;
    if (!MayModify()) {
        Key = 0;
        return;
    }
    if (IsEditKey(Key)) {
        FHost.SetEmptyFlag(false);
        if (!StartFromEmpty(Key)) {
            Key = 0;
            return;
        }
    }
    uint16_t key = ActingKey(Key);
    if (IsSeparatorKey(Key, Shift)) {
        if (FAutoAdvance && !PartPending()) {
            Key = 0;
            return;
        }
        key = VK_RIGHT;
    }
    // A bound picker's dataset goes into edit mode before its value changes; the data change
    // that tells of it may free the picker.
    const std::weak_ptr<const void> life = Life();
    if (ChangesValue(key) && (!EditField() || life.expired())) {
        Key = 0;
        return;
    }
    if (!IsLetterKey(key)) FTypedLetters.clear();
    const bool shift = Shift.Contains(ssShift);
    switch (key) {
        case VK_BACK:
            if (PartPending())
                RemoveTypedDigit();
            else if (IsWholeTextSelected())
                Clear();
            else
                MoveLeft();
            break;
        case VK_LEFT:
            MoveLeft();
            break;
        case VK_RIGHT:
            if (shift && FCurrentPart == 1)
                edit.SelectAll();
            else
                MoveRight();
            break;
        case VK_SPACE:
            MoveRight();
            break;
        case VK_HOME:
        case VK_END:
            if (shift)
                edit.SelectAll();
            else
                ChangePart(key);
            break;
        case VK_UP:
        case VK_DOWN:
            ChangePart(key);
            break;
        case VK_DELETE:
            if (PartPending()) {
                DropPending();
                Refresh();
            } else {
                Clear();
            }
            break;
        case VK_F2:
            if (CommitPending()) HighlightCurrentPart();
            break;
        default:
            if (IsDigitKey(key))
                TypeDigit(key - '0');
            else if (IsLetterKey(key))
                TypeLetter(static_cast<char>(key));
            else
                return;
            break;
    }
    Key = 0;
}

bool TwwPickerParts::StartFromEmpty(uint16_t Key) {
    const TDateTimeParts value = SplitDateTime(FHost.PickerValue());
    const TwwPickerPartsKind kind = FHost.PartsKind();
    const bool empty = kind == TwwPickerPartsKind::TimeOnly ? value.MSec == 0
                       : FHost.IsDateOnly()                 ? value.Day == 0
                                                            : FHost.PickerValue() == 0;
    // A binding half made shows nothing and has nowhere to write.
    const std::weak_ptr<const void> life = Life();
    if (!empty || AltDown() || BindingInactive() || !EditField()) return !life.expired();
    if (life.expired()) return false;
    const TDateTime now = FHost.Now();
    if (kind == TwwPickerPartsKind::TimeOnly) {
        FHost.SetTime(IsDigitKey(ActingKey(Key))
                          ? 0
                          : ComposeDateTime(TDateTimeParts{0, SplitDateTime(now).MSec}));
    } else {
        const TDateTime minDate = FHost.MinDate(), maxDate = FHost.MaxDate();
        const int32_t today = SplitDateTime(now).Day;
        if (minDate != 0 && today <= WholeDay(minDate))
            // The earliest moment allowed itself: its day at midnight may lie before it.
            FHost.SetPickerValue(minDate);
        else if (maxDate != 0 && today > WholeDay(maxDate))
            FHost.SetDate(WholeDay(maxDate));
        else
            FHost.SetDate(today);
    }
    if (life.expired()) return false;
    FHost.SetModified(true);
    FCurrentPart = 1;
    HighlightCurrentPart();
    return true;
}

void TwwPickerParts::MoveLeft() {
    if (!CommitPending()) return;
    FCurrentPart = std::max(1, std::min(FCurrentPart - 1, LastPart()));
    HighlightCurrentPart();
}

void TwwPickerParts::MoveRight() {
    if (FCurrentPart >= PartCount()) {
        if (CommitPending()) HighlightCurrentPart();
        return;
    }
    if (!CommitPending()) return;
    if (FHost.IsCFormat() && FCurrentPart >= LastPart()) {
        // Going on past the date of a hidden midnight shows the time, as of now.
        const TDateTimeParts value = SplitDateTime(FHost.PickerValue());
        const int32_t day = value.Day != 0 ? value.Day : SplitDateTime(FHost.Now()).Day;
        const std::weak_ptr<const void> life = Life();
        const bool taken =
            Apply(ComposeDateTime(TDateTimeParts{day, SplitDateTime(FHost.Now()).MSec}));
        if (life.expired() || (taken && !AfterChange())) return;
    }
    FCurrentPart = std::min(FCurrentPart + 1, std::max(1, LastPart()));
    HighlightCurrentPart();
}

void TwwPickerParts::ChangePart(uint16_t Key) {
    if (!CommitPending()) return;
    TDateTime value = FHost.PickerValue();
    const TwwPartsLayout layout = LayoutFor(value);
    const TwwLocatedPart part = wwLocatePart(layout, FCurrentPart);
    if (!part.Found) return;
    const TwwPartRules rules = RulesFor(layout);
    const bool changed = Key == VK_UP || Key == VK_DOWN
                             ? wwStepPart(value, part.Field, Key == VK_UP ? 1 : -1, rules)
                             : wwSetPartToLimit(value, part.Field, Key == VK_END, rules);
    if (!changed) {
        // Beyond the last day there is.
        FHost.Beep();
        Refresh();
        return;
    }
    const std::weak_ptr<const void> life = Life();
    if (Apply(value) && !life.expired()) AfterChange();
}

}  // namespace vex
