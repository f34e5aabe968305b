// Where the grid's cells lie on screen: the fixed cells from the client's top left, then the
// scrolling ones from TopRow and LeftCol, each followed by its grid line.

#include <algorithm>
#include <iterator>

#include "platform/ui/grid.h"

namespace vex {

void TGridAxis::SetCount(int32_t Value) {
    FCount = Value;
    FSizes.erase(FSizes.lower_bound(Value), FSizes.end());
}

void TGridAxis::SetDefaultSize(int32_t Value) {
    FDefaultSize = Value;
    FSizes.clear();
}

int32_t TGridAxis::Size(int32_t Index) const {
    const auto it = FSizes.find(Index);
    return it == FSizes.end() ? FDefaultSize : it->second;
}

void TGridAxis::SetSize(int32_t Index, int32_t Value) {
    if (Value == FDefaultSize)
        FSizes.erase(Index);
    else
        FSizes[Index] = Value;
}

void TGridAxis::Move(int32_t FromIndex, int32_t ToIndex) {
    if (FromIndex == ToIndex) return;
    const int32_t moving = Size(FromIndex);
    const int32_t low = std::min(FromIndex, ToIndex);
    const int32_t high = std::max(FromIndex, ToIndex);
    const int32_t shift = FromIndex < ToIndex ? -1 : 1;
    std::map<int32_t, int32_t> shifted;
    for (auto it = FSizes.lower_bound(low); it != FSizes.end() && it->first <= high;) {
        if (it->first != FromIndex) shifted[it->first + shift] = it->second;
        it = FSizes.erase(it);
    }
    FSizes.merge(shifted);
    SetSize(ToIndex, moving);
}

TCustomGrid::TAxisDraw TCustomGrid::AxisDraw(bool Horizontal) {
    const TGridAxis& axis = Axis(Horizontal);
    TAxisDraw d;
    d.LineWidth = FOptions.Contains(Horizontal ? goVertLine : goHorzLine) ? FGridLineWidth : 0;
    d.FixedCount = Horizontal ? FFixedCols : FFixedRows;
    d.FirstCell = Horizontal ? FTopLeft.X : FTopLeft.Y;
    d.Count = axis.Count();
    const TRect client = GridClient();
    d.GridExtent = Horizontal ? client.Right : client.Bottom;
    int64_t pos = 0;
    for (int32_t i = 0; i < d.FixedCount; ++i)
        pos += int64_t{axis.Size(i)} + d.LineWidth;
    d.FixedBoundary = static_cast<int32_t>(std::min<int64_t>(pos, INT32_MAX));
    d.GridBoundary = d.FixedBoundary;
    d.LastFullVisible = d.FirstCell;
    for (int32_t i = d.FirstCell; i < d.Count; ++i) {
        pos += int64_t{axis.Size(i)} + d.LineWidth;
        // A cell counts as shown whole when only its line falls outside.
        if (pos > int64_t{d.GridExtent} + d.LineWidth) {
            d.GridBoundary = d.GridExtent;
            break;
        }
        d.LastFullVisible = i;
        d.GridBoundary = static_cast<int32_t>(pos);
    }
    d.GridBoundary = std::min(d.GridBoundary, d.GridExtent);
    return d;
}

bool TCustomGrid::CellSpan(bool Horizontal, int32_t Index, int32_t& Start, int32_t& End) {
    const TGridAxis& axis = Axis(Horizontal);
    const TAxisDraw d = AxisDraw(Horizontal);
    if (Index < 0 || Index >= d.Count) return false;
    int64_t pos = 0;
    if (Index < d.FixedCount) {
        for (int32_t i = 0; i < Index; ++i)
            pos += int64_t{axis.Size(i)} + d.LineWidth;
    } else {
        if (Index < d.FirstCell) return false;
        pos = d.FixedBoundary;
        for (int32_t i = d.FirstCell; i < Index && pos < d.GridExtent; ++i)
            pos += int64_t{axis.Size(i)} + d.LineWidth;
    }
    if (pos >= d.GridExtent) return false;
    Start = static_cast<int32_t>(pos);
    End = static_cast<int32_t>(std::min<int64_t>(pos + axis.Size(Index), INT32_MAX));
    return true;
}

int32_t TCustomGrid::CellAt(bool Horizontal, int32_t Pos) {
    const TGridAxis& axis = Axis(Horizontal);
    const TAxisDraw d = AxisDraw(Horizontal);
    if (Pos < 0 || Pos >= d.GridBoundary) return -1;
    int64_t pos = 0;
    for (int32_t i = 0; i < d.FixedCount; ++i) {
        pos += int64_t{axis.Size(i)} + d.LineWidth;
        if (Pos < pos) return i;
    }
    for (int32_t i = d.FirstCell; i < d.Count; ++i) {
        pos += int64_t{axis.Size(i)} + d.LineWidth;
        if (Pos < pos) return i;
    }
    return -1;
}

int32_t TCustomGrid::MaxFirst(bool Horizontal) {
    const TGridAxis& axis = Axis(Horizontal);
    const TAxisDraw d = AxisDraw(Horizontal);
    if (d.Count <= d.FixedCount) return d.FixedCount;
    const int64_t room = int64_t{d.GridExtent} - d.FixedBoundary + d.LineWidth;
    int32_t first = d.Count - 1;
    int64_t used = int64_t{axis.Size(first)} + d.LineWidth;
    while (first > d.FixedCount) {
        const int64_t next = used + axis.Size(first - 1) + d.LineWidth;
        if (next > room) break;
        used = next;
        --first;
    }
    return first;
}

int32_t TCustomGrid::VisibleColCount() {
    const TAxisDraw d = AxisDraw(true);
    if (d.Count <= d.FixedCount) return 0;
    return std::max(1, d.LastFullVisible - d.FirstCell + 1);
}

int32_t TCustomGrid::VisibleRowCount() {
    const TAxisDraw d = AxisDraw(false);
    if (d.Count <= d.FixedCount) return 0;
    return std::max(1, d.LastFullVisible - d.FirstCell + 1);
}

TRect TCustomGrid::BoxRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) {
    // The span of the shown cells from Low to High along one axis; false when none shows.
    auto span = [this](bool Horizontal, int32_t Low, int32_t High, int32_t& Start, int32_t& End) {
        const TAxisDraw d = AxisDraw(Horizontal);
        if (d.Count == 0) return false;
        Low = std::clamp(Low, 0, d.Count - 1);
        High = std::clamp(High, 0, d.Count - 1);
        if (Low > High) std::swap(Low, High);
        // Cells scrolled out of sight lie between the fixed ones and the first shown.
        int32_t first = Low < d.FixedCount ? Low : std::max(Low, d.FirstCell);
        int32_t last = High;
        if (High >= d.FixedCount && High < d.FirstCell) last = d.FixedCount - 1;
        last = std::min(last, std::max(d.FixedCount - 1, d.LastFullVisible + 1));
        last = std::min(last, d.Count - 1);
        int32_t s = 0, e = 0;
        if (first > last || !CellSpan(Horizontal, first, s, e)) return false;
        Start = s;
        while (last > first && !CellSpan(Horizontal, last, s, e))
            --last;
        End = std::min(e, d.GridExtent);
        return true;
    };
    TRect r{0, 0, 0, 0};
    if (!span(true, ALeft, ARight, r.Left, r.Right) || !span(false, ATop, ABottom, r.Top, r.Bottom))
        return TRect{0, 0, 0, 0};
    return r;
}

TRect TCustomGrid::CellRect(int32_t ACol, int32_t ARow) {
    CheckIndex(FCols, ACol);
    CheckIndex(FRows, ARow);
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    if (!CellSpan(true, ACol, left, right) || !CellSpan(false, ARow, top, bottom))
        return TRect{0, 0, 0, 0};
    return Rect(left, top, right, bottom);
}

TGridCoord TCustomGrid::MouseCoord(int32_t X, int32_t Y) {
    return {CellAt(true, X), CellAt(false, Y)};
}

void TCustomGrid::MouseToCell(int32_t X, int32_t Y, int32_t& ACol, int32_t& ARow) {
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

void TCustomGrid::CalcSizingState(int32_t X, int32_t Y, TGridState& State, int32_t& Index,
                                  int32_t& SizingPos, int32_t& SizingOfs) {
    State = gsNormal;
    Index = -1;
    // The border is easy to hit: a few pixels either side of the line count.
    constexpr int32_t kGrip = 3;
    auto test = [&](bool Horizontal, int32_t Pos, TGridState Sizing) {
        const TAxisDraw d = AxisDraw(Horizontal);
        const TGridAxis& axis = Axis(Horizontal);
        int64_t pos = 0;
        auto hit = [&](int32_t I) {
            pos += axis.Size(I);
            if (pos > d.GridBoundary) return false;
            if (Pos >= pos - kGrip && Pos < pos + d.LineWidth + kGrip) {
                State = Sizing;
                Index = I;
                SizingPos = static_cast<int32_t>(pos);
                SizingOfs = SizingPos - Pos;
                return true;
            }
            pos += d.LineWidth;
            return false;
        };
        for (int32_t i = 0; i < d.FixedCount; ++i)
            if (hit(i)) return true;
        for (int32_t i = d.FirstCell; i < d.Count && pos <= d.GridBoundary; ++i)
            if (hit(i)) return true;
        return false;
    };
    if (FOptions.Contains(goColSizing) && Y >= 0 && Y < AxisDraw(false).FixedBoundary &&
        test(true, X, gsColSizing))
        return;
    if (FOptions.Contains(goRowSizing) && X >= 0 && X < AxisDraw(true).FixedBoundary)
        test(false, Y, gsRowSizing);
}

}  // namespace vex
