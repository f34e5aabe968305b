#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/events.h"
#include "platform/core/types.h"
#include "platform/ui/datetimepickerparts.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };

class TDateTimePickerDropDown;

// A one-line field that holds a date or a time of day, shown in the locale's short date (or long
// date) or short time format. The part the caret stands in is highlighted: Up and Down (and the
// wheel) step it, digits type it, Left and Right move between parts. For dates, Alt+Down, F4 or
// the button at the right drops down a month calendar; a click on a day takes it, Escape or a
// press outside closes it unchanged. A change the user makes fires OnChange; the setters fire
// nothing. Days outside MinDate and MaxDate are never taken: the value stops at the limit.
class TDateTimePicker : public TCustomControl {
    VEX_CLASS(TDateTimePicker, TCustomControl)

public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    // The day; setting it keeps the time of day.
    TDateTime Date() const;
    void SetDate(TDateTime Value);
    // The time of day; setting it keeps the day.
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    // The whole value, day and time.
    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime Value);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat Value);
    // Days before MinDate or after MaxDate cannot be set or chosen; 0 is no limit.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    bool DroppedDown() const;

    // The text as shown, and the index (from 0) of the highlighted part.
    std::string DisplayText() const;
    int32_t SelectedPart() const { return FSelectedPart; }

    // Drops the calendar down (dates only) or closes it without choosing.
    void DropDown();
    void CloseUp();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) override;
    void DefaultHandler(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void CMCancelMode(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    virtual void Change();

private:
    friend class TDateTimePickerDropDown;

    // The settings' format for Kind and DateFormat.
    std::string Format() const;
    // The text and its parts as shown, typed digits included.
    TDateTimePickerParts Parts() const;
    // Takes the digits typed into the selected part, if any; false when the change this told of
    // freed the picker.
    [[nodiscard]] bool FinishTyping();
    // Highlights part Index, kept within the parts.
    void SelectPart(int32_t Index);
    // Moves the selected part as an arrow key does.
    void StepSelected(int32_t Delta);
    // A key while the calendar is down: the arrows and pages move its day, Enter takes it.
    void CalendarKey(uint16_t Key);
    // Stores a value within the limits; a change the user made fires OnChange.
    void Commit(TDateTime Value, bool ByUser);
    TDateTime Clamped(TDateTime Value) const;
    TRect ButtonRect() const;
    // The calendar chose a day; the time of day stays.
    void DayChosen(TDateTime Day);

    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
    TDateTime FDateTime = 0;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    int32_t FSelectedPart = 0;
    TTypedNumber FTyped;
    std::unique_ptr<TDateTimePickerDropDown> FDropDown;
};

}  // namespace vex
