#pragma once

#include <cstdint>
#include <string>

namespace vex {

// The window class a rich-text control of RichEditVersion is made of: "RICHEDIT20A" for
// version 2 when that library is there and the compatibility switch does not ask for the old
// class, else "RICHEDIT".
std::string wwRichEditClassName(int32_t RichEditVersion, bool Version2Available,
                                bool UseVersion1Class);

}  // namespace vex
