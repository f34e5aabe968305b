#pragma once

#include <string>
#include <string_view>

namespace vex {

// Header values with encoded words ("=?charset?B?...?=" or "=?charset?Q?...?="). The decoded
// bytes go into the result as they are: no character set is converted.

// The decoded value, cut at 255 characters. White space between two adjacent encoded words
// is dropped, white space anywhere else is kept, and "_" stands for a blank only inside
// Q-encoded text. Anything that is not a well-formed encoded word (no closing "?=", an
// encoding other than B or Q, base64 with a foreign character) stays as it stands. The text is
// read once from left to right, so decoded text is never decoded again.
void DecodeEncodedWords(std::string_view Source, std::string& Dest);

// A text in ISO-2022-JP (it starts with the escape that shifts into JIS) wrapped as one
// base64 encoded word; any other text comes back unchanged.
void EncodeISO2022JPText(std::string_view Source, std::string& Dest);

// Text with a byte above 127 as Q encoded words labelled CharSet, each at most 75 characters,
// separated by single blanks (which readers drop between adjacent encoded words); text without
// such a byte comes back unchanged. Only letters, digits and "!*+-/" stand as they are, so the
// words may stand in a display name as well as in a subject.
void EncodeHeaderText(std::string_view Source, std::string_view CharSet, std::string& Dest);

}  // namespace vex
