#include "platform/ui/inplaceedit.h"

#include <algorithm>

#include "platform/ui/editmessages.h"
#include "platform/ui/grid.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

// Where the grid draws a cell's text inside the cell, so the editor's text does not jump.
constexpr int32_t kTextInset = 2;

}  // namespace

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    FGrid = dynamic_cast<TCustomGrid*>(AOwner);
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetTabStop(false);
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    SetVisible(false);
}

TInplaceEdit::~TInplaceEdit() {
    if (FGrid != nullptr && FGrid->FInplaceEdit == this) {
        FGrid->FInplaceEdit = nullptr;
        FGrid->FInplaceCol = -1;
        FGrid->FInplaceRow = -1;
        FGrid->FEditorMode = false;
    }
}

void TInplaceEdit::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    UpdateTextArea();
}

void TInplaceEdit::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    // Several rows that wrap at the cell's width; a single line scrolls sideways.
    SetEditStyle(Value ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL | ES_AUTOVSCROLL);
    UpdateTextArea();
}

void TInplaceEdit::UpdateContents() {
    if (FGrid == nullptr) return;
    const int32_t col = FGrid->FInplaceCol, row = FGrid->FInplaceRow;
    // The old mask would otherwise shape the new cell's text.
    SetEditMask("");
    SetText("");
    SetEditMask(FGrid->GetEditMask(col, row));
    SetText(FGrid->GetEditText(col, row));
    SetMaxLength(FGrid->GetEditLimit());
    SetModified(false);
    SelectAll();
}

void TInplaceEdit::UpdateLoc(const TRect& Loc) {
    SetBounds(Loc.Left, Loc.Top, Loc.Right - Loc.Left, Loc.Bottom - Loc.Top);
}

void TInplaceEdit::Move(const TRect& Loc) {
    UpdateLoc(Loc);
    if (FGrid != nullptr && Parent() != FGrid) SetParent(FGrid);
    Show();
    if (FGrid != nullptr && FGrid->Focused() && CanFocus()) SetFocus();
}

void TInplaceEdit::HideEditor() {
    if (!Visible()) return;
    const bool hadFocus = HandleAllocated() && Focused();
    if (hadFocus && FGrid != nullptr && FGrid->CanFocus()) FGrid->SetFocus();
    Hide();
}

void TInplaceEdit::Deselect() {
    SetSelStart(static_cast<int32_t>(EditText().size()));
}

bool TInplaceEdit::AtLeftEdge() const {
    const int32_t length = static_cast<int32_t>(TextBuffer().Text().size());
    return SelStart() == 0 && (SelLength() == 0 || SelLength() == length);
}

bool TInplaceEdit::AtRightEdge() const {
    const int32_t length = static_cast<int32_t>(TextBuffer().Text().size());
    return (SelStart() == 0 || SelLength() == 0) && SelStart() + SelLength() == length;
}

void TInplaceEdit::SendToParent(uint16_t& Key, TShiftState Shift) {
    if (FGrid == nullptr) return;
    FGrid->KeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    const bool alwaysShown = FGrid != nullptr && FGrid->Options().Contains(goAlwaysShowEditor);
    const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl);
    // With the editor shown for good, a whole selected text is left at either edge, as a
    // spreadsheet moves on; otherwise only a bare caret at the edge leaves the text.
    const bool atLeft = alwaysShown ? AtLeftEdge() : SelStart() == 0 && SelLength() == 0;
    const bool atRight =
        alwaysShown ? AtRightEdge()
                    : SelLength() == 0 && SelStart() == static_cast<int32_t>(EditText().size());
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            SendToParent(Key, Shift);
            break;
        case VK_ESCAPE:
            if (FGrid != nullptr) {
                // The cell keeps the text it had; an editor that stays shows it again.
                if (alwaysShown) {
                    SetText(FGrid->GetEditText(FGrid->FInplaceCol, FGrid->FInplaceRow));
                    SetModified(false);
                    SelectAll();
                } else {
                    FGrid->FInplaceCol = FGrid->FInplaceRow = -1;
                    FGrid->HideEditor();
                }
            }
            Key = 0;
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt)) SendToParent(Key, Shift);
            break;
        case VK_LEFT:
        case VK_HOME:
            if (plain && atLeft) SendToParent(Key, Shift);
            break;
        case VK_RIGHT:
        case VK_END:
            if (plain && atRight) SendToParent(Key, Shift);
            break;
        case VK_DELETE:
        case VK_BACK:
            if (FGrid != nullptr && !FGrid->CanEditModify()) Key = 0;
            break;
        default:
            break;
    }
    if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key) {
    if (FGrid == nullptr) {
        TCustomMaskEdit::KeyPress(Key);
        return;
    }
    // The grid sees the key first: Enter there ends the editing.
    FGrid->KeyPress(Key);
    const auto ch = static_cast<unsigned char>(Key);
    if (ch >= 0x20 && !FGrid->CanEditAcceptKey(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    switch (Key) {
        case '\t':
        case '\x1B':
            Key = 0;
            break;
        case '\r':
            // The grid keeps its editor: Enter stores the text and selects it for the next go.
            FGrid->SetEditText(FGrid->FInplaceCol, FGrid->FInplaceRow, Text());
            SetModified(false);
            SelectAll();
            Key = 0;
            break;
        case '\b':
        case '\x16':  // Ctrl+V
        case '\x18':  // Ctrl+X
            if (!FGrid->CanEditModify()) Key = 0;
            break;
        default:
            if (static_cast<unsigned char>(Key) >= 0x20 && !FGrid->CanEditModify()) Key = 0;
            break;
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

LRESULT TInplaceEdit::DialogCode() {
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    if (FGrid != nullptr && FGrid->Options().Contains(goTabs)) code |= DLGC_WANTTAB;
    return code;
}

void TInplaceEdit::DblClick() {
    if (FGrid != nullptr) FGrid->DblClick();
}

void TInplaceEdit::Change() {
    TCustomMaskEdit::Change();
    if (FAlignment != taLeftJustify) UpdateTextArea();
}

void TInplaceEdit::Resize() {
    TCustomMaskEdit::Resize();
    UpdateTextArea();
}

void TInplaceEdit::UpdateTextArea() {
    const TRect client = GetClientRect();
    TRect area = Rect(client.Left + kTextInset, client.Top + kTextInset,
                      std::max(client.Right - kTextInset, client.Left + kTextInset), client.Bottom);
    if (FAlignment == taRightJustify && !FWordWrap) {
        // One pixel more than the text, so the caret after the last character shows.
        const int32_t width = Canvas().TextWidth(EditText()) + 1;
        if (width < area.Right - area.Left) area.Left = area.Right - width;
    }
    if (area == FormattingRect()) return;
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&area));
    Invalidate();
}

}  // namespace vex
