#include <utility>

#include "platform/gfx/canvas.h"

namespace vex {

namespace {

// Restored states kept for the next saves, so that painting, which saves and restores around
// every control, does not make and free a pen, a brush and a font each time.
constexpr size_t kSpareSavedStates = 8;

}  // namespace

int32_t TCanvas::SaveDC() {
    if (FSavedDepth >= static_cast<size_t>(MaxSavedStates)) return 0;
    if (FSaved.size() == FSavedDepth) FSaved.push_back(std::make_unique<TSavedState>());
    TSavedState* state = FSaved[FSavedDepth].get();
    state->Pen.Assign(&FPen);
    state->Brush.Assign(&FBrush);
    state->Font.Assign(&FFont);
    state->TextColor = FTextColor;
    state->BkColor = FBkColor;
    state->BkTransparent = FBkTransparent;
    state->TextAlign = FTextAlign;
    state->CopyMode = FCopyMode;
    state->Origin = FOrigin;
    state->PenPos = FPenPos;
    state->UserClip = FUserClip;
    return static_cast<int32_t>(++FSavedDepth);
}

bool TCanvas::RestoreDC(int32_t Index) {
    const auto depth = static_cast<int64_t>(FSavedDepth);
    const int64_t level = Index > 0 ? Index : depth + Index + 1;
    if (Index == 0 || level < 1 || level > depth) return false;
    TSavedState& state = *FSaved[static_cast<size_t>(level - 1)];
    FPen.Assign(&state.Pen);
    FBrush.Assign(&state.Brush);
    // Taking the font sets the text colour to the font's, so the saved colour comes after.
    FFont.Assign(&state.Font);
    FTextColor = state.TextColor;
    FBkColor = state.BkColor;
    FBkTransparent = state.BkTransparent;
    FTextAlign = state.TextAlign;
    FCopyMode = state.CopyMode;
    FOrigin = state.Origin;
    FPenPos = state.PenPos;
    FUserClip = std::move(state.UserClip);
    InvalidateClip();
    state.UserClip.reset();
    FSavedDepth = static_cast<size_t>(level - 1);
    if (FSaved.size() > FSavedDepth + kSpareSavedStates)
        FSaved.resize(FSavedDepth + kSpareSavedStates);
    return true;
}

}  // namespace vex
