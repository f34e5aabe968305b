#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vex {

class TOvcIntlSup;
class TOvcUserData;

// What kind of value the field that owns a mask shows; it decides how a value is merged into
// the mask and which mask characters the mask may keep.
struct TPictureFieldKind {
    bool Numeric = false;     // a numeric field: "p" and "g" stay in the mask
    bool NumberBase = false;  // the value shows in hexadecimal, octal or binary: pads with "0"
    bool RealValue = false;   // a real-number field
    bool RightJustify = false;
};

// The picture-mask engine of the picture fields: a mask says, position by position, what may be
// typed there, how it is case-converted and which positions are literals. Every text handled
// here is a field's display text, exactly MaxLength characters long; every position is bounded
// by MaxLength, so no mask or value of any length can reach past it.
class TOvcPictureMask {
public:
    // The settings and user-defined characters are read when used, so a change to them shows
    // at the next merge.
    TOvcPictureMask(const TOvcIntlSup& Intl, const TOvcUserData& UserData);
    // The field's user-defined characters, which the field may exchange for others.
    void SetUserData(const TOvcUserData& UserData) { FUserData = &UserData; }

    static constexpr size_t MaxMaskLength = 255;

    enum TPictureFlag : uint8_t { pfLiteral = 0, pfPicture = 1, pfFloating = 2 };

    // The mask as a field keeps it: at most 255 characters, "p" and "g" dropped outside
    // numeric fields. MaxLength becomes the mask length when it was shorter, and in a numeric
    // field always (less one for a "p" and one for a "g").
    static std::string FitMask(const std::string& Mask, bool Numeric, uint16_t& MaxLength);

    // Takes the field's mask and length (clamped to 1 to 255) and classifies the positions;
    // run whenever either changes.
    void Assign(const std::string& Mask, uint16_t MaxLength);
    const std::string& Mask() const { return FMask; }
    uint16_t MaxLength() const { return FMaxLength; }

    // The mask character that rules a position; beyond the mask its last character.
    char MaskCharAt(size_t Pos) const;
    TPictureFlag FlagAt(size_t Pos) const;
    bool IsLiteral(size_t Pos) const { return FlagAt(Pos) == pfLiteral; }
    size_t FloatCount() const { return FFloatCount; }
    // The mask has neither literal nor floating positions: every position may be edited.
    bool NoLiterals() const { return FNoLiterals; }
    bool HasChar(char MC) const;
    // The position of the mask's decimal point; npos when it has none.
    size_t DecimalPos() const;

    // With Convert, applies the mask character's case rule first (Prev is the character
    // before C); then whether MaskChar accepts C.
    bool ValidateChar(char MaskChar, char& C, bool Convert, char Prev) const;

    // The value text of a display text: its picture and floating positions and the decimal
    // point, less the currency text, the thousands separators, with "." as the point. A text
    // of another length than MaxLength is returned unchanged.
    std::string StripPicture(const std::string& Source) const;
    // The display text, MaxLength characters long, of a plain value.
    std::string MergeWithPicture(const std::string& Value, const TPictureFieldKind& Kind) const;
    // Moves integer digits right against the decimal point, a blank units position becoming
    // "0", and turns blanks of the fraction into "0". A text without a point in its mask, or of
    // another length, stays as it is.
    void AlignDecimals(std::string& Text) const;
    // What to paint for a display text: PadChar in blank positions (text fields: trailing ones;
    // numeric fields: those left of the number), PasswordChar over filled ones.
    std::string DisplayText(const std::string& Text, bool Numeric, bool PasswordMode, char PadChar,
                            char PasswordChar) const;

    // Caret positions over a display text; npos when the mask has no editable position.
    size_t FirstPicturePos() const;
    size_t LastPicturePos() const;
    size_t PrevPicturePos(size_t From) const;
    size_t NextPicturePos(size_t From) const;
    // Just after the last non-blank editable position; FirstEditPosition when all are blank.
    size_t EndOfTypedText(const std::string& Text) const;
    // The first editable position plus the floating positions, which a value fills from the
    // right.
    size_t FirstEditPosition() const;
    // Where the caret goes when asked to stand at Pos: not before FirstEditPosition, not beyond
    // just after the last editable position, and off a literal to the nearest editable position
    // on its left.
    size_t CaretPosition(size_t Pos) const;
    // The end of the typed text, then forward over literals.
    size_t EndCaretPosition(const std::string& Text) const;
    // Every editable position blank.
    bool IsEmpty(const std::string& Text) const;

private:
    void BuildFlags();
    void CaseConvert(char MaskChar, char& C, char Prev) const;
    size_t FirstDollarRun() const;
    void MergeNumber(std::string& Dest, std::string Value, const TPictureFieldKind& Kind) const;
    void MergeText(std::string& Dest, const std::string& Value, bool RightJustify) const;
    void FillCurrencyRuns(std::string& Dest) const;
    void SubstituteLiteral(std::string& Dest, size_t Pos) const;

    const TOvcIntlSup& FIntl;
    const TOvcUserData* FUserData;
    std::string FMask = "X";
    uint16_t FMaxLength = 15;
    std::vector<TPictureFlag> FFlags;
    size_t FFloatCount = 0;
    bool FNoLiterals = false;
};

}  // namespace vex
