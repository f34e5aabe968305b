#include "components/entry/OvcNumericRules.h"

#include <algorithm>
#include <cmath>

#include "components/entry/OvcPictureMask.h"

namespace vex {

TNumericCapacity NumericCapacity(const TOvcPictureMask& Mask, uint8_t DecimalPlaces) {
    TNumericCapacity capacity;
    const size_t length = Mask.MaxLength();
    const size_t dot = Mask.DecimalPos();
    capacity.HasPoint = dot != std::string::npos;
    if (capacity.HasPoint) {
        for (size_t i = dot + 1; i < length && Mask.FlagAt(i) == TOvcPictureMask::pfPicture; ++i)
            ++capacity.Decimals;
    } else {
        capacity.Decimals = DecimalPlaces;
    }
    size_t pos = 0;
    while (pos < length && Mask.FlagAt(pos) != TOvcPictureMask::pfPicture)
        ++pos;
    for (; pos < length; ++pos) {
        if (Mask.FlagAt(pos) == TOvcPictureMask::pfPicture)
            ++capacity.MaxDigits;
        else if (Mask.MaskCharAt(pos) != ',')
            break;
    }
    if (capacity.HasPoint && capacity.Decimals > 0) capacity.MaxDigits += capacity.Decimals + 1;
    capacity.MaxIntDigits = capacity.MaxDigits;
    if (capacity.Decimals > 0)
        capacity.MaxIntDigits -= std::min<uint16_t>(capacity.MaxDigits, capacity.Decimals + 1);
    return capacity;
}

std::optional<long double> StepNumericValue(long double Value, long double Delta, long double Lo,
                                            long double Hi, bool Wrap, bool Integer) {
    if (Delta < 0 && Value <= Lo) return Wrap ? std::optional(Hi) : std::nullopt;
    if (Delta > 0 && Value >= Hi) return Wrap ? std::optional(Lo) : std::nullopt;
    const long double step = Integer ? std::trunc(Delta) : Delta;
    return std::clamp(Value + step, Lo, Hi);
}

bool ValueFitsCapacity(const std::string& ValueText, const TNumericCapacity& Capacity) {
    std::string digits = ValueText;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.erase(0, 1);
    digits = digits.substr(0, digits.find('.'));
    const size_t significant = digits.find_first_not_of('0');
    const size_t shown = significant == std::string::npos ? 1 : digits.size() - significant;
    return shown + (negative ? 1 : 0) <= Capacity.MaxIntDigits;
}

std::string OverflowDisplay(const TOvcPictureMask& Mask, const TPictureFieldKind& Kind) {
    std::string shown = Mask.MergeWithPicture("", Kind);
    for (size_t i = 0; i < shown.size(); ++i)
        if (!Mask.IsLiteral(i)) shown[i] = '*';
    return shown;
}

}  // namespace vex
