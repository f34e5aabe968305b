#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "dataaware/richedit/wwformposition.h"
#include "dataaware/richedit/wwprintmargins.h"
#include "dataaware/richedit/wwrichsearch.h"
#include "dataaware/richedit/wwrichstrings.h"
#include "platform/core/set.h"
#include "platform/rich/richedit.h"

namespace vex {

class TFindDialog;
class TReader;
class TReplaceDialog;
class TStream;
class TwwCustomRichEdit;

// Lines wrap at the window's width, or at the printed page's so that they break as printed.
enum TwwRichEditWidth { rewWindowSize, rewPrinterSize };

enum TwwRichEditOleOption { reoAdjustPopupMenu, reoDisableOLE };
using TwwRichEditOleOptions = TSet<TwwRichEditOleOption, 8>;

enum TSearchType { stWholeWord, stMatchCase };
using TSearchTypes = TSet<TSearchType, 8>;

// A link was clicked: a handler that opens URLLink itself sets UseDefault to false.
using TwwURLOpenEvent =
    std::function<void(TwwCustomRichEdit* Sender, const std::string& URLLink, bool& UseDefault)>;

// Switches a program may set per control. Entry 0 false: every search runs down the text;
// entry 1 false: the control is of the version 2 window class. The rest are read by parts of
// the library built elsewhere.
using TwwCompatibilitySwitches = std::array<std::variant<bool, int32_t>, 7>;

// The library's rich-text control: clickable links, find and replace, printing within margins
// with lines that can break as on the page, and its document stored with its form.
class TwwCustomRichEdit : public TCustomRichEdit {
    VEX_CLASS(TwwCustomRichEdit, TCustomRichEdit)

public:
    explicit TwwCustomRichEdit(TComponent* AOwner);
    ~TwwCustomRichEdit() override;

    TwwRichEditStrings& Lines() { return *FWwLines; }
    void SetLines(const TStrings& Value);

    // Stored as 2 whatever it reads; a stream without it loads as version 1.
    int32_t RichEditVersion() const { return FRichEditVersion; }
    TwwRichEditOleOptions OleOptions() const { return FOleOptions; }
    void SetOleOptions(TwwRichEditOleOptions Value);

    bool AutoURLDetect() const { return FAutoURLDetect; }
    void SetAutoURLDetect(bool Value);
    TwwURLOpenEvent OnURLOpen;

    const std::string& EditorCaption() const { return FEditorCaption; }
    void SetEditorCaption(const std::string& Value) { FEditorCaption = Value; }
    TwwFormPosition& EditorPosition() { return FEditorPosition; }
    void SetEditorPosition(const TwwFormPosition& Value) { FEditorPosition.Assign(&Value); }

    TwwPrintMargins& PrintMargins() { return FPrintMargins; }
    void SetPrintMargins(const TwwPrintMargins& Value) { FPrintMargins.Assign(&Value); }
    TwwMeasurementUnits MeasurementUnits() const { return FMeasurementUnits; }
    void SetMeasurementUnits(TwwMeasurementUnits Value) { FMeasurementUnits = Value; }
    TwwRichEditWidth EditWidth() const { return FEditWidth; }
    void SetEditWidth(TwwRichEditWidth Value);
    // A paper-size code of the printer's device mode (DMPAPER_LETTER after construction).
    int16_t PaperSize() const { return FPaperSize; }
    void SetPaperSize(int16_t Value);
    const std::string& PrintJobName() const { return FPrintJobName; }
    void SetPrintJobName(const std::string& Value) { FPrintJobName = Value; }

    TwwCompatibilitySwitches CompatibilitySwitches;

    // A search text has been used (the editor window offers Find Next then).
    bool HasLastSearchText() const { return !FLastSearchText.empty(); }
    TFindDialog& FindDialog() const { return *FFindDialog; }
    TReplaceDialog& ReplaceDialog() const { return *FReplaceDialog; }

    // Runs down the text unless compatibility switch 0 is set.
    using TCustomRichEdit::FindText;
    int32_t FindText(const std::string& Text, int32_t Start, int32_t End,
                     uint32_t Options) override;
    // SearchStr within [StartPos, StartPos + Length), searching down; -1 when not found.
    virtual int32_t FindText(const std::string& SearchStr, int32_t StartPos, int32_t Length,
                             TSearchTypes Options);
    // Show the dialog beside the control, filled with the selection (when it is on one line)
    // or the last search text; the search starts at the caret, the selection stays visible.
    virtual void ShowFindDialog();
    virtual void ShowReplaceDialog();

    // Pages fit within PrintMargins; a request without a printer keeps its own rectangle.
    int32_t FormatRange(const TFormatRange* Range, bool Render) override;
    // EPrinter without a printer, or when the margins leave no room on the sheet.
    void Print(const std::string& Caption) override;

    // Reads the control from a form's stored properties. A read that fails leaves the document,
    // its plain-text mode and RichEditVersion as they were.
    virtual void ReadState(TReader& Reader);
    // Stream (from its position) in place of the document, or of the selection: RTF when it
    // is RTF, plain text otherwise or in plain-text mode. A stream that cannot be read raises
    // EReadError ("Failed to Load Stream") and changes nothing.
    virtual void ReadFromStream(TStream& Stream, bool IntoSelection);

protected:
    // Whether a data field supplies the document (which is then not stored with the form).
    virtual bool IsBound() const { return false; }
    virtual void DoURLOpen(const std::string& URLLink, bool& UseDefault);
    virtual void DoFindNext(TFindDialog& Dialog);
    virtual void DoReplace(TReplaceDialog& Dialog);

    void DefineProperties(TFiler& Filer) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DefaultHandler(TMessage& Message) override;
    void LinkNotify(const TENLink& Link) override;
    void SelectionChange() override;
    void Paint() override;
    void Resize() override;

private:
    class TDialogSearch;

    // The entries of CompatibilitySwitches this control reads.
    enum TSwitch : size_t { SearchEitherWay = 0, Version1Class = 1 };
    bool Switch(TSwitch Which) const;
    std::string WindowClassName() const;
    void ReadData(TReader& Reader);
    void WriteData(TWriter& Writer);
    void ReadVersion(TReader& Reader);
    void MatchWindowClass();
    void ReadStoredProperties(TReader& Reader);
    // The search a dialog's button asks for.
    void Search(TFindDialog& Dialog, TwwSearchRequest Request);
    void ShowSearchDialog(TFindDialog& Dialog);
    void SearchDialogClosed(const TFindDialog& Dialog);
    void NoMoreMatches();
    // The text's width and the formatting rectangle, as EditWidth says.
    void LayoutText();
    void ApplyPaperSize();

    std::unique_ptr<TwwRichEditStrings> FWwLines;
    int32_t FRichEditVersion = 2;
    TwwRichEditOleOptions FOleOptions;
    bool FAutoURLDetect = false;
    bool FLinkButtonDown = false;
    std::string FEditorCaption = "Edit Rich Text";
    TwwFormPosition FEditorPosition;
    TwwPrintMargins FPrintMargins;
    TwwMeasurementUnits FMeasurementUnits = muInches;
    TwwRichEditWidth FEditWidth = rewWindowSize;
    int16_t FPaperSize = 1;
    std::string FPrintJobName;
    int32_t FLeftInset = 0;
    TRect FLastFormatRect;
    int32_t FLastTargetWidth = 0;  // twips; 0: the window's width
    bool FLayoutDone = false;
    bool FDataRead = false;
    TwwSearchState FSearch;
    std::string FLastSearchText;
    bool FKeptHideSelection = true;
    TFindDialog* FFindDialog = nullptr;
    TReplaceDialog* FReplaceDialog = nullptr;

    friend class TwwDBRichEdit;
};

// The rich-text control forms place. It reads its document from a data field once bound; until
// then DataField only names the field.
class TwwDBRichEdit : public TwwCustomRichEdit {
    VEX_CLASS(TwwDBRichEdit, TwwCustomRichEdit)

public:
    explicit TwwDBRichEdit(TComponent* AOwner);

    const std::string& DataField() const { return FDataField; }
    void SetDataField(const std::string& Value) { FDataField = Value; }

protected:
    bool IsBound() const override { return !FDataField.empty(); }

private:
    std::string FDataField;
};

}  // namespace vex
