#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/grid.h"

namespace vex {

using TGetEditEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, std::string& Value)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, const std::string& Value)>;

// A grid whose owner draws the cells and answers the editor through events.
class TDrawGrid : public TCustomGrid {
    VEX_CLASS(TDrawGrid, TCustomGrid)

public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

    TDrawCellEvent OnDrawCell;
    // CanSelect comes in as the grid's own answer.
    TSelectCellEvent OnSelectCell;
    // Value comes in as the text the grid would edit.
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;

protected:
    void DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) override;
    bool SelectCell(int32_t ACol, int32_t ARow) override;
    std::string GetEditText(int32_t ACol, int32_t ARow) override;
    void SetEditText(int32_t ACol, int32_t ARow, const std::string& Value) override;
    void TopLeftChanged() override;
    void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override;
    void RowMoved(int32_t FromIndex, int32_t ToIndex) override;
};

}  // namespace vex
