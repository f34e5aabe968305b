#include "platform/ui/pairedradiobutton.h"

#include <memory>

#include "platform/gfx/edges.h"

namespace vex {

void TPairedRadioButton::Pair(TPairedRadioButton& First, TPairedRadioButton& Second) {
    First.FPartner = &Second;
    Second.FPartner = &First;
}

TPairedRadioButton::~TPairedRadioButton() {
    if (FPartner != nullptr) FPartner->FPartner = nullptr;
}

void TPairedRadioButton::Toggle() {
    // The click handler that choosing runs may free this button, its partner with it.
    const std::weak_ptr<const void> life = LifeToken();
    SetChecked(true);
    if (!life.expired() && FPartner != nullptr) FPartner->SetChecked(false);
}

void TPairedRadioButton::Paint() {
    TCustomCheckBox::Paint();
    constexpr int32_t Size = 13;
    const int32_t top = (ClientHeight() - Size) / 2;
    TRect mark = Rect(0, top, Size, top + Size);
    TCanvas& canvas = Canvas();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(mark);
    const uint32_t state = DFCS_BUTTONRADIO | (Checked() ? DFCS_CHECKED : 0) |
                           (Enabled() ? 0 : DFCS_INACTIVE) | (Pressed() ? DFCS_PUSHED : 0);
    DrawFrameControl(&canvas, mark, DFC_BUTTON, state);
}

}  // namespace vex
