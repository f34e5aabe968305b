#pragma once

#include "platform/ui/listbox.h"

namespace vex {

// A list box whose items' tab characters align on TabWidth stops.
class TTabListBox : public TListBox {
    VEX_CLASS(TTabListBox, TListBox)

public:
    explicit TTabListBox(TComponent* AOwner) : TListBox(AOwner) {}

protected:
    void CreateParams(TCreateParams& Params) override;
};

}  // namespace vex
