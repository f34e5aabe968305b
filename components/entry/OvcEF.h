#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "components/entry/OvcBase.h"
#include "components/entry/OvcCaret.h"
#include "components/entry/OvcColor.h"
#include "components/entry/OvcData.h"
#include "components/entry/OvcMisc.h"
#include "components/entry/OvcSpinTarget.h"
#include "platform/core/set.h"

namespace vex {

class TBitmap;
class TCustomForm;
class TOvcIntlSup;

// The entry fields' own command codes, next to the translation's 252, 254 and 255.
inline constexpr uint16_t ccChar = 249;
inline constexpr uint16_t ccMouse = 250;
inline constexpr uint16_t ccMouseMove = 251;
inline constexpr uint16_t ccDblClk = 253;

// The field type: a data-type code in the low six bits and the field class above it.
inline constexpr uint8_t fcPictureBit = 64;
inline constexpr uint8_t fcNumericBit = 128;
inline constexpr uint8_t fcDataTypeMask = 63;

// The longest text a field holds.
inline constexpr uint16_t MaxEntryFieldLength = 255;

enum TEntryFieldClass : uint8_t { fcSimple, fcPicture, fcNumeric };

// The mask characters that stand for what is typed (the rest are literals, but for the floating
// "$" and ",").
bool IsPictureChar(char C);

enum TZeroDisplay { zdShow, zdHide, zdHideUntilModified };

enum TEntryState : uint8_t {
    esModified,
    esModifiedSinceEnter,
    esInvalid,
    esMouseEntering,
    esValidating,
    esNoValidate,
    esHasFocus,
    esErrorPosted,
    esRefocusing,
    esLeavingForm,
    esInsertMode,
    esAllowChar,
    esAltNumpad,
    esStoringValue,
    esFetchingValue,
    esReformatOnExit,
    esNoLiterals
};
using TEntryStates = TSet<TEntryState, 32>;

// The validation error codes of the entry fields; user validation adds its own from 32768 on.
inline constexpr uint16_t oeRangeError = 256;
inline constexpr uint16_t oeInvalidNumber = 257;
inline constexpr uint16_t oeRequiredField = 258;
inline constexpr uint16_t oeInvalidDate = 259;
inline constexpr uint16_t oeInvalidTime = 260;
inline constexpr uint16_t oeBlanksInField = 261;
inline constexpr uint16_t oePartialEntry = 262;
inline constexpr uint16_t oeCustomError = 32768;

using TValidationErrorEvent =
    std::function<void(TObject* Sender, uint16_t ErrorCode, const std::string& ErrorMsg)>;
using TUserCommandEvent = std::function<void(TObject* Sender, uint16_t Command)>;
using TUserValidationEvent = std::function<void(TObject* Sender, uint16_t& ErrorCode)>;

// The single-line data-entry control the picture and numeric fields descend from. It keeps
// the text exactly as shown, a typed value behind it with a range, and a validation whose
// errors are codes reported through the form's controller once the focus change is complete:
// the field that failed takes the focus back, and the controller reports one error at a time.
// It draws itself, and turns keys into editing commands through the controller's tables;
// what a command does is the descendant's PerformEdit.
class TOvcBaseEntryField : public TOvcBase, public TOvcSpinTarget {
    VEX_CLASS(TOvcBaseEntryField, TOvcBase)

public:
    explicit TOvcBaseEntryField(TComponent* AOwner);
    ~TOvcBaseEntryField() override;

    // Published properties.
    bool ArrowIncDec() const { return FArrowIncDec; }
    void SetArrowIncDec(bool Value);
    bool AutoAdvanceChar() const { return FAutoAdvanceChar; }
    void SetAutoAdvanceChar(bool Value) { FAutoAdvanceChar = Value; }
    bool AutoAdvanceLeftRight() const { return FAutoAdvanceLeftRight; }
    void SetAutoAdvanceLeftRight(bool Value) { FAutoAdvanceLeftRight = Value; }
    bool AutoAdvanceUpDown() const { return FAutoAdvanceUpDown; }
    void SetAutoAdvanceUpDown(bool Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    bool BeepOnError() const { return FBeepOnError; }
    void SetBeepOnError(bool Value) { FBeepOnError = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TOvcCaret* CaretIns() const { return FCaret->CaretIns(); }
    void SetCaretIns(TOvcCaretRef Value) { FCaret->SetCaretIns(std::move(Value)); }
    TOvcCaret* CaretOvr() const { return FCaret->CaretOvr(); }
    void SetCaretOvr(TOvcCaretRef Value) { FCaret->SetCaretOvr(std::move(Value)); }
    TOvcColors& DisabledColors() { return FDisabledColors; }
    TOvcColors& ErrorColors() { return FErrorColors; }
    TOvcColors& HighlightColors() { return FHighlightColors; }
    bool InputRequired() const { return FInputRequired; }
    void SetInputRequired(bool Value);
    char PadChar() const { return FPadChar; }
    void SetPadChar(char Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool SoftValidation() const { return FSoftValidation; }
    void SetSoftValidation(bool Value) { FSoftValidation = Value; }
    int32_t TextMargin() const { return FTextMargin; }
    // Values below 2 are ignored.
    void SetTextMargin(int32_t Value);
    bool Uninitialized() const { return FUninitialized; }
    void SetUninitialized(bool Value);
    TZeroDisplay ZeroDisplay() const { return FZeroDisplay; }
    void SetZeroDisplay(TZeroDisplay Value);
    double ZeroDisplayValue() const { return FZeroDisplayValue; }
    void SetZeroDisplayValue(double Value);
    // The range as text in the field's type; a text that does not parse raises
    // EInvalidRangeValue. The stored form is the raw "RangeHigh" and "RangeLow".
    std::string RangeHi() const;
    void SetRangeHi(const std::string& Value);
    std::string RangeLo() const;
    void SetRangeLo(const std::string& Value);

    // Unpublished options.
    bool CaretToEnd() const { return FCaretToEnd; }
    void SetCaretToEnd(bool Value) { FCaretToEnd = Value; }
    TColor CtrlColor() const { return FCtrlColor; }
    void SetCtrlColor(TColor Value);
    uint8_t DecimalPlaces() const { return FDecimalPlaces; }
    void SetDecimalPlaces(uint8_t Value);
    bool ForceInsert() const { return FForceInsert; }
    void SetForceInsert(bool Value);
    bool ForceOvertype() const { return FForceOvertype; }
    void SetForceOvertype(bool Value);
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    bool PasswordMode() const { return FPasswordMode; }
    void SetPasswordMode(bool Value);
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);
    bool RightJustify() const { return FRightJustify; }
    void SetRightJustify(bool Value);
    bool StripLiterals() const { return FStripLiterals; }
    void SetStripLiterals(bool Value);

    // Clamped to 1 to 255, also while loading, and outside loading not below the mask's
    // length; the text is cut to it.
    uint16_t MaxLength() const { return FMaxLength; }
    void SetMaxLength(int32_t Value);
    TOvcUserData& UserData() const { return *FUserData; }
    void SetUserData(TOvcUserData* Value);
    TOvcIntlSup& IntlSup() const;

    uint16_t LastError() const { return LastErrorCode; }
    uint16_t DataSize() const;
    uint8_t DataType() const { return FieldType & fcDataTypeMask; }
    TEntryFieldClass FieldClass() const {
        return (FieldType & fcNumericBit) != 0   ? fcNumeric
               : (FieldType & fcPictureBit) != 0 ? fcPicture
                                                 : fcSimple;
    }
    // The text as shown, mask literals included.
    const std::string& EditText() const { return EditString; }
    TEntryStates State() const { return EntryState; }
    bool Modified() const { return EntryState.Contains(esModified); }
    uint16_t SelectionStart() const { return SelStart; }
    uint16_t SelectionEnd() const { return SelEnd; }
    uint16_t CaretPosition() const { return CaretPos; }

    // The value of a LongInt, Word, SmallInt, Byte or ShortInt field (another type raises
    // EInvalidDataType); 0 when the text does not validate, LastError telling why.
    int32_t GetAsInteger();
    // Stores Value cut to the type's width, without a range check.
    void SetAsInteger(int32_t Value);
    // Stores a value given as text; one that does not parse raises EEntryFieldError.
    virtual void SetAsString(const std::string& Text);
    // Copies Data's value into the field (the caller's buffer holds DataSize bytes of the
    // type); a data type above 15 raises EOvcException.
    void SetValue(const void* Data);
    // Copies the value out when the text validates; answers the validation's code.
    uint16_t GetValue(void* Data);

    // The text the field had when it took the focus, back.
    void Restore();
    // Selects Start to End, both clamped to the text; nothing when End is before Start.
    void SetSelection(uint16_t Start, uint16_t End) override;

    // What a spinner asks (OvcSpinTarget.h): only a field with a number has a value to step,
    // and every field runs the command as its keys would.
    void IncreaseValue(bool /*Wrap*/, double /*Delta*/) override {}
    void DecreaseValue(bool /*Wrap*/, double /*Delta*/) override {}
    void PerformSpinCommand(uint16_t Command) override {
        TMessage msg{0, 0, 0, 0};
        DoEdit(msg, Command);
    }

    // Virtual operations, in the order descendants rely on.
    virtual bool ValidateContents(bool ReportError);
    virtual void MoveCaretToEnd();
    virtual void MoveCaretToStart();
    // Carries out one editing command. esAllowChar is clear on entry; an implementation sets it
    // for ccNoKeyMatch and for every command it does not handle, so that the key's character
    // is typed. ccChar has the character in Msg.WParam, ccPaste the text to paste as a
    // const std::string* in Msg.LParam, the mouse commands the mouse message.
    virtual void PerformEdit(TMessage& Msg, uint16_t Cmd) = 0;
    virtual uint16_t FirstEditPosition() { return 0; }
    virtual bool IsEmpty();
    virtual std::string GetDisplayString();
    virtual bool GetReadOnly() { return FReadOnly; }
    virtual void FixOptions();
    virtual void PlaceCaretOnEnter();
    // Direction 0 answers DataSize; 1 copies the typed value out to Data; 2 stores the value at
    // Data into the field. Answers DataSize.
    virtual uint16_t TransferData(void* Data, uint8_t Direction);
    virtual uint16_t ValidateData() = 0;
    virtual void SetCaretPosition(int32_t Pos);

    TNotifyEvent OnChange;
    TValidationErrorEvent OnError;
    TUserCommandEvent OnUserCommand;
    TUserValidationEvent OnUserValidation;

    void WndProc(TMessage& Message) override;
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

protected:
    void DefineProperties(TFiler& Filer) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Paint() override;
    // The height follows the font while AutoSize is on.
    void AdjustBounds() override;
    void SetName(const std::string& Value) override;

    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMKeyDown(TMessage& Message) override;
    void WMChar(TMessage& Message) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMLButtonDblClk(TMessage& Message) override;
    void WMMouseMove(TMessage& Message) override;
    void WMRButtonUp(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMCtl3DChanged(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

    // Runs one command as the keyboard, mouse and edit messages do: the read-only and user
    // command rules, then PerformEdit, then the caret.
    void DoEdit(TMessage& Msg, uint16_t Cmd);
    // Fires OnChange unless a value is being stored by the program.
    void DoOnChange();
    void Beep();
    bool FieldHasFocus() const { return EntryState.Contains(esHasFocus); }
    // The clipboard's text up to its first NUL and MaxLength bytes; empty when it has none.
    std::string ClipboardText();
    // Recomputes the text's vertical offset for the current font, border and height.
    void UpdateTopMargin();
    // Puts the caret where CaretPos says, scrolling the text to keep it in view.
    void UpdateCaret();
    void SetInsertMode(bool Value);
    // The character index nearest to a client X, as a click or a drag selects.
    uint16_t CharIndexAt(int32_t X);

    // Text conversions of the field's type, as the range and SetAsString use them; false
    // when Text does not read as a value of the type.
    bool TextToExtended(const std::string& Text, long double& Value) const;
    bool TextToRange(const std::string& Text, TRangeType& Value) const;
    std::string RangeToText(const TRangeType& Value) const;
    // The full range of the field's type.
    void ResetRange();
    // The base the mask shows integers in: 16 ("K"), 8 ("O"), 2 ("b") or 10.
    int NumberBase() const;

    // The field's state, shared with the picture and numeric fields.
    uint16_t LastErrorCode = 0;
    uint8_t FieldType = 0;
    std::string EditString;
    uint16_t HDelta = 0;
    uint16_t CaretPos = 0;
    std::string Mask = "X";
    uint16_t SelStart = 0;
    uint16_t SelEnd = 0;
    std::optional<std::string> SavedText;
    int32_t TopMargin = 0;
    TEntryStates EntryState;
    TRangeType RangeHiValue{};
    TRangeType RangeLoValue{};

private:
    // The rest of the interactive half, by concern (OvcEFInput.cpp, OvcEFPaint.cpp).
    void PostError(uint16_t Code);
    void ReportError(uint16_t Code);
    void CopyToClipboard();
    void ShowOwnMenu(TPoint Screen);
    // The captions of the field's own menu from the component table, "-" for a separator.
    static std::string OwnMenuCaption(int32_t Index);
    bool CommandIsEditing(uint16_t Cmd) const;
    void ReadRange(TReader& Reader, TRangeType& Range);
    void WriteRange(TWriter& Writer, const TRangeType& Range) const;
    bool HasRange() const;
    void SetRangeText(const std::string& Value, TRangeType& Range);
    void ValueToText(const void* Data);
    bool TextToValue(void* Data) const;
    int32_t TextWidthOf(const std::string& Text);
    void PaintText(TCanvas& Canvas);
    int32_t CaretLeft(const std::string& Display);
    void ClearErrorPendingIfOurs();
    TCustomForm* Form();

    bool FArrowIncDec = false;
    bool FAutoAdvanceChar = false;
    bool FAutoAdvanceLeftRight = false;
    bool FAutoAdvanceUpDown = false;
    bool FAutoSelect = true;
    bool FBeepOnError = true;
    TBorderStyle FBorderStyle = bsSingle;
    std::unique_ptr<TOvcCaretPair> FCaret;
    // Measures text in the field's font whether or not the window exists.
    std::unique_ptr<TBitmap> FMeasure;
    TOvcColors FDisabledColors;
    TOvcColors FErrorColors;
    TOvcColors FHighlightColors;
    bool FInputRequired = false;
    char FPadChar = ' ';
    bool FReadOnly = false;
    bool FSoftValidation = false;
    int32_t FTextMargin = 2;
    bool FUninitialized = false;
    TZeroDisplay FZeroDisplay = zdShow;
    double FZeroDisplayValue = 0;
    bool FCaretToEnd = true;
    TColor FCtrlColor = clRed;
    uint8_t FDecimalPlaces = 0;
    bool FForceInsert = false;
    bool FForceOvertype = false;
    char FPasswordChar = '*';
    bool FPasswordMode = false;
    bool FRightAlign = false;
    bool FRightJustify = false;
    bool FStripLiterals = false;
    uint16_t FMaxLength = 15;
    TOvcUserData* FUserData;
    // Whether this field set the controller's ErrorPending, so that it clears only its own.
    bool FOwnsErrorPending = false;
    // Set once destruction began: the descendant's operations are gone, so a focus change
    // then neither validates nor edits.
    bool FDestroying = false;
};

}  // namespace vex
