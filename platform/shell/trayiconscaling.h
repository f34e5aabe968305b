#pragma once

#include <cstdint>
#include <vector>

#include "platform/shell/trayhost.h"

namespace vex {

// An icon made to fit the room a tray gives it: the picture scaled to the largest square that
// fits Width x Height (nearest pixel, as small icons stay crisp that way), centred. Pixels are
// 0x00RRGGBB; Opaque says which of them show (alpha 128 and up), the rest let the tray's
// background through.
struct TFittedTrayIcon {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
    std::vector<bool> Opaque;
};

// The most of a side fitted: a room larger than that (a window any client may resize) is fitted
// as that much of it, which the caller centres in the room.
inline constexpr int32_t kLargestFittedSide = 1024;

TFittedTrayIcon FitTrayIcon(const TTrayIconImage& Image, int32_t Width, int32_t Height);

}  // namespace vex
