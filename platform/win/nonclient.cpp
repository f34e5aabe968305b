#include "platform/win/nonclient.h"

#include <algorithm>

#include "platform/win/systemmetrics.h"
#include "platform/win/windowstyles.h"

namespace vex {

TRect NonClientMargins(DWORD Style, DWORD ExStyle) {
    int32_t x = 0;
    int32_t y = 0;
    if (Style & WS_THICKFRAME) {
        x = GetSystemMetrics(SM_CXFRAME);
        y = GetSystemMetrics(SM_CYFRAME);
    } else if ((Style & WS_DLGFRAME) || (ExStyle & WS_EX_DLGMODALFRAME)) {
        x = GetSystemMetrics(SM_CXDLGFRAME);
        y = GetSystemMetrics(SM_CYDLGFRAME);
    } else if (Style & WS_BORDER) {
        x = GetSystemMetrics(SM_CXBORDER);
        y = GetSystemMetrics(SM_CYBORDER);
    }
    TRect margins{x, y, x, y};
    if ((Style & WS_CAPTION) == WS_CAPTION) margins.Top += GetSystemMetrics(SM_CYCAPTION);
    if (ExStyle & WS_EX_CLIENTEDGE) {
        const int32_t edgeX = GetSystemMetrics(SM_CXEDGE);
        const int32_t edgeY = GetSystemMetrics(SM_CYEDGE);
        margins = TRect{margins.Left + edgeX, margins.Top + edgeY, margins.Right + edgeX,
                        margins.Bottom + edgeY};
    }
    if (Style & WS_VSCROLL) margins.Right += GetSystemMetrics(SM_CXVSCROLL);
    if (Style & WS_HSCROLL) margins.Bottom += GetSystemMetrics(SM_CYHSCROLL);
    return margins;
}

bool AdjustWindowRectEx(TRect& Rect, DWORD Style, bool Menu, DWORD ExStyle) {
    TRect margins = NonClientMargins(Style, ExStyle);
    if (Menu) margins.Top += GetSystemMetrics(SM_CYMENU);
    Rect = TRect{SaturateToInt32(int64_t{Rect.Left} - margins.Left),
                 SaturateToInt32(int64_t{Rect.Top} - margins.Top),
                 SaturateToInt32(int64_t{Rect.Right} + margins.Right),
                 SaturateToInt32(int64_t{Rect.Bottom} + margins.Bottom)};
    return true;
}

TRect ClientInside(const TRect& Rect, DWORD Style, DWORD ExStyle) {
    const TRect m = NonClientMargins(Style, ExStyle);
    TRect client{SaturateToInt32(int64_t{Rect.Left} + m.Left),
                 SaturateToInt32(int64_t{Rect.Top} + m.Top),
                 SaturateToInt32(int64_t{Rect.Right} - m.Right),
                 SaturateToInt32(int64_t{Rect.Bottom} - m.Bottom)};
    // A frame larger than the window leaves an empty client area at the frame's inner corner,
    // inside the window.
    client.Left = std::min(client.Left, Rect.Right);
    client.Top = std::min(client.Top, Rect.Bottom);
    client.Right = std::max(client.Right, client.Left);
    client.Bottom = std::max(client.Bottom, client.Top);
    return client;
}

}  // namespace vex
