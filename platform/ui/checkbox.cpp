#include "platform/ui/checkbox.h"

#include <algorithm>

#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/buttonface.h"

namespace vex {

namespace {

constexpr int32_t kBoxSize = 13;
constexpr int32_t kGap = 4;  // between the box and the caption

}  // namespace

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    FControlStyle.Include(csOpaque);
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
    if (Value == taCenter) Value = taRightJustify;
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (FState == Value) return;
    FState = Value;
    Invalidate();
    Click();
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
        case cbUnchecked:
            SetState(FAllowGrayed ? cbGrayed : cbChecked);
            break;
        case cbChecked:
            SetState(cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbChecked);
            break;
    }
}

void TCustomCheckBox::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);

    const int32_t boxTop = (client.Bottom - kBoxSize) / 2;
    const int32_t boxLeft = FAlignment == taRightJustify ? 0 : client.Right - kBoxSize;
    TRect box = Rect(boxLeft, boxTop, boxLeft + kBoxSize, boxTop + kBoxSize);
    uint32_t state = DFCS_BUTTONCHECK;
    if (FState != cbUnchecked) state |= DFCS_CHECKED;
    if (FState == cbGrayed || !Enabled()) state |= DFCS_INACTIVE;
    if (Pressed()) state |= DFCS_PUSHED;
    DrawFrameControl(&canvas, box, DFC_BUTTON, state);

    canvas.Font().Assign(&Font());
    TRect text = FAlignment == taRightJustify
                     ? Rect(kBoxSize + kGap, 0, client.Right, client.Bottom)
                     : Rect(0, 0, client.Right - kBoxSize - kGap, client.Bottom);
    TRect measured = text;
    DrawText(&canvas, Caption(), measured, DT_CALCRECT | DT_SINGLELINE);
    const int32_t textHeight = measured.Bottom - measured.Top;
    const int32_t top = (client.Bottom - textHeight) / 2;
    text = Rect(text.Left, top, std::min(text.Right, measured.Right), top + textHeight);
    DrawButtonCaption(canvas, Caption(), text, DT_LEFT | DT_SINGLELINE, Enabled());
    if (Focused() && !Caption().empty())
        DrawFocusRect(&canvas, Rect(text.Left - 1, text.Top - 1, text.Right + 1, text.Bottom + 1));
}

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<uint16_t>(Message.WParam), Caption()) && CanFocus()) {
        const std::weak_ptr<const void> life = LifeToken();
        SetFocus();
        if (!life.expired() && Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TCustomCheckBox::CMTextChanged(TMessage& Message) {
    TButtonControl::CMTextChanged(Message);
    Invalidate();
}

}  // namespace vex
