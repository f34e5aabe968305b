#include "platform/ui/dialogicon.h"

#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"

namespace vex {

TDialogIcon::TDialogIcon(TComponent* AOwner, TMsgDlgType Kind)
    : TGraphicControl(AOwner), FKind(Kind) {
    SetBounds(0, 0, Size, Size);
}

void TDialogIcon::Paint() {
    struct TLook {
        TColor Fill;
        TColor Sign;
        const char* Text;
    };
    static constexpr TLook looks[] = {
        {clYellow, clBlack, "!"},  // mtWarning
        {clRed, clWhite, "X"},     // mtError
        {clWhite, clBlue, "i"},    // mtInformation
        {clWhite, clBlue, "?"},    // mtConfirmation
    };
    if (FKind == mtCustom) return;
    const TLook& look = looks[FKind];
    TCanvas& canvas = Canvas();
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(look.Fill);
    canvas.Brush().SetStyle(bsSolid);
    if (FKind == mtWarning)
        canvas.Polygon({Point(Size / 2, 1), Point(Size - 2, Size - 3), Point(1, Size - 3)});
    else
        canvas.Ellipse(1, 1, Size - 1, Size - 1);
    canvas.Font().SetName("Arial");
    canvas.Font().SetSize(14);
    canvas.Font().SetStyle({fsBold});
    canvas.Font().SetColor(look.Sign);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    TRect sign = Rect(0, FKind == mtWarning ? 4 : 0, Size, Size);
    DrawText(canvas.Handle(), look.Text, sign, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace vex
