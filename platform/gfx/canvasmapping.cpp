#include "platform/gfx/canvas.h"

namespace vex {

int32_t TCanvas::SetMapMode(int32_t Mode) {
    const int32_t old = FMapping.Mode();
    if (!FMapping.SetMode(Mode)) return 0;
    MappingChanged(old != Mode);
    return old;
}

void TCanvas::SetWindowOrg(TPoint Value) {
    FMapping.SetWindowOrg(Value);
    MappingChanged(false);
}

void TCanvas::SetViewportOrg(TPoint Value) {
    FMapping.SetViewportOrg(Value);
    MappingChanged(false);
}

void TCanvas::SetPixelsPerInch(int32_t X, int32_t Y) {
    const TMapping before = FMapping;
    FMapping.SetPixelsPerInch(X, Y);
    MappingChanged(!FMapping.SameScale(before));
}

void TCanvas::MappingChanged(bool ScaleChanged) {
    FMapped = !FMapping.Identity() && !FInDeviceUnits;
    if (ScaleChanged) FRealized.reset();
}

TRect TCanvas::DPtoLP(const TRect& R) const {
    if (!FMapped) return R;
    const TPoint a = FMapping.ToLogical(Point(R.Left, R.Top));
    const TPoint b = FMapping.ToLogical(Point(R.Right, R.Bottom));
    return Rect(a.X, a.Y, b.X, b.Y);
}

}  // namespace vex
