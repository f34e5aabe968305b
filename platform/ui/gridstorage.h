#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/object.h"
#include "platform/ui/griderror.h"

namespace vex {

// The texts and objects of a string grid's cells. Rows are kept as separate objects, so moving
// or swapping rows only moves row handles; a row takes memory only once a cell in it is set,
// so a large row count costs a handle per row. Width is the grid's column count plus any
// columns a descendant keeps hidden past it; height is the row count. Objects are never owned.
class TGridStorage {
public:
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return static_cast<int32_t>(FRows.size()); }
    // Cells cut off by a smaller size are discarded, so growing again shows them empty.
    void SetSize(int32_t AWidth, int32_t AHeight);

    const std::string& Text(int32_t ACol, int32_t ARow) const;
    void SetText(int32_t ACol, int32_t ARow, std::string Value);
    TObject* Object(int32_t ACol, int32_t ARow) const;
    void SetObject(int32_t ACol, int32_t ARow, TObject* Value);
    // Empties the text and the object slot of a cell.
    void Clear(int32_t ACol, int32_t ARow);
    // Every cell of the row from this column on is empty, so a walk over a sparse grid can stop
    // there; cells set and emptied again may keep it higher.
    int32_t UsedWidth(int32_t ARow) const;

    // The cells between the two indexes shift by one towards FromIndex.
    void MoveRow(int32_t FromIndex, int32_t ToIndex);
    void MoveCol(int32_t FromIndex, int32_t ToIndex);
    void SwapRows(int32_t Index1, int32_t Index2);

    void CheckCol(int32_t ACol) const;
    void CheckRow(int32_t ARow) const;

private:
    struct TCell {
        std::string Text;
        TObject* Object = nullptr;
    };
    // Holds cells up to the last one ever set; those past its end read as empty.
    using TRowCells = std::vector<TCell>;

    TCell& Writable(int32_t ACol, int32_t ARow);
    const TCell* Find(int32_t ACol, int32_t ARow) const;

    int32_t FWidth = 0;
    std::vector<TRowCells> FRows;
};

}  // namespace vex
