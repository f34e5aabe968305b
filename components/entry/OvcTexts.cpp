#include "components/entry/OvcTexts.h"

#include "components/entry/SRMgr.h"

namespace vex {

std::string GetOvcString(uint16_t Ident) {
    return EntryStringResource().GetAsString(Ident);
}

}  // namespace vex
