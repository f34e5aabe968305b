#pragma once

// A stand-in for the data-aware date/time picker: it drops the popup calendar below itself as
// the picker does, holds the mouse hook while it is down, and logs what the popup asks of it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dataaware/edits/wwcalendar_testsupport.h"
#include "dataaware/edits/wwpopupcalendar.h"
#include "platform/ui/controlmessages.h"
#include "platform/win/windowpos.h"

namespace vex::test {

class TStandInPicker : public TWinControl, public TwwPopupCalendarPicker {
public:
    explicit TStandInPicker(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

    std::vector<std::string> Log;
    bool MayModify = true;
    TDateTime Value = 0;
    TwwPopupCalendar* Calendar = nullptr;
    TwwMonthOptions CalendarOptions{mdoDayState};
    // Runs after a change is logged, as the picker's own change event would.
    std::function<void()> OnNotifyChange;

    void DropDown() {
        if (Calendar == nullptr) {
            Calendar = new TwwPopupCalendar(this);
            Calendar->SetVisible(false);
            Calendar->SetParent(this);
        }
        Calendar->SetOptions(CalendarOptions);
        Calendar->SetDate(Value);
        Calendar->SetTime(Value);
        Calendar->HandleNeeded();  // its size is known once it has its window
        const TPoint at = ClientToScreen(Point(0, Height() - 1));
        SetWindowPos(Calendar->Handle(), HWND_TOPMOST, at.X + 1, at.Y, Calendar->Width(),
                     Calendar->Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Calendar->SetVisible(true);
        if (FHook == nullptr) FHook = std::make_unique<TwwCalendarMouseHook>();
    }

    void CloseUp(bool Accept) override {
        Log.push_back(Accept ? "closeup accept" : "closeup cancel");
        if (Calendar != nullptr && Calendar->Visible()) {
            if (Accept) Value = Calendar->Date();
            SetWindowPos(Calendar->Handle(), 0, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
            Calendar->SetVisible(false);
        }
        FHook.reset();
    }
    bool IsDroppedDown() override { return Calendar != nullptr && Calendar->Visible(); }
    bool EditCanModify() override { return MayModify; }
    void NotifyChange() override {
        Log.push_back("change");
        if (OnNotifyChange) OnNotifyChange();
    }
    void SetModified(bool Modified) override {
        Log.push_back(Modified ? "modified" : "unmodified");
    }
    void SetDate(TDateTime Date) override {
        Value = Date;
        Log.push_back("date " + Shown(Date));
    }
    HWND PickerWindow() override { return Handle(); }
    TwwPopupCalendar* PopupCalendar() override { return Calendar; }
    bool Hooked() const { return FHook != nullptr; }

    // The screen point of a client point of the calendar.
    TPoint OnCalendar(TPoint At) const { return Calendar->ClientToScreen(At); }

protected:
    // As the picker does: a press that went elsewhere than to itself or its calendar closes the
    // drop-down keeping the day. The mouse hook's message comes from nobody.
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_CANCELMODE) {
            const auto* sender = reinterpret_cast<const TControl*>(Message.LParam);
            if (sender == this || (sender != nullptr && sender == Calendar)) return;
            Log.push_back(sender == nullptr ? "cancel mode"
                                            : "cancel mode from " + sender->ClassName());
            if (IsDroppedDown()) CloseUp(true);
            return;
        }
        TWinControl::WndProc(Message);
    }

private:
    std::unique_ptr<TwwCalendarMouseHook> FHook;
};

}  // namespace vex::test
