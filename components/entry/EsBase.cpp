#include "components/entry/EsBase.h"

#include <memory>
#include <utility>

#include "platform/ui/form.h"
#include "platform/ui/inputevents.h"
#include "platform/win/window.h"

namespace vex {

void TEsLabelInfo::SetOffsetX(int32_t Value) {
    SetOffsets(Value, FOffsetY);
}

void TEsLabelInfo::SetOffsetY(int32_t Value) {
    SetOffsets(FOffsetX, Value);
}

void TEsLabelInfo::SetOffsets(int32_t X, int32_t Y) {
    if (X == FOffsetX && Y == FOffsetY) return;
    FOffsetX = X;
    FOffsetY = Y;
    if (OnChange) OnChange(this);
}

void TEsLabelInfo::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    if (OnVisibleChange) OnVisibleChange(this, Value);
}

TEsAttachedLabel::TEsAttachedLabel(TComponent* AOwner) : TEsCustomLabel(AOwner) {
    SetAutoSize(true);
    SetColorScheme(csText);
    SetAppearance(apNone);
    SetParentFont(true);
    SetTransparent(false);
}

TEsAttachedLabel::TEsAttachedLabel(TComponent* AOwner, TWinControl* Host)
    : TEsAttachedLabel(AOwner) {
    SetEsControl(Host);
}

void TEsAttachedLabel::SetEsControl(TWinControl* Value) {
    if (FEsControl == Value) return;
    if (FEsControl != nullptr) RemoveFreeNotification(FEsControl);
    FEsControl = Value;
    if (Value != nullptr) FreeNotification(Value);
}

void TEsAttachedLabel::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    const TRect before = BoundsRect();
    TEsCustomLabel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (BoundsRect() != before) TellHost();
}

void TEsAttachedLabel::Loaded() {
    TEsCustomLabel::Loaded();
    TellHost();
}

void TEsAttachedLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TEsCustomLabel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FEsControl) FEsControl = nullptr;
}

void TEsAttachedLabel::TellHost() {
    if (ComponentState().Contains(csLoading) || FDestroying || FEsControl == nullptr) return;
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr || FEsControl->Owner() != form || FEsControl->Parent() == nullptr) return;
    const HWND host = FEsControl->Handle();
    SendMessage(host, ESM_ASSIGNLABEL, 0, reinterpret_cast<LPARAM>(this));
    PostMessage(host, ESM_RECORDLABELPOSITION, 0, 0);
}

TEsLabelAttachment::TEsLabelAttachment(TWinControl& Host) : FHost(Host) {
    FInfo.OnChange = [this](TObject*) {
        if (!FHost.ComponentState().Contains(csLoading)) PositionLabel();
    };
    FInfo.OnVisibleChange = [this](TObject*, bool Value) { LabelVisibleChange(Value); };
}

TEsLabelAttachment::~TEsLabelAttachment() {
    FInfo.OnChange = nullptr;
    FInfo.OnVisibleChange = nullptr;
    FInfo.FVisible = false;
    FreeLabel();
}

TPoint TEsLabelAttachment::PresentOffsets() const {
    const TEsAttachedLabel& label = *FInfo.FLabel;
    return Point(SaturateToInt32(int64_t{label.Left()} - FHost.Left()),
                 SaturateToInt32(int64_t{label.Top()} + label.Height() - FHost.Top()));
}

bool TEsLabelAttachment::CanPlace() const {
    return FInfo.FVisible && FInfo.FLabel != nullptr && FInfo.FLabel->Parent() != nullptr &&
           !FHost.ComponentState().Contains(csLoading);
}

void TEsLabelAttachment::PositionLabel() {
    if (!CanPlace()) return;
    TEsAttachedLabel& label = *FInfo.FLabel;
    label.SetBounds(SaturateToInt32(int64_t{FHost.Left()} + FInfo.FOffsetX),
                    SaturateToInt32(int64_t{FHost.Top()} + FInfo.FOffsetY - label.Height()),
                    label.Width(), label.Height());
}

void TEsLabelAttachment::HostMoved() {
    if (FHost.HandleAllocated()) PostMessage(FHost.Handle(), ESM_POSITIONLABEL, 0, 0);
}

bool TEsLabelAttachment::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case ESM_POSITIONLABEL:
            if (CanPlace() && PresentOffsets() != Point(FInfo.FOffsetX, FInfo.FOffsetY))
                PositionLabel();
            return true;
        case ESM_RECORDLABELPOSITION:
            if (FInfo.FLabel != nullptr && FInfo.FLabel->Parent() != nullptr) {
                FInfo.FVisible = true;
                const TPoint offsets = PresentOffsets();
                FInfo.SetOffsets(offsets.X, offsets.Y);
            }
            return true;
        case ESM_ASSIGNLABEL: {
            // Only a label of this host on its form is taken: the number is a pointer, and
            // anything else sent with it is not followed.
            TCustomForm* form = GetParentForm(&FHost);
            if (form == nullptr) return true;
            for (int32_t i = 0; i < form->ComponentCount(); ++i)
                if (reinterpret_cast<LPARAM>(form->Components(i)) == Message.LParam) {
                    auto* label = dynamic_cast<TEsAttachedLabel*>(form->Components(i));
                    if (label != nullptr && label->EsControl() == &FHost) FInfo.FLabel = label;
                }
            return true;
        }
        default:
            return false;
    }
}

void TEsLabelAttachment::LabelVisibleChange(bool Value) {
    if (FHost.ComponentState().Contains(csLoading)) return;
    TCustomForm* form = GetParentForm(&FHost);
    if (form == nullptr) return;
    FreeLabel();
    if (!Value) return;
    auto* label = new TEsAttachedLabel(form, &FHost);
    FInfo.FLabel = label;
    FHost.FreeNotification(label);
    label->SetParent(FHost.Parent());
    label->SetCaption(FHost.Name() + "Label");
    FInfo.SetOffsets(0, 0);
    PositionLabel();
    label->BringToFront();
    // The label keeps the size of its first caption.
    label->SetAutoSize(false);
}

void TEsLabelAttachment::FreeLabel() {
    delete std::exchange(FInfo.FLabel, nullptr);
}

void TEsLabelAttachment::Notification(TComponent* AComponent, TOperation Operation) {
    // Whatever frees the label, the host forgets it, so nothing reaches it afterwards.
    if (Operation == opRemove && AComponent != nullptr && AComponent == FInfo.FLabel) {
        FInfo.FLabel = nullptr;
        FInfo.FVisible = false;
    }
}

TEsBase::TEsBase(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), 75, 25);
}

void TEsBase::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FAttachment.HostMoved();
}

void TEsBase::WndProc(TMessage& Message) {
    if (FAttachment.Dispatch(Message)) return;
    // The framework's wheel handling may run a handler that frees this control.
    const std::weak_ptr<const void> life = LifeToken();
    TCustomControl::WndProc(Message);
    // A disabled control gets no input, the wheel included.
    if (Message.Msg == WM_MOUSEWHEEL && !life.expired() && Enabled()) {
        // The wheel's turn and the screen position are signed words: a notch towards the user
        // is -120, and a point left of or above the primary screen is negative.
        DoMouseWheel(KeysToShiftState(LOWORD(Message.WParam)),
                     static_cast<int16_t>(HIWORD(Message.WParam)),
                     static_cast<int16_t>(LOWORD(Message.LParam)),
                     static_cast<int16_t>(HIWORD(Message.LParam)));
    }
}

void TEsBase::DoMouseWheel(TShiftState Shift, int16_t Delta, int16_t XPos, int16_t YPos) {
    if (OnMouseWheel) OnMouseWheel(this, Shift, Delta, XPos, YPos);
}

void TEsBase::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    FAttachment.Notification(AComponent, Operation);
}

}  // namespace vex
