#pragma once

#include <cstdint>

#include "platform/core/set.h"
#include "platform/ui/inputevents.h"

namespace vex {

class TControl;

// The options of the data-aware grid, in its order.
enum TwwDBGridOption {
    dgEditing,
    dgAlwaysShowEditor,
    dgTitles,
    dgIndicator,
    dgColumnResize,
    dgColLines,
    dgRowLines,
    dgTabs,
    dgRowSelect,
    dgAlwaysShowSelection,
    dgConfirmDelete,
    dgCancelOnExit,
    dgWordWrap,
    dgPerfectRowFit,
    dgMultiSelect,
    dgShowFooter,
    dgFooter3DCells,
    dgNoLimitColSize,
    dgTrailingEllipsis
};
using TwwDBGridOptions = TSet<TwwDBGridOption, 32>;

// What an editor placed in the data-aware grid asks of it; the grid implements it. The editors
// know the grid only through this, so they build and test without it.
class TwwEditorGrid {
public:
    virtual ~TwwEditorGrid() = default;
    virtual TwwDBGridOptions GridOptions() const = 0;
    // Whether the grid holds the focus itself (not through its editor).
    virtual bool GridFocused() = 0;
    // The grid's own key-down handling, for a key its editor hands on; Key may be cleared.
    virtual void GridKeyDown(uint16_t& Key, TShiftState Shift) = 0;
};

// The editor's parent is the data-aware grid (a class named "TwwDBGrid" or derived from one).
bool wwInGrid(const TControl* Editor);
// The grid the editor sits in, when its parent tells what an editor asks; nil otherwise.
TwwEditorGrid* wwEditorGrid(const TControl* Editor);
// In the grid with a field bound (FieldBound: the editor's data link has one), and the grid has
// the focus.
bool wwIsEditingInFocusedGrid(const TControl* Editor, bool FieldBound);
// The options of the grid the editor is in; empty outside one, or for a grid that does not
// tell them.
TwwDBGridOptions wwGetGridOptions(const TControl* Editor);
// Gives the editor's grid the focus and, once it has it, the key through its key-down handling.
// False when the editor is in no such grid or the grid could not take the focus.
bool wwHandKeyToGrid(const TControl* Editor, uint16_t Key, TShiftState Shift);

}  // namespace vex
