#pragma once

#include <cstdint>
#include <string>

#include "platform/core/object.h"

namespace vex {

// The picture-mask language of the whole library, character by character:
//   #  a digit              ?  a letter           &  a letter, made upper case
//   ~  a letter, made lower case                  !  any character, made upper case
//   @  any character        ;  the next mask character is a literal
//   *n an element exactly n times; * or *0 any number of times
//   [ ] an optional group   { } a group           ,  separates alternatives
// Any other character is a literal, matched regardless of case for A to Z and stored as the
// mask writes it. Letters are A to Z, a to z and the bytes 129 to 255.

enum TwwPictureResult : uint8_t {
    picComplete,
    picIncomplete,  // a correct beginning; required elements remain
    picEmpty,
    picError,
    picSyntax,
    // Only inside a match: complete, or incomplete, with more text still acceptable.
    picAmbiguous,
    picIncompleteNoFill
};

// Status values.
inline constexpr uint16_t vsOk = 0;
inline constexpr uint16_t vsSyntax = 1;
// Options bits.
inline constexpr uint16_t voFill = 1;

// Matches texts against one mask; it keeps nothing between matches. A malformed mask is not an
// exception: Status is vsSyntax and every match answers picSyntax. Besides the counts of the
// brackets, a mask is malformed when its brackets cross or close what is not open, when a
// repetition has no element after it, or when it nests groups and repetitions more than 100
// deep. Masks, texts and repetition counts may be of any length.
class TwwPictureValidator : public TObject {
    VEX_CLASS(TwwPictureValidator, TObject)
public:
    TwwPictureValidator(const std::string& AMask, bool AutoFill);

    // While typing: false only for picError. Text may change (case, literals, auto-fill, which
    // runs when Options asks for it and SuppressFill is false).
    virtual bool CheckInput(std::string& Text, bool SuppressFill);
    // On a copy, without auto-fill: true for picComplete and picEmpty.
    virtual bool CheckText(const std::string& Text);
    // Converts Text as the mask asks and, with AutoFill, appends the literals that must come
    // next when the text stops short of them. Text is changed only once the match is over.
    virtual TwwPictureResult MatchPicture(std::string& Text, bool AutoFill);

    uint16_t Status = vsOk;
    uint16_t Options = 0;
    std::string Mask;
};

// True for an empty Text, else only when Text matches Mask completely (without auto-fill).
bool wwPassesPicture(const std::string& Mask, const std::string& Text);

}  // namespace vex
