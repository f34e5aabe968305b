#include "platform/gfx/mapmode.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/gfx/graphicserrors.h"

namespace vex {

namespace {

constexpr int64_t TenthsOfMillimetrePerInch = 254;

// Round(N / D) for D > 0, halves upwards, so that the mapping moves every coordinate alike and
// lines a whole number of pixels apart stay so wherever they lie.
int64_t RoundDiv(int64_t N, int64_t D) {
    const int64_t q = (2 * N + D) / (2 * D);
    // Division truncates towards zero; below zero that is one too high unless exact.
    return (2 * N + D) % (2 * D) < 0 ? q - 1 : q;
}

// Units times PixelsPerInch / 254, rounded; coordinates reach it within 2^33 and resolutions
// within 2^14, so the product stays far inside 64 bits.
int64_t ToPixels(int64_t Units, int32_t PixelsPerInch) {
    return RoundDiv(Units * PixelsPerInch, TenthsOfMillimetrePerInch);
}

int64_t ToUnits(int64_t Pixels, int32_t PixelsPerInch) {
    return RoundDiv(Pixels * TenthsOfMillimetrePerInch, PixelsPerInch);
}

}  // namespace

TPoint TMapping::Move(TPoint P, TPoint From, TPoint To, int64_t (*Scale)(int64_t, int32_t)) const {
    const int64_t x = int64_t{P.X} - From.X;
    const int64_t y = int64_t{P.Y} - From.Y;
    if (!Scaled()) return Point(SaturateToInt32(To.X + x), SaturateToInt32(To.Y + y));
    return Point(SaturateToInt32(To.X + Scale(x, FPixelsPerInchX)),
                 SaturateToInt32(To.Y - Scale(y, FPixelsPerInchY)));
}

bool TMapping::SetMode(int32_t Mode) {
    if (Mode != MM_TEXT && Mode != MM_LOMETRIC) return false;
    FMode = Mode;
    Update();
    return true;
}

void TMapping::SetWindowOrg(TPoint Value) {
    FWindowOrg = Value;
    Update();
}

void TMapping::SetViewportOrg(TPoint Value) {
    FViewportOrg = Value;
    Update();
}

void TMapping::SetPixelsPerInch(int32_t X, int32_t Y) {
    const auto valid = [](int32_t V) { return V >= 1 && V <= MaxPixelsPerInch; };
    if (!valid(X) || !valid(Y))
        throw EInvalidGraphicOperation("Pixels per inch must lie between 1 and " +
                                       std::to_string(MaxPixelsPerInch));
    FPixelsPerInchX = X;
    FPixelsPerInchY = Y;
}

TPoint TMapping::ToDevice(TPoint P) const {
    return Move(P, FWindowOrg, FViewportOrg, ToPixels);
}

std::vector<TPoint> TMapping::ToDevice(const std::vector<TPoint>& Points) const {
    std::vector<TPoint> device;
    device.reserve(Points.size());
    for (TPoint p : Points)
        device.push_back(ToDevice(p));
    return device;
}

TRect TMapping::ToDevice(const TRect& R) const {
    const TPoint a = ToDevice(Point(R.Left, R.Top));
    const TPoint b = ToDevice(Point(R.Right, R.Bottom));
    if (!Scaled()) return Rect(a.X, a.Y, b.X, b.Y);
    return Rect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

TPoint TMapping::ToLogical(TPoint P) const {
    return Move(P, FViewportOrg, FWindowOrg, ToUnits);
}

int64_t TMapping::WidthToDevice(int64_t Units) const {
    return Scaled() ? ToPixels(std::abs(Units), FPixelsPerInchX) : std::abs(Units);
}

int64_t TMapping::HeightToDevice(int64_t Units) const {
    return Scaled() ? ToPixels(std::abs(Units), FPixelsPerInchY) : std::abs(Units);
}

int64_t TMapping::WidthToLogical(int64_t Pixels) const {
    return Scaled() ? ToUnits(std::abs(Pixels), FPixelsPerInchX) : std::abs(Pixels);
}

int64_t TMapping::HeightToLogical(int64_t Pixels) const {
    return Scaled() ? ToUnits(std::abs(Pixels), FPixelsPerInchY) : std::abs(Pixels);
}

int32_t TMapping::PenWidthToDevice(int32_t Width) const {
    return SaturateToInt32(std::max<int64_t>(WidthToDevice(Width), 1));
}

TLogFont TMapping::FontToDevice(TLogFont Font) const {
    if (!Scaled()) return Font;
    // The sign of a height says whether it is the character's or the cell's; it stays.
    const auto scale = [](int32_t Size, int64_t Pixels) {
        if (Size == 0) return 0;
        const int32_t magnitude = SaturateToInt32(std::max<int64_t>(Pixels, 1));
        return Size < 0 ? -magnitude : magnitude;
    };
    Font.lfHeight = scale(Font.lfHeight, HeightToDevice(Font.lfHeight));
    Font.lfWidth = scale(Font.lfWidth, WidthToDevice(Font.lfWidth));
    return Font;
}

TTextMetric TMapping::MetricsToLogical(TTextMetric M) const {
    if (!Scaled()) return M;
    const auto down = [&](int32_t& V) { V = SaturateToInt32(HeightToLogical(V)); };
    const auto across = [&](int32_t& V) { V = SaturateToInt32(WidthToLogical(V)); };
    // The height is the cell's, rounded once, as a text extent has it; the descent takes what
    // the ascent's rounding leaves.
    const int32_t height = SaturateToInt32(HeightToLogical(int64_t{M.tmAscent} + M.tmDescent));
    down(M.tmAscent);
    M.tmDescent = height - M.tmAscent;
    M.tmHeight = height;
    down(M.tmInternalLeading);
    down(M.tmExternalLeading);
    across(M.tmAveCharWidth);
    across(M.tmMaxCharWidth);
    across(M.tmOverhang);
    return M;
}

}  // namespace vex
