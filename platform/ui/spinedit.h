#pragma once

#include <cstdint>

#include "platform/ui/customedit.h"
#include "platform/ui/spinbutton.h"

namespace vex {

// An edit of a whole number with a spin button at its right: the buttons and the Up and Down
// keys step Value by Increment within MinValue and MaxValue (both 0: no limit). Only digits and a
// sign can be typed, and nothing at all while EditorEnabled is off; a text out of range or not a
// number is put right when the focus leaves.
class TSpinEdit : public TCustomEdit {
    VEX_CLASS(TSpinEdit, TCustomEdit)

public:
    explicit TSpinEdit(TComponent* AOwner);

    // The number the text holds, a longer one at the end of the 32-bit range it passes;
    // MinValue when it holds none.
    int32_t Value();
    // Sets the text to Value, kept within the limits.
    void SetValue(int32_t Value);
    int32_t MinValue() const { return FMinValue; }
    void SetMinValue(int32_t Value) { FMinValue = Value; }
    int32_t MaxValue() const { return FMaxValue; }
    void SetMaxValue(int32_t Value) { FMaxValue = Value; }
    int32_t Increment() const { return FIncrement; }
    void SetIncrement(int32_t Value) { FIncrement = Value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }

    TSpinButton* Button() const { return FButton; }

protected:
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);
    // Value kept within MinValue and MaxValue, when they limit it.
    int64_t CheckValue(int64_t NewValue) const;
    // Only digits, a sign and the editing control characters, and none of them while the
    // editor is off.
    virtual bool IsValidChar(char Key) const;

    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void CMExit(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void Resize() override;
    bool UserMayEdit() const override;

private:
    void Step(int64_t By);
    // Keeps the text clear of the button.
    void PlaceButton();

    TSpinButton* FButton;
    int32_t FMinValue = 0;
    int32_t FMaxValue = 0;
    int32_t FIncrement = 1;
    bool FEditorEnabled = true;
};

}  // namespace vex
