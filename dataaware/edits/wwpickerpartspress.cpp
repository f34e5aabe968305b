#include "dataaware/edits/wwpickerparts.h"

#include <algorithm>

#include "dataaware/edits/wweditorgrid.h"
#include "dataaware/edits/wwpickerpartscivil.h"
#include "platform/core/stringutils.h"
#include "platform/ui/customedit.h"
#include "platform/ui/wincontrol.h"

namespace vex {

using namespace pickerparts;

namespace {

constexpr char CtrlV = 0x16;
constexpr char CtrlX = 0x18;
constexpr char EscapeChar = 0x1B;

bool IsPrintable(char Key) {
    return static_cast<unsigned char>(Key) >= 0x20;
}

// A letter no key's virtual code names: one of the code page's above A to Z. Such letters
// reach the parts as characters.
bool IsLetterBeyondAscii(char Key) {
    const std::string_view letter(&Key, 1);
    return static_cast<unsigned char>(Key) >= 0x80 &&
           AnsiUpperCase(letter) != AnsiLowerCase(letter);
}

}  // namespace

void TwwPickerParts::KeyPress(char& Key) {
    const bool inGrid = wwInGrid(&FHost.EditWindow());
    switch (Key) {
        case 0:
            return;
        case ' ':
            SetToNow();
            break;
        case '\r':
            if (inGrid)
                Key = 0;
            else if (CommitPending())
                HighlightCurrentPart();
            return;
        case '\t':
            if (inGrid) Key = 0;
            return;
        case EscapeChar:
            Escape();
            return;
        case '\b':
        case CtrlX:
        case CtrlV:
            break;
        default:
            if (!IsPrintable(Key)) return;
            if (IsLetterBeyondAscii(Key)) {
                const char letter = Key;
                Key = 0;
                const std::weak_ptr<const void> life = Life();
                if (MayModify() && EditField() && !life.expired()) TypeLetter(letter);
                return;
            } else if (FHost.HasField() && !FHost.FieldAcceptsChar(Key)) {
                FHost.Beep();
            }
            break;
    }
    // The edit window never gets text: every change goes through the parts.
    Key = 0;
}

void TwwPickerParts::SetToNow() {
    // A data source without a field is a binding not yet made: nothing to set.
    const std::weak_ptr<const void> life = Life();
    if (BindingInactive() || !FHost.EditCanModify() || !EditField() || life.expired()) return;
    const TDateTime now = FHost.Now();
    DropPending();
    if (OutsideLimits(now)) {
        FHost.Beep();
        return;
    }
    if (!Apply(now) || life.expired()) return;
    FHost.SetEmptyFlag(false);
    AfterChange();
}

void TwwPickerParts::Escape() {
    if (FHost.EscapeConsumed()) {
        FHost.SetEscapeConsumed(false);
        return;
    }
    DropPending();
    const std::weak_ptr<const void> life = Life();
    if (FHost.HasField())
        FHost.LinkReset();
    else
        SetValueOrBeep(FHost.EntryValue());
    if (life.expired()) return;
    FHost.SetModified(false);
    if (!FHost.ReplaceText(FHost.DisplayText())) return;
    TCustomEdit& edit = FHost.EditWindow();
    HighlightCurrentPart();
    FHost.ShowEditCaret(true);
    if (wwInGrid(&edit))
        edit.Parent()->SetFocus();
    else
        edit.SelectAll();
}

void TwwPickerParts::MouseDown(int32_t X) {
    if (FHost.EmptyFlag() && FHost.PickerValue() == 0) {
        FHost.ShowEditCaret(true);
        return;
    }
    // Entering runs the picker's enter and change handlers.
    const std::weak_ptr<const void> life = Life();
    FHost.TakeFocus();
    if (life.expired() || !CommitPending()) return;
    const TwwPartsLayout layout = LayoutFor(FHost.PickerValue());
    // Parts of a hidden midnight are not on the screen to be clicked.
    const int32_t last = std::max(1, LastPart());
    const int32_t left = FHost.TextLeft();
    FCurrentPart = last;
    for (int32_t part = 1; part < last; ++part)
        if (left + FHost.TextWidth(wwLocatePart(layout, part).TextToEnd) > X) {
            FCurrentPart = part;
            break;
        }
    HighlightCurrentPart();
}

void TwwPickerParts::DoubleClick() {
    FHost.EditWindow().SelectAll();
}

}  // namespace vex
