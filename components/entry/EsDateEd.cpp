#include "components/entry/EsDateEd.h"

#include <memory>

#include "components/entry/EsGlyphs.h"
#include "components/entry/EsUtil.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/core/profile.h"
#include "platform/win/keyboard.h"

namespace vex {

TEsCustomDateEdit::TEsCustomDateEdit(TComponent* AOwner) : TEsEdPopup(AOwner) {
    FRules.Epoch = CurrentCentury();
    FRules.TodayString = std::string(1, FormatSettings().DateSeparator);
    const std::string order = GetProfileString("intl", "iDate", "0");
    FRules.DateOrder = order.empty() ? 0 : order[0] - '0';
    FPopupCalFont.Assign(&Font());
    TEsCalColors windows;
    windows.SetColorScheme(TEsCalColorScheme::csWindows);
    FPopupCalColors.Assign(&windows);
    TBitmap glyph;
    LoadEsGlyph(glyph, "ESSMALLDOWNARROW");
    Button().SetGlyph(glyph);
}

TDateTime TEsCustomDateEdit::Date() {
    TextToDate(Text());
    return FDate;
}

void TEsCustomDateEdit::SetDate(TDateTime Value) {
    FDate = Value;
    std::string text;
    if (Value != 0) DateToText(text, Value);
    SetText(text);
    // Setting the text as a whole clears the mark; the date is still a change.
    SetModified(true);
    if (OnSetDate) OnSetDate(this);
}

void TEsCustomDateEdit::SetForceCentury(bool Value) {
    FForceCentury = Value;
    // A calendar put away keeps the date it last showed; the edit's own date is shown again.
    if (FCalendar != nullptr) SetDate(FDate);
}

void TEsCustomDateEdit::SetPopupCalFont(const TFont* Value) {
    if (Value != nullptr) FPopupCalFont.Assign(Value);
}

void TEsCustomDateEdit::TextToDate(std::string Text) {
    if (OnGetDate) OnGetDate(this, Text);
    // The text shown for the date stands for it: read again, a year shown with two digits
    // would fall in another century.
    if (FDate != 0) {
        std::string shown;
        DateToText(shown, FDate);
        if (Text == shown) {
            SetText(shown);
            return;
        }
    }
    const TDateTime date = EsTextToDate(Text, FRules, ::vex::Date());
    FDate = date;
    std::string shown;
    if (date != 0) DateToText(shown, date);
    SetText(shown);
}

void TEsCustomDateEdit::DateToText(std::string& Text, TDateTime Date) {
    Text = EsDateToText(Date, FForceCentury);
}

void TEsCustomDateEdit::LeaveField() {
    const std::weak_ptr<const void> life = LifeToken();
    try {
        TextToDate(Text());
    } catch (...) {
        if (!life.expired() && CanFocus()) SetFocus();
        throw;
    }
    if (!life.expired() && !FPopupActive) TEsEdPopup::DoExit();
}

void TEsCustomDateEdit::DoExit() {
    LeaveField();
}

void TEsCustomDateEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    TEsEdPopup::KeyDown(Key, Shift);
    if (!life.expired() && Key == VK_DOWN && Shift.Contains(ssAlt)) PopupOpen();
}

void TEsCustomDateEdit::KeyPress(char& Key) {
    const std::weak_ptr<const void> life = LifeToken();
    TEsEdPopup::KeyPress(Key);
    if (life.expired() || !FAllowIncDec || (Key != '+' && Key != '-')) return;
    const int32_t step = Key == '+' ? 1 : -1;
    Key = 0;
    LeaveField();
    if (life.expired()) return;
    // At the first or last day there is, the date stays.
    const std::optional<TDateTime> moved = StepDays(FDate != 0 ? FDate : ::vex::Date(), step);
    // OnSetDate may free the edit; setting the date marks it modified.
    if (moved)
        SetDate(*moved);
    else
        SetModified(true);
}

}  // namespace vex
