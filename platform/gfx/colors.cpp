#include "platform/gfx/colors.h"

#include <array>

namespace vex {

namespace {

// The classic grey 3-D scheme, by system colour index.
constexpr std::array<TColor, 25> ClassicScheme = {
    0xC0C0C0,  // scroll bar
    0x808000,  // desktop background
    0x800000,  // active caption
    0x808080,  // inactive caption
    0xC0C0C0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // application work space
    0x800000,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xC0C0C0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x000000,  // 3-D dark shadow
    0xC0C0C0,  // 3-D light
    0x000000,  // tooltip text
    0xE1FFFF,  // tooltip background
};

}  // namespace

TColor ColorToRGB(TColor Color) {
    if (Color < 0) {
        const uint32_t index = static_cast<uint32_t>(Color) & 0xFF;
        return index < ClassicScheme.size() ? ClassicScheme[index] : clBlack;
    }
    return Color;
}

}  // namespace vex
