#include "components/entry/OvcColor.h"

#include "platform/core/typinfo.h"

namespace vex {

namespace {

const bool ColorsPublished = [] {
    using C = TOvcColors;
    RegisterProperties(
        C::StaticClassInfo(),
        {OrdinalProperty("BackColor", tkInteger, "TColor", &C::BackColor, &C::SetBackColor),
         OrdinalProperty("TextColor", tkInteger, "TColor", &C::TextColor, &C::SetTextColor),
         OrdinalProperty("UseDefault", tkEnumeration, "Boolean", &C::UseDefault,
                         &C::SetUseDefault)});
    return true;
}();

}  // namespace

TOvcColors::TOvcColors(TColor DefBackColor, TColor DefTextColor)
    : FBackColor(DefBackColor),
      FTextColor(DefTextColor),
      FDefBackColor(DefBackColor),
      FDefTextColor(DefTextColor) {}

void TOvcColors::Reset() {
    FBackColor = FDefBackColor;
    FTextColor = FDefTextColor;
}

void TOvcColors::DoColorChange() {
    if (OnColorChange) OnColorChange(this);
}

void TOvcColors::SetBackColor(TColor Value) {
    if (Value == FBackColor) return;
    FBackColor = Value;
    if (FBackColor != FDefBackColor) FUseDefault = false;
    DoColorChange();
}

void TOvcColors::SetTextColor(TColor Value) {
    if (Value == FTextColor) return;
    FTextColor = Value;
    if (FTextColor != FDefTextColor) FUseDefault = false;
    DoColorChange();
}

void TOvcColors::SetUseDefault(bool Value) {
    FUseDefault = Value;
    if (!FUseDefault) return;
    Reset();
    DoColorChange();
}

void TOvcColors::Assign(const TPersistent* Source) {
    if (const auto* colors = dynamic_cast<const TOvcColors*>(Source)) {
        SetBackColor(colors->FBackColor);
        SetTextColor(colors->FTextColor);
        return;
    }
    TPersistent::Assign(Source);
}

}  // namespace vex
