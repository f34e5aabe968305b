#include "components/entry/EsCalColors.h"

namespace vex {

const TEsCalColors::TColorSet& TEsCalColors::SchemeColors(TEsCalColorScheme Scheme) {
    // ActiveDay, DayNames, Days, InactiveDays, MonthAndYear, Weekend.
    static const std::array<TColorSet, 5> schemes{{
        {clBlack, clBlack, clBlack, clBlack, clBlack, clBlack},
        {clRed, clMaroon, clBlack, clGray, clBlue, clRed},
        {clBlack, clBlack, clYellow, clGray, clBlack, clTeal},
        {clBlack, clBlack, clAqua, clGray, clBlack, clNavy},
        {clRed, clRed, clFuchsia, clGray, clBlue, clTeal},
    }};
    return schemes[static_cast<size_t>(Scheme)];
}

void TEsCalColors::SetColor(TIndex Index, TColor Value) {
    if (FColors[Index] == Value) return;
    FColors[Index] = Value;
    DoChange();
}

void TEsCalColors::SetColorScheme(TEsCalColorScheme Value) {
    if (Value > TEsCalColorScheme::csRose) Value = TEsCalColorScheme::csCustom;
    if (FColorScheme == Value) return;
    FSettingScheme = true;
    FColorScheme = Value;
    if (Value != TEsCalColorScheme::csCustom) {
        FColors = SchemeColors(Value);
        // A handler that throws must not leave every later colour change counted as the scheme's.
        try {
            DoChange();
        } catch (...) {
            FSettingScheme = false;
            throw;
        }
    }
    FSettingScheme = false;
}

void TEsCalColors::Assign(const TPersistent* Source) {
    if (const auto* other = dynamic_cast<const TEsCalColors*>(Source)) {
        FColors = other->FColors;
        FColorScheme = other->FColorScheme;
        return;
    }
    TPersistent::Assign(Source);
}

void TEsCalColors::DoChange() {
    if (OnChange) OnChange(this);
    if (!FSettingScheme) FColorScheme = TEsCalColorScheme::csCustom;
}

}  // namespace vex
