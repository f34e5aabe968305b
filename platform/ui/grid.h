#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/set.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/griderror.h"
#include "platform/ui/memo.h"

namespace vex {

class TInplaceEdit;

// Members in the order their bits are stored, so a descendant's option mask means what it says.
enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor
};
using TGridOptions = TSet<TGridOption, 16>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem, 8>;

// What the mouse is doing with the grid while its button is down.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// Which way the grid scrolls while the button is held outside its cells. Scoped because the
// border routines' sides are named sdLeft and sdRight too, and one program may use both.
enum class TGridScrollDirectionItem { sdLeft, sdRight, sdUp, sdDown };
using TGridScrollDirection = TSet<TGridScrollDirectionItem, 4>;

// A cell: X is the column, Y the row.
struct TGridCoord {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells, both corners included: Left and Right are columns, Top and Bottom rows.
struct TGridRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

using TSelectCellEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool& CanSelect)>;
using TDrawCellEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, TRect Rect,
                                          TGridDrawState State)>;
using TMovedEvent = std::function<void(TObject* Sender, int32_t FromIndex, int32_t ToIndex)>;

// The sizes along one direction of a grid, columns or rows. Sizes that differ from the default
// are the only ones kept, so a count of millions costs nothing until sizes are set one by one.
class TGridAxis {
public:
    int32_t Count() const { return FCount; }
    // Cuts off the sizes of indexes from Value on.
    void SetCount(int32_t Value);
    int32_t DefaultSize() const { return FDefaultSize; }
    // Forgets every size of its own: they all follow the default from now on.
    void SetDefaultSize(int32_t Value);
    int32_t Size(int32_t Index) const;
    void SetSize(int32_t Index, int32_t Value);
    // The sizes follow their cells when one cell moves from FromIndex to ToIndex.
    void Move(int32_t FromIndex, int32_t ToIndex);

private:
    int32_t FCount = 0;
    int32_t FDefaultSize = 0;
    std::map<int32_t, int32_t> FSizes;
};

// The grid every grid control derives from: counts and sizes of columns and rows, fixed rows
// and columns that stay put while the rest scrolls, the current cell and a selected block,
// painting cell by cell through DrawCell, and the keys and mouse of a spreadsheet. Cell content
// is a descendant's: it paints cells, answers the editor's questions and follows the moves of
// columns and rows through ColumnMoved and RowMoved. Geometry is in gridgeometry.cpp, painting
// in gridpaint.cpp, scrolling in gridscroll.cpp, keys in gridkeys.cpp, the mouse in
// gridmouse.cpp and the editor protocol in gridedit.cpp.
class TCustomGrid : public TCustomControl {
    VEX_CLASS(TCustomGrid, TCustomControl)
    friend class TInplaceEdit;

public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // Counts: a negative count raises EInvalidGridOperation; fixed cells stay fewer than the
    // count, or none when it is 0 (EInvalidGridOperation otherwise), and a count cut below them
    // takes them along.
    int32_t ColCount() const { return FCols.Count(); }
    void SetColCount(int32_t Value);
    int32_t RowCount() const { return FRows.Count(); }
    void SetRowCount(int32_t Value);
    int32_t FixedCols() const { return FFixedCols; }
    void SetFixedCols(int32_t Value);
    int32_t FixedRows() const { return FFixedRows; }
    void SetFixedRows(int32_t Value);

    // Sizes in pixels; setting a default drops the sizes set one by one.
    int32_t DefaultColWidth() const { return FCols.DefaultSize(); }
    void SetDefaultColWidth(int32_t Value);
    int32_t DefaultRowHeight() const { return FRows.DefaultSize(); }
    void SetDefaultRowHeight(int32_t Value);
    // Indexes from 0; out of range raises EInvalidGridOperation. A size of 0 hides the cells.
    int32_t ColWidths(int32_t Index) const;
    void SetColWidths(int32_t Index, int32_t Value);
    int32_t RowHeights(int32_t Index) const;
    void SetRowHeights(int32_t Index, int32_t Value);
    int32_t GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int32_t Value);
    // Whether Tab stops at the column; out of range raises EInvalidGridOperation.
    bool TabStops(int32_t Index) const;
    void SetTabStops(int32_t Index, bool Value);

    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The colour of the fixed cells.
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    // When true the grid fills each cell's background (and, for fixed cells, the raised edge)
    // before DrawCell, so a descendant only draws its content.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);

    // The current cell; it must lie among the non-fixed cells (EInvalidGridOperation), and
    // SelectCell may refuse it.
    int32_t Col() const { return FCurrent.X; }
    void SetCol(int32_t Value);
    int32_t Row() const { return FCurrent.Y; }
    void SetRow(int32_t Value);
    // The selected block. Setting it puts the anchor at its top left and the current cell at
    // its bottom right, without scrolling either into view.
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);
    // The first scrolling row and column on screen.
    int32_t TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int32_t Value);
    int32_t LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int32_t Value);
    // The whole scrolling rows and columns that fit in GetClientRect beside the fixed ones (at
    // least one while any is there).
    int32_t VisibleColCount();
    int32_t VisibleRowCount();

    // The cell's rectangle in client coordinates while any part of it is on screen, else an
    // empty rectangle; out of range raises EInvalidGridOperation.
    TRect CellRect(int32_t ACol, int32_t ARow);
    // The cell under the client point; -1 for a column or row where no cell is.
    TGridCoord MouseCoord(int32_t X, int32_t Y);
    void MouseToCell(int32_t X, int32_t Y, int32_t& ACol, int32_t& ARow);

    // The in-place editor is showing over the current cell.
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // The scroll bars, the timed scroll's timer, the sizing cursor and the keys the grid wants.
    void DefaultHandler(TMessage& Message) override;

protected:
    // Paints one cell; the canvas comes clipped to the update area with the cell's colours.
    virtual void DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) = 0;
    // Every cell meeting the update area through DrawCell, then the lines the options ask for.
    void Paint() override;

    // True lets the cell become current; the default accepts every cell.
    virtual bool SelectCell(int32_t ACol, int32_t ARow);
    // TopRow or LeftCol changed.
    virtual void TopLeftChanged();
    // A column or row moved from FromIndex to ToIndex (with the user's mouse or MoveColumn,
    // MoveRow); the cells a descendant keeps follow here.
    virtual void ColumnMoved(int32_t FromIndex, int32_t ToIndex);
    virtual void RowMoved(int32_t FromIndex, int32_t ToIndex);
    // The user resized a column or row (at the release), or the sizes were set.
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // ColCount or RowCount changed; the cells a descendant keeps follow here.
    virtual void SizeChanged(int32_t OldColCount, int32_t OldRowCount);
    // The button is held outside the scrolling cells: scroll one step that way.
    virtual void TimedScroll(TGridScrollDirection Direction);
    // True when the grid itself acts on the key.
    virtual bool CanGridAcceptKey(uint16_t Key, TShiftState Shift);

    // The editor protocol. The hooks a descendant answers:
    virtual bool CanEditAcceptKey(char Key);
    virtual bool CanEditModify();
    virtual bool CanEditShow();
    virtual std::string GetEditMask(int32_t ACol, int32_t ARow);
    virtual std::string GetEditText(int32_t ACol, int32_t ARow);
    virtual void SetEditText(int32_t ACol, int32_t ARow, const std::string& Value);
    // The longest text the editor takes; 0 for no limit.
    virtual int32_t GetEditLimit();
    // Makes the editor (owned by the grid) the first time it is needed.
    virtual TInplaceEdit* CreateEditor();
    // And what the grid does with the editor:
    void ShowEditor();
    void HideEditor();
    // Shows the editor with Ch typed into it, replacing the cell's text.
    void ShowEditorChar(char Ch);
    // The editor takes the cell's text again.
    void InvalidateEditor();
    // Places the editor over the current cell (after a scroll or resize) while it shows.
    void UpdateEdit();
    // Hides the editor, its text going to the cell first.
    void HideEdit();
    // The editor's text goes to the cell it was filled from.
    void UpdateText();

    // The block from the cell (ALeft, ATop) to (ARight, ABottom) as far as it is on screen, in
    // client coordinates; indexes past the ends are taken as the ends.
    TRect BoxRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom);
    // Makes (ACol, ARow) current when SelectCell accepts it, closing the editor unless it
    // always shows, and fires OnClick; MoveAnchor drops the selected block to the cell, Show
    // scrolls the cell into view. With goRowSelect the current column stays the first.
    void MoveColRow(int32_t ACol, int32_t ARow, bool MoveAnchor, bool Show);
    // Moves a column or row to another index, sizes and all; out of range raises
    // EInvalidGridOperation.
    void MoveColumn(int32_t FromIndex, int32_t ToIndex);
    void MoveRow(int32_t FromIndex, int32_t ToIndex);
    void InvalidateCell(int32_t ACol, int32_t ARow);
    void InvalidateCol(int32_t ACol);
    void InvalidateRow(int32_t ARow);
    void InvalidateGrid();
    // What the mouse would start at the client point: gsColSizing or gsRowSizing over a
    // sizing border (Index the column or row sized, SizingPos the border's position,
    // SizingOfs the point's distance from it), else gsNormal.
    void CalcSizingState(int32_t X, int32_t Y, TGridState& State, int32_t& Index,
                         int32_t& SizingPos, int32_t& SizingOfs);
    TGridState GridState() const { return FGridState; }

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void DoExit() override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMChar(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void WMCancelMode(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

    TInplaceEdit* FInplaceEdit = nullptr;
    // The cell the editor was last filled from, so its text goes back to the right cell.
    int32_t FInplaceCol = -1;
    int32_t FInplaceRow = -1;
    bool FEditorMode = false;
    bool FHidingEditor = false;

private:
    // Where the cells of one direction lie on screen (gridgeometry.cpp).
    struct TAxisDraw {
        int32_t LineWidth = 0;        // the line after every cell, 0 when there is none
        int32_t FixedBoundary = 0;    // where the fixed cells end
        int32_t GridBoundary = 0;     // where the last cell on screen ends, at most the extent
        int32_t GridExtent = 0;       // the client area's size
        int32_t LastFullVisible = 0;  // the last cell wholly on screen
        int32_t FirstCell = 0;        // TopRow or LeftCol
        int32_t FixedCount = 0;
        int32_t Count = 0;
    };
    TAxisDraw AxisDraw(bool Horizontal);
    // Where a cell of the axis starts and ends on screen; false when it is not on screen.
    bool CellSpan(bool Horizontal, int32_t Index, int32_t& Start, int32_t& End);
    // The cell of the axis at the client position, -1 for none.
    int32_t CellAt(bool Horizontal, int32_t Pos);
    // The largest TopRow or LeftCol that still fills the client area.
    int32_t MaxFirst(bool Horizontal);
    const TGridAxis& Axis(bool Horizontal) const { return Horizontal ? FCols : FRows; }
    TGridAxis& Axis(bool Horizontal) { return Horizontal ? FCols : FRows; }
    void CheckIndex(const TGridAxis& Axis, int32_t Index) const;
    // False while ColCount or RowCount is 0: no cell can be current then.
    bool HasCells() const { return ColCount() > 0 && RowCount() > 0; }
    TRect GridClient() { return GetClientRect(); }

    // Counts, current cell and selection (grid.cpp).
    void ChangeCount(bool Horizontal, int32_t Value);
    void ChangeFixed(int32_t& Fixed, int32_t Value);
    void ClampPosition();
    void SetCurrent(TGridCoord Cell, bool MoveAnchor);
    void InvalidateSelection(const TGridRect& Old, const TGridRect& New);
    bool IsSelected(int32_t ACol, int32_t ARow) const;

    // Scrolling (gridscroll.cpp).
    void MoveTopLeft(int32_t ALeft, int32_t ATop);
    void ScrollPixels(int32_t OldLeft, int32_t OldTop);
    void ScrollIntoView(TGridCoord Cell);
    void UpdateScrollRange();
    void UpdateScrollPos();
    void ScrollBarMessage(bool Horizontal, WPARAM Request);
    // How many cells one step of the scroll bar stands for.
    int32_t ScrollUnit(bool Horizontal) const;
    void StartTimedScroll();
    void StopTimedScroll();
    void TimerTick();

    // Painting (gridpaint.cpp).
    void DrawCells(const TRect& Update);
    void DrawLines(const TRect& Update);
    TGridDrawState CellState(int32_t ACol, int32_t ARow) const;

    // Keys (gridkeys.cpp).
    TGridCoord KeyTarget(uint16_t Key, TShiftState Shift);
    bool TabTo(bool Forward);

    // Mouse (gridmouse.cpp).
    void ShowSizingLine(bool Show);
    void InvertSizingLine(TCanvas& On);
    void UpdateMoving(int32_t X, int32_t Y);
    void ShowMoveMark(bool Show);
    void InvertMoveMark(TCanvas& On);
    void SelectAtPoint(int32_t X, int32_t Y, bool Extend);
    bool UpdateCursor(int32_t X, int32_t Y);
    void CancelGridMode();

    TGridAxis FCols;
    TGridAxis FRows;
    std::map<int32_t, bool> FTabStops;  // only the columns without a tab stop
    int32_t FFixedCols = 1;
    int32_t FFixedRows = 1;
    int32_t FGridLineWidth = 1;
    TGridOptions FOptions;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};

    TGridState FGridState = gsNormal;
    // Sizing and moving: the index taken, the live line's position, the point's offset.
    int32_t FSizingIndex = 0;
    int32_t FSizingPos = 0;
    int32_t FSizingOfs = 0;
    bool FSizingLineShown = false;
    int32_t FMoveIndex = 0;
    int32_t FMovePos = 0;
    bool FMoveMarkShown = false;
    TPoint FLastMouse{0, 0};
    bool FTimerRunning = false;
};

}  // namespace vex
