#include "platform/ui/datetimepicker.h"

#include <algorithm>
#include <cmath>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"
#include "platform/gfx/edges.h"
#include "platform/ui/datetimepickerdropdown.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

// Between the frame and the text, on each side.
constexpr int32_t kMargin = 2;

int32_t DayOf(TDateTime Value) {
    return SplitDateTime(Value).Day;
}

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner), FDateTime(Now()) {
    FControlStyle = {csOpaque, csCaptureMouse};
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 186, 21);
}

TDateTimePicker::~TDateTimePicker() {
    // The calendar window goes before the control whose messages it forwards.
    FDropDown.reset();
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (Ctl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

std::string TDateTimePicker::Format() const {
    const TFormatSettings& fs = FormatSettings();
    if (FKind == dtkTime) return fs.ShortTimeFormat;
    return FDateFormat == dfShort ? fs.ShortDateFormat : fs.LongDateFormat;
}

TDateTimePickerParts TDateTimePicker::Parts() const {
    TDateTimePickerParts parts;
    parts.Layout(Format(), FDateTime);
    if (FTyped.Active() && FSelectedPart < static_cast<int32_t>(parts.Count()))
        parts.ReplacePart(static_cast<size_t>(FSelectedPart), FTyped.Text());
    return parts;
}

std::string TDateTimePicker::DisplayText() const {
    return Parts().Text();
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
    if (FKind == Value) return;
    CloseUp();
    FKind = Value;
    FTyped.Reset();
    FSelectedPart = 0;
    Invalidate();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
    if (FDateFormat == Value) return;
    FDateFormat = Value;
    FTyped.Reset();
    FSelectedPart = 0;
    Invalidate();
}

TDateTime TDateTimePicker::Date() const {
    return DayOf(FDateTime);
}

TDateTime TDateTimePicker::Time() const {
    return SplitDateTime(FDateTime).MSec / static_cast<double>(MSecsPerDay);
}

void TDateTimePicker::SetDate(TDateTime Value) {
    SetDateTime(ComposeDateTime(Value, Time()));
}

void TDateTimePicker::SetTime(TDateTime Value) {
    SetDateTime(ComposeDateTime(Date(), Value));
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
    const int32_t day = DayOf(Value);  // refuses what is no date before anything changes
    if (FMinDate != 0 && day < DayOf(FMinDate))
        throw ERangeError("Date (" + DateToStr(Value) + ") is less than minimum of " +
                          DateToStr(FMinDate));
    if (FMaxDate != 0 && day > DayOf(FMaxDate))
        throw ERangeError("Date (" + DateToStr(Value) + ") exceeds maximum of " +
                          DateToStr(FMaxDate));
    FTyped.Reset();
    Commit(Value, false);
}

void TDateTimePicker::SetMinDate(TDateTime Value) {
    if (Value != 0 && FMaxDate != 0 && DayOf(Value) > DayOf(FMaxDate))
        throw ERangeError("Date (" + DateToStr(Value) + ") exceeds maximum of " +
                          DateToStr(FMaxDate));
    FMinDate = Value == 0 ? 0 : DayOf(Value);
    Commit(FDateTime, false);
}

void TDateTimePicker::SetMaxDate(TDateTime Value) {
    if (Value != 0 && FMinDate != 0 && DayOf(Value) < DayOf(FMinDate))
        throw ERangeError("Date (" + DateToStr(Value) + ") is less than minimum of " +
                          DateToStr(FMinDate));
    FMaxDate = Value == 0 ? 0 : DayOf(Value);
    Commit(FDateTime, false);
}

TDateTime TDateTimePicker::Clamped(TDateTime Value) const {
    // Whole days are compared, so the time of day stays when the day stops at a limit.
    const int32_t day = DayOf(Value);
    if (FMinDate != 0 && day < DayOf(FMinDate)) return ComposeDateTime(FMinDate, Value);
    if (FMaxDate != 0 && day > DayOf(FMaxDate)) return ComposeDateTime(FMaxDate, Value);
    return Value;
}

void TDateTimePicker::Commit(TDateTime Value, bool ByUser) {
    const TDateTime kept = Clamped(Value);
    if (ByUser && kept != Value) MessageBeep(0);
    if (kept == FDateTime) return;
    FDateTime = kept;
    if (FDropDown) FDropDown->ShowDate(kept);
    Invalidate();
    if (ByUser) Change();
}

void TDateTimePicker::Change() {
    if (OnChange) OnChange(this);
}

TRect TDateTimePicker::ButtonRect() const {
    if (FKind != dtkDate) return TRect{};
    const TRect client = GetClientRect();
    const int32_t width = GetSystemMetrics(SM_CXVSCROLL);
    return Rect(std::max(0, client.Right - width), 0, client.Right, client.Bottom);
}

void TDateTimePicker::CMFontChanged(TMessage& Message) {
    TCustomControl::CMFontChanged(Message);
    Invalidate();
}

void TDateTimePicker::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = GetClientRect();
    const TRect button = ButtonRect();
    const TRect face = Rect(0, 0, FKind == dtkDate ? button.Left : client.Right, client.Bottom);
    canvas.Brush().SetColor(Enabled() ? Color() : clBtnFace);
    canvas.FillRect(face);
    canvas.Font().Assign(&Font());
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    const TDateTimePickerParts parts = Parts();
    const std::string& text = parts.Text();
    const int32_t y = (client.Bottom - canvas.TextHeight("0")) / 2;
    const TRect clip = Rect(kMargin, 0, face.Right - kMargin, face.Bottom);
    canvas.TextRect(clip, kMargin, y, text);
    // The selected part in the selection's colours while the control has the focus.
    if (Focused() && FSelectedPart >= 0 && FSelectedPart < static_cast<int32_t>(parts.Count())) {
        const TDateTimeSpan& part = parts.Part(static_cast<size_t>(FSelectedPart));
        const int32_t left = kMargin + canvas.TextWidth(text.substr(0, part.Start));
        const std::string shown = text.substr(part.Start, part.Length);
        const TRect mark =
            Rect(left, y, left + canvas.TextWidth(shown), y + canvas.TextHeight(shown));
        canvas.Brush().SetColor(clHighlight);
        canvas.Font().SetColor(clHighlightText);
        TRect marked = mark;
        marked.Right = std::min(marked.Right, clip.Right);
        canvas.TextRect(marked, left, y, shown);
    }
    if (FKind == dtkDate) {
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (DroppedDown()) state |= DFCS_PUSHED;
        if (!Enabled()) state |= DFCS_INACTIVE;
        TRect r = button;
        DrawFrameControl(canvas.Handle(), r, DFC_SCROLL, state);
    }
}

bool TDateTimePicker::DroppedDown() const {
    return FDropDown != nullptr && FDropDown->IsOpen();
}

void TDateTimePicker::DropDown() {
    if (FKind != dtkDate || DroppedDown() || !HandleAllocated() || !Showing()) return;
    if (!FinishTyping()) return;
    if (!FDropDown) FDropDown = std::make_unique<TDateTimePickerDropDown>(*this);
    const TPoint face =
        Parent() != nullptr ? Parent()->ClientToScreen(Point(Left(), Top())) : Point(Left(), Top());
    FDropDown->Open(face, Height(), FDateTime, FMinDate, FMaxDate);
    Invalidate();
}

void TDateTimePicker::CloseUp() {
    if (!DroppedDown()) return;
    FDropDown->Close();
    Invalidate();
}

void TDateTimePicker::DayChosen(TDateTime Day) {
    CloseUp();
    Commit(ComposeDateTime(Day, FDateTime), true);
}

}  // namespace vex
