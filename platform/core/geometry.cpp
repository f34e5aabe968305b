#include "platform/core/geometry.h"

#include <algorithm>

namespace vex {

bool UnionRect(TRect& Dest, const TRect& A, const TRect& B) {
    if (IsRectEmpty(A))
        Dest = IsRectEmpty(B) ? TRect{} : B;
    else if (IsRectEmpty(B))
        Dest = A;
    else
        Dest = TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                     std::max(A.Bottom, B.Bottom)};
    return !IsRectEmpty(Dest);
}

void InflateRect(TRect& R, int32_t DX, int32_t DY) {
    R = TRect{SaturateToInt32(int64_t{R.Left} - DX), SaturateToInt32(int64_t{R.Top} - DY),
              SaturateToInt32(int64_t{R.Right} + DX), SaturateToInt32(int64_t{R.Bottom} + DY)};
}

}  // namespace vex
