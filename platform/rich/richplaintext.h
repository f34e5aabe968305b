#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rich/richparagraph.h"

namespace vex {

class TRichDocument;

// Plain text as a document piece: CR LF, a lone CR and a lone LF each end a paragraph, and every
// paragraph end takes ParaFormat.
TRichFragment PlainTextFragment(std::string_view Text, int32_t CharFormat, int32_t ParaFormat);

// Plain text as a document's characters: CR LF, a lone CR and a lone LF each become one "\r".
std::string DocumentTextOf(std::string_view Text);

// The characters of [Start, Start + Count) with each paragraph end written as CR LF.
std::string PlainTextOf(const TRichDocument& Document, int32_t Start, int32_t Count);
std::string PlainTextOf(const TRichDocument& Document);

}  // namespace vex
