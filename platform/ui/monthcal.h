#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "platform/core/systemtime.h"
#include "platform/ui/controlmessages.h"
#include "platform/win/messages.h"

namespace vex {

// The month calendar window class of the common controls, registered by InitCommonControlsEx
// with ICC_DATE_CLASSES. Its procedure keeps the calendar's state per window, paints it, answers
// the messages below and tells its parent through WM_NOTIFY; keys are left to whoever
// subclasses it.
inline constexpr const char* MONTHCAL_CLASS = "SysMonthCal32";

// Styles.
inline constexpr DWORD MCS_DAYSTATE = 0x0001;
inline constexpr DWORD MCS_MULTISELECT = 0x0002;
inline constexpr DWORD MCS_WEEKNUMBERS = 0x0004;
inline constexpr DWORD MCS_NOTODAYCIRCLE = 0x0008;
inline constexpr DWORD MCS_NOTODAY = 0x0010;

// Messages. Dates travel as SYSTEMTIME; a SYSTEMTIME* (or an array of two) in lParam.
inline constexpr UINT MCM_FIRST = 0x1000;
inline constexpr UINT MCM_GETCURSEL = MCM_FIRST + 1;  // lParam SYSTEMTIME*; 0 in multi-select
inline constexpr UINT MCM_SETCURSEL = MCM_FIRST + 2;  // 0 outside the range or in multi-select
inline constexpr UINT MCM_GETMAXSELCOUNT = MCM_FIRST + 3;
inline constexpr UINT MCM_SETMAXSELCOUNT = MCM_FIRST + 4;  // wParam the count
inline constexpr UINT MCM_GETSELRANGE = MCM_FIRST + 5;     // lParam SYSTEMTIME[2]
inline constexpr UINT MCM_SETSELRANGE = MCM_FIRST + 6;     // lParam SYSTEMTIME[2]
inline constexpr UINT MCM_GETMONTHRANGE = MCM_FIRST + 7;   // wParam GMR_*, lParam SYSTEMTIME[2]
inline constexpr UINT MCM_SETDAYSTATE = MCM_FIRST + 8;     // wParam count, lParam MONTHDAYSTATE*
inline constexpr UINT MCM_GETMINREQRECT = MCM_FIRST + 9;   // lParam TRect*
inline constexpr UINT MCM_SETCOLOR = MCM_FIRST + 10;       // wParam MCSC_*, lParam colour; old one
inline constexpr UINT MCM_GETCOLOR = MCM_FIRST + 11;
inline constexpr UINT MCM_SETTODAY = MCM_FIRST + 12;
inline constexpr UINT MCM_GETTODAY = MCM_FIRST + 13;
inline constexpr UINT MCM_HITTEST = MCM_FIRST + 14;  // lParam MCHITTESTINFO*; the hit code
inline constexpr UINT MCM_SETFIRSTDAYOFWEEK = MCM_FIRST + 15;  // lParam 0 Monday .. 6 Sunday
inline constexpr UINT MCM_GETFIRSTDAYOFWEEK = MCM_FIRST + 16;
inline constexpr UINT MCM_GETRANGE = MCM_FIRST + 17;  // lParam SYSTEMTIME[2]; GDTR_* flags
inline constexpr UINT MCM_SETRANGE = MCM_FIRST + 18;  // wParam GDTR_*, lParam SYSTEMTIME[2]
inline constexpr UINT MCM_GETMONTHDELTA = MCM_FIRST + 19;
inline constexpr UINT MCM_SETMONTHDELTA = MCM_FIRST + 20;

// MCM_GETMONTHRANGE: the months shown whole, or every month with a day on the screen.
inline constexpr WPARAM GMR_VISIBLE = 0;
inline constexpr WPARAM GMR_DAYSTATE = 1;

// Which ends of a range are set.
inline constexpr DWORD GDTR_MIN = 0x0001;
inline constexpr DWORD GDTR_MAX = 0x0002;

// The colours of MCM_SETCOLOR.
inline constexpr WPARAM MCSC_BACKGROUND = 0;
inline constexpr WPARAM MCSC_TEXT = 1;
inline constexpr WPARAM MCSC_TITLEBK = 2;
inline constexpr WPARAM MCSC_TITLETEXT = 3;
inline constexpr WPARAM MCSC_MONTHBK = 4;
inline constexpr WPARAM MCSC_TRAILINGTEXT = 5;

// Hit codes: a kind (title, calendar, today link) with a part, and a bit for the month before
// or after.
inline constexpr UINT MCHT_TITLE = 0x00010000;
inline constexpr UINT MCHT_CALENDAR = 0x00020000;
inline constexpr UINT MCHT_TODAYLINK = 0x00030000;
inline constexpr UINT MCHT_NEXT = 0x01000000;
inline constexpr UINT MCHT_PREV = 0x02000000;
inline constexpr UINT MCHT_NOWHERE = 0x00000000;
inline constexpr UINT MCHT_TITLEBK = MCHT_TITLE;
inline constexpr UINT MCHT_TITLEMONTH = MCHT_TITLE | 0x0001;
inline constexpr UINT MCHT_TITLEYEAR = MCHT_TITLE | 0x0002;
inline constexpr UINT MCHT_TITLEBTNNEXT = MCHT_TITLE | MCHT_NEXT | 0x0003;
inline constexpr UINT MCHT_TITLEBTNPREV = MCHT_TITLE | MCHT_PREV | 0x0003;
inline constexpr UINT MCHT_CALENDARBK = MCHT_CALENDAR;
inline constexpr UINT MCHT_CALENDARDATE = MCHT_CALENDAR | 0x0001;
inline constexpr UINT MCHT_CALENDARDATENEXT = MCHT_CALENDARDATE | MCHT_NEXT;
inline constexpr UINT MCHT_CALENDARDATEPREV = MCHT_CALENDARDATE | MCHT_PREV;
inline constexpr UINT MCHT_CALENDARDAY = MCHT_CALENDAR | 0x0002;
inline constexpr UINT MCHT_CALENDARWEEKNUM = MCHT_CALENDAR | 0x0003;

// A day of the month or of the greyed months around it.
inline constexpr bool IsDateHit(UINT Hit) {
    return (Hit & ~(MCHT_NEXT | MCHT_PREV)) == MCHT_CALENDARDATE;
}

struct MCHITTESTINFO {
    UINT cbSize = sizeof(MCHITTESTINFO);
    TPoint pt;      // client coordinates
    UINT uHit = 0;  // MCHT_*
    SYSTEMTIME st;  // the date under the point, for the codes that have one
};

// Bit d - 1 set: day d of the month is drawn bold.
using MONTHDAYSTATE = uint32_t;

// Notifications (WM_NOTIFY to the parent, which the framework hands the control as CN_NOTIFY).
inline constexpr UINT MCN_FIRST = 0U - 750U;
inline constexpr UINT MCN_SELCHANGE = MCN_FIRST + 1;
inline constexpr UINT MCN_GETDAYSTATE = MCN_FIRST + 3;
inline constexpr UINT MCN_SELECT = MCN_FIRST + 4;

// MCN_SELCHANGE and MCN_SELECT: the selection, its start and end on one day in single mode.
struct NMSELCHANGE {
    NMHDR nmhdr;
    SYSTEMTIME stSelStart;
    SYSTEMTIME stSelEnd;
};

// MCN_GETDAYSTATE: the receiver fills cDayState masks, one per month from stStart's month;
// the array belongs to the calendar and holds at most 14.
struct NMDAYSTATE {
    NMHDR nmhdr;
    SYSTEMTIME stStart;
    int32_t cDayState = 0;
    MONTHDAYSTATE* prgDayState = nullptr;
};

}  // namespace vex
