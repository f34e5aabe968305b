#include "platform/rich/richpositionindex.h"

#include <bit>

namespace vex {

void TRichPositionIndex::Reset(const std::vector<int32_t>& Sizes) {
    FSizes = Sizes;
    FTree.assign(Sizes.size() + 1, 0);
    for (size_t i = 1; i <= Sizes.size(); ++i) {
        FTree[i] += Sizes[i - 1];
        const size_t parent = i + (i & (~i + 1));
        if (parent <= Sizes.size()) FTree[parent] += FTree[i];
    }
    FTopBit = Sizes.empty() ? 0 : std::bit_floor(Sizes.size());
}

void TRichPositionIndex::Add(size_t Index, int32_t Delta) {
    FSizes.at(Index) += Delta;
    for (size_t i = Index + 1; i < FTree.size(); i += i & (~i + 1))
        FTree[i] += Delta;
}

int64_t TRichPositionIndex::Before(size_t Index) const {
    int64_t total = 0;
    for (size_t i = Index; i > 0; i -= i & (~i + 1))
        total += FTree[i];
    return total;
}

size_t TRichPositionIndex::Find(int64_t Position, int64_t& Offset) const {
    size_t index = 0;  // items [0, index) end at or before Position
    int64_t rest = Position;
    for (size_t step = FTopBit; step > 0; step >>= 1) {
        const size_t next = index + step;
        if (next < FTree.size() && FTree[next] <= rest) {
            index = next;
            rest -= FTree[next];
        }
    }
    if (index >= FSizes.size()) {
        index = FSizes.size() - 1;
        rest = Position - Before(index);
    }
    Offset = rest;
    return index;
}

}  // namespace vex
