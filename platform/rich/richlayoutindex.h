#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/rich/richlayoutparagraph.h"
#include "platform/rich/richpositionindex.h"

namespace vex {

// The laid-out paragraphs of a document in order, with running totals of their lines and
// heights. They are kept in blocks of a few dozen, each block with its totals, and the blocks'
// totals in binary indexed trees: a paragraph laid out anew, a paragraph split in two or a run
// of paragraphs removed costs a block and a logarithm, not the whole document, and finding the
// paragraph of a line or of a height costs a logarithm and a block.
class TRichLayoutIndex {
public:
    struct TEntry {
        TRichLaidParagraph Laid;
        bool Valid = false;  // laid out since the paragraph or the layout's measures changed
    };

    // Count paragraphs, none laid out.
    void Reset(size_t Count);
    // Paragraphs [First, First + Removed) are now Inserted paragraphs not laid out.
    void Splice(size_t First, size_t Removed, size_t Inserted);
    size_t Count() const { return FCount; }

    // Every paragraph laid out by LayOut(Index) in order, the totals made once at the end.
    template <typename TLayOut>
    void LayOutAll(TLayOut&& LayOut) {
        size_t index = 0;
        for (TBlock& block : FBlocks)
            for (TEntry& entry : block.Entries) {
                entry.Laid = LayOut(index++);
                entry.Valid = true;
            }
        Rebuild();
    }

    const TEntry& At(size_t Index) const;
    void Invalidate(size_t Index);
    void Set(size_t Index, TRichLaidParagraph Laid);

    int64_t Lines() const;
    int64_t Height() const;
    int64_t LinesBefore(size_t Index) const;
    int64_t HeightBefore(size_t Index) const;
    // The paragraph holding line Line (0 to Lines() - 1) and the line's number in it.
    size_t FindLine(int64_t Line, int64_t& Within) const;
    // The paragraph at height Y (0 to Height() - 1) and Y from its top.
    size_t FindY(int64_t Y, int64_t& Within) const;

private:
    // A block's entries, and what its totals in the trees are. A document's lines are fewer
    // than its characters, so their count fits; a block's height is kept at most the largest
    // coordinate there is, which no position of a line passes either.
    struct TBlock {
        std::vector<TEntry> Entries;
        int32_t Count = 0;
        int32_t Lines = 0;
        int32_t Height = 0;
    };

    // The block holding Index, and Index within it; Count() is the end of the last block.
    size_t Locate(size_t Index, size_t& Within) const;
    void Rebuild();
    // Brings the totals in line with what the block's entries now add up to.
    void Recount(size_t Block);

    std::vector<TBlock> FBlocks;
    TRichPositionIndex FCounts, FLines, FHeights;
    size_t FCount = 0;
};

}  // namespace vex
