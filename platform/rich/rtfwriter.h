#pragma once

#include <cstdint>
#include <string>

namespace vex {

class TRichDocument;

// The document, or the characters [Start, Start + Count) of it, as RTF in the subset the reader
// understands: a font table, a colour table when colours are used, each paragraph opened by
// \pard with its format, runs written as changes from the run before. The whole document ends its
// last paragraph with \par, as a document read with TRtfReader::ReadDocument expects; a part ends
// where it ends, so that pasting it adds no paragraph end.
std::string WriteRtf(const TRichDocument& Document);
std::string WriteRtf(const TRichDocument& Document, int32_t Start, int32_t Count);

}  // namespace vex
