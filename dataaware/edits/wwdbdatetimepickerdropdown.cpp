#include <algorithm>
#include <cmath>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepickervalues.h"
#include "dataaware/edits/wweditorgrid.h"
#include "dataaware/edits/wwpickerparts.h"
#include "platform/core/datetime.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"
#include "platform/gfx/edges.h"
#include "platform/ui/controlflagscope.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/monthcal.h"
#include "platform/ui/screen.h"
#include "platform/win/capture.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"

namespace vex {

namespace {

bool AltDown() {
    return GetKeyState(VK_MENU) < 0;
}

// The width a drop-down's alignment leaves for the picker's button.
int32_t ButtonAllowance() {
    return std::max(GetSystemMetrics(SM_CXVSCROLL), 15);
}

}  // namespace

void TwwDateComboButton::Paint() {
    TRect box = ClientRect();
    uint32_t state = DFCS_SCROLLCOMBOBOX;
    const auto* picker = dynamic_cast<const TControl*>(Owner());
    const bool copy = picker != nullptr && picker->ControlState().Contains(csPaintCopy);
    if (picker != nullptr && !picker->Enabled())
        state |= DFCS_INACTIVE;
    else if (State() == bsDown && !copy)
        state |= DFCS_PUSHED | DFCS_FLAT;
    DrawFrameControl(Canvas().Handle(), box, DFC_SCROLL, state);
}

bool TwwDBCustomDateTimePicker::IsDroppedDown() {
    return FPopupCalendar != nullptr && FPopupCalendar->Visible();
}

TDateTime TwwDBCustomDateTimePicker::WithinLimits(TDateTime Value) const {
    return std::max(std::min(Value, wwWholeDay(EffectiveMaxDate())), EffectiveMinDate());
}

void TwwDBCustomDateTimePicker::TakeCalendarDay(TDateTime Day) {
    const TDateTime next = wwDayAtTimeOf(Day, FValue);
    if (FMinDate != 0 && wwWholeDay(Day) == wwWholeDay(FMinDate) &&
        wwMoment(next) < wwMoment(FMinDate))
        SetValue(FMinDate);
    else
        SetDate(Day);
}

void TwwDBCustomDateTimePicker::DropDown() {
    if (IsDroppedDown() || BindingInactive() || IsTimeOnlyKind()) return;
    if (!MayModify()) {
        ShowEditCaret(false);
        TCustomEdit::SetReadOnly(true);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    // Only the focused picker's calendar is closed by a press elsewhere, and by the focus
    // leaving: one dropped down without the focus would stay open for good.
    if (!Focused()) {
        if (CanFocus()) SetFocus();
        if (life.expired() || !Focused()) return;
    }
    TCustomEdit::SetReadOnly(false);
    FValueBeforeDropDown = FValue;
    if (!CommitPendingPart()) return;
    FParts->DropPending();
    ShowEditCaret(false);
    if (FPopupCalendar == nullptr) {
        FPopupCalendar = new TwwPopupCalendar(this);
        FPopupCalendar->SetVisible(false);
        FPopupCalendar->SetParent(this);
    }
    TwwPopupCalendar& calendar = *FPopupCalendar;
    calendar.SetBorderStyle(bsSingle);
    calendar.SetCalColors(FCalendarAttributes->Colors());
    calendar.OnCalcBoldDay = OnCalcBoldDay;
    calendar.SetOptions(FCalendarAttributes->Options());
    // Widen before narrowing, so neither limit is ever set across the other.
    calendar.SetMinDate(0);
    calendar.SetMaxDate(EffectiveMaxDate());
    calendar.SetMinDate(EffectiveMinDate());
    calendar.SetFont(*FCalendarAttributes->Font());
    calendar.SetPopupYearOptions(FCalendarAttributes->PopupYearOptions());
    calendar.SetFirstDayOfWeek(FCalendarAttributes->FirstDayOfWeek());
    calendar.HandleNeeded();
    TRect need;
    SendMessage(calendar.Handle(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));

    // The dataset's and the picker's change handlers run from here on, and may free the picker.
    if (TextEmpty() || FValue == 0) {
        EditPermission();
        if (life.expired()) return;
        SetModified(true);
        // Today, or the nearest limit when today is outside them.
        if (TextEmpty()) SetValue(WithinLimits(::vex::Date()));
        if (life.expired()) return;
    }
    if (!ReplaceText(TextOfValue(FValue)) || FPopupCalendar != &calendar) return;
    // A field may hold a day outside the limits; the calendar opens on the nearest one.
    const TDateTime shown = WithinLimits(FValue);
    calendar.SetDate(shown);
    calendar.SetTime(shown);
    SetSelStart(0);
    if (OnDropDown) OnDropDown(this);
    if (life.expired() || FPopupCalendar != &calendar) return;
    SetShowHint(false);
    PlaceCalendar(need.Right - need.Left, need.Bottom - need.Top);
    if (!FMouseHook) FMouseHook = std::make_unique<TwwCalendarMouseHook>();
}

void TwwDBCustomDateTimePicker::PlaceCalendar(int32_t CalendarWidth, int32_t CalendarHeight) {
    TwwPopupCalendar& calendar = *FPopupCalendar;
    const TPoint at = Parent() != nullptr ? Parent()->ClientToScreen(Point(Left(), Top()))
                                          : ClientToScreen(Point(0, 0));
    int32_t top = at.Y + Height() - 1;
    const TRect work = Screen().WorkAreaRect();
    if (top + CalendarHeight > work.Bottom && at.Y - CalendarHeight >= work.Top)
        top = at.Y - CalendarHeight;
    int32_t left = at.X;
    if (FCalendarAttributes->Alignment() == wwdtaRight)
        left = at.X + Width() - ButtonAllowance() - CalendarWidth - 1;
    else if (FCalendarAttributes->Alignment() == wwdtaCenter)
        left = at.X + static_cast<int32_t>(
                          std::trunc((Width() - CalendarWidth - ButtonAllowance() - 1) * 0.5));
    if (at.X + CalendarWidth >= Screen().Width()) left = at.X + Width() - 1 - CalendarWidth;
    SetWindowPos(calendar.Handle(), HWND_TOPMOST, left + 1, top, CalendarWidth, CalendarHeight,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    calendar.SetVisible(true);
    calendar.Update();
}

void TwwDBCustomDateTimePicker::CloseUp(bool Accept) {
    // The hook goes first: nothing below may leave it behind, whatever raises or frees.
    FMouseHook.reset();
    // Leaving the picker, and the hook's late message after the form's own, close nothing.
    if (FClosing || !IsDroppedDown()) return;
    const std::weak_ptr<const void> life = LifeToken();
    const TControlFlagScope closing(FClosing, life);
    if (const HWND holder = GetCapture()) SendMessage(holder, WM_CANCELMODE, 0, 0);
    if (life.expired() || !IsDroppedDown()) return;
    const TDateTime newDate = FPopupCalendar->Date();
    const std::string newText = DisplayTextOf(FPopupCalendar->Time());
    SetWindowPos(FPopupCalendar->Handle(), 0, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    FPopupCalendar->SetVisible(false);
    if (!Accept) {
        SetValue(FValueBeforeDropDown);
    } else if (Bound() && newText != DisplayTextOf(Field()->AsDateTime()) && MayEditField()) {
        if (newText.empty())
            ReplaceText("");
        else
            TakeCalendarDay(newDate);
        if (life.expired()) return;
        SetModified(true);
    }
    if (life.expired()) return;
    if (OnCloseUp) OnCloseUp(this);
    if (life.expired()) return;
    SetShowHint(true);
    Invalidate();
    HighlightCurrentPart();
}

bool TwwDBCustomDateTimePicker::DropDownKey(WPARAM Key) {
    const bool alt = AltDown();
    if (alt && (Key == VK_DOWN || Key == VK_UP)) {
        if (IsDroppedDown())
            CloseUp(true);
        else
            DropDown();
        return true;
    }
    if (!IsDroppedDown()) return false;
    if (!alt && (Key == VK_RETURN || Key == VK_ESCAPE)) {
        FEscapeConsumed = Key == VK_ESCAPE;
        CloseUp(Key == VK_RETURN);
        return true;
    }
    return false;
}

void TwwDBCustomDateTimePicker::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case CM_GETDATALINK:
            Message.Result = reinterpret_cast<LRESULT>(FDataLink.get());
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (DropDownKey(Message.WParam)) return;
            if (IsDroppedDown()) {
                const std::weak_ptr<const void> life = LifeToken();
                TwwPopupCalendar* calendar = FPopupCalendar;
                SendMessage(calendar->Handle(), Message.Msg, Message.WParam, Message.LParam);
                if (life.expired()) return;
                if (FPopupCalendar == calendar && MayModify()) {
                    EditPermission();
                    SetModified(true);
                    TakeCalendarDay(calendar->Date());
                }
                if (life.expired()) return;
            }
            break;
        default:
            break;
    }
    TCustomEdit::WndProc(Message);
}

void TwwDBCustomDateTimePicker::CNKeyDown(TMessage& Message) {
    if (ComponentState().Contains(csDesigning)) {
        TCustomEdit::CNKeyDown(Message);
        return;
    }
    const auto key = static_cast<uint16_t>(Message.WParam);
    if (key == VK_DELETE && Bound() && Field()->Required()) {
        Message.Result = 0;
        return;
    }
    if (IsDroppedDown() && (key == VK_RETURN || key == VK_ESCAPE)) {
        Message.Result = 0;
        return;
    }
    if (IsDroppedDown() && key == VK_TAB) {
        const std::weak_ptr<const void> life = LifeToken();
        CloseUp(true);
        if (life.expired()) return;
    }
    // Inside a grid, as the grid's other editors do: Enter always, Tab when the grid moves
    // between cells with it.
    const bool toGrid =
        key == VK_RETURN || (key == VK_TAB && wwGetGridOptions(this).Contains(dgTabs));
    if (toGrid && wwInGrid(this) &&
        wwHandKeyToGrid(this, key, KeyDataToShiftState(Message.LParam))) {
        Message.Result = 1;
        return;
    }
    TCustomEdit::CNKeyDown(Message);
}

void TwwDBCustomDateTimePicker::CMCancelMode(TMessage& Message) {
    const auto* sender = reinterpret_cast<const TControl*>(Message.LParam);
    // A press on the picker itself is its own business, as the form tells no control of its own
    // press.
    if (sender == this) return;
    if (sender != nullptr && (sender == FPopupCalendar || sender == FButton)) {
        CommitPendingPart();
        return;
    }
    CloseUp(true);
}

void TwwDBCustomDateTimePicker::WMKillFocus(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomEdit::WMKillFocus(Message);
    if (!life.expired()) CloseUp(true);
}

void TwwDBCustomDateTimePicker::WMSize(TMessage& Message) {
    TCustomEdit::WMSize(Message);
    LayoutButton();
}

void TwwDBCustomDateTimePicker::ButtonClick(TObject*) {
    if (IsDroppedDown()) {
        CloseUp(true);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    {
        const TControlFlagScope byButton(FOpenedByButton, life);
        if (CanFocus()) SetFocus();
        if (life.expired()) return;
        if (Focused()) DropDown();
    }
}

void TwwDBCustomDateTimePicker::SetShowButton(bool Value) {
    if (FShowButton == Value) return;
    FShowButton = Value;
    FButtonPanel->SetVisible(Value && !IsTimeOnlyKind());
    if (HandleAllocated()) {
        SetEditRect();
        Invalidate();
    }
}

int32_t TwwDBCustomDateTimePicker::ButtonLeft() const {
    return FButtonPanel->Left() - 1;
}

void TwwDBCustomDateTimePicker::LayoutButton() {
    const int32_t width = FButton->Width();
    const bool sunken = BorderStyle() == bsSingle && Ctl3D();
    FButtonPanel->SetBounds(Width() - width - (sunken ? 4 : 0), 0, width, ClientHeight());
    if (BorderStyle() == bsSingle)
        FButton->SetBounds(0, 0, width, FButtonPanel->Height());
    else
        FButton->SetBounds(0, -1, width, FButtonPanel->Height() + 1);
    if (HandleAllocated()) SetEditRect();
}

void TwwDBCustomDateTimePicker::SetEditRect() {
    const int32_t inset = BorderStyle() == bsSingle ? 0 : wwInGrid(this) ? 2 : 1;
    const int32_t right = (FShowButton ? FButtonPanel->Left() : ClientWidth()) - 2;
    TRect area = Rect(inset, inset, right, ClientHeight() + 1);
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&area));
}

}  // namespace vex
