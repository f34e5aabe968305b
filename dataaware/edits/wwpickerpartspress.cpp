#include "dataaware/edits/wweditorgrid.h"
#include "dataaware/edits/wwpickerparts.h"
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
            if (!inGrid) {
                CommitPending();
                HighlightCurrentPart();
            }
            if (inGrid) Key = 0;
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
                if (MayModify() && EditField()) TypeLetter(Key);
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
    if (BindingInactive() || !FHost.EditCanModify() || !EditField()) return;
    const TDateTime now = FHost.Now();
    DropPending();
    if (OutsideLimits(now)) {
        FHost.Beep();
        return;
    }
    if (!Apply(now)) return;
    FHost.SetEmptyFlag(false);
    AfterChange();
}

void TwwPickerParts::Escape() {
    if (FHost.EscapeConsumed()) {
        FHost.SetEscapeConsumed(false);
        return;
    }
    DropPending();
    if (FHost.HasField())
        FHost.LinkReset();
    else
        SetValueOrBeep(FHost.EntryValue());
    FHost.SetModified(false);
    TCustomEdit& edit = FHost.EditWindow();
    edit.SetText(FHost.DisplayText());
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
    FHost.TakeFocus();
    CommitPending();
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
