#include "dataaware/richedit/wwTrackIcon.h"

#include "platform/gfx/canvas.h"
#include "platform/gfx/colors.h"
#include "platform/ui/form.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/capture.h"
#include "platform/win/modaldriver.h"
#include "platform/win/windowpos.h"

namespace vex {

namespace {

// Lets go of the mouse when the drag ends by any path, an exception from a handler included,
// unless someone else has taken it meanwhile.
class TCaptureHold {
public:
    explicit TCaptureHold(HWND Wnd) : FWnd(Wnd) { vex::SetCapture(Wnd); }
    ~TCaptureHold() {
        if (Holds()) vex::ReleaseCapture();
    }
    TCaptureHold(const TCaptureHold&) = delete;
    TCaptureHold& operator=(const TCaptureHold&) = delete;

    bool Holds() const { return vex::GetCapture() == FWnd; }

private:
    HWND FWnd;
};

}  // namespace

TwwTrackIcon::TwwTrackIcon(TComponent* AOwner)
    : TGraphicControl(AOwner), FBitmap(std::make_unique<TBitmap>()) {}

TwwTrackIcon::~TwwTrackIcon() = default;

void TwwTrackIcon::SetBitmapName(const std::string& Value) {
    if (Value == FBitmapName) return;
    FBitmapName = Value;
    if (!Value.empty()) {
        try {
            FBitmap->LoadFromResourceName(Value);
        } catch (const EResNotFound&) {
            FBitmap->SetSize(0, 0);
        }
        SetBounds(Left(), Top(), FBitmap->Width(), FBitmap->Height());
    }
    Invalidate();
}

void TwwTrackIcon::SetLeftWithLimits(int32_t Value) {
    // Crossed limits give MaxValue wherever the pointer is, rather than jumping between the two.
    if (FMinValue != 0 && FMinValue > Value) Value = FMinValue;
    if (FMaxValue != 0 && FMaxValue < Value) Value = FMaxValue;
    SetLeft(Value);
}

void TwwTrackIcon::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(bsClear);
    if (FBitmap->Empty()) return;
    // The colour to leave out is read where the original read it, on the control's bottom row;
    // a control taller than its bitmap finds no pixel there, and the bitmap is drawn whole.
    const int32_t row = Height() - 1;
    const bool inside = row >= 0 && row < FBitmap->Height();
    FBitmap->SetTransparent(inside);
    if (inside) FBitmap->SetTransparentColor(PixelToColor(FBitmap->ScanLine(row)[0]));
    canvas.Draw(0, 0, *FBitmap);
}

void TwwTrackIcon::MouseDown(TMouseButton /*Button*/, TShiftState Shift, int32_t X, int32_t Y) {
    if (Shift.Contains(ssLeft)) DragLoop(Point(X, Y));
}

void TwwTrackIcon::DragLoop(TPoint Press) {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr) return;
    const std::weak_ptr<const void> life = LifeToken();
    const TCaptureHold capture(form->Handle());
    bool moved = false;
    // Each message's own point, rather than wherever the pointer has got to since: the icon
    // follows the moves in the order they were made.
    const auto cursor = [this](const MSG& Msg) {
        TPoint p = MessagePoint(Msg.lParam);
        vex::ClientToScreen(Msg.hwnd, p);
        return ScreenToClient(p);
    };
    RunModalLoop([&] { return life.expired() || !capture.Holds(); },
                 [&](MSG& Msg) {
                     switch (Msg.message) {
                         case WM_MOUSEMOVE: {
                             const TPoint p = cursor(Msg);
                             if (!moved && p == Press) return true;
                             moved = true;
                             SetLeftWithLimits(Left() + p.X - Press.X);
                             return true;
                         }
                         case WM_LBUTTONUP:
                             // The release still reaches the icon, but a drag is no click.
                             if (moved) SetControlState(ControlState() - TControlState{csClicked});
                             // The handler may free the icon, and with it the handler
                             // itself: a copy runs, and nothing of the icon is used after.
                             if (moved && OnEndDrag) {
                                 const TNotifyEvent handler = OnEndDrag;
                                 handler(this);
                             }
                             vex::ReleaseCapture();
                             return false;
                         default:
                             return false;
                     }
                 });
}

}  // namespace vex
