#pragma once

#include "dataaware/edits/wweditorgrid.h"
#include "dataaware/edits/wwmonthcalendar.h"
#include "dataaware/edits/wwpickersupport.h"
#include "platform/win/mousehook.h"

namespace vex {

class TControl;
class TwwPopupCalendar;

// What a popup calendar needs of the picker that drops it down; the data-aware date/time picker
// implements it. The picker is a component, and the popup's owner.
class TwwPopupCalendarPicker {
public:
    virtual ~TwwPopupCalendarPicker() = default;

    // Ends the drop-down; Accept takes the calendar's day.
    virtual void CloseUp(bool Accept) = 0;
    virtual bool IsDroppedDown() = 0;
    // Whether the picker's value may be changed now (it may be read-only or bound to a field
    // that cannot be edited).
    virtual bool EditCanModify() = 0;
    // The picker's own change notification, as after an edit of its text.
    virtual void NotifyChange() = 0;
    virtual void SetModified(bool Value) = 0;
    virtual void SetDate(TDateTime Value) = 0;
    // The day the calendar moved to, as the picker takes it: by its Date setter, unless it
    // knows better.
    virtual void TakeCalendarDay(TDateTime Day) { SetDate(Day); }
    // The picker's window, which a click elsewhere sends CM_CANCELMODE.
    virtual HWND PickerWindow() = 0;
    // The calendar it has dropped down; nil when there is none.
    virtual TwwPopupCalendar* PopupCalendar() = 0;
};

// The month calendar a picker drops below itself: a bordered tool window on the desktop, so the
// picker's form does not clip it, that never takes the focus from the picker yet draws as
// focused. A release on a day closes the drop-down with that day, and every change of the day
// goes to the picker at once, while it is dropped down.
class TwwPopupCalendar : public TwwMonthCalendar {
    VEX_CLASS(TwwPopupCalendar, TwwMonthCalendar)

public:
    // APicker owns the popup; it must be a component.
    explicit TwwPopupCalendar(TwwPopupCalendarPicker* APicker);

    TwwPopupCalendarPicker* Picker() const { return FPicker; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void FocusRequest() override {}
    void WndProc(TMessage& Message) override;
    void WMLButtonUp(TMessage& Message) override;
    void Change() override;

private:
    TwwPopupCalendarPicker* FPicker;
};

// Closes the drop-down of the focused picker on a press of the left button anywhere outside it
// and its calendar, by posting the picker CM_CANCELMODE. A press while one of the calendar's
// menus is open belongs to the menu. The hook is there while the object lives.
class TwwCalendarMouseHook {
public:
    TwwCalendarMouseHook();
    ~TwwCalendarMouseHook();
    TwwCalendarMouseHook(const TwwCalendarMouseHook&) = delete;
    TwwCalendarMouseHook& operator=(const TwwCalendarMouseHook&) = delete;

    HHOOK Hook() const { return FHook; }

private:
    HHOOK FHook = 0;
};

}  // namespace vex
