#pragma once

#include <cstddef>
#include <string>

namespace vex {

// The longest link text that is opened; longer ones are refused.
inline constexpr size_t wwMaxLinkLength = 2048;

// The address a link's text opens: a "www." name as a web address, any other text as it
// stands. Raises EUrlOpenError for a text that is not opened: empty, longer than
// wwMaxLinkLength, holding a control character, or not a web, file-transfer or mail address.
std::string wwLinkAddress(const std::string& LinkText);

// Opens the link through the process's URL opener with the hourglass showing, which gives way
// to the default cursor afterwards, also when the opener fails. Raises EUrlOpenError.
void wwOpenLink(const std::string& LinkText);

}  // namespace vex
