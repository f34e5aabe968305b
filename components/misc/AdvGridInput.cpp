// Which cells may be selected and edited, check-box cells, and the validation of an edited cell
// when the grid is clicked or loses the focus.

#include "components/misc/AdvGrid.h"
#include "platform/win/messages.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"

namespace vex {

bool TAdvStringGrid::IsDataCell(int32_t ACol, int32_t ARow) const {
    return ACol >= FixedCols() && ACol < ColCount() - FFixedRightCols && ARow >= FixedRows() &&
           ARow < RowCount() - FFixedFooters;
}

TGridRect TAdvStringGrid::DataCells() const {
    return {FixedCols(), FixedRows(), ColCount() - 1 - FFixedRightCols,
            RowCount() - 1 - FFixedFooters};
}

TCellGraphic* TAdvStringGrid::CheckBoxAt(int32_t ACol, int32_t ARow) const {
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount()) return nullptr;
    TCellGraphic* graphic = CellGraphic(RealColIndex(ACol), ARow);
    return graphic != nullptr && graphic->Kind == TCellGraphic::ctCheckBox ? graphic : nullptr;
}

bool TAdvStringGrid::SelectCell(int32_t ACol, int32_t ARow) {
    // Refused before anything is noted: a text remembered for a cell that never became current
    // would be what Escape puts into the one that stayed.
    if (ACol >= ColCount() - FFixedRightCols || ARow >= RowCount() - FFixedFooters) return false;
    const TControlWatch watch(*this);
    if (!TStringGrid::SelectCell(ACol, ARow) || watch.Expired()) return false;
    NoteSelectedText(ACol, ARow);
    if (OnCanEditCell && !IsCheckBoxCell(ACol, ARow)) {
        bool canEdit = true;
        OnCanEditCell(this, ARow, FSelectedCol, canEdit);
        if (watch.Expired()) return false;
        TGridOptions options = Options();
        if (canEdit)
            options.Include(goEditing);
        else
            options.Exclude(goEditing);
        // Taking editing away closes the editor, whose OnSetEditText may free the grid.
        SetOptions(options);
        if (watch.Expired()) return false;
    }
    return true;
}

void TAdvStringGrid::NoteSelectedText(int32_t ACol, int32_t ARow) {
    FSelectedCol = RealColIndex(ACol);
    FSelectedRow = ARow;
    FSelectedText = Cells(FSelectedCol, ARow);
}

void TAdvStringGrid::ToggleCheckBox(int32_t ACol, int32_t ARow) {
    if (!IsCheckBoxCell(ACol, ARow)) return;
    // With OnCanEditCell, goEditing is what it said for the last text cell selected: its answer
    // for this cell decides instead.
    if (!OnCanEditCell && !Options().Contains(goEditing)) return;
    if (OnCanEditCell) {
        const TControlWatch watch(*this);
        bool canEdit = true;
        OnCanEditCell(this, ARow, RealColIndex(ACol), canEdit);
        if (watch.Expired() || !canEdit) return;
    }
    // Asked again: the handler may have put another object in the cell or cut the grid.
    TCellGraphic* box = CheckBoxAt(ACol, ARow);
    if (box == nullptr) return;
    box->CheckState = !box->CheckState;
    InvalidateCell(ACol, ARow);
}

void TAdvStringGrid::BeginCellEdit() {
    if (ColCount() == 0 || RowCount() == 0) {
        FEditCol = FEditRow = -1;
        FEditText.clear();
        return;
    }
    FEditCol = RealColIndex(Col());
    FEditRow = Row();
    FEditText = Cells(FEditCol, FEditRow);
}

void TAdvStringGrid::EndCellEdit() {
    // Rows or columns cut since editing began take the saved cell with them.
    const bool stillThere =
        FEditCol >= 0 && FEditRow >= 0 && FEditCol < StoredColCount() && FEditRow < RowCount();
    if (OnCellValidate && stillThere && Cells(FEditCol, FEditRow) != FEditText) {
        const int32_t col = FEditCol, row = FEditRow;
        const std::string typed = Cells(col, row);
        const std::string before = FEditText;
        std::string value = typed;
        bool valid = true;
        const TControlWatch watch(*this);
        OnCellValidate(this, col, row, value, valid);
        if (watch.Expired()) return;
        if (col < StoredColCount() && row < RowCount()) {
            if (value != typed)
                SetCells(col, row, value);
            else if (!valid)
                SetCells(col, row, before);
        }
    }
    BeginCellEdit();
}

void TAdvStringGrid::Click() {
    const TControlWatch watch(*this);
    TStringGrid::Click();
    if (!watch.Expired() && FHasFocus) EndCellEdit();
}

void TAdvStringGrid::DoEnter() {
    const TControlWatch watch(*this);
    TStringGrid::DoEnter();
    if (watch.Expired()) return;
    FHasFocus = true;
    if (ColCount() > 0 && RowCount() > 0) {
        SelectCell(Col(), Row());
        if (watch.Expired()) return;
    }
    BeginCellEdit();
}

void TAdvStringGrid::DoExit() {
    const TControlWatch watch(*this);
    // The editor closes first, so its text is in the cell that is validated.
    TStringGrid::DoExit();
    if (watch.Expired()) return;
    FHasFocus = false;
    EndCellEdit();
}

void TAdvStringGrid::ResumeRedraw() {
    if (!FRedrawSuspended) return;
    FRedrawSuspended = false;
    if (!HandleAllocated()) return;
    SendMessage(Handle(), WM_SETREDRAW, 1, 0);
    // What changed meanwhile was never noted for painting, the editor's changes included.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TAdvStringGrid::WMCancelMode(TMessage& Message) {
    // A button taken away is never released here: the grid must not stay unpainted, and
    // panning must not go on without its button.
    ResumeRedraw();
    EndPanning();
    TStringGrid::WMCancelMode(Message);
}

}  // namespace vex
