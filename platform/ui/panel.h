#pragma once

#include <cstdint>

#include "platform/ui/control.h"
#include "platform/ui/formtypes.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

// The frame a control's window has: none, or a single line (sunken, with Ctl3D).
using TBorderStyle = TFormBorderStyle;

// A bevel of a panel: none, pressed in, standing out, or a band of the panel's colour.
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A windowed container: an outer bevel, a border of the panel's colour BorderWidth wide, an
// inner bevel, and its caption in the middle of what is left, with its children aligned within.
class TCustomPanel : public TCustomControl {
    VEX_CLASS(TCustomPanel, TCustomControl)

public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    // Each bevel's width; values below 1 are taken as 1.
    int32_t BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int32_t Value);
    // Values below 0 are taken as 0.
    int32_t BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int32_t Value);
    // bsNone or bsSingle; any other is taken as bsSingle.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void CMTextChanged(TMessage& Message) override;

private:
    // The bevels and the border, inward from the window's client area.
    int64_t FrameWidth() const;
    void FrameChanged();

    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int32_t FBevelWidth = 1;
    int32_t FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
    VEX_CLASS(TPanel, TCustomPanel)

public:
    using TCustomPanel::TCustomPanel;
};

}  // namespace vex
