#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

// Base64 of the mail components: the standard alphabet, "=" as padding, no line breaks (callers
// cut their input into 57-byte pieces for 76-character lines). Both routines pump the message
// queue once per call; the result is cut at MaxLen characters, the input is taken whole.

// The 6-bit value of C; "=" gives 255. Any other character outside the alphabet, line breaks
// and blanks included, raises EMessageParserError "Invalid Character".
uint8_t Base64CharValue(char C);

// The first "=" ends the data: what follows it is not looked at, so a stray "=" cannot shift
// the bits around it. A last group of fewer than four characters gives the whole bytes it
// carries (two characters one byte, three characters two), with or without padding.
void Base64Decode(std::string_view Source, std::string& Dest, int32_t MaxLen);
// The same without letting the message loop run: for the many short pieces of a header (its
// encoded words), which take microseconds, while a poll of the loop for each would cost more.
void Base64DecodePiece(std::string_view Source, std::string& Dest, int32_t MaxLen);

// Decodes whole groups of four characters from Source onto To, three bytes a group, and stops
// before the first group that holds a character outside the alphabet ("=" included). Returns
// the number of groups decoded. Pumps no messages: it is the inner loop of the routines that do.
size_t Base64DecodeGroups(const char* Source, size_t Groups, char* To);

void Base64Encode(std::string_view Source, std::string& Dest, int32_t MaxLen);

}  // namespace vex
