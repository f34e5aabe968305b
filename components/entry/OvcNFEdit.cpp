#include <memory>

#include "components/entry/OvcCmd.h"
#include "components/entry/OvcIntl.h"
#include "components/entry/OvcNF.h"
#include "platform/ui/form.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// Commands after which the selection stays as it is; after any other it collapses.
bool KeepsSelection(uint16_t Cmd) {
    switch (Cmd) {
        case ccExtendEnd:
        case ccExtendHome:
        case ccExtendLeft:
        case ccExtendRight:
        case ccExtWordLeft:
        case ccExtWordRight:
        case ccRestore:
        case ccMouse:
        case ccDblClk:
            return true;
        default:
            return false;
    }
}

}  // namespace

void TOvcCustomNumericField::PerformEdit(TMessage& Msg, uint16_t Cmd) {
    const std::weak_ptr<const void> life = LifeToken();
    const bool selected = SelEnd > SelStart;
    PrepareForEdit();
    switch (Cmd) {
        case ccChar:
            TypeChar(static_cast<char>(Msg.WParam));
            break;
        case ccBack:
        case ccDel:
            if (selected)
                ClearNumber();
            else
                FNumber.DeleteLast();
            ShowNumber();
            break;
        case ccCut:
        case ccDelWord:
            if (selected) {
                ClearNumber();
                ShowNumber();
            }
            break;
        case ccDelLine:
            ClearNumber();
            ShowNumber();
            break;
        case ccInc:
            IncreaseValue(true, 1);
            break;
        case ccDec:
            DecreaseValue(true, 1);
            break;
        case ccUp:
        case ccDown: {
            const bool up = Cmd == ccUp;
            if (AutoAdvanceUpDown())
                MoveFocus(!up);
            else if (ArrowIncDec() && !GetReadOnly())
                up ? IncreaseValue(true, 1) : DecreaseValue(true, 1);
            else if (AutoAdvanceLeftRight())
                MoveFocus(!up);
            break;
        }
        case ccLeft:
        case ccWordLeft:
        case ccRight:
            if (AutoAdvanceLeftRight()) MoveFocus(Cmd == ccRight);
            break;
        case ccExtendHome:
        case ccExtendEnd:
        case ccExtendLeft:
        case ccExtendRight:
        case ccExtWordLeft:
            SetSelection(0, MaxEntryFieldLength);
            break;
        case ccIns:
            SetInsertMode(!EntryState.Contains(esInsertMode));
            break;
        case ccPaste:
            if (Msg.LParam != 0) PasteText(*reinterpret_cast<const std::string*>(Msg.LParam));
            break;
        case ccRestore:
            Restore();
            if (life.expired()) return;
            LoadNumberBuffer();
            break;
        case ccCopy:
        case ccCtrlChar:
        case ccEnd:
        case ccHome:
        case ccMouse:
            break;
        default:
            // A key no command takes is typed by its character message, which finds the
            // selection still there to type over.
            EntryState.Include(esAllowChar);
            MoveCaretToEnd();
            return;
    }
    if (life.expired()) return;
    if (!KeepsSelection(Cmd) && SelEnd > SelStart) {
        SelStart = SelEnd = 0;
        Invalidate();
    }
    MoveCaretToEnd();
}

bool TOvcCustomNumericField::AddTypedChar(char C) {
    if (C == IntlSup().DecimalChar()) C = '.';
    const size_t last = Picture().LastPicturePos();
    if (last == std::string::npos ||
        !Picture().ValidateChar(Picture().MaskCharAt(last), C, true, ' '))
        return false;
    return FNumber.AddChar(C);
}

void TOvcCustomNumericField::TypeChar(char C) {
    // Another decimal character is the user's; a "." then means nothing.
    if (C == '.' && IntlSup().DecimalChar() != '.') return;
    if (SelEnd > SelStart && static_cast<unsigned char>(C) >= ' ') ClearNumber();
    if (FNumber.Overfull()) {
        if (AutoAdvanceChar())
            MoveFocus(true);
        else
            Beep();
        return;
    }
    if (!AddTypedChar(C)) {
        Beep();
        return;
    }
    ShowNumber();
    if (C != '-' && FNumber.Full() && AutoAdvanceChar()) MoveFocus(true);
}

void TOvcCustomNumericField::PasteText(const std::string& Text) {
    if (SelEnd > SelStart) ClearNumber();
    const bool parenthesised = Picture().HasChar('p') && Text.find(')') != std::string::npos;
    bool refused = false;
    for (char c : Text) {
        // "(12)" is how such a mask shows -12.
        if (c == ')' && parenthesised) continue;
        if (c == '(' && parenthesised) c = '-';
        if (c == '-' && FNumber.Negative()) continue;
        if (c == '.' && IntlSup().DecimalChar() != '.') continue;
        if (!AddTypedChar(c)) refused = true;
    }
    if (refused) Beep();
    ShowNumber();
}

void TOvcCustomNumericField::ClearNumber() {
    FNumber.Clear();
    SelStart = SelEnd = 0;
}

void TOvcCustomNumericField::ShowNumber() {
    EditString = MergedText(FNumber.ValueText());
    EntryState.Include(esModified);
    EntryState.Include(esModifiedSinceEnter);
    Invalidate();
    DoOnChange();
}

void TOvcCustomNumericField::MoveFocus(bool Forward) {
    // Posted, so that the command in hand finishes before the focus moves.
    if (TCustomForm* form = GetParentForm(this); form != nullptr && form->HandleAllocated())
        PostMessage(form->Handle(), WM_NEXTDLGCTL, Forward ? 0 : 1, 0);
}

void TOvcCustomNumericField::IncreaseValue(bool Wrap, double Delta) {
    StepValue(Wrap, Delta);
}

void TOvcCustomNumericField::DecreaseValue(bool Wrap, double Delta) {
    StepValue(Wrap, -Delta);
}

void TOvcCustomNumericField::StepValue(bool Wrap, double Delta) {
    if (!Focused()) return;
    long double value = 0;
    if (!ParseText(value)) return;
    const std::optional<long double> next =
        StepNumericValue(value, Delta, RangeValue(RangeLoValue), RangeValue(RangeHiValue), Wrap,
                         IsIntegerCode(DataTypeCode()));
    if (next) {
        StoreNumber(*next);
        EntryState.Include(esModified);
        EntryState.Include(esModifiedSinceEnter);
        DoOnChange();
    }
    UpdateCaret();
}

}  // namespace vex
