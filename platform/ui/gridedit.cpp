// The editor protocol: the hooks' defaults, and how the grid shows, fills, places and hides
// its in-place editor.

#include "platform/ui/grid.h"
#include "platform/ui/inplaceedit.h"
#include "platform/win/messages.h"

namespace vex {

bool TCustomGrid::CanEditAcceptKey(char /*Key*/) {
    return true;
}

bool TCustomGrid::CanEditModify() {
    return true;
}

bool TCustomGrid::CanEditShow() {
    // The focus may sit in the editor, which is the grid's own.
    const bool focusInside =
        Focused() ||
        (FInplaceEdit != nullptr && FInplaceEdit->HandleAllocated() && FInplaceEdit->Focused());
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
           HandleAllocated() && (FOptions.Contains(goAlwaysShowEditor) || focusInside);
}

std::string TCustomGrid::GetEditMask(int32_t /*ACol*/, int32_t /*ARow*/) {
    return {};
}

std::string TCustomGrid::GetEditText(int32_t /*ACol*/, int32_t /*ARow*/) {
    return {};
}

void TCustomGrid::SetEditText(int32_t /*ACol*/, int32_t /*ARow*/, const std::string& /*Value*/) {}

int32_t TCustomGrid::GetEditLimit() {
    return 0;
}

TInplaceEdit* TCustomGrid::CreateEditor() {
    return new TInplaceEdit(this);  // owned by the grid as its component
}

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    if (!FEditorMode) return;
    const TControlWatch watch(*this);
    // Hiding a focused editor gives the grid the focus, which opens an editor always shown:
    // not while it is being closed.
    FHidingEditor = true;
    HideEdit();
    if (watch.Expired()) return;
    FHidingEditor = false;
    FEditorMode = false;
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::ShowEditorChar(char Ch) {
    const TControlWatch watch(*this);
    ShowEditor();
    if (watch.Expired()) return;
    // The whole text is selected on showing, so the character replaces it.
    if (FInplaceEdit != nullptr && FInplaceEdit->Visible())
        FInplaceEdit->Perform(WM_CHAR, static_cast<uint8_t>(Ch), 0);
}

void TCustomGrid::InvalidateEditor() {
    if (FInplaceEdit != nullptr && FInplaceCol >= 0 && FInplaceRow >= 0 &&
        !(FInplaceCol == FCurrent.X && FInplaceRow == FCurrent.Y)) {
        // The current cell moved away from the cell being edited: its text is kept, and the
        // editor follows only when it is always shown.
        if (!FOptions.Contains(goAlwaysShowEditor)) {
            HideEditor();
            return;
        }
        // OnSetEditText may free the grid.
        const TControlWatch watch(*this);
        UpdateText();
        if (watch.Expired()) return;
    }
    FInplaceCol = -1;
    FInplaceRow = -1;
    UpdateEdit();
}

void TCustomGrid::UpdateEdit() {
    // A descendant's CanEditShow may ask its owner, who may free the grid.
    const TControlWatch watch(*this);
    if (!CanEditShow()) {
        if (watch.Expired()) return;
        if (FInplaceEdit == nullptr || !FInplaceEdit->Visible()) FEditorMode = false;
        return;
    }
    if (!HasCells()) {
        // No cell to edit: the editor waits, as for a cell scrolled away, until one is back.
        if (FInplaceEdit != nullptr) FInplaceEdit->HideEditor();
        return;
    }
    if (FInplaceEdit == nullptr) {
        FInplaceEdit = CreateEditor();
        if (FInplaceEdit == nullptr) {
            FEditorMode = false;
            return;
        }
        FInplaceEdit->SetParent(this);
    }
    if (FInplaceCol != FCurrent.X || FInplaceRow != FCurrent.Y) {
        FInplaceCol = FCurrent.X;
        FInplaceRow = FCurrent.Y;
        FInplaceEdit->UpdateContents();
        if (watch.Expired()) return;
    }
    const TRect cell = CellRect(FCurrent.X, FCurrent.Y);
    if (IsRectEmpty(cell)) {
        // Scrolled out of view: the editor waits, still filled, until the cell comes back.
        FInplaceEdit->HideEditor();
        return;
    }
    FInplaceEdit->Move(cell);
}

void TCustomGrid::UpdateText() {
    if (FInplaceEdit == nullptr || FInplaceCol < 0 || FInplaceRow < 0) return;
    // A text the mask refuses, or a cell that refuses the text, keeps the editor open:
    // nothing typed is lost.
    if (FInplaceEdit->IsMasked() && FInplaceEdit->Modified()) FInplaceEdit->ValidateEdit();
    SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::HideEdit() {
    if (FInplaceEdit == nullptr) return;
    // OnSetEditText may free the grid.
    const TControlWatch watch(*this);
    UpdateText();
    if (watch.Expired()) return;
    FInplaceCol = -1;
    FInplaceRow = -1;
    FInplaceEdit->HideEditor();
}

}  // namespace vex
