#include "dataaware/edits/wwdbcombolist.h"

#include <algorithm>

#include "dataaware/edits/wwdbcomb.h"
#include "platform/core/clock.h"
#include "platform/gfx/edges.h"
#include "platform/win/keyboard.h"
#include "platform/win/windowstyles.h"

namespace vex {

std::string wwNextListSearch(const std::string& Search, bool OwnerDraw, uint32_t SincePreviousKey,
                             const std::string& ComboText, int32_t SelStart, int32_t SelLength,
                             char Ch) {
    std::string text;
    if (OwnerDraw) {
        text = SincePreviousKey > wwListSearchPauseMs ? std::string() : Search;
        text += Ch;
    } else {
        const size_t start = std::min<size_t>(std::max(SelStart, 0), ComboText.size());
        const size_t length = std::min<size_t>(std::max(SelLength, 0), ComboText.size() - start);
        text = ComboText;
        text.replace(start, length, 1, Ch);
    }
    if (text.size() > wwMaxListSearch) text.resize(wwMaxListSearch);
    return text;
}

TwwPopupListbox::TwwPopupListbox(TwwDBComboBox* ACombo) : TCustomListBox(ACombo), FCombo(ACombo) {
    SetTabStop(false);
}

void TwwPopupListbox::CreateParams(TCreateParams& Params) {
    TCustomListBox::CreateParams(Params);
    // Hidden until the combo places it, above everything, and shown past any window manager;
    // its one-line border is the room the combo leaves around the rows.
    Params.Style = (Params.Style & 0xFFFF) | WS_POPUP | WS_BORDER | WS_VSCROLL;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    Params.WindowClass.style |= CS_SAVEBITS;
    Params.WndParent = 0;
}

void TwwPopupListbox::DefaultHandler(TMessage& Message) {
    // A click keeps the focus in the combo and its form active.
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TCustomListBox::DefaultHandler(Message);
}

void TwwPopupListbox::KeyPress(char& Key) {
    TCustomListBox::KeyPress(Key);
    if (Key == VK_BACK || Key == VK_ESCAPE) {
        FSearchText.clear();
    } else if (static_cast<uint8_t>(Key) >= ' ') {
        const uint32_t now = GetTickCount();
        FSearchText =
            wwNextListSearch(FSearchText, FCombo->IsOwnerDraw(), now - FLastKeyTime, FCombo->Text(),
                             FCombo->SelStart(), FCombo->SelLength(), Key);
        FLastKeyTime = now;
        const LRESULT found = Perform(LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(FSearchText.c_str()));
        if (found == LB_ERR && !FCombo->ShowMatchText()) SetItemIndex(-1);
    }
    Key = 0;
}

void TwwPopupListbox::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const std::weak_ptr<const void> life = LifeToken();
    TCustomListBox::MouseUp(Button, Shift, X, Y);
    if (life.expired() || Button != mbLeft || !PtInRect(ClientRect(), Point(X, Y))) return;
    FCombo->CloseUp(true);
}

void TwwPopupListbox::DrawItem(int32_t Index, TRect Rect, TOwnerDrawState State) {
    const std::weak_ptr<const void> life = LifeToken();
    if (FCombo->IsOwnerDraw() && FCombo->OnDrawItem) {
        if (!State.Contains(odSelected)) Canvas().FillRect(Rect);
        FCombo->OnDrawItem(FCombo, Index, Rect, State);
    } else {
        TCustomListBox::DrawItem(Index, Rect, State);
    }
    // The focus stays in the combo, yet the list shows where it would be.
    if (!life.expired() && Index == ItemIndex() && !State.Contains(odFocused))
        DrawFocusRect(Canvas().Handle(), Rect);
}

void TwwPopupListbox::MeasureItem(int32_t Index, int32_t& Height) {
    if (FCombo->OnMeasureItem) FCombo->OnMeasureItem(FCombo, Index, Height);
}

}  // namespace vex
