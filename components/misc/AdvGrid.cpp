// Creation and destruction, the properties, the header texts, and the hooks on the owner form's
// resize and on the application's hints.

#include "components/misc/AdvGrid.h"

#include "platform/ui/commctrl.h"
#include "platform/ui/form.h"

namespace vex {

TAdvStringGrid::TAdvStringGrid(TComponent* AOwner)
    : TStringGrid(AOwner),
      FLookupItems(std::make_unique<TStringList>()),
      FColumnHeaders(std::make_unique<TStringList>()),
      FRowHeaders(std::make_unique<TStringList>()) {
    FVisible.fill(true);
    LoadPointerSettings();
    FDatePickerAvailable = ComCtlVersionAtLeast(ComCtlVersion(), 4, 70);
    if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) {
        FFormWidth = form->Width();
        FFormHeight = form->Height();
        FResizeSubscription =
            form->ResizeSubscribers.Subscribe([this](TObject*) { FormResized(); });
    }
    FHintSubscription = ApplicationEvents().ShowHintSubscribers.Subscribe(
        [this](std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
            ShowHint(HintStr, CanShow, HintInfo);
        });
}

TAdvStringGrid::~TAdvStringGrid() {
    FResizeSubscription.Unsubscribe();
    FHintSubscription.Unsubscribe();
    if (KeepsColumnWidths()) {
        // A destructor has no one to tell: the widths are lost for this run, the grid is not.
        try {
            WriteColumnWidths();
        } catch (const Exception&) {
        }
    }
    for (int32_t r = 0; r < RowCount(); ++r)
        for (int32_t c = 0, used = UsedColCount(r); c < used; ++c)
            EmptyCell(c, r);
    FOwnedGraphics.clear();
}

void TAdvStringGrid::Loaded() {
    TStringGrid::Loaded();
    if (KeepsColumnWidths()) ReadColumnWidths();
    FillHeaders();
}

void TAdvStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGridImages) {
        FGridImages = nullptr;
        Invalidate();
    }
}

// --- Properties ---

void TAdvStringGrid::SetVAlignment(TVAlignment Value) {
    FVAlignment = Value;
    Invalidate();
}

void TAdvStringGrid::SetSelectionColor(TColor Value) {
    FSelectionColor = Value;
    Invalidate();
}

void TAdvStringGrid::SetSelectionTextColor(TColor Value) {
    FSelectionTextColor = Value;
    Invalidate();
}

void TAdvStringGrid::SetSelectionRectangle(bool Value) {
    FSelectionRectangle = Value;
    Invalidate();
}

void TAdvStringGrid::SetGridImages(TImageList* Value) {
    if (FGridImages != nullptr) FGridImages->RemoveFreeNotification(this);
    FGridImages = Value;
    if (FGridImages != nullptr) FGridImages->FreeNotification(this);
    Invalidate();
}

void TAdvStringGrid::SetURLShow(bool Value) {
    FURLShow = Value;
    Invalidate();
}

void TAdvStringGrid::SetURLFull(bool Value) {
    FURLFull = Value;
    Invalidate();
}

void TAdvStringGrid::SetURLColor(TColor Value) {
    FURLColor = Value;
    Invalidate();
}

void TAdvStringGrid::SetEnhTextSize(bool Value) {
    FEnhTextSize = Value;
    Invalidate();
}

void TAdvStringGrid::SetMultilinecells(bool Value) {
    FMultilinecells = Value;
    Invalidate();
}

void TAdvStringGrid::SetLookupItems(const TStrings& Value) {
    FLookupItems->Assign(&Value);
}

void TAdvStringGrid::SetFixedFooters(int32_t Value) {
    if (Value < 0)
        throw EAdvGridError("Footer row count " + std::to_string(Value) + " is negative");
    FFixedFooters = Value;
    Invalidate();
}

void TAdvStringGrid::SetFixedRightCols(int32_t Value) {
    if (Value < 0)
        throw EAdvGridError("Right fixed column count " + std::to_string(Value) + " is negative");
    FFixedRightCols = Value;
    Invalidate();
}

void TAdvStringGrid::SetSortShow(bool Value) {
    FSortShow = Value;
    Invalidate();
}

void TAdvStringGrid::SetSortColumn(int32_t Value) {
    CheckColumnSlot(Value);
    FSortColumn = Value;
    Invalidate();
}

void TAdvStringGrid::SetSortDirection(TSortDirection Value) {
    FSortDirection = Value;
    Invalidate();
}

bool TAdvStringGrid::IsFooterOrRightFixed(int32_t ACol, int32_t ARow) const {
    return RowCount() - ARow <= FFixedFooters || ColCount() - ACol <= FFixedRightCols;
}

// --- Header texts ---

void TAdvStringGrid::SetColumnHeaders(const TStrings& Value) {
    FColumnHeaders->Assign(&Value);
    FillHeaders();
}

void TAdvStringGrid::SetRowHeaders(const TStrings& Value) {
    FRowHeaders->Assign(&Value);
    FillHeaders();
}

void TAdvStringGrid::FillHeaders() {
    if (FixedRows() > 0)
        for (int32_t c = 0; c < std::min(FColumnHeaders->Count(), ColCount()); ++c)
            SetCells(c, 0, FColumnHeaders->Strings(c));
    if (FixedCols() > 0)
        for (int32_t r = 0; r < std::min(FRowHeaders->Count(), RowCount()); ++r)
            SetCells(0, r, FRowHeaders->Strings(r));
}

// --- The editor works on the real column of the cell ---

std::string TAdvStringGrid::GetEditText(int32_t ACol, int32_t ARow) {
    return TStringGrid::GetEditText(RealColIndex(ACol), ARow);
}

void TAdvStringGrid::SetEditText(int32_t ACol, int32_t ARow, const std::string& Value) {
    TStringGrid::SetEditText(RealColIndex(ACol), ARow, Value);
}

void TAdvStringGrid::ColWidthsChanged() {
    TStringGrid::ColWidthsChanged();
    StretchLastColumn();
}

// --- Hooks ---

void TAdvStringGrid::FormResized() {
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (form == nullptr) return;
    if (FSizeWithForm) {
        const int32_t width = Width() + form->Width() - FFormWidth;
        const int32_t height = Height() + form->Height() - FFormHeight;
        if (width > 0 && height > 0) SetBounds(Left(), Top(), width, height);
    }
    // Remembered also while the grid does not follow, so turning it on later makes no jump.
    FFormWidth = form->Width();
    FFormHeight = form->Height();
    StretchLastColumn();
}

void TAdvStringGrid::ShowHint(std::string& HintStr, bool& /*CanShow*/, THintInfo& HintInfo) {
    if (HintInfo.HintControl != this) return;
    HintInfo.HintColor = FHintColor;
    const TGridCoord cell = MouseCoord(HintInfo.CursorPos.X, HintInfo.CursorPos.Y);
    const bool onCell = cell.X >= 0 && cell.Y >= 0;
    const int32_t realCol = onCell ? RealColIndex(cell.X) : cell.X;
    const TControlWatch watch(*this);
    if (OnGridHint) OnGridHint(this, cell.Y, realCol, HintStr);
    if (watch.Expired() || !FHintShowCells || !onCell || cell.X < FixedCols() ||
        cell.Y < FixedRows() || IsFooterOrRightFixed(cell.X, cell.Y))
        return;
    HintStr = Cells(realCol, cell.Y);
    const TRect box = CellRect(cell.X, cell.Y);
    HintInfo.HintPos = ClientToScreen(Point(box.Left, box.Top));
    // Another cell under the pointer makes another hint.
    HintInfo.CursorRect = box;
}

}  // namespace vex
