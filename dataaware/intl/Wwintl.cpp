#include "dataaware/intl/Wwintl.h"

#include <initializer_list>
#include <utility>

#include "platform/core/typinfo.h"
#include "platform/win/application.h"

namespace vex {

TwwIntl* wwGlobalIntl = nullptr;

namespace {

int32_t UnitUsers = 0;

int64_t FontStylesOrd(TFontStyles Styles) {
    int64_t bits = 0;
    for (TFontStyle style : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (Styles.Contains(style)) bits |= int64_t{1} << style;
    return bits;
}

TFontStyles FontStylesOf(int64_t Bits) {
    if (Bits < 0 || Bits >= (int64_t{1} << (fsStrikeOut + 1)))
        throw ERangeError("Value out of range for property DialogFontStyle");
    TFontStyles styles;
    for (TFontStyle style : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if ((Bits & (int64_t{1} << style)) != 0) styles.Include(style);
    return styles;
}

TPropInfo DialogFontStyleProperty() {
    TPropInfo info;
    info.Name = "DialogFontStyle";
    info.Kind = tkSet;
    info.TypeName = "TFontStyles";
    info.GetOrd = [](const TObject& Instance) {
        return FontStylesOrd(
            typinfo_detail::As<TwwIntl>(Instance, "DialogFontStyle").DialogFontStyle());
    };
    info.SetOrd = [](TObject& Instance, int64_t Value) {
        typinfo_detail::As<TwwIntl>(Instance, "DialogFontStyle")
            .SetDialogFontStyle(FontStylesOf(Value));
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
         OrdinalProperty("CheckBoxInGridStyle", tkEnumeration, "TwwCheckBoxInGridStyle",
                         &I::CheckBoxInGridStyle, &I::SetCheckBoxInGridStyle),
         StringProperty("VersionOndrix", &I::VersionOndrix, &I::SetVersionOndrix),
         OrdinalProperty("FilterMemoSize", tkInteger, "Integer", &I::FilterMemoSize,
                         &I::SetFilterMemoSize),
         OrdinalProperty("UseLocateMethodForSearch", tkEnumeration, "Boolean",
                         &I::UseLocateMethodForSearch, &I::SetUseLocateMethodForSearch),
         DialogFontStyleProperty(),
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
