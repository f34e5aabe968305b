#pragma once

#include <string>
#include <string_view>

#include "platform/core/exceptions.h"

namespace vex {

// A stored "Data" block that does not hold what its length says.
VEX_EXCEPTION(EwwRichDataError, EReadError);

// The "Data" block a rich-text control stores its document in: a signed 32-bit little-endian
// length, then that many bytes of the document.
std::string wwEncodeRichData(std::string_view Document);
// The document bytes of Block; none when the length is 0 or less. A block shorter than its
// length field, or whose length differs from the bytes that follow, raises EwwRichDataError
// before anything is copied.
std::string wwDecodeRichData(std::string_view Block);

}  // namespace vex
