#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vex {

// The character sets whose bytes mean what escapes or shifts before them say.
enum class TStatefulKind {
    None,
    Iso2022,  // escapes designate sets, SO and SI shift between them
    Hz,       // "~{" and "~}" enter and leave GB 2312, spelt in printable ASCII
    Utf7,     // "+" opens a base64 run of UTF-16, spelt in printable ASCII
};

// The kind of CharSet, by its name in any case.
TStatefulKind StatefulKindOf(std::string_view CharSet);

// Text of a stateful set read unit by unit while the state its bytes set is followed. Encoded
// words of such text must each stand on their own, so a word cut from it closes the state it
// leaves and the next word opens it again.
class TStatefulText {
public:
    virtual ~TStatefulText() = default;

    // The next unit: one character (a UTF-7 run of them, which only its own bits divide), or
    // the bytes of one escape or shift. False at the end.
    virtual bool Next(std::string_view& Unit, bool& Character) = 0;
    // The bytes that bring a reader from the initial state to the one the units so far left,
    // and back from it; both empty where that state is the initial one.
    virtual std::string Opening() const = 0;
    virtual std::string Closing() const = 0;
};

// The reader of Text in a set of Kind; null for TStatefulKind::None.
std::unique_ptr<TStatefulText> ReadStateful(TStatefulKind Kind, std::string_view Text);

}  // namespace vex
