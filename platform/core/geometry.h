#pragma once

#include <algorithm>
#include <cstdint>

namespace vex {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive: Rect(0, 0, 4, 3) covers x 0..3 and y 0..2.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
};

// A coordinate worked out in 64 bits, brought back to 32 bits: beyond the range it stays at the
// nearest end instead of wrapping to the other side.
inline constexpr int32_t SaturateToInt32(int64_t V) {
    return static_cast<int32_t>(V < INT32_MIN ? INT32_MIN : V > INT32_MAX ? INT32_MAX : V);
}

inline constexpr TPoint Point(int32_t X, int32_t Y) {
    return TPoint{X, Y};
}
inline constexpr TRect Rect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
    return TRect{Left, Top, Right, Bottom};
}

// The rectangle routines of the original, with its answers: each says whether the result holds
// any pixel, and an empty result is the empty rectangle at (0, 0).
inline bool IsRectEmpty(const TRect& R) {
    return R.Right <= R.Left || R.Bottom <= R.Top;
}
inline bool PtInRect(const TRect& R, TPoint P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
// Painting meets rectangles and moves them between window and canvas tens of thousands of
// times a frame, so these two are inline.
inline bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B) {
    const TRect common{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                       std::min(A.Bottom, B.Bottom)};
    const bool any = !IsRectEmpty(common);
    Dest = any ? common : TRect{};
    return any;
}
// Coordinates that would leave the 32-bit range stay at its end.
inline void OffsetRect(TRect& R, int32_t DX, int32_t DY) {
    R = TRect{SaturateToInt32(int64_t{R.Left} + DX), SaturateToInt32(int64_t{R.Top} + DY),
              SaturateToInt32(int64_t{R.Right} + DX), SaturateToInt32(int64_t{R.Bottom} + DY)};
}
// The smallest rectangle holding both; an empty one does not count.
bool UnionRect(TRect& Dest, const TRect& A, const TRect& B);
void InflateRect(TRect& R, int32_t DX, int32_t DY);

}  // namespace vex
