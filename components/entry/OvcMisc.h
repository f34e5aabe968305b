#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/object.h"
#include "platform/ui/formtypes.h"

namespace vex {

class TBitmap;
class TFont;

// A set of 8-bit characters, indexed by the character's byte value.
using TCharSet = std::bitset<256>;

inline bool CharInSet(char C, const TCharSet& Set) {
    return Set.test(static_cast<uint8_t>(C));
}

// A one-line field's border: bsNone or bsSingle of the framework's border styles.
using TBorderStyle = TFormBorderStyle;

// The modifier keys down at this moment: Ctrl 4, Shift 2, Alt 8, added.
uint8_t GetShiftFlags();
// VK_RBUTTON when the mouse buttons are swapped, else VK_LBUTTON.
int32_t GetLeftButton();
// The character height of Font, and of the system font.
int32_t FontCellHeight(const TFont& Font);
int32_t SystemFontHeight();
// The top margin in pixels that centres one line of Font in a field ClientHeight pixels high;
// the smaller of Font and the system font decides.
int32_t GetTopTextMargin(const TFont& Font, TBorderStyle BorderStyle, int32_t ClientHeight,
                         bool Ctl3D);
// A bitmap compiled into the program under this name; an unknown name raises EResNotFound.
std::unique_ptr<TBitmap> LoadBaseBitmap(const std::string& ResName);

// Letters A to Z and a to z, the blank, ",", "-", ".", and every Windows-1252 letter from 128
// on: what the picture-mask letters "a", "A" and "l" accept.
const TCharSet& AlphaCharSet();

enum TForceCase : uint8_t { mcNoChange, mcUpperCase, mcLowerCase };

// The user-defined picture-mask characters "1" to "8" and the characters shown for the literal
// substitution codes 241 to 248. An entry field reads DefaultUserData() unless given another.
class TOvcUserData : public TObject {
    VEX_CLASS(TOvcUserData, TObject)

public:
    TOvcUserData();

    // Copies the set of a user character "1" to "8" into CS; any other character leaves CS
    // as it was.
    void UserCharSet(char MC, TCharSet& CS) const;
    // The case rule of "1" to "8"; mcNoChange for any other character.
    TForceCase ForceCaseOf(char MC) const;
    // The character shown for a code 241 to 248; #0 for any other.
    char SubstCharOf(char SC) const;

    std::array<TCharSet, 8> UserCharSets;  // every character but #0 by default
    std::array<TForceCase, 8> ForceCase;   // mcNoChange by default
    std::array<char, 8> SubstChars;        // the code itself by default

    static constexpr uint8_t FirstSubstCode = 241;
};

// The instance shared by every entry field that is not given its own.
TOvcUserData& DefaultUserData();

}  // namespace vex
