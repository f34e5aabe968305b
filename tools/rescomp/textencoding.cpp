#include "tools/rescomp/textencoding.h"

#include <algorithm>
#include <iterator>

namespace vex::rescomp {

namespace {

// The characters 1252 places at 0x80 to 0x9F, in byte order; 0 marks a byte it leaves unused.
constexpr char16_t kHighRange[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 0x98
};

bool IsContinuation(unsigned char C) {
    return (C & 0xC0) == 0x80;
}

}  // namespace

std::optional<char32_t> DecodeUtf8(std::string_view Text, size_t& Pos) {
    if (Pos >= Text.size()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(Text[Pos]);
    size_t length;
    char32_t value;
    char32_t smallest;
    if (lead < 0x80) {
        ++Pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (Text.size() - Pos < length) return std::nullopt;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(Text[Pos + i]);
        if (!IsContinuation(next)) return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    Pos += length;
    return value;
}

bool IsValidUtf8(std::string_view Text) {
    size_t pos = 0;
    while (pos < Text.size()) {
        if (!DecodeUtf8(Text, pos)) return false;
    }
    return true;
}

std::optional<uint8_t> UnicodeTo1252(char32_t Char) {
    if (Char < 0x80 || (Char >= 0xA0 && Char <= 0xFF)) return static_cast<uint8_t>(Char);
    if (Char > 0xFFFF) return std::nullopt;
    const auto found = std::find(std::begin(kHighRange), std::end(kHighRange), Char);
    if (found == std::end(kHighRange)) return std::nullopt;
    return static_cast<uint8_t>(0x80 + (found - std::begin(kHighRange)));
}

}  // namespace vex::rescomp
