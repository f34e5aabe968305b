#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "dataaware/data/Wwpict.h"
#include "dataaware/data/wwdataaware.h"
#include "platform/core/types.h"
#include "platform/ui/maskedit.h"

namespace vex {

class TCanvas;
class TDataSet;
class TField;
class TFieldDataLink;
class TwwCustomMaskEdit;

using TwwValidateEvent = std::function<void(TObject* Sender, bool PassesPictureTest)>;

enum TwwEditDataType { wwDefault, wwEdtDate, wwEdtTime, wwEdtDateTime };

// The picture settings of one edit. While the edit is bound to a field of a library dataset,
// mask and auto-fill live in the dataset's PictureMasks entry for the field, so every control on
// that field shares them; otherwise the record keeps its own values.
class TwwDBPicture : public TPersistent {
    VEX_CLASS(TwwDBPicture, TPersistent)

public:
    explicit TwwDBPicture(TwwCustomMaskEdit* AOwner);

    std::string PictureMask() const;
    // A table that defines its own picture for the field keeps it: the user is told, and
    // nothing changes.
    void SetPictureMask(const std::string& Value);
    bool AutoFill() const;
    void SetAutoFill(bool Value);
    // Always false while bound: a record that fails its picture must not be posted.
    bool AllowInvalidExit() const;
    void SetAllowInvalidExit(bool Value);

    // Copies mask and auto-fill, not AllowInvalidExit.
    void Assign(const TPersistent* Source) override;

    // Whether the owner is bound to a field.
    bool Bound() const;

private:
    TDataSet* BoundDataSet(std::string& FieldName) const;
    // The bound dataset when it keeps a picture entry per field; nil leaves mask and auto-fill
    // to the record, or a picture set on an edit over any other dataset would be lost.
    TDataSet* EntryDataSet(std::string& FieldName) const;

    TwwCustomMaskEdit* FOwner;
    std::string FPictureMask;
    bool FAutoFill = true;
    bool FAllowInvalidExit = false;
};

// An edit whose typing is checked and completed against a picture mask, with an event that
// reports whether the text passes each check.
class TwwCustomMaskEdit : public TCustomMaskEdit {
    VEX_CLASS(TwwCustomMaskEdit, TCustomMaskEdit)

public:
    explicit TwwCustomMaskEdit(TComponent* AOwner);
    ~TwwCustomMaskEdit() override;

    TwwDBPicture& Picture() { return *FPicture; }
    const TwwDBPicture& Picture() const { return *FPicture; }
    void SetPicture(const TwwDBPicture& Value) { FPicture->Assign(&Value); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool UsePictureMask() const { return FUsePictureMask; }
    void SetUsePictureMask(bool Value) { FUsePictureMask = Value; }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value);
    bool ShowVertScrollBar() const { return FShowVertScrollBar; }
    void SetShowVertScrollBar(bool Value);
    // Set when the last exit failed the picture and kept the focus.
    bool InvalidExit() const { return FInvalidExit; }

    // The picture applies: UsePictureMask and a mask.
    bool HasPicture() const;
    // True for an empty text or no picture, else only for a complete match; OnCheckValue hears
    // the answer either way.
    bool IsValidPicture(const std::string& Text);
    // Puts the edit text through the picture, as typing it would.
    void ApplyPicture();

    // The rectangle the text is laid out in, inside the border and the margins.
    virtual void SetEditRect();
    virtual void DoCheckValue(bool PassesPictureTest);

    TwwValidateEvent OnCheckValue;

protected:
    // A character the key types into the text: not a control character, nor the 127 of
    // Ctrl+Backspace, which deletes a word.
    static bool IsPrintable(char Key) {
        return static_cast<unsigned char>(Key) >= 32 && Key != '\x7F';
    }
    // The picture's part of a key press; clears Key when the picture took it, and marks the
    // edit changed when it typed the key. Answers false when the key was refused with a beep.
    bool PictureKeyPress(char& Key);
    // Marking the edit changed; the data-aware edit marks its link too.
    virtual void SetChanged(bool Value);

    // The ES_* styles that word wrap and want returns ask for.
    virtual DWORD WantedEditStyle();
    void UpdateEditStyle();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyPress(char& Key) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    void CMExit(TMessage& Message) override;
    void Resize() override;

private:
    // Matches Typed, the text as the key at Start (replacing Length characters) makes it, and
    // with auto-fill puts literals the mask wants there before the key.
    TwwPictureResult MatchTyped(const std::string& Text, int32_t Start, int32_t Length, char Key,
                                std::string& Typed);

    std::unique_ptr<TwwDBPicture> FPicture;
    bool FWordWrap = false;
    bool FUsePictureMask = true;
    bool FWantReturns = false;
    bool FShowVertScrollBar = false;
    bool FInvalidExit = false;
    bool FChoosingStyle = false;
};

// The data-aware edit of one field, through a field data link; without a binding it edits its
// own text, typed by UnboundDataType. Typed dates and times are completed on the space bar, the
// text is drawn aligned like the field while the control is not focused, and it serves as the
// in-place editor of the library's grid, which gets the keys that move between cells.
class TwwDBCustomEdit : public TwwCustomMaskEdit, public IDataAwareControl {
    VEX_CLASS(TwwDBCustomEdit, TwwCustomMaskEdit)

public:
    explicit TwwDBCustomEdit(TComponent* AOwner);
    ~TwwDBCustomEdit() override;

    // Reads back only a data source of the library's own class.
    TDataSource* DataSource() const override;
    void SetDataSource(TDataSource* Value) override;
    std::string DataField() const override;
    void SetDataField(const std::string& Value) override;
    TField* Field() const;
    TFieldDataLink& DataLink() { return *FDataLink; }

    // The user's setting; the edit itself is also read-only while a bound record is not being
    // edited.
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    bool AutoFillDate() const { return FAutoFillDate; }
    void SetAutoFillDate(bool Value) { FAutoFillDate = Value; }
    TwwEditDataType UnboundDataType() const { return FUnboundDataType; }
    void SetUnboundDataType(TwwEditDataType Value) { FUnboundDataType = Value; }

    // For the combos built on this edit: whether their button acts, and whether a close-up is
    // writing the value now.
    bool ButtonEnabled() const { return FButtonEnabled; }
    void SetButtonEnabled(bool Value) { FButtonEnabled = Value; }
    bool CloseUpInProgress() const { return FCloseUpInProgress; }
    void SetCloseUpInProgress(bool Value) { FCloseUpInProgress = Value; }

    // Whether the user may change the value now.
    virtual bool EditCanModify();
    // Shows the field's value again, or the saved unbound text.
    virtual void Reset();

    // What the control shows while it paints itself.
    virtual std::string GetDisplayText();

protected:
    // False for a control whose text is only chosen (a drop-down list): the caret is hidden
    // on focus.
    virtual bool IsTextEditable() { return true; }
    virtual bool HasButton() const { return false; }
    virtual int32_t ButtonWidth() const { return 0; }
    // Where the button starts, in client coordinates; the client width without one.
    virtual int32_t ButtonLeft() const;
    // The client rectangle less the button.
    virtual TRect GetClientEditRect() const;
    // Draws the display text into Rect, aligned like the field.
    virtual void DrawDisplayText(TCanvas& Canvas, const TRect& Rect);

    // The edit holds a date, a time, or both (field class or UnboundDataType).
    bool IsDate() const;
    bool IsTime() const;
    bool IsDateTime() const;
    // Completes the date or time typed so far on the space bar; true when it took the key.
    bool CompleteDateTime();

    void SetChanged(bool Value) override;
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    DWORD WantedEditStyle() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CNKeyDown(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void CutToClipboard() override;
    void PasteFromClipboard() override;
    bool UserMayEdit() const override;

private:
    bool Bound() const;
    // The edit is read-only by the user's setting, and while a bound record is not edited.
    void SyncReadOnly();
    // The link would let the field be changed.
    bool LinkCanModify() const;
    // Whether the user may change the bound value at all: the link and the field are writable
    // and so is the dataset (a calculated or lookup field counts as writable then).
    bool FieldTakesTyping() const;
    // Puts the link into edit mode for a change the user makes, when the value may change.
    bool EditLink();
    // Readies a bound edit for typing the key; false when the key must be ignored.
    bool MayType();
    // The link goes into edit mode and the edit is marked changed, as a typed key does.
    void BeginChange();
    bool FitsOneLine();
    // MaxLength becomes the size of a string field, unless the user set a limit.
    void TakeFieldLimit(const TField* Field);
    void DataChange(TObject* Sender);
    void EditingChange(TObject* Sender);
    void UpdateData(TObject* Sender);
    void WriteField(TField& Field, const std::string& Text);
    // The keys the grid takes from its in-place editor.
    bool GridTakesKey(uint16_t Key, TShiftState Shift);
    bool InGridEditor() const;
    bool SelfPaints();

    std::unique_ptr<TFieldDataLink> FDataLink;
    bool FAutoFillDate = true;
    TwwEditDataType FUnboundDataType = wwDefault;
    TAlignment FAlignment = taLeftJustify;
    bool FFocused = false;
    std::string FUnboundText;
    // The MaxLength taken from the bound field; 0 when none was.
    int32_t FFieldMaxLength = 0;
    bool FButtonEnabled = true;
    bool FCloseUpInProgress = false;
};

// The edit as forms put it on.
class TwwDBEdit : public TwwDBCustomEdit {
    VEX_CLASS(TwwDBEdit, TwwDBCustomEdit)

public:
    using TwwDBCustomEdit::TwwDBCustomEdit;
};

}  // namespace vex
