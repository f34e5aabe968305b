#include "components/misc/ExplBtnPopup.h"

#include <cstdlib>
#include <memory>

#include "components/misc/ExplBtn.h"
#include "components/misc/ExplBtnPopupForm.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/mousetracking.h"
#include "platform/ui/screen.h"
#include "platform/win/capture.h"
#include "platform/win/modaldriver.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

TExplorerPopup* OpenPopup = nullptr;

bool IsLeftPress(UINT Msg) {
    return Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK || Msg == WM_NCLBUTTONDOWN ||
           Msg == WM_NCLBUTTONDBLCLK;
}

}  // namespace

TExplorerPopup* OpenExplorerPopup() {
    return OpenPopup;
}

TExplorerPopup::TExplorerPopup(TComponent* AOwner) : TCustomPanel(AOwner) {
    SetColor(clBtnFace);
}

TExplorerPopup::~TExplorerPopup() {
    FDestroying = true;
    if (OpenPopup == this) OpenPopup = nullptr;
    if (FButton != nullptr) FButton->PopupClosed();
    // The windows it was in go after it; they must not free it with their children.
    SetParent(nullptr);
    if (FHost != nullptr) FHost->Release();
    if (FFloating != nullptr) {
        FFloating->FPopup = nullptr;
        FFloating->Release();
    }
}

void TExplorerPopup::Loaded() {
    TCustomPanel::Loaded();
    SetVisible(false);
}

void TExplorerPopup::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FHomeParent) FHomeParent = nullptr;
}

bool TExplorerPopup::OnGripper(int32_t X, int32_t Y) const {
    return FUndockable && DockedOpen() && X >= 4 && X < Width() - 3 && Y >= 2 && Y <= 8;
}

void TExplorerPopup::SetGripperHot(bool Value) {
    if (FGripperHot == Value) return;
    FGripperHot = Value;
    Invalidate();
}

void TExplorerPopup::GrowForGripper(bool Grow) {
    if (FGrown == Grow) return;
    FGrown = Grow;
    const int32_t by = Grow ? ExplorerGripperHeight : -ExplorerGripperHeight;
    DisableAlign();
    for (int32_t i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        child->SetTop(child->Top() + by);
    }
    SetHeight(Height() + by);
    EnableAlign();
}

void TExplorerPopup::AdjustClientRect(TRect& Rect) {
    TCustomPanel::AdjustClientRect(Rect);
    if (FGrown) Rect.Top += ExplorerGripperHeight;
}

TPoint TExplorerPopup::DropDownPlace(TExplorerButton* Button) const {
    const TPoint top = Button->ClientToScreen(Point(0, 0));
    TPoint at = Point(top.X, top.Y + Button->Height());
    const TRect work = Screen().WorkAreaRect();
    if (int64_t{at.Y} + Height() > work.Bottom) at.Y = top.Y - Height();
    if (int64_t{at.X} + Width() > work.Right) at.X = work.Right - Width();
    return at;
}

void TExplorerPopup::DropDown(TExplorerButton* Button) {
    const std::weak_ptr<const void> life = LifeToken();
    const std::weak_ptr<const void> buttonLife = Button->LifeToken();
    // OnOpen and the OnClose of another open panel may free this panel or the button.
    const auto gone = [&] { return life.expired() || buttonLife.expired(); };
    if (OnOpen) OnOpen(this);
    if (gone() || DockedOpen()) return;
    if (Undocked()) {
        FFloating->Show();
        return;
    }
    if (OpenPopup != nullptr) OpenPopup->Close();
    if (gone() || DockedOpen()) return;
    FHomeParent = Parent();
    if (FHomeParent != nullptr) FreeNotification(FHomeParent);
    FHomeBounds = BoundsRect();
    if (FUndockable) GrowForGripper(true);
    auto* host = new TForm(nullptr);
    host->SetBorderStyle(bsNone);
    host->SetFormStyle(fsStayOnTop);
    const TPoint at = DropDownPlace(Button);
    host->SetBounds(at.X, at.Y, Width(), Height());
    FHost = host;
    FButton = Button;
    FClosed = false;
    OpenPopup = this;
    // The press that opened the panel ends here: its release is no click, and the clicks that
    // follow go where the pointer is.
    SetCaptureControl(nullptr);
    Button->PopupOpened();
    SetParent(host);
    SetBounds(0, 0, Width(), Height());
    SetVisible(true);
    host->Show();
    RunModalLoop([&] { return life.expired() || FClosed; },
                 [&](MSG& Msg) { return !life.expired() && InspectDropDownMessage(Msg); });
    // A quit, or a test script with nothing left, ends the loop with the panel still open.
    if (!life.expired() && !FClosed) Close();
}

bool TExplorerPopup::InspectDropDownMessage(const MSG& Msg) {
    if (!IsLeftPress(Msg.message) || FHost == nullptr) return false;
    const HWND host = FHost->Handle();
    if (Msg.hwnd == host || IsChild(host, Msg.hwnd)) return false;
    // The press that closes the panel on its own button does not open it again.
    const bool onButton =
        FButton != nullptr && FButton->HandleAllocated() && Msg.hwnd == FButton->Handle();
    Close();
    return onButton;
}

void TExplorerPopup::Close() {
    if (FFloating != nullptr) {
        FFloating->Close();
        return;
    }
    if (!DockedOpen()) return;
    EndDropDown();
    if (OnClose) OnClose(this);
}

void TExplorerPopup::EndDropDown() {
    FClosed = true;
    FDragging = false;
    FGripperHot = false;
    if (OpenPopup == this) OpenPopup = nullptr;
    SetMouseCapture(false);
    TCustomForm* host = FHost;
    FHost = nullptr;
    TExplorerButton* button = FButton;
    FButton = nullptr;
    SetVisible(false);
    GrowForGripper(false);
    ReturnHome();
    host->Hide();
    host->Release();
    if (button != nullptr) button->PopupClosed();
}

void TExplorerPopup::ReturnHome() {
    FActivation = TSubscription();
    FDeactivation = TSubscription();
    SetVisible(false);
    SetParent(FHomeParent);
    SetBounds(FHomeBounds.Left, FHomeBounds.Top, Width(), Height());
}

void TExplorerPopup::FloatingClosed() {
    FFloating = nullptr;
    ReturnHome();
    if (OnClose) OnClose(this);
}

void TExplorerPopup::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft && OnGripper(X, Y)) {
        FDragging = true;
        FDragStart = ClientToScreen(Point(X, Y));
    }
    TCustomPanel::MouseDown(Button, Shift, X, Y);
}

void TExplorerPopup::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    SetGripperHot(OnGripper(X, Y));
    const TPoint cursor = ClientToScreen(Point(X, Y));
    const int64_t dx = cursor.X - FDragStart.X, dy = cursor.Y - FDragStart.Y;
    const int64_t threshold = FUndockThreshold;
    if (FDragging && dx * dx + dy * dy > threshold * threshold) {
        TearOff(cursor);
        return;
    }
    TCustomPanel::MouseMove(Shift, X, Y);
}

void TExplorerPopup::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft) FDragging = false;
    TCustomPanel::MouseUp(Button, Shift, X, Y);
}

void TExplorerPopup::WndProc(TMessage& Message) {
    if (Message.Msg == CM_MOUSELEAVE) SetGripperHot(false);
    TCustomPanel::WndProc(Message);
}

void TExplorerPopup::TearOff(TPoint Cursor) {
    const std::weak_ptr<const void> life = LifeToken();
    FDragging = false;
    if (OnUndock) OnUndock(this);
    if (life.expired() || !DockedOpen()) return;
    EndDropDown();
    auto* form = new TExplorerPopupForm(nullptr, this);
    FFloating = form;
    form->SetClientWidth(Width());
    form->SetClientHeight(Height());
    form->SetBounds(Cursor.X - Width() / 2, Cursor.Y - 5, form->Width(), form->Height());
    FTornOffAt = Point(form->Left(), form->Top());
    FLeftTearPlace = false;
    SetParent(form);
    SetBounds(0, 0, Width(), Height());
    SetVisible(true);
    if (FHideInactive) {
        FActivation = ApplicationEvents().ActivateSubscribers.Subscribe(
            [this](TObject*) { ApplicationActivated(true); });
        FDeactivation = ApplicationEvents().DeactivateSubscribers.Subscribe(
            [this](TObject*) { ApplicationActivated(false); });
    }
    form->Show();
    form->FollowMouse();
}

void TExplorerPopup::FloatingMoved() {
    if (FFloating == nullptr) return;
    const int32_t dx = std::abs(FFloating->Left() - FTornOffAt.X);
    const int32_t dy = std::abs(FFloating->Top() - FTornOffAt.Y);
    if (!FLeftTearPlace) {
        FLeftTearPlace = dx > 40 || dy > 40;
        return;
    }
    if (FRedockable && dx <= 50 && dy <= 10) Close();
}

void TExplorerPopup::ApplicationActivated(bool Active) {
    if (FFloating == nullptr) return;
    if (!Active) {
        FFloating->Hide();
        return;
    }
    FFloating->Show();
    // Hiding took the mouse from a drag of the window, which goes on.
    if (FFloating->FFollowing) SetCapture(FFloating->Handle());
}

void TExplorerPopup::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(client);
    if (Undocked()) return;
    const int32_t right = client.Right - 1, bottom = client.Bottom - 1;
    canvas.Brush().SetColor(clBtnShadow);
    canvas.FrameRect(client);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(1, bottom - 1);
    canvas.LineTo(1, 1);
    canvas.LineTo(right - 1, 1);
    canvas.Pen().SetColor(clBlack);
    canvas.MoveTo(right - 1, 1);
    canvas.LineTo(right - 1, bottom - 1);
    canvas.LineTo(0, bottom - 1);
    if (FUndockable && DockedOpen() && !ComponentState().Contains(csDesigning)) {
        canvas.Brush().SetColor(FGripperHot ? clActiveCaption : clInactiveCaption);
        canvas.FillRect(Rect(4, 2, client.Right - 3, 10));
    }
}

}  // namespace vex
