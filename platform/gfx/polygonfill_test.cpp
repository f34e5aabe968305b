#include "platform/gfx/polygonfill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <tuple>
#include <vector>

namespace vex {
namespace {

using TSpans = std::vector<std::tuple<int64_t, double, double>>;

// The fill as it was first written: every edge tested on every row. The table of active edges
// must give the very same spans, so that no drawing changes by a pixel.
TSpans EveryEdgeOnEveryRow(const std::vector<TPointF>& Points, int64_t First, int64_t End) {
    TSpans spans;
    std::vector<double> crossings;
    for (int64_t y = First; y < End; ++y) {
        const double yc = static_cast<double>(y) + 0.5;
        crossings.clear();
        for (size_t i = 0; i < Points.size(); ++i) {
            const TPointF& a = Points[i];
            const TPointF& b = Points[(i + 1) % Points.size()];
            if ((a.Y <= yc && yc < b.Y) || (b.Y <= yc && yc < a.Y))
                crossings.push_back(a.X + (yc - a.Y) * (b.X - a.X) / (b.Y - a.Y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            spans.emplace_back(y, crossings[i], crossings[i + 1]);
    }
    return spans;
}

TSpans Scanned(const std::vector<TPointF>& Points, int64_t First, int64_t End) {
    TSpans spans;
    ScanPolygon(Points, First, End,
                [&](int64_t Y, double L, double R) { spans.emplace_back(Y, L, R); });
    return spans;
}

TEST(ScanPolygon, GivesTheSpansOfTestingEveryEdgeOnEveryRow) {
    std::mt19937 random(14);
    const auto coordinate = [&](int Kind) {
        switch (Kind) {
            case 0:  // whole pixels, so vertices and horizontal edges meet row lines
                return static_cast<double>(random() % 40);
            case 1:  // exactly on centre lines
                return static_cast<double>(random() % 40) + 0.5;
            case 2:  // anywhere, some far outside the rows
                return std::uniform_real_distribution<double>(-20, 60)(random);
            default:
                return static_cast<double>(random() % 2 ? INT_MAX : INT_MIN);
        }
    };
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        // From triangles to tangles of crossing edges; every fourth round mixes the kinds.
        std::vector<TPointF> points(3 + random() % 30);
        for (TPointF& p : points) {
            const int kind = round % 4 == 3 ? static_cast<int>(random() % 4) : round % 3;
            p = {coordinate(kind), coordinate(kind)};
        }
        const int64_t first = static_cast<int64_t>(random() % 10) - 5;
        EXPECT_EQ(Scanned(points, first, first + 40),
                  EveryEdgeOnEveryRow(points, first, first + 40));
    }
}

}  // namespace
}  // namespace vex
