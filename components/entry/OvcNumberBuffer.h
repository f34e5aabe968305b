#pragma once

#include <string>

#include "components/entry/OvcNumericRules.h"

namespace vex {

// The number typed into a numeric field so far: digits entering from the right as on a
// calculator, at most one point, and the sign apart. The capacity of the mask bounds it.
class TOvcNumberBuffer {
public:
    void SetCapacity(const TNumericCapacity& Capacity);
    const TNumericCapacity& Capacity() const { return FCapacity; }

    // Adds a typed "-", "." or digit; false when the character is refused (the field beeps).
    // "-" toggles the sign; a first "0" is taken but not stored; with room for a single
    // digit a new one replaces it; a digit that would not show (beyond the mask's integer
    // positions or decimals, or shifting bits out of the type in another base) is refused.
    bool AddChar(char C);
    // Removes the last character; a lone "0" left over goes too, and with no digits the sign.
    void DeleteLast();
    void Clear();
    // Rebuilds from a value text with the mask stripped: blanks trimmed, the sign taken off,
    // a zero ("0", "0.00") left empty, leading zeros dropped in another base.
    void Load(const std::string& ValueText);

    bool Negative() const { return FNegative; }
    const std::string& Digits() const { return FDigits; }
    // Sign and digits fill the mask.
    bool Full() const { return Used() >= FCapacity.MaxDigits; }
    // Sign and digits more than the mask holds.
    bool Overfull() const { return Used() > FCapacity.MaxDigits; }
    // The value to merge into the mask: "0" for no digits, a "0" before a leading point, the
    // sign in front.
    std::string ValueText() const;

private:
    size_t Used() const { return FDigits.size() + (FNegative ? 1 : 0); }
    bool AddDigit(char C);
    bool FitsValueBits(const std::string& Digits) const;

    TNumericCapacity FCapacity;
    std::string FDigits;
    bool FNegative = false;
};

}  // namespace vex
