#include "platform/gfx/edges.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvasrecorder.h"

namespace vex {

namespace {

TRect ClampedRect(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom) {
    return Rect(SaturateToInt32(Left), SaturateToInt32(Top), SaturateToInt32(Right),
                SaturateToInt32(Bottom));
}

// R narrowed to what the canvas can draw on, so per-pixel loops stay within the bitmap.
TRect Visible(TCanvas& Canvas, const TRect& R) {
    const TRect clip = Canvas.ClipRect();
    return Rect(std::max(R.Left, clip.Left), std::max(R.Top, clip.Top),
                std::min(R.Right, clip.Right), std::min(R.Bottom, clip.Bottom));
}

// Fills with a solid colour through the canvas's clip, leaving its brush as it was.
void FillSolid(TCanvas& Canvas, const TRect& R, TColor Color) {
    TBrush saved;
    saved.Assign(&Canvas.Brush());
    Canvas.Brush().SetBitmap(nullptr);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color);
    Canvas.FillRect(R);
    Canvas.Brush().Assign(&saved);
}

struct TEdgeLine {
    TColor TopLeft, BottomRight;
};

// The normal colours of one line of an edge; Edge holds that line's raised and sunken bits
// shifted to the outer position.
TEdgeLine NormalLine(uint32_t Edge, bool Inner, bool Soft) {
    const bool raised = Edge == BDR_RAISEDOUTER;
    if (!Inner) {
        if (raised) return {Soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
        return {Soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
    }
    if (raised) return {Soft ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {Soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
}

void DrawLine(TCanvas& Canvas, TRect& R, const TEdgeLine& Line, uint32_t Flags) {
    // An empty rectangle gets no line and does not shrink, which also keeps the arithmetic
    // below inside the 32-bit range.
    if (R.Left >= R.Right || R.Top >= R.Bottom) return;
    const int32_t rightEnd = Flags & BF_RIGHT ? R.Right - 1 : R.Right;
    const int32_t bottomEnd = Flags & BF_BOTTOM ? R.Bottom - 1 : R.Bottom;
    if (Flags & BF_TOP) FillSolid(Canvas, Rect(R.Left, R.Top, rightEnd, R.Top + 1), Line.TopLeft);
    if (Flags & BF_LEFT)
        FillSolid(Canvas, Rect(R.Left, R.Top, R.Left + 1, bottomEnd), Line.TopLeft);
    if (Flags & BF_RIGHT)
        FillSolid(Canvas, Rect(R.Right - 1, R.Top, R.Right, R.Bottom), Line.BottomRight);
    if (Flags & BF_BOTTOM)
        FillSolid(Canvas, Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Line.BottomRight);
    if (Flags & BF_LEFT) ++R.Left;
    if (Flags & BF_TOP) ++R.Top;
    if (Flags & BF_RIGHT) --R.Right;
    if (Flags & BF_BOTTOM) --R.Bottom;
}

// A one-pixel frame and the inside of a flat or monochrome control.
TColor FlatFrameColor(uint32_t State) {
    return State & DFCS_MONO ? clWindowFrame : clBtnShadow;
}

TRect CentredSquare(const TRect& R) {
    const int64_t w = int64_t{R.Right} - R.Left, h = int64_t{R.Bottom} - R.Top;
    const int64_t side = std::max<int64_t>(0, std::min(w, h));
    const int64_t left = R.Left + (w - side) / 2;
    const int64_t top = R.Top + (h - side) / 2;
    return ClampedRect(left, top, left + side, top + side);
}

void DrawPushButton(TCanvas& Canvas, TRect R, uint32_t State) {
    const bool down = State & (DFCS_PUSHED | DFCS_CHECKED);
    uint32_t flags = BF_RECT | BF_ADJUST;
    if (State & DFCS_MONO)
        flags |= BF_MONO;
    else if (State & DFCS_FLAT)
        flags |= BF_FLAT;
    else if (!down)
        flags |= BF_SOFT;
    DrawEdge(&Canvas, R, down ? EDGE_SUNKEN : EDGE_RAISED, flags);
    if ((State & DFCS_CHECKED) && !(State & DFCS_PUSHED)) {
        // A latched button shows the face and highlight checkered, as the original did.
        FillSolid(Canvas, R, clBtnFace);
        const TRect v = Visible(Canvas, R);
        for (int64_t y = v.Top; y < v.Bottom; ++y)
            for (int64_t x = v.Left + ((v.Left + y) & 1); x < v.Right; x += 2)
                Canvas.SetPixels(static_cast<int32_t>(x), static_cast<int32_t>(y), clBtnHighlight);
    } else {
        FillSolid(Canvas, R, clBtnFace);
    }
}

// The inside of a check box or radio button: the window colour, or the face while inactive or
// pressed.
TColor BoxInside(uint32_t State) {
    return State & (DFCS_INACTIVE | DFCS_PUSHED) ? clBtnFace : clWindow;
}

TColor MarkColor(uint32_t State) {
    return State & DFCS_INACTIVE ? clBtnShadow : clWindowText;
}

void DrawCheckBox(TCanvas& Canvas, const TRect& Area, uint32_t State) {
    TRect r = CentredSquare(Area);
    if (State & (DFCS_MONO | DFCS_FLAT)) {
        TBrush saved;
        saved.Assign(&Canvas.Brush());
        Canvas.Brush().SetBitmap(nullptr);
        Canvas.Brush().SetColor(FlatFrameColor(State));
        Canvas.FrameRect(r);
        Canvas.Brush().Assign(&saved);
        r = ClampedRect(int64_t{r.Left} + 1, int64_t{r.Top} + 1, int64_t{r.Right} - 1,
                        int64_t{r.Bottom} - 1);
    } else {
        DrawEdge(&Canvas, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    FillSolid(Canvas, r, BoxInside(State));
    if (!(State & DFCS_CHECKED)) return;
    // The 7 x 7 tick: seven strokes three pixels high, dipping to the third column.
    constexpr int64_t Tops[7] = {2, 3, 4, 3, 2, 1, 0};
    const int64_t left = r.Left + (int64_t{r.Right} - r.Left - 7) / 2;
    const int64_t top = r.Top + (int64_t{r.Bottom} - r.Top - 7) / 2;
    for (int64_t i = 0; i < 7; ++i)
        FillSolid(Canvas, ClampedRect(left + i, top + Tops[i], left + i + 1, top + Tops[i] + 3),
                  MarkColor(State));
}

void DrawRadioButton(TCanvas& Canvas, const TRect& Area, uint32_t State) {
    const TRect r = CentredSquare(Area);
    const double radius = (static_cast<double>(r.Right) - r.Left) / 2.0;
    const bool flat = State & (DFCS_MONO | DFCS_FLAT);
    const TRect v = Visible(Canvas, r);
    for (int32_t y = v.Top; y < v.Bottom; ++y) {
        for (int32_t x = v.Left; x < v.Right; ++x) {
            const double dx = x + 0.5 - (r.Left + radius);
            const double dy = y + 0.5 - (r.Top + radius);
            const double d = std::hypot(dx, dy);
            const bool upperLeft = dx + dy < 0;
            TColor color;
            if (d >= radius - 0.25)
                continue;
            else if (d >= radius - 1.25)
                color = flat ? FlatFrameColor(State) : upperLeft ? clBtnShadow : clBtnHighlight;
            else if (d >= radius - 2.25 && !flat)
                color = upperLeft ? cl3DDkShadow : cl3DLight;
            else if ((State & DFCS_CHECKED) && d < radius / 3)
                color = MarkColor(State);
            else
                color = BoxInside(State);
            Canvas.SetPixels(x, y, color);
        }
    }
}

constexpr int64_t MaxArrowSize = 16384;

// A solid triangle pointing Direction (a DFCS_SCROLL arrow code), Size rows deep.
void DrawArrow(TCanvas& Canvas, int64_t Left, int64_t Top, int64_t Size, uint32_t Direction,
               TColor Color) {
    for (int64_t k = 0; k < Size; ++k) {
        const int64_t row =
            Direction == DFCS_SCROLLUP || Direction == DFCS_SCROLLLEFT ? Size - 1 - k : k;
        const int64_t from = k, to = 2 * Size - 1 - k;
        if (Direction == DFCS_SCROLLLEFT || Direction == DFCS_SCROLLRIGHT)
            FillSolid(Canvas, ClampedRect(Left + row, Top + from, Left + row + 1, Top + to), Color);
        else
            FillSolid(Canvas, ClampedRect(Left + from, Top + row, Left + to, Top + row + 1), Color);
    }
}

void DrawScrollButton(TCanvas& Canvas, const TRect& Area, uint32_t State) {
    TRect r = Area;
    const bool pushed = State & DFCS_PUSHED;
    uint32_t flags = BF_RECT | BF_ADJUST | BF_MIDDLE;
    if (State & DFCS_MONO)
        flags |= BF_MONO;
    else if (State & DFCS_FLAT)
        flags |= BF_FLAT;
    else if (!pushed)
        flags |= BF_SOFT;
    DrawEdge(&Canvas, r, pushed ? EDGE_SUNKEN : EDGE_RAISED, flags);
    if (flags & (BF_FLAT | BF_MONO)) FillSolid(Canvas, r, clBtnFace);

    uint32_t direction = State & 0xF;
    if (direction == DFCS_SCROLLCOMBOBOX) direction = DFCS_SCROLLDOWN;
    if (direction > DFCS_SCROLLRIGHT) return;
    const bool across = direction == DFCS_SCROLLLEFT || direction == DFCS_SCROLLRIGHT;
    const int64_t w = int64_t{Area.Right} - Area.Left, h = int64_t{Area.Bottom} - Area.Top;
    // An arrow larger than any bitmap could show is pointless and its rows would all be walked.
    const int64_t size = std::clamp<int64_t>(std::min(w, h) / 4, 1, MaxArrowSize);
    const int64_t boxW = across ? size : 2 * size - 1;
    const int64_t boxH = across ? 2 * size - 1 : size;
    const int64_t shift = pushed ? 1 : 0;
    const int64_t left = Area.Left + (w - boxW) / 2 + shift;
    const int64_t top = Area.Top + (h - boxH) / 2 + shift;
    if (State & DFCS_INACTIVE) {
        DrawArrow(Canvas, left + 1, top + 1, size, direction, clBtnHighlight);
        DrawArrow(Canvas, left, top, size, direction, clBtnShadow);
    } else {
        DrawArrow(Canvas, left, top, size, direction, clBtnText);
    }
}

// DrawEdge on device coordinates: R moves inside the lines drawn.
void DrawEdgeLines(TCanvas& Canvas, TRect& R, uint32_t Edge, uint32_t Flags) {
    uint32_t outer = Edge & BDR_OUTER;
    uint32_t inner = (Edge & BDR_INNER) >> 2;
    // Both raised and sunken at once means neither.
    if (outer == BDR_OUTER) outer = 0;
    if (inner == BDR_OUTER) inner = 0;
    bool innerIsOuter = false;
    if (!outer) {
        std::swap(outer, inner);
        innerIsOuter = true;
    }
    const bool soft = Flags & BF_SOFT;
    const bool flat = Flags & (BF_FLAT | BF_MONO);
    if (outer) {
        TEdgeLine line = NormalLine(outer, innerIsOuter, soft);
        if (Flags & BF_MONO)
            line = {clWindowFrame, clWindowFrame};
        else if (Flags & BF_FLAT)
            line = {clBtnShadow, clBtnShadow};
        DrawLine(Canvas, R, line, Flags);
    }
    if (inner) {
        TEdgeLine line = NormalLine(inner, true, soft);
        if (Flags & BF_MONO)
            line = {clWindow, clWindow};
        else if (Flags & BF_FLAT)
            line = {clBtnFace, clBtnFace};
        DrawLine(Canvas, R, line, Flags);
    }
    if (Flags & BF_MIDDLE) FillSolid(Canvas, R, flat ? clWindow : clBtnFace);
}

}  // namespace

// The lines are single pixels, so edges and frame controls are laid out in device coordinates
// whatever the mapping.
bool DrawEdge(HDC DC, TRect& Rect, uint32_t Edge, uint32_t Flags) {
    if (!DC) return false;
    TRect device = DC->LPtoDP(Rect);
    {
        const TDeviceUnits pixels(*DC);
        DrawEdgeLines(*DC, device, Edge, Flags);
    }
    if (Flags & BF_ADJUST) Rect = DC->DPtoLP(device);
    return true;
}

bool DrawFocusRect(HDC DC, const TRect& Logical) {
    if (!DC) return false;
    const TRecordedCall call(*DC, "DrawFocusRect",
                             [&](TCanvasCall& C) { C.Rects = {OnDevice(*DC, Logical)}; });
    // The dots are pixels, every other one, so they are placed in device coordinates.
    const TRect device = DC->LPtoDP(Logical);
    const TDeviceUnits pixels(*DC);
    const TRect clip = DC->ClipRect();
    const TPoint origin = DC->Origin();
    const auto invert = [&](int64_t X, int64_t Y) {
        if (X < clip.Left || Y < clip.Top || X >= clip.Right || Y >= clip.Bottom) return;
        if (!DC->PtVisible(static_cast<int32_t>(X), static_cast<int32_t>(Y))) return;
        if ((X + origin.X + Y + origin.Y) & 1) return;
        uint32_t& p = DC->Bitmap().ScanLine(static_cast<int32_t>(Y + origin.Y))[X + origin.X];
        p ^= 0xFFFFFF;
    };
    const int64_t left = device.Left, top = device.Top, right = device.Right,
                  bottom = device.Bottom;
    if (left >= right || top >= bottom) return true;
    const int64_t x0 = std::max<int64_t>(left, clip.Left),
                  x1 = std::min<int64_t>(right, clip.Right);
    for (int64_t x = x0; x < x1; ++x) {
        invert(x, top);
        if (bottom - 1 > top) invert(x, bottom - 1);
    }
    const int64_t y0 = std::max<int64_t>(top + 1, clip.Top);
    const int64_t y1 = std::min<int64_t>(bottom - 1, clip.Bottom);
    for (int64_t y = y0; y < y1; ++y) {
        invert(left, y);
        if (right - 1 > left) invert(right - 1, y);
    }
    return true;
}

bool DrawFrameControl(HDC DC, TRect& Logical, uint32_t Type, uint32_t State) {
    if (!DC) return false;
    const TRect Rect = DC->LPtoDP(Logical);
    const TDeviceUnits pixels(*DC);
    // A control with no area has no face; its edges would fall on the pixels beside it. It is
    // still one this draws, so the answer is the same as for any other rectangle.
    const bool hasArea = Rect.Right > Rect.Left && Rect.Bottom > Rect.Top;
    if (Type == DFC_BUTTON) {
        switch (State & 0xFF) {
            case DFCS_BUTTONPUSH:
                if (hasArea) DrawPushButton(*DC, Rect, State);
                return true;
            case DFCS_BUTTONCHECK:
                if (hasArea) DrawCheckBox(*DC, Rect, State);
                return true;
            case DFCS_BUTTONRADIO:
                if (hasArea) DrawRadioButton(*DC, Rect, State);
                return true;
            default:
                return false;
        }
    }
    if (Type == DFC_SCROLL) {
        const uint32_t kind = State & 0xFF;
        if (kind > DFCS_SCROLLRIGHT && kind != DFCS_SCROLLCOMBOBOX) return false;
        if (hasArea) DrawScrollButton(*DC, Rect, State);
        return true;
    }
    return false;
}

}  // namespace vex
