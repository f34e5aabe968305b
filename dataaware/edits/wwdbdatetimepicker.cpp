#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepickerpartshost.h"
#include "dataaware/edits/wwdbdatetimepickervalues.h"
#include "dataaware/edits/wwpickerparts.h"

#include <algorithm>
#include "dataaware/intl/Wwintl.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/data/datalinks.h"
#include "platform/data/fields.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

[[noreturn]] void RaiseExceedsMaximum(TDateTime MaxDate) {
    throw EDateTimeError("Date exceeds maximum of " + DateToStr(MaxDate));
}

[[noreturn]] void RaiseBelowMinimum(TDateTime MinDate) {
    throw EDateTimeError("Date is less than minimum of " + DateToStr(MinDate));
}

}  // namespace

TwwCalendarOptions::TwwCalendarOptions()
    : FColors(std::make_unique<TwwDateTimeColors>(this)),
      FFont(std::make_unique<TFont>()),
      FPopupYearOptions(std::make_unique<TwwPopupYearOptions>()) {}

TwwCalendarOptions::~TwwCalendarOptions() = default;

TwwDBCustomDateTimePicker::TwwDBCustomDateTimePicker(TComponent* AOwner)
    : TCustomEdit(AOwner),
      FCalendarAttributes(std::make_unique<TwwCalendarOptions>()),
      FDataLink(std::make_unique<TFieldDataLink>()),
      FEpoch(wwGlobalIntl->DefaultEpochYear()),
      FPartsHost(std::make_unique<TPartsHost>(*this)),
      FParts(std::make_unique<TwwPickerParts>(*FPartsHost)) {
    FControlStyle.Include(csReplicatable);
    FDataLink->Control = this;
    FDataLink->OnDataChange = [this](TObject* Sender) { DataChange(Sender); };
    FDataLink->OnUpdateData = [this](TObject* Sender) { UpdateData(Sender); };
    FEmpty = true;

    FButtonPanel = new TWinControl(this);
    FButtonPanel->ControlStyle().Include(csReplicatable);
    FButtonPanel->SetBounds(0, 0, std::max(GetSystemMetrics(SM_CXVSCROLL) + 4, 17), 17);
    FButtonPanel->SetParent(this);
    FButton = new TwwDateComboButton(this);
    FButton->ControlStyle().Include(csReplicatable);
    FButton->SetBounds(0, 0, FButtonPanel->Width(), FButtonPanel->Height());
    FButton->SetWidth(std::max(GetSystemMetrics(SM_CXVSCROLL), 15));
    FButton->SetParent(FButtonPanel);
    FButton->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
    SetParentCtl3D(false);
    SetCtl3D(true);
}

TwwDBCustomDateTimePicker::~TwwDBCustomDateTimePicker() {
    FMouseHook.reset();
    FDataLink->OnDataChange = nullptr;
    FDataLink->OnUpdateData = nullptr;
    FDataLink->SetDataSource(nullptr);
}

void TwwDBCustomDateTimePicker::SetMaxDate(TDateTime Value) {
    if (Value != 0 && FMinDate != 0 && wwMoment(Value) < wwMoment(FMinDate))
        RaiseBelowMinimum(FMinDate);
    FMaxDate = Value;
}

void TwwDBCustomDateTimePicker::SetMinDate(TDateTime Value) {
    if (Value != 0 && FMaxDate != 0 && wwMoment(Value) > wwMoment(FMaxDate))
        RaiseExceedsMaximum(FMaxDate);
    FMinDate = Value;
}

TDateTime TwwDBCustomDateTimePicker::EffectiveMinDate() const {
    return wwEffectiveMinDate(FMinDate);
}

TDateTime TwwDBCustomDateTimePicker::EffectiveMaxDate() const {
    return wwEffectiveMaxDate(FMaxDate);
}

void TwwDBCustomDateTimePicker::SetDateFormat(TDTDateFormat Value) {
    if (FDateFormat == Value) return;
    FDateFormat = Value;
    Refresh();
}

void TwwDBCustomDateTimePicker::SetDisplayFormat(const std::string& Value) {
    if (FDisplayFormat == Value) return;
    FDisplayFormat = Value;
    Refresh();
}

void TwwDBCustomDateTimePicker::SetUnboundDataType(TwwDTEditDataType Value) {
    if (FUnboundDataType == Value) return;
    FUnboundDataType = Value;
    Refresh();
}

bool TwwDBCustomDateTimePicker::IsDateTimeKind() const {
    const TField* field = Field();
    return field != nullptr ? field->DataType() == ftDateTime : FUnboundDataType == wwDTEdtDateTime;
}

bool TwwDBCustomDateTimePicker::IsDateKind() const {
    const TField* field = Field();
    return field != nullptr ? field->DataType() == ftDate : FUnboundDataType == wwDTEdtDate;
}

bool TwwDBCustomDateTimePicker::IsTimeOnlyKind() const {
    const TField* field = Field();
    if (field == nullptr) return FUnboundDataType == wwDTEdtTime;
    return field->DataType() == ftTime ||
           (field->DataType() == ftDateTime && !FFormatParts.HasDate(OwnOrFieldFormat()));
}

bool TwwDBCustomDateTimePicker::IsDateOnlyKind() const {
    const TField* field = Field();
    if (field == nullptr) return FUnboundDataType == wwDTEdtDate;
    return field->DataType() == ftDate ||
           (field->DataType() == ftDateTime && !FFormatParts.HasTime(OwnOrFieldFormat()));
}

const std::string& TwwDBCustomDateTimePicker::OwnOrFieldFormat() const {
    return FDisplayFormat.empty() && Field() != nullptr ? Field()->DisplayFormat() : FDisplayFormat;
}

std::string TwwDBCustomDateTimePicker::EffectiveDisplayFormat(bool Expanded) const {
    const std::string& format = OwnOrFieldFormat();
    if (!Expanded || !format.empty()) return format;
    const TFormatSettings& settings = FormatSettings();
    const bool longFormat = FDateFormat == dfLong;
    if (IsTimeOnlyKind()) return longFormat ? settings.LongTimeFormat : settings.ShortTimeFormat;
    if (IsDateKind()) return longFormat ? settings.LongDateFormat : settings.ShortDateFormat;
    return longFormat ? settings.LongDateFormat + " " + settings.LongTimeFormat : "c";
}

std::string TwwDBCustomDateTimePicker::TextOfValue(TDateTime Value) const {
    if (BindingInactive()) return "";
    const bool timeOnly = IsTimeOnlyKind();
    if (wwWholeDay(Value) == 0 && !timeOnly) return "";
    // A long date alone stands for midnight, but never in place of a time-only picker's time.
    const bool longDateAlone =
        !timeOnly && FDisplayFormat.empty() && FDateFormat == dfLong && wwTimeOfDay(Value) == 0;
    const std::string format =
        longDateAlone ? FormatSettings().LongDateFormat : EffectiveDisplayFormat(true);
    // Read again only when it changes: a walk through the records writes them all in one.
    if (FTextFormat.Format() != format) FTextFormat = TDateTimeFormat(format);
    return FTextFormat.Write(Value);
}

std::string TwwDBCustomDateTimePicker::DisplayTextOf(TDateTime Value) const {
    if (BindingInactive()) return "";
    const TField* field = Field();
    if (field != nullptr && field->IsNull() &&
        !(FPopupCalendar != nullptr && FPopupCalendar->Visible()))
        return "";
    if (field == nullptr && Value == 0 && FEmpty) return "";
    return TextOfValue(Value);
}

void TwwDBCustomDateTimePicker::SetValue(TDateTime Value) {
    const bool modified = Modified();
    if (!Bound() && Value == 0)
        FEmpty = false;
    else if (Value == FValue && Value != 0)
        return;
    if (Value == 0 && !IsTimeOnlyKind()) {
        FValue = 0;
        ReplaceText("");
        return;
    }
    const bool skipRange = Value == 0 || (wwWholeDay(Value) == 0 && IsTimeOnlyKind()) ||
                           (Field() != nullptr && Field()->IsNull());
    // Checked before anything is stored, so a refused value can never be shown or posted.
    if (!skipRange) {
        if (FMaxDate != 0 && wwWholeDay(Value) > wwMoment(FMaxDate)) RaiseExceedsMaximum(FMaxDate);
        if (FMinDate != 0 && wwMoment(Value) < wwMoment(FMinDate)) RaiseBelowMinimum(FMinDate);
    }
    // A value no date can be written for (NaN, beyond year 9999) raises its EConvertError here,
    // not from the first text or key that would decode it.
    if (Value != 0) SplitDateTime(Value);
    FValue = Value;
    const std::string text = TextOfValue(Value);
    if (!ReplaceText(text)) return;
    HighlightCurrentPart();
    TCustomEdit::SetModified(modified);
}

bool TwwDBCustomDateTimePicker::TextIs(const std::string& Value) const {
    return TextBuffer().LineCount() == 1 && TextBuffer().Line(0) == Value;
}

bool TwwDBCustomDateTimePicker::ReplaceText(const std::string& Value) {
    if (TextIs(Value)) return true;
    const std::weak_ptr<const void> life = LifeToken();
    SetText(Value);
    return !life.expired();
}

TDateTime TwwDBCustomDateTimePicker::Date() {
    if (!CommitPendingPart()) return 0;
    return IsTimeOnlyKind() ? 0 : FValue;
}

TDateTime TwwDBCustomDateTimePicker::Time() {
    if (!CommitPendingPart()) return 0;
    return IsDateKind() ? 0 : FValue;
}

void TwwDBCustomDateTimePicker::SetDate(TDateTime Value) {
    if (IsTimeOnlyKind()) return;
    if (!Bound() && Value == 0) {
        FEmpty = false;
        SetValue(0);
        return;
    }
    if (wwWholeDay(Value) == wwWholeDay(FValue)) return;
    const TDateTime next = wwDayAtTimeOf(Value, FValue);
    if (next == 0) {
        const std::weak_ptr<const void> life = LifeToken();
        SetValue(0);
        if (!life.expired()) Invalidate();
        return;
    }
    // Whole days against MaxDate, as the value itself is checked: the calendar's MaxDate day is
    // a day it offers.
    if (FMaxDate != 0 && wwWholeDay(next) > wwMoment(FMaxDate)) RaiseExceedsMaximum(FMaxDate);
    if (FMinDate != 0 && wwMoment(next) < wwMoment(FMinDate)) RaiseBelowMinimum(FMinDate);
    SetValue(next);
}

void TwwDBCustomDateTimePicker::SetTime(TDateTime Value) {
    if (IsDateKind()) return;
    if (!Bound() && Value == 0) {
        FEmpty = false;
        SetValue(0);
        return;
    }
    if (wwTimeOfDay(Value) == wwTimeOfDay(FValue)) return;
    const TDateTime next = wwDayAtTimeOf(FValue, Value);
    const std::weak_ptr<const void> life = LifeToken();
    SetValue(next);
    if (next == 0 && !life.expired()) Invalidate();
}

}  // namespace vex
