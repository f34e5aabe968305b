#pragma once

#include "dataaware/data/Wwcommon.h"
#include "platform/data/dbtables.h"

namespace vex {

// The library's query: the framework's query with the shared extensions.
class TwwQuery : public TwwDataSetExtensions<TQuery> {
    VEX_CLASS(TwwQuery, TQuery)
public:
    using TwwDataSetExtensions<TQuery>::TwwDataSetExtensions;
};

}  // namespace vex
