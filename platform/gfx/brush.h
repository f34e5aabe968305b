#pragma once

#include "platform/core/object.h"
#include "platform/gfx/colors.h"

namespace vex {

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TPersistent {
    VEX_CLASS(TBrush, TPersistent)

public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value) { FStyle = Value; }

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

}  // namespace vex
