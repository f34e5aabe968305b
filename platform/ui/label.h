#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/graphiccontrol.h"

namespace vex {

// How text sits down the height it is given.
enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption painted on its parent: aligned and laid out in its bounds, wrapped at words when
// asked, with "&" marking an accelerator unless ShowAccelChar is off, and etched when disabled.
// With AutoSize (on at first) it takes the size of its text, keeping its top, and its left edge
// (its right one when right-justified).
// The text-drawing flag (DT_LEFT, DT_CENTER or DT_RIGHT) of an alignment.
uint32_t AlignmentFlags(TAlignment Alignment);

class TCustomLabel : public TGraphicControl {
    VEX_CLASS(TCustomLabel, TGraphicControl)

public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    void SetAutoSize(bool Value) override;
    // The control an accelerator of the caption gives the focus to; forgotten when it is freed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    // A transparent label paints its text only, over what its parent painted.
    bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

protected:
    void AdjustBounds() override;
    // Draws the label's text into Rect with DrawText's Flags, or with DT_CALCRECT measures it.
    virtual void DoDrawText(TRect& Rect, uint32_t Flags);
    virtual std::string GetLabelText() { return Caption(); }
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    // The caption's accelerator gives the focus to FocusControl.
    void CMDialogChar(TMessage& Message) override;

private:
    TAlignment FAlignment = taLeftJustify;
    TWinControl* FFocusControl = nullptr;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
    VEX_CLASS(TLabel, TCustomLabel)

public:
    using TCustomLabel::TCustomLabel;
};

}  // namespace vex
