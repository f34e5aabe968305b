#pragma once

#include <functional>

#include "platform/core/object.h"
#include "platform/gfx/colors.h"

namespace vex {

// A background and text colour pair with the defaults it was made with. UseDefault stays True
// only while both colours are the defaults; streams keep the two colours, never UseDefault.
class TOvcColors : public TPersistent {
    VEX_CLASS(TOvcColors, TPersistent)

public:
    TOvcColors(TColor DefBackColor, TColor DefTextColor);

    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor Value);
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value);
    // True puts both colours back to the defaults.
    bool UseDefault() const { return FUseDefault; }
    void SetUseDefault(bool Value);

    TColor DefBackColor() const { return FDefBackColor; }
    TColor DefTextColor() const { return FDefTextColor; }

    void Assign(const TPersistent* Source) override;

    std::function<void(TObject* Sender)> OnColorChange;

protected:
    void DoColorChange();

private:
    void Reset();

    TColor FBackColor;
    TColor FTextColor;
    bool FUseDefault = true;
    TColor FDefBackColor;
    TColor FDefTextColor;
};

}  // namespace vex
