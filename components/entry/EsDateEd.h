#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "components/entry/EsCal.h"
#include "components/entry/EsCalColors.h"
#include "components/entry/EsDateParse.h"
#include "components/entry/EsEdPopup.h"
#include "platform/gfx/font.h"

namespace vex {

using TEsGetDateEvent = std::function<void(TObject* Sender, std::string& Value)>;

// A one-line edit for a calendar date. The text is read as a date in the order of the locale
// (see EsTextToDate) when the edit loses the focus, when its calendar drops down and whenever
// Date is read; "+" and "-" step a day; the TodayString means today. Alt+Down (or the button)
// drops down a calendar under the edit, above it near the bottom of the screen; a day chosen
// there with the mouse, Enter or Space closes it, keys moving in it change the text at once.
class TEsCustomDateEdit : public TEsEdPopup {
    VEX_CLASS(TEsCustomDateEdit, TEsEdPopup)

public:
    explicit TEsCustomDateEdit(TComponent* AOwner);

    // Reads the text first: bad text raises EEsError and leaves the date as it was.
    TDateTime Date();
    // Shows Value (0: no date, an empty text) and fires OnSetDate.
    void SetDate(TDateTime Value);

    bool AllowIncDec() const { return FAllowIncDec; }
    void SetAllowIncDec(bool Value) { FAllowIncDec = Value; }
    int32_t Epoch() const { return FRules.Epoch; }
    void SetEpoch(int32_t Value) { FRules.Epoch = Value; }
    bool ForceCentury() const { return FForceCentury; }
    void SetForceCentury(bool Value);
    TEsCalColors& PopupCalColors() { return FPopupCalColors; }
    void SetPopupCalColors(const TEsCalColors& Value) { FPopupCalColors.Assign(&Value); }
    TFont& PopupCalFont() { return FPopupCalFont; }
    // Copies Value; nil changes nothing.
    void SetPopupCalFont(const TFont* Value);
    int32_t PopupCalHeight() const { return FPopupCalHeight; }
    void SetPopupCalHeight(int32_t Value) { FPopupCalHeight = Value; }
    int32_t PopupCalWidth() const { return FPopupCalWidth; }
    void SetPopupCalWidth(int32_t Value) { FPopupCalWidth = Value; }
    TEsRequiredFields RequiredFields() const { return FRules.RequiredFields; }
    void SetRequiredFields(TEsRequiredFields Value) { FRules.RequiredFields = Value; }
    const std::string& TodayString() const { return FRules.TodayString; }
    void SetTodayString(const std::string& Value) { FRules.TodayString = Value; }
    TEsDayType WeekStarts() const { return FWeekStarts; }
    void SetWeekStarts(TEsDayType Value) { FWeekStarts = Value; }
    // The order of the parts, from the locale when the edit was made: 0 month-day-year,
    // 1 day-month-year, 2 year-month-day.
    int32_t DateOrder() const { return FRules.DateOrder; }
    static std::string Version() { return "1.05"; }

    // The drop-down calendar, made at the first PopupOpen.
    TEsCalendar* Calendar() const { return FCalendar; }
    void PopupOpen() override;
    void PopupClose(TObject* Sender) override;

    // May replace the text about to be read.
    TEsGetDateEvent OnGetDate;
    TNotifyEvent OnSetDate;

protected:
    virtual void TextToDate(std::string Text);
    virtual void DateToText(std::string& Text, TDateTime Date);

    void DoExit() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;

private:
    // What leaving the edit does: the text is read (the focus comes back and the error goes on
    // when it is bad), then OnExit unless the calendar is down.
    void LeaveField();
    // The calendar made once, as the first PopupOpen needs it (EsDateEdPopup.cpp).
    void MakeCalendar();
    void PlaceCalendar();
    void CalendarChange(TObject* Sender, TDateTime Value);
    void CalendarKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void CalendarKeyPress(TObject* Sender, char& Key);
    void CalendarMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X,
                           int32_t Y);
    // Closes the calendar and puts the caret at Caret without a selection.
    void CloseAt(int32_t Caret);

    bool FAllowIncDec = true;
    TDateTime FDate = 0;
    bool FForceCentury = false;
    TEsCalColors FPopupCalColors;
    TFont FPopupCalFont;
    int32_t FPopupCalHeight = 140;
    int32_t FPopupCalWidth = 200;
    TEsDateRules FRules;
    TEsDayType FWeekStarts = dtSunday;
    TEsCalendar* FCalendar = nullptr;
    TCursor FSavedCursor = crDefault;
    bool FSavedAutoScroll = false;
    bool FClosing = false;
};

// The date edit as it is put on a form.
class TEsDateEdit : public TEsCustomDateEdit {
    VEX_CLASS(TEsDateEdit, TEsCustomDateEdit)

public:
    using TEsCustomDateEdit::TEsCustomDateEdit;
};

}  // namespace vex
