#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/set.h"

namespace vex {

// Integers. StrToInt accepts leading blanks, a sign, and "$" or "0x" for hexadecimal (which may
// fill all 32 bits: "$FFFFFFFF" is -1); anything else, trailing blanks and overflow included,
// raises EConvertError ("'abc' is not a valid integer value").
std::string IntToStr(int64_t Value);
std::string IntToHex(int64_t Value, int32_t Digits);
// The value of a hexadecimal digit of either case, or -1 for any other character.
int HexDigit(char C);
int32_t StrToInt(const std::string& S);
int64_t StrToInt64(const std::string& S);
int32_t StrToIntDef(const std::string& S, int32_t Default);
bool TryStrToInt(const std::string& S, int32_t& Value);

// The original's Val: parses S as a whole; Code is 0 on success, else the 1-based position of
// the first character that could not be taken (past the end for an empty or cut-off number).
void Val(const std::string& S, int32_t& Value, int32_t& Code);
void Val(const std::string& S, double& Value, int32_t& Code);

// Blanks are every byte up to and including the space.
std::string Trim(std::string_view S);
std::string TrimLeft(std::string_view S);
std::string TrimRight(std::string_view S);

// UpperCase and LowerCase touch only A to Z; the Ansi forms map every 1252 letter.
std::string UpperCase(std::string_view S);
std::string LowerCase(std::string_view S);
std::string AnsiUpperCase(std::string_view S);
std::string AnsiLowerCase(std::string_view S);

// Ordinal comparisons (CompareText folds only A to Z) and the linguistic Ansi ones.
int CompareStr(std::string_view A, std::string_view B);
int CompareText(std::string_view A, std::string_view B);
bool SameText(std::string_view A, std::string_view B);
int AnsiCompareStr(std::string_view A, std::string_view B);
int AnsiCompareText(std::string_view A, std::string_view B);
bool AnsiSameText(std::string_view A, std::string_view B);

// Positions count from 1. Pos returns 0 when Substr is absent (or empty); Copy clamps Index
// and Count to the string as the original did.
int32_t Pos(std::string_view Substr, std::string_view S);
std::string Copy(std::string_view S, int32_t Index, int32_t Count);
void Delete(std::string& S, int32_t Index, int32_t Count);
void Insert(std::string_view Source, std::string& S, int32_t Index);

std::string StringOfChar(char C, int32_t Count);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
// Without rfReplaceAll only the first occurrence is replaced; rfIgnoreCase folds 1252 letters.
std::string StringReplace(std::string_view S, std::string_view OldPattern,
                          std::string_view NewPattern, TReplaceFlags Flags);

// 'It''s' style quoting: Quote doubled inside, one at each end.
std::string QuotedStr(std::string_view S);
std::string AnsiQuotedStr(std::string_view S, char Quote);
// Takes a quoted string from the front of Src (which must begin with Quote), undoubling inner
// quotes, and advances Src past the closing quote. Without the opening quote it returns "".
std::string AnsiExtractQuotedStr(std::string_view& Src, char Quote);

}  // namespace vex
