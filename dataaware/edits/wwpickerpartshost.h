#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dataaware/edits/wwmonthcalendar.h"
#include "platform/core/types.h"

// In a header of its own, apart from the part editor: the picker's header, which implements it,
// needs nothing of the part editor's routines.

namespace vex {

class TCustomEdit;

// Which tokens of the format the user edits: a date picker leaves the time alone and a time
// picker the date.
enum class TwwPickerPartsKind : uint8_t { DateAndTime, Date, TimeOnly };

// What the part editor asks of the date/time picker that owns it. The picker keeps the value,
// its binding and its window; the part editor only decides what a key or a click does to them.
class TwwPickerPartsHost {
public:
    virtual ~TwwPickerPartsHost() = default;

    // The value as stored, without taking a pending part first.
    virtual TDateTime PickerValue() = 0;
    // The value setter, and the Date and Time setters, with their range checks (EDateTimeError).
    virtual void SetPickerValue(TDateTime Value) = 0;
    virtual void SetDate(TDateTime Value) = 0;
    virtual void SetTime(TDateTime Value) = 0;
    // The value when the control was entered; Escape on an unbound picker goes back to it.
    virtual TDateTime EntryValue() = 0;

    virtual TwwPickerPartsKind PartsKind() = 0;
    // Write-back keeps the field's time of day: a date field, or a date-time field whose format
    // shows no time.
    virtual bool IsDateOnly() = 0;
    // Bound to a field of type ftDateTime.
    virtual bool IsDateTimeField() = 0;
    // The display format with the defaults filled in, shorthand not expanded.
    virtual std::string EffectiveFormat() = 0;
    // The text shows the short date and the long time, and no time at midnight.
    virtual bool IsCFormat() = 0;
    // The text of a value, and the text the picker shows now (empty for an inactive binding, a
    // null field or no value).
    virtual std::string TextOfValue(TDateTime Value) = 0;
    virtual std::string DisplayText() = 0;
    virtual int32_t Epoch() = 0;
    // As set; 0 for no limit.
    virtual TDateTime MinDate() = 0;
    virtual TDateTime MaxDate() = 0;
    virtual TwwCalDayOfWeek FirstDayOfWeek() = 0;

    // An unbound picker whose value is 0 shows empty text while this is set.
    virtual bool EmptyFlag() = 0;
    virtual void SetEmptyFlag(bool Value) = 0;
    virtual bool Modified() = 0;
    // Tells the link the record was modified, as the picker's set-modified does.
    virtual void SetModified(bool Value) = 0;
    virtual bool EditCanModify() = 0;
    // Asks the link to put the dataset into edit mode; false when it may not.
    virtual bool LinkEdit() = 0;
    // Puts the field's value back into the control, dropping the edit.
    virtual void LinkReset() = 0;
    virtual bool HasDataSource() = 0;
    virtual bool HasDataField() = 0;
    // A field is bound and active.
    virtual bool HasField() = 0;
    virtual bool FieldRequired() = 0;
    // Whether the bound field takes the character; true unbound.
    virtual bool FieldAcceptsChar(char Ch) = 0;

    virtual bool IsDroppedDown() = 0;
    // Escape closed the calendar at key-down, so the Escape character that follows is eaten.
    virtual bool EscapeConsumed() = 0;
    virtual void SetEscapeConsumed(bool Value) = 0;

    // The clock the picker reads (today is Now's day).
    virtual TDateTime Now() = 0;
    virtual void Beep() = 0;

    // The picker's edit window: text, selection, the inherited read-only state.
    virtual TCustomEdit& EditWindow() = 0;
    // Replaces the text; false when a change handler freed the picker.
    virtual bool ReplaceText(const std::string& Text) = 0;
    // Shows or hides the caret; calls do not nest (the platform's hiding does).
    virtual void ShowEditCaret(bool Show) = 0;
    // The client x where the text starts, and the width of Text in the control's font.
    virtual int32_t TextLeft() = 0;
    virtual int32_t TextWidth(std::string_view Text) = 0;
    virtual void TakeFocus() = 0;
    // The edit window's own cut and paste, not the picker's handlers.
    virtual void DefaultCut() = 0;
    virtual void DefaultPaste() = 0;
};

}  // namespace vex
