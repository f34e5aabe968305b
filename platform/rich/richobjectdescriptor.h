#pragma once

#include <string>

namespace vex {

class IRichObject;

// The "Object Descriptor" of an object: the 52-byte OBJECTDESCRIPTOR record (size, a class id
// left zero since classes go by name here, draw aspect, extent in hundredths of a millimetre,
// no offset, OLEMISC_ status, and the offsets of two names), then its full user type name
// ("Linked " before it for a linked object) and the source of a link, each in UTF-16 ending in
// a 16-bit zero. Numbers are little-endian.
std::string ObjectDescriptor(const IRichObject& Object);

}  // namespace vex
