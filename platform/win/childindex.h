#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/geometry.h"

namespace vex {

struct TWnd;

namespace wintree {

// Which of a window's shown, enabled children lies at a point, found through a grid of cells
// that lists, in stacking order, the children touching each cell: a window of a thousand
// children answers a pointer's every move without walking them all. Worked out again when the
// store's layout generation has moved on.
class TChildIndex {
public:
    // The topmost shown, enabled child of W whose bounds hold Point (W's client coordinates).
    static const TWnd* ChildAt(const TWnd& W, TPoint Point);

private:
    void Build(const TWnd& W);
    const TWnd* Find(TPoint Point) const;

    uint64_t FGeneration = 0;
    TRect FBox;  // the union of the listed children
    int32_t FColumns = 0;
    int32_t FRows = 0;
    int64_t FCellWidth = 1;
    int64_t FCellHeight = 1;
    std::vector<uint32_t> FCellStart;  // each cell's first entry, and the end after the last
    std::vector<const TWnd*> FEntries;
};

}  // namespace wintree

}  // namespace vex
