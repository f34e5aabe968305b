#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/rich/richparagraph.h"

namespace vex {

class TRichDocument;

// Raised for input that is not RTF at all, so that a caller can read it as plain text instead.
VEX_EXCEPTION(ERtfError, Exception);

// RTF arrives from outside (downloads, pasted documents, memo fields), so every measure of it is
// capped. What lies beyond a cap is dropped with a warning; the rest is read.
struct TRtfLimits {
    int32_t MaxDepth = 1000;      // groups inside groups
    int32_t MaxWordLength = 32;   // letters of a control word
    int32_t MaxFonts = 4096;      // entries of the font table
    int32_t MaxColors = 4096;     // entries of the colour table
    int64_t MaxText = 128 << 20;  // characters of text
    // A paragraph costs as much memory as some 64 characters, while a hostile document ends
    // one in two bytes: this keeps paragraphs within what the text cap allows for text.
    int64_t MaxParagraphs = 2 << 20;
};

// Whether Bytes begin as every RTF document does.
inline bool LooksLikeRtf(std::string_view Bytes) {
    return Bytes.starts_with("{\\rtf");
}

// Reads an RTF document into a document piece whose formats are kept in Target's pools. The
// piece's last, open paragraph carries the paragraph format in force at the end. Reading takes
// time in proportion to the input, whatever it holds.
class TRtfReader {
public:
    explicit TRtfReader(TRichDocument& Target, TRtfLimits Limits = {});

    // Raises ERtfError unless Rtf begins "{\rtf". A document cut short, or holding what a cap
    // drops, keeps what was read and adds a warning.
    TRichFragment Read(std::string_view Rtf);
    // Read for a whole document: a document always ends in a paragraph of its own, so the \par
    // that writers put after the last paragraph closes that one and opens no empty paragraph.
    // Documents then read back as they were written, without an empty line more each time.
    TRichFragment ReadDocument(std::string_view Rtf);
    // What was tolerated, one line each, in the order met.
    const std::vector<std::string>& Warnings() const { return FWarnings; }

private:
    TRichDocument& FTarget;
    TRtfLimits FLimits;
    std::vector<std::string> FWarnings;
};

}  // namespace vex
