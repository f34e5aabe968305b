#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vex {

// Running totals of paragraph sizes (a binary indexed tree), so that finding the paragraph of a
// character position and growing one paragraph both take logarithmic time however long the
// document is.
class TRichPositionIndex {
public:
    void Reset(const std::vector<int32_t>& Sizes);
    void Add(size_t Index, int32_t Delta);
    // The total of the sizes before Index.
    int64_t Before(size_t Index) const;
    // The item that holds Position (the last one for a position past them all), and the
    // position's offset in it.
    size_t Find(int64_t Position, int64_t& Offset) const;

private:
    std::vector<int32_t> FSizes;
    std::vector<int64_t> FTree;  // 1-based
    size_t FTopBit = 0;
};

}  // namespace vex
