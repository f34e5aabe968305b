#include "platform/ui/defaultpainting.h"

#include <algorithm>

#include "platform/gfx/colors.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/paint.h"
#include "platform/ui/scrollbarpainting.h"
#include "platform/win/nonclient.h"
#include "platform/win/scrollbars.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/toplevel.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

void FillWith(HDC DC, const TRect& R, TColor Color) {
    DC->Brush().SetColor(Color);
    DC->Brush().SetStyle(bsSolid);
    DC->FillRect(R);
}

// A ring of Width pixels just inside R, in one colour; R moves inside it.
void Ring(HDC DC, TRect& R, int32_t Width, TColor Color) {
    for (int32_t i = 0; i < Width; ++i) {
        DC->Brush().SetColor(Color);
        DC->FrameRect(R);
        InflateRect(R, -1, -1);
    }
}

void PaintCloseBox(HDC DC, const TRect& Caption) {
    const int32_t height = Caption.Bottom - Caption.Top - 4;
    if (height < 4) return;
    TRect box = Rect(Caption.Right - 2 - (height + 2), Caption.Top + 2, Caption.Right - 2,
                     Caption.Bottom - 2);
    DrawFrameControl(DC, box, DFC_BUTTON, DFCS_BUTTONPUSH);
    // The cross, two pixels thick, inside the button's edges.
    const int32_t size = std::min(box.Right - box.Left, box.Bottom - box.Top) - 8;
    const int32_t x = box.Left + (box.Right - box.Left - size) / 2;
    const int32_t y = box.Top + (box.Bottom - box.Top - size) / 2;
    DC->Pen().SetColor(clBtnText);
    for (int32_t dx = 0; dx < 2; ++dx) {
        DC->MoveTo(x + dx, y);
        DC->LineTo(x + dx + size, y + size);
        DC->MoveTo(x + dx + size - 1, y);
        DC->LineTo(x + dx - 1, y + size);
    }
}

void PaintCaption(HWND Wnd, HDC DC, TRect Caption, DWORD Style) {
    const bool active = GetActiveWindow() == TopLevelWindowOf(Wnd);
    // The bar, and a line of the face colour between it and the client area.
    TRect line = Caption;
    line.Top = --Caption.Bottom;
    FillWith(DC, line, clBtnFace);
    FillWith(DC, Caption, active ? clActiveCaption : clInactiveCaption);
    if ((Style & WS_SYSMENU) != 0) {
        PaintCloseBox(DC, Caption);
        Caption.Right -= Caption.Bottom - Caption.Top;
    }
    DC->Font().SetStyle({fsBold});
    DC->Font().SetColor(active ? clCaptionText : clInactiveCaptionText);
    SetBkMode(DC, TRANSPARENT);
    TRect text = Caption;
    text.Left += 3;
    DrawText(DC, GetWindowText(Wnd), text,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintScrollBars(HWND Wnd, HDC DC, const TRect& Client, DWORD Style) {
    const int32_t across = GetSystemMetrics(SM_CXVSCROLL);
    const int32_t down = GetSystemMetrics(SM_CYHSCROLL);
    TScrollBarState state;
    if ((Style & WS_VSCROLL) != 0 && GetScrollBarState(Wnd, SB_VERT, state))
        PaintScrollBar(DC, Rect(Client.Right, Client.Top, Client.Right + across, Client.Bottom),
                       true, state);
    if ((Style & WS_HSCROLL) != 0 && GetScrollBarState(Wnd, SB_HORZ, state))
        PaintScrollBar(DC, Rect(Client.Left, Client.Bottom, Client.Right, Client.Bottom + down),
                       false, state);
    if ((Style & WS_VSCROLL) != 0 && (Style & WS_HSCROLL) != 0)
        FillWith(DC, Rect(Client.Right, Client.Bottom, Client.Right + across, Client.Bottom + down),
                 clBtnFace);
}

bool EraseWithClassBackground(HWND Wnd, HDC DC) {
    WNDCLASS windowClass;
    if (DC == nullptr || !GetClassInfo(GetClassName(Wnd), windowClass) ||
        windowClass.hbrBackground == 0)
        return false;
    TRect client;
    GetClientRect(Wnd, client);
    TSavedDC saved(DC);
    FillWith(DC, client, SystemColor(windowClass.hbrBackground - 1));
    return true;
}

}  // namespace

void PaintWindowFrame(HWND Wnd, HDC DC) {
    TRect window;
    if (!GetWindowRect(Wnd, window)) return;
    TSavedDC saved(DC);
    const auto style = static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLong(Wnd, GWL_EXSTYLE));
    TRect r = Rect(0, 0, window.Right - window.Left, window.Bottom - window.Top);
    const TRect client = ClientInside(r, style, exStyle);
    DC->ExcludeClipRect(client);

    if ((style & WS_THICKFRAME) != 0) {
        DrawEdge(DC, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        Ring(DC, r, GetSystemMetrics(SM_CXFRAME) - 2, clBtnFace);
    } else if ((style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) {
        DrawEdge(DC, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        Ring(DC, r, GetSystemMetrics(SM_CXDLGFRAME) - 2, clBtnFace);
    } else if ((style & WS_BORDER) != 0) {
        Ring(DC, r, GetSystemMetrics(SM_CXBORDER), clWindowFrame);
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        TRect caption = r;
        caption.Bottom = r.Top + GetSystemMetrics(SM_CYCAPTION);
        PaintCaption(Wnd, DC, caption, style);
        r.Top = caption.Bottom;
    }
    if ((exStyle & WS_EX_CLIENTEDGE) != 0) DrawEdge(DC, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    // Scroll bars of a window too small for them show what fits inside the frame.
    DC->IntersectClipRect(r);
    PaintScrollBars(Wnd, DC, client, style);
}

LRESULT DefPaintProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
        case WM_NCPAINT: {
            const TWindowContext context(Wnd, true);
            PaintWindowFrame(Wnd, context.DC());
            return 0;
        }
        case WM_ERASEBKGND:
            return EraseWithClassBackground(Wnd, reinterpret_cast<HDC>(WParam)) ? 1 : 0;
        case WM_PAINT:
            // Painting with no context given takes what waits, which erases it and paints the
            // frame; a context given means someone paints with it already.
            if (WParam == 0) {
                PAINTSTRUCT paint;
                BeginPaint(Wnd, paint);
                EndPaint(Wnd, paint);
            }
            return 0;
        default:
            return DefWindowProc(Wnd, Msg, WParam, LParam);
    }
}

}  // namespace vex
