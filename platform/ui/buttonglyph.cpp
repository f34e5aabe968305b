#include "platform/ui/buttonglyph.h"

#include <algorithm>

#include "platform/gfx/colors.h"
#include "platform/gfx/drawtext.h"
#include "platform/ui/buttonface.h"

namespace vex {

namespace {

bool Sideways(TButtonLayout Layout) {
    return Layout == blGlyphLeft || Layout == blGlyphRight;
}

// Darker than the button face: the part of a glyph its disabled look keeps.
bool IsInk(uint32_t Pixel) {
    const uint32_t sum = ((Pixel >> 16) & 0xFF) + ((Pixel >> 8) & 0xFF) + (Pixel & 0xFF);
    return sum < 3 * 0xC0;
}

}  // namespace

TButtonLayoutResult CalcButtonLayout(const TRect& Client, TSize GlyphSize, TSize TextSize,
                                     TButtonLayout Layout, int32_t Margin, int32_t Spacing) {
    const TSize client{Client.Right - Client.Left, Client.Bottom - Client.Top};
    TPoint glyph{0, 0}, text{0, 0};
    if (Sideways(Layout)) {
        glyph.Y = (client.cy - GlyphSize.cy + 1) / 2;
        text.Y = (client.cy - TextSize.cy + 1) / 2;
    } else {
        glyph.X = (client.cx - GlyphSize.cx + 1) / 2;
        text.X = (client.cx - TextSize.cx + 1) / 2;
    }
    if (TextSize.cx == 0 || GlyphSize.cx == 0) Spacing = 0;
    // The length along the layout's direction.
    const auto along = [&](TSize S) { return Sideways(Layout) ? S.cx : S.cy; };
    // A margin or spacing past the face only puts what follows it out of sight; held to the
    // face, it keeps the sums below in range.
    const int32_t room = std::max(0, along(client));
    Margin = std::min(Margin, room);
    Spacing = std::min(Spacing, room);
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = (along(client) - along(GlyphSize) - along(TextSize)) / 3;
            Spacing = Margin;
        } else {
            Margin = (along(client) - along(GlyphSize) - Spacing - along(TextSize) + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (along(client) - Margin - along(GlyphSize) - along(TextSize)) / 2;
    }
    switch (Layout) {
        case blGlyphLeft:
            glyph.X = Margin;
            text.X = glyph.X + GlyphSize.cx + Spacing;
            break;
        case blGlyphRight:
            glyph.X = client.cx - Margin - GlyphSize.cx;
            text.X = glyph.X - Spacing - TextSize.cx;
            break;
        case blGlyphTop:
            glyph.Y = Margin;
            text.Y = glyph.Y + GlyphSize.cy + Spacing;
            break;
        case blGlyphBottom:
            glyph.Y = client.cy - Margin - GlyphSize.cy;
            text.Y = glyph.Y - Spacing - TextSize.cy;
            break;
    }
    const int32_t x = Client.Left + text.X, y = Client.Top + text.Y;
    return {Point(Client.Left + glyph.X, Client.Top + glyph.Y),
            Rect(x, y, x + TextSize.cx, y + TextSize.cy)};
}

void TButtonGlyph::SetGlyph(const TBitmap& Value) {
    FOriginal.Assign(&Value);
    // A glyph strip as wide as a whole number of its height holds that many looks.
    if (!FOriginal.Empty() && FOriginal.Width() % FOriginal.Height() == 0) {
        const int32_t looks = FOriginal.Width() / FOriginal.Height();
        FNumGlyphs = looks <= 4 ? looks : 1;
    }
    for (auto& look : FLooks)
        look.reset();
}

void TButtonGlyph::SetNumGlyphs(TNumGlyphs Value) {
    if (Value < 1 || Value > 4 || Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    for (auto& look : FLooks)
        look.reset();
}

bool TButtonGlyph::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return false;
    FLayout = Value;
    return true;
}

bool TButtonGlyph::SetMargin(int32_t Value) {
    if (FMargin == Value || Value < -1) return false;
    FMargin = Value;
    return true;
}

bool TButtonGlyph::SetSpacing(int32_t Value) {
    if (FSpacing == Value || Value < -1) return false;
    FSpacing = Value;
    return true;
}

TSize TButtonGlyph::GlyphSize() const {
    if (FOriginal.Empty()) return {};
    return {FOriginal.Width() / FNumGlyphs, FOriginal.Height()};
}

const TBitmap& TButtonGlyph::Look(TButtonState State) {
    std::unique_ptr<TBitmap>& look = FLooks[State];
    if (look) return *look;
    const TSize size = GlyphSize();
    const uint32_t transparent = ColorToPixel(FOriginal.TransparentColor());
    look = std::make_unique<TBitmap>();
    look->SetSize(size.cx, size.cy);
    look->SetTransparent(true);
    const int32_t index = State < FNumGlyphs ? State : 0;
    if (State != bsDisabled || index == bsDisabled) {
        for (int32_t y = 0; y < size.cy; ++y)
            for (int32_t x = 0; x < size.cx; ++x)
                look->ScanLine(y)[x] = FOriginal.ScanLine(y)[index * size.cx + x];
        look->SetTransparentColor(PixelToColor(transparent));
        return *look;
    }
    // Etched: the dark strokes of the up look in the highlight colour a pixel down and right,
    // and in the shadow colour over that.
    const uint32_t highlight = ColorToPixel(clBtnHighlight), shadow = ColorToPixel(clBtnShadow);
    const uint32_t background = (highlight == 0xFF00FF || shadow == 0xFF00FF) ? 0x010203 : 0xFF00FF;
    for (int32_t y = 0; y < size.cy; ++y)
        for (int32_t x = 0; x < size.cx; ++x)
            look->ScanLine(y)[x] = background;
    const auto ink = [&](int32_t X, int32_t Y) {
        const uint32_t p = FOriginal.ScanLine(Y)[X];
        return p != transparent && IsInk(p);
    };
    for (int32_t y = 0; y < size.cy; ++y)
        for (int32_t x = 0; x < size.cx; ++x) {
            if (ink(x, y)) {
                look->ScanLine(y)[x] = shadow;
            } else if (x > 0 && y > 0 && ink(x - 1, y - 1)) {
                look->ScanLine(y)[x] = highlight;
            }
        }
    look->SetTransparentColor(PixelToColor(background));
    return *look;
}

TRect TButtonGlyph::Draw(TCanvas& Canvas, const TRect& Client, TPoint Offset,
                         const std::string& Caption, TButtonState State) {
    TRect measured = Rect(0, 0, Client.Right - Client.Left, 0);
    TSize textSize{};
    if (!Caption.empty()) {
        DrawText(&Canvas, Caption, measured, DT_CALCRECT | DT_SINGLELINE);
        textSize = {measured.Right - measured.Left, measured.Bottom - measured.Top};
    }
    TRect moved = Client;
    OffsetRect(moved, Offset.X, Offset.Y);
    const TButtonLayoutResult at =
        CalcButtonLayout(moved, GlyphSize(), textSize, FLayout, FMargin, FSpacing);
    if (!Empty()) Canvas.Draw(at.GlyphPos.X, at.GlyphPos.Y, Look(State));
    if (!Caption.empty())
        DrawButtonCaption(Canvas, Caption, at.TextBounds, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                          State != bsDisabled);
    return at.TextBounds;
}

}  // namespace vex
