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
    if (!GetClassInfo(MONTHCAL_CLASS, Params.WindowClass))
        throw EInvalidOperation(std::string("The window class ") + MONTHCAL_CLASS +
                                " is not registered");
    // A bordered popup above everything, which a display shows at once where it is put.
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = 0;
}

void TDateTimePickerDropDown::Open(TPoint Face, int32_t FaceHeight, TDateTime Value,
                                   TDateTime MinDate, TDateTime MaxDate) {
    SetFont(FPicker.Font());
    const HWND wnd = Handle();
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
    if ((code & ~(MCHT_NEXT | MCHT_PREV)) != MCHT_CALENDARDATE) return false;
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
        case WM_MBUTTONDBLCLK:
            if (!inside)
                FPicker.CloseUp();
            else if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
                PassMouse(Message);
            return;
        case WM_LBUTTONUP: {
            PassMouse(Message);
            TDateTime day;
            if (FOpen && inside && DayAt(at, day)) {
                if (FPicker.Clamped(day) == day)
                    FPicker.DayChosen(day);
                else
                    MessageBeep(0);
            }
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
