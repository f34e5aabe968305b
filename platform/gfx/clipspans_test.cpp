#include "platform/gfx/clipspans.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

TRegion RegionOf(const std::vector<TRect>& Rects, const std::vector<TRect>& Holes = {}) {
    TRegion region;
    for (const TRect& r : Rects)
        region.Union(r);
    for (const TRect& h : Holes)
        region.Subtract(h);
    return region;
}

// The clip answers every pixel as the region does, its runs of a row are ordered, apart and
// exactly the region's pixels of that row, and its rectangles cover the region once.
void ExpectSamePixels(const TClipSpans& Clip, const TRegion& Region) {
    EXPECT_EQ(Clip.Bounds(), Region.Bounds());
    const TRect box = Rect(-2, -2, 24, 24);
    for (int32_t y = box.Top; y < box.Bottom; ++y) {
        std::string fromRuns(static_cast<size_t>(box.Right - box.Left), '.');
        int64_t lastEnd = INT64_MIN;
        Clip.ForEachRun(y, -1, 23, [&](int64_t From, int64_t To) {
            EXPECT_LT(lastEnd, From) << "row " << y;
            lastEnd = To;
            for (int64_t x = From; x < To; ++x)
                fromRuns[static_cast<size_t>(x - box.Left)] = '#';
        });
        std::string expected(fromRuns.size(), '.');
        for (int32_t x = box.Left; x < box.Right; ++x) {
            const bool inside = Region.Contains(Point(x, y));
            EXPECT_EQ(Clip.Contains(x, y), inside) << x << "," << y;
            if (inside && x >= -1 && x < 23) expected[static_cast<size_t>(x - box.Left)] = '#';
        }
        EXPECT_EQ(fromRuns, expected) << "row " << y;
    }
    TRegion fromRects;
    int64_t area = 0;
    Clip.ForEachRect(box.Left, box.Top, box.Right, box.Bottom, [&](const TRect& Part) {
        fromRects.Union(Part);
        area += (int64_t{Part.Right} - Part.Left) * (int64_t{Part.Bottom} - Part.Top);
    });
    EXPECT_TRUE(fromRects.SameArea(Region));
    EXPECT_EQ(area, Region.Area());
}

TEST(ClipSpans, AnswerEveryPixelAsTheRegionDoes) {
    struct TCase {
        std::string Name;
        TRegion Region;
        bool Simple;
    };
    std::vector<TRect> checkerboard;
    for (int32_t y = 0; y < 20; y += 4)
        for (int32_t x = (y / 4) % 2 * 4; x < 20; x += 8)
            checkerboard.push_back(Rect(x, y, x + 4, y + 4));
    const std::vector<TCase> cases = {
        {"empty", TRegion(), true},
        {"one rectangle", RegionOf({Rect(3, 4, 9, 7)}), true},
        {"pieces that make one rectangle",
         RegionOf({Rect(0, 0, 5, 3), Rect(5, 0, 9, 3), Rect(0, 3, 9, 8)}), true},
        {"a ring", RegionOf({Rect(0, 0, 20, 20)}, {Rect(5, 6, 15, 14)}), false},
        {"a staircase", RegionOf({Rect(0, 0, 4, 4), Rect(4, 4, 8, 8), Rect(8, 8, 12, 12)}), false},
        {"columns beside a stack",
         RegionOf({Rect(0, 0, 2, 20), Rect(4, 0, 6, 20), Rect(10, 0, 20, 3), Rect(10, 5, 20, 9),
                   Rect(12, 9, 20, 15)}),
         false},
        {"a checkerboard", RegionOf(checkerboard), false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TClipSpans clip(c.Region);
        EXPECT_EQ(clip.IsRect(), c.Simple);
        ExpectSamePixels(clip, c.Region);
        for (const TRect& cut : {Rect(3, 2, 17, 11), Rect(6, 7, 7, 8), Rect(30, 30, 40, 40),
                                 Rect(1, 1, 19, 5), Rect(1, 1, 4, 19), Rect(0, 0, 20, 20),
                                 Rect(4, 4, 8, 8), Rect(0, 0, 4, 8), Rect(9, 9, 9, 12)}) {
            TRegion narrowed = c.Region;
            narrowed.Intersect(cut);
            ExpectSamePixels(clip.Intersected(cut), narrowed);
        }
        for (const TCase& other : cases) {
            SCOPED_TRACE("with " + other.Name);
            TRegion common = c.Region;
            common.Intersect(other.Region);
            ExpectSamePixels(clip.Intersected(TClipSpans(other.Region)), common);
        }
    }
}

}  // namespace
}  // namespace vex
