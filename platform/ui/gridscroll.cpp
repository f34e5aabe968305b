// How the grid scrolls: TopRow and LeftCol, the scroll bars with thumbs as large as the share of
// the scrolling cells on screen, the pixels moved on screen so only the uncovered strip is
// painted, and the timed scroll while the button is held outside the cells.

#include <algorithm>

#include "platform/ui/grid.h"
#include "platform/win/scrollbars.h"
#include "platform/win/scrollwindow.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// The window timer of the timed scroll.
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollInterval = 60;

}  // namespace

void TCustomGrid::SetTopRow(int32_t Value) {
    CheckIndex(FRows, Value);
    MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::SetLeftCol(int32_t Value) {
    CheckIndex(FCols, Value);
    MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::MoveTopLeft(int32_t ALeft, int32_t ATop) {
    ALeft = std::clamp(ALeft, FFixedCols, std::max(FFixedCols, MaxFirst(true)));
    ATop = std::clamp(ATop, FFixedRows, std::max(FFixedRows, MaxFirst(false)));
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
    const TGridCoord old = FTopLeft;
    FTopLeft = {ALeft, ATop};
    ScrollPixels(old.X, old.Y);
    UpdateScrollPos();
    TopLeftChanged();
}

// Moves what stays on screen by the distance the first cell moved, so that painting covers
// only the cells scrolled in; a jump past the screen paints the scrolling area again.
void TCustomGrid::ScrollPixels(int32_t OldLeft, int32_t OldTop) {
    if (!HandleAllocated()) return;
    auto distance = [this](bool Horizontal, int32_t From, int32_t To) -> int64_t {
        const TAxisDraw d = AxisDraw(Horizontal);
        const TGridAxis& axis = Axis(Horizontal);
        const int32_t low = std::min(From, To), high = std::max(From, To);
        int64_t pixels = 0;
        for (int32_t i = low; i < high && pixels <= d.GridExtent; ++i)
            pixels += int64_t{axis.Size(i)} + d.LineWidth;
        return From < To ? -pixels : pixels;
    };
    const TRect client = GridClient();
    const TAxisDraw horz = AxisDraw(true);
    const TAxisDraw vert = AxisDraw(false);
    const int64_t dx = distance(true, OldLeft, FTopLeft.X);
    const int64_t dy = distance(false, OldTop, FTopLeft.Y);
    // Scrolling cells only: the fixed ones stay where they are.
    TRect area = client;
    if (dx != 0) area.Left = horz.FixedBoundary;
    if (dy != 0) area.Top = vert.FixedBoundary;
    const bool tooFar = (dx != 0 && dy != 0) || std::abs(dx) >= area.Right - area.Left ||
                        std::abs(dy) >= area.Bottom - area.Top;
    if (tooFar) {
        InvalidateRect(Handle(), &area, false);
        return;
    }
    ScrollWindowEx(Handle(), static_cast<int32_t>(dx), static_cast<int32_t>(dy), &area, &area,
                   nullptr, nullptr, SW_INVALIDATE);
}

void TCustomGrid::ScrollIntoView(TGridCoord Cell) {
    int32_t left = FTopLeft.X, top = FTopLeft.Y;
    auto fit = [this](bool Horizontal, int32_t Index, int32_t& First) {
        const int32_t fixed = Horizontal ? FFixedCols : FFixedRows;
        if (Index < fixed) return;
        if (Index < First) {
            First = Index;
            return;
        }
        const TAxisDraw d = AxisDraw(Horizontal);
        if (Index <= d.LastFullVisible) return;
        // The lowest first cell that shows Index whole (or at least first, when it is wider
        // than the screen).
        const TGridAxis& axis = Axis(Horizontal);
        const int64_t room = int64_t{d.GridExtent} - d.FixedBoundary + d.LineWidth;
        int64_t used = int64_t{axis.Size(Index)} + d.LineWidth;
        int32_t first = Index;
        while (first > fixed && used + axis.Size(first - 1) + d.LineWidth <= room)
            used += int64_t{axis.Size(--first)} + d.LineWidth;
        First = std::max(First, first);
    };
    fit(true, Cell.X, left);
    fit(false, Cell.Y, top);
    MoveTopLeft(left, top);
}

void TCustomGrid::UpdateScrollRange() {
    if (!HandleAllocated()) return;
    UpdateScrollPos();
}

// The range counts scrolling cells, the page the whole ones on screen and the position the first
// one shown, so the thumb's size tells how much of the grid is in view.
void TCustomGrid::UpdateScrollPos() {
    if (!HandleAllocated()) return;
    auto update = [this](bool Horizontal, int Bar) {
        const int32_t fixed = Horizontal ? FFixedCols : FFixedRows;
        const int32_t count = Axis(Horizontal).Count();
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = std::max(0, count - fixed - 1);
        const bool fits = MaxFirst(Horizontal) <= fixed;
        const int32_t shown = Horizontal ? VisibleColCount() : VisibleRowCount();
        info.nPage = fits ? static_cast<UINT>(info.nMax + 1) : static_cast<UINT>(shown);
        info.nPos = (Horizontal ? FTopLeft.X : FTopLeft.Y) - fixed;
        if (fits) info.nMax = 0;  // a range of one value hides the bar
        SetScrollInfo(Handle(), Bar, info, true);
    };
    // A window made again keeps the bars of the one before, also those no longer wanted.
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        update(true, SB_HORZ);
    else
        ShowScrollBar(Handle(), SB_HORZ, false);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        update(false, SB_VERT);
    else
        ShowScrollBar(Handle(), SB_VERT, false);
}

void TCustomGrid::ScrollBarMessage(bool Horizontal, WPARAM Request) {
    const int32_t fixed = Horizontal ? FFixedCols : FFixedRows;
    const int32_t first = Horizontal ? FTopLeft.X : FTopLeft.Y;
    const int32_t page = std::max(1, Horizontal ? VisibleColCount() : VisibleRowCount());
    int32_t to = first;
    switch (LOWORD(Request)) {
        case SB_LINEUP:
            to = first - 1;
            break;
        case SB_LINEDOWN:
            to = first + 1;
            break;
        case SB_PAGEUP:
            to = first - page;
            break;
        case SB_PAGEDOWN:
            to = first + page;
            break;
        case SB_TOP:
            to = fixed;
            break;
        case SB_BOTTOM:
            to = MaxFirst(Horizontal);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            to = fixed + HIWORD(Request);
            break;
        default:
            return;
    }
    if (Horizontal)
        MoveTopLeft(to, FTopLeft.Y);
    else
        MoveTopLeft(FTopLeft.X, to);
}

void TCustomGrid::TimedScroll(TGridScrollDirection Direction) {
    int32_t col = FCurrent.X, row = FCurrent.Y;
    if (Direction.Contains(sdLeft)) col = std::max(FFixedCols, FTopLeft.X - 1);
    if (Direction.Contains(sdRight)) {
        const TAxisDraw d = AxisDraw(true);
        col = std::min(ColCount() - 1, d.LastFullVisible + 1);
    }
    if (Direction.Contains(sdUp)) row = std::max(FFixedRows, FTopLeft.Y - 1);
    if (Direction.Contains(sdDown)) {
        const TAxisDraw d = AxisDraw(false);
        row = std::min(RowCount() - 1, d.LastFullVisible + 1);
    }
    if (col == FCurrent.X && row == FCurrent.Y) return;
    MoveColRow(col, row, !FOptions.Contains(goRangeSelect), true);
}

void TCustomGrid::StartTimedScroll() {
    if (FTimerRunning || !HandleAllocated()) return;
    SetTimer(Handle(), kScrollTimer, kScrollInterval);
    FTimerRunning = true;
}

void TCustomGrid::StopTimedScroll() {
    if (!FTimerRunning) return;
    FTimerRunning = false;
    if (HandleAllocated()) KillTimer(Handle(), kScrollTimer);
}

void TCustomGrid::TimerTick() {
    if (FGridState != gsSelecting) {
        StopTimedScroll();
        return;
    }
    const TAxisDraw horz = AxisDraw(true);
    const TAxisDraw vert = AxisDraw(false);
    TGridScrollDirection direction;
    if (FLastMouse.X < horz.FixedBoundary) direction.Include(sdLeft);
    if (FLastMouse.X >= horz.GridBoundary) direction.Include(sdRight);
    if (FLastMouse.Y < vert.FixedBoundary) direction.Include(sdUp);
    if (FLastMouse.Y >= vert.GridBoundary) direction.Include(sdDown);
    if (FOptions.Contains(goRowSelect)) {
        direction.Exclude(sdLeft);
        direction.Exclude(sdRight);
    }
    if (direction == TGridScrollDirection()) return;
    TimedScroll(direction);
}

}  // namespace vex
