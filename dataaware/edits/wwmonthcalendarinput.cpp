// The calendar's mouse, keys and notifications: nothing outside the limits can be chosen.

#include <algorithm>
#include <cmath>
#include <memory>

#include "dataaware/edits/wwmonthcalendar.h"
#include "dataaware/edits/wwpickersupport.h"
#include "platform/core/datetime.h"
#include "platform/ui/monthcal.h"
#include "platform/win/capture.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// The day of a date the window gives, whatever time of day it carries beside it.
bool TryDayOf(SYSTEMTIME Time, TDateTime& Day) {
    Time.wHour = Time.wMinute = Time.wSecond = Time.wMilliseconds = 0;
    return TrySystemTimeToDateTime(Time, Day);
}

bool IsTitleHit(UINT Hit) {
    return Hit == MCHT_TITLEMONTH || Hit == MCHT_TITLEYEAR || Hit == MCHT_TITLEBTNPREV ||
           Hit == MCHT_TITLEBTNNEXT;
}

bool IsNavigationKey(WPARAM Key) {
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP ||
           Key == VK_DOWN;
}

}  // namespace

bool TwwMonthCalendar::OutOfRange(const SYSTEMTIME& Day) const {
    return !MonthDayInRange(Day.wYear, Day.wMonth, Day.wDay);
}

void TwwMonthCalendar::WndProc(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY) {
        CNNotify(Message);
        return;
    }
    if (!ComponentState().Contains(csDesigning) && Visible() && Enabled() && HandleAllocated()) {
        switch (Message.Msg) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: {
                const TPoint at = MessagePoint(Message.LParam);
                const MCHITTESTINFO hit = HitTest(at);
                // The title and the days outside the limits are this control's: the window
                // never sees the press, so it can neither scroll nor select on its own.
                if (IsTitleHit(hit.uHit) || (IsDateHit(hit.uHit) && OutOfRange(hit.st))) {
                    TShiftState shift = KeysToShiftState(Message.WParam);
                    if (Message.Msg == WM_LBUTTONDBLCLK) shift.Include(ssDouble);
                    MouseDown(mbLeft, shift, at.X, at.Y);
                    Message.Result = 0;
                    return;
                }
                break;
            }
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP: {
                const TPoint at = MessagePoint(Message.LParam);
                const MCHITTESTINFO hit = HitTest(at);
                if (IsDateHit(hit.uHit) && OutOfRange(hit.st)) {
                    if (Message.Msg == WM_LBUTTONUP) {
                        // A drag from a day in range ends here though the window never sees
                        // this release: it must not keep the mouse.
                        if (GetCapture() == Handle()) ReleaseCapture();
                        MouseUp(mbLeft, KeysToShiftState(Message.WParam), at.X, at.Y);
                    }
                    Message.Result = 0;
                    return;
                }
                break;
            }
            default:
                break;
        }
    }
    TWinControl::WndProc(Message);
}

void TwwMonthCalendar::FireMouse(const TmcMouseUPDownEvent& Event, TMouseButton Button,
                                 TShiftState Shift, int32_t X, int32_t Y) {
    if (!Event) return;
    const MCHITTESTINFO hit = HitTest(Point(X, Y));
    const int32_t day = IsDateHit(hit.uHit) ? hit.st.wDay : 0;
    Event(this, Button, Shift, X, Y, hit.st.wMonth, day, hit.st.wYear);
}

void TwwMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbRight) {
        TWinControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    if (!wwIsClass(Owner(), "TwwDBCustomDateTimePicker")) FocusRequest();
    if (life.expired()) return;
    const MCHITTESTINFO hit = HitTest(Point(X, Y));
    FireMouse(OnMouseDown, Button, Shift, X, Y);
    if (life.expired() || IsDateHit(hit.uHit)) return;
    switch (hit.uHit) {
        case MCHT_TITLEBTNPREV:
        case MCHT_TITLEBTNNEXT:
            ClickTitleArrow(hit.uHit == MCHT_TITLEBTNNEXT);
            break;
        case MCHT_TITLEYEAR:
            ClickTitleYear(hit);
            break;
        case MCHT_TITLEMONTH:
            ClickTitleMonth(hit);
            break;
        default:
            break;
    }
}

void TwwMonthCalendar::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (!OnMouseMove) return;
    const MCHITTESTINFO hit = HitTest(Point(X, Y));
    const int32_t day = IsDateHit(hit.uHit) ? hit.st.wDay : 0;
    OnMouseMove(this, Shift, X, Y, hit.st.wMonth, day, hit.st.wYear);
}

void TwwMonthCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const std::weak_ptr<const void> life = LifeToken();
    FireMouse(OnMouseUp, Button, Shift, X, Y);
    if (life.expired()) return;
    if (FOptions.Contains(mdoMultiSelect) && FSelectionChanged) {
        FSelectionChanged = false;
        Change();
    }
}

void TwwMonthCalendar::CNKeyDown(TMessage& Message) {
    if (!ComponentState().Contains(csDesigning) && IsNavigationKey(Message.WParam) &&
        !KeyDataToShiftState(Message.LParam).Contains(ssCtrl)) {
        Message.Result = 0;  // not a dialog key of the form: KeyDown moves the day
        return;
    }
    TWinControl::CNKeyDown(Message);
}

bool TwwMonthCalendar::ReadSelection(TDateTime& Start, TDateTime& End) {
    SYSTEMTIME range[2];
    if (FOptions.Contains(mdoMultiSelect)) {
        if (SendMessage(Handle(), MCM_GETSELRANGE, 0, reinterpret_cast<LPARAM>(range)) == 0)
            return false;
    } else {
        if (SendMessage(Handle(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(range)) == 0)
            return false;
        range[1] = range[0];
    }
    return TryDayOf(range[0], Start) && TryDayOf(range[1], End);
}

void TwwMonthCalendar::MoveSelectionEnd(int32_t Days) {
    TDateTime start = 0, end = 0;
    if (!ReadSelection(start, end)) return;
    const double anchor = std::trunc(FDateTime);
    double first = anchor, last = anchor;
    if (end > anchor)
        last = end + Days;
    else
        first = start + Days;
    const double low = std::trunc(FirstDay());
    const double high =
        FMaxDate != 0 ? std::min<double>(LastEncodableDay, std::trunc(FMaxDate)) : LastEncodableDay;
    if (first < low || last > high) {
        MessageBeep(0);
        first = std::clamp(first, low, high);
        last = std::clamp(last, low, high);
    }
    if (first > last) std::swap(first, last);
    SYSTEMTIME range[2] = {DateTimeToSystemTime(first), DateTimeToSystemTime(last)};
    const std::weak_ptr<const void> life = LifeToken();
    if (SendMessage(Handle(), MCM_SETSELRANGE, 0, reinterpret_cast<LPARAM>(range)) == 0 ||
        life.expired())
        return;
    FSelStart = first;
    FSelEnd = last;
}

void TwwMonthCalendar::KeyDown(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    TWinControl::KeyDown(Key, Shift);
    if (life.expired() || !IsNavigationKey(Key) || !HandleAllocated()) return;
    const bool multi = FOptions.Contains(mdoMultiSelect);
    TDateTime start = 0, end = 0;
    const bool read = ReadSelection(start, end);
    const uint16_t key = Key;
    const bool page = key == VK_PRIOR || key == VK_NEXT;
    if (page && multi && read && start != end) {
        Key = 0;
        return;
    }
    int32_t days = 0;
    switch (key) {
        case VK_LEFT:
            days = -1;
            break;
        case VK_RIGHT:
            days = 1;
            break;
        case VK_UP:
            days = -7;
            break;
        case VK_DOWN:
            days = 7;
            break;
        default:
            break;
    }
    Key = 0;
    if (!page && multi && Shift.Contains(ssShift)) {
        MoveSelectionEnd(days);
    } else {
        // Whole days move along the sign rule: a day before 1899 counts the other way. The day
        // is checked before it is composed, which refuses one past either end.
        const double day = page ? std::trunc(wwAddMonths(FDateTime, key == VK_PRIOR ? -1 : 1))
                                : std::trunc(FDateTime) + days;
        if (day == std::trunc(FDateTime) || day < FirstEncodableDay || day > LastEncodableDay) {
            MessageBeep(0);  // the first or the last day there is
            return;
        }
        MoveDateWithin(ComposeDateTime(day, FDateTime));
    }
    if (!life.expired()) Change();
}

void TwwMonthCalendar::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (header->code == MCN_SELCHANGE) {
        SelectionChanged(*reinterpret_cast<NMSELCHANGE*>(Message.LParam));
    } else if (header->code == MCN_GETDAYSTATE) {
        if (!ComponentState().Contains(csLoading))
            GetDayState(*reinterpret_cast<NMDAYSTATE*>(Message.LParam));
    } else {
        TWinControl::WndProc(Message);
    }
}

void TwwMonthCalendar::GetDayState(NMDAYSTATE& State) {
    const int32_t count = std::clamp<int32_t>(State.cDayState, 0, 14);
    int32_t year = State.stStart.wYear, month = State.stStart.wMonth;
    const std::weak_ptr<const void> life = LifeToken();
    for (int32_t i = 0; i < count; ++i) {
        MONTHDAYSTATE mask = 0;
        if (OnCalcBoldDay && year >= 1 && year <= 9999 && month >= 1 && month <= 12) {
            for (int32_t day = wwDaysPerMonth(year, month); day >= 1; --day) {
                bool accept = false;
                OnCalcBoldDay(this,
                              EncodeDate(static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                                         static_cast<uint16_t>(day)),
                              month, day, year, accept);
                if (life.expired()) return;
                if (accept) mask |= MONTHDAYSTATE{1} << (day - 1);
            }
        }
        State.prgDayState[i] = mask;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

void TwwMonthCalendar::SelectionChanged(const NMSELCHANGE& Notice) {
    // The window's answer to our own MCM_SETCURSEL is no choice of the user.
    if (FSettingDate) return;
    TDateTime start = 0, end = 0;
    if (!TryDayOf(Notice.stSelStart, start) || !TryDayOf(Notice.stSelEnd, end)) return;
    if (FMinDate != 0 && start < std::trunc(FMinDate)) start = std::trunc(FMinDate);
    const double oldStart = std::trunc(FSelStart), oldEnd = std::trunc(FSelEnd);
    FSelStart = start;
    if (!FOptions.Contains(mdoMultiSelect)) {
        end = start;
    } else {
        if (FMinDate != 0 && end < std::trunc(FMinDate)) end = std::trunc(FMinDate);
        if (std::trunc(start) != oldStart || std::trunc(end) != oldEnd) FSelectionChanged = true;
    }
    FSelEnd = end;
    if (std::trunc(start) == std::trunc(end) && std::trunc(start) != std::trunc(FDateTime)) {
        const std::weak_ptr<const void> life = LifeToken();
        SetDate(start);
        // A day the user picked is a change like a key's, which the popup passes to its picker.
        if (!life.expired() && !FOptions.Contains(mdoMultiSelect)) Change();
    }
}

}  // namespace vex
