#pragma once

#include <span>
#include <vector>

#include "platform/core/geometry.h"

namespace vex {

// A set of pixels built from rectangles: what a window needs painted, what of it a sibling hides,
// where a canvas may draw. Kept as rectangles that never overlap, so the area is their sum and a
// painter can fill each once, in bands: rows of rectangles sharing top and bottom, bands top to
// bottom, each band's rectangles left to right and apart, and no two touching bands alike. So
// the same pixels always make the same list, and every operation is one walk down both lists.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& R) { Union(R); }
    // The union of many rectangles, built band by band in one sweep down their edges.
    static TRegion OfRects(std::span<const TRect> Rects);

    bool Empty() const { return FRects.empty(); }
    const std::vector<TRect>& Rects() const { return FRects; }
    // The smallest rectangle holding every pixel; an empty rectangle for an empty region.
    TRect Bounds() const;
    int64_t Area() const;

    bool Contains(TPoint P) const;
    // True when every pixel of R lies in the region; an empty R is covered by any region.
    bool Covers(const TRect& R) const;
    bool Covers(const TRegion& Other) const;
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
    bool IsRect() const;

    std::vector<TRect> FRects;
};

}  // namespace vex
