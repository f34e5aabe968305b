#include "platform/shell/trayiconscaling.h"

#include <algorithm>

namespace vex {

TFittedTrayIcon FitTrayIcon(const TTrayIconImage& Image, int32_t Width, int32_t Height) {
    TFittedTrayIcon fitted;
    fitted.Width = std::clamp(Width, 0, kLargestFittedSide);
    fitted.Height = std::clamp(Height, 0, kLargestFittedSide);
    const size_t count = static_cast<size_t>(fitted.Width) * static_cast<size_t>(fitted.Height);
    fitted.Pixels.assign(count, 0);
    fitted.Opaque.assign(count, false);
    if (Image.Empty()) return fitted;
    const int32_t side = std::min(fitted.Width, fitted.Height);
    const int32_t left = (fitted.Width - side) / 2, top = (fitted.Height - side) / 2;
    for (int32_t y = 0; y < side; ++y) {
        const int64_t sourceY = int64_t{y} * Image.Height / side;
        for (int32_t x = 0; x < side; ++x) {
            const int64_t sourceX = int64_t{x} * Image.Width / side;
            const uint32_t pixel =
                Image.Pixels[static_cast<size_t>(sourceY * Image.Width + sourceX)];
            const size_t at = static_cast<size_t>(top + y) * static_cast<size_t>(fitted.Width) +
                              static_cast<size_t>(left + x);
            fitted.Pixels[at] = pixel & 0xFFFFFF;
            fitted.Opaque[at] = (pixel >> 24) >= 0x80;
        }
    }
    return fitted;
}

}  // namespace vex
