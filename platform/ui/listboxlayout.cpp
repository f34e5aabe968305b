// Where the rows of a list box lie: their heights, the top row, the scroll bar.

#include <algorithm>

#include "platform/ui/listbox.h"
#include "platform/win/scrollbars.h"
#include "platform/win/updateregion.h"

namespace vex {

int32_t TCustomListBox::StandardHeight() {
    if (FStandardHeight == 0) {
        FCanvas.Font().Assign(&Font());
        FStandardHeight = std::max(1, FCanvas.TextHeight("Wg"));
    }
    return FStandardHeight;
}

int32_t TCustomListBox::RowHeight(int32_t Index) {
    return IsVariable() ? std::max(1, FContent.Height(Index)) : ItemHeight();
}

void TCustomListBox::MeasureNew(int32_t Index) {
    if (!IsVariable()) return;
    int32_t height = FItemHeight;
    MeasureItem(Index, height);
    FContent.SetHeight(Index, std::clamp(height, 1, MaxItemHeight));
}

void TCustomListBox::MeasureItem(int32_t Index, int32_t& Height) {
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

int32_t TCustomListBox::VisibleRows() {
    const int32_t client = ClientHeight();
    if (!IsVariable()) return std::max(1, client / ItemHeight());
    int32_t rows = 0;
    for (int32_t i = FTopIndex, y = 0; i < FContent.Count(); ++i) {
        y += RowHeight(i);
        if (y > client) break;
        ++rows;
    }
    return std::max(1, rows);
}

int32_t TCustomListBox::MaxTopIndex() {
    const int32_t count = FContent.Count();
    if (!IsVariable()) return std::max(0, count - VisibleRows());
    // The lowest top that still fills the window down to the last item.
    int32_t top = count, used = 0;
    while (top > 0 && used + RowHeight(top - 1) <= ClientHeight())
        used += RowHeight(--top);
    return std::min(top, std::max(0, count - 1));
}

void TCustomListBox::ScrollTo(int32_t Top) {
    Top = std::clamp(Top, 0, MaxTopIndex());
    if (Top == FTopIndex) return;
    FTopIndex = Top;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::MakeVisible(int32_t Index) {
    if (!FContent.Valid(Index)) return;
    if (Index < FTopIndex) {
        ScrollTo(Index);
        return;
    }
    if (!IsVariable()) {
        const int32_t rows = VisibleRows();
        if (Index >= FTopIndex + rows) ScrollTo(Index - rows + 1);
        return;
    }
    int32_t top = Index, used = RowHeight(Index);
    while (top > 0 && used + RowHeight(top - 1) <= ClientHeight())
        used += RowHeight(--top);
    if (top > FTopIndex) ScrollTo(top);
}

void TCustomListBox::UpdateScrollBar() {
    if (!HandleAllocated() || !FRedraw) return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (ListStyle() & LBS_DISABLENOSCROLL) info.fMask |= SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, FContent.Count() - 1);
    info.nPage = static_cast<UINT>(std::min(VisibleRows(), FContent.Count()));
    info.nPos = FTopIndex;
    SetScrollInfo(Handle(), SB_VERT, info, true);
}

TRect TCustomListBox::ItemRect(int32_t Index) {
    const int32_t width = ClientWidth();
    if (!IsVariable()) {
        const int64_t h = ItemHeight();
        const int64_t top = (int64_t{Index} - FTopIndex) * h;
        return Rect(0, SaturateToInt32(top), width, SaturateToInt32(top + h));
    }
    int64_t y = 0;
    if (Index >= FTopIndex)
        for (int32_t i = FTopIndex; i < Index; ++i)
            y += RowHeight(i);
    else
        for (int32_t i = Index; i < FTopIndex; ++i)
            y -= RowHeight(i);
    const int32_t h = FContent.Valid(Index) ? RowHeight(Index) : FItemHeight;
    return Rect(0, SaturateToInt32(y), width, SaturateToInt32(y + h));
}

int32_t TCustomListBox::ItemFromPoint(TPoint Pos, bool& Outside) {
    const int32_t count = FContent.Count();
    Outside = !PtInRect(ClientRect(), Pos);
    if (count == 0) {
        Outside = true;
        return 0;
    }
    int32_t index = 0;
    if (!IsVariable()) {
        const int32_t h = ItemHeight();
        const int32_t row = Pos.Y >= 0 ? Pos.Y / h : (Pos.Y - h + 1) / h;
        index = FTopIndex + row;
    } else if (Pos.Y < 0) {
        index = FTopIndex - 1;
    } else {
        index = FTopIndex;
        for (int32_t y = RowHeight(index); y <= Pos.Y && index < count; y += RowHeight(index))
            if (++index >= count) break;
    }
    if (index >= count) Outside = true;
    return std::clamp(index, 0, count - 1);
}

int32_t TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
    bool outside = false;
    const int32_t index = ItemFromPoint(Pos, outside);
    if (!outside) return index;
    if (Existing || !PtInRect(ClientRect(), Pos)) return -1;
    return FContent.Count();
}

void TCustomListBox::InvalidateItem(int32_t Index) {
    if (!HandleAllocated() || !FRedraw || !FContent.Valid(Index)) return;
    const TRect r = ItemRect(Index);
    if (r.Bottom <= 0 || r.Top >= ClientHeight()) return;
    InvalidateRect(Handle(), &r, false);
}

void TCustomListBox::ContentChanged(int32_t FromIndex) {
    if (!FRedraw) return;
    const int32_t top = std::clamp(FTopIndex, 0, MaxTopIndex());
    const bool moved = top != FTopIndex;
    FTopIndex = top;
    UpdateScrollBar();
    // Only rows from FromIndex on change; those above the window stay as they were.
    if (moved || FromIndex < FTopIndex + VisibleRows() + 1) Invalidate();
}

void TCustomListBox::WMSize(TMessage& Message) {
    TWinControl::WMSize(Message);
    ContentChanged(0);
}

int32_t TCustomListBox::NextTabStop(int32_t X) {
    if (FAverageCharWidth == 0) {
        FCanvas.Font().Assign(&Font());
        const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        FAverageCharWidth = std::max(1, (FCanvas.TextWidth(letters) + 26) / 52);
    }
    // Dialog units are a quarter of the average character width.
    auto pixels = [&](int32_t Units) {
        return static_cast<int32_t>(
            std::clamp<int64_t>(int64_t{Units} * FAverageCharWidth / 4, INT32_MIN, INT32_MAX));
    };
    if (FTabStops.size() > 1) {
        for (int32_t stop : FTabStops)
            if (pixels(stop) > X) return pixels(stop);
        return X + FCanvas.TextWidth(" ");
    }
    const int32_t every = std::max(1, pixels(FTabStops.empty() ? 32 : FTabStops[0]));
    return (X / every + 1) * every;
}

}  // namespace vex
