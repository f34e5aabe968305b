#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/geometry.h"
#include "platform/core/set.h"
#include "platform/core/types.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/cursors.h"
#include "platform/gfx/font.h"
#include "platform/ui/inputevents.h"
#include "platform/win/messages.h"

namespace vex {

class TControl;
class TWinControl;

// Opens Menu (a control's PopupMenu) at the screen point for Control; true when it opened.
// Menus install it; without one a right click opens nothing.
using TPopupMenuHandler =
    std::function<bool(TControl* Control, TComponent* Menu, TPoint ScreenPos)>;
void SetPopupMenuHandler(TPopupMenuHandler Handler);

// Where a control is placed in its parent: along a side (taking its whole length) or over what
// the others leave. Controls are placed in this order of values, alTop first.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,  // paints every pixel of its bounds, so nothing behind it needs painting
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
using TControlStyle = TSet<TControlStyleItem, 32>;

enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,  // an alignment was asked for while alignment was held back
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateItem, 16>;

// A visual element inside a parent control: a rectangle in the parent's client coordinates and
// the look shared by every control (font, colour, visibility, text). Property changes reach the
// control as CM_* messages through Perform, so a descendant answers them by overriding the small
// handler the message goes to; the parent hears of them through the same route.
class TControl : public TComponent {
    VEX_CLASS(TControl, TComponent)

public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    // Moves the control to AParent's children (nil: none). A parent that is the control or one
    // of its own children raises EInvalidOperation and changes nothing.
    virtual void SetParent(TWinControl* AParent);

    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetLeft(int32_t Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int32_t Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int32_t Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int32_t Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // A negative width or height is taken as 0.
    virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
    // Edges beyond the 32-bit range stay at its end.
    TRect BoundsRect() const {
        return Rect(FLeft, FTop, SaturateToInt32(int64_t{FLeft} + FWidth),
                    SaturateToInt32(int64_t{FTop} + FHeight));
    }
    void SetBoundsRect(const TRect& R) {
        SetBounds(R.Left, R.Top, SaturateToInt32(int64_t{R.Right} - R.Left),
                  SaturateToInt32(int64_t{R.Bottom} - R.Top));
    }

    // The area children and painting use, in the control's own coordinates.
    virtual TRect GetClientRect() const;
    TRect ClientRect() const { return GetClientRect(); }
    int32_t ClientWidth() const { return ClientRect().Right; }
    int32_t ClientHeight() const { return ClientRect().Bottom; }
    void SetClientWidth(int32_t Value);
    void SetClientHeight(int32_t Value);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents up to a shown window.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value) { FFont.Assign(&Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);

    // The menu a right click opens; forgotten when that component is freed.
    TComponent* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TComponent* Value);

    // The text goes through WM_GETTEXT and WM_SETTEXT, so a control may answer them itself;
    // a change is followed by CM_TEXTCHANGED.
    std::string Text();
    void SetText(const std::string& Value);
    std::string Caption() { return Text(); }
    void SetCaption(const std::string& Value) { SetText(Value); }

    int32_t HelpContext() const { return FHelpContext; }
    void SetHelpContext(int32_t Value) { FHelpContext = Value; }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    // Hands the message to WndProc at once and returns its answer.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // Every message of the control passes here: input is dropped while the control is disabled,
    // each message the framework knows goes to its handler, the rest to DefaultHandler.
    virtual void WndProc(TMessage& Message);
    // What a message no handler took gets: the control's own text messages, nothing else.
    virtual void DefaultHandler(TMessage& Message);

    // The control's area is to be painted again at the next painting pass.
    virtual void Invalidate();
    // Paints what is invalid now instead of at the next pass.
    virtual void Update();
    // Paints the control now: an opaque plain control (and whatever lies over it) at once, any
    // other through its parent's painting.
    virtual void Repaint();
    void Refresh() { Repaint(); }

    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }

    // Converts between the control's client coordinates and the screen's.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;

    // While true every mouse message comes to this control, wherever the pointer is; a control
    // with csCaptureMouse takes the mouse while its left button is down.
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);
    // Hands a wheel message (CM_MOUSEWHEEL) to the control that takes the wheel: the focused
    // control of the form, which passes it up its parents until one handles it.
    virtual void MouseWheelHandler(TMessage& Message);

    // A weak reference that expires when the control is freed: code that calls out to handlers
    // which may free the control checks it before touching the control again.
    std::weak_ptr<const void> LifeToken() const { return FLife; }

    TNotifyEvent OnResize;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TContextPopupEvent OnContextPopup;

protected:
    // The mouse methods (controlmouse.cpp). A click is a left press and release on the control
    // with csClickEvents; each method fires its event.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
    virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
    // True when the wheel was handled here. Without an OnMouseWheel that handles it, each whole
    // notch of the summed deltas becomes a DoMouseWheelUp or DoMouseWheelDown.
    virtual bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    // Tells the active control of this control's form that the mouse went to Sender, so that
    // a drop-down or a tracking control gives up (CM_CANCELMODE, lParam the sender).
    void SendCancelMode(TControl* Sender);

    virtual void SetZOrder(bool TopMost);
    // Moves the control to Position among its parent's controls of its kind (0 the bottom).
    virtual void SetZOrderPosition(int32_t Position);

    // Called when AutoSize is switched on and whenever the control's content changes size;
    // a control that sizes itself to its content sets its bounds here.
    virtual void AdjustBounds() {}
    // Asks the parent to place its aligned controls again, this one first among its side.
    void RequestAlign();
    virtual void Resize();
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Asks the parent to paint the control's bounds again; Opaque says the control covers them,
    // so the background need not be erased.
    void InvalidateControl(bool IsVisible, bool IsOpaque);

    // Message handlers; an override calls the inherited one unless it replaces its effect.
    virtual void WMPaint(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMCancelMode(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);
    virtual void CMMouseWheel(TMessage& Message);
    // A dialog key (Enter, Escape...) or a character the focused control left to its form,
    // offered to every control until one takes it (Result non-zero): a default button, or an
    // accelerator's owner.
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMLButtonDblClk(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMRButtonDown(TMessage& Message);
    virtual void WMRButtonDblClk(TMessage& Message);
    virtual void WMRButtonUp(TMessage& Message);
    virtual void WMMButtonDown(TMessage& Message);
    virtual void WMMButtonDblClk(TMessage& Message);
    virtual void WMMButtonUp(TMessage& Message);
    virtual void WMMouseMove(TMessage& Message);
    // The mouse was taken away: a capture is given up and a left press ends without a click.
    virtual void WMCancelMode(TMessage& Message);
    virtual void WMContextMenu(TMessage& Message);

    // The two halves of a property a control may take from its parent (colour, font...): a value
    // of its own ends the link, and setting the link makes the control ask its parent.
    template <class T>
    void SetOwnValue(T& Field, T Value, bool& FromParent, UINT Notification) {
        if (Field == Value) return;
        Field = Value;
        FromParent = false;
        Perform(Notification, 0, 0);
    }
    void SetFromParent(bool& FromParent, bool Value, UINT Notification) {
        if (FromParent == Value) return;
        FromParent = Value;
        if (FParent != nullptr) Perform(Notification, 0, 0);
    }

    // True for the keyboard and mouse messages a disabled control does not get.
    static bool IsInputMessage(UINT Msg);

    TControlStyle FControlStyle;
    TControlState FControlState;
    // Set at the start of the destructor of the most derived class that cares, so that nothing
    // reacts to the changes freeing makes (the component state says so only once the
    // component's own destructor runs).
    bool FDestroying = false;
    // Set directly by a control that sizes itself later, when it has content.
    bool FAutoSize = false;

private:
    friend class TWinControl;

    void FontChanged();
    // Turns a double click into a press for a control without csDoubleClicks, and keeps
    // csLButtonDown, before any handler sees the message.
    void NoteMouseMessage(TMessage& Message);
    void DoMouseDown(const TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(const TMessage& Message, TMouseButton Button);

    std::shared_ptr<int> FLife = std::make_shared<int>(0);
    TWinControl* FParent = nullptr;
    int32_t FLeft = 0;
    int32_t FTop = 0;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TFont FFont;
    bool FParentFont = true;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TComponent* FPopupMenu = nullptr;
    std::string FText;
    int32_t FHelpContext = 0;
    int32_t FWheelAccumulator = 0;
};

// Tells, as LifeToken does, whether a control is still there after a call out to code that may
// free it, for the paths that run for every control at every paint: watching touches nothing but
// the watch, where a token reaches a record of its own beside each control. A watch lives in a
// scope; the control's destructor marks the watches on it.
class TControlWatch {
public:
    explicit TControlWatch(const TControl& Control);
    ~TControlWatch();
    TControlWatch(const TControlWatch&) = delete;
    TControlWatch& operator=(const TControlWatch&) = delete;

    bool Expired() const { return FControl == nullptr; }

private:
    friend class TControl;

    const TControl* FControl;
    TControlWatch* FOuter;  // the watch made before this one, still in its scope
};

}  // namespace vex
