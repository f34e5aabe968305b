#include <utility>

#include "platform/gfx/canvas.h"

namespace vex {

namespace {

// Restored states kept for the next saves, so that painting, which saves and restores around
// every control, does not make and free a pen, a brush and a font each time.
constexpr size_t kSpareSavedStates = 8;

bool Same(const TPen& A, const TPen& B) {
    return A.Color() == B.Color() && A.Width() == B.Width() && A.Style() == B.Style() &&
           A.Mode() == B.Mode();
}

bool Same(const TBrush& A, const TBrush& B) {
    const TBrushPattern &a = A.Pattern(), &b = B.Pattern();
    return A.Color() == B.Color() && A.Style() == B.Style() && A.Bitmap() == B.Bitmap() &&
           a.Width == b.Width && a.Height == b.Height && a.Pixels == b.Pixels;
}

bool Same(const TFont& A, const TFont& B) {
    if (A.Version() == B.Version()) return true;
    return A.Height() == B.Height() && A.Color() == B.Color() && A.Style() == B.Style() &&
           A.Pitch() == B.Pitch() && A.Charset() == B.Charset() &&
           A.Orientation() == B.Orientation() && A.Name() == B.Name();
}

// Painting saves and restores around every control, and mostly nothing changed in between, nor
// since the spare state was last used: copying only what differs keeps that cheap.
template <typename T>
void CopyIfChanged(T& Into, const T& From) {
    if (!Same(Into, From)) Into.Assign(&From);
}

}  // namespace

void TCanvas::SaveStateTo(TSavedState& State) const {
    CopyIfChanged(State.Pen, FPen);
    CopyIfChanged(State.Brush, FBrush);
    // At the font's own resolution, so that restoring gives back its height as it was.
    State.Font.SetPixelsPerInch(FFont.PixelsPerInch());
    CopyIfChanged(State.Font, FFont);
    State.TextColor = FTextColor;
    State.BkColor = FBkColor;
    State.BkTransparent = FBkTransparent;
    State.TextAlign = FTextAlign;
    State.CopyMode = FCopyMode;
    State.Origin = FOrigin;
    State.PenPos = FPenPos;
    State.UserClip = FUserClip;
    State.MapMode = FMapping.Mode();
    State.WindowOrg = FMapping.WindowOrg();
    State.ViewportOrg = FMapping.ViewportOrg();
}

void TCanvas::TakeState(TSavedState& State) {
    CopyIfChanged(FPen, State.Pen);
    CopyIfChanged(FBrush, State.Brush);
    // Taking the font sets the text colour to the font's, so the saved colour comes after.
    CopyIfChanged(FFont, State.Font);
    FTextColor = State.TextColor;
    FBkColor = State.BkColor;
    FBkTransparent = State.BkTransparent;
    FTextAlign = State.TextAlign;
    FCopyMode = State.CopyMode;
    FOrigin = State.Origin;
    FPenPos = State.PenPos;
    FUserClip = std::move(State.UserClip);
    State.UserClip.reset();
    InvalidateClip();
    // Painting restores around every control, and the mapping is then the text mode throughout.
    if (State.MapMode == FMapping.Mode() && State.WindowOrg == FMapping.WindowOrg() &&
        State.ViewportOrg == FMapping.ViewportOrg())
        return;
    const bool scaleChanged = FMapping.Mode() != State.MapMode;
    FMapping.SetMode(State.MapMode);
    FMapping.SetWindowOrg(State.WindowOrg);
    FMapping.SetViewportOrg(State.ViewportOrg);
    MappingChanged(scaleChanged);
}

int32_t TCanvas::SaveDC() {
    if (FSavedDepth >= static_cast<size_t>(MaxSavedStates)) return 0;
    if (FSaved.size() == FSavedDepth) FSaved.push_back(std::make_unique<TSavedState>());
    SaveStateTo(*FSaved[FSavedDepth]);
    return static_cast<int32_t>(++FSavedDepth);
}

bool TCanvas::RestoreDC(int32_t Index) {
    const auto depth = static_cast<int64_t>(FSavedDepth);
    const int64_t level = Index > 0 ? Index : depth + Index + 1;
    if (Index == 0 || level < 1 || level > depth) return false;
    TakeState(*FSaved[static_cast<size_t>(level - 1)]);
    DropSavedStatesFrom(static_cast<size_t>(level - 1));
    return true;
}

void TCanvas::DropSavedStatesFrom(size_t Depth) {
    FSavedDepth = Depth;
    if (FSaved.size() > FSavedDepth + kSpareSavedStates)
        FSaved.resize(FSavedDepth + kSpareSavedStates);
}

void TCanvas::ResetState() {
    // Taking a state moves its user clip out, and a fresh canvas has none: the one copy serves
    // every reset.
    struct TFresh {
        TSavedState State;
        TFresh() {
            TBitmap nothing;
            TCanvas(nothing).SaveStateTo(State);
        }
    };
    static TFresh fresh;
    TakeState(fresh.State);
    FBaseClip.reset();
    DropSavedStatesFrom(0);
}

}  // namespace vex
