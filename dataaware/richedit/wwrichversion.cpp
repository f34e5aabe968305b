#include "dataaware/richedit/wwrichversion.h"

namespace vex {

std::string wwRichEditClassName(int32_t RichEditVersion, bool Version2Available,
                                bool UseVersion1Class) {
    if (RichEditVersion >= 2 && Version2Available && !UseVersion1Class) return "RICHEDIT20A";
    return "RICHEDIT";
}

}  // namespace vex
