// The month menu a right click on the calendar's title opens.
#include "components/entry/EsCal.h"
#include "platform/core/formatsettings.h"
#include "platform/win/application.h"
#include "platform/win/systemmetrics.h"

namespace vex {

bool TEsCustomCalendar::OverTitle(int32_t X, int32_t Y) const {
    const TRect& prevYear = FButtonRects[cbPrevYear];
    const TRect& nextYear = FButtonRects[cbNextYear];
    return Y < FCells[1][0].Top && X > prevYear.Left + (nextYear.Right - nextYear.Left) &&
           X < nextYear.Left;
}

void TEsCustomCalendar::ShowMonthMenu(int32_t X, int32_t Y) {
    if (FMonthMenu == nullptr) FMonthMenu = new TPopupMenu(this);
    TMenuItem* items = FMonthMenu->Items();
    items->Clear();
    const std::array<uint8_t, 7> months = MonthMenuMonths(FMonth);
    for (int32_t position = 0; position < 7; ++position) {
        auto* item = new TMenuItem(FMonthMenu);
        item->SetCaption(FormatSettings().LongMonthNames[months[position] - 1]);
        item->SetEnabled(Enabled());
        item->SetTag(months[position]);
        item->OnClick = [this, position](TObject*) { MonthMenuClick(position); };
        items->Add(item);
    }
    const TPoint at = ClientToScreen(Point(X - 20, Y - 7 * GetSystemMetrics(SM_CYMENU) / 2));
    const bool heldMouse = MouseCapture();
    const std::weak_ptr<const void> life = LifeToken();
    {
        const TRaisedFlag menuUp = Raise(FMenuActive);
        FMonthMenu->Popup(at.X, at.Y);
    }
    if (life.expired()) return;
    // The chosen item's click is on its way.
    Application().ProcessMessages();
    if (!life.expired() && heldMouse && Visible()) SetMouseCapture(true);
}

void TEsCustomCalendar::MonthMenuClick(int32_t Position) {
    if (const std::optional<TDateTime> date = MonthMenuDate(FDate, Position)) SetDate(*date);
}

}  // namespace vex
