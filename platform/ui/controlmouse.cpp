#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/ui/control.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/mousetracking.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"

namespace vex {

namespace {

TPopupMenuHandler PopupMenuHandler;

// The point of a WM_CONTEXTMENU the keyboard asked for, and of a release that is no click.
constexpr TPoint NoPoint{-1, -1};

}  // namespace

void SetPopupMenuHandler(TPopupMenuHandler Handler) {
    PopupMenuHandler = std::move(Handler);
}

bool TControl::MouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (MouseCapture() != Value) SetCaptureControl(Value ? this : nullptr);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::NoteMouseMessage(TMessage& Message) {
    if (!FControlStyle.Contains(csDoubleClicks)) switch (Message.Msg) {
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
                Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
                break;
            default:
                break;
        }
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
        FControlState.Include(csLButtonDown);
    else if (Message.Msg == WM_LBUTTONUP)
        FControlState.Exclude(csLButtonDown);
}

void TControl::DoMouseDown(const TMessage& Message, TMouseButton Button, TShiftState Shift) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    const TPoint p = MessagePoint(Message.LParam);
    MouseDown(Button, KeysToShiftState(Message.WParam) + Shift, p.X, p.Y);
}

void TControl::DoMouseUp(const TMessage& Message, TMouseButton Button) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    const TPoint p = MessagePoint(Message.LParam);
    MouseUp(Button, KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::SendCancelMode(TControl* Sender) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form->ActiveControl() != nullptr)
        form->ActiveControl()->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

void TControl::WMLButtonDown(TMessage& Message) {
    // Each step calls out to handlers that may free the control.
    const std::weak_ptr<const void> life = LifeToken();
    SendCancelMode(this);
    if (life.expired()) return;
    DefaultHandler(Message);
    if (life.expired()) return;  // the native press focuses, and entering may free
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    SendCancelMode(this);
    if (life.expired()) return;
    DefaultHandler(Message);
    if (life.expired()) return;
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) DblClick();
    if (!life.expired()) DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (life.expired()) return;
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        // Released elsewhere, the press was not a click.
        if (PtInRect(ClientRect(), MessagePoint(Message.LParam))) Click();
    }
    if (!life.expired()) DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TMessage& Message) {
    // A windowed control's own handling may send notices whose handlers free it.
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (!life.expired()) DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonDblClk(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (!life.expired()) DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMRButtonUp(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (!life.expired()) DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (!life.expired()) DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMMButtonDblClk(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (!life.expired()) DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMButtonUp(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (!life.expired()) DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (life.expired() || FControlStyle.Contains(csNoStdEvents)) return;
    const TPoint p = MessagePoint(Message.LParam);
    MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::WMCancelMode(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    DefaultHandler(Message);
    if (life.expired()) return;
    if (!MouseCapture()) {
        FControlState.Exclude(csLButtonDown);
        return;
    }
    SetMouseCapture(false);
    if (FControlState.Contains(csLButtonDown)) Perform(WM_LBUTTONUP, 0, PointToLParam(NoPoint));
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::WMContextMenu(TMessage& Message) {
    if (Message.Result != 0) return;
    const TPoint at = MessagePoint(Message.LParam);
    const bool fromKeyboard = at == NoPoint;
    const TPoint local = fromKeyboard ? at : ScreenToClient(at);
    if (!fromKeyboard && !PtInRect(ClientRect(), local)) {
        DefaultHandler(Message);
        return;
    }
    const std::weak_ptr<const void> life = LifeToken();
    bool handled = false;
    DoContextPopup(local, handled);
    if (life.expired()) return;
    Message.Result = handled ? 1 : 0;
    if (handled) return;
    if (FPopupMenu != nullptr && PopupMenuHandler) {
        SendCancelMode(nullptr);
        if (life.expired() || FPopupMenu == nullptr) return;
        // A handler may install another handler while the menu is open.
        const TPopupMenuHandler handler = PopupMenuHandler;
        if (handler(this, FPopupMenu, fromKeyboard ? ClientToScreen(Point(0, 0)) : at))
            Message.Result = 1;
        if (life.expired()) return;
    }
    if (Message.Result == 0) DefaultHandler(Message);
}

void TControl::MouseWheelHandler(TMessage& Message) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this)
        form->MouseWheelHandler(Message);
    else
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::CMMouseWheel(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    const auto delta = static_cast<int16_t>(HIWORD(Message.WParam));
    Message.Result = 0;
    if (DoMouseWheel(KeysToShiftState(LOWORD(Message.WParam)), delta, MessagePoint(Message.LParam)))
        Message.Result = 1;
    else if (!life.expired() && FParent != nullptr)
        Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) {
    bool handled = false;
    const std::weak_ptr<const void> life = LifeToken();
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled || life.expired()) return handled;
    // A fine wheel sends parts of a notch; they add up until a whole one is turned.
    FWheelAccumulator += WheelDelta;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        if (FWheelAccumulator < 0) {
            FWheelAccumulator += WHEEL_DELTA;
            handled = DoMouseWheelDown(Shift, MousePos);
        } else {
            FWheelAccumulator -= WHEEL_DELTA;
            handled = DoMouseWheelUp(Shift, MousePos);
        }
        if (life.expired()) break;
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TWinControl::RouteMouseMessage(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    if (!IsControlMouseMsg(Message)) TControl::WndProc(Message);
    // The platform's default procedure asks for the context menu when the right button is
    // released; the window's procedure here is the control's, so the control asks.
    if (life.expired() || Message.Msg != WM_RBUTTONUP || FHandle == 0) return;
    const TPoint at = ClientToScreen(MessagePoint(Message.LParam));
    Perform(WM_CONTEXTMENU, FHandle, PointToLParam(at));
}

void TWinControl::WMContextMenu(TMessage& Message) {
    if (Message.Result != 0) return;
    const std::weak_ptr<const void> life = LifeToken();
    const TPoint at = MessagePoint(Message.LParam);
    if (at != NoPoint) {
        if (TControl* child = ControlAtPos(ScreenToClient(at), false))
            Message.Result = child->Perform(WM_CONTEXTMENU, 0, Message.LParam);
    }
    if (!life.expired() && Message.Result == 0) TControl::WMContextMenu(Message);
}

void TWinControl::WMMouseWheel(TMessage& Message) {
    TMessage wheel{CM_MOUSEWHEEL, Message.WParam, Message.LParam, 0};
    const std::weak_ptr<const void> life = LifeToken();
    MouseWheelHandler(wheel);
    Message.Result = wheel.Result;
    if (!life.expired() && Message.Result == 0) DefaultHandler(Message);
}

}  // namespace vex
