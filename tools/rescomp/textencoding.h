#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vex::rescomp {

// Decodes the UTF-8 sequence that starts at Pos and moves Pos past it. Overlong forms,
// surrogates, code points past U+10FFFF and cut-off sequences give nullopt and leave Pos alone,
// so the caller can report where the fault is.
std::optional<char32_t> DecodeUtf8(std::string_view Text, size_t& Pos);

bool IsValidUtf8(std::string_view Text);

// The Windows-1252 byte of a character, or nullopt when the code page cannot hold it. The C1
// controls U+0080 to U+009F are not 1252 characters: those bytes stand for other letters.
std::optional<uint8_t> UnicodeTo1252(char32_t Char);

}  // namespace vex::rescomp
