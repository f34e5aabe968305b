#include "platform/ui/datetimepickerdropdown.h"

#include <algorithm>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/core/systemtime.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/datetimepicker.h"
#include "platform/ui/monthcal.h"
#include "platform/ui/screen.h"
#include "platform/win/capture.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

LPARAM Pointer(void* Data) {
    return reinterpret_cast<LPARAM>(Data);
}

}  // namespace

TDateTimePickerDropDown::TDateTimePickerDropDown(TDateTimePicker& Picker)
    : TWinControl(nullptr), FPicker(Picker) {
    SetTabStop(false);
    SetVisible(false);
}

void TDateTimePickerDropDown::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    InitCommonControlsEx(INITCOMMONCONTROLSEX{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES});
    WNDCLASS calendar;
    if (!GetClassInfo(MONTHCAL_CLASS, calendar))
        throw EInvalidOperation(std::string("The window class ") + MONTHCAL_CLASS +
                                " is not registered");
    Params.WindowClass.lpfnWndProc = calendar.lpfnWndProc;
    Params.WindowClass.style = calendar.style;
    // A bordered popup above everything, which a display shows at once where it is put.
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = 0;
}

void TDateTimePickerDropDown::Open(TPoint Face, int32_t FaceHeight, TDateTime Value,
                                   TDateTime MinDate, TDateTime MaxDate) {
    SetFont(FPicker.Font());
    const HWND wnd = Handle();
    // The calendar measures its months with the font it is given.
    SendMessage(wnd, WM_SETFONT, static_cast<WPARAM>(Font().Handle()), 0);
    SYSTEMTIME range[2];
    DWORD limits = 0;
    if (MinDate != 0) {
        range[0] = DateTimeToSystemTime(MinDate);
        limits |= GDTR_MIN;
    }
    if (MaxDate != 0) {
        range[1] = DateTimeToSystemTime(MaxDate);
        limits |= GDTR_MAX;
    }
    SendMessage(wnd, MCM_SETRANGE, limits, Pointer(range));
    ShowDate(Value);
    TRect need;
    SendMessage(wnd, MCM_GETMINREQRECT, 0, Pointer(&need));
    // The border on each side.
    const int32_t width = need.Right - need.Left + 2;
    const int32_t height = need.Bottom - need.Top + 2;
    // Below the face, or above it where there is more room; never past the screen's sides.
    const int32_t below = Screen().Height() - (Face.Y + FaceHeight);
    TPoint at =
        Point(std::clamp(Face.X, 0, std::max(0, Screen().Width() - width)), Face.Y + FaceHeight);
    if (height > below && Face.Y > below) at.Y = Face.Y - height;
    SetBounds(at.X, at.Y, width, height);
    SetWindowPos(wnd, HWND_TOPMOST, at.X, at.Y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FOpen = true;
    SetCapture(wnd);
}

void TDateTimePickerDropDown::Close() {
    if (!FOpen) return;
    FOpen = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    ShowWindow(Handle(), SW_HIDE);
}

TDateTime TDateTimePickerDropDown::ShownDate() {
    SYSTEMTIME day;
    if (SendMessage(Handle(), MCM_GETCURSEL, 0, Pointer(&day)) == 0) return FPicker.Date();
    return SystemTimeToDateTime(day);
}

void TDateTimePickerDropDown::ShowDate(TDateTime Value) {
    SYSTEMTIME day = DateTimeToSystemTime(Value);
    SendMessage(Handle(), MCM_SETCURSEL, 0, Pointer(&day));
}

void TDateTimePickerDropDown::MoveBy(int32_t Days, int32_t Months) {
    const TDateTime from = ShownDate();
    TDateTime to = from;
    try {
        to = IncMonth(ComposeDateTime(TDateTimeParts{SplitDateTime(from).Day + Days, 0}), Months);
    } catch (const EConvertError&) {
        MessageBeep(0);
        return;
    }
    const TDateTime kept = FPicker.Clamped(to);
    if (kept != to) MessageBeep(0);
    ShowDate(kept);
}

bool TDateTimePickerDropDown::DayAt(TPoint At, TDateTime& Day) {
    MCHITTESTINFO hit;
    hit.pt = At;
    const UINT code = static_cast<UINT>(SendMessage(Handle(), MCM_HITTEST, 0, Pointer(&hit)));
    if (!IsDateHit(code)) return false;
    return TrySystemTimeToDateTime(hit.st, Day);
}

void TDateTimePickerDropDown::PassMouse(TMessage& Message) {
    FInCalendar = true;
    try {
        TWinControl::WndProc(Message);
    } catch (...) {
        FInCalendar = false;
        throw;
    }
    FInCalendar = false;
    if (FOpen && GetCapture() != Handle()) SetCapture(Handle());
}

void TDateTimePickerDropDown::WndProc(TMessage& Message) {
    if (!FOpen) {
        TWinControl::WndProc(Message);
        return;
    }
    const TPoint at = MessagePoint(Message.LParam);
    const bool inside = PtInRect(Rect(0, 0, Width(), Height()), at);
    switch (Message.Msg) {
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN:
        case CN_CHAR:
        case CN_SYSCHAR:
            // A key is weighed first by the window that holds the mouse; it is the picker's.
            Message.Result = FPicker.Perform(Message.Msg, Message.WParam, Message.LParam);
            return;
        case WM_MOUSEACTIVATE:
            Message.Result = MA_NOACTIVATE;
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: {
            if (!inside) {
                FPicker.CloseUp();
                return;
            }
            if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_LBUTTONDBLCLK) return;
            TDateTime day;
            FPressOnDay = DayAt(at, day);
            PassMouse(Message);
            return;
        }
        case WM_LBUTTONUP: {
            // The calendar marks the day pressed (and one of another month moves its view
            // there), so what it marks after the release is the day chosen.
            TDateTime under;
            const bool onDay = inside && FPressOnDay && DayAt(at, under);
            FPressOnDay = false;
            PassMouse(Message);
            if (!FOpen || !onDay) return;
            if (FPicker.Clamped(under) == under)
                FPicker.DayChosen(ShownDate());
            else
                MessageBeep(0);
            return;
        }
        case WM_MOUSEMOVE:
            PassMouse(Message);
            return;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: the calendar has lost its hold and closes.
            if (!FInCalendar && static_cast<HWND>(Message.LParam) != Handle()) FPicker.CloseUp();
            return;
        default:
            TWinControl::WndProc(Message);
            return;
    }
}

}  // namespace vex
