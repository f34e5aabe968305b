#include "platform/win/childindex.h"

#include <algorithm>
#include <cmath>

#include "platform/win/windowstore.h"
#include "platform/win/windowstyles.h"

namespace vex::wintree {

namespace {

// Below this many children a walk is as quick as the grid.
constexpr size_t kIndexedChildren = 32;
constexpr int32_t kMaxSide = 64;

bool TakesPointer(const TWnd& W) {
    return (W.Style & WS_VISIBLE) && !(W.Style & WS_DISABLED);
}

}  // namespace

const TWnd* TChildIndex::ChildAt(const TWnd& W, TPoint Point) {
    if (W.Children.size() < kIndexedChildren) {
        for (const TWnd* c : W.Children)
            if (TakesPointer(*c) && PtInRect(c->Bounds, Point)) return c;
        return nullptr;
    }
    if (W.ChildIndex == nullptr) W.ChildIndex = std::make_shared<TChildIndex>();
    TChildIndex& index = *W.ChildIndex;
    const uint64_t generation = TWindowStore::Instance().LayoutGeneration();
    if (index.FGeneration != generation) {
        index.Build(W);
        index.FGeneration = generation;
    }
    return index.Find(Point);
}

void TChildIndex::Build(const TWnd& W) {
    std::vector<const TWnd*> listed;
    FBox = TRect{};
    for (const TWnd* c : W.Children) {
        if (!TakesPointer(*c) || c->Bounds.Right <= c->Bounds.Left ||
            c->Bounds.Bottom <= c->Bounds.Top)
            continue;
        FBox = listed.empty()
                   ? c->Bounds
                   : TRect{std::min(FBox.Left, c->Bounds.Left), std::min(FBox.Top, c->Bounds.Top),
                           std::max(FBox.Right, c->Bounds.Right),
                           std::max(FBox.Bottom, c->Bounds.Bottom)};
        listed.push_back(c);
    }
    const auto side =
        static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(listed.size()))));
    FColumns = FRows = std::clamp(side, 1, kMaxSide);
    FCellWidth = std::max<int64_t>(1, (int64_t{FBox.Right} - FBox.Left + FColumns - 1) / FColumns);
    FCellHeight = std::max<int64_t>(1, (int64_t{FBox.Bottom} - FBox.Top + FRows - 1) / FRows);
    const auto column = [&](int64_t X) {
        return static_cast<int32_t>(
            std::clamp<int64_t>((X - FBox.Left) / FCellWidth, 0, FColumns - 1));
    };
    const auto row = [&](int64_t Y) {
        return static_cast<int32_t>(
            std::clamp<int64_t>((Y - FBox.Top) / FCellHeight, 0, FRows - 1));
    };
    // Counted first, then filled in stacking order, so each cell's list stays in that order.
    const size_t cells = static_cast<size_t>(FColumns) * static_cast<size_t>(FRows);
    FCellStart.assign(cells + 1, 0);
    const auto forEachCell = [&](const TWnd* C, auto&& Visit) {
        for (int32_t y = row(C->Bounds.Top); y <= row(int64_t{C->Bounds.Bottom} - 1); ++y)
            for (int32_t x = column(C->Bounds.Left); x <= column(int64_t{C->Bounds.Right} - 1); ++x)
                Visit(static_cast<size_t>(y) * static_cast<size_t>(FColumns) +
                      static_cast<size_t>(x));
    };
    for (const TWnd* c : listed)
        forEachCell(c, [&](size_t Cell) { ++FCellStart[Cell + 1]; });
    for (size_t i = 1; i <= cells; ++i)
        FCellStart[i] += FCellStart[i - 1];
    FEntries.assign(FCellStart[cells], nullptr);
    std::vector<uint32_t> next(FCellStart.begin(), FCellStart.end() - 1);
    for (const TWnd* c : listed)
        forEachCell(c, [&](size_t Cell) { FEntries[next[Cell]++] = c; });
}

const TWnd* TChildIndex::Find(TPoint Point) const {
    if (!PtInRect(FBox, Point)) return nullptr;
    const auto x = static_cast<size_t>((int64_t{Point.X} - FBox.Left) / FCellWidth);
    const auto y = static_cast<size_t>((int64_t{Point.Y} - FBox.Top) / FCellHeight);
    const size_t cell = y * static_cast<size_t>(FColumns) + x;
    for (uint32_t i = FCellStart[cell]; i < FCellStart[cell + 1]; ++i)
        if (PtInRect(FEntries[i]->Bounds, Point)) return FEntries[i];
    return nullptr;
}

}  // namespace vex::wintree
