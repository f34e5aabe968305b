#include "components/misc/RzLabel.h"

#include "platform/gfx/drawtext.h"
#include "platform/ui/controlmessages.h"

namespace vex {

TRzLabel::TRzLabel(TComponent* AOwner) : TLabel(AOwner) {
    FNormalColor = FSavedColor = Font().Color();
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
    Invalidate();
}

template <class T>
void TRzLabel::ChangeExtent(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    // A label that fits its text takes the new room the text needs.
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
    ChangeExtent(FBevelWidth, Value);
}

void TRzLabel::SetBorderInner(TFrameStyle Value) {
    ChangeExtent(FBorderInner, Value);
}

void TRzLabel::SetBorderOuter(TFrameStyle Value) {
    ChangeExtent(FBorderOuter, Value);
}

void TRzLabel::SetBorderSides(TSides Value) {
    ChangeExtent(FBorderSides, Value);
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
    ChangeExtent(FBorderWidth, Value);
}

void TRzLabel::SetFlatColor(TColor Value) {
    Change(FFlatColor, Value);
}

void TRzLabel::SetFrameSides(TSides Value) {
    ChangeExtent(FFrameSides, Value);
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
    ChangeExtent(FTextStyle, Value);
}

void TRzLabel::SetHighlightColor(TColor Value) {
    Change(FHighlightColor, Value);
}

void TRzLabel::SetShadowColor(TColor Value) {
    Change(FShadowColor, Value);
}

void TRzLabel::SetShadowDepth(int32_t Value) {
    ChangeExtent(FShadowDepth, Value);
}

void TRzLabel::Loaded() {
    if (FAngle != 0 && FRotation == roNone) FRotation = roFlat;
    if (FRotation != roNone) UseTurnableFont();
    FNormalColor = Font().Color();
    TCustomLabel::Loaded();
    Invalidate();
}

void TRzLabel::CMFontChanged(TMessage& Message) {
    TCustomLabel::CMFontChanged(Message);
    if (ComponentState().Contains(csLoading)) return;
    // A label blinking keeps the new colour for when it shows its normal colour again.
    FNormalColor = Font().Color();
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
    Invalidate();
}

}  // namespace vex
