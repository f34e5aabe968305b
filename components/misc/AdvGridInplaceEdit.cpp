// The advanced grid's in-place editor: alignment and wrapping from the grid, completion from a
// list with a history, growing the cell while typing, and moving on when an entry is full.

#include "components/misc/AdvGridInplaceEdit.h"

#include <algorithm>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridCellText.h"
#include "platform/core/stringutils.h"
#include "platform/gfx/bitmap.h"
#include "platform/win/keyboard.h"
#include "platform/win/messages.h"

namespace vex {

namespace {

// The cell keeps this much room around the editor's text when it grows.
constexpr int32_t kGrowMargin = 2;
constexpr int32_t kTextInsets = 4;

// The entry Text names: one spelt as typed before the first in other capitals, so that of two
// entries differing in case the one typed is kept.
int32_t LookupEntryOf(const TStrings& Items, const std::string& Text) {
    for (int32_t i = 0; i < Items.Count(); ++i)
        if (Items.Strings(i) == Text) return i;
    return Items.IndexOf(Text);
}

}  // namespace

TAdvInplaceEdit::TAdvInplaceEdit(TAdvStringGrid& Grid) : TInplaceEdit(&Grid), FAdvGrid(Grid) {}

void TAdvInplaceEdit::Setvalign(bool Value) {
    FValign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TAdvInplaceEdit::UpdateContents() {
    TAlignment alignment = taLeftJustify;
    const int32_t realCol = FAdvGrid.RealColIndex(FAdvGrid.Col());
    if (FAdvGrid.OnGetAlignment) {
        const TControlWatch watch(*this);
        FAdvGrid.OnGetAlignment(&FAdvGrid, FAdvGrid.Row(), realCol, alignment);
        if (watch.Expired()) return;
    }
    Setvalign(alignment == taRightJustify);
    SetWordWrap(FAdvGrid.WordWrap());
    FCompletionHeld = false;
    TInplaceEdit::UpdateContents();
}

void TAdvInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    FCompletionHeld = Key == VK_BACK || Key == VK_DELETE;
    TInplaceEdit::KeyDown(Key, Shift);
}

void TAdvInplaceEdit::KeyPress(char& Key) {
    if (Key == '\r' && FAdvGrid.Lookup()) {
        const int32_t index = LookupEntryOf(FAdvGrid.LookupItems(), Text());
        if (index >= 0) {
            // The entry as the list spells it, then on to the next cell as Tab goes.
            FCompleting = true;
            SetText(FAdvGrid.LookupItems().Strings(index));
            FCompleting = false;
            Key = 0;
            Perform(WM_KEYDOWN, VK_TAB, 0);
            return;
        }
    }
    TInplaceEdit::KeyPress(Key);
}

void TAdvInplaceEdit::WMChar(TMessage& Message) {
    const bool typed = Message.WParam >= ' ';
    const TControlWatch watch(*this);
    TInplaceEdit::WMChar(Message);
    // The character is in the text only now.
    if (!watch.Expired() && typed && FAdvGrid.Navigation().AdvanceAuto && EntryComplete())
        FAdvGrid.AdvanceAfterEnter();
}

bool TAdvInplaceEdit::EntryComplete() {
    const std::string text = EditText();
    const bool caretAtEnd = SelLength() == 0 && SelStart() == static_cast<int32_t>(text.size());
    if (!caretAtEnd) return false;
    if (IsMasked()) return text.find(' ') == std::string::npos;
    return MaxLength() > 0 && static_cast<int32_t>(text.size()) >= MaxLength();
}

void TAdvInplaceEdit::Change() {
    TInplaceEdit::Change();
    if (FCompleting) return;
    if (FAdvGrid.Lookup() && !FCompletionHeld) Complete();
    GrowCell();
}

void TAdvInplaceEdit::Complete() {
    const std::string typed = Text();
    if (typed.empty()) return;
    const std::string key = AnsiUpperCase(typed);
    const TStrings& items = FAdvGrid.LookupItems();
    for (int32_t i = 0; i < items.Count(); ++i) {
        const std::string& item = items.Strings(i);
        if (item.size() < typed.size() || AnsiUpperCase(item.substr(0, typed.size())) != key)
            continue;
        if (item.size() == typed.size()) return;
        // What was typed stays as typed; the rest comes from the entry, selected, so the next
        // character replaces it.
        FCompleting = true;
        SetText(typed + item.substr(typed.size()));
        SetSelStart(static_cast<int32_t>(typed.size()));
        SetSelLength(static_cast<int32_t>(item.size() - typed.size()));
        FCompleting = false;
        return;
    }
}

void TAdvInplaceEdit::GrowCell() {
    const TSizeWhileTyping& grow = FAdvGrid.SizeWhileTyping();
    if (!grow.Height && !grow.Width) return;
    const int32_t col = FAdvGrid.Col(), row = FAdvGrid.Row();
    TBitmap scratch;
    TCanvas canvas(scratch);
    canvas.Font().Assign(&Font());
    const std::string text = Text();
    if (grow.Height) {
        const auto lines = static_cast<int32_t>(CellLines(text).size());
        const int32_t height = lines * canvas.TextHeight("hg") + kGrowMargin;
        if (height > FAdvGrid.RowHeights(row)) FAdvGrid.SetRowHeights(row, height);
    }
    if (grow.Width) {
        const int32_t width = TAdvStringGrid::WidestLine(canvas, text) + kTextInsets + kGrowMargin;
        if (width > FAdvGrid.ColWidths(col)) FAdvGrid.SetColWidths(col, width);
    }
}

void TAdvInplaceEdit::DoExit() {
    const TControlWatch watch(*this);
    TInplaceEdit::DoExit();
    if (watch.Expired() || !FAdvGrid.LookupHistory()) return;
    const std::string text = Text();
    if (!text.empty() && FAdvGrid.LookupItems().IndexOf(text) < 0) FAdvGrid.LookupItems().Add(text);
}

}  // namespace vex
