#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vex {

// Our Windows-1252 text in the encodings X clients speak, and theirs back.

std::string Win1252ToUtf8(std::string_view Text);
// ISO 8859-1, with "?" for the characters of Windows-1252 that it lacks.
std::string Win1252ToLatin1(std::string_view Text);

// Outside text: each character becomes its Windows-1252 byte, "?" for one the code page lacks
// and for each byte that is not part of a well-formed UTF-8 sequence. The text ends at its first
// NUL, or where MaxLength bytes are made.
std::string Utf8ToWin1252(std::string_view Text, size_t MaxLength);
std::string Latin1ToWin1252(std::string_view Text, size_t MaxLength);

}  // namespace vex
