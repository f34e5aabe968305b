#include "platform/ui/graphiccontrol.h"

#include <memory>

namespace vex {

namespace {

// The canvas draws on DC while the control paints, and lets it go afterwards, also when
// painting fails; a control that freed itself while painting took its canvas along.
class TCanvasOnContext {
public:
    TCanvasOnContext(TControl& Control, TControlCanvas& Canvas, HDC DC)
        : FLife(Control.LifeToken()), FCanvas(Canvas) {
        Canvas.SetHandle(DC);
    }
    ~TCanvasOnContext() {
        if (!FLife.expired()) FCanvas.SetHandle(nullptr);
    }
    TCanvasOnContext(const TCanvasOnContext&) = delete;
    TCanvasOnContext& operator=(const TCanvasOnContext&) = delete;

private:
    std::weak_ptr<const void> FLife;
    TControlCanvas& FCanvas;
};

}  // namespace

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
    FCanvas.SetControl(this);
}

TCanvas& TGraphicControl::Canvas() {
    FCanvas.TakeControlContext();
    return FCanvas;
}

void TGraphicControl::WMPaint(TMessage& Message) {
    auto* dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc == nullptr) return;
    TCanvasOnContext painting(*this, FCanvas, dc);
    Paint();
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
    FCanvas.SetControl(this);
}

TCanvas& TCustomControl::Canvas() {
    FCanvas.TakeControlContext();
    return FCanvas;
}

void TCustomControl::WMPaint(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    FControlState.Include(csCustomPaint);
    TWinControl::WMPaint(Message);
    if (!life.expired()) FControlState.Exclude(csCustomPaint);
}

void TCustomControl::PaintWindow(HDC DC) {
    TCanvasOnContext painting(*this, FCanvas, DC);
    Paint();
}

}  // namespace vex
