#pragma once

#include <cstdint>

namespace vex {

class TRichDocument;

// Words as the keys and the double click take them: letters, digits and underscores make a
// word, other marks one of their own, blanks and objects none. A paragraph end is a word stop.

// The start of the word before Position, over the blanks before it; the end of the paragraph
// before, at the start of a paragraph.
int32_t RichWordLeft(const TRichDocument& Document, int32_t Position);
// The start of the next word, past the blanks after this one; the start of the next paragraph
// at the end of one.
int32_t RichWordRight(const TRichDocument& Document, int32_t Position);
// The word holding the character at Position (the last of its paragraph at its end).
void RichWordAt(const TRichDocument& Document, int32_t Position, int32_t& First, int32_t& Last);

}  // namespace vex
