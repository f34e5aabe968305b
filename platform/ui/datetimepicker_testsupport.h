#pragma once

// Where a month calendar shows a day, found by its own hit test, so that a test clicks a day
// whatever the calendar's layout.

#include <cstdint>
#include <optional>

#include "platform/core/geometry.h"
#include "platform/ui/monthcal.h"
#include "platform/win/window.h"

namespace vex::test {

// A client point of the calendar window whose hit code is MCHT_CALENDARDATE with Flags
// (MCHT_NEXT, MCHT_PREV or none) and whose day is Month/Day; none when no point shows it.
inline std::optional<TPoint> PointOfDay(HWND Calendar, TPoint ClientSize, uint16_t Month,
                                        uint16_t Day, UINT Flags = 0) {
    for (int32_t y = 1; y < ClientSize.Y; y += 2)
        for (int32_t x = 1; x < ClientSize.X; x += 2) {
            MCHITTESTINFO hit;
            hit.pt = Point(x, y);
            const UINT code = static_cast<UINT>(
                SendMessage(Calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if (code == (MCHT_CALENDARDATE | Flags) && hit.st.wMonth == Month && hit.st.wDay == Day)
                return Point(x, y);
        }
    return std::nullopt;
}

}  // namespace vex::test
