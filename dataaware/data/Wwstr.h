#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/stringlist.h"

namespace vex {

// Text routines under the library's property-line formats (picture masks, control types,
// lookup fields and links). Positions count from 1, as in the lines' readers.

using TwwCharSet = std::bitset<256>;

// Takes the token that starts at Pos and moves Pos past the delimiter that ends it, or to -1
// once the last token is taken. A Pos of 0 or less gives an empty token and stays. A delimiter
// of one character is matched as it is; a longer one is a word, found only between blanks and
// in any case (" AND " for "and"). Text too long for an Integer position raises ERangeError.
void wwGetToken(std::string_view Text, std::string_view Delimiter, int32_t& Pos,
                std::string& Token);

// Clears List and adds the pieces of Text between delimiters: an empty Text gives one empty
// piece, and a trailing delimiter an empty last piece. An empty delimiter splits nothing.
void wwSplit(std::string_view Text, std::string_view Delimiter, TStrings& List);

void wwStripTrailing(std::string& S, const TwwCharSet& Chars);
void wwReplaceChar(std::string_view S, char From, char To, std::string& Result);
// Equal after upper-casing A to Z only.
bool wwEqualText(std::string_view A, std::string_view B);
int32_t wwCountChar(std::string_view S, char C);
// Empty when C does not occur.
void wwTextAfter(std::string_view S, char C, std::string& Result);

}  // namespace vex
