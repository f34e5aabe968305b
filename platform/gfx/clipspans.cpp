#include "platform/gfx/clipspans.h"

#include <algorithm>

namespace vex {

TClipSpans::TClipSpans(const TRect& R) {
    if (!IsRectEmpty(R)) FBounds = R;
}

TClipSpans::TClipSpans(const TRegion& Region) {
    std::vector<TRect> rects = Region.Rects();
    if (rects.size() <= 1) {
        if (!rects.empty()) FBounds = rects.front();
        return;
    }
    // A sweep from the top: every top and bottom starts a band, and the rectangles under way at
    // its first row cover all of it, because no rectangle starts or ends inside.
    std::sort(rects.begin(), rects.end(),
              [](const TRect& A, const TRect& B) { return A.Top < B.Top; });
    std::vector<int32_t> rows;
    for (const TRect& r : rects) {
        rows.push_back(r.Top);
        rows.push_back(r.Bottom);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    std::vector<const TRect*> active;
    std::vector<TRun> runs;
    size_t next = 0;
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        const int32_t top = rows[i];
        std::erase_if(active, [top](const TRect* R) { return R->Bottom <= top; });
        for (; next < rects.size() && rects[next].Top <= top; ++next)
            active.push_back(&rects[next]);
        runs.clear();
        for (const TRect* r : active)
            runs.push_back({r->Left, r->Right});
        std::sort(runs.begin(), runs.end(),
                  [](const TRun& A, const TRun& B) { return A.Left < B.Left; });
        // Neighbours that touch make one run.
        size_t kept = 0;
        for (const TRun& run : runs)
            if (kept > 0 && run.Left <= runs[kept - 1].Right)
                runs[kept - 1].Right = std::max(runs[kept - 1].Right, run.Right);
            else
                runs[kept++] = run;
        runs.resize(kept);
        if (!runs.empty()) AddBand(top, rows[i + 1], runs);
    }
    Finish();
}

TClipSpans TClipSpans::Intersected(const TRect& R) const {
    TClipSpans result;
    if (IsRect()) {
        IntersectRect(result.FBounds, FBounds, R);
        return result;
    }
    std::vector<TRun> runs;
    for (const TBand& band : FBands) {
        const int32_t top = std::max(band.Top, R.Top);
        const int32_t bottom = std::min(band.Bottom, R.Bottom);
        if (top >= bottom) continue;
        runs.clear();
        for (uint32_t i = band.First; i < band.End; ++i) {
            const int32_t left = std::max(FRuns[i].Left, R.Left);
            const int32_t right = std::min(FRuns[i].Right, R.Right);
            if (left < right) runs.push_back({left, right});
        }
        if (!runs.empty()) result.AddBand(top, bottom, runs);
    }
    result.Finish();
    return result;
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

const TClipSpans::TBand* TClipSpans::BandAt(int64_t Y) const {
    const auto it = std::upper_bound(FBands.begin(), FBands.end(), Y,
                                     [](int64_t Row, const TBand& B) { return Row < B.Bottom; });
    return it != FBands.end() && it->Top <= Y ? &*it : nullptr;
}

bool TClipSpans::RunsContain(int64_t X, int64_t Y) const {
    const TBand* band = BandAt(Y);
    if (!band) return false;
    const auto first = FRuns.begin() + band->First, end = FRuns.begin() + band->End;
    const auto it = std::upper_bound(
        first, end, X, [](int64_t Column, const TRun& R) { return Column < R.Right; });
    return it != end && it->Left <= X;
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
