#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "components/misc/AdvGridPrintSettings.h"
#include "platform/core/exceptions.h"
#include "platform/core/stringlist.h"
#include "platform/gfx/icon.h"
#include "platform/gfx/imagelist.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/stringgrid.h"
#include "platform/ui/subscriptions.h"
#include "platform/win/timer.h"

namespace vex {

// A grid file that cannot be read or written, or holds no grid, or an operation on the
// advanced grid given a column or row it does not have.
VEX_EXCEPTION(EAdvGridError, Exception);

enum TVAlignment { vtaCenter, vtaTop, vtaBottom };
enum TSortDirection { sdAscending, sdDescending };
// How two cell texts of a column compare while sorting (stored as one byte).
enum TSortStyle : uint8_t {
    ssNoCompare,
    ssText,
    ssNumber,
    ssDate,
    ssTextNoCase,
    ssTextSame,
    ssDateDMY,
    ssDateMDY,
    ssByEvent,
    ssMoney
};
enum TAdvanceDirection { adLeftRight, adTopBottom };
// The directions middle-button panning scrolls in.
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth };
// The editor a cell is edited with, as OnGetEditorType chooses it (stored as one byte).
enum TEditorType : uint8_t {
    etInplace,
    etSpin,
    etComboEdit,
    etComboList,
    etEditButton,
    etCheckBox,
    etDate,
    etTime,
    etButton
};

// Real column indexes 0 to 256 have a visibility flag each; no grid stores more columns.
inline constexpr int32_t MaxAdvGridColumns = 257;

// A picture in a cell's object slot: a bitmap, an icon, an image of the grid's image list or a
// check box, placed in the cell by HAlign and VAlign (0 to 4).
class TCellGraphic : public TObject {
    VEX_CLASS(TCellGraphic, TObject)

public:
    enum TKind : uint8_t { ctBitmap = 0, ctIcon = 1, ctImageList = 3, ctCheckBox = 4 };

    TKind Kind = ctImageList;
    // The pictures of the bitmap and icon kinds; the caller's, kept alive while the cell holds
    // the graphic.
    const TBitmap* Bitmap = nullptr;
    const TIcon* Icon = nullptr;
    uint8_t VAlign = 0;
    uint8_t HAlign = 0;
    int32_t ImageIndex = 0;
    // A bitmap's top-left pixel colour is left out when drawing it.
    bool Transparent = false;
    bool CheckState = false;
};

// How the keyboard moves about and edits the grid.
struct TNavigation {
    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AdvanceOnEnter = false;
    bool AdvanceInsert = false;
    bool AutoGotoWhenSorted = false;
    bool AllowClipboardShortCuts = false;
    bool AdvanceAuto = false;
    TAdvanceDirection AdvanceDirection = adLeftRight;
};

// Column widths kept in the registry between runs, under Key\Section as values "col0", "col1",
// ...; Stretch makes the last column fill the grid's width.
class TColumnSize {
public:
    explicit TColumnSize(class TAdvStringGrid& Grid) : FGrid(Grid) {}
    bool Save = false;
    std::string Key;
    std::string Section;
    bool Stretch() const { return FStretch; }
    // Lays the columns out again at once.
    void SetStretch(bool Value);

private:
    TAdvStringGrid& FGrid;
    bool FStretch = false;
};

// The row grows to the editor's lines and the column to its text while typing.
struct TSizeWhileTyping {
    bool Height = false;
    bool Width = false;
};

struct TMouseActions {
    bool ColSelect = false;
    bool RowSelect = false;
    bool AllSelect = false;
    bool DirectEdit = false;
    bool CaretPositioning = false;
};

using TGridColorEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol,
                                           TGridDrawState AState, TBrush& ABrush, TFont& AFont)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, TAlignment& AAlignment)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int32_t ACol, TSortStyle& AStyle,
                                            std::string& aPrefix, std::string& aSuffix)>;
using TGridHintEvent =
    std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, std::string& HintStr)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, int32_t ARow)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, int32_t ACol)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, int32_t ARow)>;
using TClickSortEvent = std::function<void(TObject* Sender, int32_t ACol)>;
using TCanSortEvent = std::function<void(TObject* Sender, int32_t ACol, bool& DoSort)>;
using TCustomCompareEvent = std::function<void(TObject* Sender, const std::string& Str1,
                                               const std::string& Str2, int32_t& Res)>;
using TGetEditorTypeEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, TEditorType& AEditor)>;
using TEllipsClickEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, std::string& S)>;
using TClickCellEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol)>;
using TCanEditCellEvent =
    std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, bool& CanEdit)>;
using TCellValidateEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow,
                                              std::string& Value, bool& Valid)>;
// The page's size is in print units, as the canvas draws then.
using TPrintPageEvent = std::function<void(TObject* Sender, TCanvas& Canvas, int32_t PageNr,
                                           int32_t PageXSize, int32_t PageYSize)>;
using TPrintNewPageEvent = std::function<void(TObject* Sender, int32_t ARow, bool& NewPage)>;
using TFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;

// The string grid of the rule lists: columns that can be hidden while their cells stay, images
// in cells, whole-row and whole-column operations, per-cell colours and alignment asked of the
// owner, validation of edited cells, sorting by a header click, the clipboard, and a text file
// of its own. Cells and the file use real column indexes; the screen shows the visible columns
// in order (RealColIndex).
//
// AdvGrid.cpp holds creation, properties and the form and hint hooks; AdvGridColumns.cpp the
// row and column operations, hidden columns and images; AdvGridSizing.cpp automatic widths,
// stretching and zoom; AdvGridPaint.cpp the cells' look (AdvGridCellText.cpp their lines, links
// and shortened texts); AdvGridPointer.cpp the cursors and the wheel; AdvGridPan.cpp panning;
// AdvGridEditors.cpp the editors (AdvGridInplaceEdit.cpp the grid's own); AdvGridFile.cpp the
// text file and AdvGridColumnWidths.cpp the widths kept in the registry; AdvGridSort.cpp sorting;
// AdvGridInput.cpp selection, validation, keys and mouse; AdvGridClipboard.cpp the clipboard;
// AdvGridPrint*.cpp printing.
class TAdvStringGrid : public TStringGrid {
    VEX_CLASS(TAdvStringGrid, TStringGrid)
    friend class TColumnSize;

public:
    explicit TAdvStringGrid(TComponent* AOwner);
    ~TAdvStringGrid() override;

    // --- Properties ---
    bool AutoSize() const { return FAutoSize; }
    // True sizes every non-fixed column to its widest text plus 10 pixels.
    void SetAutoSize(bool Value) override;
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    bool EnhRowColMove() const { return FEnhRowColMove; }
    void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }
    bool SizeWithForm() const { return FSizeWithForm; }
    void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
    bool EnableGraphics() const { return FEnableGraphics; }
    void SetEnableGraphics(bool Value) { FEnableGraphics = Value; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    bool HintShowCells() const { return FHintShowCells; }
    void SetHintShowCells(bool Value) { FHintShowCells = Value; }
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value);
    TNavigation& Navigation() { return FNavigation; }
    TColumnSize& ColumnSize() { return FColumnSize; }
    TMouseActions& MouseActions() { return FMouseActions; }
    // Not owned; the grid forgets it when the list is freed.
    TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TImageList* Value);
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLEdit() const { return FURLEdit; }
    void SetURLEdit(bool Value) { FURLEdit = Value; }
    // Rows at the bottom and columns at the right drawn as fixed, never selected or sorted.
    int32_t FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int32_t Value);
    int32_t FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int32_t Value);
    // The texts of row 0 and of column 0; setting them fills those cells.
    TStrings& ColumnHeaders() { return *FColumnHeaders; }
    void SetColumnHeaders(const TStrings& Value);
    TStrings& RowHeaders() { return *FRowHeaders; }
    void SetRowHeaders(const TStrings& Value);
    // True at creation: the file holds the fixed cells too.
    bool StoreFixedCells = true;

    // --- How cells show their text ---
    // Text wider than its cell ends in "..." where it is cut.
    bool EnhTextSize() const { return FEnhTextSize; }
    void SetEnhTextSize(bool Value);
    // A CR in a cell's text starts a new line (a LF right behind it belongs to the break).
    bool Multilinecells() const { return FMultilinecells; }
    void SetMultilinecells(bool Value);
    // Cell text, and the editor's, wraps at words.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // A link cell shows its whole address, scheme and all.
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);

    // --- Wheel and panning ---
    TIntelliPan IntelliPan() const { return FIntelliPan; }
    void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
    // The rows one notch of the wheel moves, and the zoom step of one notch with Ctrl.
    int32_t WheelScrollLines() const { return FWheelScrollLines; }
    // The middle button is down and the grid scrolls towards the pointer.
    bool Panning() const { return FPanning; }

    // --- Editing ---
    TSizeWhileTyping& SizeWhileTyping() { return FSizeWhileTyping; }
    // Typed text is completed from LookupItems; with LookupHistory a new text joins them.
    TStrings& LookupItems() { return *FLookupItems; }
    void SetLookupItems(const TStrings& Value);
    bool Lookup() const { return FLookup; }
    void SetLookup(bool Value) { FLookup = Value; }
    bool LookupHistory() const { return FLookupHistory; }
    void SetLookupHistory(bool Value) { FLookupHistory = Value; }
    // The kind of the special editor last chosen for a cell, and whether it shows now.
    TEditorType EditorType() const { return FEditorType; }
    bool SpecialEditorShown() const { return FSpecialEditor != nullptr; }
    // The special editor over the current cell, or nil.
    TWinControl* SpecialEditor() const { return FSpecialEditor; }
    // The editor of a type (made on first use), for the owner to set up, such as a combo box's
    // items in OnGetEditorType; nil for etInplace, and for etDate and etTime without a picker.
    TWinControl* SpecialEditorOf(TEditorType Type);

    // --- Sorting by a header click ---
    bool SortFixedCols() const { return FSortFixedCols; }
    void SetSortFixedCols(bool Value) { FSortFixedCols = Value; }
    bool SortShow() const { return FSortShow; }
    void SetSortShow(bool Value);
    // A real column index.
    int32_t SortColumn() const { return FSortColumn; }
    void SetSortColumn(int32_t Value);
    TSortDirection SortDirection() const { return FSortDirection; }
    void SetSortDirection(TSortDirection Value);

    // --- Hidden columns ---
    int32_t HiddenColCount() const { return FHiddenColCount; }
    // The real index of display column ADisplayCol: the visible column at that position, the
    // index itself from 256 on, 0 when there is none.
    int32_t RealColIndex(int32_t ADisplayCol) const;
    bool IsHiddenColumn(int32_t ARealCol) const;
    // Hiding needs two visible columns and a column that exists, else the column stays;
    // an index outside the 257 slots raises EAdvGridError.
    void HideColumn(int32_t ACol) { HideColumns(ACol, ACol); }
    void HideColumns(int32_t FromCol, int32_t ToCol);
    void UnHideColumn(int32_t ACol) { UnHideColumns(ACol, ACol); }
    void UnHideColumns(int32_t FromCol, int32_t ToCol);

    // --- Rows and columns (real indexes); outside the grid raises EAdvGridError ---
    void ClearRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2);
    void ClearRows(int32_t RowIndex, int32_t RCount);
    void ClearCols(int32_t ColIndex, int32_t CCount);
    void RemoveRows(int32_t RowIndex, int32_t RCount);
    void InsertRows(int32_t RowIndex, int32_t RCount);
    void RemoveCols(int32_t ColIndex, int32_t CCount);
    void InsertCols(int32_t ColIndex, int32_t CCount);
    void MoveRow(int32_t FromIndex, int32_t ToIndex);
    // Places on screen, as a drag gives them; a hidden column keeps its cells and stays hidden,
    // and SortColumn follows the column it names.
    void MoveColumn(int32_t FromIndex, int32_t ToIndex);
    // Puts an image of GridImages in the cell, replacing an image there; a cell holding any
    // other object keeps it, and without GridImages nothing happens.
    void AddCellImage(int32_t ACol, int32_t ARow, int32_t ImageIndex, int32_t HAlign,
                      int32_t VAlign);
    // The cell's graphic, or nil.
    TCellGraphic* CellGraphic(int32_t ACol, int32_t ARow) const;

    // --- Sizes ---
    void AutoSizeColumns(bool DoFixedCols, int32_t Extra);
    void StretchLastColumn();
    // Grows every column and row by Delta pixels, within an accumulated -10 to 10.
    void Zoom(int32_t Delta);
    int32_t ZoomFactor() const { return FZoomFactor; }

    // --- Clipboard ---
    void CopyToClipboard();
    void CutToClipboard();
    // Refuses, whole, text that would grow the grid past 257 columns or 1,000,000 rows, or
    // that is longer than 16 MB (EAdvGridError).
    void PasteFromClipboard();

    // --- The text file ---
    // Writes a new file beside the old and puts it in the old one's place; the old file is left
    // as it was when that fails (EAdvGridError).
    void SaveToFile(const std::string& FileName);
    // Checks the header line before the grid changes; a file that is missing, holds no grid or
    // a line beyond 16 MB raises EAdvGridError.
    void LoadFromFile(const std::string& FileName);

    // --- Printing ---
    TPrintsettings& PrintSettings() { return FPrintSettings; }
    void SetPrintSettings(const TPrintsettings& Value) { FPrintSettings.Assign(&Value); }
    // Every visible cell as one job on Printer(), in tenths of a millimetre. No printer, or
    // settings that leave no room on the page, raise EPrinter before the job starts; a failure
    // while printing drops the job.
    void Print();

    // --- Editing ---
    virtual void EndCellEdit();
    virtual void BeginCellEdit();
    // OnEllipsClick on the current cell, which takes the text the handler leaves.
    virtual void EllipsisClick();

    // The cursor over link cells and selecting fixed cells (beside the sizing cursor).
    void DefaultHandler(TMessage& Message) override;

    // --- Events ---
    TGridColorEvent OnGetCellColor;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGridHintEvent OnGridHint;
    TAutoInsertRowEvent OnAutoInsertRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    TClickSortEvent OnClickSort;
    TCanSortEvent OnCanSort;
    TCustomCompareEvent OnCustomCompare;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnRightClickCell;
    TClickCellEvent OnDblClickCell;
    TCanEditCellEvent OnCanEditCell;
    TCellValidateEvent OnCellValidate;
    TGetEditorTypeEvent OnGetEditorType;
    TEllipsClickEvent OnEllipsClick;
    TGridColorEvent OnGetCellPrintColor;
    TPrintPageEvent OnPrintPage;
    TPrintNewPageEvent OnPrintNewPage;
    TFitToPageEvent OnFitToPage;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void DrawCell(int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) override;
    std::string GetEditText(int32_t ACol, int32_t ARow) override;
    void SetEditText(int32_t ACol, int32_t ARow, const std::string& Value) override;
    bool SelectCell(int32_t ACol, int32_t ARow) override;
    bool CanEditShow() override;
    void ColWidthsChanged() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void DblClick() override;
    void DoEnter() override;
    void DoExit() override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    TInplaceEdit* CreateEditor() override;
    void TopLeftChanged() override;
    void WMChar(TMessage& Message) override;

private:
    friend class TAdvInplaceEdit;
    friend class TGridEditorLink;
    // Hooks (AdvGrid.cpp).
    void FormResized();
    void ShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo);
    void FillHeaders();
    // Footer rows and right fixed columns look and act as fixed cells.
    bool IsFooterOrRightFixed(int32_t ACol, int32_t ARow) const;

    // Rows and columns (AdvGridColumns.cpp).
    void CheckRealCol(int32_t ACol) const;
    void CheckRealRow(int32_t ARow) const;
    static void CheckColumnSlot(int32_t ACol);
    // Where a real column shows, were it visible.
    int32_t DisplayColIndex(int32_t ARealCol) const;
    int32_t ScreenColOf(int32_t StoredCol) const override;
    // Text and object of one cell onto another; a cell outside the storage reads empty.
    void CopyCell(int32_t FromCol, int32_t FromRow, int32_t ToCol, int32_t ToRow);
    // Text and object slot emptied; the object is not freed (it moved elsewhere).
    void EmptyCell(int32_t ACol, int32_t ARow);
    // Takes a TCellGraphic out of the cell; one the grid made is freed once no cell holds it.
    void FreeCellGraphic(int32_t ACol, int32_t ARow);
    // Frees the images the grid made that no cell holds any more.
    void ReleaseUnreferencedGraphics();
    void SizeChanged(int32_t OldColCount, int32_t OldRowCount) override;
    // Moves the real columns shown at two places on screen; OnColumnMoved gets real indexes.
    void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override;
    // The images AddCellImage made; any other object in a cell is the caller's.
    std::unordered_map<const TObject*, std::unique_ptr<TCellGraphic>> FOwnedGraphics;
    // Owned images taken out of cells since the grid last freed those no cell holds.
    size_t FGraphicsTakenOut = 0;

    // Sizes (AdvGridSizing.cpp) and the cells' look (AdvGridPaint.cpp).
    // The client area changes with the grid's size and with its scroll bars: the last column
    // stretches again.
    void Resize() override;
    // OnGetCellColor's say on the brush and font a cell is drawn or measured with, and the zoom
    // added to the font size.
    void CellColors(int32_t ARow, int32_t ARealCol, TGridDrawState AState, TBrush& ABrush,
                    TFont& AFont);
    // The width of a cell's widest line in Canvas's font.
    static int32_t WidestLine(TCanvas& Canvas, const std::string& Text);
    void DrawCellText(int32_t ACol, int32_t ARow, int32_t ARealCol, const TRect& ARect,
                      TGridDrawState AState);
    void DrawSortMark(TCanvas& Canvas, int32_t X, const TRect& ARect) const;
    // The picture's size; empty when there is nothing to draw.
    TSize GraphicSize(const TCellGraphic& Graphic) const;
    void DrawCellImage(const TCellGraphic& Graphic, TPoint At);
    void DrawFixedBorders();
    // The frame around the selected cells, inside their edges, so the cells that leave the
    // selection take it away when they are painted again.
    void DrawSelectionFrame();
    // A line of the cell's text as it is drawn: cut to the area with "..." when the grid
    // shortens texts.
    std::string ShownText(TCanvas& Canvas, std::string_view Text, int32_t AreaWidth) const;
    void DrawTextLines(TCanvas& Canvas, const std::vector<std::string>& Lines, const TRect& Area,
                       uint32_t Flags);
    // The picture's top-left corner in the cell, by its placements.
    TPoint ImagePlace(const TCellGraphic& Graphic, TSize Size, const TRect& ARect,
                      TAlignment Alignment, int32_t TextLeft, int32_t TextWidth);
    bool FStretching = false;

    // Cursors over special cells, the wheel and panning (AdvGridPointer.cpp, AdvGridPan.cpp).
    void LoadPointerSettings();
    // The grid's own cursor over the cell at the client point; crDefault for none.
    TCursor CellCursorAt(int32_t X, int32_t Y);
    void UpdateCellCursor(int32_t X, int32_t Y);
    // One notch of the wheel; Towards is a turn towards the user.
    void WheelNotch(TShiftState Shift, bool Towards);
    void StartPanning(TPoint At);
    void EndPanning();
    void PanTick();
    void DrawPanAnchor();
    TRect PanAnchorRect() const;
    TCursor FOwnerCursor = crDefault;
    bool FCellCursorShown = false;
    int32_t FWheelScrollLines = 3;
    bool FPanning = false;
    TPoint FPanAnchor{0, 0};
    std::unique_ptr<TTimer> FPanTimer;
    std::unique_ptr<TBitmap> FPanAnchorPicture;

    // Special editors (AdvGridEditors.cpp). The editors are the grid's components, made the
    // first time a cell asks for them.
    // Asks OnGetEditorType; true when the cell takes no in-place editor.
    bool ShowSpecialEditor();
    void FillSpecialEditor(TWinControl& Editor, const std::string& Text);
    // The value the editor writes back; false for the kinds that write none.
    bool SpecialEditorValue(TWinControl& Editor, std::string& Value);
    // The editor is done: its value goes into the cell (Escape puts the selected text back)
    // and it hides; the grid takes the focus when the editor had it or FocusGrid asks.
    void SpecialEditorDone(bool Escaped, bool FocusGrid);
    // A key that ended the editor comes to the grid as a key of its own.
    void SpecialEditorKey(uint16_t Key, TShiftState Shift);
    void EditorEllipsisClick(TWinControl& Editor);
    std::array<TWinControl*, etButton + 1> FSpecialEditors{};
    // The common controls have the date picker from version 4.70 on.
    bool FDatePickerAvailable = false;
    TWinControl* FSpecialEditor = nullptr;
    TEditorType FEditorType = etInplace;
    // The cell (real column) the special editor was filled from.
    int32_t FSpecialCol = -1;
    int32_t FSpecialRow = -1;
    // What the editor would write back for the value it was filled with: an editor left as it
    // was shown leaves the cell's own text.
    std::string FSpecialShownValue;
    bool FClosingSpecialEditor = false;

    // The text file (AdvGridFile.cpp) and the registry widths (AdvGridColumnWidths.cpp).
    void ReadColumnWidths();
    void WriteColumnWidths();
    bool KeepsColumnWidths() const;
    void TakeLoadedCurrentText();

    // Sorting (AdvGridSort.cpp): a header click at the client point, and the row sort on
    // SortColumn in SortDirection, which keeps the current record current. A handler of the
    // sort's events may free the grid: the sort then stops without touching it again.
    class TRowQuickSort;
    friend class TAdvGridSortTester;     // the sort's tests click without a mouse
    friend class TAdvGridEditorsTester;  // the editors' tests take the picker away
    void HeaderClickSort(int32_t X, int32_t Y);
    void SortRows();

    // The properties.
    bool FAutoSize = false;
    TVAlignment FVAlignment = vtaCenter;
    bool FEnhRowColMove = false;
    bool FSizeWithForm = false;
    bool FEnableGraphics = false;
    TColor FHintColor = clYellow;
    bool FHintShowCells = false;
    TColor FSelectionColor = clHighlight;
    TColor FSelectionTextColor = clHighlightText;
    bool FSelectionRectangle = false;
    TNavigation FNavigation;
    TColumnSize FColumnSize{*this};
    TMouseActions FMouseActions;
    TImageList* FGridImages = nullptr;
    bool FURLShow = false;
    bool FURLEdit = false;
    bool FURLFull = false;
    TColor FURLColor = clBlack;
    bool FEnhTextSize = false;
    bool FMultilinecells = false;
    bool FWordWrap = false;
    TIntelliPan FIntelliPan = ipVertical;
    TSizeWhileTyping FSizeWhileTyping;
    std::unique_ptr<TStringList> FLookupItems;
    bool FLookup = false;
    bool FLookupHistory = false;
    int32_t FFixedFooters = 0;
    int32_t FFixedRightCols = 0;
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<TStringList> FRowHeaders;
    bool FSortFixedCols = false;
    bool FSortShow = false;
    int32_t FSortColumn = 0;
    TSortDirection FSortDirection = sdAscending;
    TPrintsettings FPrintSettings;

    // Hidden columns: one flag per real column.
    std::array<bool, MaxAdvGridColumns> FVisible;
    int32_t FHiddenColCount = 0;
    int32_t FZoomFactor = 0;

    // Editing: the current cell's text when it was selected (Escape puts it back), and the
    // cell and its text when editing began (for OnCellValidate). Cells are real indexes.
    std::string FSelectedText;
    int32_t FSelectedCol = -1;
    int32_t FSelectedRow = -1;
    int32_t FEditCol = -1;
    int32_t FEditRow = -1;
    std::string FEditText;
    bool FHasFocus = false;
    // The cell (display index) the left button went down on, to tell a click on a header from
    // a drag that moved its column.
    TGridCoord FPressCell{-1, -1};
    // EnhRowColMove keeps the grid from painting while the left button is down.
    bool FRedrawSuspended = false;

    // Selection and editing (AdvGridInput.cpp); columns are display indexes.
    void Click() override;
    void WMCancelMode(TMessage& Message) override;
    bool IsDataCell(int32_t ACol, int32_t ARow) const;
    TCellGraphic* CheckBoxAt(int32_t ACol, int32_t ARow) const;
    bool IsCheckBoxCell(int32_t ACol, int32_t ARow) const {
        return CheckBoxAt(ACol, ARow) != nullptr;
    }
    void ToggleCheckBox(int32_t ACol, int32_t ARow);
    // The text Escape puts back into the cell (display column) that is current from now on.
    void NoteSelectedText(int32_t ACol, int32_t ARow);
    // Every data cell: neither fixed, nor footer, nor right fixed.
    TGridRect DataCells() const;
    void ResumeRedraw();

    // Keys (AdvGridKeys.cpp).
    void RestoreSelectedText();
    void AdvanceAfterEnter();
    // Count data rows or columns after the last ones, before the footers or right fixed columns.
    void AppendDataRow(int32_t Count);
    void AppendDataCol(int32_t Count);
    void GotoRowStartingWith(char Key);
    void InsertRowAtCurrent();
    void DeleteCurrentRow();
    bool ClipboardShortCut(uint16_t Key, TShiftState Shift);

    // Mouse (AdvGridMouse.cpp).
    void OpenLinkCell(int32_t ACol, int32_t ARow);
    bool IsLinkCell(int32_t ACol, int32_t ARow) const;
    void SelectFromFixedCell(TGridCoord Cell, int32_t X, int32_t Y);
    void RightPress(TGridCoord Cell);
    void MoveDraggedLine(bool Columns, TPoint At);

    // Clipboard (AdvGridClipboard.cpp).
    std::string SelectionText() const;
    // The real indexes of Count display columns from FromDisplay on, in one walk.
    std::vector<int32_t> RealCols(int32_t FromDisplay, int32_t Count) const;

    // The owner form's size at the last resize, and the subscriptions ended with the grid.
    int32_t FFormWidth = 0;
    int32_t FFormHeight = 0;
    TSubscription FResizeSubscription;
    TSubscription FHintSubscription;
};

}  // namespace vex
