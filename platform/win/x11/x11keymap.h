#pragma once

#include <X11/X.h>

#include <cstdint>

namespace vex {

// A key as the original named it: its virtual-key code, and where the key's place on the board
// does not depend on the layout, its scan code (set 1) and whether it is one of the extended keys
// that the original marks in bit 24 of a key message.
struct TVirtualKey {
    int32_t Code = 0;  // 0: a key the components do not know
    uint8_t ScanCode = 0;
    bool Extended = false;
};

// The virtual key of a key symbol as it stands in the first column of the keyboard map (letters
// may be lower or upper case there). Letters and digits have no fixed scan code; the caller takes
// it from the key's place.
TVirtualKey VirtualKeyOfKeySym(KeySym Sym);

}  // namespace vex
