#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/core/stringlist.h"
#include "platform/ui/drawgrid.h"
#include "platform/ui/gridstorage.h"

namespace vex {

class TStringGrid;

// One row or one column of a string grid seen as a list: item i is the cell at index i, and
// editing the list edits the grid. Its length is the grid's, so it neither grows nor shrinks:
// Insert and Delete are refused, Clear empties the cells, Add fills the first empty cell.
class TStringGridStrings : public TStrings {
    VEX_CLASS(TStringGridStrings, TStrings)

public:
    TStringGridStrings(TStringGrid& Grid, bool IsRow, int32_t Index);

    int32_t Count() const override;
    int32_t Add(const std::string& S) override;
    int32_t AddObject(const std::string& S, TObject* AObject) override;
    void Insert(int32_t Index, const std::string& S) override;
    void Delete(int32_t Index) override;
    void Clear() override;
    void Exchange(int32_t Index1, int32_t Index2) override;
    void Move(int32_t CurIndex, int32_t NewIndex) override;
    // Cell i takes item i, and the cells past the source's end are emptied; a source longer
    // than the line is refused before any cell changes.
    void Assign(const TPersistent* Source) override;

protected:
    std::string Get(int32_t Index) const override;
    void Put(int32_t Index, const std::string& S) override;
    TObject* GetObject(int32_t Index) const override;
    void PutObject(int32_t Index, TObject* AObject) override;

private:
    int32_t ColOf(int32_t Item) const { return FIsRow ? Item : FIndex; }
    int32_t RowOf(int32_t Item) const { return FIsRow ? FIndex : Item; }
    void CheckItem(int32_t Item) const;

    TStringGrid& FGrid;
    bool FIsRow;
    int32_t FIndex;
};

// A grid of texts, each cell with an object slot (never owned). The cells follow the moves of
// columns and rows, and a count cut down drops the cells it cuts off. A descendant may keep
// columns hidden past ColCount: their cells sit at the real indexes ColCount and above.
class TStringGrid : public TDrawGrid {
    VEX_CLASS(TStringGrid, TDrawGrid)

public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    // Any stored column (hidden ones included) and row; outside raises EInvalidGridOperation.
    const std::string& Cells(int32_t ACol, int32_t ARow) const;
    void SetCells(int32_t ACol, int32_t ARow, const std::string& Value);
    TObject* Objects(int32_t ACol, int32_t ARow) const;
    void SetObjects(int32_t ACol, int32_t ARow, TObject* Value);

    // Views that live as long as the grid; an index outside raises EInvalidGridOperation.
    TStrings& Rows(int32_t Index);
    void SetRows(int32_t Index, const TStrings& Value) { Rows(Index).Assign(&Value); }
    TStrings& Cols(int32_t Index);
    void SetCols(int32_t Index, const TStrings& Value) { Cols(Index).Assign(&Value); }

    // The columns kept past ColCount.
    int32_t StoredColCount() const { return FStorage.Width(); }
    // Every stored cell of the row from this column on is empty (a bound, not always the least
    // one); out of range raises EInvalidGridOperation.
    int32_t UsedColCount(int32_t ARow) const { return FStorage.UsedWidth(ARow); }

protected:
    // Keeps Count columns past ColCount; fewer drops the cells of the last ones.
    void SetStoredHiddenCols(int32_t Count);
    int32_t StoredHiddenCols() const { return FHiddenCols; }
    // The column on screen showing a stored column, -1 for one that does not show; a descendant
    // that hides columns among the others answers where each shows.
    virtual int32_t ScreenColOf(int32_t StoredCol) const;
    // Exchanges every cell of two rows, texts, objects and hidden columns, in constant time.
    // Row heights stay where they are and nothing is repainted: a descendant that moves many
    // rows repaints once when it is done. An index outside raises EInvalidGridOperation.
    void ExchangeRowCells(int32_t Index1, int32_t Index2) { FStorage.SwapRows(Index1, Index2); }

    void DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) override;
    std::string GetEditText(int32_t ACol, int32_t ARow) override;
    void SetEditText(int32_t ACol, int32_t ARow, const std::string& Value) override;
    void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override;
    void RowMoved(int32_t FromIndex, int32_t ToIndex) override;
    void SizeChanged(int32_t OldColCount, int32_t OldRowCount) override;

private:
    void CellChanged(int32_t ACol, int32_t ARow);
    using TViews = std::map<int32_t, std::unique_ptr<TStringGridStrings>>;
    TStringGridStrings& View(TViews& Views, bool IsRow, int32_t Index);

    TGridStorage FStorage;
    int32_t FHiddenCols = 0;
    // Made on first use and kept, so a reference handed out stays good while the grid lives.
    TViews FRowViews;
    TViews FColViews;
};

}  // namespace vex
