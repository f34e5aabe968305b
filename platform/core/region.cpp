#include "platform/core/region.h"

#include <algorithm>

namespace vex {
namespace {

// Appends the parts of R that lie outside Hole: at most four, a band above, a band below, and
// the pieces left and right of the hole between them.
void AppendOutside(const TRect& R, const TRect& Hole, std::vector<TRect>& Out) {
    TRect common;
    if (!IntersectRect(common, R, Hole)) {
        Out.push_back(R);
        return;
    }
    if (R.Top < common.Top) Out.push_back({R.Left, R.Top, R.Right, common.Top});
    if (common.Bottom < R.Bottom) Out.push_back({R.Left, common.Bottom, R.Right, R.Bottom});
    if (R.Left < common.Left) Out.push_back({R.Left, common.Top, common.Left, common.Bottom});
    if (common.Right < R.Right) Out.push_back({common.Right, common.Top, R.Right, common.Bottom});
}

void SubtractFrom(std::vector<TRect>& Rects, const TRect& Hole) {
    std::vector<TRect> kept;
    kept.reserve(Rects.size());
    for (const TRect& r : Rects)
        AppendOutside(r, Hole, kept);
    Rects.swap(kept);
}

// One rectangle holding both, when together they make exactly a rectangle.
bool Joined(const TRect& A, const TRect& B, TRect& Out) {
    if (A.Top == B.Top && A.Bottom == B.Bottom && (A.Right == B.Left || B.Right == A.Left)) {
        Out = {std::min(A.Left, B.Left), A.Top, std::max(A.Right, B.Right), A.Bottom};
        return true;
    }
    if (A.Left == B.Left && A.Right == B.Right && (A.Bottom == B.Top || B.Bottom == A.Top)) {
        Out = {A.Left, std::min(A.Top, B.Top), A.Right, std::max(A.Bottom, B.Bottom)};
        return true;
    }
    return false;
}

}  // namespace

TRect TRegion::Bounds() const {
    TRect bounds;
    for (const TRect& r : FRects)
        UnionRect(bounds, bounds, r);
    return bounds;
}

int64_t TRegion::Area() const {
    int64_t area = 0;
    for (const TRect& r : FRects)
        area += (int64_t{r.Right} - r.Left) * (int64_t{r.Bottom} - r.Top);
    return area;
}

bool TRegion::Contains(TPoint P) const {
    return std::any_of(FRects.begin(), FRects.end(),
                       [&](const TRect& r) { return PtInRect(r, P); });
}

bool TRegion::Intersects(const TRect& R) const {
    TRect common;
    return std::any_of(FRects.begin(), FRects.end(),
                       [&](const TRect& r) { return IntersectRect(common, r, R); });
}

bool TRegion::Covers(const TRect& R) const {
    if (IsRectEmpty(R)) return true;
    std::vector<TRect> left{R};
    for (const TRect& r : FRects) {
        SubtractFrom(left, r);
        if (left.empty()) return true;
    }
    return false;
}

bool TRegion::SameArea(const TRegion& Other) const {
    if (Area() != Other.Area()) return false;
    return std::all_of(FRects.begin(), FRects.end(),
                       [&](const TRect& r) { return Other.Covers(r); });
}

void TRegion::Union(const TRect& R) {
    if (IsRectEmpty(R) || Covers(R)) return;
    std::vector<TRect> added{R};
    for (const TRect& r : FRects)
        SubtractFrom(added, r);
    for (const TRect& piece : added)
        MergeIn(piece);
}

void TRegion::Union(const TRegion& Other) {
    for (const TRect& r : Other.FRects)
        Union(r);
}

void TRegion::Subtract(const TRect& R) {
    if (!IsRectEmpty(R)) SubtractFrom(FRects, R);
}

void TRegion::Subtract(const TRegion& Other) {
    for (const TRect& r : Other.FRects)
        SubtractFrom(FRects, r);
}

void TRegion::Intersect(const TRect& R) {
    std::vector<TRect> kept;
    TRect common;
    for (const TRect& r : FRects)
        if (IntersectRect(common, r, R)) kept.push_back(common);
    FRects.swap(kept);
}

void TRegion::Intersect(const TRegion& Other) {
    std::vector<TRect> kept;
    TRect common;
    for (const TRect& a : FRects)
        for (const TRect& b : Other.FRects)
            if (IntersectRect(common, a, b)) kept.push_back(common);
    FRects.swap(kept);
}

void TRegion::Offset(int32_t DX, int32_t DY) {
    for (TRect& r : FRects)
        OffsetRect(r, DX, DY);
    // Rectangles pressed together at the end of the range may now be empty.
    std::erase_if(FRects, [](const TRect& r) { return IsRectEmpty(r); });
}

void TRegion::MergeIn(TRect R) {
    for (size_t i = 0; i < FRects.size();)
        if (Joined(FRects[i], R, R)) {
            FRects[i] = FRects.back();
            FRects.pop_back();
            i = 0;
        } else {
            ++i;
        }
    FRects.push_back(R);
}

}  // namespace vex
