#pragma once

#include <cstdint>

#include "dataaware/edits/wwdbedit.h"
#include "platform/ui/speedbutton.h"

namespace vex {

enum TwwComboButtonStyle { cbsEllipsis, cbsDownArrow };

class TwwDBCustomCombo;

// The button inside a combo's right edge. The combo draws its face, so a descendant changes the
// look in one place.
class TwwComboDlgButton : public TSpeedButton {
    VEX_CLASS(TwwComboDlgButton, TSpeedButton)

public:
    TwwComboDlgButton(TComponent* AOwner, TwwDBCustomCombo* ACombo);

protected:
    void Paint() override;

private:
    TwwDBCustomCombo* FCombo;
};

// The data-aware edit with a button inside its right edge that opens and closes a drop-down a
// descendant supplies; the text never runs under the button. The button, Alt+Down and Alt+Up
// open and close it, Enter closes it keeping the choice and Escape dropping it. A combo whose
// text cannot be typed into opens and closes on a click anywhere on it.
class TwwDBCustomCombo : public TwwDBCustomEdit {
    VEX_CLASS(TwwDBCustomCombo, TwwDBCustomEdit)

public:
    explicit TwwDBCustomCombo(TComponent* AOwner);

    TwwComboButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TwwComboButtonStyle Value);
    bool ShowButton() const;
    void SetShowButton(bool Value);

    TWinControl& ButtonPanel() const { return *FButtonPanel; }
    TwwComboDlgButton& Button() const { return *FButton; }

    // Fired by the base drop-down; a combo without it has nothing to drop down.
    TNotifyEvent OnButtonClick;

    // The text never runs under the button.
    void SetEditRect() override;

    virtual bool IsDroppedDown() { return FDroppedDown; }
    virtual void CloseUp(bool Accept);
    virtual void DropDown();
    // Draws the button's face on its canvas; clearing DefaultDrawing keeps the speed button's
    // own painting from running after it.
    virtual void PaintButton(TCanvas& Canvas, const TRect& Rect, bool& DefaultDrawing, bool Enabled,
                             TButtonState State);

protected:
    // The glyph the button shows; none here.
    virtual const TBitmap* ButtonGlyph() { return nullptr; }
    // Whether the text can be typed into; a combo that answers no opens on a click in its text.
    virtual bool IsEditable() { return true; }

    bool HasButton() const override;
    int32_t ButtonWidth() const override;
    int32_t ButtonLeft() const override;

    void CreateParams(TCreateParams& Params) override;
    void Loaded() override;
    void WMSize(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMLButtonDblClk(TMessage& Message) override;
    void WMLButtonUp(TMessage& Message) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;

    // The keys of every combo: Enter and Escape while open, Alt+Down and Alt+Up; true when the
    // key was used.
    bool ComboKey(uint16_t Key, TShiftState Shift);
    void ButtonClick();

private:
    void LayoutButton();
    // A press on a combo that cannot be typed into; false when it went the edit's way.
    bool ToggleByMouse(TMessage& Message);

    // Both are made in the constructor; the edit asks for the button's room before that.
    TWinControl* FButtonPanel = nullptr;
    TwwComboDlgButton* FButton = nullptr;
    TwwComboButtonStyle FButtonStyle = cbsEllipsis;
    bool FDroppedDown = false;
    // The character of the Enter or Escape that closed the drop-down: it belongs to the combo,
    // not to the edit, which would act on it again.
    char FClosingChar = 0;
};

}  // namespace vex
