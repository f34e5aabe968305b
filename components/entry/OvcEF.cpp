#include "components/entry/OvcEF.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "components/entry/OvcErrors.h"
#include "components/entry/OvcIntl.h"
#include "components/entry/OvcStr.h"
#include "components/entry/OvcTexts.h"
#include "platform/core/filer.h"
#include "platform/gfx/cursors.h"
#include "platform/ui/form.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"
#include "platform/win/windowstyles.h"

namespace vex {

namespace {

// Sets a state flag for a scope.
class TStateScope {
public:
    TStateScope(TEntryStates& States, TEntryState Flag) : FStates(States), FFlag(Flag) {
        FStates.Include(FFlag);
    }
    ~TStateScope() { FStates.Exclude(FFlag); }
    TStateScope(const TStateScope&) = delete;
    TStateScope& operator=(const TStateScope&) = delete;

private:
    TEntryStates& FStates;
    TEntryState FFlag;
};

}  // namespace

bool IsPictureChar(char C) {
    static constexpr std::string_view Picture = "!#123456789ABDEHKLMNOSXYabdhilmnstxy";
    return Picture.find(C) != std::string_view::npos;
}

TOvcBaseEntryField::TOvcBaseEntryField(TComponent* AOwner)
    : TOvcBase(AOwner),
      FCaret(std::make_unique<TOvcCaretPair>(this)),
      FDisabledColors(clWindow, clGrayText),
      FErrorColors(clRed, clBlack),
      FHighlightColors(clHighlight, clHighlightText),
      FUserData(&DefaultUserData()) {
    TOvcBase::SetBounds(Left(), Top(), 130, 25);
    SetTabStop(true);
    SetCursor(crIBeam);
    SetParentColor(false);
    SetColor(clWindow);
    TControl::SetAutoSize(true);
    for (TOvcColors* colors : {&FDisabledColors, &FErrorColors, &FHighlightColors})
        colors->OnColorChange = [this](TObject*) { Invalidate(); };
    EntryState.Include(esInsertMode);
}

TOvcBaseEntryField::~TOvcBaseEntryField() {
    FDestroying = true;
    ClearErrorPendingIfOurs();
    if (TCustomForm* form = Form(); form != nullptr && form->ActiveControl() == this)
        form->DefocusControl(this, true);
}

TCustomForm* TOvcBaseEntryField::Form() {
    return GetParentForm(this);
}

void TOvcBaseEntryField::SetArrowIncDec(bool Value) {
    FArrowIncDec = Value;
    if (Value) FAutoAdvanceUpDown = false;
}

void TOvcBaseEntryField::SetAutoAdvanceUpDown(bool Value) {
    FAutoAdvanceUpDown = Value;
    if (Value) FArrowIncDec = false;
}

void TOvcBaseEntryField::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone && Value != bsSingle) return;
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
    UpdateTopMargin();
    AdjustBounds();
}

void TOvcBaseEntryField::SetInputRequired(bool Value) {
    FInputRequired = Value;
    if (ComponentState().Contains(csDesigning) && Value && DataType() >= fsubChar &&
        DataType() <= fsubComp)
        FUninitialized = true;
}

void TOvcBaseEntryField::SetPadChar(char Value) {
    if (FPadChar == Value) return;
    FPadChar = Value;
    Invalidate();
}

void TOvcBaseEntryField::SetTextMargin(int32_t Value) {
    if (Value < 2 || Value == FTextMargin) return;
    FTextMargin = Value;
    Invalidate();
}

void TOvcBaseEntryField::SetUninitialized(bool Value) {
    if (FUninitialized == Value) return;
    FUninitialized = Value;
    Invalidate();
}

void TOvcBaseEntryField::SetZeroDisplay(TZeroDisplay Value) {
    FZeroDisplay = Value;
    Invalidate();
}

void TOvcBaseEntryField::SetZeroDisplayValue(double Value) {
    FZeroDisplayValue = Value;
    Invalidate();
}

void TOvcBaseEntryField::SetCtrlColor(TColor Value) {
    FCtrlColor = Value;
    Invalidate();
}

void TOvcBaseEntryField::SetDecimalPlaces(uint8_t Value) {
    if (FDecimalPlaces == Value) return;
    FDecimalPlaces = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TOvcBaseEntryField::SetForceInsert(bool Value) {
    FForceInsert = Value;
    if (Value) {
        FForceOvertype = false;
        SetInsertMode(true);
    }
}

void TOvcBaseEntryField::SetForceOvertype(bool Value) {
    FForceOvertype = Value;
    if (Value) {
        FForceInsert = false;
        SetInsertMode(false);
    }
}

void TOvcBaseEntryField::SetPasswordChar(char Value) {
    FPasswordChar = Value;
    Invalidate();
}

void TOvcBaseEntryField::SetPasswordMode(bool Value) {
    FPasswordMode = Value;
    if (!ComponentState().Contains(csLoading)) FixOptions();
    Invalidate();
}

void TOvcBaseEntryField::SetRightAlign(bool Value) {
    FRightAlign = Value;
    Invalidate();
}

void TOvcBaseEntryField::SetRightJustify(bool Value) {
    FRightJustify = Value;
    if (!ComponentState().Contains(csLoading)) FixOptions();
}

void TOvcBaseEntryField::SetStripLiterals(bool Value) {
    FStripLiterals = Value;
    if (!ComponentState().Contains(csLoading)) FixOptions();
}

void TOvcBaseEntryField::SetMaxLength(int32_t Value) {
    // The text lives in a buffer of 255 characters; no stored value may reach past it. The
    // clamp comes before any narrowing, so that 65536 is not taken for 0.
    auto length = static_cast<uint16_t>(std::clamp<int32_t>(Value, 1, MaxEntryFieldLength));
    if (!ComponentState().Contains(csLoading))
        length = std::max<uint16_t>(
            length, static_cast<uint16_t>(std::min<size_t>(Mask.size(), MaxEntryFieldLength)));
    if (length == FMaxLength) return;
    FMaxLength = length;
    if (EditString.size() > length) EditString.resize(length);
    CaretPos = std::min<uint16_t>(CaretPos, length);
    SelStart = std::min<uint16_t>(SelStart, length);
    SelEnd = std::min<uint16_t>(SelEnd, length);
    if (HandleAllocated() && !ComponentState().Contains(csLoading)) RecreateWnd();
}

void TOvcBaseEntryField::SetUserData(TOvcUserData* Value) {
    FUserData = Value != nullptr ? Value : &DefaultUserData();
    Invalidate();
}

TOvcIntlSup& TOvcBaseEntryField::IntlSup() const {
    return OvcIntlSup();
}

uint16_t TOvcBaseEntryField::DataSize() const {
    const uint8_t code = DataType();
    if (code != fsubString) return static_cast<uint16_t>(ValueSizeOf(code));
    if (FieldClass() == fcPicture && FStripLiterals) {
        const auto kept = std::count_if(Mask.begin(), Mask.end(), [](char c) {
            return IsPictureChar(c) || c == '$' || c == ',';
        });
        const int32_t size =
            FMaxLength - static_cast<int32_t>(Mask.size()) + static_cast<int32_t>(kept) + 1;
        return static_cast<uint16_t>(std::max(size, 1));
    }
    return static_cast<uint16_t>(FMaxLength + 1);
}

void TOvcBaseEntryField::FixOptions() {
    const uint8_t code = DataType();
    const auto off = [](bool& Option) { Option = false; };
    switch (FieldClass()) {
        case fcNumeric:
            for (bool* option : {&FCaretToEnd, &FForceInsert, &FForceOvertype, &FRightJustify,
                                 &FStripLiterals, &FPasswordMode})
                off(*option);
            return;
        case fcSimple:
            if (code == fsubString || (code >= fsubLongInt && code <= fsubComp)) {
                off(FRightJustify);
                off(FStripLiterals);
            }
            break;
        case fcPicture:
            if (code >= fsubLongInt && code <= fsubComp) off(FStripLiterals);
            if (code == fsubDate || code == fsubTime) {
                off(FStripLiterals);
                off(FRightJustify);
            }
            break;
    }
    if (code >= fsubChar && code <= fsubYesNo)
        for (bool* option :
             {&FCaretToEnd, &FForceInsert, &FForceOvertype, &FRightJustify, &FStripLiterals})
            off(*option);
}

int TOvcBaseEntryField::NumberBase() const {
    if (Mask.find('K') != std::string::npos) return 16;
    if (Mask.find('O') != std::string::npos) return 8;
    if (Mask.find('b') != std::string::npos) return 2;
    return 10;
}

bool TOvcBaseEntryField::IsEmpty() {
    return EditString.find_first_not_of(' ') == std::string::npos;
}

void TOvcBaseEntryField::MoveCaretToEnd() {
    CaretPos = static_cast<uint16_t>(EditString.size());
}

void TOvcBaseEntryField::MoveCaretToStart() {
    CaretPos = 0;
    HDelta = 0;
}

void TOvcBaseEntryField::PlaceCaretOnEnter() {
    if (FCaretToEnd)
        MoveCaretToEnd();
    else
        MoveCaretToStart();
}

void TOvcBaseEntryField::SetCaretPosition(int32_t Pos) {
    if (!FieldHasFocus()) return;
    const auto length = static_cast<int32_t>(EditString.size());
    CaretPos = static_cast<uint16_t>(Pos < 0 ? 0 : Pos > length ? length + 1 : Pos);
    CaretPos = std::min<uint16_t>(CaretPos, FMaxLength);
    UpdateCaret();
}

void TOvcBaseEntryField::ResetRange() {
    RangeLoValue = TypeRangeLo(DataType());
    RangeHiValue = TypeRangeHi(DataType());
}

bool TOvcBaseEntryField::HasRange() const {
    const uint8_t code = DataType();
    return code != fsubString && code != fsubBoolean && code != fsubYesNo;
}

// Both bounds are exactly ten bytes, high first; anything else is a damaged resource.
void TOvcBaseEntryField::DefineProperties(TFiler& Filer) {
    TOvcBase::DefineProperties(Filer);
    const bool hasRange = HasRange();
    Filer.DefineProperty(
        "RangeHigh", [this](TReader& Reader) { ReadRange(Reader, RangeHiValue); },
        [this](TWriter& Writer) { WriteRange(Writer, RangeHiValue); }, hasRange);
    Filer.DefineProperty(
        "RangeLow", [this](TReader& Reader) { ReadRange(Reader, RangeLoValue); },
        [this](TWriter& Writer) { WriteRange(Writer, RangeLoValue); }, hasRange);
}

void TOvcBaseEntryField::ReadRange(TReader& Reader, TRangeType& Range) {
    const std::string bytes = Reader.ReadBinary();
    if (bytes.size() != Range.size())
        throw EReadError("Error reading " + ClassName() + ": a range value is " +
                         std::to_string(bytes.size()) + " bytes, not 10");
    std::memcpy(Range.data(), bytes.data(), Range.size());
}

void TOvcBaseEntryField::WriteRange(TWriter& Writer, const TRangeType& Range) const {
    Writer.WriteBinary(std::string(Range.begin(), Range.end()));
}

std::string TOvcBaseEntryField::RangeHi() const {
    return RangeToText(RangeHiValue);
}

std::string TOvcBaseEntryField::RangeLo() const {
    return RangeToText(RangeLoValue);
}

void TOvcBaseEntryField::SetRangeHi(const std::string& Value) {
    SetRangeText(Value, RangeHiValue);
}

void TOvcBaseEntryField::SetRangeLo(const std::string& Value) {
    SetRangeText(Value, RangeLoValue);
}

void TOvcBaseEntryField::SetRangeText(const std::string& Value, TRangeType& Range) {
    if (ComponentState().Contains(csLoading)) return;
    TRangeType parsed{};
    if (!TextToRange(Value, parsed)) throw EInvalidRangeValue(DataType(), IntlSup());
    Range = parsed;
}

void TOvcBaseEntryField::SetValue(const void* Data) {
    if (ComponentState().Contains(csLoading)) return;
    HandleNeeded();
    if (DataType() > fsubTime) throw EOvcException(GetOvcString(scInvalidParameter));
    const TStateScope storing(EntryState, esStoringValue);
    // One buffer serves both directions; storing only reads it.
    TransferData(const_cast<void*>(Data), 2);
}

uint16_t TOvcBaseEntryField::GetValue(void* Data) {
    const TStateScope fetching(EntryState, esFetchingValue);
    const uint16_t code = ValidateData();
    if (code == 0) TransferData(Data, 1);
    return code;
}

int32_t TOvcBaseEntryField::GetAsInteger() {
    const uint8_t code = DataType();
    if (!IsIntegerCode(code)) throw EInvalidDataType();
    uint8_t buffer[sizeof(int32_t)] = {};
    LastErrorCode = GetValue(buffer);
    if (LastErrorCode != 0) return 0;
    return static_cast<int32_t>(ReadNumericValue(code, buffer));
}

void TOvcBaseEntryField::SetAsInteger(int32_t Value) {
    const uint8_t code = DataType();
    if (!IsIntegerCode(code)) throw EInvalidDataType();
    uint8_t buffer[sizeof(int32_t)] = {};
    WriteNumericValue(code, Value, buffer);
    SetValue(buffer);
}

void TOvcBaseEntryField::SetAsString(const std::string& Text) {
    if (ComponentState().Contains(csLoading)) return;
    const uint8_t code = DataType();
    std::vector<uint8_t> buffer(std::max<size_t>(DataSize(), MaxEntryFieldLength + 1), 0);
    if (code == fsubString) {
        std::memcpy(buffer.data(), Text.data(), std::min<size_t>(Text.size(), MaxEntryFieldLength));
    } else if (code == fsubBoolean || code == fsubYesNo) {
        const char first = Text.empty() ? '\0' : UpCaseChar(Text[0]);
        buffer[0] =
            first != '\0' && (first == IntlSup().TrueChar() || first == IntlSup().YesChar());
    } else {
        TRangeType value{};
        if (!TextToRange(Text, value)) throw EEntryFieldError(GetOvcString(scInvalidNumber));
        if (code == fsubChar)
            buffer[0] = value[0];
        else
            WriteNumericValue(code, RangeAsExtended(code, value), buffer.data());
    }
    SetValue(buffer.data());
}

uint16_t TOvcBaseEntryField::TransferData(void* Data, uint8_t Direction) {
    if (Direction == 1) {
        if (!TextToValue(Data)) std::memset(Data, 0, DataSize());
    } else if (Direction == 2) {
        ValueToText(Data);
    }
    return DataSize();
}

bool TOvcBaseEntryField::TextToValue(void* Data) const {
    const uint8_t code = DataType();
    auto* out = static_cast<uint8_t*>(Data);
    std::string text = EditString;
    TrimTrailPrimPChar(text);
    switch (code) {
        case fsubString: {
            const size_t size = DataSize();
            const size_t n = std::min(text.size(), size - 1);
            std::memcpy(out, text.data(), n);
            out[n] = 0;
            return true;
        }
        case fsubChar:
            out[0] = static_cast<uint8_t>(EditString.empty() ? ' ' : EditString[0]);
            return true;
        case fsubBoolean:
        case fsubYesNo: {
            const char first = text.empty() ? '\0' : UpCaseChar(text[0]);
            out[0] = first != '\0' &&
                     first == (code == fsubBoolean ? IntlSup().TrueChar() : IntlSup().YesChar());
            return true;
        }
        default: {
            long double value = 0;
            if (!TextToExtended(text, value)) return false;
            WriteNumericValue(code, value, out);
            return true;
        }
    }
}

void TOvcBaseEntryField::ValueToText(const void* Data) {
    const uint8_t code = DataType();
    const auto* in = static_cast<const uint8_t*>(Data);
    std::string text;
    switch (code) {
        case fsubString:
            text.assign(reinterpret_cast<const char*>(in),
                        strnlen(reinterpret_cast<const char*>(in), FMaxLength));
            break;
        case fsubChar:
            text.assign(1, static_cast<char>(in[0]));
            break;
        case fsubBoolean:
            text.assign(1, in[0] != 0 ? IntlSup().TrueChar() : IntlSup().FalseChar());
            break;
        case fsubYesNo:
            text.assign(1, in[0] != 0 ? IntlSup().YesChar() : IntlSup().NoChar());
            break;
        default: {
            const long double value = ReadNumericValue(code, Data);
            text = RangeToText(IsRealCode(code) ? RangeOfExtended(code, value)
                                                : RangeOfLongInt(static_cast<int32_t>(value)));
            break;
        }
    }
    // A number cut to the field would read as another number; it shows as none instead.
    if (text.size() > FMaxLength)
        text = code == fsubString ? text.substr(0, FMaxLength) : std::string(FMaxLength, '*');
    EditString = text;
    CaretPos = std::min<uint16_t>(CaretPos, static_cast<uint16_t>(EditString.size()));
    SelStart = SelEnd = 0;
    HDelta = 0;
    if (FieldHasFocus()) UpdateCaret();
    Invalidate();
    DoOnChange();
}

bool TOvcBaseEntryField::ValidateContents(bool ReportError) {
    if (!Visible() || !Enabled()) return true;
    if (FInputRequired && !GetReadOnly() &&
        (IsEmpty() || (FUninitialized && !EntryState.Contains(esModified)))) {
        LastErrorCode = oeRequiredField;
    } else {
        const TStateScope validating(EntryState, esValidating);
        LastErrorCode = ValidateData();
    }
    CaretPos = std::min<uint16_t>(CaretPos, static_cast<uint16_t>(EditString.size()));
    if (LastErrorCode == 0) {
        EntryState.Exclude(esInvalid);
        return true;
    }
    if (ReportError && FSoftValidation) {
        EntryState.Include(esInvalid);
        return true;
    }
    if (FSoftValidation) EntryState.Include(esInvalid);
    PostError(LastErrorCode);
    return false;
}

void TOvcBaseEntryField::PostError(uint16_t Code) {
    // What the reports run may ask of the field must see it soft until the report is posted.
    const bool soft = FSoftValidation;
    FSoftValidation = true;
    EntryState.Include(esErrorPosted);
    if (TOvcController* controller = Controller()) {
        PostGuardedMessage(controller->Handle(), OVCM_SETFOCUS, 0, reinterpret_cast<LPARAM>(this),
                           LifeToken());
        if (!controller->ErrorPending && HandleAllocated()) {
            PostMessage(Handle(), OVCM_REPORTERROR, Code, 0);
            FOwnsErrorPending = true;
        }
        controller->ErrorPending = true;
    }
    FSoftValidation = soft;
}

void TOvcBaseEntryField::ClearErrorPendingIfOurs() {
    if (FOwnsErrorPending && EntryState.Contains(esErrorPosted) && Controller() != nullptr) {
        Controller()->ErrorPending = false;
        // The field the focus passed on to skips its next check only for this error's sake;
        // with the error withdrawn, a bad value typed there would otherwise leave unchecked.
        if (TCustomForm* form = Form())
            if (auto* passed = dynamic_cast<TOvcBaseEntryField*>(form->ActiveControl());
                passed != nullptr && passed != this)
                passed->EntryState.Exclude(esNoValidate);
    }
    FOwnsErrorPending = false;
}

void TOvcBaseEntryField::ReportError(uint16_t Code) {
    uint16_t ident;
    switch (Code) {
        case oeRangeError:
            ident = scRangeError;
            break;
        case oeInvalidNumber:
            ident = scInvalidNumber;
            break;
        case oeRequiredField:
            ident = scRequiredField;
            break;
        case oeInvalidDate:
            ident = scInvalidDate;
            break;
        case oeInvalidTime:
            ident = scInvalidTime;
            break;
        case oeBlanksInField:
            ident = scBlanksInField;
            break;
        case oePartialEntry:
            ident = scPartialEntry;
            break;
        default:
            ident = scEntryErrorCaption;
            break;
    }
    TOvcController* controller = Controller();
    std::string text = Code >= oeCustomError && controller != nullptr ? controller->ErrorText
                                                                      : GetOvcString(ident);
    if (controller != nullptr) controller->ErrorText = text;
    if (OnError)
        OnError(this, Code, text);
    else if (controller != nullptr)
        controller->DoOnError(this, Code, text);
}

std::string TOvcBaseEntryField::OwnMenuCaption(int32_t Index) {
    static constexpr uint16_t Captions[] = {scRestoreMi, 0,          scCutMi, scCopyMi,
                                            scPasteMi,   scDeleteMi, 0,       scSelectAllMi};
    return Captions[Index] != 0 ? GetOvcString(Captions[Index]) : "-";
}

void TOvcBaseEntryField::CreateParams(TCreateParams& Params) {
    TOvcBase::CreateParams(Params);
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TOvcBaseEntryField::CreateWnd() {
    TOvcBase::CreateWnd();
    HDelta = 0;
    CaretPos = 0;
    SelStart = SelEnd = 0;
    if (FInputRequired && DataType() >= fsubChar && DataType() <= fsubComp) FUninitialized = true;
    FixOptions();
    UpdateTopMargin();
    AdjustBounds();
}

void TOvcBaseEntryField::Loaded() {
    TOvcBase::Loaded();
    FixOptions();
    UpdateTopMargin();
    AdjustBounds();
}

void TOvcBaseEntryField::SetName(const std::string& Value) {
    TOvcBase::SetName(Value);
    Invalidate();
}

void TOvcBaseEntryField::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    // A height the caller chose is kept: the font no longer decides it.
    if (AutoSize() && AHeight != Height() && !ComponentState().Contains(csLoading))
        TControl::SetAutoSize(false);
    TOvcBase::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateTopMargin();
}

void TOvcBaseEntryField::UpdateTopMargin() {
    TopMargin = std::max(0, GetTopTextMargin(Font(), FBorderStyle, ClientHeight(), Ctl3D()));
}

void TOvcBaseEntryField::AdjustBounds() {
    if (!AutoSize()) return;
    const int32_t border = GetSystemMetrics(SM_CYBORDER);
    const int32_t height = FontCellHeight(Font()) + (Ctl3D() ? 8 : 6) * border;
    if (height == Height()) return;
    TOvcBase::SetBounds(Left(), Top(), Width(), height);
    UpdateTopMargin();
}

}  // namespace vex
