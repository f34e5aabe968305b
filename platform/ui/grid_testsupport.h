#pragma once

// A grid for tests, as a draw grid would be: each cell shows its column and row ("2:3"), each
// DrawCell call is noted, and each hook the grid calls fires a note in the log.

#include <string>
#include <vector>

#include "platform/ui/grid.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/win/application.h"

namespace vex::test {

class TTestGrid : public TCustomGrid {
public:
    explicit TTestGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

    using TCustomGrid::BoxRect;
    using TCustomGrid::CalcSizingState;
    using TCustomGrid::GridState;
    using TCustomGrid::InvalidateCell;
    using TCustomGrid::InvalidateCol;
    using TCustomGrid::InvalidateRow;
    using TCustomGrid::MoveColRow;
    using TCustomGrid::MoveColumn;
    using TCustomGrid::MoveRow;

    struct TDrawn {
        int32_t Col;
        int32_t Row;
        TRect Rect;
        TGridDrawState State;
    };
    std::vector<TDrawn> Drawn;
    TLog* Log = nullptr;
    bool ShowText = true;
    std::vector<TGridCoord> Refused;  // cells SelectCell refuses

protected:
    void DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) override {
        Drawn.push_back({ACol, ARow, ARect, AState});
        if (!ShowText) return;
        const std::string text = std::to_string(ACol) + ":" + std::to_string(ARow);
        Canvas().Brush().SetStyle(bsClear);
        Canvas().TextRect(ARect, ARect.Left + 2, ARect.Top + 2, text);
        Canvas().Brush().SetStyle(bsSolid);
    }
    bool SelectCell(int32_t ACol, int32_t ARow) override {
        for (const TGridCoord& c : Refused)
            if (c.X == ACol && c.Y == ARow) return false;
        return true;
    }
    void TopLeftChanged() override {
        TCustomGrid::TopLeftChanged();
        Note("topleft " + std::to_string(LeftCol()) + "," + std::to_string(TopRow()));
    }
    void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override {
        Note("colmoved " + std::to_string(FromIndex) + "->" + std::to_string(ToIndex));
    }
    void RowMoved(int32_t FromIndex, int32_t ToIndex) override {
        Note("rowmoved " + std::to_string(FromIndex) + "->" + std::to_string(ToIndex));
    }
    void SizeChanged(int32_t OldColCount, int32_t OldRowCount) override {
        Note("size " + std::to_string(OldColCount) + "x" + std::to_string(OldRowCount) + "->" +
             std::to_string(ColCount()) + "x" + std::to_string(RowCount()));
    }
    void ColWidthsChanged() override {
        TCustomGrid::ColWidthsChanged();
        Note("colwidths");
    }
    void RowHeightsChanged() override {
        TCustomGrid::RowHeightsChanged();
        Note("rowheights");
    }

private:
    void Note(const std::string& What) {
        if (Log != nullptr) Log->push_back(What);
    }
};

// A 10 x 20 grid of 30 x 14 cells with one fixed row and column, framed by nothing, so its
// client area is its 200 x 100 bounds.
template <class TGrid>
struct TGridSceneOf : TListScene {
    TGridSceneOf() {
        Grid = Add<TGrid>(Form, Rect(0, 0, 200, 100));
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetDefaultColWidth(30);
        Grid->SetDefaultRowHeight(14);
        Grid->SetColCount(10);
        Grid->SetRowCount(20);
    }
    TGrid* Grid = nullptr;
};

struct TGridScene : TGridSceneOf<TTestGrid> {
    TGridScene() {
        Grid->Log = &Log;
        Application().ProcessMessages();
        Log.clear();
    }
};

}  // namespace vex::test
