#include "components/misc/ExplBtn.h"

#include "components/misc/ExplBtnBitmaps.h"
#include "components/misc/ExplBtnPopup.h"
#include "platform/core/filer.h"
#include "platform/core/stream.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/popupmenu.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/window.h"

namespace vex {

namespace {

// The caption as a hint: a single "&" goes, "&&" becomes "&".
std::string WithoutAccelerators(const std::string& Caption) {
    std::string text;
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&' && ++i == Caption.size()) break;
        text += Caption[i];
    }
    return text;
}

}  // namespace

TExplorerButton::TExplorerButton(TComponent* AOwner) : TCustomControl(AOwner) {
    // Clicks are the button's own (MouseUp): a group's Down is settled before OnClick, and a
    // drop-down press is no click.
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csOpaque};
    FSizing = true;
    SetBounds(0, 0, FCustomWidth, FCustomHeight);
    FSizing = false;
    if (ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading))
        SetCaption("ExplorerButton");
}

TExplorerButton::~TExplorerButton() {
    FDestroying = true;
    // The open panel may have come from this button though it has let go of the panel since.
    if (TExplorerPopup* open = OpenExplorerPopup()) open->ButtonGone(this);
}

void TExplorerButton::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

// Runs Action on every other explorer button of the same parent and group.
template <class TAction>
static void ForEachInGroup(TExplorerButton& Button, TAction Action) {
    if (Button.Parent() == nullptr || Button.GroupIndex() == 0) return;
    for (int32_t i = 0; i < Button.Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TExplorerButton*>(Button.Parent()->Controls(i));
        if (other != nullptr && other != &Button && other->GroupIndex() == Button.GroupIndex())
            Action(*other);
    }
}

void TExplorerButton::SetAllowAllUp(bool Value) {
    FAllowAllUp = Value;
    ForEachInGroup(*this, [Value](TExplorerButton& Other) { Other.FAllowAllUp = Value; });
}

void TExplorerButton::SetGroupIndex(int32_t Value) {
    FGroupIndex = Value;
    if (Value == 0)
        SetDown(false);
    else if (FDown)
        ReleaseGroup();  // a group keeps one button down
}

void TExplorerButton::SetDown(bool Value) {
    if (FGroupIndex == 0 && Value) return;
    if (FDown == Value) return;
    if (Value) ReleaseGroup();
    FDown = Value;
    Invalidate();
}

void TExplorerButton::ReleaseGroup() {
    ForEachInGroup(*this, [](TExplorerButton& Other) {
        if (!Other.FDown) return;
        Other.FDown = false;
        Other.Invalidate();
    });
}

void TExplorerButton::SetBevelStyle(TBevelStyle Value) {
    if (FBevelStyle == Value) return;
    FBevelStyle = Value;
    Invalidate();
}

void TExplorerButton::SetBitmap(const TBitmap& Value) {
    FBitmap.Assign(&Value);
    if (FNoFocusBitmap.Empty()) RegenerateDimmedBitmap();
    Invalidate();
}

void TExplorerButton::SetNoFocusBitmap(const TBitmap& Value) {
    FNoFocusBitmap.Assign(&Value);
    Invalidate();
}

void TExplorerButton::SetDisabledBitmap(const TBitmap& Value) {
    FDisabledBitmap.Assign(&Value);
    Invalidate();
}

void TExplorerButton::RegenerateDimmedBitmap() {
    MakeDimmedBitmap(FBitmap, FShadingType, FDimmedBitmap);
}

void TExplorerButton::SetDropDownMenu(TPopupMenu* Value) {
    if (FDropDownMenu == Value) return;
    if (FDropDownMenu != nullptr) RemoveFreeNotification(FDropDownMenu);
    FDropDownMenu = Value;
    if (Value != nullptr) {
        FreeNotification(Value);
        SetExplorerPopup(nullptr);
    }
    Invalidate();
}

void TExplorerButton::SetExplorerPopup(TExplorerPopup* Value) {
    if (FExplorerPopup == Value) return;
    if (FExplorerPopup != nullptr) RemoveFreeNotification(FExplorerPopup);
    FExplorerPopup = Value;
    if (Value != nullptr) {
        FreeNotification(Value);
        SetDropDownMenu(nullptr);
    }
    Invalidate();
}

void TExplorerButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FExplorerPopup) FExplorerPopup = nullptr;
    if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TExplorerButton::PopupOpened() {
    FPopupOpen = true;
    Invalidate();
}

void TExplorerButton::PopupClosed() {
    FPopupOpen = false;
    FPressed = false;
    FArrowPressed = false;
    FMouseIn = CursorInside();
    Invalidate();
}

void TExplorerButton::SetDropDownStyle(TExplorerButtonDropDownStyle Value) {
    if (FDropDownStyle == Value) return;
    FDropDownStyle = Value;
    ClearPressState();
    Invalidate();
}

void TExplorerButton::SetEnabled(bool Value) {
    if (Value == Enabled()) return;
    ClearPressState();
    TCustomControl::SetEnabled(Value);
    Invalidate();
}

void TExplorerButton::ClearPressState() {
    FPressed = false;
    FArrowPressed = false;
    FMouseIn = false;
    if (FGroupIndex == 0) FDown = false;
}

void TExplorerButton::SetLayout(TExplorerButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TExplorerButton::SetOptions(TExplorerButtonOptions Value) {
    if (FOptions == Value) return;
    FOptions = Value;
    UpdateIconOnlyHint();
    Invalidate();
}

void TExplorerButton::SetShadingType(TExplorerButtonShadingType Value) {
    if (FShadingType == Value) return;
    FShadingType = Value;
    if (!ComponentState().Contains(csLoading)) RegenerateDimmedBitmap();
    Invalidate();
}

void TExplorerButton::SetUnselectedFontColor(TColor Value) {
    if (FUnselectedFontColor == Value) return;
    FUnselectedFontColor = Value;
    Invalidate();
}

void TExplorerButton::SetButtonSize(TExplorerButtonButtonSize Value) {
    FButtonSize = Value;
    const bool small = Value == bsSmall, large = Value == bsLarge;
    FSizing = true;
    SetBounds(Left(), Top(),
              small   ? FSmallWidth
              : large ? FLargeWidth
                      : FCustomWidth,
              small   ? FSmallHeight
              : large ? FLargeHeight
                      : FCustomHeight);
    FSizing = false;
}

void TExplorerButton::SetClassSize(TExplorerButtonButtonSize Class, int32_t& Field, int32_t Value) {
    Field = Value;
    if (FButtonSize == Class) SetButtonSize(Class);
}

void TExplorerButton::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FSizing) return;
    switch (FButtonSize) {
        case bsSmall:
            FSmallWidth = Width(), FSmallHeight = Height();
            break;
        case bsLarge:
            FLargeWidth = Width(), FLargeHeight = Height();
            break;
        case bsCustom:
            FCustomWidth = Width(), FCustomHeight = Height();
            break;
    }
}

void TExplorerButton::CMTextChanged(TMessage& Message) {
    TCustomControl::CMTextChanged(Message);
    UpdateIconOnlyHint();
    Invalidate();
}

void TExplorerButton::UpdateIconOnlyHint() {
    if (FOptions.Contains(boIconOnly)) {
        SetHint(WithoutAccelerators(Caption()));
        SetShowHint(true);
        FIconOnlyHint = true;
    } else if (FIconOnlyHint) {
        SetHint("");
        FIconOnlyHint = false;
    }
}

bool TExplorerButton::OnArrowPart(int32_t X) const {
    return FDropDownStyle == ddsOffice && X >= Width() - ExplorerArrowWidth;
}

bool TExplorerButton::CursorInside() const {
    TPoint p;
    if (!GetCursorPos(p)) return false;
    return PtInRect(ClientRect(), ScreenToClient(p));
}

void TExplorerButton::MouseEntered() {
    FMouseIn = true;
    if (!FDown && Enabled()) Invalidate();
    const std::weak_ptr<const void> life = LifeToken();
    if (OnEnter) OnEnter(this);
    if (life.expired()) return;
    // As on a menu bar: moving to another button closes the open panel and opens this one's.
    TExplorerPopup* open = OpenExplorerPopup();
    if (open == nullptr || open->Button() == this || open->ContainsControl(this)) return;
    open->Close();
    if (!life.expired() && FExplorerPopup != nullptr && Enabled())
        PostMessage(Handle(), WM_EXPLORERPOPUP, 0, 0);
}

void TExplorerButton::MouseLeft() {
    FMouseIn = false;
    if (!FDown && Enabled()) Invalidate();
    if (OnExit) OnExit(this);
}

void TExplorerButton::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft && Enabled() && Visible()) {
        FArrowPressed = OnArrowPart(X);
        FPressed = !FArrowPressed;
        FMouseIn = true;
        Repaint();
        const bool dropsDown = FDropDownMenu != nullptr || FArrowPressed ||
                               (FExplorerPopup != nullptr && FDropDownStyle == ddsIExplorer);
        const std::weak_ptr<const void> life = LifeToken();
        if (dropsDown && OnDropDownClick) OnDropDownClick(this);
        if (life.expired()) return;
        // The handler ran a loop of its own (a modal form) that took the mouse and the release.
        if (!MouseCapture()) EndPress();
        if (OpensPopup()) {
            PostMessage(Handle(), WM_EXPLORERPOPUP, 0, 0);
        } else if (OpensMenu()) {
            TCustomControl::MouseDown(Button, Shift, X, Y);
            // OnMouseDown may have taken the menu away: the press goes on as a plain one.
            if (!life.expired() && OpensMenu()) DropMenuDown();
            return;
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TExplorerButton::DropMenuDown() {
    const std::weak_ptr<const void> life = LifeToken();
    const TPoint at = ClientToScreen(Point(0, Height()));
    FDropDownMenu->Popup(at.X, at.Y);
    if (!life.expired()) EndPress();
}

void TExplorerButton::EndPress() {
    if (HandleAllocated()) DiscardMouseMessages(Handle());
    SetMouseCapture(false);
    FPressed = false;
    FArrowPressed = false;
    if (!CursorInside()) FMouseIn = false;
    Invalidate();
}

void TExplorerButton::WMContextMenu(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    // Asked before: the menu's own handlers may take it away from the button while it runs.
    const bool hasMenu = PopupMenu() != nullptr;
    TCustomControl::WMContextMenu(Message);
    // The context menu, if any, has come and gone: what it left of a press goes too.
    if (!life.expired() && hasMenu) EndPress();
}

void TExplorerButton::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    // While pressed the button holds the mouse and hears of no leaving: it pops up as the
    // pointer goes and sinks again as it comes back.
    if (FPressed || FArrowPressed) {
        const bool inside = PtInRect(ClientRect(), Point(X, Y));
        if (inside != FMouseIn) {
            FMouseIn = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TExplorerButton::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button != mbLeft || !(FPressed || FArrowPressed)) {
        TCustomControl::MouseUp(Button, Shift, X, Y);
        return;
    }
    const bool inside = PtInRect(ClientRect(), Point(X, Y));
    if (FGroupIndex != 0 && FPressed && inside) {
        if (!FDown)
            SetDown(true);
        else if (FAllowAllUp)
            SetDown(false);
    }
    const bool plain = FDropDownStyle == ddsIExplorer ? !HasDropDown() : FPressed;
    FPressed = false;
    FArrowPressed = false;
    if (!inside) FMouseIn = false;
    SetMouseCapture(false);
    Repaint();
    const std::weak_ptr<const void> life = LifeToken();
    if (inside && plain) Click();
    if (!life.expired()) TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TExplorerButton::DblClick() {
    if (!FArrowPressed && FExplorerPopup == nullptr) TCustomControl::DblClick();
}

void TExplorerButton::PressByAccelerator() {
    const std::weak_ptr<const void> life = LifeToken();
    Perform(WM_LBUTTONDOWN, 0, 0);
    if (life.expired()) return;
    Application().ProcessMessages();
    if (life.expired()) return;
    Perform(WM_LBUTTONUP, 0, 0);
}

void TExplorerButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case CM_MOUSEENTER:
            MouseEntered();
            break;
        case CM_MOUSELEAVE:
            MouseLeft();
            break;
        case WM_LBUTTONDBLCLK: {
            // A double click is a press as well; the click half comes with its release.
            const std::weak_ptr<const void> life = LifeToken();
            TCustomControl::WndProc(Message);
            if (!life.expired()) DblClick();
            return;
        }
        case WM_EXPLORERPOPUP:
            if (FExplorerPopup != nullptr && Enabled()) FExplorerPopup->DropDown(this);
            return;
        case CM_DIALOGCHAR:
            if (Enabled() && Visible() &&
                IsAccel(static_cast<uint16_t>(Message.WParam), Caption())) {
                PressByAccelerator();
                Message.Result = 1;
                return;
            }
            break;
        default:
            break;
    }
    TCustomControl::WndProc(Message);
}

void TExplorerButton::WMEraseBkgnd(TMessage& Message) {
    // The face covers every pixel, drawn off screen first, so erasing would only flicker.
    Message.Result = 1;
}

void TExplorerButton::DefineProperties(TFiler& Filer) {
    TCustomControl::DefineProperties(Filer);
    Filer.DefineProperty(
        "IBitmap",
        [this](TReader& Reader) {
            TStringStream png(Reader.ReadString());
            FDimmedBitmap.LoadFromStream(png);
        },
        [this](TWriter& Writer) {
            TStringStream png;
            FDimmedBitmap.SaveToStream(png);
            Writer.WriteString(png.DataString());
        },
        !FDimmedBitmap.Empty());
}

}  // namespace vex
