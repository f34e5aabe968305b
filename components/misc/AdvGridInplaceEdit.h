#pragma once

#include <cstdint>

#include "platform/ui/inplaceedit.h"

namespace vex {

class TAdvStringGrid;

// The advanced grid's in-place editor: right-aligned for a cell its owner aligns right, wrapping
// with the grid's WordWrap, completing typed text from the grid's LookupItems, growing the row
// or column while typing, and moving on by itself once a fixed-size entry is full.
class TAdvInplaceEdit : public TInplaceEdit {
    VEX_CLASS(TAdvInplaceEdit, TInplaceEdit)

public:
    explicit TAdvInplaceEdit(TAdvStringGrid& Grid);

    bool valign() const { return FValign; }
    void Setvalign(bool Value);
    bool wordwrap() const { return WordWrap(); }
    void Setwordwrap(bool Value) { SetWordWrap(Value); }

    // Takes the cell's text, and its alignment from the grid's owner.
    void UpdateContents() override;

protected:
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void WMChar(TMessage& Message) override;
    void Change() override;
    void DoExit() override;

private:
    // Completes the text from LookupItems, the completed part selected.
    void Complete();
    void GrowCell();
    // The entry is full: a mask with no blank left, or the length limit reached.
    bool EntryComplete();

    TAdvStringGrid& FAdvGrid;
    bool FValign = false;
    // Backspace and Delete hold completion off until another key.
    bool FCompletionHeld = false;
    bool FCompleting = false;
};

}  // namespace vex
