#include "platform/gfx/polygonfill.h"

#include <algorithm>
#include <cmath>

namespace vex {

namespace {

struct TEdge {
    TPointF A, B;  // in the polygon's order, which the crossing's rounding depends on
    int64_t FirstRow, EndRow;
};

// The first row from First to End whose centre line lies at or below Y, found with the same
// double arithmetic as the crossing test so that no row is gained or lost at the ends.
int64_t RowFrom(double Y, int64_t First, int64_t End) {
    const double guess = std::ceil(Y - 0.5);
    int64_t row = First;
    if (guess >= static_cast<double>(End))
        row = End;
    else if (guess > static_cast<double>(First))
        row = static_cast<int64_t>(guess);
    while (row > First && static_cast<double>(row - 1) + 0.5 >= Y)
        --row;
    while (row < End && static_cast<double>(row) + 0.5 < Y)
        ++row;
    return row;
}

}  // namespace

void ScanPolygon(const std::vector<TPointF>& Points, int64_t First, int64_t End,
                 const std::function<void(int64_t Y, double Left, double Right)>& Span) {
    std::vector<TEdge> edges;
    for (size_t i = 0; i < Points.size(); ++i) {
        const TPointF& a = Points[i];
        const TPointF& b = Points[(i + 1) % Points.size()];
        const double top = std::min(a.Y, b.Y), bottom = std::max(a.Y, b.Y);
        if (!(top < bottom)) continue;  // a horizontal edge crosses no centre line
        const int64_t firstRow = RowFrom(top, First, End), endRow = RowFrom(bottom, First, End);
        if (firstRow < endRow) edges.push_back({a, b, firstRow, endRow});
    }
    std::sort(edges.begin(), edges.end(),
              [](const TEdge& L, const TEdge& R) { return L.FirstRow < R.FirstRow; });

    std::vector<const TEdge*> active;
    std::vector<double> crossings;
    size_t next = 0;
    for (int64_t y = edges.empty() ? End : edges.front().FirstRow; y < End; ++y) {
        while (next < edges.size() && edges[next].FirstRow <= y)
            active.push_back(&edges[next++]);
        std::erase_if(active, [y](const TEdge* E) { return E->EndRow <= y; });
        if (active.empty()) {
            if (next == edges.size()) break;
            y = edges[next].FirstRow - 1;  // skip the rows no edge crosses
            continue;
        }
        const double yc = static_cast<double>(y) + 0.5;
        crossings.clear();
        for (const TEdge* e : active)
            crossings.push_back(e->A.X + (yc - e->A.Y) * (e->B.X - e->A.X) / (e->B.Y - e->A.Y));
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            Span(y, crossings[i], crossings[i + 1]);
    }
}

}  // namespace vex
