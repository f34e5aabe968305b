#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/graphiccontrol.h"

namespace vex {

// The small window a hint shows in: a line-framed box in the hint colour with the text in the
// screen's hint font, on top of every other window and never taking activation.
class THintWindow : public TCustomControl {
    VEX_CLASS(THintWindow, TCustomControl)

public:
    explicit THintWindow(TComponent* AOwner);

    // The box Hint needs, from (0, 0), its lines broken to stay within MaxWidth.
    virtual TRect CalcHintRect(int32_t MaxWidth, const std::string& Hint);
    // Shows Hint over Rect (screen coordinates), moved onto the screen where it overhangs,
    // without activating anything.
    virtual void ActivateHint(const TRect& Rect, const std::string& Hint);
    void ReleaseHint();
    bool HintShowing();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    // The space between the frame and the text.
    static constexpr int32_t kMargin = 2;
};

}  // namespace vex
