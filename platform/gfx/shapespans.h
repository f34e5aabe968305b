#pragma once

#include <cstdint>

namespace vex {

// The pixel rows of a rectangle with elliptic corners (an ellipse when the corners are as large
// as the box, a plain rectangle when they are empty), and of the same shape shrunk by a pen's
// width. Coordinates are 64-bit so that any 32-bit box, however far outside the bitmap, is
// exact.
class TShapeSpans {
public:
    // Box [Left, Right) x [Top, Bottom), already ordered; corner ellipse CornerW x CornerH.
    TShapeSpans(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom, int64_t CornerW,
                int64_t CornerH);

    struct TSpan {
        int64_t Lo = 0;  // first pixel
        int64_t Hi = 0;  // one past the last; Lo >= Hi is an empty row
    };

    TSpan Row(int64_t Y) const;
    // The pixels whose horizontal and vertical neighbours up to Inset away all lie inside the
    // shape: what is left once a pen Inset pixels wide has drawn the outline. With Inset 1 the
    // outline is a thin, 8-connected curve.
    TSpan InnerRow(int64_t Y, int64_t Inset) const;

    int64_t Top() const { return FTop; }
    int64_t Bottom() const { return FBottom; }

private:
    int64_t FLeft, FTop, FRight, FBottom, FCornerW, FCornerH;
};

}  // namespace vex
