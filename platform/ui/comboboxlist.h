#pragma once

#include "platform/ui/listbox.h"

namespace vex {

class TCustomComboBox;

// The list a combo box drops down: a list box in a bordered, top-most popup window of its own
// that never takes the focus. While it shows it holds the mouse, so that it hears every press:
// the item under the pointer follows the pointer, a release on an item picks it, and a press
// outside the list closes it unchanged.
class TComboBoxList : public TCustomListBox {
    VEX_CLASS(TComboBoxList, TCustomListBox)

public:
    explicit TComboBoxList(TCustomComboBox& ComboBox);

    // Shows the list at Bounds (screen coordinates) and takes the mouse.
    void Open(const TRect& Bounds);
    // Hides the list and lets the mouse go.
    void Close();
    bool IsOpen() const { return FOpen; }

    void DefaultHandler(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

private:
    // A press at height Y on the scroll bar.
    void ScrollBarPress(int32_t Y);

    TCustomComboBox& FComboBox;
    bool FOpen = false;
};

}  // namespace vex
