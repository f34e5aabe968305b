#include "components/misc/RzLabel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/ui/controlmessages.h"

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

}  // namespace

TRzLabel::TRzLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
    FNormalColor = FSavedColor = FDrawColor = Font().Color();
    TRzBlinkingControlsList::Acquire(this);
}

TRzLabel::~TRzLabel() {
    FDestroying = true;
    TRzBlinkingControlsList::Release(this);
}

template <class T>
void TRzLabel::Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    // What changes the text's extent changes the size of a label that fits it.
    AdjustBounds();
    Invalidate();
}

bool TRzLabel::CanTurnFont() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    TTextMetric metric;
    return GetTextMetrics(&canvas, metric) && (metric.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

void TRzLabel::UseTurnableFont() {
    if (!CanTurnFont()) Font().SetName("Arial");
}

void TRzLabel::SetAngle(int32_t Value) {
    // Any number of whole turns either way, INT32_MIN included.
    const int32_t angle = (Value % 360 + 360) % 360;
    if (angle == FAngle) return;
    if (angle != 0 && !ComponentState().Contains(csLoading)) UseTurnableFont();
    FAngle = angle;
    if (angle != 0 && FRotation == roNone) FRotation = roFlat;
    AdjustBounds();
    Invalidate();
}

void TRzLabel::SetRotation(TRotation Value) {
    if (FRotation == Value) return;
    if (Value != roNone && !ComponentState().Contains(csLoading)) UseTurnableFont();
    FRotation = Value;
    if (Value != roCurve) FAngle = 0;
    if (Value == roFlat) FCenterPoint = cpCenter;
    AdjustBounds();
    Invalidate();
}

void TRzLabel::SetCenterPoint(TCenterPoint Value) {
    Change(FCenterPoint, Value);
}

void TRzLabel::SetBlinking(bool Value) {
    if (FBlinking == Value) return;
    FBlinking = Value;
    if (!Value) {
        FShowingNormal = true;
        FDrawColor = FNormalColor;
        Invalidate();
    }
}

void TRzLabel::SetBlinkColor(TColor Value) {
    Change(FBlinkColor, Value);
}

uint16_t TRzLabel::BlinkIntervalOn() const {
    return TRzBlinkingControlsList::Shared()->BlinkIntervalOn();
}

void TRzLabel::SetBlinkIntervalOn(uint16_t Value) {
    TRzBlinkingControlsList::Acquire(this).SetBlinkIntervalOn(Value);
}

uint16_t TRzLabel::BlinkIntervalOff() const {
    return TRzBlinkingControlsList::Shared()->BlinkIntervalOff();
}

void TRzLabel::SetBlinkIntervalOff(uint16_t Value) {
    TRzBlinkingControlsList::Acquire(this).SetBlinkIntervalOff(Value);
}

void TRzLabel::SetBevelWidth(int32_t Value) {
    Change(FBevelWidth, Value);
}

void TRzLabel::SetBorderInner(TFrameStyle Value) {
    Change(FBorderInner, Value);
}

void TRzLabel::SetBorderOuter(TFrameStyle Value) {
    Change(FBorderOuter, Value);
}

void TRzLabel::SetBorderSides(TSides Value) {
    Change(FBorderSides, Value);
}

void TRzLabel::SetBorderColor(TColor Value) {
    Change(FBorderColor, Value);
}

void TRzLabel::SetBorderHighlight(TColor Value) {
    Change(FBorderHighlight, Value);
}

void TRzLabel::SetBorderShadow(TColor Value) {
    Change(FBorderShadow, Value);
}

void TRzLabel::SetBorderWidth(int32_t Value) {
    Change(FBorderWidth, Value);
}

void TRzLabel::SetFlatColor(TColor Value) {
    Change(FFlatColor, Value);
}

void TRzLabel::SetFrameSides(TSides Value) {
    Change(FFrameSides, Value);
}

void TRzLabel::SetFlyByEnabled(bool Value) {
    if (FFlyByEnabled == Value) return;
    FFlyByEnabled = Value;
    // Only a font that shows the fly-by colour has a colour to get back; any other keeps its own.
    if (!Value && FFlyingBy) {
        FFlyingBy = false;
        Font().SetColor(FSavedColor);
    }
    Invalidate();
}

void TRzLabel::SetFlyByColor(TColor Value) {
    Change(FFlyByColor, Value);
}

void TRzLabel::SetLightTextStyle(bool Value) {
    Change(FLightTextStyle, Value);
}

void TRzLabel::SetTextStyle(TTextStyle Value) {
    Change(FTextStyle, Value);
}

void TRzLabel::SetHighlightColor(TColor Value) {
    Change(FHighlightColor, Value);
}

void TRzLabel::SetShadowColor(TColor Value) {
    Change(FShadowColor, Value);
}

void TRzLabel::SetShadowDepth(int32_t Value) {
    Change(FShadowDepth, Value);
}

void TRzLabel::Loaded() {
    if (FAngle != 0 && FRotation == roNone) FRotation = roFlat;
    if (FRotation != roNone) UseTurnableFont();
    FNormalColor = FDrawColor = Font().Color();
    TCustomLabel::Loaded();
    Invalidate();
}

void TRzLabel::CMFontChanged(TMessage& Message) {
    TCustomLabel::CMFontChanged(Message);
    if (ComponentState().Contains(csLoading)) return;
    // A label blinking keeps the new colour for when it shows its normal colour again.
    FNormalColor = Font().Color();
    if (FShowingNormal) FDrawColor = FNormalColor;
    if (FAngle != 0 && !CanTurnFont()) FAngle = 0;
}

void TRzLabel::WndProc(TMessage& Message) {
    TCustomLabel::WndProc(Message);
    switch (Message.Msg) {
        case CM_MOUSEENTER:
            if (FFlyByEnabled && !FFlyingBy) {
                FSavedColor = Font().Color();
                FFlyingBy = true;
                Font().SetColor(FFlyByColor);
            }
            MouseEnter();
            break;
        case CM_MOUSELEAVE:
            if (FFlyingBy) {
                FFlyingBy = false;
                Font().SetColor(FSavedColor);
            }
            MouseLeave();
            break;
        case CM_BLINKING:
            Message.Result = FBlinking ? 1 : 0;
            break;
        case CM_BLINKSTATECHANGED:
            if (FBlinking) BlinkStateChanged((Message.WParam & 0xFF) != 0);
            break;
        default:
            break;
    }
}

void TRzLabel::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TRzLabel::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

void TRzLabel::BlinkStateChanged(bool On) {
    FShowingNormal = !On;
    FDrawColor = On ? FBlinkColor : FNormalColor;
    Invalidate();
}

namespace {

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
    const int32_t bw = FBorderWidth, w = Width(), h = Height();
    switch (FCenterPoint) {
        case cpUpperLeft:
            return Point(bw, bw);
        case cpUpperCenter:
            return Point(w / 2, bw);
        case cpUpperRight:
            return Point(w - bw, bw);
        case cpLeftCenter:
            return Point(bw, h / 2);
        case cpRightCenter:
            return Point(w - bw, h / 2);
        case cpLowerLeft:
            return Point(bw, h - bw);
        case cpLowerCenter:
            return Point(w / 2, h - bw);
        case cpLowerRight:
            return Point(w - bw, h - bw);
        default:
            return Point(w / 2, h / 2);
    }
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
    const int32_t half = FShadowDepth / 2;
    const int32_t e = FTextStyle == tsShadow ? half : 0;
    const double theta = FAngle * Pi / 180 + Pi / 2;
    const double q = Canvas.TextHeight("Pp") / 4.0;
    const int32_t w = Canvas.TextWidth(Caption) + e;
    const int32_t h = Canvas.TextHeight("Pp") + e;
    const bool centred = Alignment() == taCenter, right = Alignment() == taRightJustify;
    TPoint p = Point(Width() / 2, Height() / 2);
    uint32_t align = TA_LEFT | TA_TOP;
    switch (FAngle) {
        case 0:
            if (centred)
                align = TA_CENTER;
            else
                p.X = right ? Text.Right - w - e : Text.Left + e;
            p.Y -= h / 2;
            break;
        case 90:
            p.X -= Round(std::cos(theta) * q);
            p.Y = centred ? Text.Bottom - (Text.Bottom - w) / 2
                  : right ? Text.Top + w + e
                          : Text.Bottom - e;
            align = TA_BASELINE;
            break;
        case 180:
            p.X = centred ? Text.Right - (Text.Right - w) / 2
                  : right ? Text.Left + w
                          : Text.Right - e;
            p.Y -= h / 4;
            align = TA_BASELINE;
            break;
        case 270:
            p.X -= Round(std::cos(theta) * q);
            p.Y = centred ? (Text.Bottom - w) / 2 : right ? Text.Bottom - w - e : Text.Top + e;
            align = TA_BASELINE;
            break;
        default:
            p.X -= Round(std::cos(theta) * q);
            p.Y += Round(std::sin(theta) * q);
            align = TA_CENTER | TA_BASELINE;
            break;
    }
    Canvas.SetTextAlign(align);
    Canvas.Font().SetHandle(CreateRotatedFont(Font(), FAngle));
    for (const TCopy& copy : CopiesOf(*this, half, FTextStyle == tsShadow ? -half : 0)) {
        Canvas.Font().SetColor(copy.Color);
        Canvas.TextRect(Text, p.X + copy.DX, p.Y + copy.DY, Caption);
    }
}

void TRzLabel::PaintCurved(TCanvas& Canvas, const std::string& Caption) {
    const TPoint c = CenterPointOf();
    const int32_t bw2 = 2 * FBorderWidth, w = Width(), h = Height();
    int32_t rx = w - bw2, ry = h - bw2;
    if (FCenterPoint == cpUpperCenter || FCenterPoint == cpLowerCenter || FCenterPoint == cpCenter)
        rx = w / 2 - bw2;
    if (FCenterPoint == cpLeftCenter || FCenterPoint == cpRightCenter || FCenterPoint == cpCenter)
        ry = h / 2 - bw2;
    Canvas.SetTextAlign(TA_CENTER | TA_BASELINE);
    const int32_t t = Canvas.TextHeight("Yy");
    // Each character moves on by the width of a "w" and two pixels, along the horizontal radius;
    // a circle with no radius still moves on, so the characters do not pile up.
    const double step = (Canvas.TextWidth("w") + 2) / static_cast<double>(std::max(rx, 1));
    const std::vector<TCopy> copies = CopiesOf(*this, FShadowDepth, 0);
    double theta = FAngle * Pi / 180;
    for (char ch : Caption) {
        const int32_t x = c.X - Round(std::sin(theta) * (rx - t));
        const int32_t y = c.Y - Round(std::cos(theta) * (ry - t));
        TLogFont turned = Font().LogFont();
        turned.lfEscapement = Round(theta * 1800 / Pi);
        turned.lfOrientation = 0;
        Canvas.Font().SetHandle(CreateFontIndirect(turned));
        for (const TCopy& copy : copies) {
            Canvas.Font().SetColor(copy.Color);
            Canvas.TextOut(x + copy.DX, y + copy.DY, std::string(1, ch));
        }
        theta = std::remainder(theta - step, 2 * Pi);
    }
}

}  // namespace vex
