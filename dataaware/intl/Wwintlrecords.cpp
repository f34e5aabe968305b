#include "dataaware/intl/Wwintlrecords.h"

#include <span>
#include <vector>

#include "platform/core/typinfo.h"

namespace vex {
namespace {

// One text of a record: its published name and its field. The tables below, in field order,
// are the single list each record's registration and copying walk.
template <class R>
struct TTextField {
    const char* Name;
    std::string R::*Field;
};

constexpr TTextField<TwwUserMessagesIntl> kUserMessagesIntlTexts[] = {
    {"wwDBGridDiscardChanges", &TwwUserMessagesIntl::wwDBGridDiscardChanges},
    {"PictureValidateError", &TwwUserMessagesIntl::PictureValidateError},
    {"LocateNoMatches", &TwwUserMessagesIntl::LocateNoMatches},
    {"LocateNoMoreMatches", &TwwUserMessagesIntl::LocateNoMoreMatches},
    {"MemoChangesWarning", &TwwUserMessagesIntl::MemoChangesWarning},
    {"RichEditExitWarning", &TwwUserMessagesIntl::RichEditExitWarning},
    {"RichEditClearWarning", &TwwUserMessagesIntl::RichEditClearWarning},
    {"FilterDlgNoCriteria", &TwwUserMessagesIntl::FilterDlgNoCriteria},
    {"RecordViewExitWarning", &TwwUserMessagesIntl::RecordViewExitWarning},
};

constexpr TTextField<TwwFilterDialogIntl> kFilterDialogIntlTexts[] = {
    {"BtnViewSummary", &TwwFilterDialogIntl::BtnViewSummary},
    {"BtnViewSummaryHint", &TwwFilterDialogIntl::BtnViewSummaryHint},
    {"ViewSummaryNotText", &TwwFilterDialogIntl::ViewSummaryNotText},
    {"BtnNewSearch", &TwwFilterDialogIntl::BtnNewSearch},
    {"BtnNewSearchHint", &TwwFilterDialogIntl::BtnNewSearchHint},
    {"FieldOrderLabel", &TwwFilterDialogIntl::FieldOrderLabel},
    {"FieldOrderHint", &TwwFilterDialogIntl::FieldOrderHint},
    {"AlphabeticLabel", &TwwFilterDialogIntl::AlphabeticLabel},
    {"LogicalLabel", &TwwFilterDialogIntl::LogicalLabel},
    {"AllFieldsLabel", &TwwFilterDialogIntl::AllFieldsLabel},
    {"SearchedFieldsLabel", &TwwFilterDialogIntl::SearchedFieldsLabel},
    {"StartingRangeLabel", &TwwFilterDialogIntl::StartingRangeLabel},
    {"EndingRangeLabel", &TwwFilterDialogIntl::EndingRangeLabel},
    {"StartingRangeHint", &TwwFilterDialogIntl::StartingRangeHint},
    {"EndingRangeHint", &TwwFilterDialogIntl::EndingRangeHint},
    {"BtnClearMin", &TwwFilterDialogIntl::BtnClearMin},
    {"BtnClearMax", &TwwFilterDialogIntl::BtnClearMax},
    {"BtnClearFilterValue", &TwwFilterDialogIntl::BtnClearFilterValue},
    {"BtnClearMinHint", &TwwFilterDialogIntl::BtnClearMinHint},
    {"BtnClearMaxHint", &TwwFilterDialogIntl::BtnClearMaxHint},
    {"BtnClearFilterValueHint", &TwwFilterDialogIntl::BtnClearFilterValueHint},
    {"ByValueLabel", &TwwFilterDialogIntl::ByValueLabel},
    {"ByRangeLabel", &TwwFilterDialogIntl::ByRangeLabel},
    {"FieldValueLabel", &TwwFilterDialogIntl::FieldValueLabel},
    {"FieldValueHint", &TwwFilterDialogIntl::FieldValueHint},
    {"SearchTypeLabel", &TwwFilterDialogIntl::SearchTypeLabel},
    {"SearchTypeHint", &TwwFilterDialogIntl::SearchTypeHint},
    {"MatchExactLabel", &TwwFilterDialogIntl::MatchExactLabel},
    {"MatchStartLabel", &TwwFilterDialogIntl::MatchStartLabel},
    {"MatchAnyLabel", &TwwFilterDialogIntl::MatchAnyLabel},
    {"CaseSensitiveLabel", &TwwFilterDialogIntl::CaseSensitiveLabel},
    {"CaseSensitiveHint", &TwwFilterDialogIntl::CaseSensitiveHint},
    {"NonMatchingLabel", &TwwFilterDialogIntl::NonMatchingLabel},
    {"NonMatchingHint", &TwwFilterDialogIntl::NonMatchingHint},
    {"SummaryFieldLabel", &TwwFilterDialogIntl::SummaryFieldLabel},
    {"SummarySearchLabel", &TwwFilterDialogIntl::SummarySearchLabel},
    {"SummaryValueLabel", &TwwFilterDialogIntl::SummaryValueLabel},
    {"FieldsLabel", &TwwFilterDialogIntl::FieldsLabel},
    {"ValueRangeTabHint", &TwwFilterDialogIntl::ValueRangeTabHint},
    {"AllSearchedTabHint", &TwwFilterDialogIntl::AllSearchedTabHint},
};

constexpr TTextField<TwwRichEditMenuLabels> kRichEditMenuLabelsTexts[] = {
    {"FileCaption", &TwwRichEditMenuLabels::FileCaption},
    {"LoadCaption", &TwwRichEditMenuLabels::LoadCaption},
    {"SaveAsCaption", &TwwRichEditMenuLabels::SaveAsCaption},
    {"SaveExitCaption", &TwwRichEditMenuLabels::SaveExitCaption},
    {"PrintCaption", &TwwRichEditMenuLabels::PrintCaption},
    {"PageSetupCaption", &TwwRichEditMenuLabels::PageSetupCaption},
    {"ExitCaption", &TwwRichEditMenuLabels::ExitCaption},
    {"EditCaption", &TwwRichEditMenuLabels::EditCaption},
    {"UndoCaption", &TwwRichEditMenuLabels::UndoCaption},
    {"CutCaption", &TwwRichEditMenuLabels::CutCaption},
    {"CopyCaption", &TwwRichEditMenuLabels::CopyCaption},
    {"PasteCaption", &TwwRichEditMenuLabels::PasteCaption},
    {"ClearCaption", &TwwRichEditMenuLabels::ClearCaption},
    {"SelectallCaption", &TwwRichEditMenuLabels::SelectallCaption},
    {"FindCaption", &TwwRichEditMenuLabels::FindCaption},
    {"FindNextCaption", &TwwRichEditMenuLabels::FindNextCaption},
    {"ReplaceCaption", &TwwRichEditMenuLabels::ReplaceCaption},
    {"InsertObjectCaption", &TwwRichEditMenuLabels::InsertObjectCaption},
    {"ViewCaption", &TwwRichEditMenuLabels::ViewCaption},
    {"ToolbarCaption", &TwwRichEditMenuLabels::ToolbarCaption},
    {"FormatBarCaption", &TwwRichEditMenuLabels::FormatBarCaption},
    {"ViewStatusBarCaption", &TwwRichEditMenuLabels::ViewStatusBarCaption},
    {"OptionsCaption", &TwwRichEditMenuLabels::OptionsCaption},
    {"FormatCaption", &TwwRichEditMenuLabels::FormatCaption},
    {"FontCaption", &TwwRichEditMenuLabels::FontCaption},
    {"BulletStyleCaption", &TwwRichEditMenuLabels::BulletStyleCaption},
    {"ParagraphCaption", &TwwRichEditMenuLabels::ParagraphCaption},
    {"TabsCaption", &TwwRichEditMenuLabels::TabsCaption},
    {"HelpCaption", &TwwRichEditMenuLabels::HelpCaption},
};

constexpr TTextField<TwwRichEditPopupMenuLabels> kRichEditPopupMenuLabelsTexts[] = {
    {"EditCaption", &TwwRichEditPopupMenuLabels::EditCaption},
    {"ViewCaption", &TwwRichEditPopupMenuLabels::ViewCaption},
    {"CutCaption", &TwwRichEditPopupMenuLabels::CutCaption},
    {"CopyCaption", &TwwRichEditPopupMenuLabels::CopyCaption},
    {"PasteCaption", &TwwRichEditPopupMenuLabels::PasteCaption},
    {"FontCaption", &TwwRichEditPopupMenuLabels::FontCaption},
    {"BulletStyleCaption", &TwwRichEditPopupMenuLabels::BulletStyleCaption},
    {"BoldCaption", &TwwRichEditPopupMenuLabels::BoldCaption},
    {"ItalicCaption", &TwwRichEditPopupMenuLabels::ItalicCaption},
    {"UnderlineCaption", &TwwRichEditPopupMenuLabels::UnderlineCaption},
    {"ParagraphCaption", &TwwRichEditPopupMenuLabels::ParagraphCaption},
    {"TabsCaption", &TwwRichEditPopupMenuLabels::TabsCaption},
    {"FindCaption", &TwwRichEditPopupMenuLabels::FindCaption},
    {"ReplaceCaption", &TwwRichEditPopupMenuLabels::ReplaceCaption},
    {"InsertObjectCaption", &TwwRichEditPopupMenuLabels::InsertObjectCaption},
};

constexpr TTextField<TwwRichEditParagraphDlg> kRichEditParagraphDlgTexts[] = {
    {"ParagraphDlgCaption", &TwwRichEditParagraphDlg::ParagraphDlgCaption},
    {"IndentationGroupBoxCaption", &TwwRichEditParagraphDlg::IndentationGroupBoxCaption},
    {"LeftEditCaption", &TwwRichEditParagraphDlg::LeftEditCaption},
    {"RightEditCaption", &TwwRichEditParagraphDlg::RightEditCaption},
    {"FirstLineEditCaption", &TwwRichEditParagraphDlg::FirstLineEditCaption},
    {"AlignmentCaption", &TwwRichEditParagraphDlg::AlignmentCaption},
    {"LeftEditHint", &TwwRichEditParagraphDlg::LeftEditHint},
    {"RightEditHint", &TwwRichEditParagraphDlg::RightEditHint},
    {"FirstLineEditHint", &TwwRichEditParagraphDlg::FirstLineEditHint},
    {"SpacingGroupCaption", &TwwRichEditParagraphDlg::SpacingGroupCaption},
    {"BeforeParagraphCaption", &TwwRichEditParagraphDlg::BeforeParagraphCaption},
    {"AfterParagraphCaption", &TwwRichEditParagraphDlg::AfterParagraphCaption},
    {"WithinParagraphCaption", &TwwRichEditParagraphDlg::WithinParagraphCaption},
    {"WithinParagraphAtCaption", &TwwRichEditParagraphDlg::WithinParagraphAtCaption},
    {"AlignmentHint", &TwwRichEditParagraphDlg::AlignmentHint},
    {"AlignLeft", &TwwRichEditParagraphDlg::AlignLeft},
    {"AlignRight", &TwwRichEditParagraphDlg::AlignRight},
    {"AlignCenter", &TwwRichEditParagraphDlg::AlignCenter},
};

constexpr TTextField<TwwRichEditTabDlg> kRichEditTabDlgTexts[] = {
    {"TabDlgCaption", &TwwRichEditTabDlg::TabDlgCaption},
    {"TabGroupBoxCaption", &TwwRichEditTabDlg::TabGroupBoxCaption},
    {"SetTabButtonCaption", &TwwRichEditTabDlg::SetTabButtonCaption},
    {"ClearTabButtonCaption", &TwwRichEditTabDlg::ClearTabButtonCaption},
    {"ClearAllButtonCaption", &TwwRichEditTabDlg::ClearAllButtonCaption},
    {"TabPositionEditHint", &TwwRichEditTabDlg::TabPositionEditHint},
    {"ListBoxHint", &TwwRichEditTabDlg::ListBoxHint},
    {"SetButtonHint", &TwwRichEditTabDlg::SetButtonHint},
    {"ClearButtonHint", &TwwRichEditTabDlg::ClearButtonHint},
    {"ClearAllButtonHint", &TwwRichEditTabDlg::ClearAllButtonHint},
};

constexpr TTextField<TwwDBRichEditIntl> kDBRichEditIntlTexts[] = {
    {"FontNameComboHint", &TwwDBRichEditIntl::FontNameComboHint},
    {"FontSizeComboHint", &TwwDBRichEditIntl::FontSizeComboHint},
    {"NewButtonHint", &TwwDBRichEditIntl::NewButtonHint},
    {"LoadButtonHint", &TwwDBRichEditIntl::LoadButtonHint},
    {"SaveAsButtonHint", &TwwDBRichEditIntl::SaveAsButtonHint},
    {"PrintButtonHint", &TwwDBRichEditIntl::PrintButtonHint},
    {"FindButtonHint", &TwwDBRichEditIntl::FindButtonHint},
    {"CutButtonHint", &TwwDBRichEditIntl::CutButtonHint},
    {"CopyButtonHint", &TwwDBRichEditIntl::CopyButtonHint},
    {"UndoButtonHint", &TwwDBRichEditIntl::UndoButtonHint},
    {"PasteButtonHint", &TwwDBRichEditIntl::PasteButtonHint},
    {"BoldButtonHint", &TwwDBRichEditIntl::BoldButtonHint},
    {"UnderlineButtonHint", &TwwDBRichEditIntl::UnderlineButtonHint},
    {"ItalicButtonHint", &TwwDBRichEditIntl::ItalicButtonHint},
    {"LeftButtonHint", &TwwDBRichEditIntl::LeftButtonHint},
    {"CenterButtonHint", &TwwDBRichEditIntl::CenterButtonHint},
    {"RightButtonHint", &TwwDBRichEditIntl::RightButtonHint},
    {"BulletButtonHint", &TwwDBRichEditIntl::BulletButtonHint},
    {"SaveExitHint", &TwwDBRichEditIntl::SaveExitHint},
    {"PageSetupHint", &TwwDBRichEditIntl::PageSetupHint},
    {"ExitHint", &TwwDBRichEditIntl::ExitHint},
    {"ClearHint", &TwwDBRichEditIntl::ClearHint},
    {"SelectAllHint", &TwwDBRichEditIntl::SelectAllHint},
    {"FindNextHint", &TwwDBRichEditIntl::FindNextHint},
    {"ReplaceHint", &TwwDBRichEditIntl::ReplaceHint},
    {"InsertObjectHint", &TwwDBRichEditIntl::InsertObjectHint},
    {"ToolbarHint", &TwwDBRichEditIntl::ToolbarHint},
    {"FormatBarHint", &TwwDBRichEditIntl::FormatBarHint},
    {"ViewStatusBarHint", &TwwDBRichEditIntl::ViewStatusBarHint},
    {"OptionsHint", &TwwDBRichEditIntl::OptionsHint},
    {"FontHint", &TwwDBRichEditIntl::FontHint},
    {"ParagraphHint", &TwwDBRichEditIntl::ParagraphHint},
    {"TabsHint", &TwwDBRichEditIntl::TabsHint},
    {"CAPLockCaption", &TwwDBRichEditIntl::CAPLockCaption},
    {"NUMLockCaption", &TwwDBRichEditIntl::NUMLockCaption},
};

constexpr TTextField<TwwSearchDialogIntl> kSearchDialogIntlTexts[] = {
    {"SearchCharLabel", &TwwSearchDialogIntl::SearchCharLabel},
    {"SearchCharShortLabel", &TwwSearchDialogIntl::SearchCharShortLabel},
    {"SearchByLabel", &TwwSearchDialogIntl::SearchByLabel},
    {"StatusRecLabel", &TwwSearchDialogIntl::StatusRecLabel},
    {"StatusOfLabel", &TwwSearchDialogIntl::StatusOfLabel},
    {"SearchCharHint", &TwwSearchDialogIntl::SearchCharHint},
    {"SearchByHint", &TwwSearchDialogIntl::SearchByHint},
};

constexpr TTextField<TwwMonthCalendarIntl> kMonthCalendarIntlTexts[] = {
    {"PopupYearLabel", &TwwMonthCalendarIntl::PopupYearLabel},
    {"EnterYearPrompt", &TwwMonthCalendarIntl::EnterYearPrompt},
};

constexpr TTextField<TwwLocateDialogIntl> kLocateDialogIntlTexts[] = {
    {"FieldValueLabel", &TwwLocateDialogIntl::FieldValueLabel},
    {"SearchTypeLabel", &TwwLocateDialogIntl::SearchTypeLabel},
    {"CaseSensitiveLabel", &TwwLocateDialogIntl::CaseSensitiveLabel},
    {"MatchExactLabel", &TwwLocateDialogIntl::MatchExactLabel},
    {"MatchStartLabel", &TwwLocateDialogIntl::MatchStartLabel},
    {"MatchAnyLabel", &TwwLocateDialogIntl::MatchAnyLabel},
    {"FieldsLabel", &TwwLocateDialogIntl::FieldsLabel},
    {"BtnFirst", &TwwLocateDialogIntl::BtnFirst},
    {"BtnNext", &TwwLocateDialogIntl::BtnNext},
    {"BtnCancel", &TwwLocateDialogIntl::BtnCancel},
    {"FieldValueHint", &TwwLocateDialogIntl::FieldValueHint},
    {"CaseSensitiveHint", &TwwLocateDialogIntl::CaseSensitiveHint},
    {"MatchExactHint", &TwwLocateDialogIntl::MatchExactHint},
    {"MatchStartHint", &TwwLocateDialogIntl::MatchStartHint},
    {"MatchAnyHint", &TwwLocateDialogIntl::MatchAnyHint},
    {"BtnFirstHint", &TwwLocateDialogIntl::BtnFirstHint},
    {"BtnNextHint", &TwwLocateDialogIntl::BtnNextHint},
    {"FieldNameHint", &TwwLocateDialogIntl::FieldNameHint},
};

constexpr TTextField<TwwDBNavigatorIntlHints> kDBNavigatorIntlHintsTexts[] = {
    {"FirstHint", &TwwDBNavigatorIntlHints::FirstHint},
    {"PriorHint", &TwwDBNavigatorIntlHints::PriorHint},
    {"NextHint", &TwwDBNavigatorIntlHints::NextHint},
    {"LastHint", &TwwDBNavigatorIntlHints::LastHint},
    {"InsertHint", &TwwDBNavigatorIntlHints::InsertHint},
    {"DeleteHint", &TwwDBNavigatorIntlHints::DeleteHint},
    {"EditHint", &TwwDBNavigatorIntlHints::EditHint},
    {"PostHint", &TwwDBNavigatorIntlHints::PostHint},
    {"CancelHint", &TwwDBNavigatorIntlHints::CancelHint},
    {"RefreshHint", &TwwDBNavigatorIntlHints::RefreshHint},
    {"PriorPageHint", &TwwDBNavigatorIntlHints::PriorPageHint},
    {"NextPageHint", &TwwDBNavigatorIntlHints::NextPageHint},
    {"SaveBookmarkHint", &TwwDBNavigatorIntlHints::SaveBookmarkHint},
    {"RestoreBookmarkHint", &TwwDBNavigatorIntlHints::RestoreBookmarkHint},
    {"RecordViewDialogHint", &TwwDBNavigatorIntlHints::RecordViewDialogHint},
    {"LocateDialogHint", &TwwDBNavigatorIntlHints::LocateDialogHint},
    {"FilterDialogHint", &TwwDBNavigatorIntlHints::FilterDialogHint},
    {"SearchDialogHint", &TwwDBNavigatorIntlHints::SearchDialogHint},
};

constexpr TTextField<TwwDBNavigatorIntl> kDBNavigatorIntlTexts[] = {
    {"ConfirmDeleteMessage", &TwwDBNavigatorIntl::ConfirmDeleteMessage},
};

template <class R>
void CopyFields(R& Dest, const R& Source, std::span<const TTextField<R>> Fields) {
    for (const TTextField<R>& text : Fields)
        Dest.*text.Field = Source.*text.Field;
}

template <class R>
std::vector<TPropInfo> TextProperties(std::span<const TTextField<R>> Fields) {
    std::vector<TPropInfo> properties;
    for (const TTextField<R>& text : Fields) {
        TPropInfo info;
        info.Name = text.Name;
        info.Kind = tkLString;
        info.TypeName = "string";
        const std::string name = text.Name;
        std::string R::*field = text.Field;
        info.GetStr = [name, field](const TObject& Instance) {
            return typinfo_detail::As<R>(Instance, name).*field;
        };
        info.SetStr = [name, field](TObject& Instance, const std::string& Value) {
            typinfo_detail::As<R>(Instance, name).*field = Value;
        };
        properties.push_back(std::move(info));
    }
    return properties;
}

template <class R>
void RegisterTexts(std::span<const TTextField<R>> Fields, std::vector<TPropInfo> Extra = {}) {
    std::vector<TPropInfo> properties = TextProperties(Fields);
    properties.insert(properties.end(), std::make_move_iterator(Extra.begin()),
                      std::make_move_iterator(Extra.end()));
    RegisterProperties(R::StaticClassInfo(), std::move(properties));
}

// The rich-text record publishes its sub-records between its hints and its lock captions.
constexpr size_t RichEditHintCount = 33;

const bool RecordsPublished = [] {
    RegisterTexts<TwwUserMessagesIntl>(kUserMessagesIntlTexts);
    RegisterTexts<TwwFilterDialogIntl>(kFilterDialogIntlTexts);
    RegisterTexts<TwwRichEditMenuLabels>(kRichEditMenuLabelsTexts);
    RegisterTexts<TwwRichEditPopupMenuLabels>(kRichEditPopupMenuLabelsTexts);
    RegisterTexts<TwwRichEditParagraphDlg>(kRichEditParagraphDlgTexts);
    RegisterTexts<TwwRichEditTabDlg>(kRichEditTabDlgTexts);
    using RE = TwwDBRichEditIntl;
    std::span<const TTextField<RE>> richEdit(kDBRichEditIntlTexts);
    std::vector<TPropInfo> richEditTail = {
        ClassProperty("MenuLabels", "TwwRichEditMenuLabels", &RE::MenuLabels),
        ClassProperty("PopupMenuLabels", "TwwRichEditPopupMenuLabels", &RE::PopupMenuLabels),
        ClassProperty("ParagraphDialog", "TwwRichEditParagraphDlg", &RE::ParagraphDialog),
        ClassProperty("TabDialog", "TwwRichEditTabDlg", &RE::TabDialog)};
    for (TPropInfo& lock : TextProperties(richEdit.subspan(RichEditHintCount)))
        richEditTail.push_back(std::move(lock));
    RegisterTexts(richEdit.first(RichEditHintCount), std::move(richEditTail));
    RegisterTexts<TwwSearchDialogIntl>(kSearchDialogIntlTexts);
    RegisterTexts<TwwMonthCalendarIntl>(kMonthCalendarIntlTexts);
    RegisterTexts<TwwLocateDialogIntl>(kLocateDialogIntlTexts);
    RegisterTexts<TwwDBNavigatorIntlHints>(kDBNavigatorIntlHintsTexts);
    RegisterTexts<TwwDBNavigatorIntl>(
        kDBNavigatorIntlTexts,
        {ClassProperty("Hints", "TwwDBNavigatorIntlHints", &TwwDBNavigatorIntl::Hints)});
    return true;
}();

}  // namespace

void TwwUserMessagesIntl::CopyTexts(const TwwUserMessagesIntl& Source) {
    CopyFields<TwwUserMessagesIntl>(*this, Source, kUserMessagesIntlTexts);
}

void TwwFilterDialogIntl::CopyTexts(const TwwFilterDialogIntl& Source) {
    CopyFields<TwwFilterDialogIntl>(*this, Source, kFilterDialogIntlTexts);
}

void TwwRichEditMenuLabels::CopyTexts(const TwwRichEditMenuLabels& Source) {
    CopyFields<TwwRichEditMenuLabels>(*this, Source, kRichEditMenuLabelsTexts);
}

void TwwRichEditPopupMenuLabels::CopyTexts(const TwwRichEditPopupMenuLabels& Source) {
    CopyFields<TwwRichEditPopupMenuLabels>(*this, Source, kRichEditPopupMenuLabelsTexts);
}

void TwwRichEditParagraphDlg::CopyTexts(const TwwRichEditParagraphDlg& Source) {
    CopyFields<TwwRichEditParagraphDlg>(*this, Source, kRichEditParagraphDlgTexts);
}

void TwwRichEditTabDlg::CopyTexts(const TwwRichEditTabDlg& Source) {
    CopyFields<TwwRichEditTabDlg>(*this, Source, kRichEditTabDlgTexts);
}

void TwwSearchDialogIntl::CopyTexts(const TwwSearchDialogIntl& Source) {
    CopyFields<TwwSearchDialogIntl>(*this, Source, kSearchDialogIntlTexts);
}

void TwwMonthCalendarIntl::CopyTexts(const TwwMonthCalendarIntl& Source) {
    CopyFields<TwwMonthCalendarIntl>(*this, Source, kMonthCalendarIntlTexts);
}

void TwwLocateDialogIntl::CopyTexts(const TwwLocateDialogIntl& Source) {
    CopyFields<TwwLocateDialogIntl>(*this, Source, kLocateDialogIntlTexts);
}

void TwwDBNavigatorIntlHints::CopyTexts(const TwwDBNavigatorIntlHints& Source) {
    CopyFields<TwwDBNavigatorIntlHints>(*this, Source, kDBNavigatorIntlHintsTexts);
}

TwwDBRichEditIntl::TwwDBRichEditIntl()
    : FMenuLabels(std::make_unique<TwwRichEditMenuLabels>()),
      FPopupMenuLabels(std::make_unique<TwwRichEditPopupMenuLabels>()),
      FParagraphDialog(std::make_unique<TwwRichEditParagraphDlg>()),
      FTabDialog(std::make_unique<TwwRichEditTabDlg>()) {}

TwwDBRichEditIntl::~TwwDBRichEditIntl() = default;

void TwwDBRichEditIntl::CopyTexts(const TwwDBRichEditIntl& Source) {
    CopyFields<TwwDBRichEditIntl>(*this, Source, kDBRichEditIntlTexts);
    FMenuLabels->CopyTexts(*Source.FMenuLabels);
    FPopupMenuLabels->CopyTexts(*Source.FPopupMenuLabels);
    FParagraphDialog->CopyTexts(*Source.FParagraphDialog);
    FTabDialog->CopyTexts(*Source.FTabDialog);
}

TwwDBNavigatorIntl::TwwDBNavigatorIntl() : FHints(std::make_unique<TwwDBNavigatorIntlHints>()) {}

TwwDBNavigatorIntl::~TwwDBNavigatorIntl() = default;

void TwwDBNavigatorIntl::CopyTexts(const TwwDBNavigatorIntl& Source) {
    CopyFields<TwwDBNavigatorIntl>(*this, Source, kDBNavigatorIntlTexts);
    FHints->CopyTexts(*Source.FHints);
}

}  // namespace vex
