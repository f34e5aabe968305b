#include "platform/ui/wincontrol.h"

#include <algorithm>
#include <memory>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"
#include "platform/ui/align.h"
#include "platform/ui/controllist.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/mousetracking.h"
#include "platform/ui/screen.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// True when Item was there.
template <class T>
bool Erase(std::vector<T*>& List, const TControl* Item) {
    return std::erase(List, Item) != 0;
}

// Pos, in the parent's client coordinates, in Control's own; kept within the 32-bit range for a
// control placed far away.
TPoint PointInControl(TPoint Pos, const TControl& Control) {
    return Point(SaturateToInt32(int64_t{Pos.X} - Control.Left()),
                 SaturateToInt32(int64_t{Pos.Y} - Control.Top()));
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    FBrush.SetColor(Color());
}

TWinControl::~TWinControl() {
    // Marked first: the exit handlers that letting go of the focus runs may free a parent,
    // which then leaves this control to its own destruction.
    FDestroying = true;
    // The form lets go of the control while the control still knows its parents.
    RemoveFocus(true);
    // Whatever the focus did, the screen must not name a control that is gone.
    if (Screen().ActiveControl() == this) Screen().SetActiveControl(nullptr);
    if (FHandle != 0) DestroyWindowHandle();
    // A child leaves the lists before it is freed, so its destructor finds no parent to tell.
    while (ControlCount() > 0) {
        TControl* child = Controls(ControlCount() - 1);
        Remove(child);
        if (!child->FDestroying) delete child;
    }
    SetParent(nullptr);
}

TControl* TWinControl::Controls(int32_t Index) const {
    if (Index < 0 || Index >= ControlCount())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    const auto graphic = static_cast<int32_t>(FControls.size());
    if (Index < graphic) return FControls[static_cast<size_t>(Index)];
    return FWinControls[static_cast<size_t>(Index - graphic)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c != nullptr; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) {
    const auto hits = [&](TControl* C) {
        const TPoint p = PointInControl(Pos, *C);
        return C->Visible() && (C->Enabled() || AllowDisabled) && PtInRect(C->ClientRect(), p) &&
               C->Perform(CM_HITTEST, 0, PointToLParam(p)) != HTNOWHERE;
    };
    // A hit-test handler may change the lists; each step looks at them as they are then.
    if (AllowWinControls)
        for (size_t i = FWinControls.size(); i-- > 0;)
            if (i < FWinControls.size() && hits(FWinControls[i])) return FWinControls[i];
    for (size_t i = FControls.size(); i-- > 0;)
        if (i < FControls.size() && hits(FControls[i])) return FControls[i];
    return nullptr;
}

void TWinControl::Insert(TControl* AControl) {
    if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(windowed);
        FTabList.push_back(windowed);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl) {
    if (Erase(FControls, AControl)) ++FControlRemovals;
    Erase(FWinControls, AControl);
    Erase(FTabList, AControl);
    AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
    Insert(AControl);
    auto* windowed = dynamic_cast<TWinControl*>(AControl);
    // The control's handlers of its new look may free it, move it on, or free this control.
    const std::weak_ptr<const void> life = LifeToken();
    const std::weak_ptr<const void> controlLife = AControl->LifeToken();
    const auto stillHere = [&] {
        return !life.expired() && !controlLife.expired() && AControl->Parent() == this;
    };
    for (UINT msg : {CM_PARENTCOLORCHANGED, CM_PARENTFONTCHANGED, CM_PARENTSHOWHINTCHANGED})
        if (stillHere()) AControl->Perform(msg, 0, 0);
    if (windowed != nullptr && stillHere()) windowed->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
    if (!stillHere()) return;
    if (windowed != nullptr)
        windowed->UpdateControlState();
    else
        AControl->Invalidate();
    if (stillHere()) AlignControl(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
    ForgetMouseControls(AControl);
    if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) {
        // The exit handlers that letting go of the focus runs, and the notices of its window
        // going, may free either control, or move the leaving one elsewhere; it has then left
        // already.
        const std::weak_ptr<const void> life = LifeToken();
        const std::weak_ptr<const void> controlLife = AControl->LifeToken();
        const auto leftAlready = [&] {
            return life.expired() || controlLife.expired() || AControl->Parent() != this;
        };
        windowed->RemoveFocus(true);
        if (leftAlready()) return;
        windowed->DestroyHandle();
        if (leftAlready()) return;
    } else {
        AControl->InvalidateControl(AControl->Visible(), false);
    }
    Remove(AControl);
    Realign();
}

void TWinControl::Broadcast(TMessage& Message) {
    // A handler may free or move children; each is reached only while it is still one.
    std::vector<TControl*> all;
    for (int32_t i = 0; i < ControlCount(); ++i)
        all.push_back(Controls(i));
    for (const auto& [child, life] : Snapshot(all)) {
        if (life.expired() || child->Parent() != this) continue;
        child->WndProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg) {
    TMessage message{Msg, 0, 0, 0};
    Broadcast(message);
}

void TWinControl::EnableAlign() {
    --FAlignLevel;
    if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::AlignControl(TControl* AControl) {
    if (FDestroying) return;
    if (FAlignLevel != 0 || ComponentState().Contains(csLoading)) {
        FControlState.Include(csAlignmentNeeded);
        return;
    }
    DisableAlign();
    // A resize handler of a child may free this control while it aligns.
    struct TEndAlign {
        TWinControl& Self;
        std::weak_ptr<const void> Life;
        ~TEndAlign() {
            if (Life.expired()) return;
            Self.FControlState.Exclude(csAlignmentNeeded);
            Self.EnableAlign();
        }
    } end{*this, LifeToken()};
    TRect r = GetClientRect();
    AlignControls(AControl, r);
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    std::vector<TControl*> children;
    bool anyAligned = false;
    for (int32_t i = 0; i < ControlCount(); ++i) {
        children.push_back(Controls(i));
        anyAligned = anyAligned || children.back()->Align() != alNone;
    }
    if (!anyAligned) return;
    AdjustClientRect(Rect);
    AlignControlList(children, AControl, Rect);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

void TWinControl::SetCtl3D(bool Value) {
    SetOwnValue(FCtl3D, Value, FParentCtl3D, CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
    SetFromParent(FParentCtl3D, Value, CM_PARENTCTL3DCHANGED);
}

int32_t TWinControl::TabOrder() const {
    if (Parent() == nullptr) return -1;
    const auto& list = Parent()->FTabList;
    return static_cast<int32_t>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int32_t Value) {
    if (Parent() != nullptr) MoveInList(Parent()->FTabList, this, Value);
}

void TWinControl::SetTabStop(bool Value) {
    if (FTabStop == Value) return;
    FTabStop = Value;
    if (FHandle != 0) {
        const auto style = static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE));
        SetWindowLong(FHandle, GWL_STYLE, Value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    // Handlers of this control's and its children's resizing may free it.
    const std::weak_ptr<const void> life = LifeToken();
    if (FHandle != 0 && !IsIconic(FHandle)) {
        // The window's messages bring the bounds back, realign and resize.
        SetWindowPos(FHandle, 0, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        const bool resized = AWidth != FWidth || AHeight != FHeight;
        FLeft = ALeft;
        FTop = ATop;
        FWidth = AWidth;
        FHeight = AHeight;
        if (resized) {
            Realign();
            if (!life.expired() && !ComponentState().Contains(csLoading)) Resize();
        }
    }
    if (!life.expired()) RequestAlign();
}

void TWinControl::SetZOrder(bool TopMost) {
    if (FHandle != 0)
        SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE);
    TControl::SetZOrder(TopMost);
}

void TWinControl::SetZOrderPosition(int32_t Position) {
    if (Parent() == nullptr || !MoveInList(Parent()->FWinControls, this, Position)) return;
    if (FHandle != 0)
        SetWindowPos(FHandle, Parent()->PrecedingWindow(this), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
    const TPoint at = MessagePoint(Message.LParam);
    TControl* control = nullptr;
    // While this window holds the mouse, only a plain child that took it through the window
    // gets the messages; the rest are the window's own, wherever the pointer is.
    if (FHandle != 0 && vex::GetCapture() == FHandle) {
        TControl* capture = GetCaptureControl();
        if (capture != nullptr && capture->Parent() == this) control = capture;
    } else {
        control = ControlAtPos(at, false);
    }
    const std::weak_ptr<const void> life = LifeToken();
    const std::weak_ptr<const void> controlLife =
        control != nullptr ? control->LifeToken() : std::weak_ptr<const void>();
    if (Message.Msg == WM_MOUSEMOVE) SetMouseControl(control != nullptr ? control : this);
    // A handler of entering or leaving may have freed either of them: the message then goes
    // nowhere.
    if (life.expired()) return true;
    if (control == nullptr) return false;
    if (controlLife.expired()) return true;
    Message.Result =
        control->Perform(Message.Msg, Message.WParam, PointToLParam(PointInControl(at, *control)));
    return true;
}

bool TWinControl::DoControlMsg(HWND ChildWnd, TMessage& Message) {
    TWinControl* control = FindControl(ChildWnd);
    if (control == nullptr || control == this) return false;
    Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}

void TWinControl::WMCommand(TMessage& Message) {
    if (!DoControlMsg(static_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (header == nullptr || !DoControlMsg(header->hwndFrom, Message)) DefaultHandler(Message);
}

void TWinControl::WndProc(TMessage& Message) {
    if (!Enabled() && IsInputMessage(Message.Msg)) return;
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            break;
        case WM_SIZE:
            WMSize(Message);
            break;
        case WM_MOVE:
            WMMove(Message);
            break;
        case WM_WINDOWPOSCHANGED:
            WMWindowPosChanged(Message);
            break;
        case WM_NCDESTROY:
            WMNCDestroy(Message);
            break;
        case WM_COMMAND:
            WMCommand(Message);
            break;
        case WM_NOTIFY:
            WMNotify(Message);
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (Message.LParam == 0 || !DoControlMsg(static_cast<HWND>(Message.LParam), Message))
                TControl::WndProc(Message);
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            RouteMouseMessage(Message);
            break;
        case WM_MOUSEWHEEL:
            WMMouseWheel(Message);
            break;
        case WM_MOUSELEAVE: {
            // The leave handler of the control left may free this window.
            const std::weak_ptr<const void> life = LifeToken();
            if (ContainsControl(MouseControl())) SetMouseControl(nullptr);
            if (!life.expired()) DefaultHandler(Message);
            break;
        }
        case WM_CANCELMODE: {
            // The plain child that holds the mouse through this window loses it too.
            const std::weak_ptr<const void> life = LifeToken();
            TControl* capture = GetCaptureControl();
            if (capture != nullptr && capture != this && capture->Parent() == this)
                capture->Perform(WM_CANCELMODE, 0, 0);
            if (!life.expired()) TControl::WndProc(Message);
            break;
        }
        case WM_SETFOCUS:
            WMSetFocus(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            WMKeyDown(Message);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            WMKeyUp(Message);
            break;
        case WM_CHAR:
            WMChar(Message);
            break;
        case CN_KEYDOWN:
            CNKeyDown(Message);
            break;
        case CN_SYSKEYDOWN:
            CNSysKeyDown(Message);
            break;
        case CN_CHAR:
            CNChar(Message);
            break;
        case CN_SYSCHAR:
            CNSysChar(Message);
            break;
        case CM_ENTER:
            CMEnter(Message);
            break;
        case CM_EXIT:
            CMExit(Message);
            break;
        case CM_FOCUSCHANGED:
            CMFocusChanged(Message);
            break;
        case CM_SHOWINGCHANGED:
            CMShowingChanged(Message);
            break;
        case CM_CTL3DCHANGED:
            CMCtl3DChanged(Message);
            break;
        case CM_PARENTCTL3DCHANGED:
            CMParentCtl3DChanged(Message);
            break;
        case CM_SHOWHINTCHANGED:
            CMShowHintChanged(Message);
            break;
        default:
            TControl::WndProc(Message);
            break;
    }
}

void TWinControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            // The control's text is the truth; the window's follows it.
            TControl::DefaultHandler(Message);
            return;
        case WM_SETTEXT:
            TControl::DefaultHandler(Message);
            if (FHandle != 0)
                CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
            return;
        case WM_CONTEXTMENU:
            // A child window's menu request nobody answered goes on to its parent.
            if (Parent() != nullptr)
                Message.Result = Parent()->Perform(Message.Msg, Message.WParam, Message.LParam);
            return;
        default:
            break;
    }
    if (FHandle != 0)
        Message.Result =
            CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
    else
        TControl::DefaultHandler(Message);
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
    // The exit and leave handlers that hiding runs may free this control.
    const std::weak_ptr<const void> life = LifeToken();
    if (!Visible() && Parent() != nullptr) RemoveFocus(false);
    if (life.expired()) return;
    TControl::CMVisibleChanged(Message);
    if (!life.expired()) UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    if (!Enabled() && Parent() != nullptr) RemoveFocus(false);
    if (life.expired()) return;
    if (FHandle != 0) EnableWindow(FHandle, Enabled());
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMCtl3DChanged(TMessage&) {
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage& Message) {
    if (!FParentCtl3D || Parent() == nullptr) return;
    SetCtl3D(Message.WParam != 0 ? Message.LParam != 0 : Parent()->Ctl3D());
    FParentCtl3D = true;
}

void TWinControl::CMShowHintChanged(TMessage&) {
    NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    FBrush.SetColor(Color());
    TControl::CMColorChanged(Message);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    TControl::CMFontChanged(Message);
    NotifyControls(CM_PARENTFONTCHANGED);
}

}  // namespace vex
