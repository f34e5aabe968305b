#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/listbox.h"

namespace vex {

class TwwDBComboBox;

// The search text of an open list stays this short, whatever is typed.
inline constexpr size_t wwMaxListSearch = 32;
// A pause longer than this starts a new search in an owner-drawn list.
inline constexpr uint32_t wwListSearchPauseMs = 1500;

// What the open list looks for once Ch is typed. An owner-drawn combo shows no text to type into,
// so its list gathers the keys itself, starting afresh after a pause; the others look for the
// combo's text as Ch will leave it, Ch in place of the selection.
std::string wwNextListSearch(const std::string& Search, bool OwnerDraw, uint32_t SincePreviousKey,
                             const std::string& ComboText, int32_t SelStart, int32_t SelLength,
                             char Ch);

// The list a data-aware combo box drops down: a bordered top-level tool window, so the form
// does not clip it, that never takes the focus from its combo yet draws as focused. Releasing
// the left button on it closes the combo up with the item pointed at. Keys reach it only
// through the combo.
class TwwPopupListbox : public TCustomListBox {
    VEX_CLASS(TwwPopupListbox, TCustomListBox)

public:
    explicit TwwPopupListbox(TwwDBComboBox* ACombo);

    TwwDBComboBox* Combo() const { return FCombo; }
    const std::string& SearchText() const { return FSearchText; }
    // Each drop-down searches afresh, however soon it follows the last key.
    void ClearSearch() { FSearchText.clear(); }

    void DefaultHandler(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void KeyPress(char& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void DrawItem(int32_t Index, TRect Rect, TOwnerDrawState State) override;
    void MeasureItem(int32_t Index, int32_t& Height) override;

private:
    TwwDBComboBox* FCombo;
    std::string FSearchText;
    uint32_t FLastKeyTime = 0;
};

}  // namespace vex
