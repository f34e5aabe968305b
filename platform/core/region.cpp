#include "platform/core/region.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace vex {
namespace {

struct TSpan {
    int32_t Left, Right;
};

// One past the last rectangle of the band that starts at First.
size_t BandEnd(std::span<const TRect> Rects, size_t First) {
    size_t end = First + 1;
    while (end < Rects.size() && Rects[end].Top == Rects[First].Top)
        ++end;
    return end;
}

// The spans of a row where Keep(in A, in B) holds, A and B being the spans of the same row in
// each operand, left to right. Every edge of both is visited once, so the cost is their sum.
template <typename TKeep>
void CombineSpans(const TRect* A, size_t CountA, const TRect* B, size_t CountB, TKeep Keep,
                  std::vector<TSpan>& Out) {
    constexpr int64_t kPast = std::numeric_limits<int64_t>::max();
    // Edge I of a row: the left side of span I / 2 when I is even, its right side when odd.
    const auto edge = [](const TRect* Spans, size_t Count, size_t I) -> int64_t {
        if (I >= 2 * Count) return kPast;
        return I % 2 == 0 ? Spans[I / 2].Left : Spans[I / 2].Right;
    };
    size_t i = 0, j = 0;
    bool inA = false, inB = false, in = false;
    int32_t start = 0;
    for (;;) {
        const int64_t x = std::min(edge(A, CountA, i), edge(B, CountB, j));
        if (x == kPast) break;
        // Spans of one operand that touch pass through here as one.
        for (; edge(A, CountA, i) == x; ++i)
            inA = !inA;
        for (; edge(B, CountB, j) == x; ++j)
            inB = !inB;
        const bool now = Keep(inA, inB);
        if (now == in) continue;
        if (now)
            start = static_cast<int32_t>(x);
        else
            Out.push_back({start, static_cast<int32_t>(x)});
        in = now;
    }
}

// Builds a banded list band by band, joining a band to the one above it when they touch and
// hold the same spans, so that one set of pixels always has one list.
class TBandWriter {
public:
    explicit TBandWriter(std::vector<TRect>& Out) : FOut(Out) {}

    void Add(int32_t Top, int32_t Bottom, const std::vector<TSpan>& Spans) {
        if (Spans.empty() || Top >= Bottom) return;
        if (FLastStart < FOut.size() && FOut.back().Bottom == Top && SameAsLast(Spans)) {
            for (size_t k = FLastStart; k < FOut.size(); ++k)
                FOut[k].Bottom = Bottom;
            return;
        }
        FLastStart = FOut.size();
        for (const TSpan& s : Spans)
            FOut.push_back({s.Left, Top, s.Right, Bottom});
    }

private:
    bool SameAsLast(const std::vector<TSpan>& Spans) const {
        if (FOut.size() - FLastStart != Spans.size()) return false;
        for (size_t k = 0; k < Spans.size(); ++k)
            if (FOut[FLastStart + k].Left != Spans[k].Left ||
                FOut[FLastStart + k].Right != Spans[k].Right)
                return false;
        return true;
    }

    std::vector<TRect>& FOut;
    size_t FLastStart = std::numeric_limits<size_t>::max();
};

// The banded list of the pixels where Keep(in A, in B) holds. Both walk down together: each
// output band lies where neither operand starts or ends a band, so its spans come from one row.
template <typename TKeep>
std::vector<TRect> Combine(std::span<const TRect> A, std::span<const TRect> B, TKeep Keep) {
    std::vector<TRect> out;
    out.reserve(A.size() + B.size());
    TBandWriter writer(out);
    std::vector<TSpan> spans;
    constexpr int64_t kPast = std::numeric_limits<int64_t>::max();
    size_t a = 0, b = 0;
    int64_t y = std::numeric_limits<int64_t>::min();
    while (a < A.size() || b < B.size()) {
        const int64_t topA = a < A.size() ? std::max<int64_t>(y, A[a].Top) : kPast;
        const int64_t topB = b < B.size() ? std::max<int64_t>(y, B[b].Top) : kPast;
        const int64_t top = std::min(topA, topB);
        const bool inA = topA == top, inB = topB == top;
        const int64_t bottom = std::min(inA ? A[a].Bottom : topA, inB ? B[b].Bottom : topB);
        const size_t endA = inA ? BandEnd(A, a) : a;
        const size_t endB = inB ? BandEnd(B, b) : b;
        spans.clear();
        CombineSpans(A.data() + a, endA - a, B.data() + b, endB - b, Keep, spans);
        writer.Add(static_cast<int32_t>(top), static_cast<int32_t>(bottom), spans);
        y = bottom;
        if (inA && A[a].Bottom == bottom) a = endA;
        if (inB && B[b].Bottom == bottom) b = endB;
    }
    return out;
}

bool InEither(bool A, bool B) {
    return A || B;
}
bool InFirstOnly(bool A, bool B) {
    return A && !B;
}
bool InBoth(bool A, bool B) {
    return A && B;
}

// Every pixel of Inner lies in Outer; Inner is not empty.
bool Holds(const TRect& Outer, const TRect& Inner) {
    return Outer.Left <= Inner.Left && Outer.Top <= Inner.Top && Inner.Right <= Outer.Right &&
           Inner.Bottom <= Outer.Bottom;
}

std::span<const TRect> RectsOf(const TRect& R) {
    return {&R, IsRectEmpty(R) ? 0u : 1u};
}

}  // namespace

TRegion TRegion::OfRects(std::span<const TRect> Rects) {
    // Each band of the sweep walks every rectangle it crosses: past a few dozen rectangles that
    // overlap, that grows with the square of their number, so halves are swept and then joined.
    constexpr size_t kSweptAtOnce = 64;
    if (Rects.size() > kSweptAtOnce) {
        const size_t half = Rects.size() / 2;
        TRegion region = OfRects(Rects.first(half));
        region.Union(OfRects(Rects.subspan(half)));
        return region;
    }
    std::vector<TRect> byTop;
    std::vector<int32_t> edges;
    byTop.reserve(Rects.size());
    edges.reserve(2 * Rects.size());
    for (const TRect& r : Rects)
        if (!IsRectEmpty(r)) {
            byTop.push_back(r);
            edges.push_back(r.Top);
            edges.push_back(r.Bottom);
        }
    std::sort(byTop.begin(), byTop.end(),
              [](const TRect& A, const TRect& B) { return A.Top < B.Top; });
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    // A sweep down the rectangles' tops and bottoms: between two neighbouring ones the same
    // rectangles are crossed, so that band is their spans, met left to right, run together.
    std::vector<TRect> rects;
    TBandWriter writer(rects);
    std::vector<TRect> crossed;  // by left side
    std::vector<TSpan> spans;
    size_t next = 0;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        const int32_t top = edges[e];
        std::erase_if(crossed, [&](const TRect& R) { return R.Bottom <= top; });
        for (; next < byTop.size() && byTop[next].Top == top; ++next) {
            const auto at =
                std::upper_bound(crossed.begin(), crossed.end(), byTop[next],
                                 [](const TRect& A, const TRect& B) { return A.Left < B.Left; });
            crossed.insert(at, byTop[next]);
        }
        spans.clear();
        for (const TRect& r : crossed)
            if (!spans.empty() && r.Left <= spans.back().Right)
                spans.back().Right = std::max(spans.back().Right, r.Right);
            else
                spans.push_back({r.Left, r.Right});
        writer.Add(top, edges[e + 1], spans);
    }
    TRegion region;
    region.Assign(std::move(rects));
    return region;
}

void TRegion::Assign(std::vector<TRect>&& Rects) {
    if (Rects.size() <= 1) {
        SetRect(Rects.empty() ? TRect() : Rects.front());
    } else {
        FOne = TRect();
        FMany = std::move(Rects);
    }
}

TRect TRegion::Bounds() const {
    const std::span<const TRect> rects = Rects();
    if (rects.empty()) return TRect();
    TRect bounds{rects.front().Left, rects.front().Top, rects.front().Right, rects.back().Bottom};
    for (const TRect& r : rects.subspan(1)) {
        bounds.Left = std::min(bounds.Left, r.Left);
        bounds.Right = std::max(bounds.Right, r.Right);
    }
    return bounds;
}

int64_t TRegion::Area() const {
    int64_t area = 0;
    for (const TRect& r : Rects())
        area += (int64_t{r.Right} - r.Left) * (int64_t{r.Bottom} - r.Top);
    return area;
}

bool TRegion::Contains(TPoint P) const {
    return std::ranges::any_of(Rects(), [&](const TRect& r) { return PtInRect(r, P); });
}

bool TRegion::Covers(const TRect& R) const {
    if (IsRectEmpty(R)) return true;
    if (Empty()) return false;
    if (IsRect()) return Holds(FOne, R);
    return Combine(RectsOf(R), FMany, InFirstOnly).empty();
}

bool TRegion::Covers(const TRegion& Other) const {
    if (Other.Empty()) return true;
    if (Other.IsRect()) return Covers(Other.FOne);
    if (Empty()) return false;
    if (IsRect()) return Holds(FOne, Other.Bounds());
    return Combine(Other.FMany, FMany, InFirstOnly).empty();
}

bool TRegion::SameArea(const TRegion& Other) const {
    return std::ranges::equal(Rects(), Other.Rects());
}

void TRegion::Union(const TRect& R) {
    if (IsRectEmpty(R) || (IsRect() && Holds(FOne, R))) return;
    if (Empty() || Holds(R, Bounds()))
        SetRect(R);
    else
        Assign(Combine(Rects(), RectsOf(R), InEither));
}

void TRegion::Union(const TRegion& Other) {
    if (Other.IsRect())
        Union(Other.FOne);
    else if (Empty())
        *this = Other;
    else if (!Other.Empty())
        Assign(Combine(Rects(), Other.Rects(), InEither));
}

void TRegion::Subtract(const TRect& R) {
    if (Empty()) return;
    const TRect bounds = Bounds();
    TRect common;
    if (!IntersectRect(common, bounds, R)) return;
    if (common == bounds)
        Clear();
    else
        Assign(Combine(Rects(), RectsOf(R), InFirstOnly));
}

void TRegion::Subtract(const TRegion& Other) {
    if (!Other.Empty() && !Empty()) Assign(Combine(Rects(), Other.Rects(), InFirstOnly));
}

void TRegion::Intersect(const TRect& R) {
    if (Empty()) return;
    const TRect bounds = Bounds();
    TRect common;
    if (!IntersectRect(common, bounds, R))
        Clear();
    else if (IsRect())
        FOne = common;
    else if (common != bounds)
        Assign(Combine(FMany, RectsOf(R), InBoth));
}

void TRegion::Intersect(const TRegion& Other) {
    if (Other.IsRect())
        Intersect(Other.FOne);
    else if (!Empty())
        Assign(Combine(Rects(), Other.Rects(), InBoth));
}

void TRegion::Offset(int32_t DX, int32_t DY) {
    if (FMany.empty()) {
        // One rectangle, the common case: pressed flat against the end of the range, it is gone.
        if (IsRectEmpty(FOne)) return;
        OffsetRect(FOne, DX, DY);
        if (IsRectEmpty(FOne)) FOne = TRect();
        return;
    }
    bool squeezed = false;
    for (TRect& r : FMany) {
        const TRect before = r;
        OffsetRect(r, DX, DY);
        squeezed |= int64_t{r.Right} - r.Left != int64_t{before.Right} - before.Left ||
                    int64_t{r.Bottom} - r.Top != int64_t{before.Bottom} - before.Top;
    }
    if (!squeezed) return;
    // Pressed against the end of the range, rectangles may have gone flat and bands that were
    // different may have become alike: one more pass restores the one list for these pixels.
    std::vector<TRect> kept;
    std::ranges::copy_if(Rects(), std::back_inserter(kept),
                         [](const TRect& r) { return !IsRectEmpty(r); });
    Assign(Combine(kept, {}, InEither));
}

}  // namespace vex
