#pragma once

// A month calendar on a shown form, and the points of its parts found through its own hit test,
// so that tests do not depend on its layout.

#include <functional>
#include <string>

#include "dataaware/edits/wwmonthcalendar.h"
#include "platform/core/datetime.h"
#include "platform/ui/monthcal.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/window.h"

namespace vex::test {

inline TDateTime DayAt(uint16_t Year, uint16_t Month, uint16_t Day, uint16_t Hour = 0,
                       uint16_t Minute = 0) {
    return ComposeDateTime(EncodeDate(Year, Month, Day), EncodeTime(Hour, Minute, 0, 0));
}

inline std::string Shown(TDateTime Value) {
    return FormatDateTime("yyyy-mm-dd hh:nn", Value);
}

// The middle of the part of Control's client area whose hit test Wanted accepts; (-1, -1) when
// there is none.
inline TPoint FindHit(TwwMonthCalendar& Control,
                      const std::function<bool(const MCHITTESTINFO&)>& Wanted) {
    TRect box = Rect(INT32_MAX, INT32_MAX, -1, -1);
    TPoint first = Point(-1, -1);
    const TRect client = Control.ClientRect();
    for (int32_t y = 0; y < client.Bottom; y += 2)
        for (int32_t x = 0; x < client.Right; x += 2) {
            if (!Wanted(Control.HitTest(Point(x, y)))) continue;
            if (first.X < 0) first = Point(x, y);
            box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x),
                       std::max(box.Bottom, y));
        }
    const TPoint middle = Point((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    return first.X >= 0 && Wanted(Control.HitTest(middle)) ? middle : first;
}

inline TPoint FindCode(TwwMonthCalendar& Control, UINT Code) {
    return FindHit(Control, [Code](const MCHITTESTINFO& I) { return I.uHit == Code; });
}

// The cell of a date, shown in its own month (Code MCHT_CALENDARDATE) or greyed in the
// month before or after.
inline TPoint FindDay(TwwMonthCalendar& Control, uint16_t Year, uint16_t Month, uint16_t Day,
                      UINT Code = MCHT_CALENDARDATE) {
    return FindHit(Control, [=](const MCHITTESTINFO& I) {
        return I.uHit == Code && I.st.wYear == Year && I.st.wMonth == Month && I.st.wDay == Day;
    });
}

// A left click at a client point, as the window gets it.
inline void ClickCalendar(TwwMonthCalendar& Control, TPoint At) {
    SendMessage(Control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(At));
    SendMessage(Control.Handle(), WM_LBUTTONUP, 0, PointToLParam(At));
}

}  // namespace vex::test
