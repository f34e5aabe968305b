#include "platform/rich/richlayoutindex.h"

#include <algorithm>

#include "platform/core/geometry.h"

namespace vex {

namespace {

// A block is split past twice this many paragraphs: large enough that a document of a million
// paragraphs has few blocks, small enough that walking one is quick.
constexpr size_t BlockSize = 64;

int32_t LinesOf(const TRichLayoutIndex::TEntry& Entry) {
    return static_cast<int32_t>(Entry.Laid.Lines.size());
}

// What a block's entries add up to, as the trees hold it.
void Sum(const std::vector<TRichLayoutIndex::TEntry>& Entries, int32_t& Lines, int32_t& Height) {
    int64_t lines = 0, height = 0;
    for (const TRichLayoutIndex::TEntry& entry : Entries) {
        lines += LinesOf(entry);
        height += entry.Laid.Height;
    }
    Lines = SaturateToInt32(lines);
    Height = SaturateToInt32(height);
}

}  // namespace

void TRichLayoutIndex::Reset(size_t Count) {
    FBlocks.clear();
    for (size_t made = 0; made < Count || FBlocks.empty(); made += BlockSize)
        FBlocks.push_back(TBlock{std::vector<TEntry>(std::min(BlockSize, Count - made))});
    FCount = Count;
    Rebuild();
}

size_t TRichLayoutIndex::Locate(size_t Index, size_t& Within) const {
    int64_t offset = 0;
    const size_t block = FCounts.Find(static_cast<int64_t>(Index), offset);
    Within = static_cast<size_t>(offset);
    return block;
}

const TRichLayoutIndex::TEntry& TRichLayoutIndex::At(size_t Index) const {
    size_t within = 0;
    const size_t block = Locate(Index, within);
    return FBlocks[block].Entries.at(within);
}

void TRichLayoutIndex::Invalidate(size_t Index) {
    size_t within = 0;
    const size_t block = Locate(Index, within);
    FBlocks[block].Entries.at(within).Valid = false;
}

void TRichLayoutIndex::Set(size_t Index, TRichLaidParagraph Laid) {
    size_t within = 0;
    const size_t block = Locate(Index, within);
    TEntry& entry = FBlocks[block].Entries.at(within);
    entry.Laid = std::move(Laid);
    entry.Valid = true;
    Recount(block);
}

void TRichLayoutIndex::Recount(size_t Block) {
    TBlock& b = FBlocks[Block];
    int32_t lines = 0, height = 0;
    Sum(b.Entries, lines, height);
    const auto count = static_cast<int32_t>(b.Entries.size());
    FCounts.Add(Block, count - b.Count);
    FLines.Add(Block, lines - b.Lines);
    FHeights.Add(Block, height - b.Height);
    b.Count = count;
    b.Lines = lines;
    b.Height = height;
}

void TRichLayoutIndex::Rebuild() {
    std::vector<int32_t> counts, lines, heights;
    for (TBlock& b : FBlocks) {
        b.Count = static_cast<int32_t>(b.Entries.size());
        Sum(b.Entries, b.Lines, b.Height);
        counts.push_back(b.Count);
        lines.push_back(b.Lines);
        heights.push_back(b.Height);
    }
    FCounts.Reset(counts);
    FLines.Reset(lines);
    FHeights.Reset(heights);
}

void TRichLayoutIndex::Splice(size_t First, size_t Removed, size_t Inserted) {
    size_t within = 0;
    const size_t first = Locate(First, within);
    size_t last = first;
    for (size_t left = Removed, at = within; left > 0;) {
        std::vector<TEntry>& entries = FBlocks.at(last).Entries;
        const size_t taken = std::min(left, entries.size() - at);
        entries.erase(entries.begin() + static_cast<ptrdiff_t>(at),
                      entries.begin() + static_cast<ptrdiff_t>(at + taken));
        left -= taken;
        if (left > 0) ++last, at = 0;
    }
    std::vector<TEntry>& entries = FBlocks[first].Entries;
    entries.insert(entries.begin() + static_cast<ptrdiff_t>(within), Inserted, TEntry{});
    FCount = FCount - Removed + Inserted;

    const bool split = entries.size() > 2 * BlockSize;
    const bool emptied = std::any_of(FBlocks.begin() + static_cast<ptrdiff_t>(first),
                                     FBlocks.begin() + static_cast<ptrdiff_t>(last) + 1,
                                     [](const TBlock& B) { return B.Entries.empty(); });
    if (!split && !(emptied && FBlocks.size() > 1)) {
        for (size_t block = first; block <= last; ++block)
            Recount(block);
        return;
    }
    // Blocks came or went: the few of them are counted again.
    std::vector<TBlock> blocks;
    blocks.reserve(FBlocks.size() + entries.size() / BlockSize);
    for (size_t block = 0; block < FBlocks.size(); ++block) {
        std::vector<TEntry>& own = FBlocks[block].Entries;
        if (block < first || block > last || own.size() <= 2 * BlockSize) {
            if (!own.empty()) blocks.push_back(std::move(FBlocks[block]));
            continue;
        }
        for (size_t from = 0; from < own.size(); from += BlockSize) {
            const auto begin = own.begin() + static_cast<ptrdiff_t>(from);
            blocks.push_back(TBlock{std::vector<TEntry>(
                std::make_move_iterator(begin),
                std::make_move_iterator(
                    begin + static_cast<ptrdiff_t>(std::min(BlockSize, own.size() - from))))});
        }
    }
    if (blocks.empty()) blocks.emplace_back();
    FBlocks = std::move(blocks);
    Rebuild();
}

int64_t TRichLayoutIndex::Lines() const {
    return FLines.Before(FBlocks.size());
}

int64_t TRichLayoutIndex::Height() const {
    return FHeights.Before(FBlocks.size());
}

int64_t TRichLayoutIndex::LinesBefore(size_t Index) const {
    size_t within = 0;
    const size_t block = Locate(Index, within);
    int64_t lines = FLines.Before(block);
    for (size_t i = 0; i < within; ++i)
        lines += LinesOf(FBlocks[block].Entries[i]);
    return lines;
}

int64_t TRichLayoutIndex::HeightBefore(size_t Index) const {
    size_t within = 0;
    const size_t block = Locate(Index, within);
    int64_t height = FHeights.Before(block);
    for (size_t i = 0; i < within; ++i)
        height += FBlocks[block].Entries[i].Laid.Height;
    return height;
}

size_t TRichLayoutIndex::FindLine(int64_t Line, int64_t& Within) const {
    const size_t block = FLines.Find(Line, Within);
    const std::vector<TEntry>& entries = FBlocks[block].Entries;
    size_t i = 0;
    for (; i + 1 < entries.size() && Within >= LinesOf(entries[i]); ++i)
        Within -= LinesOf(entries[i]);
    return static_cast<size_t>(FCounts.Before(block)) + i;
}

size_t TRichLayoutIndex::FindY(int64_t Y, int64_t& Within) const {
    const size_t block = FHeights.Find(Y, Within);
    const std::vector<TEntry>& entries = FBlocks[block].Entries;
    size_t i = 0;
    for (; i + 1 < entries.size() && Within >= entries[i].Laid.Height; ++i)
        Within -= entries[i].Laid.Height;
    return static_cast<size_t>(FCounts.Before(block)) + i;
}

}  // namespace vex
