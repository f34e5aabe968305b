#pragma once

#include "components/misc/RzCommon.h"
#include "platform/ui/graphiccontrol.h"

namespace gallery {

// A windowed control that holds others, erased in its colour and framed in a style of the
// classic look.
class TFramedPanel : public vex::TCustomControl {
public:
    explicit TFramedPanel(vex::TComponent* AOwner, vex::TFrameStyle Style = vex::fsGroove)
        : vex::TCustomControl(AOwner), FStyle(Style) {
        FControlStyle.Include(vex::csAcceptsControls);
    }

protected:
    void Paint() override {
        vex::DrawBorder(Canvas(), ClientRect(), FStyle,
                        {vex::sdLeft, vex::sdTop, vex::sdRight, vex::sdBottom});
    }

private:
    vex::TFrameStyle FStyle;
};

// A windowed control whose window is made with extra style bits: the frames and scroll bars of
// the window layer show on it as any window of those styles would have them.
class TStyledWindow : public vex::TWinControl {
public:
    TStyledWindow(vex::TComponent* AOwner, vex::DWORD Style, vex::DWORD ExStyle)
        : vex::TWinControl(AOwner), FStyle(Style), FExStyle(ExStyle) {}

protected:
    void CreateParams(vex::TCreateParams& Params) override {
        vex::TWinControl::CreateParams(Params);
        Params.Style |= FStyle;
        Params.ExStyle |= FExStyle;
    }

private:
    vex::DWORD FStyle;
    vex::DWORD FExStyle;
};

}  // namespace gallery
