#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// A UTF-7 run ("+", base64 of UTF-16, then "-" or nothing) cut into runs of at most Room bytes
// that each hold whole characters: every one but the last closed with "-", every one but the
// first opened with "+", none ending inside a surrogate pair. Where it can, a run is cut after a
// group of eight base64 characters, which hold three code units and not a bit more, so the
// pieces are the run's own characters and Utf7RunsJoin joins them back into it. Where every such
// place splits a pair, the rest of the run is written afresh from a place that does not. A Room
// too small for eight characters still gets them, and a run too short to cut stays whole.
std::vector<std::string> CutUtf7Run(std::string_view Run, size_t Room);

// Previous, UTF-7 text, ends with a run closed by "-" whose base64 holds whole code units and
// not a bit more, and Next opens a run: dropping the "-" and the "+" between them makes one run
// that reads as the two did.
bool Utf7RunsJoin(std::string_view Previous, std::string_view Next);

}  // namespace vex
