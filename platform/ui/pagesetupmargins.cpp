#include <cctype>
#include <cstdlib>

#include "platform/core/stringutils.h"
#include "platform/ui/pagesetup.h"

namespace vex {

namespace {

struct TUnitScale {
    int32_t PerWhole;  // units in an inch or a millimetre
    int32_t Decimals;
};

TUnitScale ScaleOf(TMarginUnit Unit) {
    return Unit == muThousandthsOfInches ? TUnitScale{1000, 3} : TUnitScale{100, 2};
}

constexpr int64_t kMostWholes = 10000;

}  // namespace

std::string MarginText(int32_t Value, TMarginUnit Unit) {
    const TUnitScale scale = ScaleOf(Unit);
    const int64_t magnitude = std::llabs(static_cast<int64_t>(Value));
    std::string text = (Value < 0 ? "-" : "") + std::to_string(magnitude / scale.PerWhole);
    std::string fraction = std::to_string(magnitude % scale.PerWhole + scale.PerWhole).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

std::optional<int32_t> MarginValue(const std::string& Text, TMarginUnit Unit) {
    const TUnitScale scale = ScaleOf(Unit);
    const std::string text = Trim(Text);
    int64_t wholes = 0, fraction = 0;
    int32_t digits = 0, decimals = 0;
    bool point = false, roundUp = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        ++digits;
        const int32_t digit = c - '0';
        if (!point) {
            wholes = wholes * 10 + digit;
            if (wholes > kMostWholes) return std::nullopt;
        } else if (decimals < scale.Decimals) {
            fraction = fraction * 10 + digit;
            ++decimals;
        } else if (decimals++ == scale.Decimals) {
            roundUp = digit >= 5;
        }
    }
    if (digits == 0) return std::nullopt;
    for (int32_t i = std::min(decimals, scale.Decimals); i < scale.Decimals; ++i)
        fraction *= 10;
    const int64_t value = wholes * scale.PerWhole + fraction + (roundUp ? 1 : 0);
    if (value > kMostWholes * scale.PerWhole) return std::nullopt;
    return static_cast<int32_t>(value);
}

bool MarginsLeaveRoom(const TRect& Margins, TMarginUnit Unit, const TPaperSize& Paper,
                      int16_t Orientation) {
    const bool across = Orientation == DMORIENT_LANDSCAPE;
    const int64_t width = across ? Paper.Height : Paper.Width;
    const int64_t height = across ? Paper.Width : Paper.Height;
    // Compared in whole numbers: the paper is in tenths of a millimetre, and a thousandth of an
    // inch is 0.254 of them.
    const auto fits = [Unit](int64_t Margin, int64_t Paper) {
        return Unit == muThousandthsOfInches ? Margin * 254 < Paper * 1000 : Margin < Paper * 10;
    };
    return fits(int64_t{Margins.Left} + Margins.Right, width) &&
           fits(int64_t{Margins.Top} + Margins.Bottom, height);
}

}  // namespace vex
