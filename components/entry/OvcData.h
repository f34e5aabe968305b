#pragma once

#include <array>
#include <cstdint>

namespace vex {

// The data-type codes of an entry field's value (the low six bits of its field type).
inline constexpr uint8_t fsubString = 0;
inline constexpr uint8_t fsubChar = 1;
inline constexpr uint8_t fsubBoolean = 2;
inline constexpr uint8_t fsubYesNo = 3;
inline constexpr uint8_t fsubLongInt = 4;
inline constexpr uint8_t fsubWord = 5;
inline constexpr uint8_t fsubInteger = 6;
inline constexpr uint8_t fsubByte = 7;
inline constexpr uint8_t fsubShortInt = 8;
inline constexpr uint8_t fsubReal = 9;
inline constexpr uint8_t fsubExtended = 10;
inline constexpr uint8_t fsubDouble = 11;
inline constexpr uint8_t fsubSingle = 12;
inline constexpr uint8_t fsubComp = 13;
inline constexpr uint8_t fsubDate = 14;
inline constexpr uint8_t fsubTime = 15;

inline bool IsIntegerCode(uint8_t Code) {
    return Code >= fsubLongInt && Code <= fsubShortInt;
}
inline bool IsRealCode(uint8_t Code) {
    return Code >= fsubReal && Code <= fsubComp;
}

// A range bound as streamed: ten raw bytes read in the field's data type. Integer, date and time
// codes use the first four bytes (32-bit signed), code 1 the first byte, code 9 the first six (a
// 6-byte real), codes 10 to 13 all ten (an extended).
using TRangeType = std::array<uint8_t, 10>;

// The 6-byte real: exponent byte biased by 129 (0 for zero), then a 39-bit fraction with its
// leading 1 implied, the sign in the top bit of the last byte. Values beyond its reach do not
// convert: the answer is false and the bytes are left alone; values too small become zero.
long double Real48ToExtended(const uint8_t* P);
bool ExtendedToReal48(long double Value, uint8_t* P);

// The 10-byte extended: a 64-bit significand with its integer bit, 15-bit exponent biased by
// 16383, sign in the top bit, little-endian. Converted by value, not by the host's layout.
long double ExtendedBytesToLongDouble(const uint8_t* P);
void LongDoubleToExtendedBytes(long double Value, uint8_t* P);

// The range's value for a code, and the range holding a value. Codes without a range (0, 2, 3
// and above 15) read as 0 and leave the bytes zero.
long double RangeAsExtended(uint8_t Code, const TRangeType& Range);
int32_t RangeAsLongInt(const TRangeType& Range);
TRangeType RangeOfExtended(uint8_t Code, long double Value);
TRangeType RangeOfLongInt(int32_t Value);

// The full range of a code's type (ResetRange); zero bounds for codes without one.
TRangeType TypeRangeLo(uint8_t Code);
TRangeType TypeRangeHi(uint8_t Code);

// The bytes a value of a code takes (the data size of every code but the string).
int32_t ValueSizeOf(uint8_t Code);

// Numeric values (codes 4 to 15) kept at Data in the type's own layout. Writing narrows as the
// type does: integers keep their low bits, comp and the reals round to their precision, a value
// a 6-byte real cannot hold is stored as its largest magnitude.
long double ReadNumericValue(uint8_t Code, const void* Data);
void WriteNumericValue(uint8_t Code, long double Value, void* Data);

}  // namespace vex
