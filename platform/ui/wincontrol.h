#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/brush.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/control.h"
#include "platform/win/scrollbars.h"
#include "platform/win/windowclass.h"

namespace vex {

// What CreateWnd makes a window from: CreateParams fills it, a descendant adds its styles.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    HWND WndParent = 0;
    LPARAM Param = 0;
    // The class the window is made of. Its procedure is the native behaviour that messages
    // the control leaves alone get; the class is registered under WinClassName with the
    // framework's own procedure in front.
    WNDCLASS WindowClass;
    std::string WinClassName;
};

// A control with a window of its own, made when it is first needed and made again whenever
// its styles change. Everything a window holds (bounds, text, enabled state, scroll bars) is
// kept by the control as well, so a new window starts as the old one ended. Its children are
// kept in two lists, each in z-order from the bottom: the controls it paints itself and the
// windowed ones above them. The windows are made and kept in wincontrolwindow.cpp and painted
// in wincontrolpaint.cpp.
class TWinControl : public TControl {
    VEX_CLASS(TWinControl, TControl)

public:
    explicit TWinControl(TComponent* AOwner);
    // Frees the window, then the children, whoever owns them.
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

    // The window, made (with its parents') when there is none yet.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != 0; }
    void HandleNeeded();

    // The client area of the window, or the one its styles would leave while it has none.
    TRect GetClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override { return FShowing; }

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
    // Every windowed control below this one in tab order, each container followed by its own.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    // The control after (or before) CurControl in the tab order that can take the focus,
    // wrapping around; with CheckTabStop only tab stops, with CheckParent only this control's
    // own children. A CurControl not in the list starts at the end the search comes from.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent);
    // Gives the focus to the control FindNextControl finds; CheckTabStop off moves among the
    // siblings, as arrow keys do.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    // The focus (controlfocus.cpp). A control can take it while it and every parent up to its
    // form are visible and enabled; the form itself need not show yet.
    virtual bool CanFocus();
    // The control's window holds the keyboard focus.
    bool Focused();
    // Makes the control its form's ActiveControl and gives it the focus. A control that cannot
    // take it raises EInvalidOperation "Cannot focus a disabled or invisible window".
    virtual void SetFocus();

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    // Paints the plain children that are visible and meet DC's clip, bottom to top from First
    // (nil: all): each on the DC moved to its place and clipped to its bounds, so that it cannot
    // paint over its siblings.
    void PaintControls(HDC DC, TControl* First);

    void WndProc(TMessage& Message) override;
    // Messages no handler took go to the procedure of the window's class.
    void DefaultHandler(TMessage& Message) override;

    // The brush the background is erased with, in the control's colour.
    TBrush& Brush() { return FBrush; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    // Keeps what only the window knew (its scroll bars) for the next window, then destroys it.
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    void CreateHandle();
    void DestroyHandle();
    // Makes the window again, as a change of style needs; nothing when there is none.
    void RecreateWnd();
    // Makes windows for what is to be seen and shows or hides them: a control shows while it
    // and all its parents are visible.
    void UpdateShowing();
    void UpdateControlState();

    void SetZOrder(bool TopMost) override;
    void SetZOrderPosition(int32_t Position) override;

    // Places the aligned children within Rect, which comes in as the client area.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // Narrows the area the aligned children share.
    virtual void AdjustClientRect(TRect& /*Rect*/) {}
    void AlignControl(TControl* AControl);
    void Loaded() override;

    // Paints the window: the background, what the class paints, then the plain children.
    void PaintHandler(TMessage& Message);
    // What the control itself paints on DC; by default the class's painting.
    virtual void PaintWindow(HDC DC);

    void WMPaint(TMessage& Message) override;
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMove(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void WMNCDestroy(TMessage& Message);
    virtual void WMCommand(TMessage& Message);
    virtual void WMNotify(TMessage& Message);
    virtual void CMShowingChanged(TMessage& Message);
    virtual void CMCtl3DChanged(TMessage& Message);
    virtual void CMParentCtl3DChanged(TMessage& Message);
    virtual void CMShowHintChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

    // The keys (controlkeys.cpp), in the order a key meets them: before dispatch CN_KEYDOWN,
    // CN_SYSKEYDOWN, CN_CHAR or CN_SYSCHAR, which offer dialog keys and characters to the form
    // unless the control claims them (WM_GETDLGCODE, CM_WANTSPECIALKEY); then, dispatched, the
    // form's methods when it has KeyPreview, the control's own, and the native procedure for a
    // key they leave non-zero.
    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    // True when the key was used up by the form or the control and stops there.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void CNKeyDown(TMessage& Message);
    virtual void CNSysKeyDown(TMessage& Message);
    virtual void CNChar(TMessage& Message);
    virtual void CNSysChar(TMessage& Message);
    // A dialog key or character offered to the children in turn, until one takes it.
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

    // The focus (controlfocus.cpp).
    virtual void DoEnter();
    virtual void DoExit();
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    // Hands the focus from this control (or one below it) to its form; Removing says the
    // control is leaving the form, so it hears nothing more.
    void RemoveFocus(bool Removing);

    // The mouse (controlmouse.cpp).
    virtual void WMMouseWheel(TMessage& Message);
    void WMContextMenu(TMessage& Message) override;

private:
    friend class TControl;
    friend LRESULT ControlWindowProc(HWND, UINT, WPARAM, LPARAM);

    // Adds and removes a control from the lists, without any notification.
    void Insert(TControl* AControl);
    void Remove(TControl* AControl);
    // Reads the bounds back from the window after the window tree moved it.
    void UpdateBounds();
    // The window the control's window goes below, to keep the windows in the list's order.
    HWND PrecedingWindow(const TWinControl* Control) const;
    // Hands a mouse message over a plain child (or to the child holding the mouse) to it, in its
    // own coordinates, and tells the mouse tracking which control the pointer is over; false
    // when the message is this control's own.
    bool IsControlMouseMsg(TMessage& Message);
    // The form's turn at a key when it previews keys: Step is the form's own DoKey... method.
    bool FormPreviews(bool (TWinControl::*Step)(TMessage&), TMessage& Message);
    // The form's preview, then Method (KeyDown or KeyUp) with the key; true when either used it.
    bool PassKey(TMessage& Message, bool (TWinControl::*Step)(TMessage&),
                 void (TWinControl::*Method)(uint16_t&, TShiftState));
    // A mouse message of the window: to the plain child under the point or holding the mouse,
    // or to the control itself; a right release then asks for the context menu.
    void RouteMouseMessage(TMessage& Message);
    // Hands a notification about the child window ChildWnd to its control as CN_*; false when
    // no control has that window.
    bool DoControlMsg(HWND ChildWnd, TMessage& Message);
    void RestoreScrollBars();
    void UpdateShowingWithin(bool ParentShows);

    std::vector<TControl*> FControls;
    // Counts the plain children taken out of FControls, so a walk over them that calls out
    // can tell when one it holds may be gone.
    uint64_t FControlRemovals = 0;
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    int32_t FAlignLevel = 0;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FTabStop = false;
    HWND FHandle = 0;
    WNDPROC FDefWndProc;
    bool FShowing = false;
    TBrush FBrush;
    // The scroll bars of the last window, given to the next one.
    struct TSavedScrollBar {
        bool Saved = false;
        SCROLLINFO Info;
        bool Visible = false;
        UINT DisabledArrows = ESB_ENABLE_BOTH;
    };
    TSavedScrollBar FScrollBars[2];
};

// The control whose window Handle is; nil for any other window.
TWinControl* FindControl(HWND Handle);

// The application loop's step before it dispatches a message: a key message goes as CN_KEYDOWN,
// CN_CHAR... to the control holding the mouse capture, else to the control it is for (the
// nearest control holding the window when that has none); true when the control answered it
// with a result other than 0, so it is not to be dispatched.
bool IsKeyMsg(const MSG& Msg);

// True when Key is the accelerator of Caption: the character after a single "&" ("&&" shows
// an "&"), compared without regard to case.
bool IsAccel(uint16_t Key, const std::string& Caption);

}  // namespace vex
