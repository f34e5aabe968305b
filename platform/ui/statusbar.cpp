#include "platform/ui/statusbar.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/gfx/dcstate.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/edges.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

constexpr int32_t kTopGap = 2;        // the face shows above the panels
constexpr int32_t kPanelGap = 2;      // and between them
constexpr int32_t kTextMargin = 2;    // between a panel's bevel and its text
constexpr int32_t kMinFormSize = 32;  // the grip sizes a form down to this, no further

[[noreturn]] void IndexError(int32_t Index) {
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

// The classic grip: three groups of diagonals, a light line over two shadowed ones, towards
// the corner.
void DrawSizeGrip(TCanvas& Canvas, const TRect& R) {
    const int32_t size = std::min(R.Right - R.Left, R.Bottom - R.Top);
    for (int32_t d = size - 4; d >= 2; --d) {
        if (d % 4 == 1) continue;
        Canvas.Pen().SetColor(d % 4 == 0 ? clBtnHighlight : clBtnShadow);
        Canvas.MoveTo(R.Right - d, R.Bottom - 1);
        Canvas.LineTo(R.Right, R.Bottom - 1 - d);
    }
}

}  // namespace

int32_t TStatusPanel::Index() const {
    return FCollection.IndexOf(this);
}

template <class T>
void TStatusPanel::Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    FCollection.Changed();
}

void TStatusPanel::SetText(const std::string& Value) {
    Change(FText, Value);
}
void TStatusPanel::SetWidth(int32_t Value) {
    Change(FWidth, std::max(Value, 0));
}
void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
    Change(FBevel, Value);
}
void TStatusPanel::SetAlignment(TAlignment Value) {
    Change(FAlignment, Value);
}
void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
    Change(FStyle, Value);
}

void TStatusPanel::Assign(const TStatusPanel& Source) {
    FCollection.BeginUpdate();
    SetText(Source.FText);
    SetWidth(Source.FWidth);
    SetBevel(Source.FBevel);
    SetAlignment(Source.FAlignment);
    SetStyle(Source.FStyle);
    FCollection.EndUpdate();
}

TStatusPanel* TStatusPanels::Items(int32_t Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

int32_t TStatusPanels::IndexOf(const TStatusPanel* Panel) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Panel) return static_cast<int32_t>(i);
    return -1;
}

TStatusPanel* TStatusPanels::Add() {
    return Insert(Count());
}

TStatusPanel* TStatusPanels::Insert(int32_t Index) {
    if (Index < 0 || Index > Count()) IndexError(Index);
    auto* panel =
        FItems.insert(FItems.begin() + Index, std::make_unique<TStatusPanel>(*this))->get();
    Changed();
    return panel;
}

void TStatusPanels::Delete(int32_t Index) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TStatusPanels::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TStatusPanels::Assign(const TStatusPanels& Source) {
    if (&Source == this) return;
    BeginUpdate();
    Clear();
    for (const auto& panel : Source.FItems)
        Add()->Assign(*panel);
    EndUpdate();
}

void TStatusPanels::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) Changed();
}

void TStatusPanels::Changed() {
    FChangedWhileUpdating = FUpdateCount > 0;
    if (FUpdateCount == 0) FStatusBar.Invalidate();
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TCustomControl(AOwner), FPanels(std::make_unique<TStatusPanels>(*this)) {
    FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
    FDestroying = true;
}

void TStatusBar::SetSimplePanel(bool Value) {
    if (FSimplePanel == Value) return;
    FSimplePanel = Value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
    if (FSimpleText == Value) return;
    FSimpleText = Value;
    if (FSimplePanel) Invalidate();
}

void TStatusBar::SetSizeGrip(bool Value) {
    if (FSizeGrip == Value) return;
    FSizeGrip = Value;
    Invalidate();
}

bool TStatusBar::GripShows() {
    if (!FSizeGrip) return false;
    const auto* form = dynamic_cast<TCustomForm*>(Parent());
    return form != nullptr &&
           (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin);
}

TRect TStatusBar::SizeGripRect() {
    if (!GripShows()) return TRect{};
    const TRect client = ClientRect();
    const int32_t size = std::min(GetSystemMetrics(SM_CXVSCROLL), client.Bottom - kTopGap);
    return Rect(client.Right - size, client.Bottom - size, client.Right, client.Bottom);
}

TRect TStatusBar::PanelRect(int32_t Index) {
    const TRect client = ClientRect();
    const TRect grip = SizeGripRect();
    const int32_t right = client.Right - (grip.Right - grip.Left);
    if (FSimplePanel) return Index == 0 ? Rect(0, kTopGap, right, client.Bottom) : TRect{};
    const TStatusPanel* panel = FPanels->Items(Index);
    int64_t left = 0;  // widths are the caller's: their sum may pass the 32-bit range
    for (int32_t i = 0; i < Index && left < right; ++i)
        left += int64_t{FPanels->Items(i)->Width()} + kPanelGap;
    if (left >= right) return TRect{};
    const bool last = Index == FPanels->Count() - 1;
    const int64_t end = last ? right : std::min<int64_t>(left + panel->Width(), right);
    return Rect(static_cast<int32_t>(left), kTopGap, static_cast<int32_t>(end), client.Bottom);
}

TRect TStatusBar::PaintPanel(const TRect& Rect, TStatusPanelBevel Bevel, TAlignment Alignment,
                             const std::string& Text) {
    TCanvas& canvas = Canvas();
    TRect inner = Rect;
    if (Bevel == pbLowered) DrawEdge(canvas.Handle(), inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (Bevel == pbRaised) DrawEdge(canvas.Handle(), inner, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    if (Text.empty()) return inner;
    TRect text =
        vex::Rect(inner.Left + kTextMargin, inner.Top, inner.Right - kTextMargin, inner.Bottom);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    DrawText(canvas.Handle(), Text, text,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | AlignmentFlags(Alignment));
    return inner;
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
    if (OnDrawPanel)
        OnDrawPanel(this, Panel, Rect);
    else
        Canvas().FillRect(Rect);
}

void TStatusBar::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(ClientRect());
    if (FSimplePanel) {
        PaintPanel(PanelRect(0), pbNone, taLeftJustify, FSimpleText);
    } else {
        const TControlWatch watch(*this);
        for (int32_t i = 0; i < FPanels->Count(); ++i) {
            const TRect r = PanelRect(i);
            if (r.Right <= r.Left) break;
            TStatusPanel* panel = FPanels->Items(i);
            if (panel->Style() == psText) {
                PaintPanel(r, panel->Bevel(), panel->Alignment(), panel->Text());
                continue;
            }
            const TRect inner = PaintPanel(r, panel->Bevel(), panel->Alignment(), "");
            const int32_t saved = canvas.SaveDC();
            canvas.IntersectClipRect(inner);
            DrawPanel(panel, inner);
            if (watch.Expired()) return;
            canvas.RestoreDC(saved);
            canvas.Font().Assign(&Font());
            canvas.Brush().SetColor(Color());
        }
    }
    if (GripShows()) DrawSizeGrip(canvas, SizeGripRect());
}

void TStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft && PtInRect(SizeGripRect(), Point(X, Y))) {
        auto* form = dynamic_cast<TCustomForm*>(Parent());
        FSizing = true;
        FSizingFrom = ClientToScreen(Point(X, Y));
        FSizingSize = Point(form->Width(), form->Height());
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TStatusBar::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    SetCursor(FSizing || PtInRect(SizeGripRect(), Point(X, Y)) ? crSizeNWSE : crDefault);
    if (FSizing) {
        auto* form = dynamic_cast<TCustomForm*>(Parent());
        const TPoint at = ClientToScreen(Point(X, Y));
        if (form != nullptr)
            form->SetBounds(form->Left(), form->Top(),
                            std::max(FSizingSize.X + at.X - FSizingFrom.X, kMinFormSize),
                            std::max(FSizingSize.Y + at.Y - FSizingFrom.Y, kMinFormSize));
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft) FSizing = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TStatusBar::WndProc(TMessage& Message) {
    // A capture taken away ends a sizing drag.
    if (Message.Msg == WM_CANCELMODE || Message.Msg == WM_CAPTURECHANGED) FSizing = false;
    TCustomControl::WndProc(Message);
}

}  // namespace vex
