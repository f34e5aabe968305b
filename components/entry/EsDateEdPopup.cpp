// The date edit's drop-down calendar: opening, placing, the calendar's events, closing.
#include <memory>

#include "components/entry/EsDateEd.h"
#include "components/entry/EsEdPopupPlace.h"
#include "platform/core/datetime.h"
#include "platform/ui/form.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemparameters.h"

namespace vex {

void TEsCustomDateEdit::PopupOpen() {
    TEsEdPopup::PopupOpen();
    const std::weak_ptr<const void> life = LifeToken();
    // A bad text is reported, and no calendar shows; the edit is then as if it never opened,
    // so that leaving it still tells OnExit.
    try {
        LeaveField();
    } catch (...) {
        if (!life.expired()) TEsEdPopup::PopupClose(this);
        throw;
    }
    if (life.expired()) return;
    if (FCalendar == nullptr) MakeCalendar();
    // Opened again while down, what the first opening saved is kept for the closing.
    const bool down = FCalendar->Visible();
    TWinControl* parent = Parent();
    if (parent == nullptr) parent = GetParentForm(this);
    FCalendar->SetParent(parent);
    if (auto* form = dynamic_cast<TCustomForm*>(parent); form != nullptr && !down) {
        FSavedAutoScroll = form->AutoScroll();
        form->SetAutoScroll(false);
    }
    FCalendar->SetColors(FPopupCalColors);
    PlaceCalendar();
    FCalendar->SetDate(Text().empty() ? ::vex::Date() : FDate);
    if (!down) FSavedCursor = Cursor();
    SetCursor(crArrow);
    FCalendar->Show();
    FCalendar->SetFocus();
    FCalendar->SetMouseCapture(true);
}

void TEsCustomDateEdit::MakeCalendar() {
    FCalendar = new TEsCalendar(this, true);
    FCalendar->OnChange = [this](TObject* Sender, TDateTime Value) {
        CalendarChange(Sender, Value);
    };
    FCalendar->OnExit = [this](TObject* Sender) { PopupClose(Sender); };
    FCalendar->OnKeyDown = [this](TObject* Sender, uint16_t& Key, TShiftState Shift) {
        CalendarKeyDown(Sender, Key, Shift);
    };
    FCalendar->OnKeyPress = [this](TObject* Sender, char& Key) { CalendarKeyPress(Sender, Key); };
    FCalendar->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift,
                                    int32_t X,
                                    int32_t Y) { CalendarMouseDown(Sender, Button, Shift, X, Y); };
    FCalendar->SetVisible(false);
    FCalendar->SetBorderStyle(bsSingle);
    FCalendar->SetBounds(FCalendar->Left(), FCalendar->Top(), FPopupCalWidth, FPopupCalHeight);
    FCalendar->SetWeekStarts(FWeekStarts);
    FCalendar->SetParentCtl3D(false);
    FCalendar->SetCtl3D(Ctl3D());
    FCalendar->Font().Assign(&FPopupCalFont);
}

void TEsCustomDateEdit::PlaceCalendar() {
    TRect workArea;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &workArea, 0);
    const TPoint at = PlacePopup(ClientToScreen(Point(-2, Height() - 2)), Height(),
                                 FCalendar->Width(), FCalendar->Height(), workArea);
    FCalendar->SetBounds(at.X, at.Y, FCalendar->Width(), FCalendar->Height());
}

void TEsCustomDateEdit::PopupClose(TObject* Sender) {
    // Taking the focus back makes the calendar lose it, which closes it again.
    if (FClosing || FCalendar == nullptr || !FCalendar->Visible()) {
        TEsEdPopup::PopupClose(Sender);
        return;
    }
    FClosing = true;
    struct TEndClosing {
        bool& Flag;
        ~TEndClosing() { Flag = false; }
    } endClosing{FClosing};
    const std::weak_ptr<const void> life = LifeToken();
    TEsEdPopup::PopupClose(Sender);
    if (FCalendar->MouseCapture()) FCalendar->SetMouseCapture(false);
    if (CanFocus()) SetFocus();
    if (life.expired()) return;
    FCalendar->Hide();
    if (auto* form = dynamic_cast<TCustomForm*>(FCalendar->Parent()))
        form->SetAutoScroll(FSavedAutoScroll);
    SetCursor(FSavedCursor);
    FCalendar->SetParent(this);
}

void TEsCustomDateEdit::CloseAt(int32_t Caret) {
    const std::weak_ptr<const void> life = LifeToken();
    PopupClose(FCalendar);
    if (life.expired()) return;
    if (CanFocus()) SetFocus();
    SetSelStart(Caret);
}

void TEsCustomDateEdit::CalendarChange(TObject*, TDateTime Value) {
    const std::weak_ptr<const void> life = LifeToken();
    SetDate(Value);
    // A move by the keys leaves the calendar open; a day chosen closes it.
    if (life.expired() || FCalendar->KeyboardChange()) return;
    CloseAt(static_cast<int32_t>(Text().size()));
}

void TEsCustomDateEdit::CalendarKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (Key == VK_UP && Shift * TShiftState{ssShift, ssAlt, ssCtrl} == TShiftState{ssAlt})
        CloseAt(SelStart());
}

void TEsCustomDateEdit::CalendarKeyPress(TObject*, char& Key) {
    if (Key == '\x1B') CloseAt(SelStart());
}

void TEsCustomDateEdit::CalendarMouseDown(TObject*, TMouseButton, TShiftState, int32_t X,
                                          int32_t Y) {
    if (PtInRect(FCalendar->ClientRect(), Point(X, Y))) return;
    const TPoint onEdit = ScreenToClient(FCalendar->ClientToScreen(Point(X, Y)));
    const int32_t caret = SelStart();
    const std::weak_ptr<const void> life = LifeToken();
    PopupClose(FCalendar);
    if (life.expired() || !PtInRect(ClientRect(), onEdit)) return;
    if (CanFocus()) SetFocus();
    SetSelStart(caret);
}

}  // namespace vex
