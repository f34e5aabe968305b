#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/core/geometry.h"

namespace vex {

// What a cursor looks like, for a presenter to show: one of the standard cursors, which a
// display draws its own way, or a small picture of black, white and see-through pixels.
struct TCursorShape {
    enum TPixel : uint8_t { Clear = 0, Black = 1, White = 2 };

    uint32_t Standard = 0;  // the IDC_ number of a standard cursor; 0 for a picture
    int32_t Width = 0;
    int32_t Height = 0;
    TPoint HotSpot;              // the pixel that points, inside the picture
    std::vector<TPixel> Pixels;  // row after row
    friend bool operator==(const TCursorShape&, const TCursorShape&) = default;
};

// A picture cursor's text form, as the cursor resources hold it: a line "hotspot X Y", then one
// line per row, "." see-through, "#" black, "o" white. Pictures are at most MaxCursorSide
// pixels a side, rows of one length; anything else is refused (nullopt).
inline constexpr int32_t MaxCursorSide = 64;
std::optional<TCursorShape> ParseCursorPicture(std::span<const uint8_t> Text);

}  // namespace vex
