#pragma once

#include <cstdint>
#include <functional>

#include "components/entry/EsLabel.h"
#include "components/entry/OvcCmd.h"
#include "platform/core/events.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

class TEsAttachedLabel;

// What a control with an attached label and its label tell each other, in the host's window.
// The host moved: put the label back at the recorded offsets.
inline constexpr UINT ESM_POSITIONLABEL = WM_USER + 100;
// The label moved: record where it now is from the host, and count it as shown.
inline constexpr UINT ESM_RECORDLABELPOSITION = WM_USER + 101;
// LParam is the host's attached label.
inline constexpr UINT ESM_ASSIGNLABEL = WM_USER + 102;

// Where a control's attached label sits, and whether it has one. OffsetX runs from the control's
// left edge to the label's, OffsetY from the control's top edge to the label's bottom edge (0: the
// label sits right on top of the control).
class TEsLabelInfo : public TPersistent {
    VEX_CLASS(TEsLabelInfo, TPersistent)

public:
    int32_t OffsetX() const { return FOffsetX; }
    void SetOffsetX(int32_t Value);
    int32_t OffsetY() const { return FOffsetY; }
    void SetOffsetY(int32_t Value);
    // Both at once, with one OnChange.
    void SetOffsets(int32_t X, int32_t Y);
    // Showing the label makes one; hiding it frees it.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    TEsAttachedLabel* Label() const { return FLabel; }

    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool Value)> OnVisibleChange;

private:
    friend class TEsLabelAttachment;

    int32_t FOffsetX = 0;
    int32_t FOffsetY = 0;
    TEsAttachedLabel* FLabel = nullptr;
    bool FVisible = false;
};

// A caption label a control makes for itself and keeps above it. Moving the label records where
// it now sits from its control; moving the control takes the label along.
class TEsAttachedLabel : public TEsCustomLabel {
    VEX_CLASS(TEsAttachedLabel, TEsCustomLabel)

public:
    explicit TEsAttachedLabel(TComponent* AOwner);
    // The label of Host, which is forgotten when it is freed.
    TEsAttachedLabel(TComponent* AOwner, TWinControl* Host);

    TWinControl* EsControl() const { return FEsControl; }
    void SetEsControl(TWinControl* Value);

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Tells the host, if it is on the label's form, that this is its label and where it now is.
    void TellHost();

    TWinControl* FEsControl = nullptr;
};

// What a windowed control does to carry an attached label: its TEsLabelInfo, the answers to
// the ESM_ messages, and the label made, placed and freed as the information says. The host
// gives it every message first, and calls HostMoved after each change of its bounds and
// Notification from its own.
class TEsLabelAttachment {
public:
    explicit TEsLabelAttachment(TWinControl& Host);
    // Frees the label.
    ~TEsLabelAttachment();
    TEsLabelAttachment(const TEsLabelAttachment&) = delete;
    TEsLabelAttachment& operator=(const TEsLabelAttachment&) = delete;

    TEsLabelInfo& Info() { return FInfo; }
    // Answers an ESM_ message; false for any other message.
    bool Dispatch(TMessage& Message);
    void HostMoved();
    void Notification(TComponent* AComponent, TOperation Operation);

private:
    // The label's offsets from the host as it now sits.
    TPoint PresentOffsets() const;
    bool CanPlace() const;
    void PositionLabel();
    void LabelVisibleChange(bool Value);
    void FreeLabel();

    TWinControl& FHost;
    TEsLabelInfo FInfo;
};

// A windowed control that paints itself, with an attached label and a mouse-wheel event.
class TEsBase : public TCustomControl {
    VEX_CLASS(TEsBase, TCustomControl)

public:
    // The wheel turned Delta (120 a notch; negative towards the user) with the pointer at XPos,
    // YPos on the screen, the keys and buttons of Shift held.
    using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int16_t Delta,
                                                int16_t XPos, int16_t YPos)>;

    explicit TEsBase(TComponent* AOwner);

    TEsLabelInfo& EsLabelInfo() { return FAttachment.Info(); }

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void WndProc(TMessage& Message) override;

    TMouseWheelEvent OnMouseWheel;

protected:
    // The framework's own wheel handling stays reachable beside this one.
    using TCustomControl::DoMouseWheel;
    virtual void DoMouseWheel(TShiftState Shift, int16_t Delta, int16_t XPos, int16_t YPos);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TEsLabelAttachment FAttachment{*this};
};

}  // namespace vex
