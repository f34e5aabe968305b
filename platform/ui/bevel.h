#pragma once

#include "platform/ui/graphiccontrol.h"

namespace vex {

// What a bevel draws: a box or a frame round its bounds, one line along a side, or nothing
// (a spacer that only takes room).
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
// Whether the bevel looks pressed into its parent or standing out of it.
enum TBevelStyle { bsLowered, bsRaised };

// A box, frame or line drawn in the shadow and highlight colours, to group or part controls.
class TBevel : public TGraphicControl {
    VEX_CLASS(TBevel, TGraphicControl)

public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

}  // namespace vex
