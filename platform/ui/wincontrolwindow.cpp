#include "platform/ui/wincontrol.h"

#include <memory>
#include <utility>

#include "platform/core/exceptions.h"
#include "platform/ui/controllist.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/defaultpainting.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/nonclient.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// The control whose window CreateWindowEx is making: the first message of a new window
// binds the window to it.
TWinControl* CreationControl = nullptr;

// The control a window is bound to; only controls are ever bound.
TWinControl* BoundControl(HWND Wnd) {
    return static_cast<TWinControl*>(WindowObject(Wnd));
}

}  // namespace

// The procedure every window of a control is made with: the message goes to the control's
// WndProc, which leaves what it does not take to the class's own procedure.
LRESULT ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TWinControl* control = BoundControl(Wnd);
    if (control == nullptr) {
        if (CreationControl == nullptr) return DefWindowProc(Wnd, Msg, WParam, LParam);
        control = std::exchange(CreationControl, nullptr);
        control->FHandle = Wnd;
        SetWindowObject(Wnd, control);
    }
    TMessage message{Msg, WParam, LParam, 0};
    control->WndProc(message);
    return message.Result;
}

TWinControl* FindControl(HWND Handle) {
    if (Handle == 0) return nullptr;
    return BoundControl(Handle);
}

bool IsKeyMsg(const MSG& Msg) {
    if (!IsKeyMessage(Msg.message)) return false;
    HWND wnd = vex::GetCapture();
    if (wnd == 0) wnd = Msg.hwnd;
    while (wnd != 0 && FindControl(wnd) == nullptr)
        wnd = GetParent(wnd);
    return wnd != 0 && SendMessage(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    if (FHandle != 0) return;
    if (Parent() != nullptr) Parent()->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams();
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle.Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
    if (!Enabled()) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = Parent() != nullptr ? Parent()->FHandle : 0;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW;
    if (FControlStyle.Contains(csDoubleClicks)) Params.WindowClass.style |= CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefPaintProc;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (params.WndParent == 0 && (params.Style & WS_CHILD) != 0)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FDefWndProc = params.WindowClass.lpfnWndProc;
    // The class is registered once, with the framework's procedure in front of the native one,
    // which each control keeps for itself.
    WNDCLASS registered;
    if (!GetClassInfo(params.WinClassName, registered)) {
        WNDCLASS windowClass = params.WindowClass;
        windowClass.lpfnWndProc = ControlWindowProc;
        windowClass.lpszClassName = params.WinClassName;
        RegisterClass(windowClass);
    }
    CreationControl = this;
    struct TEndCreation {
        ~TEndCreation() { CreationControl = nullptr; }
    } endCreation;
    // The new window's first messages reach handlers that may free the control.
    const std::weak_ptr<const void> life = LifeToken();
    CreateWindowHandle(params);
    if (life.expired()) return;
    if (FHandle == 0) throw EInvalidOperation("Control '" + Name() + "' could not make its window");
    RestoreScrollBars();
    UpdateBounds();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    CreateWindowEx(Params.ExStyle, Params.WinClassName, Params.Caption, Params.Style, Params.X,
                   Params.Y, Params.Width, Params.Height, Params.WndParent, 0, Params.Param);
}

void TWinControl::CreateHandle() {
    if (FHandle != 0) return;
    const std::weak_ptr<const void> life = LifeToken();
    CreateWnd();
    if (!life.expired() && Parent() != nullptr)
        SetWindowPos(FHandle, Parent()->PrecedingWindow(this), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND TWinControl::PrecedingWindow(const TWinControl* Control) const {
    auto at = std::find(FWinControls.begin(), FWinControls.end(), Control);
    if (at == FWinControls.end()) return HWND_TOP;
    for (++at; at != FWinControls.end(); ++at)
        if ((*at)->FHandle != 0) return (*at)->FHandle;
    return HWND_TOP;
}

void TWinControl::RestoreScrollBars() {
    for (int bar : {SB_HORZ, SB_VERT}) {
        TSavedScrollBar& saved = FScrollBars[bar];
        if (!saved.Saved) continue;
        saved.Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        SetScrollInfo(FHandle, bar, saved.Info, false);
        ShowScrollBar(FHandle, bar, saved.Visible);
        EnableScrollBar(FHandle, bar, saved.DisabledArrows);
    }
}

void TWinControl::DestroyHandle() {
    if (FHandle == 0) return;
    FControlState.Include(csDestroyingHandle);
    // The notices of a window going may free the control.
    struct TEndDestroying {
        TWinControl& Self;
        std::weak_ptr<const void> Life;
        ~TEndDestroying() {
            if (!Life.expired()) Self.FControlState.Exclude(csDestroyingHandle);
        }
    } end{*this, LifeToken()};
    for (const auto& [child, life] : Snapshot(FWinControls))
        if (!life.expired()) child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    for (int bar : {SB_HORZ, SB_VERT}) {
        TSavedScrollBar& saved = FScrollBars[bar];
        TScrollBarState state;
        if (!GetScrollBarState(FHandle, bar, state)) continue;
        saved.Saved = true;
        saved.Info.nMin = state.Min;
        saved.Info.nMax = state.Max;
        saved.Info.nPage = state.Page;
        saved.Info.nPos = state.Pos;
        saved.Visible = state.Visible;
        saved.DisabledArrows = state.DisabledArrows;
    }
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    const HWND wnd = FHandle;
    const std::weak_ptr<const void> life = LifeToken();
    DestroyWindow(wnd);
    // WM_NCDESTROY forgot the window; a window the tree would not destroy is forgotten too.
    SetWindowObject(wnd, nullptr);
    if (life.expired()) return;
    FHandle = 0;
    FShowing = false;
}

void TWinControl::RecreateWnd() {
    if (FHandle == 0) return;
    // The control that had the focus in the old windows has it in the new ones.
    TWinControl* focused = FindControl(vex::GetFocus());
    const std::weak_ptr<const void> focusedLife =
        ContainsControl(focused) ? focused->LifeToken() : std::weak_ptr<const void>();
    const std::weak_ptr<const void> life = LifeToken();
    DestroyHandle();
    if (life.expired()) return;
    UpdateControlState();
    if (!focusedLife.expired() && focused->HandleAllocated()) vex::SetFocus(focused->Handle());
}

void TWinControl::UpdateShowing() {
    UpdateShowingWithin(Parent() == nullptr || Parent()->Showing());
}

void TWinControl::UpdateShowingWithin(bool ParentShows) {
    const bool show = ParentShows && Visible() && !FControlState.Contains(csReadingState);
    // The handlers of showing and hiding may free this control, or any of its children.
    const std::weak_ptr<const void> life = LifeToken();
    const auto updateChildren = [&](bool Shows) {
        if (life.expired()) return;
        for (const auto& [child, childLife] : Snapshot(FWinControls)) {
            if (!childLife.expired() && child->Parent() == this) child->UpdateShowingWithin(Shows);
            if (life.expired()) return;
        }
    };
    // Children are made and shown before their parent shows, and hidden after it hides.
    if (show) {
        if (FHandle == 0) CreateHandle();
        updateChildren(true);
    }
    if (life.expired()) return;
    if (FHandle != 0 && FShowing != show) {
        FShowing = show;
        try {
            Perform(CM_SHOWINGCHANGED, 0, 0);
        } catch (...) {
            if (!life.expired()) FShowing = !show;
            throw;
        }
    }
    if (!show) updateChildren(false);
}

void TWinControl::UpdateControlState() {
    TWinControl* top = this;
    while (top->Parent() != nullptr) {
        top = top->Parent();
        if (!top->Showing()) return;
    }
    // Only a form stands on its own: any other control shows inside a parent.
    if (top->InheritsFrom("TCustomForm")) UpdateShowing();
}

void TWinControl::UpdateBounds() {
    TRect r;
    if (!GetWindowRect(FHandle, r) || IsIconic(FHandle)) return;
    const auto style = static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE));
    if ((style & WS_CHILD) != 0) MapWindowPoints(0, GetParent(FHandle), r);
    FLeft = r.Left;
    FTop = r.Top;
    FWidth = r.Right - r.Left;
    FHeight = r.Bottom - r.Top;
}

TRect TWinControl::GetClientRect() const {
    TRect r;
    if (FHandle != 0 && ::vex::GetClientRect(FHandle, r)) return r;
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    const TRect client = ClientInside(Rect(0, 0, FWidth, FHeight), params.Style, params.ExStyle);
    return Rect(0, 0, client.Right - client.Left, client.Bottom - client.Top);
}

TPoint TWinControl::ClientOrigin() const {
    TPoint origin;
    if (FHandle != 0 && ::vex::ClientToScreen(FHandle, origin)) return origin;
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    const TRect margins = NonClientMargins(params.Style, params.ExStyle);
    origin = TControl::ClientOrigin();
    return Point(SaturateToInt32(int64_t{origin.X} + margins.Left),
                 SaturateToInt32(int64_t{origin.Y} + margins.Top));
}

void TWinControl::WMSize(TMessage& Message) {
    UpdateBounds();
    DefaultHandler(Message);
    // The children's resize handlers may free this control.
    const std::weak_ptr<const void> life = LifeToken();
    Realign();
    if (!life.expired() && !ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
    DefaultHandler(Message);
    UpdateBounds();
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
    if (!FControlState.Contains(csDestroyingHandle)) UpdateBounds();
    DefaultHandler(Message);
}

void TWinControl::WMNCDestroy(TMessage& Message) {
    DefaultHandler(Message);
    SetWindowObject(FHandle, nullptr);
    FHandle = 0;
    FShowing = false;
}

void TWinControl::CMShowingChanged(TMessage&) {
    SetWindowPos(FHandle, 0, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

}  // namespace vex
