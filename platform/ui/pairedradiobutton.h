#pragma once

#include "platform/ui/checkbox.h"

namespace vex {

// One of two choices that exclude each other: a press chooses it and drops its partner, as a
// pair of radio buttons does. The check box's face carries a round mark over its square one.
class TPairedRadioButton : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
    ~TPairedRadioButton() override;

    // Makes First and Second each other's partner; the one left when the other is freed has none.
    static void Pair(TPairedRadioButton& First, TPairedRadioButton& Second);

protected:
    void Toggle() override;
    void Paint() override;

private:
    TPairedRadioButton* FPartner = nullptr;
};

}  // namespace vex
