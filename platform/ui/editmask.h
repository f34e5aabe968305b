#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

inline constexpr char MaskFieldSeparator = ';';
inline constexpr char MaskNoSave = '0';
inline constexpr char DefaultBlank = '_';

// The framework's edit-mask language, without a control: "mask;save;blank". The mask holds one
// character of the edit text a position: a data position (L l A a C c 0 9 #, upper case
// required, lower case optional) or a literal (any other character, "\x" for a mask character
// x, ":" and "/" the locale's separators, "_" a space); "!", ">", "<" and "<>" are directives
// that take no position. A save field of "0" keeps the literals out of Text; the blank field
// gives the character an empty data position shows.
//
// Positions count from 0 over the edit text, whose length is Length(). The edit text is what a
// mask edit shows; the text is what it stores.
class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(std::string_view Mask);

    // False for an empty mask part: the edit then takes any text.
    bool IsMasked() const { return !FPositions.empty(); }
    bool SaveLiterals() const { return FSaveLiterals; }
    char Blank() const { return FBlank; }
    int32_t Length() const { return static_cast<int32_t>(FPositions.size()); }

    bool IsLiteral(int32_t Pos) const;
    bool IsRequired(int32_t Pos) const;

    // The edit text of a stored text: with literals (as the save field says, unless told) it is
    // matched against the mask's literals, without them it fills the data positions in order
    // (from the right end under "!").
    // Characters that do not fit their positions are kept, for Validate to find.
    std::string FormatText(std::string_view Text) const { return FormatText(Text, FSaveLiterals); }
    std::string FormatText(std::string_view Text, bool WithLiterals) const;
    // Every data position blank.
    std::string EmptyEditText() const { return FormatText(""); }
    // The stored text of an edit text: blanks as spaces, the trailing ones (the leading ones
    // under "!") dropped, and with literals the text laid out on the mask again.
    std::string ExtractText(std::string_view EditText, bool WithLiterals) const;
    std::string ExtractText(std::string_view EditText) const {
        return ExtractText(EditText, FSaveLiterals);
    }

    // The character data position Pos stores for C typed there, case shifted; nothing when it
    // does not take C or Pos is a literal.
    std::optional<char> AcceptChar(int32_t Pos, char C) const;

    // The first data position at or after Pos (Length() when none), and the last at or before
    // it (-1 when none).
    int32_t NextInputPos(int32_t Pos) const;
    int32_t PriorInputPos(int32_t Pos) const;

    struct TInputResult {
        int32_t Pos;   // where the next character would go
        bool Refused;  // a character did not fit; it and the rest were dropped
    };
    // Types Text into EditText from Pos on, over what is there: literals are stepped over (a
    // typed literal steps to after its own place), and the first character that fits nowhere
    // ends the input.
    TInputResult Input(std::string& EditText, int32_t Pos, std::string_view Text) const;
    // Blanks the data positions in [Start, End); literals stay.
    void Clear(std::string& EditText, int32_t Start, int32_t End) const;

    // The first data position that is empty but required, or holds what it does not take; -1
    // when the edit text is complete.
    int32_t FirstError(std::string_view EditText) const;
    bool Validate(std::string_view EditText) const { return FirstError(EditText) < 0; }

private:
    enum class TCase : uint8_t { None, Upper, Lower };
    struct TPosition {
        char Code;  // the mask character of a data position; 0 for a literal
        char Literal;
        TCase Case;
    };

    bool Fits(const TPosition& P, char C) const;
    // The literal right after the data positions at and after Pos, when it is C: the position
    // after it; otherwise -1.
    int32_t SkipToLiteral(int32_t Pos, char C) const;

    std::vector<TPosition> FPositions;
    bool FReverse = false;
    bool FSaveLiterals = true;
    char FBlank = DefaultBlank;
};

}  // namespace vex
