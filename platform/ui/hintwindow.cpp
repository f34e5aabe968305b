#include "platform/ui/hintwindow.h"

#include <algorithm>

#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/ui/screen.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

constexpr uint32_t kHintText = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

}  // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clInfoBk);
    Font().Assign(&Screen().HintFont());
    Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WndParent = 0;
}

TRect THintWindow::CalcHintRect(int32_t MaxWidth, const std::string& Hint) {
    TRect text = Rect(0, 0, MaxWidth, 0);
    Canvas().Font().Assign(&Font());
    DrawText(Canvas().Handle(), Hint, text, kHintText | DT_CALCRECT);
    // The frame takes a pixel on each side, the margin the rest.
    const int32_t extra = 2 * (kMargin + 1);
    return Rect(0, 0, text.Right + extra + 2, text.Bottom + extra);
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& Hint) {
    // Kept on the screen: a hint near its right or bottom edge moves in.
    const int32_t width = Rect.Right - Rect.Left;
    const int32_t height = Rect.Bottom - Rect.Top;
    const int32_t left = std::max(std::min(Rect.Left, Screen().Width() - width), 0);
    const int32_t top = std::max(std::min(Rect.Top, Screen().Height() - height), 0);
    SetCaption(Hint);
    SetBounds(left, top, width, height);
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ReleaseHint() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

bool THintWindow::HintShowing() {
    return HandleAllocated() && IsWindowVisible(Handle());
}

void THintWindow::Paint() {
    TCanvas& canvas = Canvas();
    TRect text = ClientRect();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(text);
    text.Left += kMargin + 1;
    text.Top += kMargin;
    text.Right -= kMargin;
    canvas.Font().Assign(&Font());
    SetBkMode(canvas.Handle(), TRANSPARENT);
    DrawText(canvas.Handle(), Caption(), text, kHintText);
}

}  // namespace vex
