#pragma once

#include <cstdint>
#include <string>

#include "components/misc/RzCommon.h"
#include "platform/core/events.h"
#include "platform/ui/label.h"

namespace vex {

// How the caption stands out: copies of it in the highlight and shadow colours up-left and
// down-right of the face (raised: highlight up-left; recessed: the other way round), or one
// shadow copy ShadowDepth down and right.
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
// Upright, turned by Angle as a whole, or laid character by character along a circle.
enum TRotation { roNone, roFlat, roCurve };
// The point rotated and curved text turns round.
enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};

// A label whose caption is raised, recessed or shadowed, optionally turned by any angle or laid
// round a circle, inside frame lines (FrameSides, black), an outer border, a bevel BorderWidth
// lines wide in BorderColor and an inner border. While the mouse is over it the font may take
// FlyByColor; while Blinking it alternates between its font colour and BlinkColor in step with
// every other label, on the one shared timer of TRzBlinkingControlsList.
class TRzLabel : public TLabel {
    VEX_CLASS(TRzLabel, TLabel)

public:
    explicit TRzLabel(TComponent* AOwner);
    ~TRzLabel() override;

    // Degrees counter-clockwise, kept in [0, 360): -30 is stored as 330, 400 as 40.
    int32_t Angle() const { return FAngle; }
    void SetAngle(int32_t Value);
    TRotation Rotation() const { return FRotation; }
    void SetRotation(TRotation Value);
    TCenterPoint CenterPoint() const { return FCenterPoint; }
    void SetCenterPoint(TCenterPoint Value);

    bool Blinking() const { return FBlinking; }
    void SetBlinking(bool Value);
    TColor BlinkColor() const { return FBlinkColor; }
    void SetBlinkColor(TColor Value);
    // Shared by every label: they blink in step.
    uint16_t BlinkIntervalOn() const;
    void SetBlinkIntervalOn(uint16_t Value);
    uint16_t BlinkIntervalOff() const;
    void SetBlinkIntervalOff(uint16_t Value);

    int32_t BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int32_t Value);
    TFrameStyle BorderInner() const { return FBorderInner; }
    void SetBorderInner(TFrameStyle Value);
    TFrameStyle BorderOuter() const { return FBorderOuter; }
    void SetBorderOuter(TFrameStyle Value);
    TSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TSides Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderHighlight() const { return FBorderHighlight; }
    void SetBorderHighlight(TColor Value);
    TColor BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(TColor Value);
    int32_t BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int32_t Value);
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor Value);
    TSides FrameSides() const { return FFrameSides; }
    void SetFrameSides(TSides Value);

    bool FlyByEnabled() const { return FFlyByEnabled; }
    void SetFlyByEnabled(bool Value);
    TColor FlyByColor() const { return FFlyByColor; }
    void SetFlyByColor(TColor Value);

    // Raised text without its shadow copy, recessed text without its highlight copy.
    bool LightTextStyle() const { return FLightTextStyle; }
    void SetLightTextStyle(bool Value);
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle Value);
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value);
    int32_t ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int32_t Value);

    // The colour the face is drawn in now: the font's, or BlinkColor while blinking shows it.
    TColor DrawColor() const { return FShowingNormal ? FNormalColor : FBlinkColor; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void WndProc(TMessage& Message) override;

protected:
    virtual void BlinkStateChanged(bool On);
    // Adds to a measured caption's extent what the frames, borders, shadow and turn take.
    virtual void GrowForBorders(TSize& Extent);
    // The rectangle the text is laid in: Rect less the frame lines and borders.
    virtual void AdjustClientRect(TRect& Rect, bool IncludeBorderWidth);
    virtual void MouseEnter();
    virtual void MouseLeave();

    void Paint() override;
    void Loaded() override;
    void CMFontChanged(TMessage& Message) override;
    // Measuring for the automatic size grows the caption's extent by GrowForBorders.
    void DoDrawText(TRect& Rect, uint32_t Flags) override;

private:
    template <class T>
    void Change(T& Field, T Value);
    template <class T>
    void ChangeExtent(T& Field, T Value);
    TRect DrawFrame(TRect Bounds, TFrameStyle Style);
    // Whether the font is one that can be turned; tested on the label's canvas.
    bool CanTurnFont();
    void UseTurnableFont();
    TPoint CenterPointOf() const;
    // The caption drawn upright in Text, turned by Angle about the middle, or round a circle.
    void PaintUpright(TCanvas& Canvas, const std::string& Caption, TRect Text);
    void PaintTurned(TCanvas& Canvas, const std::string& Caption, const TRect& Text);
    void PaintCurved(TCanvas& Canvas, const std::string& Caption);

    int32_t FAngle = 0;
    TColor FBlinkColor = clHighlight;
    bool FShowingNormal = true;
    bool FBlinking = false;
    int32_t FBevelWidth = 1;
    TFrameStyle FBorderInner = fsNone;
    TFrameStyle FBorderOuter = fsNone;
    TSides FBorderSides{sdLeft, sdTop, sdRight, sdBottom};
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    int32_t FBorderWidth = 0;
    TColor FFlatColor = clBlack;
    TSides FFrameSides;
    TColor FNormalColor;
    TCenterPoint FCenterPoint = cpCenter;
    TColor FSavedColor;
    bool FFlyByEnabled = false;
    // The font shows FlyByColor: the mouse entered and has not left since.
    bool FFlyingBy = false;
    TColor FFlyByColor = clHighlight;
    bool FLightTextStyle = false;
    TTextStyle FTextStyle = tsRecessed;
    TRotation FRotation = roNone;
    TColor FHighlightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    int32_t FShadowDepth = 2;
};

}  // namespace vex
