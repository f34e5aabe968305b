#include <utility>

#include "platform/gfx/canvas.h"

namespace vex {

int32_t TCanvas::SaveDC() {
    if (FSaved.size() >= MaxSavedStates) return 0;
    auto state = std::make_unique<TSavedState>();
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
    FSaved.push_back(std::move(state));
    return static_cast<int32_t>(FSaved.size());
}

bool TCanvas::RestoreDC(int32_t Index) {
    const auto depth = static_cast<int64_t>(FSaved.size());
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
    FSaved.resize(static_cast<size_t>(level - 1));
    return true;
}

}  // namespace vex
