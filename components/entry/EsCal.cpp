#include "components/entry/EsCal.h"

#include <algorithm>

#include "platform/core/datetime.h"
#include "platform/ui/controlmessages.h"
#include "platform/win/windowstyles.h"

namespace vex {

TEsCustomCalendar::TEsCustomCalendar(TComponent* AOwner, bool AsPopup)
    : TEsBase(AOwner), FAsPopup(AsPopup) {
    FControlStyle.Include(csClickEvents);
    FControlStyle.Include(csFramed);
    FControlStyle.Exclude(csCaptureMouse);
    SetBounds(Left(), Top(), 200, 140);
    SetTabStop(true);
    if (FAsPopup) SetCtl3D(false);
    FColors.OnChange = [this](TObject*) { Invalidate(); };
    UpdateButtons();
    RebuildGrid();
}

void TEsCustomCalendar::SetDate(TDateTime Value) {
    if (Value == FDate) return;
    uint16_t year, month, day;
    DecodeDate(Value, year, month, day);
    if (year == FYear && month == FMonth)
        InvalidateIndex(CurrentIndex());
    else
        Invalidate();
    FYear = year;
    FMonth = month;
    FDay = day;
    FDate = Value;
    RebuildGrid();
    InvalidateIndex(CurrentIndex());
}

void TEsCustomCalendar::RebuildGrid() {
    DecodeDate(FDate, FYear, FMonth, FDay);
    FGrid = BuildDayGrid(FYear, FMonth, FWeekStarts);
}

void TEsCustomCalendar::DoChange(TDateTime Value) {
    if (OnChange) OnChange(this, Value);
}

void TEsCustomCalendar::SetDateFormat(TEsDateFormat Value) {
    if (FDateFormat == Value) return;
    FDateFormat = Value;
    Invalidate();
}

void TEsCustomCalendar::SetDayNameWidth(TEsDayNameWidth Value) {
    Value = std::clamp<TEsDayNameWidth>(Value, 1, 3);
    if (FDayNameWidth == Value) return;
    FDayNameWidth = Value;
    Invalidate();
}

void TEsCustomCalendar::SetShowDate(bool Value) {
    if (FShowDate == Value) return;
    FShowDate = Value;
    Invalidate();
}

void TEsCustomCalendar::SetShowInactive(bool Value) {
    if (FShowInactive == Value) return;
    FShowInactive = Value;
    Invalidate();
}

void TEsCustomCalendar::SetShowToday(bool Value) {
    if (FShowToday == Value) return;
    FShowToday = Value;
    UpdateButtons();
    Layout();
    Invalidate();
}

void TEsCustomCalendar::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TEsCustomCalendar::SetWeekStarts(TEsDayType Value) {
    if (FWeekStarts == Value) return;
    FWeekStarts = Value;
    if (!ComponentState().Contains(csLoading)) RebuildGrid();
    Invalidate();
}

void TEsCustomCalendar::CreateParams(TCreateParams& Params) {
    TEsBase::CreateParams(Params);
    if (FAsPopup) {
        Params.Style = WS_POPUP | WS_BORDER;
        Params.WindowClass.style |= CS_SAVEBITS;
        Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
    } else if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TEsCustomCalendar::CreateWnd() {
    TEsBase::CreateWnd();
    if (!HandleAllocated()) return;
    Layout();
    if (FDate == 0) SetDate(::vex::Date());
}

void TEsCustomCalendar::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    TEsBase::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!ComponentState().Contains(csLoading)) Layout();
}

void TEsCustomCalendar::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS;
        return;
    }
    TEsBase::WndProc(Message);
}

void TEsCustomCalendar::CMFontChanged(TMessage& Message) {
    TEsBase::CMFontChanged(Message);
    if (ComponentState().Contains(csLoading)) return;
    Layout();
    Invalidate();
}

void TEsCustomCalendar::CMCtl3DChanged(TMessage& Message) {
    TEsBase::CMCtl3DChanged(Message);
    if (FBorderStyle == bsSingle) RecreateWnd();
    Invalidate();
}

void TEsCustomCalendar::WMSetFocus(TMessage& Message) {
    TEsBase::WMSetFocus(Message);
    InvalidateIndex(CurrentIndex());
}

void TEsCustomCalendar::WMKillFocus(TMessage& Message) {
    TEsBase::WMKillFocus(Message);
    InvalidateIndex(CurrentIndex());
}

void TEsCustomCalendar::WMEraseBkgnd(TMessage& Message) {
    // Painting fills every pixel.
    Message.Result = 1;
}

}  // namespace vex
