#pragma once

#include <cstdint>
#include <string>

#include "platform/core/types.h"

namespace vex {

// A day number (1 January of year 1 = 1) and milliseconds since midnight.
struct TTimeStamp {
    int32_t Time = 0;
    int32_t Date = 0;
};

TTimeStamp DateTimeToTimeStamp(TDateTime DateTime);
TDateTime TimeStampToDateTime(const TTimeStamp& TimeStamp);
// A time stamp as the engine stores it: day number × 86400000 + milliseconds.
double TimeStampToMSecs(const TTimeStamp& TimeStamp);
TTimeStamp MSecsToTimeStamp(double MSecs);

// Packed decimals: byte 0 the precision, byte 1 the sign (0x80) and the number of decimals,
// then 64 digits two to a byte, the most significant first and the last Decimals of them behind
// the point. Precision counts the digits that are used, right-aligned.
struct TBcd {
    uint8_t Bytes[34] = {};
};

inline constexpr int32_t BcdMaxDigits = 64;

// Rounds to Decimals places (half away from zero). A value whose integer part does not fit in
// Precision - Decimals digits, or that is not finite, raises EConvertError.
TBcd FloatToBcd(double Value, int32_t Precision, int32_t Decimals);
// Exact decimal text ("-12.50"); the same digits and point as FloatToBcd took.
TBcd StrToBcd(const std::string& Text, int32_t Precision, int32_t Decimals);
double BcdToFloat(const TBcd& Bcd);
double BcdToFloat(const uint8_t* Bytes);  // a valid packed decimal; allocates nothing
std::string BcdToStr(const TBcd& Bcd);
// Whether the bytes are a packed decimal that this engine writes (precision 1 to 64, decimals
// at most the precision, digits 0 to 9).
bool IsValidBcd(const uint8_t* Bytes);
// Exact order of two valid packed decimals whatever their decimals: -1, 0 or 1.
int BcdCompare(const uint8_t* A, const uint8_t* B);

}  // namespace vex
