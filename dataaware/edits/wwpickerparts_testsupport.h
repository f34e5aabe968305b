#pragma once

// A stand-in for the date/time picker around the part editor: an edit on a shown form that
// keeps the value and its limits, routes its keys, clicks and clipboard to the part editor, and
// counts what the part editor asks of it.

#include <string>

#include "dataaware/edits/wwpickerparts.h"
#include "platform/core/datetime.h"
#include "platform/ui/customedit.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/caret.h"

namespace vex::test {

class TPartsHostEdit : public TCustomEdit, public TwwPickerPartsHost {
public:
    explicit TPartsHostEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

    TwwPickerParts Parts{*this};
    TDateTime Value = 0;
    TDateTime Entry = 0;
    TDateTime Min = 0, Max = 0;
    TDateTime Clock = 0;
    TwwPickerPartsKind Kind = TwwPickerPartsKind::DateAndTime;
    bool DateOnly = false;
    bool DateTimeField = false;
    std::string Format = "c";
    int32_t EpochYear = 1950;
    TwwCalDayOfWeek FirstDay = wwdowSunday;
    bool Empty = false;
    bool MayModify = true;
    bool SourceSet = false, FieldNameSet = false, FieldBound = false, Required = false;
    bool Consumed = false;
    int Beeps = 0;
    int LinkEdits = 0;

    // Shows Value as the picker does when it is entered.
    void Show(TDateTime AValue) {
        Value = AValue;
        SetText(TextOfValue(Value));
        Parts.HighlightCurrentPart();
    }

    TDateTime PickerValue() override { return Value; }
    // As the picker's: an unchanged value changes nothing, and the edit keeps its modified flag.
    void SetPickerValue(TDateTime AValue) override {
        if (AValue != 0 && AValue == Value) return;
        const bool modified = TCustomEdit::Modified();
        if (AValue != 0 && Kind != TwwPickerPartsKind::TimeOnly) {
            const int32_t day = SplitDateTime(AValue).Day;
            if (day > SplitDateTime(wwEffectiveMaxDate(Max)).Day ||
                day < SplitDateTime(wwEffectiveMinDate(Min)).Day)
                throw EDateTimeError("Date out of range");
        }
        Value = AValue;
        if (Text() != TextOfValue(Value)) SetText(TextOfValue(Value));
        Parts.HighlightCurrentPart();
        TCustomEdit::SetModified(modified);
    }
    void SetDate(TDateTime AValue) override {
        if (Kind == TwwPickerPartsKind::TimeOnly) return;
        const TDateTimeParts parts = SplitDateTime(Value);
        SetPickerValue(
            AValue == 0 && parts.MSec == 0
                ? 0
                : ComposeDateTime(TDateTimeParts{SplitDateTime(AValue).Day, parts.MSec}));
    }
    void SetTime(TDateTime AValue) override {
        if (Kind == TwwPickerPartsKind::Date) return;
        SetPickerValue(
            ComposeDateTime(TDateTimeParts{SplitDateTime(Value).Day, SplitDateTime(AValue).MSec}));
    }
    TDateTime EntryValue() override { return Entry; }
    TwwPickerPartsKind PartsKind() override { return Kind; }
    bool IsDateOnly() override { return DateOnly; }
    bool IsDateTimeField() override { return DateTimeField; }
    std::string EffectiveFormat() override { return Format; }
    bool IsCFormat() override { return Format == "c"; }
    std::string TextOfValue(TDateTime AValue) override {
        if (SplitDateTime(AValue).Day == 0 && Kind != TwwPickerPartsKind::TimeOnly) return "";
        return FormatDateTime(Format, AValue);
    }
    std::string DisplayText() override {
        return Empty && Value == 0 ? std::string() : TextOfValue(Value);
    }
    int32_t Epoch() override { return EpochYear; }
    TDateTime MinDate() override { return Min; }
    TDateTime MaxDate() override { return Max; }
    TwwCalDayOfWeek FirstDayOfWeek() override { return FirstDay; }
    bool EmptyFlag() override { return Empty; }
    void SetEmptyFlag(bool AValue) override { Empty = AValue; }
    bool Modified() override { return TCustomEdit::Modified(); }
    void SetModified(bool AValue) override { TCustomEdit::SetModified(AValue); }
    bool EditCanModify() override { return MayModify; }
    bool LinkEdit() override {
        ++LinkEdits;
        return MayModify;
    }
    void LinkReset() override { Show(Entry); }
    bool HasDataSource() override { return SourceSet; }
    bool HasDataField() override { return FieldNameSet; }
    bool HasField() override { return FieldBound; }
    bool FieldRequired() override { return Required; }
    bool FieldAcceptsChar(char Ch) override { return Ch >= '0' && Ch <= '9'; }
    bool IsDroppedDown() override { return false; }
    bool EscapeConsumed() override { return Consumed; }
    void SetEscapeConsumed(bool AValue) override { Consumed = AValue; }
    TDateTime Now() override { return Clock; }
    void Beep() override { ++Beeps; }
    TCustomEdit& EditWindow() override { return *this; }
    bool ReplaceText(const std::string& AText) override {
        const std::weak_ptr<const void> life = LifeToken();
        SetText(AText);
        return !life.expired();
    }
    void ShowEditCaret(bool AShow) override {
        // The platform's caret hiding nests; the picker's does not.
        if (AShow == FCaretShown) return;
        FCaretShown = AShow;
        if (AShow)
            ShowCaret(Handle());
        else
            HideCaret(Handle());
    }
    int32_t TextLeft() override { return 2; }
    int32_t TextWidth(std::string_view AText) override {
        return static_cast<int32_t>(AText.size()) * 8;
    }
    void TakeFocus() override { SetFocus(); }
    void DefaultCut() override { TCustomEdit::CutToClipboard(); }
    void DefaultPaste() override { TCustomEdit::PasteFromClipboard(); }

    // The selected text, as the highlight shows it.
    std::string Highlighted() { return SelText(); }

protected:
    bool UserMayEdit() const override { return !TCustomEdit::ReadOnly() && MayModify; }
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        TCustomEdit::KeyDown(Key, Shift);
        Parts.KeyDown(Key, Shift);
    }
    void KeyPress(char& Key) override {
        TCustomEdit::KeyPress(Key);
        Parts.KeyPress(Key);
    }
    void WMLButtonDown(TMessage& Message) override {
        Parts.MouseDown(static_cast<int16_t>(LOWORD(Message.LParam)));
    }
    void WMLButtonDblClk(TMessage&) override { Parts.DoubleClick(); }
    void CutToClipboard() override { Parts.Cut(); }
    void PasteFromClipboard() override { Parts.Paste(); }

private:
    bool FCaretShown = true;
};

}  // namespace vex::test
