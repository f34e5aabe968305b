// The geometry and painting of the raised and recessed label.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "components/misc/RzLabel.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"

namespace vex {

namespace {

constexpr double Pi = std::numbers::pi;

// Rounds as the drawing arithmetic always has, halves to even, and stays within 32 bits.
int32_t Round(double Value) {
    if (!(Value == Value)) return 0;
    return static_cast<int32_t>(std::clamp(std::nearbyint(Value), -2147483648.0, 2147483647.0));
}

// Moves each chosen side of Rect in by By pixels.
void Inset(TRect& Rect, TSides Sides, int32_t By) {
    if (Sides.Contains(sdLeft)) Rect.Left = SaturateToInt32(int64_t{Rect.Left} + By);
    if (Sides.Contains(sdTop)) Rect.Top = SaturateToInt32(int64_t{Rect.Top} + By);
    if (Sides.Contains(sdRight)) Rect.Right = SaturateToInt32(int64_t{Rect.Right} - By);
    if (Sides.Contains(sdBottom)) Rect.Bottom = SaturateToInt32(int64_t{Rect.Bottom} - By);
}

// How many of Sides lie across the width (left, right) and down the height (top, bottom).
int32_t Across(TSides Sides) {
    return int32_t{Sides.Contains(sdLeft)} + int32_t{Sides.Contains(sdRight)};
}
int32_t Down(TSides Sides) {
    return int32_t{Sides.Contains(sdTop)} + int32_t{Sides.Contains(sdBottom)};
}

const TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

// One copy of the caption: its colour and where it lies from the face.
struct TCopy {
    TColor Color;
    int32_t DX, DY;
};

// The lines a border of Style takes on each side it is drawn on.
int32_t FrameLines(TFrameStyle Style, int32_t BevelWidth) {
    switch (Style) {
        case fsNone:
            return 0;
        case fsFlat:
            return 1;
        case fsStatus:
        case fsPopup:
            return std::max(BevelWidth, 0);
        default:
            return 2;
    }
}

}  // namespace

void TRzLabel::AdjustClientRect(TRect& Rect, bool IncludeBorderWidth) {
    Inset(Rect, FFrameSides, 1);
    if (IncludeBorderWidth) Inset(Rect, AllSides, std::max(FBorderWidth, 0));
    for (TFrameStyle style : {FBorderOuter, FBorderInner})
        Inset(Rect, FBorderSides, FrameLines(style, FBevelWidth));
}

void TRzLabel::GrowForBorders(TSize& Extent) {
    int64_t w = Extent.cx, h = Extent.cy;
    w += Across(FFrameSides);
    h += Down(FFrameSides);
    for (TFrameStyle style : {FBorderOuter, FBorderInner}) {
        const int64_t lines = FrameLines(style, FBevelWidth);
        w += lines * Across(FBorderSides);
        h += lines * Down(FBorderSides);
    }
    w += 2 * int64_t{std::max(FBorderWidth, 0)};
    h += 2 * int64_t{std::max(FBorderWidth, 0)};
    const int64_t depth = std::max(FShadowDepth, 0);
    if (FRotation == roNone && FTextStyle == tsShadow) {
        w += depth;
        h += depth;
    }
    if (FRotation == roFlat && FAngle != 0 && FAngle != 180) {
        if (FTextStyle == tsShadow) {
            w += depth / 2;
            h += depth / 2;
        }
        // The box round the turned text: in every quadrant each side takes the part of the
        // width and the height that the turn lays along it.
        const double phi = FAngle * Pi / 180;
        const double c = std::fabs(std::cos(phi)), s = std::fabs(std::sin(phi));
        const double dw = static_cast<double>(w), dh = static_cast<double>(h);
        w = Round(c * dw + s * dh);
        h = Round(s * dw + c * dh);
    }
    Extent.cx = SaturateToInt32(w);
    Extent.cy = SaturateToInt32(h);
}

void TRzLabel::DoDrawText(TRect& Rect, uint32_t Flags) {
    TCustomLabel::DoDrawText(Rect, Flags);
    if ((Flags & DT_CALCRECT) == 0) return;
    TSize extent{SaturateToInt32(int64_t{Rect.Right} - Rect.Left),
                 SaturateToInt32(int64_t{Rect.Bottom} - Rect.Top)};
    GrowForBorders(extent);
    Rect.Right = SaturateToInt32(int64_t{Rect.Left} + extent.cx);
    Rect.Bottom = SaturateToInt32(int64_t{Rect.Top} + extent.cy);
}

TPoint TRzLabel::CenterPointOf() const {
    const int64_t bw = FBorderWidth, w = Width(), h = Height();
    int64_t x = w / 2, y = h / 2;
    if (FCenterPoint == cpUpperLeft || FCenterPoint == cpLeftCenter || FCenterPoint == cpLowerLeft)
        x = bw;
    if (FCenterPoint == cpUpperRight || FCenterPoint == cpRightCenter ||
        FCenterPoint == cpLowerRight)
        x = w - bw;
    if (FCenterPoint == cpUpperLeft || FCenterPoint == cpUpperCenter ||
        FCenterPoint == cpUpperRight)
        y = bw;
    if (FCenterPoint == cpLowerLeft || FCenterPoint == cpLowerCenter ||
        FCenterPoint == cpLowerRight)
        y = h - bw;
    return Point(SaturateToInt32(x), SaturateToInt32(y));
}

TRect TRzLabel::DrawFrame(TRect Bounds, TFrameStyle Style) {
    TCanvas& canvas = Canvas();
    switch (Style) {
        case fsFlat:
            return DrawBevel(canvas, Bounds, FFlatColor, FFlatColor, 1, FBorderSides);
        case fsPopup:
            return DrawBevel(canvas, Bounds, FBorderHighlight, FBorderShadow, FBevelWidth,
                             FBorderSides);
        case fsStatus:
            return DrawBevel(canvas, Bounds, FBorderShadow, FBorderHighlight, FBevelWidth,
                             FBorderSides);
        default:
            return DrawBorder(canvas, Bounds, Style, FBorderSides);
    }
}

namespace {

// The copies of the caption bottom to top, the face last: Shadow is where a tsShadow copy lies
// and Face where the face does, both down and right.
std::vector<TCopy> CopiesOf(const TRzLabel& Label, int32_t Shadow, int32_t Face) {
    if (!Label.Enabled()) return {{clBtnHighlight, 1, 1}, {clGrayText, 0, 0}};
    std::vector<TCopy> copies;
    const TTextStyle style = Label.TextStyle();
    const bool light = Label.LightTextStyle();
    if (style == tsRaised || style == tsRecessed) {
        const bool raised = style == tsRaised;
        const TColor a = raised ? Label.HighlightColor() : Label.ShadowColor();
        const TColor b = raised ? Label.ShadowColor() : Label.HighlightColor();
        if (!raised || !light) copies.push_back({b, 1, 1});
        if (raised || !light) copies.push_back({a, -1, -1});
    } else if (style == tsShadow) {
        copies.push_back({Label.ShadowColor(), Shadow, Shadow});
    }
    copies.push_back({Label.DrawColor(), Face, Face});
    return copies;
}

}  // namespace

void TRzLabel::Paint() {
    TCanvas& canvas = Canvas();
    const TSavedDC saved(&canvas);
    TRect r = DrawSides(canvas, ClientRect(), clBlack, FFrameSides, clBlack);
    r = DrawFrame(r, FBorderOuter);
    if (FBorderWidth > 0)
        r = DrawBevel(canvas, r, FBorderColor, FBorderColor, FBorderWidth, FBorderSides);
    r = DrawFrame(r, FBorderInner);
    canvas.Brush().SetColor(Color());
    if (!Transparent()) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(r);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(&Font());
    SetBkMode(&canvas, TRANSPARENT);

    TRect text = ClientRect();
    AdjustClientRect(text, true);
    const std::string caption = Caption();
    if (FRotation == roCurve)
        PaintCurved(canvas, caption);
    else if (FRotation == roFlat)
        PaintTurned(canvas, caption, text);
    else
        PaintUpright(canvas, caption, text);
}

void TRzLabel::PaintUpright(TCanvas& Canvas, const std::string& Caption, TRect Text) {
    const uint32_t flags = AlignmentFlags(Alignment()) | DT_EXPANDTABS |
                           (WordWrap() ? DT_WORDBREAK : 0) | (ShowAccelChar() ? 0 : DT_NOPREFIX);
    if (Layout() != tlTop) {
        TRect calc = Text;
        DrawText(&Canvas, Caption, calc, flags | DT_CALCRECT);
        const int32_t room =
            SaturateToInt32(int64_t{Height()} - std::max(FBorderWidth, 0) - calc.Bottom);
        OffsetRect(Text, 0, Layout() == tlBottom ? room : room / 2);
    }
    // Keeps the copies below and right of the face within the bounds.
    const int32_t nudge = FTextStyle == tsShadow ? std::max(FShadowDepth, 0) : 1;
    if (Alignment() == taRightJustify) OffsetRect(Text, -nudge, 0);
    if (Layout() == tlBottom) OffsetRect(Text, 0, -nudge);
    for (const TCopy& copy : CopiesOf(*this, FShadowDepth, 0)) {
        TRect r = Text;
        OffsetRect(r, copy.DX, copy.DY);
        Canvas.Font().SetColor(copy.Color);
        DrawText(&Canvas, Caption, r, flags);
    }
}

void TRzLabel::PaintTurned(TCanvas& Canvas, const std::string& Caption, const TRect& Text) {
    // Wide enough for any caption, border and shadow without overflow.
    const int64_t half = FShadowDepth / 2;
    const int64_t e = FTextStyle == tsShadow ? half : 0;
    const double theta = FAngle * Pi / 180 + Pi / 2;
    const int64_t lineHeight = Canvas.TextHeight("Pp");
    const double q = static_cast<double>(lineHeight) / 4.0;
    const int64_t w = int64_t{Canvas.TextWidth(Caption)} + e;
    const int64_t h = lineHeight + e;
    const int64_t left = Text.Left, top = Text.Top, right = Text.Right, bottom = Text.Bottom;
    const bool centred = Alignment() == taCenter, rightAligned = Alignment() == taRightJustify;
    int64_t x = Width() / 2, y = Height() / 2;
    uint32_t align = TA_LEFT | TA_TOP;
    switch (FAngle) {
        case 0:
            if (centred)
                align = TA_CENTER;
            else
                x = rightAligned ? right - w - e : left + e;
            y -= h / 2;
            break;
        case 90:
            x -= Round(std::cos(theta) * q);
            y = centred ? bottom - (bottom - w) / 2 : rightAligned ? top + w + e : bottom - e;
            align = TA_BASELINE;
            break;
        case 180:
            x = centred ? right - (right - w) / 2 : rightAligned ? left + w : right - e;
            y -= h / 4;
            align = TA_BASELINE;
            break;
        case 270:
            x -= Round(std::cos(theta) * q);
            y = centred ? (bottom - w) / 2 : rightAligned ? bottom - w - e : top + e;
            align = TA_BASELINE;
            break;
        default:
            x -= Round(std::cos(theta) * q);
            y += Round(std::sin(theta) * q);
            align = TA_CENTER | TA_BASELINE;
            break;
    }
    Canvas.SetTextAlign(align);
    Canvas.Font().SetHandle(CreateRotatedFont(Font(), FAngle));
    const int32_t face = FTextStyle == tsShadow ? static_cast<int32_t>(-half) : 0;
    for (const TCopy& copy : CopiesOf(*this, static_cast<int32_t>(half), face)) {
        Canvas.Font().SetColor(copy.Color);
        Canvas.TextRect(Text, SaturateToInt32(x + copy.DX), SaturateToInt32(y + copy.DY), Caption);
    }
}

void TRzLabel::PaintCurved(TCanvas& Canvas, const std::string& Caption) {
    const TPoint c = CenterPointOf();
    const int64_t bw2 = 2 * int64_t{FBorderWidth}, w = Width(), h = Height();
    int64_t rx = w - bw2, ry = h - bw2;
    if (FCenterPoint == cpUpperCenter || FCenterPoint == cpLowerCenter || FCenterPoint == cpCenter)
        rx = w / 2 - bw2;
    if (FCenterPoint == cpLeftCenter || FCenterPoint == cpRightCenter || FCenterPoint == cpCenter)
        ry = h / 2 - bw2;
    Canvas.SetTextAlign(TA_CENTER | TA_BASELINE);
    const int64_t t = Canvas.TextHeight("Yy");
    // Each character moves on by the width of a "w" and two pixels, along the horizontal radius;
    // a circle with no radius still moves on, so the characters do not pile up.
    const double step = (Canvas.TextWidth("w") + 2) / static_cast<double>(std::max<int64_t>(rx, 1));
    const std::vector<TCopy> copies = CopiesOf(*this, FShadowDepth, 0);
    TLogFont turned = Font().LogFont();
    turned.lfOrientation = 0;
    double theta = FAngle * Pi / 180;
    for (char ch : Caption) {
        const int64_t x = c.X - int64_t{Round(std::sin(theta) * static_cast<double>(rx - t))};
        const int64_t y = c.Y - int64_t{Round(std::cos(theta) * static_cast<double>(ry - t))};
        turned.lfEscapement = Round(theta * 1800 / Pi);
        Canvas.Font().SetHandle(CreateFontIndirect(turned));
        for (const TCopy& copy : copies) {
            Canvas.Font().SetColor(copy.Color);
            Canvas.TextOut(SaturateToInt32(x + copy.DX), SaturateToInt32(y + copy.DY),
                           std::string(1, ch));
        }
        theta = std::remainder(theta - step, 2 * Pi);
    }
}

}  // namespace vex
