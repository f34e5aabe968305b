#pragma once

#include <cstdint>
#include <span>

#include "platform/core/object.h"
#include "platform/gfx/colors.h"

namespace vex {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
// How a pen pixel combines with the pixel under it: replaces it, inverts it, or xors it with the
// pen colour (so drawing the same thing twice restores the picture).
enum TPenMode { pmCopy, pmNot, pmXor };

// On and off runs of the one-pixel pen styles, in pixels along the line; empty for a solid one.
// Every device that draws lines dashes them by these.
std::span<const int64_t> DashPattern(TPenStyle Style);

class TPen : public TPersistent {
    VEX_CLASS(TPen, TPersistent)

public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // Never less than 1.
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t Value) { FWidth = Value < 1 ? 1 : Value; }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value) { FStyle = Value; }
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value) { FMode = Value; }

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clBlack;
    int32_t FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

}  // namespace vex
