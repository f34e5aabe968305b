#pragma once

#include <string_view>

namespace vex {

// Every "=" and two hexadecimal digits of Text as its byte, written from To on; a malformed
// escape stays as it is. Returns the end of what was written. The decoded text is never longer
// than Text, and no byte is written before every byte of Text that could be read after it, so
// To may be where Text starts. To must have room for Text.size() bytes.
char* DecodeQuotedEscapes(std::string_view Text, char* To);
// The same a byte at a time, as on a processor that cannot shuffle bytes, and for short text.
char* DecodeQuotedEscapesOneByOne(std::string_view Text, char* To);

}  // namespace vex
