#include "platform/gfx/shapespans.h"

#include <algorithm>
#include <cmath>

namespace vex {

namespace {

// How many pixels row R of a W x H ellipse leaves out at each side. The row is measured at its
// edge nearest the centre, so the middle rows span the box; every row keeps at least its middle
// pixel(s), so the ellipse touches all four sides of its box.
int64_t EllipseInset(int64_t W, int64_t H, int64_t R) {
    const double a = W / 2.0;
    const double b = H / 2.0;
    const double dy = std::max(0.0, std::abs(R + 0.5 - b) - 0.5) / b;
    const double half = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    const double inset = std::ceil(a - half - 0.5 - 1e-9);
    return std::clamp<int64_t>(static_cast<int64_t>(inset), 0, (W - 1) / 2);
}

}  // namespace

TShapeSpans::TShapeSpans(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom, int64_t CornerW,
                         int64_t CornerH)
    : FLeft(Left),
      FTop(Top),
      FRight(Right),
      FBottom(Bottom),
      FCornerW(std::clamp<int64_t>(CornerW, 0, Right - Left)),
      FCornerH(std::clamp<int64_t>(CornerH, 0, Bottom - Top)) {
    if (FCornerW == 0 || FCornerH == 0) FCornerW = FCornerH = 0;
}

TShapeSpans::TSpan TShapeSpans::Row(int64_t Y) const {
    if (Y < FTop || Y >= FBottom) return {};
    const int64_t r = Y - FTop;
    const int64_t fromBottom = FBottom - 1 - Y;
    const int64_t half = FCornerH / 2;
    int64_t inset = 0;
    if (r < half)
        inset = EllipseInset(FCornerW, FCornerH, r);
    else if (fromBottom < FCornerH - half)
        inset = EllipseInset(FCornerW, FCornerH, FCornerH - 1 - fromBottom);
    return {FLeft + inset, FRight - inset};
}

TShapeSpans::TSpan TShapeSpans::InnerRow(int64_t Y, int64_t Inset) const {
    const int64_t k = Inset;
    if (Y - k < FTop || Y + k >= FBottom) return {};
    // The shape is convex, so a vertical arm lies inside when both its ends do.
    const TSpan row = Row(Y);
    const TSpan above = Row(Y - k);
    const TSpan below = Row(Y + k);
    return {std::max({row.Lo + k, above.Lo, below.Lo}), std::min({row.Hi - k, above.Hi, below.Hi})};
}

}  // namespace vex
