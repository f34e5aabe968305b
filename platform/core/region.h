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

    bool Empty() const { return FMany.empty() && IsRectEmpty(FOne); }
    std::span<const TRect> Rects() const {
        if (!FMany.empty()) return FMany;
        return {&FOne, IsRectEmpty(FOne) ? 0u : 1u};
    }
    // The smallest rectangle holding every pixel; an empty rectangle for an empty region.
    TRect Bounds() const;
    int64_t Area() const;

    bool Contains(TPoint P) const;
    // True when every pixel of R lies in the region; an empty R is covered by any region.
    bool Covers(const TRect& R) const;
    bool Covers(const TRegion& Other) const;
    bool SameArea(const TRegion& Other) const;

    void Clear() { SetRect(TRect()); }
    void Union(const TRect& R);
    void Union(const TRegion& Other);
    void Subtract(const TRect& R);
    void Subtract(const TRegion& Other);
    void Intersect(const TRect& R);
    void Intersect(const TRegion& Other);
    // Moves every pixel; coordinates that would leave the 32-bit range stay at its end.
    void Offset(int32_t DX, int32_t DY);

private:
    bool IsRect() const { return FMany.empty() && !IsRectEmpty(FOne); }
    // R is a rectangle of the region or empty.
    void SetRect(const TRect& R) {
        FOne = R;
        FMany.clear();
    }
    void Assign(std::vector<TRect>&& Rects);

    // Nearly every region is one rectangle (an update region, a visible region, the part handed
    // to a child), so that one is kept here and copied without touching the heap. From the
    // second rectangle on all of them are in FMany, and FOne is empty.
    TRect FOne;
    std::vector<TRect> FMany;
};

}  // namespace vex
