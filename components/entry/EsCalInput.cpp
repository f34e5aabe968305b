// The calendar's keys, clicks, wheel and buttons.
#include <cstdlib>
#include <memory>

#include "components/entry/EsCal.h"
#include "platform/core/datetime.h"
#include "platform/win/keyboard.h"

namespace vex {

const char* TEsCustomCalendar::ButtonGlyph(TEsCalButton Button) {
    static constexpr const char* kGlyphs[] = {"ESLEFTARROW", "ESRIGHTARROW", "ESTODAY",
                                              "ESRIGHTARROWS", "ESLEFTARROWS"};
    return kGlyphs[Button];
}

void TEsCustomCalendar::MoveByKeys(std::optional<TDateTime> Target) {
    if (!Target || *Target == FDate) return;
    SetDate(*Target);
    const TRaisedFlag keyboard = Raise(FKeyboardChange);
    DoChange(FDate);
}

void TEsCustomCalendar::KeyDown(uint16_t& Key, TShiftState Shift) {
    const std::weak_ptr<const void> life = LifeToken();
    TEsBase::KeyDown(Key, Shift);
    if (life.expired()) return;
    MoveByKeys(CalendarKeyTarget(FDate, ::vex::Date(), Key, Shift.Contains(ssShift),
                                 Shift.Contains(ssCtrl), Shift.Contains(ssAlt)));
}

void TEsCustomCalendar::KeyPress(char& Key) {
    const std::weak_ptr<const void> life = LifeToken();
    TEsBase::KeyPress(Key);
    if (life.expired()) return;
    if (Key == '\r' || Key == ' ')
        DoChange(FDate);
    else if (Key == '\x1A')  // Ctrl+Z
        SetDate(::vex::Date());
}

void TEsCustomCalendar::DoMouseWheel(TShiftState Shift, int16_t Delta, int16_t XPos, int16_t YPos) {
    const std::weak_ptr<const void> life = LifeToken();
    TEsBase::DoMouseWheel(Shift, Delta, XPos, YPos);
    if (life.expired() || Delta == 0) return;
    const int32_t size = std::abs(int32_t{Delta});
    const bool towardsUser = Delta < 0;
    uint16_t key = towardsUser ? VK_DOWN : VK_UP;
    if (size >= WHEEL_DELTA) key = towardsUser ? VK_NEXT : VK_PRIOR;
    MoveByKeys(CalendarKeyTarget(FDate, ::vex::Date(), key, false, size > WHEEL_DELTA, false));
}

void TEsCustomCalendar::ButtonClick(TEsCalButton Button) {
    switch (Button) {
        case cbPrevMonth:
            return MoveByKeys(StepMonths(FDate, -1));
        case cbNextMonth:
            return MoveByKeys(StepMonths(FDate, 1));
        case cbPrevYear:
            return MoveByKeys(StepMonths(FDate, -12));
        case cbNextYear:
            return MoveByKeys(StepMonths(FDate, 12));
        case cbToday: {
            const TDateTime today = ::vex::Date();
            if (today == FDate) return;
            SetDate(today);
            DoChange(FDate);
            return;
        }
    }
}

int32_t TEsCustomCalendar::IndexAt(int32_t X, int32_t Y) const {
    for (int32_t i = 1; i <= 42; ++i)
        if (PtInRect(IndexRect(i), Point(X, Y))) return i;
    return 0;
}

void TEsCustomCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (FMenuActive) return;
    const std::weak_ptr<const void> life = LifeToken();
    if (CanFocus()) SetFocus();
    if (life.expired()) return;
    TEsBase::MouseDown(Button, Shift, X, Y);
    if (life.expired()) return;
    // A popup holds the mouse, so its buttons get no clicks of their own.
    if (MouseCapture())
        for (TEsCalButton b : {cbPrevMonth, cbNextMonth, cbToday, cbNextYear, cbPrevYear})
            if (PtInRect(FButtonRects[b], Point(X, Y))) return ButtonClick(b);
    ClickDay(Button, X, Y);
}

void TEsCustomCalendar::ClickDay(TMouseButton Button, int32_t X, int32_t Y) {
    const int32_t index = IndexAt(X, Y);
    if (index == 0) return;
    const int32_t current = CurrentIndex();
    if (index != current) {
        if (!FShowInactive && (index < FGrid.FirstIndex || index > FGrid.LastIndex)) return;
        const std::optional<TDateTime> target = StepDays(FDate, index - current);
        if (!target) return;
        SetDate(*target);
    }
    if (Button == mbLeft) DoChange(FDate);
}

void TEsCustomCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const std::weak_ptr<const void> life = LifeToken();
    if (!Focused() && CanFocus()) SetFocus();
    if (life.expired()) return;
    TEsBase::MouseUp(Button, Shift, X, Y);
    if (life.expired()) return;
    if (Button == mbRight && PopupMenu() == nullptr && OverTitle(X, Y)) ShowMonthMenu(X, Y);
}

}  // namespace vex
