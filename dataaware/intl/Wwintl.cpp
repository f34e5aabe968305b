#include "dataaware/intl/Wwintl.h"

#include <utility>

#include "platform/core/exceptions.h"
#include "platform/core/typinfo.h"
#include "platform/win/application.h"

namespace vex {

TwwIntl* wwGlobalIntl = nullptr;

namespace {

int32_t UnitUsers = 0;

// A stream may hold any ordinal; one beyond the style's values never reaches the grid.
TPropInfo CheckBoxInGridStyleProperty() {
    TPropInfo info =
        OrdinalProperty("CheckBoxInGridStyle", tkEnumeration, "TwwCheckBoxInGridStyle",
                        &TwwIntl::CheckBoxInGridStyle, &TwwIntl::SetCheckBoxInGridStyle);
    info.SetOrd = [set = std::move(info.SetOrd)](TObject& Instance, int64_t Value) {
        if (Value < cbStyleAuto || Value > cbStyleXmark)
            throw ERangeError("Value out of range for property CheckBoxInGridStyle");
        set(Instance, Value);
    };
    return info;
}

// In the order a form stream writes them: Connected last, so that a streamed instance holds all
// its texts before it connects.
const bool IntlPublished = [] {
    using I = TwwIntl;
    RegisterProperties(
        I::StaticClassInfo(),
        {ClassProperty("Navigator", "TwwDBNavigatorIntl", &I::Navigator),
         ClassProperty("SearchDialog", "TwwSearchDialogIntl", &I::SearchDialog),
         ClassProperty("LocateDialog", "TwwLocateDialogIntl", &I::LocateDialog),
         ClassProperty("MonthCalendar", "TwwMonthCalendarIntl", &I::MonthCalendar),
         ClassProperty("FilterDialog", "TwwFilterDialogIntl", &I::FilterDialog),
         ClassProperty("RichEdit", "TwwDBRichEditIntl", &I::RichEdit),
         ClassProperty("UserMessages", "TwwUserMessagesIntl", &I::UserMessages),
         OrdinalProperty("OKCancelBitmapped", tkEnumeration, "Boolean", &I::OKCancelBitmapped,
                         &I::SetOKCancelBitmapped),
         StringProperty("BtnOKCaption", &I::BtnOKCaption, &I::SetBtnOKCaption),
         StringProperty("BtnCancelCaption", &I::BtnCancelCaption, &I::SetBtnCancelCaption),
         CheckBoxInGridStyleProperty(),
         StringProperty("VersionOndrix", &I::VersionOndrix, &I::SetVersionOndrix),
         OrdinalProperty("FilterMemoSize", tkInteger, "Integer", &I::FilterMemoSize,
                         &I::SetFilterMemoSize),
         OrdinalProperty("UseLocateMethodForSearch", tkEnumeration, "Boolean",
                         &I::UseLocateMethodForSearch, &I::SetUseLocateMethodForSearch),
         SetProperty("DialogFontStyle", "TFontStyles", &I::DialogFontStyle, &I::SetDialogFontStyle),
         OrdinalProperty("DefaultEpochYear", tkInteger, "Integer", &I::DefaultEpochYear,
                         &I::SetDefaultEpochYear),
         OrdinalProperty("Connected", tkEnumeration, "Boolean", &I::Connected, &I::SetConnected)});
    return true;
}();

}  // namespace

TwwIntl::TwwIntl(TComponent* AOwner)
    : TComponent(AOwner),
      FFilterDialog(std::make_unique<TwwFilterDialogIntl>()),
      FRichEdit(std::make_unique<TwwDBRichEditIntl>()),
      FNavigator(std::make_unique<TwwDBNavigatorIntl>()),
      FMonthCalendar(std::make_unique<TwwMonthCalendarIntl>()),
      FSearchDialog(std::make_unique<TwwSearchDialogIntl>()),
      FLocateDialog(std::make_unique<TwwLocateDialogIntl>()),
      FUserMessages(std::make_unique<TwwUserMessagesIntl>()) {}

TwwIntl::~TwwIntl() {
    if (wwGlobalIntl == this) wwGlobalIntl = nullptr;
}

void TwwIntl::SetConnected(bool Value) {
    FConnected = Value;
    if (FConnected) ApplyToGlobal();
}

void TwwIntl::SetVersionOndrix(const std::string& /*Value*/) {}

void TwwIntl::SetCheckBoxInGridStyle(TwwCheckBoxInGridStyle Value) {
    FCheckBoxInGridStyle = Value;
    if (FConnected && wwGlobalIntl != nullptr && wwGlobalIntl != this)
        wwGlobalIntl->SetCheckBoxInGridStyle(Value);
}

void TwwIntl::ApplyToGlobal() {
    TwwIntl* global = wwGlobalIntl;
    if (global == nullptr || global == this) return;
    global->FFilterDialog->CopyTexts(*FFilterDialog);
    global->FRichEdit->CopyTexts(*FRichEdit);
    global->FSearchDialog->CopyTexts(*FSearchDialog);
    global->FMonthCalendar->CopyTexts(*FMonthCalendar);
    global->FLocateDialog->CopyTexts(*FLocateDialog);
    global->FNavigator->CopyTexts(*FNavigator);
    global->SetOKCancelBitmapped(FOKCancelBitmapped);
    global->FUserMessages->CopyTexts(*FUserMessages);
    global->SetBtnOKCaption(FBtnOKCaption);
    global->SetBtnCancelCaption(FBtnCancelCaption);
    global->SetCheckBoxInGridStyle(FCheckBoxInGridStyle);
    global->SetDialogFontStyle(FDialogFontStyle);
    global->SetUseLocateMethodForSearch(FUseLocateMethodForSearch);
    global->SetDefaultEpochYear(FDefaultEpochYear);
    global->SetFilterMemoSize(FFilterMemoSize);
}

void TwwIntl::Loaded() {
    TComponent::Loaded();
    if (FConnected) ApplyToGlobal();
}

TwwIntlUnit::TwwIntlUnit() {
    if (UnitUsers++ == 0) wwGlobalIntl = new TwwIntl(&Application());
}

TwwIntlUnit::~TwwIntlUnit() {
    if (--UnitUsers == 0) delete wwGlobalIntl;
}

}  // namespace vex
