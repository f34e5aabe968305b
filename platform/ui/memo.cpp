#include "platform/ui/memo.h"

#include <utility>

#include "platform/ui/editmessages.h"

namespace vex {

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(*this)) {
    FAutoSize = false;
    SetBounds(0, 0, 185, 89);
    UpdateStyle();
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::UpdateStyle() {
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL;
    if (!FWordWrap) style |= ES_AUTOHSCROLL;
    if (FWantReturns) style |= ES_WANTRETURN;
    SetEditStyle(style);
    DWORD bars = 0;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) bars |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) bars |= WS_HSCROLL;
    SetScrollStyle(bars);
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    UpdateStyle();
}

void TCustomMemo::SetWantReturns(bool Value) {
    if (FWantReturns == Value) return;
    FWantReturns = Value;
    UpdateStyle();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    UpdateStyle();
}

LRESULT TCustomMemo::DialogCode() {
    LRESULT code = TCustomEdit::DialogCode();
    if (!FWantReturns) code &= ~DLGC_WANTALLKEYS;
    if (FWantTabs) code |= DLGC_WANTTAB;
    return code;
}

void TCustomMemo::ReplaceRange(int32_t Start, int32_t End, const std::string& Value) {
    // What the user changed before stays marked as changed.
    const bool modified = Modified();
    const std::weak_ptr<const void> life = LifeToken();
    Perform(EM_SETSEL, static_cast<WPARAM>(Start), End);
    Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    if (!life.expired()) SetModified(modified);  // else freed by OnChange
}

int32_t TMemoStrings::Count() const {
    const TEditText& text = FMemo.TextBuffer();
    const int32_t lines = text.LineCount();
    return text.Line(lines - 1).empty() ? lines - 1 : lines;
}

std::string TMemoStrings::Get(int32_t Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return FMemo.TextBuffer().Line(Index);
}

void TMemoStrings::Put(int32_t Index, const std::string& S) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    const TEditText& text = FMemo.TextBuffer();
    const int32_t start = text.OffsetOf(TEditPos{Index, 0});
    FMemo.ReplaceRange(start, start + static_cast<int32_t>(text.Line(Index).size()), S);
}

void TMemoStrings::Insert(int32_t Index, const std::string& S) {
    if (Index < 0 || Index > Count()) IndexError(Index);
    InsertLines(Index, S + "\r\n");
}

void TMemoStrings::InsertLines(int32_t Index, std::string Lines) {
    const TEditText& text = FMemo.TextBuffer();
    if (Index < text.LineCount()) {
        const int32_t start = text.OffsetOf(TEditPos{Index, 0});
        FMemo.ReplaceRange(start, start, Lines);
    } else {
        // After a last line that has no break yet.
        Lines.resize(Lines.size() - 2);
        const int32_t end = text.TextLength();
        FMemo.ReplaceRange(end, end, "\r\n" + Lines);
    }
}

void TMemoStrings::Delete(int32_t Index) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    const TEditText& text = FMemo.TextBuffer();
    const int32_t start = text.OffsetOf(TEditPos{Index, 0});
    const int32_t end =
        Index + 1 < text.LineCount() ? text.OffsetOf(TEditPos{Index + 1, 0}) : text.TextLength();
    FMemo.ReplaceRange(start, end, "");
}

void TMemoStrings::Clear() {
    FMemo.Clear();
}

TObject* TMemoStrings::GetObject(int32_t Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
    return nullptr;
}

void TMemoStrings::PutObject(int32_t Index, TObject*) {
    if (Index < 0 || Index >= Count()) IndexError(Index);
}

void TMemoStrings::AddItems(std::vector<TStringItem>&& Items) {
    // All at once: one change of the control for the whole list.
    std::string lines;
    for (const TStringItem& item : Items)
        lines += item.FString + "\r\n";
    if (!lines.empty()) InsertLines(Count(), std::move(lines));
}

}  // namespace vex
