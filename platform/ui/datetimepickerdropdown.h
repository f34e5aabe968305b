#pragma once

#include "platform/core/types.h"
#include "platform/ui/wincontrol.h"

namespace vex {

class TDateTimePicker;

// The month calendar a date-time picker drops down: a window of the common controls' month
// calendar class, bordered, top-most and never taking the focus. While it shows it holds the
// mouse: a release over a day (one of the next or last month too) takes that day, a press
// outside closes it unchanged. The picker keeps the focus and hands it the keys it wants.
class TDateTimePickerDropDown : public TWinControl {
    VEX_CLASS(TDateTimePickerDropDown, TWinControl)

public:
    explicit TDateTimePickerDropDown(TDateTimePicker& Picker);

    // Shows Value's month below the face whose top left corner (screen coordinates) and height
    // are given, or above it where the screen ends below, and takes the mouse.
    void Open(TPoint Face, int32_t FaceHeight, TDateTime Value, TDateTime MinDate,
              TDateTime MaxDate);
    // Hides the calendar and lets the mouse go.
    void Close();
    bool IsOpen() const { return FOpen; }

    // The day the calendar marks, and marking another (its month comes into view).
    TDateTime ShownDate();
    void ShowDate(TDateTime Value);
    // Marks the day Days and Months away, within the picker's limits; a step beyond them or
    // beyond years 1 to 9999 beeps and stays.
    void MoveBy(int32_t Days, int32_t Months);

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

private:
    // Hands a mouse message to the calendar's own procedure and keeps the mouse after it.
    void PassMouse(TMessage& Message);
    // The day under a client point, when the point is on one.
    bool DayAt(TPoint At, TDateTime& Day);

    TDateTimePicker& FPicker;
    bool FOpen = false;
    // The calendar's procedure is running a mouse message: a change of the mouse's holder it
    // makes is its own, not a reason to close.
    bool FInCalendar = false;
    // The left button went down over a day: only then does its release choose one.
    bool FPressOnDay = false;
};

}  // namespace vex
