#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/geometry.h"

namespace vex {

class TCanvas;
class TMenuItem;

// The titles of a main menu side by side in one row, each its caption with room on both sides;
// invisible titles take no room (their rectangles are empty).
struct TMenuBarLayout {
    std::vector<TRect> Titles;  // one per item of the root, relative to the bar's top-left
    int32_t Height = 0;
};

// The height of a bar: the system's menu height, or more for a larger menu font.
int32_t MenuBarHeight(TCanvas& Canvas);
TMenuBarLayout LayOutMenuBar(TCanvas& Canvas, const TMenuItem& Root);
// Paints the bar into Bar (canvas coordinates), the title Highlight (-1: none) selected.
void PaintMenuBar(TCanvas& Canvas, const TMenuItem& Root, const TMenuBarLayout& Layout,
                  const TRect& Bar, int32_t Highlight);
// The title at a point relative to the bar's top-left; -1 for none.
int32_t MenuBarTitleAt(const TMenuBarLayout& Layout, TPoint At);

}  // namespace vex
