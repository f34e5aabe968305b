#include "platform/gfx/clipspans.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
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

// The clip's spans within Box, each checked to come after the one before, row by row, left to
// right and apart, and to be one row high.
TRegion RegionOfSpans(const TClipSpans& Clip, const TRect& Box) {
    TRegion spans;
    int64_t lastRow = INT64_MIN, lastEnd = INT64_MIN;
    Clip.ForEachSpan(
        Box.Left, Box.Top, Box.Right, Box.Bottom, [&](int64_t Y, int64_t Left, int64_t Right) {
            EXPECT_TRUE(Y > lastRow || (Y == lastRow && Left > lastEnd))
                << "out of order at " << Left << "," << Y;
            lastRow = Y, lastEnd = Right;
            spans.Union(Rect(static_cast<int32_t>(Left), static_cast<int32_t>(Y),
                             static_cast<int32_t>(Right), static_cast<int32_t>(Y + 1)));
        });
    return spans;
}

// The clip answers every pixel as the region does, its runs of a row are ordered, apart and
// exactly the region's pixels of that row, and its spans make the region.
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
        // Columns and rows far beyond the 32-bit range lie outside, and a row asked for
        // without limits gives the same runs.
        for (const int64_t far :
             {INT64_MIN, int64_t{INT32_MIN} - 1, int64_t{INT32_MAX} + 1, INT64_MAX}) {
            EXPECT_FALSE(Clip.Contains(far, y)) << far << "," << y;
            EXPECT_FALSE(Clip.Contains(y, far)) << y << "," << far;
            Clip.ForEachRun(far, INT64_MIN, INT64_MAX,
                            [&](int64_t, int64_t) { ADD_FAILURE() << "a run in row " << far; });
        }
        std::string unbounded(fromRuns.size(), '.');
        Clip.ForEachRun(y, INT64_MIN, INT64_MAX, [&](int64_t From, int64_t To) {
            for (int64_t x = std::max<int64_t>(From, -1); x < std::min<int64_t>(To, 23); ++x)
                unbounded[static_cast<size_t>(x - box.Left)] = '#';
        });
        EXPECT_EQ(unbounded, expected) << "row " << y;
    }
    const TRegion fromSpans = RegionOfSpans(Clip, box);
    EXPECT_TRUE(fromSpans.SameArea(Region));
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

// The clip's spans make exactly the region's pixels, it is a plain rectangle exactly when
// the region is one, and every corner of every rectangle answers as the region does.
void ExpectSameArea(const TClipSpans& Clip, const TRegion& Region) {
    EXPECT_EQ(Clip.Bounds(), Region.Bounds());
    EXPECT_EQ(Clip.IsRect(), Region.Rects().size() <= 1);
    EXPECT_TRUE(
        RegionOfSpans(Clip, Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX)).SameArea(Region));
    for (const TRect& r : Region.Rects())
        for (int64_t x :
             {int64_t{r.Left} - 1, int64_t{r.Left}, int64_t{r.Right} - 1, int64_t{r.Right}})
            for (int64_t y :
                 {int64_t{r.Top} - 1, int64_t{r.Top}, int64_t{r.Bottom} - 1, int64_t{r.Bottom}}) {
                const bool inside =
                    x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX &&
                    Region.Contains(Point(static_cast<int32_t>(x), static_cast<int32_t>(y)));
                EXPECT_EQ(Clip.Contains(x, y), inside) << x << "," << y;
            }
}

// Random regions, some pressed against the ends of the 32-bit range, cut by random rectangles
// (empty, inverted, touching band edges, reaching the ends) answer as the region cut alike.
TEST(ClipSpans, CutByAnyRectangleAnswerAsTheRegionDoes) {
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto coordinate = [&](int32_t Spread) {
            return std::uniform_int_distribution<int32_t>(0, Spread)(random);
        };
        // Far regions sit at one end of the range, so that their edges are its ends.
        const int32_t shift = seed % 3 == 0 ? INT32_MAX - 40 : seed % 3 == 1 ? INT32_MIN : 0;
        const auto at = [&](int32_t Value) {
            return static_cast<int32_t>(
                std::clamp<int64_t>(int64_t{Value} + shift, INT32_MIN, INT32_MAX));
        };
        const auto randomRect = [&] {
            const int32_t left = coordinate(30), top = coordinate(30);
            return Rect(at(left), at(top), at(left + coordinate(16)), at(top + coordinate(16)));
        };
        TRegion region;
        const int pieces = 1 + coordinate(8);
        for (int i = 0; i < pieces; ++i)
            if (coordinate(3) == 0)
                region.Subtract(randomRect());
            else
                region.Union(randomRect());
        const TClipSpans clip(region);
        ExpectSameArea(clip, region);
        std::vector<TRect> cuts = {Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
                                   Rect(at(5), at(5), at(5), at(9)),
                                   Rect(at(9), at(9), at(3), at(3))};
        for (const TRect& r : region.Rects()) {
            cuts.push_back(r);  // wholly inside
            cuts.push_back(Rect(r.Left, r.Top, r.Right, INT32_MAX));
            cuts.push_back(Rect(INT32_MIN, r.Bottom, INT32_MAX, INT32_MAX));
            cuts.push_back(Rect(r.Right, r.Top, r.Right + (r.Right < INT32_MAX), r.Bottom));
        }
        for (int i = 0; i < 20; ++i)
            cuts.push_back(randomRect());
        for (const TRect& cut : cuts) {
            SCOPED_TRACE(testing::Message()
                         << cut.Left << "," << cut.Top << "," << cut.Right << "," << cut.Bottom);
            TRegion narrowed = region;
            narrowed.Intersect(cut);
            const TClipSpans narrowedClip = clip.Intersected(cut);
            ExpectSameArea(narrowedClip, narrowed);
            ExpectSameArea(clip.Intersected(TClipSpans(narrowed)), narrowed);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

}  // namespace
}  // namespace vex
