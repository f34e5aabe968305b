#pragma once

#include <cstdint>
#include <string>

#include "components/entry/OvcEF.h"
#include "components/entry/OvcPictureMask.h"

namespace vex {

// The entry field with a picture mask: the text is the mask with the value merged into its
// editable positions, and the value is the text with the mask stripped. What a command does
// is left to the descendant; the numeric field is the one this program has.
class TOvcPictureBase : public TOvcBaseEntryField {
    VEX_CLASS(TOvcPictureBase, TOvcBaseEntryField)

public:
    explicit TOvcPictureBase(TComponent* AOwner);

    void MoveCaretToEnd() override;
    void MoveCaretToStart() override;
    uint16_t FirstEditPosition() override;
    bool IsEmpty() override;
    std::string GetDisplayString() override;
    void FixOptions() override;
    void SetCaretPosition(int32_t Pos) override;
    bool ValidateContents(bool ReportError) override;
    // Run before each edit: floating currency and separators come out of the text so that the
    // digits can be edited, and go back when the field is left.
    virtual void PrepareForEdit();

    // The mask engine, reading the user-defined characters the field has now.
    TOvcPictureMask& Picture();

protected:
    void CreateWnd() override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

    // The value text of the field's text.
    std::string StrippedText() const;
    // The field's text for a value given as text.
    std::string MergedText(const std::string& Value);
    // Takes a new mask, keeping the value outside loading; the text is cleared.
    void SetPictureMaskText(const std::string& Value);
    // Classifies the positions of the mask again; run whenever the mask, the window or the
    // focus changes.
    void RebuildFlags();
    TPictureFieldKind FieldKind() const;

private:
    void AlignDecimalsIfModified();

    TOvcPictureMask FPicture;
    // The field shows a real-number type, set when its window is made.
    bool FRealField = false;
};

}  // namespace vex
