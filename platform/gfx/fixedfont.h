#pragma once

#include <memory>

#include "platform/gfx/fontengine.h"

namespace vex {

// The face name of the built-in font. Its metrics follow from the height alone, so a test can
// know where every pixel of a text lands:
//   cell height C = |lfHeight| (16 for 0), descent D = C / 4, ascent A = C - D,
//   cell width W = (C + 1) / 2, no internal or external leading;
//   every byte advances W; a printable character is a solid block filling the cell's W x A
//   part above the baseline; space, no-break space and control characters are blank;
//   the underline is one row, D / 2 rows below the baseline (the baseline row being the first
//   under the blocks); the strike-out is one row, A / 2 rows above it.
inline constexpr const char* FixedFontName = "Vex Fixed";

class TFixedFont : public TRealizedFont {
public:
    explicit TFixedFont(const TLogFont& LogFont);
    std::shared_ptr<const TGlyph> Glyph(uint8_t Ch) const override;

private:
    std::shared_ptr<const TGlyph> FBlock;
    std::shared_ptr<const TGlyph> FBlank;
};

}  // namespace vex
