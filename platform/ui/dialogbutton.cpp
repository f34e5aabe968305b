#include "platform/ui/dialogbutton.h"

#include "platform/ui/inputevents.h"

#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/win/keyboard.h"
#include "platform/win/windowstyles.h"

namespace vex {

TDialogButton::TDialogButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
    SetTabStop(true);
}

void TDialogButton::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    Invalidate();
}

void TDialogButton::Click() {
    const std::weak_ptr<const void> life = LifeToken();
    if (TCustomForm* form = GetParentForm(this); form != nullptr && FModalResult != mrNone)
        form->SetModalResult(FModalResult);
    if (!life.expired() && OnClick) OnClick(this);
}

void TDialogButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
            FPressed = true;
            Invalidate();
            break;
        case WM_LBUTTONUP: {
            if (!FPressed) break;
            FPressed = false;
            Invalidate();
            const int32_t x = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(Message.LParam)));
            const int32_t y = static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(Message.LParam)));
            if (x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
            return;
        }
        // Without the mouse held by the button, its release may come to another window; a
        // Space held while the focus moves on is let go elsewhere.
        case CM_MOUSELEAVE:
        case WM_KILLFOCUS:
            if (FPressed) {
                FPressed = false;
                Invalidate();
            }
            break;
        // The focused button keeps Enter for itself: it, not the default one, is the button a
        // person tabbed to.
        case CM_WANTSPECIALKEY:
            if (Message.WParam != VK_RETURN) break;
            Message.Result = 1;
            return;
        // The focused button is pressed with Space as with the mouse: down, then up.
        case WM_KEYDOWN:
            if (Message.WParam == VK_RETURN) {
                Click();
                return;
            }
            if (Message.WParam != VK_SPACE) break;
            FPressed = true;
            Invalidate();
            return;
        case WM_KEYUP:
            if (Message.WParam != VK_SPACE || !FPressed) break;
            FPressed = false;
            Invalidate();
            Click();
            return;
        // A disabled or hidden button is not pressed from the keyboard either.
        case CM_DIALOGKEY:
            // Enter and Escape with a modifier held are other keys.
            if (((Message.WParam == VK_RETURN && FDefault) ||
                 (Message.WParam == VK_ESCAPE && FCancel)) &&
                KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
                Click();
                Message.Result = 1;
                return;
            }
            break;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<uint16_t>(Message.WParam), Caption()) && CanFocus()) {
                Click();
                Message.Result = 1;
                return;
            }
            break;
        default:
            break;
    }
    TCustomControl::WndProc(Message);
}

void TDialogButton::Paint() {
    TCanvas& canvas = Canvas();
    TRect box = ClientRect();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(box);
    if (FDefault) {
        canvas.Brush().SetColor(clWindowFrame);
        canvas.FrameRect(box);
        box = Rect(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1);
    }
    DrawEdge(canvas.Handle(), box, FPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    TRect text = ClientRect();
    if (FPressed) text = Rect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
    canvas.Font().Assign(&Font());
    SetBkMode(canvas.Handle(), TRANSPARENT);
    DrawText(canvas.Handle(), Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace vex
