#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace vex {

struct TPointF {
    double X, Y;
};

// Calls Span(Y, Left, Right) for every run of the rows First to End - 1 that lies inside the
// polygon by the even-odd rule, taken on the row's centre line Y + 0.5: Left and Right are a pair
// of the polygon's crossings of that line, paired from the left. The edges wait in a table
// sorted by their first row and are crossed only while active, so the cost grows with the
// vertices and the crossings, not with rows times vertices.
void ScanPolygon(const std::vector<TPointF>& Points, int64_t First, int64_t End,
                 const std::function<void(int64_t Y, double Left, double Right)>& Span);

}  // namespace vex
