#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vex {

class TOvcPictureMask;
struct TPictureFieldKind;

// How many characters a numeric field's mask can show, and how typed digits are bounded.
struct TNumericCapacity {
    uint16_t MaxDigits = 0;     // sign, digits and point together
    uint16_t MaxIntDigits = 0;  // sign and digits before the point
    uint16_t Decimals = 0;
    bool HasPoint = false;  // the mask has a decimal point, so one may be typed
    uint8_t Base = 10;      // 16, 8 or 2 when the mask shows the value in that base
    uint8_t ValueBits = 0;  // the integer type's width, which digits in another base must fit
};

// Decimals are the picture positions after the mask's point (DecimalPlaces without one); the
// digits are the picture positions of the first run of picture positions and separators after
// the leading literals and floating positions, plus the point and decimals. Base and
// ValueBits are left for the caller.
TNumericCapacity NumericCapacity(const TOvcPictureMask& Mask, uint8_t DecimalPlaces);

// One step of an increase (positive Delta) or decrease: at or beyond the bound it steps
// towards, the value wraps to the other bound or, without Wrap, does not move (nullopt).
// Otherwise it moves by Delta (truncated toward zero for integers) and is clamped into the
// range. Computed in extended precision, so no sum can overflow near the type's limits.
std::optional<long double> StepNumericValue(long double Value, long double Delta, long double Lo,
                                            long double Hi, bool Wrap, bool Integer);

// Whether a value's text, as the field formats it, shows in the mask without losing integer
// digits or its sign; leading zeros may go.
bool ValueFitsCapacity(const std::string& ValueText, const TNumericCapacity& Capacity);

// What a value too wide for the mask shows: every digit position "*", so that no cut number
// can be read as another value.
std::string OverflowDisplay(const TOvcPictureMask& Mask, const TPictureFieldKind& Kind);

}  // namespace vex
