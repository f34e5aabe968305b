#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui/control.h"

namespace vex {

// A control that holds other controls. Its children are kept in two lists, each in z-order
// from the bottom: the controls it paints itself and the windowed ones above them.
class TWinControl : public TControl {
    VEX_CLASS(TWinControl, TControl)

public:
    explicit TWinControl(TComponent* AOwner);
    // Frees the children first, whoever owns them.
    ~TWinControl() override;

    // The controls painted by this one first, then the windowed ones, each kind bottom to top.
    int32_t ControlCount() const {
        return static_cast<int32_t>(FControls.size() + FWinControls.size());
    }
    // Index counts from 0; out of range raises EListError.
    TControl* Controls(int32_t Index) const;
    // True for the control itself and everything below it.
    bool ContainsControl(const TControl* Control) const;
    // The topmost visible child whose client area holds Pos (client coordinates) and that does
    // not answer CM_HITTEST with HTNOWHERE; disabled ones only when AllowDisabled, windowed
    // ones only when AllowWinControls.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false);

    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);

    // Sends the message to each child in turn until one answers it with a result other than 0.
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);

    // Between the outermost DisableAlign and its EnableAlign, alignment requests are noted and
    // carried out once at the end.
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign() { AlignControl(nullptr); }

    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);

    // The place in the parent's tab order, from 0; -1 without a parent. Values beyond the ends
    // go to the nearest end.
    int32_t TabOrder() const;
    void SetTabOrder(int32_t Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);

    // The windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return FTabList; }

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void WndProc(TMessage& Message) override;

protected:
    void SetZOrderPosition(int32_t Position) override;

    // Places the aligned children within Rect, which comes in as the client area.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // Narrows the area the aligned children share.
    virtual void AdjustClientRect(TRect& /*Rect*/) {}
    void AlignControl(TControl* AControl);
    void Loaded() override;

    virtual void CMCtl3DChanged(TMessage& Message);
    virtual void CMParentCtl3DChanged(TMessage& Message);
    virtual void CMShowHintChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

private:
    friend class TControl;

    // Adds and removes a control from the lists, without any notification.
    void Insert(TControl* AControl);
    void Remove(TControl* AControl);

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    int32_t FAlignLevel = 0;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FTabStop = false;
};

}  // namespace vex
