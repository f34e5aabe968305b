#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

// Text routines shared by the entry fields, the picture masks, the international support and
// the editor. Positions count from 0. Every result is a new string or an edit of the caller's
// string, so no routine can write past what the caller owns.

// Fixed-width digit strings, most significant digit first.
std::string BinaryLPChar(uint32_t L);  // 32 digits "0"/"1"
std::string OctalLPChar(uint32_t L);   // 12 digits
std::string HexLPChar(uint32_t L);     // 8 upper-case digits
std::string HexWPChar(uint16_t W);     // 4 upper-case digits

std::string CharStrPChar(char C, size_t Len);
// Each tab becomes blanks up to the next column that is a multiple of TabSize (columns from 0);
// a tab size of 0 gives the empty text.
std::string DetabPChar(std::string_view Src, uint8_t TabSize);

// Windows-1252 case forms.
char LoCaseChar(char C);
char UpCaseChar(char C);

// False when C is absent; Pos is then left alone.
bool StrChPos(std::string_view P, char C, size_t& Pos);
// Case matters; an empty pattern, or one longer than P, is never found.
bool StrStPos(std::string_view P, std::string_view S, size_t& Pos);

// Edits in place. A position at or beyond the end deletes nothing and inserts at the end.
void StrChDeletePrim(std::string& P, size_t Pos);
void StrChInsertPrim(std::string& Dest, char C, size_t Pos);
// When fewer than Count characters follow Pos, the text is cut at Pos.
void StrStDeletePrim(std::string& P, size_t Pos, size_t Count);
void StrStInsertPrim(std::string& Dest, std::string_view S, size_t Pos);
void StrInsertChars(std::string& Dest, char Ch, size_t Pos, size_t Count);
// Up to Count characters from Pos; empty when Pos is not inside S.
std::string StrStCopy(std::string_view S, size_t Pos, size_t Count);

// Removes trailing characters with codes below 33.
void TrimTrailPrimPChar(std::string& S);
// Removes trailing, then leading blanks (code 32 only).
void TrimSpacesPChar(std::string& S);
// Removes trailing "0"s whether or not there is a decimal point, then one trailing ".", then
// blanks at both ends: meant for fixed-point text with a fraction.
void TrimTrailingZerosPChar(std::string& S);
// Tidies exponent text: "1.2300E+002" becomes "1.23E+2", "1.2300E+000" becomes "1.23".
void TrimEmbeddedZerosPChar(std::string& S);
// Makes real-number text, typed with DC as the decimal character, fit for Val: "." as the
// point, a digit on each side of it, and a fraction of at least five digits before an "E".
void FixRealPrim(std::string& S, char DC);
// Decimal, or hexadecimal after "$" or "0x". On failure I is the 0-based position of the
// first character that could not be taken; texts of 256 characters or more fail with -1.
bool StrToLongPChar(std::string_view S, int32_t& I);

// Boyer-Moore-Horspool search. The table holds, per character, how far the pattern may move
// when that character is under the pattern's last position, capped at 255.
using TBMTable = std::array<uint8_t, 256>;

TBMTable BMMakeTable(std::string_view MatchString);
// True with the offset of the first match of MatchString in Buffer; an empty pattern never
// matches. A table that does not belong to the pattern cannot make the search read outside
// Buffer or loop forever, though it may miss a match.
bool BMSearch(std::string_view Buffer, const TBMTable& BT, std::string_view MatchString,
              size_t& Pos);
// The same with every buffer character upper-cased first; MatchString and the table must be
// built from upper-case text for the search to ignore case.
bool BMSearchUC(std::string_view Buffer, const TBMTable& BT, std::string_view MatchString,
                size_t& Pos);

}  // namespace vex
