#include <string>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepickerpartshost.h"
#include "dataaware/edits/wwpickerparts.h"
#include "platform/core/datetime.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"
#include "platform/win/systemmetrics.h"

namespace vex {

// The part editor decides what keys, clicks, cuts and pastes do; the picker hands them on.

void TwwDBCustomDateTimePicker::HighlightCurrentPart() {
    FParts->HighlightCurrentPart();
}

bool TwwDBCustomDateTimePicker::CommitPendingPart() {
    return FParts->CommitPending();
}

void TwwDBCustomDateTimePicker::FirstPart() {
    FParts->SetCurrentPart(1);
}

void TwwDBCustomDateTimePicker::KeyDown(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomEdit::KeyDown(Key, Shift);
    if (life.expired() || Key == 0) return;
    // The calendar has had the key already; the text follows its day, not the key.
    if (IsDroppedDown()) {
        Key = 0;
        return;
    }
    FParts->KeyDown(Key, Shift);
}

void TwwDBCustomDateTimePicker::KeyPress(char& Key) {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomEdit::KeyPress(Key);
    if (life.expired() || Key == 0) return;
    if (IsDroppedDown()) {
        Key = 0;
        return;
    }
    FParts->KeyPress(Key);
}

void TwwDBCustomDateTimePicker::DefaultHandler(TMessage& Message) {
    // A press picks a part rather than placing a caret or starting a selection by dragging.
    if (Message.Msg == WM_LBUTTONDOWN) {
        FParts->MouseDown(MessagePoint(Message.LParam).X);
        return;
    }
    if (Message.Msg == WM_LBUTTONDBLCLK) {
        FParts->DoubleClick();
        return;
    }
    TCustomEdit::DefaultHandler(Message);
}

void TwwDBCustomDateTimePicker::CutToClipboard() {
    FParts->Cut();
}

void TwwDBCustomDateTimePicker::PasteFromClipboard() {
    FParts->Paste();
}

TDateTime TwwDBCustomDateTimePicker::TPartsHost::PickerValue() {
    return P.FValue;
}

void TwwDBCustomDateTimePicker::TPartsHost::SetPickerValue(TDateTime Value) {
    P.SetValue(Value);
}

void TwwDBCustomDateTimePicker::TPartsHost::SetDate(TDateTime Value) {
    P.SetDate(Value);
}

void TwwDBCustomDateTimePicker::TPartsHost::SetTime(TDateTime Value) {
    P.SetTime(Value);
}

TDateTime TwwDBCustomDateTimePicker::TPartsHost::EntryValue() {
    return P.FEntryValue;
}

TwwPickerPartsKind TwwDBCustomDateTimePicker::TPartsHost::PartsKind() {
    if (P.IsTimeOnlyKind()) return TwwPickerPartsKind::TimeOnly;
    return P.IsDateKind() ? TwwPickerPartsKind::Date : TwwPickerPartsKind::DateAndTime;
}

bool TwwDBCustomDateTimePicker::TPartsHost::IsDateOnly() {
    return P.IsDateOnlyKind();
}

bool TwwDBCustomDateTimePicker::TPartsHost::IsDateTimeField() {
    return P.Field() != nullptr && P.Field()->DataType() == ftDateTime;
}

std::string TwwDBCustomDateTimePicker::TPartsHost::EffectiveFormat() {
    return P.EffectiveDisplayFormat(true);
}

bool TwwDBCustomDateTimePicker::TPartsHost::IsCFormat() {
    return P.IsDateTimeKind() && !P.IsTimeOnlyKind() && P.EffectiveDisplayFormat(true) == "c";
}

std::string TwwDBCustomDateTimePicker::TPartsHost::TextOfValue(TDateTime Value) {
    return P.TextOfValue(Value);
}

std::string TwwDBCustomDateTimePicker::TPartsHost::DisplayText() {
    return P.DisplayTextOf(P.FValue);
}

int32_t TwwDBCustomDateTimePicker::TPartsHost::Epoch() {
    return P.Epoch();
}

TDateTime TwwDBCustomDateTimePicker::TPartsHost::MinDate() {
    return P.MinDate();
}

TDateTime TwwDBCustomDateTimePicker::TPartsHost::MaxDate() {
    return P.MaxDate();
}

TwwCalDayOfWeek TwwDBCustomDateTimePicker::TPartsHost::FirstDayOfWeek() {
    return P.CalendarAttributes()->FirstDayOfWeek();
}

bool TwwDBCustomDateTimePicker::TPartsHost::EmptyFlag() {
    return P.FEmpty;
}

void TwwDBCustomDateTimePicker::TPartsHost::SetEmptyFlag(bool Value) {
    P.FEmpty = Value;
}

bool TwwDBCustomDateTimePicker::TPartsHost::Modified() {
    return P.Modified();
}

void TwwDBCustomDateTimePicker::TPartsHost::SetModified(bool Value) {
    P.SetModified(Value);
}

bool TwwDBCustomDateTimePicker::TPartsHost::EditCanModify() {
    return P.MayModify();
}

bool TwwDBCustomDateTimePicker::TPartsHost::LinkEdit() {
    return P.EditPermission();
}

void TwwDBCustomDateTimePicker::TPartsHost::LinkReset() {
    P.FDataLink->Reset();
}

bool TwwDBCustomDateTimePicker::TPartsHost::HasDataSource() {
    return P.DataSource() != nullptr;
}

bool TwwDBCustomDateTimePicker::TPartsHost::HasDataField() {
    return !P.DataField().empty();
}

bool TwwDBCustomDateTimePicker::TPartsHost::HasField() {
    return P.Field() != nullptr;
}

bool TwwDBCustomDateTimePicker::TPartsHost::FieldRequired() {
    return P.Field() != nullptr && P.Field()->Required();
}

bool TwwDBCustomDateTimePicker::TPartsHost::FieldAcceptsChar(char Ch) {
    return P.Field() == nullptr || P.Field()->IsValidChar(Ch);
}

bool TwwDBCustomDateTimePicker::TPartsHost::IsDroppedDown() {
    return P.IsDroppedDown();
}

bool TwwDBCustomDateTimePicker::TPartsHost::EscapeConsumed() {
    return P.FEscapeConsumed;
}

void TwwDBCustomDateTimePicker::TPartsHost::SetEscapeConsumed(bool Value) {
    P.FEscapeConsumed = Value;
}

TDateTime TwwDBCustomDateTimePicker::TPartsHost::Now() {
    return ::vex::Now();
}

void TwwDBCustomDateTimePicker::TPartsHost::Beep() {
    MessageBeep(0);
}

TCustomEdit& TwwDBCustomDateTimePicker::TPartsHost::EditWindow() {
    return P;
}

bool TwwDBCustomDateTimePicker::TPartsHost::ReplaceText(const std::string& Text) {
    // Setting the text clears the edit's modified flag, but a part refused or shown again must
    // not drop the edits already made: the post would then write nothing. A change handler that
    // posted or cancelled the record has ended those edits, though, and they stay dropped.
    const bool modified = P.Modified();
    const bool editing = P.FDataLink->Editing();
    if (!P.ReplaceText(Text)) return false;
    if (modified && P.FDataLink->Editing() == editing) P.TCustomEdit::SetModified(true);
    return true;
}

void TwwDBCustomDateTimePicker::TPartsHost::ShowEditCaret(bool Show) {
    P.ShowEditCaret(Show);
}

int32_t TwwDBCustomDateTimePicker::TPartsHost::TextLeft() {
    return P.FormattingRect().Left - P.ScrollX();
}

int32_t TwwDBCustomDateTimePicker::TPartsHost::TextWidth(std::string_view Text) {
    TCanvas& canvas = P.Canvas();
    canvas.Font().Assign(&P.Font());
    return canvas.TextWidth(std::string(Text));
}

void TwwDBCustomDateTimePicker::TPartsHost::TakeFocus() {
    if (!P.Focused() && P.CanFocus()) P.SetFocus();
}

void TwwDBCustomDateTimePicker::TPartsHost::DefaultCut() {
    P.TCustomEdit::CutToClipboard();
}

void TwwDBCustomDateTimePicker::TPartsHost::DefaultPaste() {
    P.TCustomEdit::PasteFromClipboard();
}

}  // namespace vex
