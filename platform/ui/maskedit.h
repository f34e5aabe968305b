#pragma once

#include <cstdint>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/ui/customedit.h"
#include "platform/ui/editmask.h"

namespace vex {

// A masked edit's text does not fill its mask.
VEX_EXCEPTION(EDBEditError, Exception);

// An edit whose text follows an edit mask (editmask.h). While masked it shows the mask's
// literals and blanks, and typing overwrites one position at a time: the character under the
// cursor is selected, literals are stepped over, Backspace and Delete leave blanks, a paste
// goes through the mask as typing would. Escape brings back the text of when editing began.
// Leaving the control checks the text: one that does not fill the mask keeps the focus and
// reports EDBEditError. Without a mask it is a plain edit.
class TCustomMaskEdit : public TCustomEdit {
    VEX_CLASS(TCustomMaskEdit, TCustomEdit)

public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    // Setting a mask lays the current text out on it and limits the length to the mask's.
    const std::string& EditMask() const { return FEditMask; }
    void SetEditMask(const std::string& Value);
    bool IsMasked() const { return FMask.IsMasked(); }
    // While masked the limit is the mask's length, whatever is asked: a shorter one would cut
    // the edit text short of its mask.
    void SetMaxLength(int32_t Value);

    // What the control shows: literals and blanks included.
    std::string EditText() { return TCustomEdit::Text(); }
    void SetEditText(const std::string& Value);
    // What it stores: the edit text with literals or without them, as the mask's save field
    // says, blanks as spaces; setting it lays the text out on the mask.
    std::string Text();
    void SetText(const std::string& Value);

    // Raises EDBEditError, with the cursor on the first position in error and the focus here,
    // when the user changed a text that does not fill the mask.
    virtual void ValidateEdit();
    // Brings back the text of when editing began, when the user changed it.
    void Reset();

    // Cut and paste go through the mask, as typing does.
    void CutToClipboard() override;
    void PasteFromClipboard() override;

protected:
    // Reports an invalid text: beeps and raises EDBEditError.
    virtual void ValidateError();

    // A change that came another way (a program's SelText, an undo, a menu's paste) is put
    // through the mask before OnChange hears of it.
    void Change() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoEnter() override;
    void CMExit(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

private:
    // Selects the position the next character goes to (nothing at the end).
    void SetCursor(int32_t Pos);
    // An empty selection becomes the cursor on the nearest data position.
    void CheckCursor();
    // Makes the edit text Value as the user's change, with the cursor at Cursor.
    void UserChange(const std::string& Value, int32_t Cursor);
    // Sets the edit text as it stands, knowing it fits the mask.
    void ApplyEditText(const std::string& Value);
    // Types what a change from elsewhere put in place of what it took out, over FShown.
    void ConformToMask(const std::string& Changed);
    // Types Text at the selection, which is blanked first.
    void InputText(const std::string& Text);
    void DeleteKeys(uint16_t Key);
    void ArrowKeys(uint16_t Key);
    void CutMasked();
    void PasteMasked();
    bool CanEdit();

    std::string FEditMask;
    TEditMask FMask;
    // The edit text when the control was entered, for Reset.
    std::string FOldValue;
    // Set while a failed check takes the focus back, so that entering again keeps FOldValue.
    bool FReEnter = false;
    // The edit text as the mask last laid it out, and whether a change now is the mask's own.
    std::string FShown;
    bool FApplying = false;
};

class TMaskEdit : public TCustomMaskEdit {
    VEX_CLASS(TMaskEdit, TCustomMaskEdit)

public:
    using TCustomMaskEdit::TCustomMaskEdit;
};

}  // namespace vex
