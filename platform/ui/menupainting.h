#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/geometry.h"

namespace vex {

class TCanvas;
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
};

// Lays out Parent's visible sub-items in the canvas's font (the menu font), asking the
// owner-drawn ones for their size.
TMenuLayout LayOutMenu(TCanvas& Canvas, const TMenuItem& Parent);

// Paints the frame and every item of Layout; Selected is an index into Places, -1 for none.
void PaintMenu(TCanvas& Canvas, const TMenuLayout& Layout, int32_t Selected);

// Paints one item in Bounds: its owner drawing when it has one, else the classic look (a line,
// or the check, the caption with its accelerator, the shortcut at ShortCutOffset and the arrow
// of a sub-menu; disabled items embossed, the selected one highlighted).
void PaintMenuItem(TCanvas& Canvas, TMenuItem& Item, const TRect& Bounds, bool Selected,
                   int32_t ShortCutOffset);

// The caption alone, as a menu bar shows its titles: highlighted, or plain.
void PaintMenuCaption(TCanvas& Canvas, const TMenuItem& Item, const TRect& Bounds, bool Selected);

}  // namespace vex
