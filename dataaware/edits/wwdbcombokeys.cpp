// The keys of the data-aware combo box: those that reach its open list, stepping and searching
// through the closed one, completing typed text, and clearing it.

#include "dataaware/data/Wwcommon.h"
#include "dataaware/edits/wwdbcomb.h"
#include "dataaware/edits/wwdbcombolist.h"
#include "dataaware/edits/wwdbcombomaplist.h"
#include "dataaware/edits/wweditorgrid.h"
#include "platform/win/keyboard.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// A map list's texts are no dates, whatever the field holds: no date completion while a key is
// handled.
class TNoDateFill {
public:
    TNoDateFill(TwwDBComboBox& Combo, bool Active) : FCombo(Combo), FSaved(Combo.AutoFillDate()) {
        if (Active) FCombo.SetAutoFillDate(false);
        FLife = Combo.LifeToken();
    }
    ~TNoDateFill() {
        if (!FLife.expired()) FCombo.SetAutoFillDate(FSaved);
    }
    TNoDateFill(const TNoDateFill&) = delete;
    TNoDateFill& operator=(const TNoDateFill&) = delete;

private:
    TwwDBComboBox& FCombo;
    bool FSaved;
    std::weak_ptr<const void> FLife;
};

// The character a key down types for the letter search; 0 for a key that types none.
char SearchCharOf(uint16_t Key) {
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9)
        return static_cast<char>('0' + Key - VK_NUMPAD0);
    if (Key == VK_SPACE || (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return static_cast<char>(Key);
    return 0;
}

// A key that types into the text: with Ctrl or Alt alone a letter is a command or a menu's
// (both together are AltGr, which types), and the Windows and menu keys type nothing.
bool TypesText(uint16_t Key, TShiftState Shift) {
    if (!wwIsEditKey(Key) || Key == VK_LWIN || Key == VK_RWIN || Key == VK_APPS) return false;
    return Shift.Contains(ssCtrl) == Shift.Contains(ssAlt);
}

bool MovesTheCaret(uint16_t Key) {
    return Key == VK_HOME || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT;
}

}  // namespace

void TwwDBComboBox::WndProc(TMessage& Message) {
    const bool keyDown = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
    // Shifted key-downs select in the edit; a character typed with Shift (a capital) is searched
    // for as any other.
    if (!FListVisible || !(keyDown || Message.Msg == WM_CHAR) ||
        (keyDown && GetKeyState(VK_SHIFT) < 0)) {
        TwwDBCustomCombo::WndProc(Message);
        return;
    }
    const auto key = static_cast<uint16_t>(Message.WParam);
    if (keyDown && MovesTheCaret(key)) {
        TwwDBCustomCombo::WndProc(Message);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    if (keyDown && ComboKey(key, KeyDataToShiftState(Message.LParam))) {
        Message.Result = 0;
        return;
    }
    if (life.expired()) return;
    if (FListVisible)
        SendMessage(FPopupList->Handle(), Message.Msg, Message.WParam, Message.LParam);
    if (life.expired()) return;
    // The open list moves on Up and Down; the edit's caret stays.
    if (keyDown && (key == VK_UP || key == VK_DOWN) && FListVisible) return;
    TwwDBCustomCombo::WndProc(Message);
}

bool TwwDBComboBox::MayChangeItem() {
    return Field() == nullptr ? !ReadOnly() : EditCanModify();
}

void TwwDBComboBox::ChooseItem(int32_t Index) {
    SetItemIndex(Index);
    SetChanged(true);
    if (IsTextEditable()) SelectAll();
}

bool TwwDBComboBox::StepClosed(uint16_t Key, TShiftState Shift) {
    const bool alt = Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
    const int32_t count = FItems->Count();
    if ((Key == VK_DOWN || Key == VK_UP) && !alt && !wwInGrid(this)) {
        const int32_t from = ItemIndex();
        const int32_t to = Key == VK_DOWN ? std::min(from + 1, count - 1) : std::max(from - 1, 0);
        if (count > 0 && to != from && MayChangeItem()) ChooseItem(to);
        return true;
    }
    if (FStyle != csDropDownList || FShowMatchText || !TypesText(Key, Shift)) return false;
    const char ch = SearchCharOf(Key);
    if (ch == 0) return false;
    const int32_t found =
        wwFindDisplayPrefix(*FItems, FMapList, ItemIndex() + 1, std::string(1, ch));
    if (found >= 0 && found != ItemIndex() && MayChangeItem()) ChooseItem(found);
    return true;
}

void TwwDBComboBox::KeyDown(uint16_t& Key, TShiftState Shift) {
    const TNoDateFill noDates(*this, FMapList);
    const std::weak_ptr<const void> life = LifeToken();
    const bool alt = Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
    const bool typing = TypesText(Key, Shift);
    if (!FListVisible && FAutoDropDown && typing && Key != VK_BACK && Key != VK_DELETE && !alt) {
        FAutoDropping = true;
        DropDown();
        if (life.expired()) return;
        FAutoDropping = false;
    }
    if (!FListVisible && StepClosed(Key, Shift)) {
        if (!life.expired()) Key = 0;
        return;
    }
    if (life.expired()) return;
    if (FListVisible && FJustDropped && typing) {
        FJustDropped = false;
        // A bound combo asks for its record first: the record's change would show the field's
        // value again under the key.
        if ((FStyle != csDropDown || FAutoDropDown) && MayChangeItem()) SetText("");
        if (life.expired()) return;
    }
    TwwDBCustomCombo::KeyDown(Key, Shift);
}

bool TwwDBComboBox::MatchText(char Key) {
    const std::string text = Text();
    const size_t start = static_cast<size_t>(std::max(SelStart(), 0));
    if (start + static_cast<size_t>(std::max(SelLength(), 0)) < text.size()) return false;
    const std::string typed = text.substr(0, std::min(start, text.size())) + Key;
    if (typed == text) return false;
    const int32_t found = wwFindDisplayPrefix(*FItems, FMapList, std::max(ItemIndex(), 0), typed);
    if (found < 0) return FStyle == csDropDownList || FListVisible;
    if (!MayChangeItem()) return true;
    SetItemIndex(found);
    SetChanged(true);
    SetSelStart(static_cast<int32_t>(typed.size()));
    SetSelLength(static_cast<int32_t>(Text().size() - typed.size()));
    return true;
}

void TwwDBComboBox::KeyPress(char& Key) {
    const TNoDateFill noDates(*this, FMapList);
    if (FShowMatchText && static_cast<uint8_t>(Key) >= ' ' && MatchText(Key)) {
        Key = 0;
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    TwwDBCustomCombo::KeyPress(Key);
    if (!life.expired() && Key == '\r') Key = 0;
}

void TwwDBComboBox::KeyUp(uint16_t& Key, TShiftState Shift) {
    if (FAllowClearKey && (Key == VK_DELETE || Key == VK_BACK)) {
        if (!FListVisible && FStyle == csDropDownList && !FShowMatchText) {
            // A combo that may not change keeps what it shows.
            if (MayChangeItem()) ChooseItem(-1);
        } else if (FListVisible && Text().empty()) {
            FPopupList->SetItemIndex(-1);
            StoreItemIndex(-1);
        }
    }
    TwwDBCustomCombo::KeyUp(Key, Shift);
}

void TwwDBComboBox::CNKeyDown(TMessage& Message) {
    if (FListVisible && !ComponentState().Contains(csDesigning)) {
        const auto key = static_cast<uint16_t>(Message.WParam);
        // The form's default and cancel buttons wait: these keys close the list.
        if (key == VK_RETURN || key == VK_ESCAPE) {
            Message.Result = 0;
            return;
        }
        if (key == VK_TAB) {
            const std::weak_ptr<const void> life = LifeToken();
            CloseUp(true);
            if (life.expired()) return;
        }
    }
    TwwDBCustomCombo::CNKeyDown(Message);
}

}  // namespace vex
