#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dataaware/data/wwdataaware.h"
#include "dataaware/edits/wwdbdatetimepickervalues.h"
#include "dataaware/edits/wwmonthcalendar.h"
#include "dataaware/edits/wwpopupcalendar.h"
#include "platform/core/datetimeformat.h"
#include "platform/core/events.h"
#include "platform/gfx/font.h"
#include "platform/ui/customedit.h"
#include "platform/ui/speedbutton.h"

namespace vex {

class TField;
class TFieldDataLink;
class TwwPickerParts;

enum TDTDateFormat { dfShort, dfLong };
enum TwwDTEditDataType { wwDTEdtDateTime, wwDTEdtDate, wwDTEdtTime };
enum TwwDTCalAlignment { wwdtaLeft, wwdtaRight, wwdtaCenter };

// How a picker's drop-down calendar looks; handed to the calendar at every drop-down.
class TwwCalendarOptions : public TPersistent {
    VEX_CLASS(TwwCalendarOptions, TPersistent)

public:
    TwwCalendarOptions();
    ~TwwCalendarOptions() override;

    TwwDTCalAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TwwDTCalAlignment Value) { FAlignment = Value; }
    TwwDateTimeColors* Colors() const { return FColors.get(); }
    void SetColors(const TwwDateTimeColors* Value) { FColors->Assign(Value); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    TwwMonthOptions Options() const { return FOptions; }
    void SetOptions(TwwMonthOptions Value) { FOptions = Value; }
    TwwPopupYearOptions* PopupYearOptions() const { return FPopupYearOptions.get(); }
    void SetPopupYearOptions(const TwwPopupYearOptions* Value) { FPopupYearOptions->Assign(Value); }
    TwwCalDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TwwCalDayOfWeek Value) { FFirstDayOfWeek = Value; }

private:
    TwwDTCalAlignment FAlignment = wwdtaLeft;
    std::unique_ptr<TwwDateTimeColors> FColors;
    std::unique_ptr<TFont> FFont;
    TwwMonthOptions FOptions{mdoDayState};
    std::unique_ptr<TwwPopupYearOptions> FPopupYearOptions;
    TwwCalDayOfWeek FFirstDayOfWeek = wwdowLocaleDefault;
};

// The picker's drop-down button: the combo box's arrow and nothing else.
class TwwDateComboButton : public TSpeedButton {
    VEX_CLASS(TwwDateComboButton, TSpeedButton)

public:
    using TSpeedButton::TSpeedButton;

protected:
    void Paint() override;
};

// A one-line edit of one date, time or date-and-time, shown through a display format and changed
// part by part from the keyboard, with a month calendar to drop down. Bound to a field through
// its data link (the field is the master copy, written back when the record is posted or the
// control is left), or unbound with a kind of its own. A value of 0 is no value.
class TwwDBCustomDateTimePicker : public TCustomEdit,
                                  public TwwPopupCalendarPicker,
                                  public IDataAwareControl {
    VEX_CLASS(TwwDBCustomDateTimePicker, TCustomEdit)

public:
    explicit TwwDBCustomDateTimePicker(TComponent* AOwner);
    ~TwwDBCustomDateTimePicker() override;

    // The bound field's alignment; left when unbound.
    TAlignment Alignment() const { return FAlignment; }
    TwwCalendarOptions* CalendarAttributes() const { return FCalendarAttributes.get(); }

    TDataSource* DataSource() const override;
    void SetDataSource(TDataSource* Value) override;
    std::string DataField() const override;
    void SetDataField(const std::string& Value) override;
    // The bound field; nil when unbound or the binding is not active.
    TField* Field() const;
    TFieldDataLink* DataLink() const { return FDataLink.get(); }

    // The value: 0 means none. Setting checks MinDate and MaxDate (whole days) first and, when
    // the value is out of range, raises EDateTimeError with the value, the text and the modified
    // state as they were.
    TDateTime Value() const { return FValue; }
    void SetValue(TDateTime Value);
    // 0 for a time-only kind; setting one is ignored there. Setting keeps the time of day.
    TDateTime Date();
    void SetDate(TDateTime Value) override;
    // 0 for the date kind; setting one is ignored there. Setting keeps the day.
    TDateTime Time();
    void SetTime(TDateTime Value);

    // 0: no limit. A limit that would cross the other raises EDateTimeError.
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    // The limits that calendar and typing keep to: 31 December 1899 and 31 December 9999 stand
    // for no limit.
    TDateTime EffectiveMinDate() const;
    TDateTime EffectiveMaxDate() const;

    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat Value);
    const std::string& DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const std::string& Value);
    TwwDTEditDataType UnboundDataType() const { return FUnboundDataType; }
    void SetUnboundDataType(TwwDTEditDataType Value);
    // Pivot year of two-digit years.
    int32_t Epoch() const { return FEpoch; }
    void SetEpoch(int32_t Value) { FEpoch = Value; }
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    bool ShowButton() const { return FShowButton; }
    virtual void SetShowButton(bool Value);
    // Published for compatibility with stored forms; always false.
    bool Ondrix() const { return false; }

    // The kind of value, from the field's type, or UnboundDataType when unbound.
    bool IsDateTimeKind() const;
    bool IsDateKind() const;
    bool IsTimeOnlyKind() const;
    // Written back as a date alone, keeping the field's time of day.
    bool IsDateOnlyKind() const;
    // DisplayFormat, else the field's; Expanded fills an empty one from the settings.
    std::string EffectiveDisplayFormat(bool Expanded) const;
    // Value formatted as the control shows values (no shown time when its day is 0 and the kind
    // is not time only).
    std::string TextOfValue(TDateTime Value) const;
    // What the control shows for Value now: nothing for an inactive binding, a null field or an
    // empty unbound picker.
    std::string DisplayTextOf(TDateTime Value) const;

    // Whether the user may change the value now.
    bool MayModify() const;
    // Whether the field may be edited at all (a calculated or lookup field in browse mode too).
    virtual bool MayEditField() const;

    // The drop-down calendar; nil before the first drop-down and after the picker was left.
    TwwPopupCalendar* PopupCalendar() override { return FPopupCalendar; }
    bool IsDroppedDown() override;
    virtual void DropDown();
    void CloseUp(bool Accept) override;
    TwwDateComboButton* Button() const { return FButton; }
    TWinControl* ButtonPanel() const { return FButtonPanel; }

    TCalcBoldDayEvent OnCalcBoldDay;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;

    // The popup calendar's callbacks.
    bool EditCanModify() override;
    void NotifyChange() override { Change(); }
    // True tells the link the record was modified (unless the field is read-only) and marks
    // the edit modified.
    void SetModified(bool Value) override;
    // The calendar offers MinDate's whole day: a time of day on it before MinDate's gives
    // MinDate, where the Date setter would raise.
    void TakeCalendarDay(TDateTime Day) override;
    HWND PickerWindow() override { return Handle(); }

    // The button too: it is drawn from the picker's state.
    void Invalidate() override;
    // Every cut and paste: the part editor empties the picker or reads the text pasted.
    void CutToClipboard() override;
    void PasteFromClipboard() override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void Change() override;
    void Paint() override;
    bool UserMayEdit() const override;

    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMCancelMode(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CNKeyDown(TMessage& Message) override;

    // Part-by-part editing: the keys, the presses and double clicks go to the part editor.
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DefaultHandler(TMessage& Message) override;

    // The edit area: left of the button when it shows.
    virtual void SetEditRect();
    // Where the button's panel starts, less the pixel its edge takes.
    virtual int32_t ButtonLeft() const;
    // Puts the dataset into edit mode when it may; whether the link is editing now.
    bool EditPermission();

private:
    // What the part editor asks of the picker (wwdbdatetimepickerediting.cpp).
    class TPartsHost;
    friend class TPartsHost;

    // Binding (wwdbdatetimepickerbinding.cpp).
    void DataChange(TObject* Sender);
    void UpdateData(TObject* Sender);
    // A DataSource or DataField is set but no field is bound.
    bool BindingInactive() const;
    bool Bound() const;
    // Shows the value again after a property change; false when a handler freed the picker.
    bool Refresh();
    // Replaces the text; false when a change handler freed the picker.
    bool ReplaceText(const std::string& Value);
    // Asked on every record a walk shows, without copying the text.
    bool TextIs(const std::string& Value) const;
    bool TextEmpty() const { return TextIs(""); }

    // The drop-down and its keys (wwdbdatetimepickerdropdown.cpp).
    // True when the key opened or closed the calendar.
    bool DropDownKey(WPARAM Key);
    void ButtonClick(TObject* Sender);
    // Value pulled within the limits, the last day counting as a whole.
    TDateTime WithinLimits(TDateTime Value) const;
    void PlaceCalendar(int32_t CalendarWidth, int32_t CalendarHeight);
    void LayoutButton();

    // Focus and painting (wwdbdatetimepickerfocus.cpp).
    // Whether the control draws its value itself rather than as the edit it is.
    bool PaintsItself();
    // The button shows exactly when ShowButton is on and the value has a date.
    void ShowButtonPanel();
    // Shows or hides the caret; unlike the platform's, these calls do not nest.
    void ShowEditCaret(bool Show);

    // DisplayFormat, else the field's, as set.
    const std::string& OwnOrFieldFormat() const;

    // Seams into the part editor. Taking a pending part runs the change handlers: false when
    // they freed the picker.
    void HighlightCurrentPart();
    bool CommitPendingPart();
    void FirstPart();

    TAlignment FAlignment = taLeftJustify;
    TwwPopupCalendar* FPopupCalendar = nullptr;
    std::unique_ptr<TwwCalendarOptions> FCalendarAttributes;
    TDTDateFormat FDateFormat = dfShort;
    TDateTime FMaxDate = 0;
    TDateTime FMinDate = 0;
    bool FClosing = false;
    TDateTime FEntryValue = 0;
    TDateTime FValue = 0;
    std::unique_ptr<TFieldDataLink> FDataLink;
    // The DataSource given, to know it by when it is freed.
    TComponent* FBoundSource = nullptr;
    TwwDateComboButton* FButton = nullptr;
    TWinControl* FButtonPanel = nullptr;
    bool FFocused = false;
    bool FCaretHidden = false;
    TwwDTEditDataType FUnboundDataType = wwDTEdtDateTime;
    std::string FDisplayFormat;
    mutable TwwFormatParts FFormatParts;
    mutable TDateTimeFormat FTextFormat;
    bool FEmpty = true;
    int32_t FEpoch;
    bool FOpenedByButton = false;
    TDateTime FValueBeforeDropDown = 0;
    bool FEscapeConsumed = false;
    bool FShowButton = true;
    std::unique_ptr<TPartsHost> FPartsHost;
    std::unique_ptr<TwwPickerParts> FParts;
    // Held while this picker is dropped down, so a click elsewhere closes it; only its own
    // close-up or destruction removes it.
    std::unique_ptr<TwwCalendarMouseHook> FMouseHook;
};

// The picker as forms place it.
class TwwDBDateTimePicker : public TwwDBCustomDateTimePicker {
    VEX_CLASS(TwwDBDateTimePicker, TwwDBCustomDateTimePicker)

public:
    using TwwDBCustomDateTimePicker::TwwDBCustomDateTimePicker;
};

}  // namespace vex
