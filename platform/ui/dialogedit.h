#pragma once

#include <cstddef>

#include "platform/ui/graphiccontrol.h"

namespace vex {

// The single-line text field of the input boxes, until the standard controls bring the edit:
// a sunken white box whose Text takes the printable characters typed into it and loses its
// last one to Backspace, with a caret bar after the text. It holds at most MaxLength bytes.
class TDialogEdit : public TCustomControl {
    VEX_CLASS(TDialogEdit, TCustomControl)

public:
    explicit TDialogEdit(TComponent* AOwner);

    static constexpr size_t MaxLength = 255;

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;

private:
    void TypeChar(char Char);
};

}  // namespace vex
