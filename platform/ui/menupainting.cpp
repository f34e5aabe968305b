#include "platform/ui/menupainting.h"

#include <algorithm>
#include <string>

#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/menus.h"

namespace vex {

namespace {

constexpr int32_t kFrame = 3;         // the raised edge and a line of menu colour inside it
constexpr int32_t kCheckColumn = 18;  // left of the caption: the check mark
constexpr int32_t kArrowColumn = 18;  // right of the caption and shortcut: a sub-menu's arrow
constexpr int32_t kShortCutGap = 12;
constexpr int32_t kColumnGap = 6;
constexpr int32_t kLineHeight = 8;
constexpr int32_t kMaxItemSize = 4096;
constexpr uint32_t kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP;

int32_t ItemHeight(TCanvas& Canvas) {
    return Canvas.TextHeight("Wg") + 6;
}

// Text in the item's state: embossed when disabled and not selected, as the classic look has it.
void DrawItemText(TCanvas& Canvas, const TMenuItem& Item, const std::string& Text, TRect Bounds,
                  bool Selected, uint32_t Format) {
    SetBkMode(Canvas.Handle(), TRANSPARENT);
    if (!Item.Enabled() && !Selected) {
        TRect shadow = Bounds;
        OffsetRect(shadow, 1, 1);
        Canvas.SetTextColor(clBtnHighlight);
        DrawText(Canvas.Handle(), Text, shadow, Format);
        Canvas.SetTextColor(clBtnShadow);
    } else if (!Item.Enabled()) {
        Canvas.SetTextColor(clGrayText);
    } else {
        Canvas.SetTextColor(Selected ? clHighlightText : clMenuText);
    }
    DrawText(Canvas.Handle(), Text, Bounds, Format);
}

TColor MarkColor(const TMenuItem& Item, bool Selected) {
    if (!Item.Enabled()) return clGrayText;
    return Selected ? clHighlightText : clMenuText;
}

void DrawCheck(TCanvas& Canvas, const TMenuItem& Item, const TRect& Bounds, bool Selected) {
    const TColor color = MarkColor(Item, Selected);
    const int32_t cx = Bounds.Left + kCheckColumn / 2;
    const int32_t cy = (Bounds.Top + Bounds.Bottom) / 2;
    Canvas.Pen().SetColor(color);
    Canvas.Brush().SetColor(color);
    if (Item.RadioItem()) {
        Canvas.Ellipse(cx - 3, cy - 3, cx + 3, cy + 3);
        return;
    }
    // A tick three pixels thick: down to the right, then up.
    for (int32_t d = 0; d < 3; ++d) {
        Canvas.MoveTo(cx - 4, cy - 2 + d);
        Canvas.LineTo(cx - 2, cy + d);
        Canvas.LineTo(cx + 3, cy - 5 + d);
    }
}

void DrawArrow(TCanvas& Canvas, const TMenuItem& Item, const TRect& Bounds, bool Selected) {
    const TColor color = MarkColor(Item, Selected);
    const int32_t x = Bounds.Right - kArrowColumn / 2 - 2;
    const int32_t cy = (Bounds.Top + Bounds.Bottom) / 2;
    Canvas.Pen().SetColor(color);
    Canvas.Brush().SetColor(color);
    Canvas.Polygon({Point(x, cy - 4), Point(x + 4, cy), Point(x, cy + 4)});
}

}  // namespace

void SelectItemFont(TCanvas& Canvas, const TMenuItem& Item) {
    TFontStyles style = Canvas.Font().Style();
    if (Item.Default())
        style.Include(fsBold);
    else
        style.Exclude(fsBold);
    Canvas.Font().SetStyle(style);
}

bool IsStale(const TMenuLayout& Layout) {
    return Layout.Menu != nullptr && (Layout.MenuLife.expired() ||
                                      Layout.Menu->StructureVersion() != Layout.StructureVersion);
}

TMenuLayout LayOutMenu(TCanvas& Canvas, const TMenuItem& Parent, int32_t MaxHeight) {
    TMenuLayout layout;
    if (const TMenu* menu = Parent.GetParentMenu()) {
        layout.Menu = menu;
        layout.MenuLife = menu->LifeToken();
        layout.StructureVersion = menu->StructureVersion();
    }
    const TFontStyles plain = Canvas.Font().Style();
    struct TColumn {
        size_t First;
        int32_t Text = 0;
        int32_t ShortCut = 0;
        int32_t Owned = 0;  // the widest owner-drawn item
        int32_t Height = 0;
    };
    std::vector<TColumn> columns;
    std::vector<TMenuBreak> breaks;
    const int32_t room = MaxHeight - 2 * kFrame;
    for (int32_t i = 0; i < Parent.Count(); ++i) {
        TMenuItem* item = Parent.Items(i);
        if (!item->Visible()) continue;
        SelectItemFont(Canvas, *item);
        int32_t width = Canvas.TextWidth(StripHotkey(item->Caption()));
        int32_t height = item->IsLine() ? kLineHeight : ItemHeight(Canvas);
        if (item->OnMeasureItem) {
            width += kCheckColumn + kArrowColumn;
            item->OnMeasureItem(item, &Canvas, width, height);
            // The handler may have freed the item, its siblings or the menu.
            if (IsStale(layout)) {
                Canvas.Font().SetStyle(plain);
                layout.Places.clear();
                layout.Width = layout.Height = 2 * kFrame;
                return layout;
            }
            // A size asked for beyond reason is cut to what a screen could show.
            width = std::clamp(width, 0, kMaxItemSize);
            height = std::clamp(height, 0, kMaxItemSize);
        }
        // A column taller than the room there is goes on in a new one.
        if (columns.empty() || item->Break() != mbNone ||
            (columns.back().Height > 0 && columns.back().Height + height > room)) {
            columns.push_back(TColumn{layout.Places.size()});
            breaks.push_back(item->Break());
        }
        TColumn& column = columns.back();
        const std::string shortCut = ShortCutToText(item->ShortCut());
        if (item->OnMeasureItem) {
            column.Owned = std::max(column.Owned, width);
        } else if (!item->IsLine()) {
            column.Text = std::max(column.Text, width);
            if (!shortCut.empty())
                column.ShortCut = std::max(column.ShortCut, Canvas.TextWidth(shortCut));
        }
        layout.Places.push_back({item, Rect(0, column.Height, 0, column.Height + height)});
        column.Height += height;
    }
    Canvas.Font().SetStyle(plain);

    int32_t x = kFrame;
    layout.ShortCutOffsets.resize(layout.Places.size());
    for (size_t c = 0; c < columns.size(); ++c) {
        const TColumn& column = columns[c];
        if (c > 0) {
            if (breaks[c] == mbBarBreak) layout.BarBreaks.push_back(x + kColumnGap / 2 - 1);
            x += kColumnGap;
        }
        const int32_t shortCutOffset = kCheckColumn + column.Text + kShortCutGap;
        int32_t width = kCheckColumn + column.Text + kArrowColumn;
        if (column.ShortCut > 0) width += kShortCutGap + column.ShortCut;
        width = std::max(width, column.Owned);
        const size_t end = c + 1 < columns.size() ? columns[c + 1].First : layout.Places.size();
        for (size_t p = column.First; p < end; ++p) {
            TRect& r = layout.Places[p].Bounds;
            r = Rect(x, r.Top + kFrame, x + width, r.Bottom + kFrame);
            layout.ShortCutOffsets[p] = shortCutOffset;
        }
        x += width;
        layout.Height = std::max(layout.Height, column.Height + 2 * kFrame);
    }
    layout.Width = x + kFrame;
    if (columns.empty()) layout.Height = 2 * kFrame;
    return layout;
}

void PaintMenuItem(TCanvas& Canvas, TMenuItem& Item, const TRect& Bounds, bool Selected,
                   int32_t ShortCutOffset) {
    const TSavedDC saved(Canvas.Handle());
    Canvas.Brush().SetColor(Selected && !Item.IsLine() ? clHighlight : clMenu);
    Canvas.Font().SetColor(Selected ? clHighlightText : clMenuText);
    SelectItemFont(Canvas, Item);
    if (Item.OnDrawItem) {
        Canvas.FillRect(Bounds);
        Item.OnDrawItem(&Item, &Canvas, Bounds, Selected);
        return;
    }
    Canvas.FillRect(Bounds);
    if (Item.IsLine()) {
        const int32_t middle = (Bounds.Top + Bounds.Bottom) / 2 - 1;
        TRect line = Rect(Bounds.Left + 1, middle, Bounds.Right - 1, middle + 2);
        DrawEdge(Canvas.Handle(), line, EDGE_ETCHED, BF_TOP);
        return;
    }
    if (Item.Checked()) DrawCheck(Canvas, Item, Bounds, Selected);
    TRect text = Bounds;
    text.Left += kCheckColumn;
    DrawItemText(Canvas, Item, Item.Caption(), text, Selected, kCaptionFormat);
    const std::string shortCut = ShortCutToText(Item.ShortCut());
    if (!shortCut.empty()) {
        TRect at = Bounds;
        at.Left += ShortCutOffset;
        DrawItemText(Canvas, Item, shortCut, at, Selected, kCaptionFormat | DT_NOPREFIX);
    }
    if (HasSubMenu(Item)) DrawArrow(Canvas, Item, Bounds, Selected);
}

void PaintMenuCaption(TCanvas& Canvas, const TMenuItem& Item, const TRect& Bounds, bool Selected) {
    const TSavedDC saved(Canvas.Handle());
    Canvas.Brush().SetColor(Selected ? clHighlight : clMenu);
    Canvas.FillRect(Bounds);
    SelectItemFont(Canvas, Item);
    DrawItemText(Canvas, Item, Item.Caption(), Bounds, Selected,
                 DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOCLIP);
}

void PaintMenu(TCanvas& Canvas, const TMenuLayout& Layout, int32_t Selected) {
    TRect frame = Rect(0, 0, Layout.Width, Layout.Height);
    Canvas.Brush().SetColor(clMenu);
    Canvas.FillRect(frame);
    DrawEdge(Canvas.Handle(), frame, EDGE_RAISED, BF_RECT);
    for (const int32_t x : Layout.BarBreaks) {
        TRect bar = Rect(x, kFrame, x + 2, Layout.Height - kFrame);
        DrawEdge(Canvas.Handle(), bar, EDGE_ETCHED, BF_LEFT);
    }
    for (size_t i = 0; i < Layout.Places.size() && !IsStale(Layout); ++i)
        PaintMenuItem(Canvas, *Layout.Places[i].Item, Layout.Places[i].Bounds,
                      static_cast<int32_t>(i) == Selected, Layout.ShortCutOffsets[i]);
}

}  // namespace vex
