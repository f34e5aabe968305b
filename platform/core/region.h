#pragma once

#include <vector>

#include "platform/core/geometry.h"

namespace vex {

// A set of pixels built from rectangles: what a window needs painted, what of it a sibling hides,
// where a canvas may draw. Kept as rectangles that never overlap, so the area is their sum and a
// painter can fill each once. The rectangles come in no particular order; two regions covering
// the same pixels may hold different rectangles, so compare them with SameArea.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& R) { Union(R); }

    bool Empty() const { return FRects.empty(); }
    const std::vector<TRect>& Rects() const { return FRects; }
    // The smallest rectangle holding every pixel; an empty rectangle for an empty region.
    TRect Bounds() const;
    int64_t Area() const;

    bool Contains(TPoint P) const;
    bool Intersects(const TRect& R) const;
    // True when every pixel of R lies in the region; an empty R is covered by any region.
    bool Covers(const TRect& R) const;
    bool SameArea(const TRegion& Other) const;

    void Clear() { FRects.clear(); }
    void Union(const TRect& R);
    void Union(const TRegion& Other);
    void Subtract(const TRect& R);
    void Subtract(const TRegion& Other);
    void Intersect(const TRect& R);
    void Intersect(const TRegion& Other);
    // Moves every pixel; coordinates that would leave the 32-bit range stay at its end.
    void Offset(int32_t DX, int32_t DY);

private:
    // Adds R, which overlaps none of the rectangles, joined with every neighbour it makes one
    // rectangle with, so that invalidating a row of neighbours keeps the list short.
    void MergeIn(TRect R);

    std::vector<TRect> FRects;
};

}  // namespace vex
