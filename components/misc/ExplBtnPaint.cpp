#include <algorithm>
#include <memory>

#include "components/misc/ExplBtn.h"
#include "components/misc/ExplBtnBitmaps.h"
#include "components/misc/ExplBtnLayout.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/ui/controlmessages.h"

namespace vex {

namespace {

// Top and left in Light, bottom and right in Dark, one pixel inside R.
void DrawBevel(TCanvas& Canvas, const TRect& R, TColor Light, TColor Dark) {
    Canvas.Pen().SetColor(Light);
    Canvas.MoveTo(R.Left, R.Bottom - 1);
    Canvas.LineTo(R.Left, R.Top);
    Canvas.LineTo(R.Right - 1, R.Top);
    Canvas.Pen().SetColor(Dark);
    Canvas.LineTo(R.Right - 1, R.Bottom - 1);
    Canvas.LineTo(R.Left - 1, R.Bottom - 1);
}

// The 8 by 8 pattern of a Down button: highlight where x and y have the same parity.
const TBitmap& DownPattern() {
    static const std::unique_ptr<TBitmap> pattern = [] {
        auto b = std::make_unique<TBitmap>();
        b->SetSize(8, 8);
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 8; ++x)
                b->ScanLine(y)[x] = ColorToPixel((x + y) % 2 == 0 ? clBtnHighlight : clBtnFace);
        return b;
    }();
    return *pattern;
}

// A downward triangle 5 pixels wide with its top-left corner at X, Y.
void DrawDropMark(TCanvas& Canvas, int32_t X, int32_t Y, TColor Colour) {
    Canvas.Pen().SetColor(Colour);
    for (int32_t row = 0; row < 3; ++row) {
        Canvas.MoveTo(X + row, Y + row);
        Canvas.LineTo(X + 5 - row, Y + row);
    }
}

}  // namespace

void TExplorerButton::Paint() {
    const TRect client = ClientRect();
    if (FBuffer.Width() != client.Right || FBuffer.Height() != client.Bottom)
        FBuffer.SetSize(client.Right, client.Bottom);
    TCanvas& buffer = FBuffer.Canvas();
    buffer.ResetState();
    PaintFace(buffer);
    Canvas().Draw(0, 0, FBuffer);
}

void TExplorerButton::PaintBackground(TCanvas& Face) {
    const TRect client = ClientRect();
    Face.Brush().SetColor(Color());
    Face.FillRect(client);
    if (!FOptions.Contains(boTransparent) || Parent() == nullptr) return;
    // The parent paints what lies under the button into the buffer, moved to its place.
    const TPoint origin = Face.Origin();
    Face.SetOrigin(Point(origin.X - Left(), origin.Y - Top()));
    const auto dc = reinterpret_cast<WPARAM>(Face.Handle());
    Parent()->Perform(WM_ERASEBKGND, dc, 0);
    Parent()->Perform(WM_PAINT, dc, 0);
    Face.SetOrigin(origin);
}

void TExplorerButton::PaintFace(TCanvas& Face) {
    PaintBackground(Face);
    const TRect client = ClientRect();
    const bool office = FDropDownStyle == ddsOffice;
    const int32_t width = client.Right - (office ? ExplorerArrowWidth : 0);
    const TRect body = Rect(0, 0, width, client.Bottom);
    const bool enabled = Enabled();
    const bool hot = FMouseIn || FPopupOpen;
    const bool sunk = (FPressed && FMouseIn) || (FPopupOpen && !office) || FDown;

    if (FDown && FOptions.Contains(boShowDownPattern)) {
        TBrush pattern;
        pattern.SetBitmap(const_cast<TBitmap*>(&DownPattern()));
        Face.FillRect(Rect(1, 1, body.Right - 1, body.Bottom - 1), pattern);
    }
    const TColor light = FBevelStyle == bsRaised ? clBtnHighlight : clBtnShadow;
    const TColor dark = FBevelStyle == bsRaised ? clBtnShadow : clBtnHighlight;
    if (enabled && sunk)
        DrawBevel(Face, body, clBtnShadow, clBtnHighlight);
    else if (enabled && hot && FOptions.Contains(boShowBevel))
        DrawBevel(Face, body, light, dark);
    if (enabled && office && hot) {
        const TRect arrow = Rect(width, 0, client.Right, client.Bottom);
        if (FArrowPressed || FPopupOpen)
            DrawBevel(Face, arrow, clBtnShadow, clBtnHighlight);
        else if (FOptions.Contains(boShowBevel))
            DrawBevel(Face, arrow, light, dark);
    }
    const int32_t shift =
        enabled && sunk && FBevelStyle == bsRaised && !FOptions.Contains(boNoDepress) ? 1 : 0;

    const TBitmap* shown = &FBitmap;
    if (!enabled && !FDisabledBitmap.Empty())
        shown = &FDisabledBitmap;
    else if (enabled && !hot && FOptions.Contains(boMonoDisplay))
        shown = FNoFocusBitmap.Empty() ? &FDimmedBitmap : &FNoFocusBitmap;
    const TSize bitmapSize = ShownBitmapSize(*shown, FButtonSize);

    Face.Font().Assign(&Font());
    const std::string caption = FOptions.Contains(boIconOnly) ? std::string() : Caption();
    const uint32_t align = FAlignment == taLeftJustify    ? DT_LEFT
                           : FAlignment == taRightJustify ? DT_RIGHT
                                                          : DT_CENTER;
    const uint32_t format =
        align | DT_END_ELLIPSIS | (FOptions.Contains(boWordWrap) ? DT_WORDBREAK : DT_SINGLELINE);
    TSize captionSize;
    if (!caption.empty()) {
        const int32_t limit = CaptionWidthLimit(width, bitmapSize, FLayout);
        TRect measured = Rect(0, 0, limit, 0);
        DrawTextEx(Face.Handle(), caption, measured, format | DT_CALCRECT, nullptr);
        captionSize = {std::min(measured.Right, limit), measured.Bottom};
    }
    TExplorerFace place =
        LayOutFace(width, client.Bottom, bitmapSize, captionSize, FLayout, FAlignment);
    OffsetRect(place.CaptionRect, shift, shift);
    const int32_t bx = place.BitmapPos.X + shift, by = place.BitmapPos.Y + shift;

    if (enabled || shown == &FDisabledBitmap)
        DrawFaceBitmap(Face, bx, by, *shown, FButtonSize);
    else
        DrawDisabledBitmap(Face, bx, by, FBitmap, FButtonSize);

    if (!caption.empty()) {
        SetBkMode(Face.Handle(), TRANSPARENT);
        TRect text = place.CaptionRect;
        if (!enabled) {
            TRect etched = text;
            OffsetRect(etched, 1, 1);
            Face.Font().SetColor(clBtnHighlight);
            DrawTextEx(Face.Handle(), caption, etched, format, nullptr);
            Face.Font().SetColor(clBtnShadow);
        } else if (!hot) {
            Face.Font().SetColor(FUnselectedFontColor);
        }
        DrawTextEx(Face.Handle(), caption, text, format, nullptr);
    }

    if (FOptions.Contains(boPopupMark) && HasDropDown()) {
        const TColor mark = enabled ? clBtnText : clBtnShadow;
        if (office) {
            // The arrow part sinks on its own, with its own press or the open panel.
            const int32_t sunkArrow = enabled && (FArrowPressed || FPopupOpen) ? 1 : 0;
            DrawDropMark(Face, width + (ExplorerArrowWidth - 5) / 2 + sunkArrow,
                         (client.Bottom - 3) / 2 + sunkArrow, mark);
        } else
            DrawDropMark(Face, bx + bitmapSize.cx + 3, by + (bitmapSize.cy - 3) / 2, mark);
    }
}

}  // namespace vex
