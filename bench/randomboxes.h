#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "platform/gfx/colors.h"

namespace benchsupport {

struct TBox {
    int X, Y, W, H;
    uint32_t Pixel;  // 0x00RRGGBB

    vex::TColor Color() const {
        return vex::RGB(static_cast<uint8_t>(Pixel >> 16), static_cast<uint8_t>(Pixel >> 8),
                        static_cast<uint8_t>(Pixel));
    }
};

// A thousand rectangles of 1 to 100 pixels a side in random colours inside Width x Height, the
// same on every call and for every painter.
inline std::vector<TBox> RandomBoxes(int Width, int Height) {
    std::mt19937 random(7);
    std::vector<TBox> result(1000);
    for (TBox& b : result) {
        b.W = 1 + static_cast<int>(random() % 100);
        b.H = 1 + static_cast<int>(random() % 100);
        b.X = static_cast<int>(random() % (Width - b.W));
        b.Y = static_cast<int>(random() % (Height - b.H));
        b.Pixel = random() & 0xFFFFFF;
    }
    return result;
}

}  // namespace benchsupport
