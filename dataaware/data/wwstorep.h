#pragma once

#include "dataaware/data/Wwcommon.h"
#include "platform/data/dbtables.h"

namespace vex {

// The library's stored procedure: the framework's with the shared extensions. Turning
// filtering off (OnFilterOptions without ofoEnabled) shows every record, as in the other
// classes.
class TwwStoredProc : public TwwDataSetExtensions<TStoredProc> {
    VEX_CLASS(TwwStoredProc, TStoredProc)
public:
    using TwwDataSetExtensions<TStoredProc>::TwwDataSetExtensions;
};

}  // namespace vex
