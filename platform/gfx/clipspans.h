#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/core/region.h"

namespace vex {

// Where a canvas may draw, in bitmap coordinates, arranged for the questions drawing asks row by
// row: bands of rows that share the same runs of columns, top to bottom, each band's runs left
// to right. A single rectangle, the common case, is kept as its bounds alone, so that a clip
// test costs four comparisons as it did before clips could be regions.
class TClipSpans {
public:
    // Nothing is visible.
    TClipSpans() = default;
    explicit TClipSpans(const TRect& R);
    explicit TClipSpans(const TRegion& Region);

    bool Empty() const { return IsRectEmpty(FBounds); }
    // True for a single rectangle and for the empty clip.
    bool IsRect() const { return FBands.empty(); }
    const TRect& Bounds() const { return FBounds; }

    bool Contains(int64_t X, int64_t Y) const {
        if (X < FBounds.Left || Y < FBounds.Top || X >= FBounds.Right || Y >= FBounds.Bottom)
            return false;
        return IsRect() || RunsContain(X, Y);
    }

    // What of the clip also lies inside R, or inside Other.
    TClipSpans Intersected(const TRect& R) const;
    TClipSpans Intersected(const TClipSpans& Other) const;

    // Fn(Left, Right) for each run of row Y that lies inside and within [X0, X1), left to right.
    template <typename TFn>
    void ForEachRun(int64_t Y, int64_t X0, int64_t X1, TFn&& Fn) const {
        if (Y < FBounds.Top || Y >= FBounds.Bottom) return;
        if (IsRect()) {
            X0 = std::max<int64_t>(X0, FBounds.Left);
            X1 = std::min<int64_t>(X1, FBounds.Right);
            if (X0 < X1) Fn(X0, X1);
            return;
        }
        const TBand* band = BandAt(Y);
        if (!band) return;
        for (uint32_t i = band->First; i < band->End; ++i) {
            const TRun& run = FRuns[i];
            if (run.Left >= X1) break;
            const int64_t from = std::max<int64_t>(X0, run.Left);
            const int64_t to = std::min<int64_t>(X1, run.Right);
            if (from < to) Fn(from, to);
        }
    }

    // Fn(Y, Left, Right) for each run of the clip inside [Left, Right) x [Top, Bottom): row by
    // row from the top, left to right within a row, the order pixels lie in memory.
    template <typename TFn>
    void ForEachSpan(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom, TFn&& Fn) const {
        if (IsRect()) {
            Left = std::max<int64_t>(Left, FBounds.Left);
            Right = std::min<int64_t>(Right, FBounds.Right);
            if (Left >= Right) return;
            const int64_t bottom = std::min<int64_t>(Bottom, FBounds.Bottom);
            for (int64_t y = std::max<int64_t>(Top, FBounds.Top); y < bottom; ++y)
                Fn(y, Left, Right);
            return;
        }
        const auto from = static_cast<int32_t>(std::clamp<int64_t>(Left, INT32_MIN, INT32_MAX));
        for (auto band = FirstBandReaching(Top); band != FBands.end() && band->Top < Bottom;
             ++band) {
            const uint32_t first = FirstRunReaching(*band, from);
            const int64_t bottom = std::min<int64_t>(Bottom, band->Bottom);
            for (int64_t y = std::max<int64_t>(Top, band->Top); y < bottom; ++y)
                for (uint32_t i = first; i < band->End && FRuns[i].Left < Right; ++i) {
                    const int64_t left = std::max<int64_t>(Left, FRuns[i].Left);
                    const int64_t right = std::min<int64_t>(Right, FRuns[i].Right);
                    if (left < right) Fn(y, left, right);
                }
        }
    }

private:
    struct TRun {
        int32_t Left, Right;
        friend bool operator==(const TRun&, const TRun&) = default;
    };
    // Rows [Top, Bottom) whose runs are FRuns[First, End).
    struct TBand {
        int32_t Top, Bottom;
        uint32_t First, End;
    };

    // The first band that ends below row Y.
    std::vector<TBand>::const_iterator FirstBandReaching(int64_t Y) const;
    const TBand* BandAt(int64_t Y) const;
    // The first of Band's runs that ends right of column X (Band.End when none does).
    uint32_t FirstRunReaching(const TBand& Band, int32_t X) const;
    // Every row of R, from the bands at Band on, has one run that holds all of R's columns.
    bool Covers(std::vector<TBand>::const_iterator Band, const TRect& R) const;
    bool RunsContain(int64_t X, int64_t Y) const;
    // Appends the rows [Top, Bottom) with Runs (ordered, apart); a band that continues the last
    // one with the same runs lengthens it instead.
    void AddBand(int32_t Top, int32_t Bottom, const std::vector<TRun>& Runs);
    // Sets the bounds once every band is in; one band of one run becomes a plain rectangle.
    void Finish();

    TRect FBounds;
    std::vector<TBand> FBands;
    std::vector<TRun> FRuns;
};

}  // namespace vex
