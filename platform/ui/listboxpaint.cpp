// How a list box draws its rows: each in the colours of its state, the caret's with a focus
// frame while the list has the focus, owner-drawn rows through OnDrawItem.

#include <algorithm>

#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/listbox.h"

namespace vex {

void TCustomListBox::PaintWindow(HDC DC) {
    const TControlWatch watch(*this);
    FCanvas.SetHandle(DC);
    DrawItems(DC);
    if (!watch.Expired()) FCanvas.SetHandle(nullptr);
}

void TCustomListBox::DrawItems(HDC DC) {
    const TControlWatch watch(*this);
    const TRect client = ClientRect();
    int32_t y = 0;
    for (int32_t i = FTopIndex; i < FContent.Count() && y < client.Bottom; ++i) {
        const int32_t h = RowHeight(i);
        DrawRow(i, Rect(0, y, client.Right, y + h));
        if (watch.Expired()) return;
        y += h;
    }
    if (y < client.Bottom) {
        FCanvas.Brush().SetColor(Color());
        FCanvas.FillRect(Rect(0, y, client.Right, client.Bottom));
    }
    // An empty list shows where its first row would take the focus.
    if (FContent.Count() == 0 && Focused()) {
        const TRect first = Rect(0, 0, client.Right, ItemHeight());
        DrawFocusRect(DC, first);
    }
}

void TCustomListBox::DrawRow(int32_t Index, const TRect& Rect) {
    TOwnerDrawState state;
    const bool selected = IsMulti() ? FContent.Selected(Index) : FContent.Current() == Index;
    if (selected) state.Include(odSelected);
    if (!Enabled()) {
        state.Include(odDisabled);
        state.Include(odGrayed);
    }
    const int32_t caret = FContent.Caret() != TListBoxContent::NoItem ? FContent.Caret() : 0;
    if (caret == Index && Focused()) state.Include(odFocused);
    FCanvas.Font().Assign(&Font());
    FCanvas.Brush().SetColor(selected ? clHighlight : Color());
    if (selected)
        FCanvas.Font().SetColor(clHighlightText);
    else if (!Enabled())
        FCanvas.Font().SetColor(clGrayText);
    const TControlWatch watch(*this);
    DrawItem(Index, Rect, state);
    if (!watch.Expired() && state.Contains(odFocused)) DrawFocusRect(FCanvas.Handle(), Rect);
}

void TCustomListBox::DrawItem(int32_t Index, TRect Rect, TOwnerDrawState State) {
    if (FStyle != lbStandard && OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas.FillRect(Rect);
    const std::string& text = FContent.Text(Index);
    if ((ListStyle() & LBS_USETABSTOPS) != 0 && text.find('\t') != std::string::npos)
        DrawTabbedText(Rect, text);
    else
        FCanvas.TextRect(Rect, Rect.Left + 2, Rect.Top, text);
}

void TCustomListBox::DrawTabbedText(const TRect& Rect, const std::string& Text) {
    // Stops count from the row's left edge, as the text's margin does not. The row is filled
    // already, in the colour of its state: each part puts only its glyphs, in the row's text
    // colour.
    const TBrushStyle fill = FCanvas.Brush().Style();
    FCanvas.Brush().SetStyle(bsClear);
    int32_t x = 0;
    size_t from = 0;
    for (;;) {
        const size_t tab = Text.find('\t', from);
        const std::string part = Text.substr(from, tab == std::string::npos ? tab : tab - from);
        FCanvas.TextRect(Rect, Rect.Left + 2 + x, Rect.Top, part);
        if (tab == std::string::npos) break;
        x = NextTabStop(x + FCanvas.TextWidth(part));
        // What lies past the row's end is out of sight.
        if (x >= Rect.Right - Rect.Left) break;
        from = tab + 1;
    }
    FCanvas.Brush().SetStyle(fill);
}

}  // namespace vex
