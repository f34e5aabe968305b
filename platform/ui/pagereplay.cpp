#include "platform/ui/pagereplay.h"

#include <string_view>

#include "platform/gfx/drawtext.h"
#include "platform/gfx/rasterops.h"

namespace vex {

namespace {

bool PenInverts(const TCanvasCall& Call) {
    return Call.PenMode != pmCopy;
}

bool BrushPaints(const TCanvasCall& Call) {
    return Call.BrushStyle != bsClear && Call.BrushColor != clNone;
}

// The call as it prints: without its pen when the pen would invert.
const TCanvasCall& WithPrintablePen(const TCanvasCall& Call, TCanvasCall& Copy) {
    if (!PenInverts(Call) || Call.PenStyle == psClear) return Call;
    Copy = Call;
    Copy.PenStyle = psClear;
    Copy.PenMode = pmCopy;
    return Copy;
}

// Text whose opaque box has no colour on record (the background was transparent) prints
// without the box rather than in a colour guessed.
const TCanvasCall& WithKnownBox(const TCanvasCall& Call, TCanvasCall& Copy) {
    if (!(Call.Flags & ETO_OPAQUE) || Call.BkColor != clNone) return Call;
    Copy = Call;
    Copy.Flags &= ~ETO_OPAQUE;
    return Copy;
}

void FrameRect(TPageTarget& Target, const TRect& R, TColor Color) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    Target.Fill(Rect(R.Left, R.Top, R.Right, R.Top + 1), Color);
    Target.Fill(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Color);
    Target.Fill(Rect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), Color);
    Target.Fill(Rect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), Color);
}

TRect Normalized(TRect R) {
    if (R.Left > R.Right) std::swap(R.Left, R.Right);
    if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
    return R;
}

// The pixels a copy covers: a rectangle that runs backwards along an axis starts at its first
// edge's pixel and steps back, as the canvas copies it.
TRect Covered(TRect R) {
    const auto axis = [](int32_t& From, int32_t& To) {
        if (From <= To) return;
        std::swap(From, To);
        From = SaturateToInt32(int64_t{From} + 1);
        To = SaturateToInt32(int64_t{To} + 1);
    };
    axis(R.Left, R.Right);
    axis(R.Top, R.Bottom);
    return R;
}

// A copy whose destination runs the other way than its source mirrors the picture, as it does
// on the canvas. Rects[0] is the destination, Rects[1] the source where the call names one.
void PutPicture(TPageTarget& Target, const TCanvasCall& Call) {
    const TRect& dest = Call.Rects[0];
    bool acrossX = dest.Right < dest.Left, acrossY = dest.Bottom < dest.Top;
    if (Call.Rects.size() > 1) {
        acrossX ^= Call.Rects[1].Right < Call.Rects[1].Left;
        acrossY ^= Call.Rects[1].Bottom < Call.Rects[1].Top;
    }
    const TPixelImage& picture = *Call.Picture;
    if (!acrossX && !acrossY) {
        Target.Picture(Covered(dest), picture);
        return;
    }
    TPixelImage mirrored = picture;
    const size_t w = static_cast<size_t>(picture.Width), h = static_cast<size_t>(picture.Height);
    for (size_t y = 0; y < h; ++y)
        for (size_t x = 0; x < w; ++x)
            mirrored.Pixels[y * w + x] =
                picture.Pixels[(acrossY ? h - 1 - y : y) * w + (acrossX ? w - 1 - x : x)];
    Target.Picture(Covered(dest), mirrored);
}

void Copy(TPageTarget& Target, const TCanvasCall& Call) {
    if (Call.Rects.empty()) return;
    const TRect dest = Covered(Call.Rects[0]);
    switch (Call.Flags) {
        case SRCCOPY:
            if (Call.Picture && Call.Picture->Width > 0) PutPicture(Target, Call);
            return;
        case PATCOPY:
            if (BrushPaints(Call)) Target.Fill(dest, Call.BrushColor);
            return;
        case BLACKNESS:
            Target.Fill(dest, clBlack);
            return;
        case WHITENESS:
            Target.Fill(dest, clWhite);
            return;
        default:
            return;
    }
}

}  // namespace

void ReplayPage(const TPrintedPage& Page, TPageTarget& Target) {
    const std::optional<TRegion>* clip = nullptr;
    TCanvasCall copy;
    for (const TCanvasCall& call : Page.Calls) {
        // Clips change seldom; most calls share the one before them.
        const bool sameClip = clip && clip->has_value() == call.UserClip.has_value() &&
                              (!call.UserClip || (*clip)->SameArea(*call.UserClip));
        if (!sameClip) Target.Clip(call.UserClip);
        clip = &call.UserClip;

        const std::string_view name = call.Name;
        if (name == "LineTo" || name == "Polyline") {
            if (!PenInverts(call) && call.PenStyle != psClear && call.Points.size() >= 2)
                Target.Lines(call, false);
        } else if (name == "Polygon") {
            if (call.Points.size() >= 2) Target.Lines(WithPrintablePen(call, copy), true);
        } else if (name == "Rectangle" || name == "Ellipse" || name == "RoundRect") {
            if (!call.Rects.empty()) Target.Shape(WithPrintablePen(call, copy));
        } else if (name == "FillRect") {
            if (!call.Rects.empty() && BrushPaints(call))
                Target.Fill(Normalized(call.Rects[0]), call.BrushColor);
        } else if (name == "FrameRect") {
            if (!call.Rects.empty() && BrushPaints(call))
                FrameRect(Target, Normalized(call.Rects[0]), call.BrushColor);
        } else if (name == "SetPixels") {
            if (!call.Points.empty() && call.Color != clNone) {
                const TPoint p = call.Points[0];
                Target.Fill(Rect(p.X, p.Y, p.X + 1, p.Y + 1), call.Color);
            }
        } else if (name == "ExtTextOut") {
            if (call.Face && !call.Points.empty()) Target.Text(WithKnownBox(call, copy));
        } else if (name == "StretchBlt") {
            Copy(Target, call);
        } else if (name == "Draw" || name == "StretchDraw" || name == "BrushCopy") {
            // Flags is 0 for a plain copy of a picture, otherwise the operation it combined with.
            if (!call.Rects.empty() && (call.Flags == 0 || call.Flags == SRCCOPY) && call.Picture &&
                call.Picture->Width > 0)
                PutPicture(Target, call);
        }
    }
}

}  // namespace vex
