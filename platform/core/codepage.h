#pragma once

#include <string>
#include <string_view>

namespace vex {

// Letters and case in the Windows-1252 code page, the character set of every text the
// libraries hold. Bytes without a case partner (the sharp s, the micro sign) map to themselves.
char AnsiUpperChar(char C);
char AnsiLowerChar(char C);
bool IsAnsiAlpha(char C);
bool IsAnsiUpper(char C);
bool IsAnsiLower(char C);

// Linguistic comparison for sorting: letters with accents sort with their base letter, then by
// accent, then (when case counts) lower case before upper case. Returns <0, 0 or >0.
int AnsiCollate(std::string_view A, std::string_view B, bool IgnoreCase);
// The first pass of AnsiCollate alone, over S cut to Prefix's length: 0 for every S that starts
// with Prefix in any case or accent, so those lie together in a list sorted by AnsiCollate and a
// binary search with this comparison finds them.
int AnsiCollatePrefix(std::string_view S, std::string_view Prefix);

// The Unicode character of a Windows-1252 byte; the five bytes the code page leaves undefined
// stand for the control characters of the same number.
char32_t Win1252ToUnicode(unsigned char Ch);

// The inverse: the byte of a Unicode character, "?" for one the code page cannot hold. The five
// control characters that stand in for the undefined bytes map back to those bytes.
char UnicodeToWin1252(char32_t Ch);
// UTF-16 text as Windows-1252 bytes, one per character: a surrogate pair is one character (and
// one "?"), and so is a lone surrogate.
std::string Utf16ToWin1252(std::u16string_view Text);

}  // namespace vex
