#include "platform/ui/graphiccontrol.h"

namespace vex {

namespace {

// The canvas draws on DC while the control paints, and lets it go afterwards, also when
// painting fails; a control that freed itself while painting took its canvas along.
class TCanvasOnContext {
public:
    TCanvasOnContext(TControl& Control, TControlCanvas& Canvas, HDC DC)
        : FWatch(Control), FCanvas(Canvas) {
        Canvas.SetHandle(DC);
    }
    ~TCanvasOnContext() {
        if (!FWatch.Expired()) FCanvas.SetHandle(nullptr);
    }
    TCanvasOnContext(const TCanvasOnContext&) = delete;
    TCanvasOnContext& operator=(const TCanvasOnContext&) = delete;

private:
    TControlWatch FWatch;
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
    const TControlWatch watch(*this);
    FControlState.Include(csCustomPaint);
    TWinControl::WMPaint(Message);
    if (!watch.Expired()) FControlState.Exclude(csCustomPaint);
}

void TCustomControl::PaintWindow(HDC DC) {
    TCanvasOnContext painting(*this, FCanvas, DC);
    Paint();
}

}  // namespace vex
