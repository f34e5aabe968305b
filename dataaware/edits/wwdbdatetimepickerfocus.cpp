#include <algorithm>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wweditorgrid.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"
#include "platform/gfx/edges.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/editmessages.h"
#include "platform/win/caret.h"
#include "platform/win/systemmetrics.h"

namespace vex {

void TwwDBCustomDateTimePicker::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(ES_AUTOVSCROLL | ES_WANTRETURN);
    Params.Style |= WS_CLIPCHILDREN;
    if (BorderStyle() == bsNone) Params.Style |= ES_MULTILINE;
}

void TwwDBCustomDateTimePicker::Loaded() {
    TCustomEdit::Loaded();
    FButton->SetWidth(std::max(GetSystemMetrics(SM_CXVSCROLL), 15));
    if (Parent() != nullptr || Owner() != nullptr) LayoutButton();
}

void TwwDBCustomDateTimePicker::Invalidate() {
    TCustomEdit::Invalidate();
    FButton->Invalidate();
}

void TwwDBCustomDateTimePicker::ShowEditCaret(bool Show) {
    if (!HandleAllocated() || FCaretHidden == !Show) return;
    // The platform's hiding nests; the picker's hides and shows do not.
    if (Show ? ShowCaret(Handle()) : HideCaret(Handle())) FCaretHidden = !Show;
}

void TwwDBCustomDateTimePicker::WMSetFocus(TMessage& Message) {
    // The edit makes and shows a new caret in here; entering may hide it again.
    FCaretHidden = false;
    TCustomEdit::WMSetFocus(Message);
}

void TwwDBCustomDateTimePicker::CMEnter(TMessage& Message) {
    FFocused = true;
    if (FAlignment != taLeftJustify) {
        Invalidate();
        FDataLink->Reset();
    }
    if (wwInGrid(this)) FirstPart();
    if (Field() != nullptr && Field()->IsNull()) {
        if (!ReplaceText("")) return;
    } else {
        FEntryValue = FValue;
        if (!ReplaceText(DisplayTextOf(FValue))) return;
        HighlightCurrentPart();
    }
    const std::weak_ptr<const void> life = LifeToken();
    TCustomEdit::CMEnter(Message);
    if (life.expired()) return;
    if (FValue != 0 && !TextEmpty()) {
        Invalidate();
        if (!FOpenedByButton) SelectAll();
    }
    if (!Bound()) TCustomEdit::SetModified(false);
}

void TwwDBCustomDateTimePicker::CMExit(TMessage& Message) {
    if (!CommitPendingPart()) return;
    if (Modified()) {
        try {
            FDataLink->UpdateRecord();
        } catch (...) {
            // The user's edit stays, and so does the focus, until it can be written.
            HighlightCurrentPart();
            SetFocus();
            TCustomEdit::SetModified(true);
            throw;
        }
    }
    const std::weak_ptr<const void> life = LifeToken();
    TCustomEdit::CMExit(Message);
    if (life.expired()) return;
    // The next drop-down makes a new calendar; while the picker is not in use it holds none.
    delete FPopupCalendar;
    FPopupCalendar = nullptr;
    FFocused = false;
}

void TwwDBCustomDateTimePicker::CMFontChanged(TMessage& Message) {
    TCustomEdit::CMFontChanged(Message);
    if (!ComponentState().Contains(csLoading) && HandleAllocated()) SetEditRect();
}

void TwwDBCustomDateTimePicker::CMEnabledChanged(TMessage& Message) {
    TCustomEdit::CMEnabledChanged(Message);
    FButton->SetEnabled(Enabled());
}

bool TwwDBCustomDateTimePicker::PaintsItself() {
    if (ControlState().Contains(csPaintCopy) || !Focused()) return true;
    return wwIsEditingInFocusedGrid(this, Bound());
}

void TwwDBCustomDateTimePicker::ShowButtonPanel() {
    const bool shown = FShowButton && !IsTimeOnlyKind();
    if (FButtonPanel->Visible() == shown) return;
    FButtonPanel->SetVisible(shown);
    if (HandleAllocated()) SetEditRect();
}

void TwwDBCustomDateTimePicker::Paint() {
    ShowButtonPanel();
    if (!PaintsItself()) {
        TCustomEdit::Paint();
        return;
    }
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    canvas.Brush().SetColor(Color());
    const TRect client = ClientRect();
    canvas.FillRect(client);
    const bool copy = ControlState().Contains(csPaintCopy);
    const std::string text =
        copy && Field() != nullptr ? DisplayTextOf(Field()->AsDateTime()) : DisplayTextOf(FValue);
    // Where the edit itself writes, so the text stays in place when the focus comes.
    const TRect area = FormattingRect();
    const int32_t right = std::min(area.Right, FButtonPanel->Visible() ? ButtonLeft() : area.Right);
    const int32_t width = canvas.TextWidth(text);
    int32_t x = area.Left;
    if (FAlignment == taRightJustify) x = right - width;
    if (FAlignment == taCenter) x = (area.Left + right - width) / 2;
    const TRect box = Rect(area.Left, area.Top, right, std::min(area.Bottom, client.Bottom));
    if (!copy && wwIsEditingInFocusedGrid(this, Bound())) {
        canvas.Brush().SetColor(clHighlight);
        canvas.Font().SetColor(clHighlightText);
        canvas.TextRect(box, x, box.Top, text);
        const TRect focus = box;
        DrawFocusRect(canvas.Handle(), focus);
        return;
    }
    canvas.TextRect(box, x, box.Top, text);
}

}  // namespace vex
