#pragma once

#include <cstdint>

#include "platform/gfx/bitmap.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/customedit.h"

namespace vex {

// A small "..." push button in a frame of its own. A left press fires OnClick and then hands
// the focus to FocusControl (say, the edit the button belongs to). It is never less than 15
// pixels high, and its push button always fills it.
class TEditButton : public TWinControl {
    VEX_CLASS(TEditButton, TWinControl)

public:
    explicit TEditButton(TComponent* AOwner);

    // A nil glyph leaves the one the button has.
    void SetGlyph(const TBitmap* Value);
    const TBitmap& Glyph() const { return FButton->Glyph(); }
    TNumGlyphs NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }
    // Cleared when the control is freed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    TBitBtn* Button() const { return FButton; }

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    void Loaded() override;

private:
    void ButtonMouseDown(TMouseButton Button);
    void FillWithButton();

    TBitBtn* FButton;
    TWinControl* FFocusControl = nullptr;
};

// A one-line edit with a TEditButton inside its right edge; the text is laid out left of the
// button, so it scrolls there and never runs under it. A click on the button fires
// OnClickBtn and leaves the focus in the edit. While EditorEnabled is off nothing can be pasted
// or cut, whatever ReadOnly says of typing.
class TEditBtn : public TCustomEdit {
    VEX_CLASS(TEditBtn, TCustomEdit)

public:
    explicit TEditBtn(TComponent* AOwner);

    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    // Every way of cutting and pasting (keys, messages, the context menu) comes here.
    void CutToClipboard() override;
    void PasteFromClipboard() override;
    TEditButton* Button() const { return FButton; }
    // The font's row and a quarter of the smaller of it and the system font, with the border:
    // any lower and the text would not show whole.
    int32_t MinHeight();

    TNotifyEvent OnClickBtn;

protected:
    // Fires OnClickBtn with Sender, the embedded button.
    virtual void BtnClick(TObject* Sender);

    void CreateWnd() override;
    void Resize() override;
    void DoEnter() override;
    // Left empty: the edit tells of presses (OnMouseDown) but never of releases (OnMouseUp).
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

private:
    void PlaceButton();
    void SetEditRect();

    TEditButton* FButton;
    bool FEditorEnabled = true;
};

}  // namespace vex
