#include "platform/ui/wincontrol.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"
#include "platform/ui/align.h"
#include "platform/ui/controllist.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/defaultpainting.h"
#include "platform/ui/mousetracking.h"
#include "platform/ui/paint.h"
#include "platform/win/nonclient.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

template <class T>
void Erase(std::vector<T*>& List, const TControl* Item) {
    List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

// The controls of the windows they made.
std::unordered_map<HWND, TWinControl*>& ControlWindows() {
    static std::unordered_map<HWND, TWinControl*> windows;
    return windows;
}

// The control whose window CreateWindowEx is making: the first message of a new window
// binds the window to it.
TWinControl* CreationControl = nullptr;

// A list of controls as it is now, each with its life, for walks that call out to handlers.
template <class T>
std::vector<std::pair<T*, std::weak_ptr<const void>>> Snapshot(const std::vector<T*>& List) {
    std::vector<std::pair<T*, std::weak_ptr<const void>>> snapshot;
    snapshot.reserve(List.size());
    for (T* c : List)
        snapshot.emplace_back(c, c->LifeToken());
    return snapshot;
}

}  // namespace

// The procedure every window of a control is made with: the message goes to the control's
// WndProc, which leaves what it does not take to the class's own procedure.
LRESULT ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto& windows = ControlWindows();
    auto found = windows.find(Wnd);
    TWinControl* control = found != windows.end() ? found->second : nullptr;
    if (control == nullptr) {
        if (CreationControl == nullptr) return DefWindowProc(Wnd, Msg, WParam, LParam);
        control = std::exchange(CreationControl, nullptr);
        control->FHandle = Wnd;
        windows[Wnd] = control;
    }
    TMessage message{Msg, WParam, LParam, 0};
    control->WndProc(message);
    return message.Result;
}

TWinControl* FindControl(HWND Handle) {
    if (Handle == 0) return nullptr;
    auto& windows = ControlWindows();
    const auto found = windows.find(Handle);
    return found != windows.end() ? found->second : nullptr;
}

bool IsKeyMsg(const MSG& Msg) {
    constexpr UINT keyFirst = WM_KEYDOWN, keyLast = 0x0109;
    if (Msg.message < keyFirst || Msg.message > keyLast) return false;
    HWND wnd = Msg.hwnd;
    while (wnd != 0 && FindControl(wnd) == nullptr)
        wnd = GetParent(wnd);
    return wnd != 0 && SendMessage(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    FBrush.SetColor(Color());
}

TWinControl::~TWinControl() {
    FDestroying = true;
    if (FHandle != 0) DestroyWindowHandle();
    // A child leaves the lists before it is freed, so its destructor finds no parent to tell.
    while (ControlCount() > 0) {
        TControl* child = Controls(ControlCount() - 1);
        Remove(child);
        delete child;
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
        const TPoint p = Point(Pos.X - C->Left(), Pos.Y - C->Top());
        return C->Visible() && (C->Enabled() || AllowDisabled) && PtInRect(C->ClientRect(), p) &&
               C->Perform(CM_HITTEST, 0,
                          MAKELONG(static_cast<uint16_t>(p.X), static_cast<uint16_t>(p.Y))) !=
                   HTNOWHERE;
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
    Erase(FControls, AControl);
    Erase(FWinControls, AControl);
    Erase(FTabList, AControl);
    AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
    Insert(AControl);
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) {
        windowed->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
        // A window made under another parent goes under this one's window.
        if (windowed->FHandle != 0 && FHandle != 0) ::vex::SetParent(windowed->FHandle, FHandle);
        windowed->UpdateControlState();
    } else {
        AControl->Invalidate();
    }
    AlignControl(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
    ForgetMouseControls(AControl);
    if (auto* windowed = dynamic_cast<TWinControl*>(AControl))
        windowed->DestroyHandle();
    else
        AControl->InvalidateControl(AControl->Visible(), false);
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
    struct TEndAlign {
        TWinControl& Self;
        ~TEndAlign() {
            Self.FControlState.Exclude(csAlignmentNeeded);
            Self.EnableAlign();
        }
    } end{*this};
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

// Windows

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
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
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
    CreateWindowHandle(params);
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
    CreateWnd();
    if (Parent() != nullptr)
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
    struct TEndDestroying {
        TWinControl& Self;
        ~TEndDestroying() { Self.FControlState.Exclude(csDestroyingHandle); }
    } end{*this};
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
    DestroyWindow(wnd);
    // WM_NCDESTROY forgot the window; a window the tree would not destroy is forgotten too.
    ControlWindows().erase(wnd);
    FHandle = 0;
    FShowing = false;
}

void TWinControl::RecreateWnd() {
    if (FHandle == 0) return;
    DestroyHandle();
    UpdateControlState();
}

void TWinControl::UpdateShowing() {
    UpdateShowingWithin(Parent() == nullptr || Parent()->Showing());
}

void TWinControl::UpdateShowingWithin(bool ParentShows) {
    const bool show = ParentShows && Visible() && !FControlState.Contains(csReadingState);
    // Children are made and shown before their parent shows, and hidden after it hides.
    if (show) {
        if (FHandle == 0) CreateHandle();
        for (const auto& [child, life] : Snapshot(FWinControls))
            if (!life.expired() && child->Parent() == this) child->UpdateShowingWithin(true);
    }
    if (FHandle != 0 && FShowing != show) {
        FShowing = show;
        try {
            Perform(CM_SHOWINGCHANGED, 0, 0);
        } catch (...) {
            FShowing = !show;
            throw;
        }
    }
    if (!show)
        for (const auto& [child, life] : Snapshot(FWinControls))
            if (!life.expired() && child->Parent() == this) child->UpdateShowingWithin(false);
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
    return Point(origin.X + margins.Left, origin.Y + margins.Top);
}

void TWinControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
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
            if (!ComponentState().Contains(csLoading)) Resize();
        }
    }
    RequestAlign();
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

// Painting

void TWinControl::Invalidate() {
    if (FHandle != 0) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (FHandle != 0) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::WMPaint(TMessage& Message) {
    PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TPaintScope paint(FHandle, reinterpret_cast<HDC>(Message.WParam));
    HDC dc = paint.DC();
    // Opaque children cover their part of the background, so the control leaves it alone.
    {
        TSavedDC saved(dc);
        for (TControl* c : FControls)
            if (c->Visible() && c->ControlStyle().Contains(csOpaque))
                dc->ExcludeClipRect(c->BoundsRect());
        if (!IsRectEmpty(dc->ClipRect())) PaintWindow(dc);
    }
    if (!life.expired()) PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC DC) {
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    auto from = std::find(FControls.begin(), FControls.end(), First);
    if (from == FControls.end()) from = FControls.begin();
    const std::vector<TControl*> above(from, FControls.end());
    const std::weak_ptr<const void> life = LifeToken();
    for (const auto& [child, childLife] : Snapshot(above)) {
        // A child's painting may free it, a sibling, or this control.
        if (life.expired()) return;
        if (childLife.expired() || child->Parent() != this || !child->Visible()) continue;
        if (!RectVisible(DC, child->BoundsRect())) continue;
        TChildPaintScope scope(DC, child->BoundsRect());
        child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    if (auto* dc = reinterpret_cast<HDC>(Message.WParam)) {
        dc->Brush().Assign(&FBrush);
        dc->FillRect(GetClientRect());
    }
    Message.Result = 1;
}

void TWinControl::WMSize(TMessage& Message) {
    UpdateBounds();
    DefaultHandler(Message);
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
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
    ControlWindows().erase(FHandle);
    FHandle = 0;
    FShowing = false;
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
    const TPoint at = Point(static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(Message.LParam))),
                            static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(Message.LParam))));
    TControl* capture = GetCaptureControl();
    TControl* control =
        capture != nullptr && capture->Parent() == this ? capture : ControlAtPos(at, false);
    const std::weak_ptr<const void> life = LifeToken();
    const std::weak_ptr<const void> controlLife =
        control != nullptr ? control->LifeToken() : std::weak_ptr<const void>();
    if (Message.Msg == WM_MOUSEMOVE) SetMouseControl(control != nullptr ? control : this);
    // A handler of entering or leaving may have freed either of them: the message then goes
    // nowhere.
    if (life.expired()) return true;
    if (control == nullptr) return false;
    if (controlLife.expired()) return true;
    const TPoint p = Point(at.X - control->Left(), at.Y - control->Top());
    Message.Result =
        control->Perform(Message.Msg, Message.WParam,
                         MAKELONG(static_cast<uint16_t>(p.X), static_cast<uint16_t>(p.Y)));
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

// Messages

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
            if (!IsControlMouseMsg(Message)) TControl::WndProc(Message);
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
        default:
            break;
    }
    if (FHandle != 0)
        Message.Result =
            CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
    else
        TControl::DefaultHandler(Message);
}

void TWinControl::CMShowingChanged(TMessage&) {
    SetWindowPos(FHandle, 0, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
    TControl::CMVisibleChanged(Message);
    UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
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
