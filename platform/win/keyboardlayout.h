#pragma once

#include <cstdint>

namespace vex {

// The characters a key types on the US keyboard the platform assumes: unshifted, and with
// Shift held; 0 where it types none. Letters give their lower and upper case; Caps Lock is the
// caller's to apply, as it touches letters alone.
struct TKeyCharacters {
    char Plain = 0;
    char Shifted = 0;
};
TKeyCharacters KeyCharacters(int32_t VirtualKey);

bool IsLetterKey(int32_t VirtualKey);

}  // namespace vex
