#include "platform/ui/menuwindow.h"

#include <algorithm>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/menus.h"
#include "platform/ui/screen.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"

namespace vex {

TMenuWindow::TMenuWindow(TMenuItem& ParentItem) : TCustomControl(nullptr), FParentItem(ParentItem) {
    Font().Assign(&Screen().MenuFont());
    SetColor(clMenu);
}

void TMenuWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = 0;
}

void TMenuWindow::WndProc(TMessage& Message) {
    // A click on a menu leaves the window that had the keys active.
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TMenuWindow::SetSelected(int32_t Value) {
    if (Value < -1 || Value >= static_cast<int32_t>(FLayout.Places.size())) Value = -1;
    if (FSelected == Value) return;
    FSelected = Value;
    Invalidate();
    // The status line of the application shows what the selected item does.
    ApplicationEvents().SetHint(Value >= 0 ? ItemAt(Value).Hint() : std::string());
}

int32_t TMenuWindow::PlaceAt(TPoint Screen) const {
    const TPoint client{Screen.X - Left(), Screen.Y - Top()};
    for (size_t i = 0; i < FLayout.Places.size(); ++i)
        if (PtInRect(FLayout.Places[i].Bounds, client)) return static_cast<int32_t>(i);
    return -1;
}

int32_t TMenuWindow::PlaceOf(const TMenuItem* Item) const {
    for (size_t i = 0; i < FLayout.Places.size(); ++i)
        if (FLayout.Places[i].Item == Item) return static_cast<int32_t>(i);
    return -1;
}

int32_t TMenuWindow::NextSelectable(int32_t Step) const {
    const auto count = static_cast<int32_t>(FLayout.Places.size());
    int32_t at = FSelected;
    if (at < 0) at = Step > 0 ? -1 : count;
    for (int32_t tried = 0; tried < count; ++tried) {
        at = ((at + Step) % count + count) % count;
        if (IsSelectable(ItemAt(at))) return at;
    }
    return -1;
}

void TMenuWindow::Popup(TPoint At, const TRect& Flip, bool Cascade) {
    TBitmap scratch;
    TCanvas canvas(scratch);
    canvas.Font().Assign(&Font());
    const TRect screen = Screen().WorkAreaRect();
    FLayout = LayOutMenu(canvas, FParentItem, screen.Bottom - screen.Top);
    FSelected = -1;
    const int32_t width = FLayout.Width;
    const int32_t height = FLayout.Height;
    // In 64 bits: a point far off the screen must not overflow on its way back.
    int64_t x = At.X;
    int64_t y = At.Y;
    if (x + width > screen.Right) x = Cascade ? int64_t{Flip.Left} - width : screen.Right - width;
    if (y + height > screen.Bottom)
        y = Cascade ? screen.Bottom - height : int64_t{Flip.Top} - height;
    // Flipped over a point beyond the screen's edge, the menu may still hang over it.
    x = std::max<int64_t>(std::min<int64_t>(x, screen.Right - width), screen.Left);
    y = std::max<int64_t>(std::min<int64_t>(y, screen.Bottom - height), screen.Top);
    SetBounds(static_cast<int32_t>(x), static_cast<int32_t>(y), width, height);
    SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), width, height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

TRect TMenuWindow::ScreenBoundsOf(int32_t Place) const {
    TRect r = FLayout.Places.at(static_cast<size_t>(Place)).Bounds;
    OffsetRect(r, Left(), Top());
    return r;
}

void TMenuWindow::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    PaintMenu(canvas, FLayout, FSelected);
}

}  // namespace vex
