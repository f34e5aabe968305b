#pragma once

#include <memory>
#include <string>

#include "platform/core/object.h"

namespace vex {

// The record classes of the library's texts. Each text is a plain field holding its default; the
// published-property registry lists them in field order, and CopyTexts copies every text (those of
// owned sub-records too) from another record of the same class, leaving ownership where it was.

// Confirmation and error messages.
class TwwUserMessagesIntl : public TPersistent {
    VEX_CLASS(TwwUserMessagesIntl, TPersistent)

public:
    void CopyTexts(const TwwUserMessagesIntl& Source);

    std::string wwDBGridDiscardChanges = "Discard changes to this record?";
    std::string PictureValidateError = "Invalid characters. Field : ";
    std::string LocateNoMatches = "No matches found";
    std::string LocateNoMoreMatches = "No more matches found";
    std::string MemoChangesWarning = "Changes have been made!  Are you sure you wish to cancel?";
    std::string RichEditExitWarning = "Changes have been made!  Do you wish to save your changes?";
    std::string RichEditClearWarning = "Clear entire text?";
    std::string FilterDlgNoCriteria = "You have not selected any search criteria";
    std::string RecordViewExitWarning =
        "Changes have been made!  Do you wish to save your changes?";
};

// Texts of the filter dialog.
class TwwFilterDialogIntl : public TPersistent {
    VEX_CLASS(TwwFilterDialogIntl, TPersistent)

public:
    void CopyTexts(const TwwFilterDialogIntl& Source);

    std::string BtnViewSummary = "View Su&mmary";
    std::string BtnViewSummaryHint = "View summary of current search criteria";
    std::string ViewSummaryNotText = "NOT";
    std::string BtnNewSearch = "&New Search";
    std::string BtnNewSearchHint = "Start a new search";
    std::string FieldOrderLabel = "Field Order";
    std::string FieldOrderHint = "Sort field list alphabetically or in their natural logical order";
    std::string AlphabeticLabel = "Alpha&betic";
    std::string LogicalLabel = "&Logical";
    std::string AllFieldsLabel = "&All";
    std::string SearchedFieldsLabel = "&Searched";
    std::string StartingRangeLabel = "&Starting Range";
    std::string EndingRangeLabel = "En&ding Range";
    std::string StartingRangeHint = "Enter starting range for field";
    std::string EndingRangeHint = "Enter ending range for field";
    std::string BtnClearMin = "&Clear";
    std::string BtnClearMax = "Cl&ear";
    std::string BtnClearFilterValue = "&Clear";
    std::string BtnClearMinHint = "Clear starting range for field";
    std::string BtnClearMaxHint = "Clear ending range for field";
    std::string BtnClearFilterValueHint = "Clear the current field's search value";
    std::string ByValueLabel = "By &Value";
    std::string ByRangeLabel = "By &Range";
    std::string FieldValueLabel = "Field &Value";
    std::string FieldValueHint = "Enter field's search value";
    std::string SearchTypeLabel = "Search Type";
    std::string SearchTypeHint = "Specify how the Field Value should be compared";
    std::string MatchExactLabel = "&Exact Match";
    std::string MatchStartLabel = "&Partial Match at Beginning";
    std::string MatchAnyLabel = "Partial Match Any&where";
    std::string CaseSensitiveLabel = "Case Sensi&tive";
    std::string CaseSensitiveHint = "Searching is case-sensitive";
    std::string NonMatchingLabel = "N&on-matching records";
    std::string NonMatchingHint = "Show records that do not match the field value criteria";
    std::string SummaryFieldLabel = "Field";
    std::string SummarySearchLabel = "Search Type";
    std::string SummaryValueLabel = "Value";
    std::string FieldsLabel = "&Fields";
    std::string ValueRangeTabHint = "Search fields by value or by range";
    std::string AllSearchedTabHint = "Show all fields or only currently searched fields";
};

// Main-menu captions of the rich-text editor window.
class TwwRichEditMenuLabels : public TPersistent {
    VEX_CLASS(TwwRichEditMenuLabels, TPersistent)

public:
    void CopyTexts(const TwwRichEditMenuLabels& Source);

    std::string FileCaption = "&File";
    std::string LoadCaption = "&Load";
    std::string SaveAsCaption = "Save &As";
    std::string SaveExitCaption = "&Save and Exit";
    std::string PrintCaption = "&Print";
    std::string PageSetupCaption = "Page Set&up";
    std::string ExitCaption = "E&xit";
    std::string EditCaption = "&Edit";
    std::string UndoCaption = "&Undo";
    std::string CutCaption = "Cu&t";
    std::string CopyCaption = "&Copy";
    std::string PasteCaption = "&Paste";
    std::string ClearCaption = "Cle&ar";
    std::string SelectallCaption = "Select A&ll";
    std::string FindCaption = "&Find";
    std::string FindNextCaption = "Find &Next";
    std::string ReplaceCaption = "R&eplace";
    std::string InsertObjectCaption = "&Object...";
    std::string ViewCaption = "&View";
    std::string ToolbarCaption = "&Toolbar";
    std::string FormatBarCaption = "&Format Bar";
    std::string ViewStatusBarCaption = "&Status Bar";
    std::string OptionsCaption = "&Options";
    std::string FormatCaption = "F&ormat";
    std::string FontCaption = "&Font";
    std::string BulletStyleCaption = "&Bullet Style";
    std::string ParagraphCaption = "&Paragraph";
    std::string TabsCaption = "&Tabs";
    std::string HelpCaption = "Help";
};

// Captions of the rich-text control's popup menu.
class TwwRichEditPopupMenuLabels : public TPersistent {
    VEX_CLASS(TwwRichEditPopupMenuLabels, TPersistent)

public:
    void CopyTexts(const TwwRichEditPopupMenuLabels& Source);

    std::string EditCaption = "&Edit";
    std::string ViewCaption = "&View";
    std::string CutCaption = "Cu&t";
    std::string CopyCaption = "&Copy";
    std::string PasteCaption = "&Paste";
    std::string FontCaption = "&Font";
    std::string BulletStyleCaption = "&Bullet Style";
    std::string BoldCaption = "B&old";
    std::string ItalicCaption = "&Italic";
    std::string UnderlineCaption = "&Underline";
    std::string ParagraphCaption = "P&aragraph";
    std::string TabsCaption = "&Tabs";
    std::string FindCaption = "Fin&d";
    std::string ReplaceCaption = "&Replace";
    std::string InsertObjectCaption = "Insert &Object...";
};

// Texts of the paragraph dialog.
class TwwRichEditParagraphDlg : public TPersistent {
    VEX_CLASS(TwwRichEditParagraphDlg, TPersistent)

public:
    void CopyTexts(const TwwRichEditParagraphDlg& Source);

    std::string ParagraphDlgCaption = "Paragraph";
    std::string IndentationGroupBoxCaption = "Indentation";
    std::string LeftEditCaption = "Left:";
    std::string RightEditCaption = "Right:";
    std::string FirstLineEditCaption = "First line:";
    std::string AlignmentCaption = "Alignment";
    std::string LeftEditHint = "Left Indentation";
    std::string RightEditHint = "Right Indentation";
    std::string FirstLineEditHint = "First Line of Paragraph Indentation";
    std::string SpacingGroupCaption = "Spacing";
    std::string BeforeParagraphCaption = "&Before";
    std::string AfterParagraphCaption = "Aft&er";
    std::string WithinParagraphCaption = "Li&ne Spacing";
    std::string WithinParagraphAtCaption = "&At";
    std::string AlignmentHint = "Changes Alignment of Paragraph";
    std::string AlignLeft = "Left";
    std::string AlignRight = "Right";
    std::string AlignCenter = "Center";
};

// Texts of the tab-stop dialog.
class TwwRichEditTabDlg : public TPersistent {
    VEX_CLASS(TwwRichEditTabDlg, TPersistent)

public:
    void CopyTexts(const TwwRichEditTabDlg& Source);

    std::string TabDlgCaption = "Tab";
    std::string TabGroupBoxCaption = "&Tab Stop Position";
    std::string SetTabButtonCaption = "Set";
    std::string ClearTabButtonCaption = "Clear";
    std::string ClearAllButtonCaption = "Clear All";
    std::string TabPositionEditHint = "Tab Position Edit Box";
    std::string ListBoxHint = "List of tabs and their positions";
    std::string SetButtonHint = "Set a new tab position";
    std::string ClearButtonHint = "Clear the selected tab position";
    std::string ClearAllButtonHint = "Clear all the tabs";
};

// Toolbar and menu hints of the rich-text editor window, its menus and dialogs, and the
// status-bar lock captions.
class TwwDBRichEditIntl : public TPersistent {
    VEX_CLASS(TwwDBRichEditIntl, TPersistent)

public:
    TwwDBRichEditIntl();
    ~TwwDBRichEditIntl() override;
    TwwRichEditMenuLabels* MenuLabels() const { return FMenuLabels.get(); }
    TwwRichEditPopupMenuLabels* PopupMenuLabels() const { return FPopupMenuLabels.get(); }
    TwwRichEditParagraphDlg* ParagraphDialog() const { return FParagraphDialog.get(); }
    TwwRichEditTabDlg* TabDialog() const { return FTabDialog.get(); }

    void CopyTexts(const TwwDBRichEditIntl& Source);

    std::string FontNameComboHint = "Font | Changes the font of the selection";
    std::string FontSizeComboHint = "Font Size | Changes the font size of the selection";
    std::string NewButtonHint = "New | Creates a new document";
    std::string LoadButtonHint = "Load | Load from file";
    std::string SaveAsButtonHint = "Save As | Save to file";
    std::string PrintButtonHint = "Print | Prints the active document";
    std::string FindButtonHint = "Find | Finds the specified text";
    std::string CutButtonHint = "Cut | Cuts the selection and puts it on the Clipboard";
    std::string CopyButtonHint = "Copy | Copies the selection and puts it on the Clipboard";
    std::string UndoButtonHint = "Undo | Reverses the last action";
    std::string PasteButtonHint = "Paste | Inserts Clipboard contents";
    std::string BoldButtonHint = "Bold | Makes the selection bold (toggle)";
    std::string UnderlineButtonHint =
        "Underline | Formats the selection with a continuous underline (toggle)";
    std::string ItalicButtonHint = "Italic | Makes the selection italic (toggle)";
    std::string LeftButtonHint = "Align Left | Left-justifies paragraph (toggle)";
    std::string CenterButtonHint = "Center | Center-justifies paragraph (toggle)";
    std::string RightButtonHint = "Align Right | Right-justifies paragraph (toggle)";
    std::string BulletButtonHint = "Bullets | Inserts a bullet on this line (toggle)";
    std::string SaveExitHint = "Save And Exit | Saves changes and exits editor";
    std::string PageSetupHint = "Page Setup | Changes page layout settings";
    std::string ExitHint = "Exit";
    std::string ClearHint = "Erases the Selection";
    std::string SelectAllHint = "Selects all of the text";
    std::string FindNextHint = "Repeats the last find";
    std::string ReplaceHint = "Replaces specific text with different text";
    std::string InsertObjectHint = "Inserts new embedded object";
    std::string ToolbarHint = "Shows or hides the toolbar";
    std::string FormatBarHint = "Shows or hides the format bar";
    std::string ViewStatusBarHint = "Shows or hides the status bar";
    std::string OptionsHint = "Sets options";
    std::string FontHint = "Selects font for current selection";
    std::string ParagraphHint = "Formats current or selected paragraph(s)";
    std::string TabsHint = "Sets tabs";
    std::string CAPLockCaption = "CAP";
    std::string NUMLockCaption = "NUM";

private:
    std::unique_ptr<TwwRichEditMenuLabels> FMenuLabels;
    std::unique_ptr<TwwRichEditPopupMenuLabels> FPopupMenuLabels;
    std::unique_ptr<TwwRichEditParagraphDlg> FParagraphDialog;
    std::unique_ptr<TwwRichEditTabDlg> FTabDialog;
};

// Texts of the incremental-search dialog.
class TwwSearchDialogIntl : public TPersistent {
    VEX_CLASS(TwwSearchDialogIntl, TPersistent)

public:
    void CopyTexts(const TwwSearchDialogIntl& Source);

    std::string SearchCharLabel = "&Search Characters";
    std::string SearchCharShortLabel = "&Search Char";
    std::string SearchByLabel = "Search &By";
    std::string StatusRecLabel = "Rec #";
    std::string StatusOfLabel = "of";
    std::string SearchCharHint = "Enter characters for incremental search";
    std::string SearchByHint = "Incremental searching and sorting order";
};

// Texts of the month calendar's year editing.
class TwwMonthCalendarIntl : public TPersistent {
    VEX_CLASS(TwwMonthCalendarIntl, TPersistent)

public:
    void CopyTexts(const TwwMonthCalendarIntl& Source);

    std::string PopupYearLabel = "Edit Year";
    std::string EnterYearPrompt = "Enter Valid Year";
};

// Texts of the locate dialog.
class TwwLocateDialogIntl : public TPersistent {
    VEX_CLASS(TwwLocateDialogIntl, TPersistent)

public:
    void CopyTexts(const TwwLocateDialogIntl& Source);

    std::string FieldValueLabel = "Field &Value";
    std::string SearchTypeLabel = "&Search Type";
    std::string CaseSensitiveLabel = "&Case-sensitive";
    std::string MatchExactLabel = "&Exact Match";
    std::string MatchStartLabel = "&Partial Match at Beginning";
    std::string MatchAnyLabel = "Partial Match &Anywhere";
    std::string FieldsLabel = "&Fields";
    std::string BtnFirst = "Fi&rst";
    std::string BtnNext = "&Next";
    std::string BtnCancel = "Cancel";
    std::string FieldValueHint = "Enter field's search value";
    std::string CaseSensitiveHint = "Searching is case-sensitive";
    std::string MatchExactHint = "Match occurs only if there is an exact match";
    std::string MatchStartHint = "Match occurs if the start of the field's value matches";
    std::string MatchAnyHint = "Match occurs if any part of the field matches";
    std::string BtnFirstHint = "Find first match";
    std::string BtnNextHint = "Find next match from current record";
    std::string FieldNameHint = "Select the field to search on";
};

// Hints of the navigator's buttons; the two page hints take the number of records moved
// (%d).
class TwwDBNavigatorIntlHints : public TPersistent {
    VEX_CLASS(TwwDBNavigatorIntlHints, TPersistent)

public:
    void CopyTexts(const TwwDBNavigatorIntlHints& Source);

    std::string FirstHint = "Move to first record";
    std::string PriorHint = "Move to prior record";
    std::string NextHint = "Move to next record";
    std::string LastHint = "Move to last record";
    std::string InsertHint = "Insert new record";
    std::string DeleteHint = "Delete current record";
    std::string EditHint = "Edit current record";
    std::string PostHint = "Post changes of current record";
    std::string CancelHint = "Cancel changes made to current record";
    std::string RefreshHint = "Refresh the contents of the dataset";
    std::string PriorPageHint = "Move backward %d records";
    std::string NextPageHint = "Move forward %d records";
    std::string SaveBookmarkHint = "Bookmark current record";
    std::string RestoreBookmarkHint = "Go back to saved bookmark";
    std::string RecordViewDialogHint = "View current record";
    std::string LocateDialogHint = "Locate a specific record";
    std::string FilterDialogHint = "Filter the dataset";
    std::string SearchDialogHint = "Search the dataset";
};

// Texts of the navigator.
class TwwDBNavigatorIntl : public TPersistent {
    VEX_CLASS(TwwDBNavigatorIntl, TPersistent)

public:
    TwwDBNavigatorIntl();
    ~TwwDBNavigatorIntl() override;
    TwwDBNavigatorIntlHints* Hints() const { return FHints.get(); }

    void CopyTexts(const TwwDBNavigatorIntl& Source);

    std::string ConfirmDeleteMessage = "Delete record?";

private:
    std::unique_ptr<TwwDBNavigatorIntlHints> FHints;
};

}  // namespace vex
