#pragma once

#include <cstdint>

#include "platform/ui/buttonglyph.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

// A tool button without a window (it never takes the focus) with a glyph and a caption. Buttons
// of one parent that share a GroupIndex other than 0 act as one: pressing one latches it Down
// and lets the others up; without AllowAllUp the latched one stays down when pressed again.
// With GroupIndex 0 the button only clicks. A Flat button shows its edge only while the mouse
// is over it or it is down, and otherwise lets its parent show through.
class TSpeedButton : public TGraphicControl {
    VEX_CLASS(TSpeedButton, TGraphicControl)

public:
    explicit TSpeedButton(TComponent* AOwner);

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    int32_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int32_t Value);
    // Setting Down on a button outside a group, or letting the group's only latched button up
    // without AllowAllUp, changes nothing.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    const TBitmap& Glyph() const { return FGlyph.Glyph(); }
    void SetGlyph(const TBitmap& Value);
    TNumGlyphs NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value);
    TButtonLayout Layout() const { return FGlyph.Layout(); }
    void SetLayout(TButtonLayout Value);
    int32_t Margin() const { return FGlyph.Margin(); }
    void SetMargin(int32_t Value);
    int32_t Spacing() const { return FGlyph.Spacing(); }
    void SetSpacing(int32_t Value);

    // The look it shows now.
    TButtonState State() const { return FState; }
    // The mouse is over it (a flat button shows its hot look).
    bool MouseInControl() const { return FMouseInControl; }

    using TGraphicControl::Click;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void CMEnabledChanged(TMessage& Message) override;
    void WMCancelMode(TMessage& Message) override;

private:
    void SetState(TButtonState Value);
    // The look when no press is going on.
    TButtonState RestingState() const;
    // Lets the others of the group up when this one is down, and gives them its AllowAllUp.
    void UpdateExclusive();
    bool Inside(int32_t X, int32_t Y) const {
        return X >= 0 && Y >= 0 && X < Width() && Y < Height();
    }

    TButtonGlyph FGlyph;
    TButtonState FState = bsUp;
    int32_t FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;
    bool FFlat = false;
    bool FDragging = false;
    bool FMouseInControl = false;
};

}  // namespace vex
