#include "platform/gfx/clipspans.h"

#include <algorithm>

namespace vex {

TClipSpans::TClipSpans(const TRect& R) {
    if (!IsRectEmpty(R)) FBounds = R;
}

TClipSpans::TClipSpans(const TRegion& Region) {
    // A region already lies in bands of rectangles sharing top and bottom, left to right and
    // apart, with no two touching bands alike: each band becomes one band of runs as it is.
    const std::span<const TRect> rects = Region.Rects();
    if (rects.size() <= 1) {
        if (!rects.empty()) FBounds = rects.front();
        return;
    }
    FRuns.reserve(rects.size());
    for (const TRect& r : rects) {
        if (FBands.empty() || FBands.back().Top != r.Top) {
            const auto first = static_cast<uint32_t>(FRuns.size());
            FBands.push_back({r.Top, r.Bottom, first, first});
        }
        FRuns.push_back({r.Left, r.Right});
        FBands.back().End = static_cast<uint32_t>(FRuns.size());
    }
    Finish();
}

TClipSpans TClipSpans::Intersected(const TRect& R) const {
    TClipSpans result;
    if (IsRect()) {
        IntersectRect(result.FBounds, FBounds, R);
        return result;
    }
    if (IsRectEmpty(R)) return result;
    const auto first = FirstBandReaching(R.Top);
    // Something drawn inside a window or control mostly lies wholly within what may be drawn:
    // then R is the answer, and no band is built.
    if (Covers(first, R)) {
        result.FBounds = R;
        return result;
    }
    std::vector<TRun> runs;
    for (auto band = first; band != FBands.end() && band->Top < R.Bottom; ++band) {
        const int32_t top = std::max(band->Top, R.Top);
        const int32_t bottom = std::min(band->Bottom, R.Bottom);
        runs.clear();
        for (uint32_t i = FirstRunReaching(*band, R.Left); i < band->End; ++i) {
            if (FRuns[i].Left >= R.Right) break;
            runs.push_back({std::max(FRuns[i].Left, R.Left), std::min(FRuns[i].Right, R.Right)});
        }
        if (!runs.empty()) result.AddBand(top, bottom, runs);
    }
    result.Finish();
    return result;
}

uint32_t TClipSpans::FirstRunReaching(const TBand& Band, int32_t X) const {
    const auto first = FRuns.begin() + Band.First, end = FRuns.begin() + Band.End;
    const auto it = std::upper_bound(
        first, end, X, [](int32_t Column, const TRun& Run) { return Column < Run.Right; });
    return static_cast<uint32_t>(it - FRuns.begin());
}

bool TClipSpans::Covers(std::vector<TBand>::const_iterator Band, const TRect& R) const {
    if (Band == FBands.end() || Band->Top > R.Top) return false;
    for (int32_t row = R.Top; row < R.Bottom; row = Band->Bottom, ++Band) {
        if (Band == FBands.end() || Band->Top > row) return false;
        const uint32_t run = FirstRunReaching(*Band, R.Left);
        if (run == Band->End || FRuns[run].Left > R.Left || FRuns[run].Right < R.Right)
            return false;
    }
    return true;
}

TClipSpans TClipSpans::Intersected(const TClipSpans& Other) const {
    if (Other.IsRect()) return Intersected(Other.FBounds);
    if (IsRect()) return Other.Intersected(FBounds);
    // Both sets of bands top to bottom at once; where two overlap, the runs both have.
    TClipSpans result;
    std::vector<TRun> runs;
    auto a = FBands.begin();
    auto b = Other.FBands.begin();
    while (a != FBands.end() && b != Other.FBands.end()) {
        const int32_t top = std::max(a->Top, b->Top);
        const int32_t bottom = std::min(a->Bottom, b->Bottom);
        if (top < bottom) {
            runs.clear();
            uint32_t i = a->First, j = b->First;
            while (i < a->End && j < b->End) {
                const TRun& x = FRuns[i];
                const TRun& y = Other.FRuns[j];
                const int32_t left = std::max(x.Left, y.Left);
                const int32_t right = std::min(x.Right, y.Right);
                if (left < right) runs.push_back({left, right});
                if (x.Right < y.Right)
                    ++i;
                else
                    ++j;
            }
            if (!runs.empty()) result.AddBand(top, bottom, runs);
        }
        if (a->Bottom < b->Bottom)
            ++a;
        else
            ++b;
    }
    result.Finish();
    return result;
}

std::vector<TClipSpans::TBand>::const_iterator TClipSpans::FirstBandReaching(int64_t Y) const {
    return std::upper_bound(FBands.begin(), FBands.end(), Y,
                            [](int64_t Row, const TBand& B) { return Row < B.Bottom; });
}

const TClipSpans::TBand* TClipSpans::BandAt(int64_t Y) const {
    const auto it = FirstBandReaching(Y);
    return it != FBands.end() && it->Top <= Y ? &*it : nullptr;
}

bool TClipSpans::RunsContain(int64_t X, int64_t Y) const {
    // Contains has checked X against the bounds, so it is a column of the 32-bit range.
    const TBand* band = BandAt(Y);
    if (!band) return false;
    const uint32_t run = FirstRunReaching(*band, static_cast<int32_t>(X));
    return run != band->End && FRuns[run].Left <= X;
}

void TClipSpans::AddBand(int32_t Top, int32_t Bottom, const std::vector<TRun>& Runs) {
    if (!FBands.empty()) {
        TBand& last = FBands.back();
        if (last.Bottom == Top && std::equal(FRuns.begin() + last.First, FRuns.begin() + last.End,
                                             Runs.begin(), Runs.end())) {
            last.Bottom = Bottom;
            return;
        }
    }
    const auto first = static_cast<uint32_t>(FRuns.size());
    FRuns.insert(FRuns.end(), Runs.begin(), Runs.end());
    FBands.push_back({Top, Bottom, first, static_cast<uint32_t>(FRuns.size())});
}

void TClipSpans::Finish() {
    if (FBands.empty()) {
        FBounds = TRect{};
        return;
    }
    FBounds = Rect(FRuns[FBands.front().First].Left, FBands.front().Top,
                   FRuns[FBands.front().End - 1].Right, FBands.back().Bottom);
    for (const TBand& band : FBands) {
        FBounds.Left = std::min(FBounds.Left, FRuns[band.First].Left);
        FBounds.Right = std::max(FBounds.Right, FRuns[band.End - 1].Right);
    }
    if (FBands.size() == 1 && FRuns.size() == 1) {
        FBands.clear();
        FRuns.clear();
    }
}

}  // namespace vex
