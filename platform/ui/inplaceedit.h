#pragma once

#include <cstdint>

#include "platform/core/types.h"
#include "platform/ui/maskedit.h"

namespace vex {

class TCustomGrid;

// The editor a grid lays over its current cell. It takes its text, mask and length limit from
// the grid's editor hooks, asks the grid before it lets a character in or a key change the
// text, and hands the grid the keys that move between cells: Up, Down, Page Up, Page Down,
// Tab, Enter and Escape always, Left and Right (and Home and End) at the text's edges. Its
// text goes back to the cell when the grid hides it. A descendant may align the text to the
// right or wrap it.
class TInplaceEdit : public TCustomMaskEdit {
    VEX_CLASS(TInplaceEdit, TCustomMaskEdit)

public:
    // The owner is the grid the editor serves.
    explicit TInplaceEdit(TComponent* AOwner);
    // Tells the grid first: destroying the window moves the focus, and the grid leaving its
    // editor must not read an editor that is half gone.
    ~TInplaceEdit() override;

    TCustomGrid* Grid() const { return FGrid; }

    // Takes the grid's text, mask and limit for the cell being edited, all of it selected.
    virtual void UpdateContents();
    // Places the editor over Loc (the grid's client coordinates) and shows it, with the focus
    // when the grid has it.
    void Move(const TRect& Loc);
    // Hides the editor, handing the focus back to the grid when the editor had it.
    void HideEditor();
    // Places the editor again without showing or focusing it.
    void UpdateLoc(const TRect& Loc);
    // Leaves the caret at the end with nothing selected.
    void Deselect();

protected:
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    // Hands the key to the grid, as if the grid had it: the grid may move to another cell.
    void SendToParent(uint16_t& Key, TShiftState Shift);

    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Change() override;
    void Resize() override;
    void DblClick() override;
    LRESULT DialogCode() override;

private:
    friend class TCustomGrid;

    // The caret stands at the start (or at the end) of the text with nothing else selected, or
    // the whole text is selected.
    bool AtLeftEdge() const;
    bool AtRightEdge() const;
    // Lays the text out in the cell's text area: from its left, or ending at its right while a
    // right-aligned text fits.
    void UpdateTextArea();

    TCustomGrid* FGrid = nullptr;
    TAlignment FAlignment = taLeftJustify;
    bool FWordWrap = false;
};

}  // namespace vex
