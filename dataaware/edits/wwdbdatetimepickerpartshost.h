#pragma once

// The picker as its part editor's host: a class apart, so that the names the host asks for
// (Modified, SetDate, Epoch ...) do not hide or clash with the picker's own.

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwpickerpartshost.h"

namespace vex {

class TwwDBCustomDateTimePicker::TPartsHost final : public TwwPickerPartsHost {
public:
    explicit TPartsHost(TwwDBCustomDateTimePicker& Picker) : P(Picker) {}

    TDateTime PickerValue() override;
    void SetPickerValue(TDateTime Value) override;
    void SetDate(TDateTime Value) override;
    void SetTime(TDateTime Value) override;
    TDateTime EntryValue() override;
    TwwPickerPartsKind PartsKind() override;
    bool IsDateOnly() override;
    bool IsDateTimeField() override;
    std::string EffectiveFormat() override;
    bool IsCFormat() override;
    std::string TextOfValue(TDateTime Value) override;
    std::string DisplayText() override;
    int32_t Epoch() override;
    TDateTime MinDate() override;
    TDateTime MaxDate() override;
    TwwCalDayOfWeek FirstDayOfWeek() override;
    bool EmptyFlag() override;
    void SetEmptyFlag(bool Value) override;
    bool Modified() override;
    void SetModified(bool Value) override;
    bool EditCanModify() override;
    bool LinkEdit() override;
    void LinkReset() override;
    bool HasDataSource() override;
    bool HasDataField() override;
    bool HasField() override;
    bool FieldRequired() override;
    bool FieldAcceptsChar(char Ch) override;
    bool IsDroppedDown() override;
    bool EscapeConsumed() override;
    void SetEscapeConsumed(bool Value) override;
    TDateTime Now() override;
    void Beep() override;
    TCustomEdit& EditWindow() override;
    bool ReplaceText(const std::string& Text) override;
    void ShowEditCaret(bool Show) override;
    int32_t TextLeft() override;
    int32_t TextWidth(std::string_view Text) override;
    void TakeFocus() override;
    void DefaultCut() override;
    void DefaultPaste() override;

private:
    TwwDBCustomDateTimePicker& P;
};

}  // namespace vex
