#include "platform/ui/menubar.h"

#include <algorithm>

#include "platform/gfx/canvas.h"
#include "platform/gfx/dcstate.h"
#include "platform/ui/menupainting.h"
#include "platform/ui/menus.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

constexpr int32_t kTitlePadding = 6;

}  // namespace

int32_t MenuBarHeight(TCanvas& Canvas) {
    return std::max(GetSystemMetrics(SM_CYMENU), Canvas.TextHeight("Wg") + 4);
}

TMenuBarLayout LayOutMenuBar(TCanvas& Canvas, const TMenuItem& Root, int32_t Width) {
    TMenuBarLayout layout;
    const int32_t row = MenuBarHeight(Canvas);
    int32_t x = 0;
    int32_t y = 0;
    const TFontStyles plain = Canvas.Font().Style();
    for (int32_t i = 0; i < Root.Count(); ++i) {
        const TMenuItem& title = *Root.Items(i);
        if (!title.Visible()) {
            layout.Titles.push_back(TRect{});
            continue;
        }
        SelectItemFont(Canvas, title);
        const int32_t width = Canvas.TextWidth(StripHotkey(title.Caption())) + 2 * kTitlePadding;
        // A title that does not fit starts the next row, unless it is the first of its own.
        if (x > 0 && (x + width > Width || title.Break() != mbNone)) {
            x = 0;
            y += row;
        }
        layout.Titles.push_back(Rect(x, y, x + width, y + row));
        x += width;
    }
    Canvas.Font().SetStyle(plain);
    layout.Height = y + row;
    return layout;
}

void PaintMenuBar(TCanvas& Canvas, const TMenuItem& Root, const TMenuBarLayout& Layout,
                  const TRect& Bar, int32_t Highlight) {
    const TSavedDC saved(Canvas.Handle());
    Canvas.IntersectClipRect(Bar);
    Canvas.Brush().SetColor(clMenu);
    Canvas.FillRect(Bar);
    for (size_t i = 0; i < Layout.Titles.size() && static_cast<int32_t>(i) < Root.Count(); ++i) {
        TRect title = Layout.Titles[i];
        if (IsRectEmpty(title)) continue;
        OffsetRect(title, Bar.Left, Bar.Top);
        PaintMenuCaption(Canvas, *Root.Items(static_cast<int32_t>(i)), title,
                         static_cast<int32_t>(i) == Highlight);
    }
}

int32_t MenuBarTitleAt(const TMenuBarLayout& Layout, TPoint At) {
    for (size_t i = 0; i < Layout.Titles.size(); ++i)
        if (PtInRect(Layout.Titles[i], At)) return static_cast<int32_t>(i);
    return -1;
}

}  // namespace vex
