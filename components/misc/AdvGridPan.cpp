// Middle-button panning: the anchor where the button went down, and a timer that scrolls the
// grid towards the pointer in the directions IntelliPan allows, until the button comes up.

#include "components/misc/AdvGridPan.h"

#include <algorithm>
#include <cstdlib>

#include "components/misc/AdvGrid.h"
#include "platform/gfx/bitmap.h"
#include "platform/win/input.h"
#include "platform/win/timer.h"
#include "platform/win/updateregion.h"

namespace vex {

namespace {

constexpr uint32_t kPanInterval = 50;

// The anchor's picture for the directions panning scrolls in; white is left out.
const char* AnchorResource(TIntelliPan Pan) {
    switch (Pan) {
        case ipHorizontal:
            return "INTLI2";
        case ipBoth:
            return "INTLI1";
        case ipVertical:
            break;
    }
    return "INTLI3";
}

}  // namespace

int32_t PanStep(int32_t Offset) {
    const int64_t distance = std::abs(int64_t{Offset}) - PanAnchorSize / 2;
    if (distance <= 0) return 0;
    const auto step = static_cast<int32_t>(1 + distance / PanAnchorSize);
    return Offset < 0 ? -step : step;
}

TRect TAdvStringGrid::PanAnchorRect() const {
    return Rect(FPanAnchor.X - PanAnchorSize / 2, FPanAnchor.Y - PanAnchorSize / 2,
                FPanAnchor.X + PanAnchorSize / 2, FPanAnchor.Y + PanAnchorSize / 2);
}

void TAdvStringGrid::StartPanning(TPoint At) {
    if (FPanning || !HandleAllocated()) return;
    FPanning = true;
    FPanAnchor = At;
    if (!FPanTimer) {
        FPanTimer = std::make_unique<TTimer>(nullptr);
        FPanTimer->SetInterval(kPanInterval);
        FPanTimer->OnTimer = [this](TObject*) { PanTick(); };
    }
    FPanTimer->SetEnabled(true);
    // IntelliPan may have changed since the last panning.
    FPanAnchorPicture.reset();
    SetMouseCapture(true);
    const TRect anchor = PanAnchorRect();
    InvalidateRect(Handle(), &anchor, false);
}

void TAdvStringGrid::EndPanning() {
    if (!FPanning) return;
    FPanning = false;
    FPanTimer->SetEnabled(false);
    SetMouseCapture(false);
    if (!HandleAllocated()) return;
    const TRect anchor = PanAnchorRect();
    InvalidateRect(Handle(), &anchor, false);
}

void TAdvStringGrid::PanTick() {
    if (!FPanning || !HandleAllocated()) return;
    TPoint at{0, 0};
    if (!GetCursorPos(at)) return;
    at = ScreenToClient(at);
    const bool vertical = FIntelliPan != ipHorizontal;
    const bool horizontal = FIntelliPan != ipVertical;
    const int32_t rows = vertical ? PanStep(at.Y - FPanAnchor.Y) : 0;
    const int32_t cols = horizontal ? PanStep(at.X - FPanAnchor.X) : 0;
    if (rows == 0 && cols == 0) return;
    const TControlWatch watch(*this);
    if (rows != 0 && RowCount() > 0) SetTopRow(std::clamp(TopRow() + rows, 0, RowCount() - 1));
    if (watch.Expired()) return;
    if (cols != 0 && ColCount() > 0) SetLeftCol(std::clamp(LeftCol() + cols, 0, ColCount() - 1));
    if (watch.Expired() || !HandleAllocated()) return;
    // The scroll moved the anchor's pixels along with the cells.
    InvalidateRect(Handle(), nullptr, false);
}

void TAdvStringGrid::DrawPanAnchor() {
    if (!FPanning) return;
    if (!FPanAnchorPicture) {
        FPanAnchorPicture = std::make_unique<TBitmap>();
        FPanAnchorPicture->LoadFromResourceName(AnchorResource(FIntelliPan));
        FPanAnchorPicture->SetTransparentColor(clWhite);
        FPanAnchorPicture->SetTransparent(true);
    }
    const TRect anchor = PanAnchorRect();
    Canvas().Draw(anchor.Left, anchor.Top, *FPanAnchorPicture);
}

}  // namespace vex
