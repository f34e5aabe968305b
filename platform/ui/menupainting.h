#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/geometry.h"

namespace vex {

class TCanvas;
class TMenu;
class TMenuItem;

// Where the items of one open level of a menu go: the visible sub-items of a parent item, top
// to bottom in columns (a break starts a new one), inside a raised frame.
struct TMenuPlace {
    TMenuItem* Item;
    TRect Bounds;  // in the menu window's client coordinates
};

struct TMenuLayout {
    std::vector<TMenuPlace> Places;
    std::vector<int32_t> BarBreaks;  // x of the line a bar break draws between two columns
    int32_t Width = 0;
    int32_t Height = 0;
    // From an item's left edge to the shortcut texts of its column.
    std::vector<int32_t> ShortCutOffsets;  // one per place
    // The menu of the items as it was laid out: an owner-draw handler may free or add items,
    // and then no place may be read any more.
    const TMenu* Menu = nullptr;
    std::weak_ptr<const void> MenuLife;
    uint64_t StructureVersion = 0;
};

// The tree of the laid out items changed, or its menu went: the places may point at freed items.
bool IsStale(const TMenuLayout& Layout);

// Lays out Parent's visible sub-items in the canvas's font (the menu font), asking the
// owner-drawn ones for their size; items that would make the menu taller than MaxHeight go on
// in another column. A measuring handler that changes the tree leaves the layout empty.
TMenuLayout LayOutMenu(TCanvas& Canvas, const TMenuItem& Parent, int32_t MaxHeight = INT32_MAX);

// Paints the frame and every item of Layout; Selected is an index into Places, -1 for none.
// Stops at the first item once a drawing handler has made the layout stale.
void PaintMenu(TCanvas& Canvas, const TMenuLayout& Layout, int32_t Selected);

// Paints one item in Bounds: its owner drawing when it has one, else the classic look (a line,
// or the check, the caption with its accelerator, the shortcut at ShortCutOffset and the arrow
// of a sub-menu; disabled items embossed, the selected one highlighted).
void PaintMenuItem(TCanvas& Canvas, TMenuItem& Item, const TRect& Bounds, bool Selected,
                   int32_t ShortCutOffset);

// The canvas's font in bold for the default item, not bold for the others.
void SelectItemFont(TCanvas& Canvas, const TMenuItem& Item);

// The caption alone, as a menu bar shows its titles: highlighted, or plain.
void PaintMenuCaption(TCanvas& Canvas, const TMenuItem& Item, const TRect& Bounds, bool Selected);

}  // namespace vex
