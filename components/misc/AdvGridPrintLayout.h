#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "components/misc/AdvGridPrintSettings.h"
#include "platform/core/datetime.h"

namespace vex {

// Where the grid's printout goes on its pages, worked out from numbers alone so that it can be
// checked without a printer. Lengths are print units (tenths of a millimetre) measured from
// the printable area's top-left corner, y growing down the page; the drawing turns them into
// the canvas's metric coordinates.

// What the cells measured, in print units at scale 1.
struct TPrintMeasures {
    // One per printed column (the visible ones, in display order): its widest cell, the widest
    // line in the cell's print font plus the letter "a". Only the count matters with
    // UseFixedWidth.
    std::vector<int64_t> ColumnWidths;
    // How many of the printed columns, from the left, are fixed.
    int32_t FixedCols = 0;
    int32_t CellLineHeight = 0;
    int32_t HeaderLineHeight = 0;
    int32_t FooterLineHeight = 0;
    // The letter "a" in the cell font.
    int32_t LetterWidth = 0;
    // The most lines any cell holds.
    int64_t MaxLines = 1;
};

// One column as a band places it: Left and the Width it takes, its gap to the next included.
struct TPrintBandColumn {
    int32_t Column = 0;
    int64_t Left = 0;
    int64_t Width = 0;

    friend bool operator==(const TPrintBandColumn&, const TPrintBandColumn&) = default;
};
using TPrintBand = std::vector<TPrintBandColumn>;

struct TPrintLayout {
    int64_t PageWidth = 0;
    int64_t PageHeight = 0;
    double Scale = 1;
    // Space after each column.
    int64_t Gap = 0;
    // The printed columns' widths, scaled, without the gap.
    std::vector<int64_t> ColumnWidths;
    // The pages across: each band's rows print on pages of their own, the first band first.
    std::vector<TPrintBand> Bands;
    int64_t HeaderHeight = 0;
    int64_t FooterHeight = 0;
    // Tops of the header's and the footer's line of text.
    int64_t HeaderTextTop = 0;
    int64_t FooterTextTop = 0;
    // The margins header and footer texts keep to.
    int64_t TextLeft = 0;
    int64_t TextRight = 0;
    // How far cell text keeps from its cell's left and right.
    int64_t TextInset = 0;

    // The rows go between the header and the footer.
    int64_t RowsTop() const { return HeaderHeight; }
    int64_t RowsBottom() const { return PageHeight - FooterHeight; }
    int64_t RowRoom() const { return RowsBottom() - RowsTop(); }
};

// OnFitToPage: the computed scale, which the handler may change, and whether to apply it.
using TFitToPageAsk = std::function<void(double& ScaleFactor, bool& Allow)>;

// The whole layout across the page. A negative length in the settings, margins that leave no
// room on the page, or a scale from Ask that is not a positive number raise EPrinter.
TPrintLayout LayoutPrint(const TPrintsettings& Settings, const TPrintMeasures& Measures,
                         int64_t PageWidth, int64_t PageHeight, const TFitToPageAsk& Ask);

// The scale that fits Sum (the columns' widths) into Room (the width the gaps leave); 1 when
// there is nothing to scale or no room to scale it into.
double FitToPageScale(TFitToPage Mode, int64_t Room, int64_t Sum, const TFitToPageAsk& Ask);

// The columns, by index, of each band: as many as fit into Room by their pitches, at least one
// each, so that every band makes progress. With RepeatFixed each band after the first starts
// with the FixedCols leading columns again, unless they would leave its first column no room.
std::vector<std::vector<int32_t>> CutIntoBands(const std::vector<int64_t>& Pitches,
                                               int32_t FixedCols, bool RepeatFixed, int64_t Room);

// The header or footer text of one position: the items placed there, in the order time, date,
// page number and title, apart by single blanks. When is the time of printing.
std::string PrintPositionText(const TPrintsettings& Settings, TPrintPosition Where, int32_t PageNr,
                              TDateTime When);

// Decides row by row where the rows of one band go. The band's first page is open when it
// starts. A row goes on a new page when the page holds rows and it does not fit below them, or
// when a new page was asked for; a page that holds no row yet takes the row whatever its
// height, so every page makes progress and none is left blank. On a new page the fixed rows
// come first again, when asked to and when they leave the row its room.
class TPrintPaginator {
public:
    // RepeatedHeight: the fixed rows' height with RepeatFixedRows, else 0.
    TPrintPaginator(int64_t Room, int32_t FixedRows, int64_t RepeatedHeight);

    struct TPlace {
        // Finish the page and start another before the row.
        bool NewPage = false;
        // The fixed rows print at the new page's top first.
        bool RepeatFixedRows = false;
        // The row's top below the first row's place on its page.
        int64_t Top = 0;
    };
    TPlace Place(int32_t Row, int64_t Height, bool NewPageAsked);

private:
    int64_t FRoom;
    int32_t FFixedRows;
    int64_t FRepeatedHeight;
    int64_t FUsed = 0;
    int64_t FRowsOnPage = 0;
};

}  // namespace vex
