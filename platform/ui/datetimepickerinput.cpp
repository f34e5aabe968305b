// What keys, presses and the wheel do to a date-time picker.

#include <algorithm>
#include <cctype>
#include <memory>

#include "platform/core/datetime.h"
#include "platform/ui/datetimepicker.h"
#include "platform/ui/datetimepickerdropdown.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {

void TDateTimePicker::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        // Open, Enter and Escape belong to the calendar, not to the form's buttons.
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (DroppedDown()) Message.Result |= DLGC_WANTALLKEYS;
        return;
    }
    TCustomControl::DefaultHandler(Message);
}

void TDateTimePicker::SelectPart(int32_t Index) {
    const int32_t count = static_cast<int32_t>(Parts().Count());
    const int32_t chosen = std::clamp(Index, 0, std::max(0, count - 1));
    if (chosen == FSelectedPart) return;
    FSelectedPart = chosen;
    Invalidate();
}

bool TDateTimePicker::FinishTyping() {
    if (!FTyped.Active()) return true;
    const int32_t typed = FTyped.Value();
    FTyped.Reset();
    Invalidate();
    TDateTimePickerParts parts;
    parts.Layout(Format(), FDateTime);
    if (FSelectedPart >= static_cast<int32_t>(parts.Count())) return true;
    TDateTime value;
    if (!SetPart(FDateTime, parts.Part(static_cast<size_t>(FSelectedPart)), typed, value)) {
        MessageBeep(0);
        return true;
    }
    const std::weak_ptr<const void> life = LifeToken();
    Commit(value, true);
    return !life.expired();
}

void TDateTimePicker::StepSelected(int32_t Delta) {
    if (!FinishTyping()) return;
    TDateTimePickerParts parts;
    parts.Layout(Format(), FDateTime);
    if (FSelectedPart >= static_cast<int32_t>(parts.Count())) return;
    Commit(StepPart(FDateTime, parts.Part(static_cast<size_t>(FSelectedPart)), Delta), true);
}

void TDateTimePicker::CalendarKey(uint16_t Key) {
    switch (Key) {
        case VK_ESCAPE:
            CloseUp();
            return;
        case VK_RETURN:
            DayChosen(FDropDown->ShownDate());
            return;
        case VK_LEFT:
            FDropDown->MoveBy(-1, 0);
            return;
        case VK_RIGHT:
            FDropDown->MoveBy(1, 0);
            return;
        case VK_UP:
            FDropDown->MoveBy(-7, 0);
            return;
        case VK_DOWN:
            FDropDown->MoveBy(7, 0);
            return;
        case VK_PRIOR:
            FDropDown->MoveBy(0, -1);
            return;
        case VK_NEXT:
            FDropDown->MoveBy(0, 1);
            return;
        default:
            return;
    }
}

void TDateTimePicker::KeyDown(uint16_t& Key, TShiftState Shift) {
    // OnKeyDown may free the picker.
    const std::weak_ptr<const void> life = LifeToken();
    TCustomControl::KeyDown(Key, Shift);
    if (life.expired() || Key == 0) return;
    const bool alt = Shift.Contains(ssAlt);
    if (FKind == dtkDate && (Key == VK_F4 || (alt && (Key == VK_DOWN || Key == VK_UP)))) {
        if (DroppedDown())
            CloseUp();
        else
            DropDown();
        Key = 0;
        return;
    }
    if (DroppedDown()) {
        CalendarKey(Key);
        Key = 0;
        return;
    }
    if (alt) return;
    const int32_t last = static_cast<int32_t>(Parts().Count()) - 1;
    switch (Key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END:
            if (!FinishTyping()) return;
            SelectPart(Key == VK_LEFT    ? FSelectedPart - 1
                       : Key == VK_RIGHT ? FSelectedPart + 1
                       : Key == VK_HOME  ? 0
                                         : last);
            break;
        case VK_UP:
        case VK_DOWN:
            StepSelected(Key == VK_UP ? 1 : -1);
            break;
        default:
            return;
    }
    Key = 0;
}

void TDateTimePicker::KeyPress(char& Key) {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomControl::KeyPress(Key);
    if (life.expired() || Key == 0 || DroppedDown()) return;
    TDateTimePickerParts parts;
    parts.Layout(Format(), FDateTime);
    if (FSelectedPart >= static_cast<int32_t>(parts.Count())) return;
    const TDateTimeSpan& part = parts.Part(static_cast<size_t>(FSelectedPart));
    if (Key >= '0' && Key <= '9' && TTypedNumber::MaxDigits(part) > 0) {
        const int32_t digit = Key - '0';
        Key = 0;
        const bool complete = FTyped.Add(digit, part, FDateTime);
        Invalidate();
        if (!complete || !FinishTyping()) return;
        SelectPart(FSelectedPart + 1);
        return;
    }
    // The first letter of the am or pm string chooses that half of the day.
    if (part.Kind == TDateTimeTokenKind::AmPm && Key > ' ') {
        const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(Key)));
        const bool pm = SplitDateTime(FDateTime).MSec >= MSecsPerDay / 2;
        if ((up == 'P') != pm && (up == 'A' || up == 'P')) StepSelected(1);
        Key = 0;
    }
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const std::weak_ptr<const void> life = LifeToken();
    if (CanFocus() && !Focused()) SetFocus();
    if (life.expired()) return;
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (life.expired() || Button != mbLeft) return;
    if (FKind == dtkDate && PtInRect(ButtonRect(), Point(X, Y))) {
        if (DroppedDown())
            CloseUp();
        else
            DropDown();
        return;
    }
    // The part under the pointer: the text is measured as it is drawn.
    if (!FinishTyping()) return;
    const TDateTimePickerParts parts = Parts();
    const std::string& text = parts.Text();
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    size_t offset = 0;
    while (offset < text.size() && canvas.TextWidth(text.substr(0, offset + 1)) + 2 <= X)
        ++offset;
    SelectPart(parts.PartAt(offset));
}

bool TDateTimePicker::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) {
    // OnMouseWheel may free the picker and still leave the wheel to it.
    const std::weak_ptr<const void> life = LifeToken();
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (life.expired() || DroppedDown() || WheelDelta == 0) return false;
    StepSelected(WheelDelta > 0 ? 1 : -1);
    return true;
}

void TDateTimePicker::WMSetFocus(TMessage& Message) {
    TCustomControl::WMSetFocus(Message);
    Invalidate();
}

void TDateTimePicker::WMKillFocus(TMessage& Message) {
    if (!FinishTyping()) return;
    CloseUp();
    TCustomControl::WMKillFocus(Message);
    Invalidate();
}

void TDateTimePicker::CMCancelMode(TMessage& Message) {
    if (reinterpret_cast<TControl*>(Message.LParam) != this) CloseUp();
    TCustomControl::CMCancelMode(Message);
}

}  // namespace vex
