#include "dataaware/edits/wwmonthcalendar.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/ui/controlflagscope.h"
#include "platform/ui/monthcal.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

double Day(TDateTime Value) {
    return std::trunc(Value);
}

[[noreturn]] void RaiseExceedsMaximum(TDateTime MaxDate) {
    throw EDateTimeError("Date exceeds maximum of " + DateToStr(MaxDate));
}

[[noreturn]] void RaiseBelowMinimum(TDateTime MinDate) {
    throw EDateTimeError("Date is less than minimum of " + DateToStr(MinDate));
}

// 31 December 1899: the first day a calendar without a minimum shows.
constexpr TDateTime kFirstCalendarDay = 1;

}  // namespace

DWORD wwMonthCalendarStyle(TwwMonthOptions Options, TComCtlVersion Version) {
    DWORD style = 0;
    if (Options.Contains(mdoDayState)) style |= MCS_DAYSTATE;
    if (Options.Contains(mdoMultiSelect)) style |= MCS_MULTISELECT;
    if (Options.Contains(mdoWeekNumbers)) style |= MCS_WEEKNUMBERS;
    if (Options.Contains(mdoNoTodayCircle)) style |= MCS_NOTODAYCIRCLE;
    if (Options.Contains(mdoNoToday) && ComCtlVersionAtLeast(Version, 4, 71)) style |= MCS_NOTODAY;
    return style;
}

TwwMonthCalendar::TwwMonthCalendar(TComponent* AOwner)
    : TWinControl(AOwner),
      FCalColors(std::make_unique<TwwDateTimeColors>(this)),
      FDateTime(Now()),
      FPopupYearOptions(std::make_unique<TwwPopupYearOptions>()) {
    InitCommonControlsEx(INITCOMMONCONTROLSEX{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES});
    SetControlStyle({csClickEvents, csOpaque, csDoubleClicks, csFixedHeight});
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetWidth(155);
    FMonthMenu = new TCalendarPopupMenu(this);
    const TFormatSettings& settings = FormatSettings();
    for (int32_t month = 1; month <= 12; ++month) {
        auto* item = new TMenuItem(FMonthMenu);
        item->SetCaption(settings.LongMonthNames[static_cast<size_t>(month - 1)]);
        item->OnClick = [this, month](TObject*) { MonthChosen(month); };
        FMonthMenu->Items()->Add(item);
    }
}

TwwMonthCalendar::~TwwMonthCalendar() {
    FDestroying = true;
}

void TwwMonthCalendar::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TwwMonthCalendar::SetOptions(TwwMonthOptions Value) {
    FOptions = Value;
    RecreateWnd();
}

void TwwMonthCalendar::SetMaxSelectCount(int32_t Value) {
    if (FMaxSelectCount == Value) return;
    FMaxSelectCount = Value;
    if (HandleAllocated()) SendMessage(Handle(), MCM_SETMAXSELCOUNT, static_cast<WPARAM>(Value), 0);
}

void TwwMonthCalendar::SetFirstDayOfWeek(TwwCalDayOfWeek Value) {
    FFirstDayOfWeek = Value;
    SendFirstDayOfWeek();
}

void TwwMonthCalendar::SendFirstDayOfWeek() {
    if (!HandleAllocated()) return;
    const LPARAM day = FFirstDayOfWeek == wwdowLocaleDefault
                           ? static_cast<LPARAM>(FormatSettings().FirstDayOfWeek)
                           : static_cast<LPARAM>(FFirstDayOfWeek);
    SendMessage(Handle(), MCM_SETFIRSTDAYOFWEEK, 0, day);
}

void TwwMonthCalendar::SetDate(TDateTime Value) {
    if (Day(Value) == Day(FDateTime)) return;
    const TDateTime value = ComposeDateTime(Value, FDateTime);
    if (value == 0) {
        Invalidate();
        return;
    }
    if (FMaxDate != 0 && Day(value) > Day(FMaxDate)) RaiseExceedsMaximum(FMaxDate);
    if (FMinDate != 0 && Day(value) < Day(FMinDate)) RaiseBelowMinimum(FMinDate);
    const TDateTime previous = FDateTime;
    try {
        InternalSetDate(value);
    } catch (...) {
        InternalSetDate(previous);
        throw;
    }
}

void TwwMonthCalendar::SetTime(TDateTime Value) {
    const TDateTime value = ComposeDateTime(FDateTime, Value);
    if (value == FDateTime) return;
    if (value == 0) {
        Invalidate();
        return;
    }
    InternalSetDate(value);
}

void TwwMonthCalendar::InternalSetDate(TDateTime Value) {
    TDateTime value = Value;
    // Limits are whole days: a clamped value keeps its time of day.
    if (FMaxDate != 0 && Day(value) > Day(FMaxDate))
        value = ComposeDateTime(FMaxDate, value);
    else if (FMinDate != 0 && Day(value) < Day(FMinDate))
        value = ComposeDateTime(FMinDate, value);
    else if (FMinDate == 0 && Day(value) < 0)
        value = ComposeDateTime(kFirstCalendarDay, value);
    SYSTEMTIME times[2];
    times[0] = DateTimeToSystemTime(value);
    times[1] = times[0];
    const bool multi = FOptions.Contains(mdoMultiSelect);
    if (multi) {
        FSelStart = value;
        FSelEnd = value;
    }
    if (HandleAllocated()) {
        const std::weak_ptr<const void> life = LifeToken();
        const TControlFlagScope setting(FSettingDate, life);
        const LRESULT taken =
            multi ? SendMessage(Handle(), MCM_SETSELRANGE, 0, reinterpret_cast<LPARAM>(times))
                  : SendMessage(Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(times));
        // The months that came into view asked for their bold days, whose handler may free us.
        if (taken == 0 || life.expired()) return;
    }
    FDateTime = value;
}

TDateTime TwwMonthCalendar::FirstDay() const {
    return FMinDate != 0 ? FMinDate : kFirstCalendarDay;
}

void TwwMonthCalendar::SetMaxDate(TDateTime Value) {
    if (Value != 0) {
        DateTimeToSystemTime(Value);  // a value no calendar can show raises here, not later
        if (FMinDate != 0 && Day(Value) < Day(FMinDate)) RaiseBelowMinimum(FMinDate);
    }
    if (Value == FMaxDate) return;
    FMaxDate = Value;
    SendRange();
}

void TwwMonthCalendar::SetMinDate(TDateTime Value) {
    if (Value != 0) {
        DateTimeToSystemTime(Value);
        if (FMaxDate != 0 && Day(Value) > Day(FMaxDate)) RaiseExceedsMaximum(FMaxDate);
    }
    if (Value == FMinDate) return;
    FMinDate = Value;
    SendRange();
}

void TwwMonthCalendar::SendRange() {
    if (!HandleAllocated()) return;
    SYSTEMTIME range[2];
    DWORD flags = 0;
    if (FMinDate != 0) {
        flags |= GDTR_MIN;
        range[0] = DateTimeToSystemTime(FMinDate);
    }
    if (FMaxDate != 0) {
        flags |= GDTR_MAX;
        range[1] = DateTimeToSystemTime(FMaxDate);
    }
    // Sent without flags too: a limit taken away must leave the window as well.
    SendMessage(Handle(), MCM_SETRANGE, flags, reinterpret_cast<LPARAM>(range));
}

void TwwMonthCalendar::SendSelection() {
    SYSTEMTIME range[2] = {DateTimeToSystemTime(FSelStart), DateTimeToSystemTime(FSelEnd)};
    SendMessage(Handle(), MCM_SETSELRANGE, 0, reinterpret_cast<LPARAM>(range));
}

void TwwMonthCalendar::SetSelectionStart(TDateTime Value) {
    SetSelectionDay(FSelStart, Value);
}

void TwwMonthCalendar::SetSelectionEnd(TDateTime Value) {
    SetSelectionDay(FSelEnd, Value);
}

void TwwMonthCalendar::SetSelectionDay(TDateTime& End, TDateTime Value) {
    if (Day(Value) == Day(End)) return;
    if (Value == 0) {
        Invalidate();
        return;
    }
    if (FMaxDate != 0 && Day(Value) > Day(FMaxDate)) {
        End = FMaxDate;
        RaiseExceedsMaximum(FMaxDate);
    }
    if (FMinDate != 0 && Day(Value) < Day(FMinDate)) {
        End = FMinDate;
        RaiseBelowMinimum(FMinDate);
    }
    const TDateTime previous = End;
    End = Value;
    if (!FOptions.Contains(mdoMultiSelect) || !HandleAllocated()) return;
    try {
        SendSelection();
    } catch (...) {
        End = previous;
        throw;
    }
}

void TwwMonthCalendar::Loaded() {
    TWinControl::Loaded();
    RecreateWnd();
}

void TwwMonthCalendar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    WNDCLASS native;
    if (!GetClassInfo(MONTHCAL_CLASS, native))
        throw EInvalidOperation(std::string("The window class ") + MONTHCAL_CLASS +
                                " is not registered");
    const UINT style = (native.style & ~(CS_HREDRAW | CS_VREDRAW)) | CS_DBLCLKS;
    Params.WindowClass = native;
    Params.WindowClass.style = style;
    Params.Style |= wwMonthCalendarStyle(FOptions, ComCtlVersion());
    if (FBorderStyle == bsSingle) Params.Style |= WS_BORDER;
}

void TwwMonthCalendar::CreateWnd() {
    TWinControl::CreateWnd();
    SendRange();
    if (FOptions.Contains(mdoMultiSelect)) {
        SendMessage(Handle(), MCM_SETMAXSELCOUNT, static_cast<WPARAM>(FMaxSelectCount), 0);
        if (FSelStart != 0 && FSelEnd != 0)
            SendSelection();
        else
            InternalSetDate(FDateTime);
    } else {
        InternalSetDate(FDateTime);
    }
    for (int32_t i = 0; i < 6; ++i)
        SendMessage(Handle(), MCM_SETCOLOR, static_cast<WPARAM>(i),
                    static_cast<LPARAM>(ColorToRGB(FCalColors->Colors(i))));
    SendFirstDayOfWeek();
    SendFont();
    SizeToFit();
}

void TwwMonthCalendar::SendFont() {
    // The window copies the description, so the handle may go with the next font change.
    if (HandleAllocated())
        SendMessage(Handle(), WM_SETFONT, static_cast<WPARAM>(Font().Handle()), 1);
}

bool TwwMonthCalendar::RequiredSize(int32_t& Width, int32_t& Height) {
    if (!HandleAllocated()) return false;
    TRect r;
    if (SendMessage(Handle(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&r)) == 0)
        return false;
    Width = r.Right - r.Left;
    Height = r.Bottom - r.Top;
    return true;
}

void TwwMonthCalendar::SizeToFit() {
    int32_t width = 0, height = 0;
    if (!RequiredSize(width, height)) return;
    const TControlFlagScope sizing(FSizingToFit, LifeToken());
    SetBounds(Left(), Top(), std::max(Width(), width), std::max(Height(), height));
}

void TwwMonthCalendar::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    int32_t width = 0, height = 0;
    if (RequiredSize(width, height)) {
        AWidth = std::max(AWidth, width);
        AHeight = std::max(AHeight, height);
    }
    const bool resized = AWidth != Width() || AHeight != Height();
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // The window lays its months out when it is made; sizing it to fit is part of that.
    if (resized && HandleAllocated() && !FSizingToFit && !ComponentState().Contains(csDesigning) &&
        !ComponentState().Contains(csLoading))
        RecreateWnd();
}

void TwwMonthCalendar::WMSize(TMessage& Message) {
    TWinControl::WMSize(Message);
    if (ComponentState().Contains(csDesigning) && Align() != alClient) SizeToFit();
}

void TwwMonthCalendar::CMColorChanged(TMessage& Message) {
    TWinControl::CMColorChanged(Message);
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, true);
}

void TwwMonthCalendar::CMFontChanged(TMessage& Message) {
    TWinControl::CMFontChanged(Message);
    SendFont();
    SizeToFit();
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, true);
}

void TwwMonthCalendar::FocusRequest() {
    if (Visible() && CanFocus()) SetFocus();
}

void TwwMonthCalendar::Change() {
    if (OnChange) OnChange(this);
}

bool TwwMonthCalendar::IsPopupMenuOpen() const {
    return (FYearMenu != nullptr && FYearMenu->IsPopupOpen()) ||
           (FMonthMenu != nullptr && FMonthMenu->IsPopupOpen());
}

MCHITTESTINFO TwwMonthCalendar::HitTest(TPoint ClientPoint) {
    MCHITTESTINFO info;
    info.pt = ClientPoint;
    if (HandleAllocated()) SendMessage(Handle(), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

}  // namespace vex
