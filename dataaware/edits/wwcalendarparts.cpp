#include "dataaware/edits/wwmonthcalendar.h"
#include "platform/ui/monthcal.h"
#include "platform/win/window.h"

namespace vex {

TwwDateTimeColors::TwwDateTimeColors(TPersistent* AOwner) : FOwner(AOwner) {}

void TwwDateTimeColors::SetColors(int32_t Index, TColor Value) {
    if (Index < 0 || Index >= static_cast<int32_t>(FColors.size()))
        throw ERangeError("Colour index " + std::to_string(Index) + " is out of range");
    auto* calendar = dynamic_cast<TwwMonthCalendar*>(FOwner);
    if (calendar != nullptr && calendar->HandleAllocated())
        SendMessage(calendar->Handle(), MCM_SETCOLOR, static_cast<WPARAM>(Index),
                    static_cast<LPARAM>(ColorToRGB(Value)));
    FColors[static_cast<size_t>(Index)] = Value;
}

void TwwDateTimeColors::Assign(const TPersistent* Source) {
    const auto* colors = dynamic_cast<const TwwDateTimeColors*>(Source);
    if (colors == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    // The background is the control's own colour, so it is not copied.
    for (int32_t i = 1; i < static_cast<int32_t>(FColors.size()); ++i)
        SetColors(i, colors->Colors(i));
}

void TwwPopupYearOptions::Assign(const TPersistent* Source) {
    const auto* options = dynamic_cast<const TwwPopupYearOptions*>(Source);
    if (options == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    YearsPerColumn = options->YearsPerColumn;
    NumberColumns = options->NumberColumns;
    StartYear = options->StartYear;
    ShowEditYear = options->ShowEditYear;
}

void TCalendarPopupMenu::Popup(int32_t X, int32_t Y) {
    // A click on a menu item may free the calendar, and this menu with it.
    const std::weak_ptr<const void> life = LifeToken();
    FPopupOpen = true;
    try {
        TPopupMenu::Popup(X, Y);
    } catch (...) {
        if (!life.expired()) FPopupOpen = false;
        throw;
    }
    if (!life.expired()) FPopupOpen = false;
}

}  // namespace vex
