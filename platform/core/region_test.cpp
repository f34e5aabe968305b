#include "platform/core/region.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <random>
#include <vector>

#include "tests/support/casefile.h"

namespace vex {
namespace {

TRect RectOf(const test::TestCase& C, size_t First) {
    return Rect(static_cast<int32_t>(C.Int(First)), static_cast<int32_t>(C.Int(First + 1)),
                static_cast<int32_t>(C.Int(First + 2)), static_cast<int32_t>(C.Int(First + 3)));
}

std::vector<TRect> ListOf(const TRegion& R) {
    return {R.Rects().begin(), R.Rects().end()};
}

// Each row: the routine, two rectangles (or one and a distance), the answer and the result.
TEST(RectRoutines, AnswerAsTheOriginalsDo) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/rects.txt")) {
        SCOPED_TRACE(c.Where);
        TRect result;
        bool answer = true;
        if (c[0] == "intersect") {
            answer = IntersectRect(result, RectOf(c, 1), RectOf(c, 5));
        } else if (c[0] == "union") {
            answer = UnionRect(result, RectOf(c, 1), RectOf(c, 5));
        } else {
            result = RectOf(c, 1);
            const auto dx = static_cast<int32_t>(c.Int(5)), dy = static_cast<int32_t>(c.Int(6));
            c[0] == "offset" ? OffsetRect(result, dx, dy) : InflateRect(result, dx, dy);
        }
        const size_t at = c[0] == "intersect" || c[0] == "union" ? 9 : 7;
        EXPECT_EQ(answer, c[at] == "true");
        EXPECT_EQ(result, RectOf(c, at + 1));
    }
}

// Every operation checked against a plain grid of pixels, over many random rectangles.
TEST(Region, HoldsExactlyThePixelsItsOperationsMake) {
    constexpr int32_t Size = 24;
    using Grid = std::array<std::array<bool, Size>, Size>;
    std::mt19937 random(7);
    auto anyRect = [&] {
        std::uniform_int_distribution<int32_t> at(0, Size);
        return Rect(at(random), at(random), at(random), at(random));  // often empty or inverted
    };
    auto gridOf = [](const TRegion& R) {
        Grid g{};
        for (int32_t y = 0; y < Size; ++y)
            for (int32_t x = 0; x < Size; ++x)
                g[y][x] = R.Contains(Point(x, y));
        return g;
    };
    for (int round = 0; round < 300; ++round) {
        TRegion region, other;
        std::vector<TRect> otherRects;
        Grid expected{}, second{};
        for (int step = 0; step < 12; ++step) {
            const TRect r = anyRect();
            const int kind = static_cast<int>(random() % 5);
            for (int32_t y = 0; y < Size; ++y)
                for (int32_t x = 0; x < Size; ++x) {
                    const bool in = PtInRect(r, Point(x, y));
                    bool& pixel = expected[y][x];
                    pixel = kind == 0 || kind == 3 ? pixel || in
                            : kind == 1            ? pixel && !in
                            : kind == 2            ? pixel && in
                                                   : pixel;
                    if (kind == 4) second[y][x] = second[y][x] || in;
                }
            if (kind == 0 || kind == 3) region.Union(r);
            if (kind == 1) region.Subtract(r);
            if (kind == 2) region.Intersect(r);
            if (kind == 4) other.Union(r), otherRects.push_back(r);
        }
        EXPECT_EQ(ListOf(TRegion::OfRects(otherRects)), ListOf(other)) << "round " << round;
        ASSERT_EQ(gridOf(region), expected) << "round " << round;
        int64_t area = 0;
        for (const auto& row : expected)
            for (bool pixel : row)
                area += pixel;
        EXPECT_EQ(region.Area(), area) << "rectangles overlap in round " << round;
        for (const TRect& r : region.Rects())
            EXPECT_TRUE(region.Covers(r) && !IsRectEmpty(r));
        // Bands top to bottom, apart or touching; within one, rectangles left to right, apart.
        const std::vector<TRect> rects = ListOf(region);
        for (size_t i = 1; i < rects.size(); ++i) {
            const TRect &a = rects[i - 1], &b = rects[i];
            const bool sameBand = a.Top == b.Top && a.Bottom == b.Bottom;
            EXPECT_TRUE(sameBand ? a.Right < b.Left : a.Bottom <= b.Top) << "round " << round;
        }
        TRegion both = region, without = region;
        both.Intersect(other);
        without.Subtract(other);
        for (int32_t y = 0; y < Size; ++y)
            for (int32_t x = 0; x < Size; ++x) {
                ASSERT_EQ(both.Contains(Point(x, y)), expected[y][x] && second[y][x]);
                ASSERT_EQ(without.Contains(Point(x, y)), expected[y][x] && !second[y][x]);
            }
        TRegion united = without;
        united.Union(both);
        EXPECT_TRUE(united.SameArea(region));
        EXPECT_EQ(ListOf(united), ListOf(region)) << "the same pixels make one list";
        bool otherInside = true;
        for (int32_t y = 0; y < Size; ++y)
            for (int32_t x = 0; x < Size; ++x)
                otherInside = otherInside && (!second[y][x] || expected[y][x]);
        EXPECT_TRUE(region.Covers(both) && region.Covers(TRegion()));
        EXPECT_EQ(region.Covers(other), otherInside) << "round " << round;
    }
}

// A region of two rectangles met with one rectangle that holds it, lies inside it or overlaps
// it, each way round.
TEST(Region, OneRectangleMetWithARegionGivesThePixelsOfBoth) {
    const TRegion two = [] {
        TRegion r(Rect(0, 0, 10, 10));
        r.Union(Rect(20, 20, 30, 30));
        return r;
    }();
    const TRect around = Rect(-1, -1, 31, 31), inside = Rect(2, 2, 8, 8),
                across = Rect(5, 5, 25, 25);
    struct Case {
        TRect R;
        int64_t United, Without, Common;
        bool Covered, CoversRegion;
    };
    const Case cases[] = {
        {around, 32 * 32, 0, 200, false, true},
        {inside, 200, 200 - 36, 36, true, false},
        {across, 200 + 400 - 25 - 25, 200 - 50, 50, false, false},
        {Rect(40, 0, 50, 10), 300, 200, 0, false, false},
        {Rect(5, 5, 5, 25), 200, 200, 0, true, false},  // empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.R));
        TRegion united = two, without = two, common = two;
        united.Union(c.R);
        without.Subtract(c.R);
        common.Intersect(c.R);
        EXPECT_EQ(united.Area(), c.United);
        EXPECT_EQ(without.Area(), c.Without);
        EXPECT_EQ(common.Area(), c.Common);
        EXPECT_EQ(two.Covers(c.R), c.Covered);
        EXPECT_EQ(TRegion(c.R).Covers(two), c.CoversRegion);
        // The same answers by way of a region of the one rectangle.
        TRegion unitedByRegion = two, commonByRegion = two;
        unitedByRegion.Union(TRegion(c.R));
        commonByRegion.Intersect(TRegion(c.R));
        EXPECT_EQ(ListOf(unitedByRegion), ListOf(united));
        EXPECT_EQ(ListOf(commonByRegion), ListOf(common));
        EXPECT_EQ(two.Covers(TRegion(c.R)), c.Covered);
    }
}

// Each row: steps from an empty region and the rectangles they leave. Most regions are one
// rectangle and some are several, so each is copied and moved onto both kinds, and every copy
// keeps its own rectangles.
TEST(Region, KeepsItsRectanglesAsItGrowsShrinksIsCopiedAndMoved) {
    const TRegion one(Rect(100, 100, 110, 110));
    const TRegion several = TRegion::OfRects(std::array{one.Bounds(), Rect(120, 100, 130, 110)});
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/region_steps.txt")) {
        SCOPED_TRACE(c.Where);
        TRegion region;
        size_t at = 0;
        for (; c[at] != "="; at += c[at] == "offset" ? 3 : 5) {
            if (c[at] == "offset")
                region.Offset(static_cast<int32_t>(c.Int(at + 1)),
                              static_cast<int32_t>(c.Int(at + 2)));
            else if (c[at] == "union")
                region.Union(RectOf(c, at + 1));
            else if (c[at] == "subtract")
                region.Subtract(RectOf(c, at + 1));
            else
                region.Intersect(RectOf(c, at + 1));
        }
        std::vector<TRect> expected;
        int64_t area = 0;
        for (++at; at < c.size(); at += 4) {
            expected.push_back(RectOf(c, at));
            area += (int64_t{expected.back().Right} - expected.back().Left) *
                    (int64_t{expected.back().Bottom} - expected.back().Top);
        }
        ASSERT_EQ(ListOf(region), expected);
        EXPECT_EQ(region.Empty(), expected.empty());
        EXPECT_EQ(region.Area(), area);

        TRegion copied(region), movedFrom(region), ontoOne = one, ontoSeveral = several,
                                                   movedOntoOne = one, movedOntoSeveral = several;
        const TRegion moved(std::move(movedFrom));
        ontoOne = region;
        ontoSeveral = region;
        movedOntoOne = TRegion(region);
        movedOntoSeveral = TRegion(region);
        for (const TRegion* r : std::initializer_list<const TRegion*>{
                 &copied, &moved, &ontoOne, &ontoSeveral, &movedOntoOne, &movedOntoSeveral})
            EXPECT_EQ(ListOf(*r), expected);
        copied.Union(Rect(-50, -50, -40, -40));
        ontoOne.Clear();
        ontoSeveral.Offset(1, 1);
        EXPECT_EQ(ListOf(region), expected) << "a copy shares nothing with its original";
        region = several;
        EXPECT_EQ(ListOf(moved), expected);

        // Met with itself, or with one of its own rectangles held by reference while it
        // changes, a region gives what it gives with a copy.
        const auto selfMet = [&](auto Operation) {
            TRegion self = moved, other = moved;
            Operation(self, self);
            Operation(other, TRegion(moved));
            EXPECT_EQ(ListOf(self), ListOf(other));
        };
        selfMet([](TRegion& R, const TRegion& O) { R.Union(O); });
        selfMet([](TRegion& R, const TRegion& O) { R.Intersect(O); });
        selfMet([](TRegion& R, const TRegion& O) { R.Subtract(O); });
        selfMet([](TRegion& R, const TRegion& O) {
            if (!O.Empty()) R.Union(O.Rects().back());
        });
        selfMet([](TRegion& R, const TRegion& O) {
            if (!O.Empty()) R.Intersect(O.Rects().back());
        });
        selfMet([](TRegion& R, const TRegion& O) {
            if (!O.Empty()) R.Subtract(O.Rects().front());
        });
    }
}

TEST(Region, NeighboursBecomeOneRectangleSoInvalidatingARowStaysCheap) {
    TRegion row;
    for (int32_t x = 0; x < 1000; ++x)
        row.Union(Rect(x * 10, 0, x * 10 + 10, 20));
    EXPECT_EQ(ListOf(row), (std::vector<TRect>{Rect(0, 0, 10000, 20)}));
    row.Union(Rect(5, 5, 15, 15));  // already covered: nothing changes
    EXPECT_EQ(row.Rects().size(), 1u);
}

TEST(Region, OffsetStaysInRangeAndDropsWhatIsSqueezedFlat) {
    TRegion region(Rect(0, 0, 10, 10));
    region.Union(Rect(INT32_MAX - 5, 0, INT32_MAX, 10));
    region.Offset(10, 0);
    EXPECT_EQ(region.Bounds(), Rect(10, 0, 20, 10));
    EXPECT_EQ(region.Area(), 100);

    // Two bands that differ only beyond the end of the range become one once pressed there.
    TRegion steps(Rect(0, 0, 5, 2));
    steps.Union(Rect(0, 2, 6, 4));
    steps.Offset(INT32_MAX - 4, 0);
    EXPECT_EQ(ListOf(steps), (std::vector<TRect>{Rect(INT32_MAX - 4, 0, INT32_MAX, 4)}));

    // One rectangle alone the same: narrowed at the end of the range, gone once pressed flat.
    TRegion one(Rect(INT32_MAX - 10, 0, INT32_MAX - 2, 10));
    one.Offset(5, 0);
    EXPECT_EQ(ListOf(one), (std::vector<TRect>{Rect(INT32_MAX - 5, 0, INT32_MAX, 10)}));
    one.Offset(10, 0);
    EXPECT_TRUE(one.Empty());
    EXPECT_EQ(one.Bounds(), TRect());

    // A region as wide as the whole range moves without its width overflowing on the way.
    TRegion everything(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    everything.Offset(1, -1);
    EXPECT_EQ(ListOf(everything),
              (std::vector<TRect>{Rect(INT32_MIN + 1, INT32_MIN, INT32_MAX, INT32_MAX - 1)}));
}

TEST(Region, ManyWindowsUniteAtOnceAsOneByOne) {
    std::vector<TRect> grid;
    TRegion oneByOne;
    for (int32_t row = 0; row < 25; ++row)
        for (int32_t column = row % 2; column < 40; column += 2) {
            grid.push_back(Rect(column * 25 + 1, row * 30 + 1, column * 25 + 24, row * 30 + 29));
            oneByOne.Union(grid.back());
        }
    EXPECT_EQ(ListOf(TRegion::OfRects(grid)), ListOf(oneByOne));
    TRegion form(Rect(0, 0, 1000, 750));
    form.Subtract(TRegion::OfRects(grid));
    EXPECT_EQ(form.Area(), 1000 * 750 - int64_t{500} * 23 * 28);
    EXPECT_TRUE(TRegion::OfRects({}).Empty());
}

// Empty, inverted and range-end rectangles among others unite at once as they do one by one.
TEST(Region, HostileRectanglesUniteAtOnceAsOneByOne) {
    const std::vector<std::vector<TRect>> sets = {
        {Rect(5, 5, 5, 9), Rect(9, 9, 1, 1), Rect(0, 3, 4, 2)},
        {Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), Rect(0, 0, 10, 10)},
        {Rect(INT32_MAX - 1, 0, INT32_MAX, INT32_MAX), Rect(INT32_MIN, INT32_MIN, INT32_MIN + 1, 0),
         Rect(INT32_MIN, -1, INT32_MAX, 0)},
        {Rect(0, 0, 10, 10), Rect(0, 0, 10, 10), Rect(10, 0, 20, 10), Rect(0, 10, 20, 20)},
        {Rect(0, 0, 4, 100), Rect(8, 50, 12, 60), Rect(2, 40, 10, 70), Rect(20, 0, 30, 1)},
    };
    for (const std::vector<TRect>& rects : sets) {
        SCOPED_TRACE(testing::PrintToString(rects));
        TRegion oneByOne;
        for (const TRect& r : rects)
            oneByOne.Union(r);
        EXPECT_EQ(ListOf(TRegion::OfRects(rects)), ListOf(oneByOne));
    }
}

// Thousands of tall rectangles that all overlap leave one span in each of their bands: their
// union takes a moment, not a time that grows with the square of their number.
TEST(Region, ManyOverlappingTallRectanglesUniteQuickly) {
    constexpr int32_t Count = 20000;
    std::vector<TRect> tall;
    for (int32_t i = 0; i < Count; ++i)
        tall.push_back(Rect(i, i, i + 100000, i + 100000));
    const auto start = std::chrono::steady_clock::now();
    const TRegion united = TRegion::OfRects(tall);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(united.Rects().size(), size_t{2 * Count - 1});
    EXPECT_EQ(united.Bounds(), Rect(0, 0, Count - 1 + 100000, Count - 1 + 100000));
    EXPECT_LT(took, std::chrono::seconds(2));
}

}  // namespace
}  // namespace vex
