#include "dataaware/edits/wwdbdatetimepicker.h"
#include "platform/win/keyboard.h"

namespace vex {

void TwwDBCustomDateTimePicker::HighlightCurrentPart() {
    if (!HandleAllocated()) return;
    if (!MayModify())
        SelectAll();
    else if (IsDroppedDown())
        SetSelStart(0);
}

void TwwDBCustomDateTimePicker::CommitPendingPart() {}

void TwwDBCustomDateTimePicker::FirstPart() {}

void TwwDBCustomDateTimePicker::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
}

void TwwDBCustomDateTimePicker::KeyPress(char& Key) {
    if (Key == VK_ESCAPE && FEscapeConsumed) {
        // The calendar took this Escape already.
        FEscapeConsumed = false;
        Key = 0;
        return;
    }
    TCustomEdit::KeyPress(Key);
}

void TwwDBCustomDateTimePicker::WMLButtonDown(TMessage& Message) {
    TCustomEdit::WMLButtonDown(Message);
}

void TwwDBCustomDateTimePicker::WMLButtonDblClk(TMessage& Message) {
    TCustomEdit::WMLButtonDblClk(Message);
}

void TwwDBCustomDateTimePicker::WMLButtonUp(TMessage& Message) {
    TCustomEdit::WMLButtonUp(Message);
}

void TwwDBCustomDateTimePicker::CutToClipboard() {
    TCustomEdit::CutToClipboard();
}

void TwwDBCustomDateTimePicker::PasteFromClipboard() {
    TCustomEdit::PasteFromClipboard();
}

}  // namespace vex
