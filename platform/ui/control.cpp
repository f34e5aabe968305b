#include "platform/ui/control.h"

#include <algorithm>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/controllist.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/mousetracking.h"
#include "platform/ui/paint.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/capture.h"
#include "platform/win/focus.h"
#include "platform/win/updateregion.h"

namespace vex {

namespace {

// The watches in their scopes, the newest first.
TControlWatch* Watches = nullptr;

}  // namespace

TControlWatch::TControlWatch(const TControl& Control) : FControl(&Control), FOuter(Watches) {
    Watches = this;
}

TControlWatch::~TControlWatch() {
    // Scopes end in the reverse order they began, so this is nearly always the newest.
    TControlWatch** link = &Watches;
    while (*link != this)
        link = &(*link)->FOuter;
    *link = FOuter;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    for (TControlWatch* watch = Watches; watch != nullptr; watch = watch->FOuter)
        if (watch->FControl == this) watch->FControl = nullptr;
    FDestroying = true;
    ForgetMouseControls(this);
    SetParent(nullptr);
    FFont.OnChange = nullptr;
}

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    if (AParent != nullptr) {
        const auto* self = dynamic_cast<const TWinControl*>(this);
        if (self != nullptr && self->ContainsControl(AParent))
            throw EInvalidOperation(
                "A control cannot have itself or one of its children as its parent");
    }
    // Leaving realigns the siblings, whose resize handlers may free this control; the exit
    // handlers it runs may move it elsewhere, and that later move has the last word.
    const std::weak_ptr<const void> life = LifeToken();
    if (FParent != nullptr) FParent->RemoveControl(this);
    if (AParent != nullptr && !life.expired() && FParent == nullptr) AParent->InsertControl(this);
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    Invalidate();
    // The siblings' resize handlers run while the parent aligns, and may free this control.
    const std::weak_ptr<const void> life = LifeToken();
    RequestAlign();
    if (!life.expired() && !ComponentState().Contains(csLoading)) Resize();
}

TRect TControl::GetClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int32_t Value) {
    SetBounds(FLeft, FTop, SaturateToInt32(int64_t{FWidth} - ClientWidth() + Value), FHeight);
}

void TControl::SetClientHeight(int32_t Value) {
    SetBounds(FLeft, FTop, FWidth, SaturateToInt32(int64_t{FHeight} - ClientHeight() + Value));
}

void TControl::SetAlign(TAlign Value) {
    if (FAlign == Value) return;
    const TAlign old = FAlign;
    FAlign = Value;
    const auto along = [](TAlign A) { return A != alNone && A != alClient; };
    const auto vertical = [](TAlign A) { return A == alTop || A == alBottom; };
    // A bar turned from one kind of side to the other keeps its thickness.
    if (!ComponentState().Contains(csLoading) && FParent != nullptr && along(old) && along(Value) &&
        vertical(old) != vertical(Value))
        SetBounds(FLeft, FTop, FHeight, FWidth);
    RequestAlign();
}

void TControl::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    if (Value) AdjustBounds();
}

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    const std::weak_ptr<const void> life = LifeToken();
    Perform(CM_VISIBLECHANGED, Value, 0);
    if (!life.expired()) RequestAlign();
}

bool TControl::Showing() const {
    return FVisible && FParent != nullptr && FParent->Showing();
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
    SetOwnValue(FColor, Value, FParentColor, CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
    SetFromParent(FParentColor, Value, CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
    FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
    SetFromParent(FParentFont, Value, CM_PARENTFONTCHANGED);
}

void TControl::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
    SetOwnValue(FShowHint, Value, FParentShowHint, CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
    SetFromParent(FParentShowHint, Value, CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetPopupMenu(TComponent* Value) {
    FPopupMenu = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

std::string TControl::Text() {
    const auto length = static_cast<size_t>(std::max<LRESULT>(Perform(WM_GETTEXTLENGTH, 0, 0), 0));
    std::string text(length + 1, '\0');
    const auto copied = Perform(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::clamp<size_t>(static_cast<size_t>(std::max<LRESULT>(copied, 0)), 0, length));
    return text;
}

void TControl::SetText(const std::string& Value) {
    if (Text() == Value) return;
    // The new text's change handlers may free the control.
    const std::weak_ptr<const void> life = LifeToken();
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    if (!life.expired()) Perform(CM_TEXTCHANGED, 0, 0);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    WndProc(message);
    return message.Result;
}

bool TControl::IsInputMessage(UINT Msg) {
    return IsKeyMessage(Msg) || IsMouseMessage(Msg);
}

void TControl::WndProc(TMessage& Message) {
    if (!FEnabled && IsInputMessage(Message.Msg)) return;
    if (IsMouseMessage(Message.Msg) || Message.Msg == CM_MOUSELEAVE)
        ApplicationEvents().HintMouseMessage(this, Message);
    if (IsMouseMessage(Message.Msg)) NoteMouseMessage(Message);
    switch (Message.Msg) {
        case WM_PAINT:
            WMPaint(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_COLORCHANGED:
            CMColorChanged(Message);
            break;
        case CM_TEXTCHANGED:
            CMTextChanged(Message);
            break;
        case CM_PARENTFONTCHANGED:
            CMParentFontChanged(Message);
            break;
        case CM_PARENTCOLORCHANGED:
            CMParentColorChanged(Message);
            break;
        case CM_PARENTSHOWHINTCHANGED:
            CMParentShowHintChanged(Message);
            break;
        case CM_CANCELMODE:
            CMCancelMode(Message);
            break;
        case CM_HITTEST:
            CMHitTest(Message);
            break;
        case CM_MOUSEWHEEL:
            CMMouseWheel(Message);
            break;
        case CM_DIALOGKEY:
            CMDialogKey(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case WM_LBUTTONDOWN:
            WMLButtonDown(Message);
            break;
        case WM_LBUTTONDBLCLK:
            WMLButtonDblClk(Message);
            break;
        case WM_LBUTTONUP:
            WMLButtonUp(Message);
            break;
        case WM_RBUTTONDOWN:
            WMRButtonDown(Message);
            break;
        case WM_RBUTTONDBLCLK:
            WMRButtonDblClk(Message);
            break;
        case WM_RBUTTONUP:
            WMRButtonUp(Message);
            break;
        case WM_MBUTTONDOWN:
            WMMButtonDown(Message);
            break;
        case WM_MBUTTONDBLCLK:
            WMMButtonDblClk(Message);
            break;
        case WM_MBUTTONUP:
            WMMButtonUp(Message);
            break;
        case WM_MOUSEMOVE:
            WMMouseMove(Message);
            break;
        case WM_CANCELMODE:
            WMCancelMode(Message);
            break;
        case WM_CONTEXTMENU:
            WMContextMenu(Message);
            break;
        default:
            DefaultHandler(Message);
            break;
    }
}

void TControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<char*>(Message.LParam);
            if (buffer == nullptr || Message.WParam == 0) {
                Message.Result = 0;
                break;
            }
            const size_t count = std::min<size_t>(Message.WParam - 1, FText.size());
            std::memcpy(buffer, FText.data(), count);
            buffer[count] = '\0';
            Message.Result = static_cast<LRESULT>(count);
            break;
        }
        case WM_GETTEXTLENGTH:
            Message.Result = static_cast<LRESULT>(FText.size());
            break;
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<const char*>(Message.LParam);
            FText = text != nullptr ? text : "";
            Message.Result = 1;
            break;
        }
        default:
            break;
    }
}

void TControl::WMPaint(TMessage& Message) {
    DefaultHandler(Message);
}

void TControl::CMEnabledChanged(TMessage&) {
    // A disabled control hears no release, so it would keep the mouse for good.
    if (!FEnabled) ReleaseCaptureWithin(this);
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    if (!FVisible) {
        const std::weak_ptr<const void> life = LifeToken();
        LeaveMouseControls(this);
        if (life.expired()) return;
    }
    InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMTextChanged(TMessage&) {}

void TControl::CMParentFontChanged(TMessage& Message) {
    if (!FParentFont || FParent == nullptr) return;
    if (Message.WParam != 0)
        SetFont(*reinterpret_cast<const TFont*>(Message.LParam));
    else
        SetFont(FParent->Font());
    FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& Message) {
    if (!FParentColor || FParent == nullptr) return;
    SetColor(Message.WParam != 0 ? static_cast<TColor>(Message.LParam) : FParent->Color());
    FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (!FParentShowHint || FParent == nullptr) return;
    SetShowHint(FParent->ShowHint());
    FParentShowHint = true;
}

void TControl::CMCancelMode(TMessage&) {}

void TControl::CMDialogKey(TMessage&) {}

void TControl::CMDialogChar(TMessage&) {}

void TControl::CMHitTest(TMessage& Message) {
    Message.Result = HTCLIENT;
}

void TControl::Invalidate() {
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
    if (FParent != nullptr) FParent->Update();
}

void TControl::Repaint() {
    if (!FVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
    if (!FControlStyle.Contains(csOpaque)) {
        Invalidate();
        Update();
        return;
    }
    // An opaque control paints over what is behind it, so it and what lies above it paint now,
    // within its bounds, without the parent.
    const TWindowContext context(FParent->Handle());
    context.DC()->IntersectClipRect(BoundsRect());
    FParent->PaintControls(context.DC(), this);
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
    if (!IsVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
    const TRect bounds = BoundsRect();
    // What lies behind is erased first unless the control or its parent covers it.
    const bool erase = !IsOpaque && !FParent->ControlStyle().Contains(csOpaque);
    InvalidateRect(FParent->Handle(), &bounds, erase);
}

void TControl::SetZOrder(bool TopMost) {
    if (FParent == nullptr) return;
    SetZOrderPosition(TopMost ? INT32_MAX : 0);
}

void TControl::SetZOrderPosition(int32_t Position) {
    if (FParent != nullptr && MoveInList(FParent->FControls, this, Position))
        InvalidateControl(FVisible, true);
}

TPoint TControl::ClientOrigin() const {
    if (FParent == nullptr) return Point(FLeft, FTop);
    const TPoint origin = FParent->ClientOrigin();
    return Point(SaturateToInt32(int64_t{origin.X} + FLeft),
                 SaturateToInt32(int64_t{origin.Y} + FTop));
}

TPoint TControl::ClientToScreen(TPoint P) const {
    const TPoint origin = ClientOrigin();
    return Point(SaturateToInt32(int64_t{P.X} + origin.X),
                 SaturateToInt32(int64_t{P.Y} + origin.Y));
}

TPoint TControl::ScreenToClient(TPoint P) const {
    const TPoint origin = ClientOrigin();
    return Point(SaturateToInt32(int64_t{P.X} - origin.X),
                 SaturateToInt32(int64_t{P.Y} - origin.Y));
}

void TControl::RequestAlign() {
    if (FParent != nullptr) FParent->AlignControl(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    RequestAlign();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

}  // namespace vex
