#include "dataaware/edits/wwpopupcalendar.h"

#include "platform/ui/monthcal.h"
#include "platform/ui/screen.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

TComponent* AsComponent(TwwPopupCalendarPicker* Picker) {
    auto* component = dynamic_cast<TComponent*>(Picker);
    if (component == nullptr)
        throw EInvalidOperation("A popup calendar's picker must be a component");
    return component;
}

bool InWindow(HWND Wnd, TPoint Screen) {
    TRect bounds;
    return Wnd != 0 && GetWindowRect(Wnd, bounds) && PtInRect(bounds, Screen);
}

// A press of the left button, the second of a double click too: the press after a drop-down
// may well follow another at the same place.
bool IsLeftPress(UINT Msg) {
    return Msg == WM_LBUTTONDOWN || Msg == WM_NCLBUTTONDOWN || Msg == WM_LBUTTONDBLCLK ||
           Msg == WM_NCLBUTTONDBLCLK;
}

// The press that would leave the focused picker's drop-down open behind the user's back.
bool PressClosesDropDown(const MOUSEHOOKSTRUCT& Info) {
    auto* picker = dynamic_cast<TwwPopupCalendarPicker*>(Screen().ActiveControl());
    if (picker == nullptr || !picker->IsDroppedDown()) return false;
    TwwPopupCalendar* calendar = picker->PopupCalendar();
    if (calendar != nullptr && calendar->IsPopupMenuOpen()) return false;
    if (calendar != nullptr && calendar->HandleAllocated() && InWindow(calendar->Handle(), Info.pt))
        return false;
    return !InWindow(picker->PickerWindow(), Info.pt);
}

}  // namespace

TwwPopupCalendar::TwwPopupCalendar(TwwPopupCalendarPicker* APicker)
    : TwwMonthCalendar(AsComponent(APicker)), FPicker(APicker) {}

void TwwPopupCalendar::CreateParams(TCreateParams& Params) {
    TwwMonthCalendar::CreateParams(Params);
    Params.Style |= WS_BORDER;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void TwwPopupCalendar::CreateWnd() {
    TwwMonthCalendar::CreateWnd();
    ::vex::SetParent(Handle(), GetDesktopWindow());
    // Straight to the calendar's own procedure: it draws as focused while the focus stays with
    // the picker.
    WNDCLASS native;
    if (GetClassInfo(MONTHCAL_CLASS, native))
        CallWindowProc(native.lpfnWndProc, Handle(), WM_SETFOCUS, 0, 0);
}

void TwwPopupCalendar::WndProc(TMessage& Message) {
    // A top-level window here; a click must not activate it and take the focus from the picker.
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TwwMonthCalendar::WndProc(Message);
}

void TwwPopupCalendar::WMLButtonUp(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TwwMonthCalendar::WMLButtonUp(Message);
    if (life.expired() || !HandleAllocated()) return;
    // A day of the month before or after counts: the calendar has moved to it already.
    if (IsDateHit(HitTest(MessagePoint(Message.LParam)).uHit)) FPicker->CloseUp(true);
}

void TwwPopupCalendar::Change() {
    const std::weak_ptr<const void> life = LifeToken();
    TwwMonthCalendar::Change();
    // A choice from a title menu left open after the drop-down closed is no longer the picker's.
    if (life.expired() || !FPicker->IsDroppedDown() || !FPicker->EditCanModify()) return;
    // The picker's own change event may free it, and this calendar with it.
    FPicker->NotifyChange();
    if (life.expired()) return;
    FPicker->SetModified(true);
    FPicker->TakeCalendarDay(Date());
}

TwwCalendarMouseHook::TwwCalendarMouseHook() {
    FHook = SetWindowsHookEx(WH_MOUSE, [this](int Code, WPARAM WParam, LPARAM LParam) {
        if (Code == HC_ACTION && IsLeftPress(static_cast<UINT>(WParam))) {
            const auto& info = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
            if (PressClosesDropDown(info)) {
                auto* picker = dynamic_cast<TwwPopupCalendarPicker*>(Screen().ActiveControl());
                PostMessage(picker->PickerWindow(), CM_CANCELMODE, 0, 0);
            }
        }
        return CallNextHookEx(FHook, Code, WParam, LParam);
    });
}

TwwCalendarMouseHook::~TwwCalendarMouseHook() {
    UnhookWindowsHookEx(FHook);
}

}  // namespace vex
