#include "platform/ui/buttonface.h"

#include "platform/gfx/colors.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"

namespace vex {

namespace {

TRect Inset(const TRect& R, int32_t By) {
    return Rect(R.Left + By, R.Top + By, R.Right - By, R.Bottom - By);
}

void Frame(TCanvas& Canvas, const TRect& R, TColor Color) {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color);
    Canvas.FrameRect(R);
}

void Fill(TCanvas& Canvas, const TRect& R, TColor Color) {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color);
    Canvas.FillRect(R);
}

}  // namespace

TRect DrawBevelLines(TCanvas& Canvas, TRect R, TColor TopLeft, TColor BottomRight, int32_t Width) {
    // Once R is used up, wider lines would only fall outside it.
    for (int32_t i = 0; i < Width && R.Right - R.Left > 0 && R.Bottom - R.Top > 0; ++i) {
        Fill(Canvas, Rect(R.Left, R.Top, R.Right - 1, R.Top + 1), TopLeft);
        Fill(Canvas, Rect(R.Left, R.Top, R.Left + 1, R.Bottom - 1), TopLeft);
        Fill(Canvas, Rect(R.Right - 1, R.Top, R.Right, R.Bottom), BottomRight);
        Fill(Canvas, Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), BottomRight);
        R = Inset(R, 1);
    }
    return R;
}

TRect DrawPushButtonFace(TCanvas& Canvas, const TRect& Client, bool Pressed, bool Active) {
    TRect r = Client;
    if (Active) {
        Frame(Canvas, r, clWindowFrame);
        r = Inset(r, 1);
    }
    if (Pressed) {
        Frame(Canvas, r, clBtnShadow);
        r = Inset(r, 1);
        Fill(Canvas, r, clBtnFace);
        return Inset(r, 1);
    }
    DrawFrameControl(&Canvas, r, DFC_BUTTON, DFCS_BUTTONPUSH);
    return Inset(r, 2);
}

TRect DrawRoundedButtonFace(TCanvas& Canvas, const TRect& Client, bool IsDown) {
    const TRect& r = Client;
    if (r.Right - r.Left < 3 || r.Bottom - r.Top < 3) {
        Fill(Canvas, r, clBtnFace);
        return r;
    }
    Fill(Canvas, Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + 1), clWindowFrame);
    Fill(Canvas, Rect(r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom), clWindowFrame);
    Fill(Canvas, Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), clWindowFrame);
    Fill(Canvas, Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1), clWindowFrame);
    TRect face = Inset(r, 1);
    Fill(Canvas, face, clBtnFace);
    if (IsDown) {
        Fill(Canvas, Rect(face.Left, face.Top, face.Right, face.Top + 1), clBtnShadow);
        Fill(Canvas, Rect(face.Left, face.Top, face.Left + 1, face.Bottom), clBtnShadow);
        return Rect(face.Left + 1, face.Top + 1, face.Right, face.Bottom);
    }
    return DrawBevelLines(Canvas, face, clBtnHighlight, clBtnShadow, 1);
}

TRect DrawFlatButtonFace(TCanvas& Canvas, const TRect& Client, bool IsDown, bool IsHot) {
    if (IsDown) return DrawBevelLines(Canvas, Client, clBtnShadow, clBtnHighlight, 1);
    if (IsHot) return DrawBevelLines(Canvas, Client, clBtnHighlight, clBtnShadow, 1);
    return Inset(Client, 1);
}

void DrawLatchedFace(TCanvas& Canvas, const TRect& Face) {
    Fill(Canvas, Face, clBtnFace);
    // A pixel at a time, only what the canvas shows: a face far larger would take hours.
    TRect shown;
    if (!IntersectRect(shown, Face, Canvas.ClipRect())) return;
    for (int32_t y = shown.Top; y < shown.Bottom; ++y)
        for (int32_t x = shown.Left + ((shown.Left + y) & 1); x < shown.Right; x += 2)
            Canvas.SetPixels(x, y, clBtnHighlight);
}

void DrawButtonCaption(TCanvas& Canvas, const std::string& Text, TRect Rect, uint32_t Flags,
                       bool Enabled) {
    Canvas.Brush().SetStyle(bsClear);
    SetBkMode(&Canvas, TRANSPARENT);
    if (Enabled) {
        DrawText(&Canvas, Text, Rect, Flags);
        return;
    }
    const TColor color = Canvas.Font().Color();
    OffsetRect(Rect, 1, 1);
    Canvas.Font().SetColor(clBtnHighlight);
    DrawText(&Canvas, Text, Rect, Flags);
    OffsetRect(Rect, -1, -1);
    Canvas.Font().SetColor(clBtnShadow);
    DrawText(&Canvas, Text, Rect, Flags);
    Canvas.Font().SetColor(color);
}

}  // namespace vex
