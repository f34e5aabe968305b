#include "components/entry/OvcNF.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "components/entry/OvcErrors.h"
#include "components/entry/OvcIntl.h"
#include "components/entry/OvcStr.h"
#include "components/entry/OvcTexts.h"
#include "platform/core/typinfo.h"

namespace vex {

namespace {

constexpr uint8_t FirstNumericCode = fsubLongInt;

// Big enough for the widest type, the 10-byte extended.
using TValueBuffer = std::array<uint8_t, 16>;

const char* const DefaultMasks[] = {"iiiiiiiiii", "99999",      "iiiiii",     "999",
                                    "iiii",       "##########", "##########", "##########",
                                    "##########", "iiiiiiiiii"};

const bool Registered = [] {
    using C = TOvcCustomNumericField;
    RegisterProperties(C::StaticClassInfo(),
                       {OrdinalProperty("DataType", tkEnumeration, "TNumericDataType", &C::DataType,
                                        &C::SetDataType),
                        StringProperty("PictureMask", &C::PictureMask, &C::SetPictureMask)});
    return true;
}();

}  // namespace

TOvcCustomNumericField::TOvcCustomNumericField(TComponent* AOwner) : TOvcPictureBase(AOwner) {
    FieldType = static_cast<uint8_t>(fcNumericBit + FirstNumericCode + FDataType);
    ResetRange();
    SetPictureMaskText(FPictureMask);
    ComputeCapacity();
}

void TOvcCustomNumericField::SetDataType(TNumericDataType Value) {
    if (Value > nftComp) throw EOvcException(GetOvcString(scInvalidParameter));
    if (Value == FDataType) return;
    FDataType = Value;
    FieldType = static_cast<uint8_t>(fcNumericBit + FirstNumericCode + FDataType);
    ResetRange();
    SetPictureMask(DefaultMasks[Value]);
    if (HandleAllocated()) {
        // The value held is of the old type: it is not carried over.
        FCreated = false;
        RecreateWnd();
    }
}

void TOvcCustomNumericField::SetPictureMask(const std::string& Value) {
    if (Value.empty() || Value == FPictureMask) return;
    FPictureMask = Value;
    SetPictureMaskText(Value);
    ComputeCapacity();
    if (HandleAllocated() && !ComponentState().Contains(csLoading)) RecreateWnd();
}

void TOvcCustomNumericField::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TOvcCustomNumericField*>(Source);
    if (source == nullptr) {
        TOvcPictureBase::Assign(Source);
        return;
    }
    auto* from = const_cast<TOvcCustomNumericField*>(source);
    SetDataType(source->DataType());
    SetAutoAdvanceChar(source->AutoAdvanceChar());
    SetAutoAdvanceLeftRight(source->AutoAdvanceLeftRight());
    SetAutoAdvanceUpDown(source->AutoAdvanceUpDown());
    SetAutoSelect(source->AutoSelect());
    SetAutoSize(source->AutoSize());
    SetBeepOnError(source->BeepOnError());
    SetBorderStyle(source->BorderStyle());
    SetCaretToEnd(source->CaretToEnd());
    SetColor(source->Color());
    ErrorColors().Assign(&from->ErrorColors());
    HighlightColors().Assign(&from->HighlightColors());
    SetInputRequired(source->InputRequired());
    SetPadChar(source->PadChar());
    SetPictureMask(source->PictureMask());
    SetRangeHi(source->RangeHi());
    SetRangeLo(source->RangeLo());
    SetReadOnly(source->ReadOnly());
    SetSoftValidation(source->SoftValidation());
    SetTextMargin(source->TextMargin());
    SetUninitialized(source->Uninitialized());
    SetZeroDisplay(source->ZeroDisplay());
    SetZeroDisplayValue(source->ZeroDisplayValue());
}

void TOvcCustomNumericField::ComputeCapacity() {
    TNumericCapacity capacity = NumericCapacity(Picture(), DecimalPlaces());
    capacity.Base = static_cast<uint8_t>(NumberBase());
    if (IsIntegerCode(DataTypeCode()))
        capacity.ValueBits = static_cast<uint8_t>(ValueSizeOf(DataTypeCode()) * 8);
    FNumber.SetCapacity(capacity);
}

void TOvcCustomNumericField::LoadNumberBuffer() {
    FNumber.Load(StrippedText());
}

bool TOvcCustomNumericField::ParseText(long double& Value) const {
    std::string text = StrippedText();
    // The stripped text has "." as its point; the type's reader takes the user's.
    for (char& c : text)
        if (c == '.') c = IntlSup().DecimalChar();
    return TextToExtended(text, Value);
}

long double TOvcCustomNumericField::RangeValue(const TRangeType& Range) const {
    const uint8_t code = DataTypeCode();
    if (IsIntegerCode(code)) return RangeAsLongInt(Range);
    TValueBuffer value{};
    WriteNumericValue(code, RangeAsExtended(code, Range), value.data());
    return ReadNumericValue(code, value.data());
}

bool TOvcCustomNumericField::InRange(long double Value) const {
    const uint8_t code = DataTypeCode();
    if (!IsIntegerCode(code)) {
        // Compared in the type's own precision, as the value will be held.
        TValueBuffer held{};
        WriteNumericValue(code, Value, held.data());
        Value = ReadNumericValue(code, held.data());
    }
    return Value >= RangeValue(RangeLoValue) && Value <= RangeValue(RangeHiValue);
}

std::string TOvcCustomNumericField::FormatValue(long double Value) const {
    const uint8_t code = DataTypeCode();
    if (IsIntegerCode(code)) return RangeToText(RangeOfLongInt(static_cast<int32_t>(Value)));
    const int decimals = FNumber.Capacity().Decimals;
    // An extended can have thousands of integer digits: the text is sized to the value.
    std::string text(static_cast<size_t>(std::snprintf(nullptr, 0, "%.*Lf", decimals, Value)),
                     '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*Lf", decimals, Value);
    return text;
}

uint16_t TOvcCustomNumericField::TransferData(void* Data, uint8_t Direction) {
    const uint8_t code = DataTypeCode();
    if (Direction == 1) {
        long double value = 0;
        if (!ParseText(value)) value = 0;
        WriteNumericValue(code, value, Data);
    } else if (Direction == 2) {
        const long double value = ReadNumericValue(code, Data);
        const std::string text = std::isfinite(value) ? FormatValue(value) : std::string();
        EditString = !text.empty() && ValueFitsCapacity(text, FNumber.Capacity())
                         ? MergedText(text)
                         : OverflowDisplay(Picture(), FieldKind());
        if (Focused()) LoadNumberBuffer();
        SelStart = SelEnd = 0;
        MoveCaretToEnd();
        Invalidate();
    }
    return DataSize();
}

void TOvcCustomNumericField::StoreNumber(long double Value) {
    TValueBuffer value{};
    WriteNumericValue(DataTypeCode(), Value, value.data());
    TransferData(value.data(), 2);
}

uint16_t TOvcCustomNumericField::ValidateData() {
    long double value = 0;
    uint16_t code = 0;
    if (!ParseText(value)) {
        code = oeInvalidNumber;
    } else if (!InRange(value)) {
        code = oeRangeError;
    } else if (Focused() && !EntryState.Contains(esFetchingValue)) {
        // The text the user left is shown as the value reads, "007" as "7".
        StoreNumber(value);
    }
    if (OnUserValidation && !FInUserValidation) {
        FInUserValidation = true;
        const std::weak_ptr<const void> life = LifeToken();
        try {
            OnUserValidation(this, code);
        } catch (...) {
            if (!life.expired()) FInUserValidation = false;
            throw;
        }
        if (!life.expired()) FInUserValidation = false;
    }
    return code;
}

void TOvcCustomNumericField::MoveCaretToEnd() {
    const size_t last = Picture().LastPicturePos();
    CaretPos = static_cast<uint16_t>(last == std::string::npos ? 0 : last + 1);
}

void TOvcCustomNumericField::MoveCaretToStart() {
    MoveCaretToEnd();
}

void TOvcCustomNumericField::SetCaretPosition(int32_t /*Pos*/) {}

std::string TOvcCustomNumericField::GetDisplayString() {
    std::string shown = TOvcPictureBase::GetDisplayString();
    const std::string& mask = Picture().Mask();
    // "p" and "g" take no position of the text: each stands where it is in the mask less
    // the other one when that comes first.
    const auto signPos = [&mask](char Mark, char Other) {
        const size_t at = mask.find(Mark);
        const size_t other = mask.find(Other);
        return at - (other < at ? 1 : 0);
    };
    const size_t minus = shown.find('-');
    const bool negative = minus != std::string::npos;
    const auto put = [&shown](size_t At, char C) {
        if (At >= shown.size()) shown.resize(At + 1, ' ');
        shown[At] = C;
    };
    if (mask.find('p') != std::string::npos) {
        if (negative) shown[minus] = '(';
        put(signPos('p', 'g'), negative ? ')' : ' ');
    }
    if (mask.find('g') != std::string::npos) {
        if (negative && shown[minus] == '-') {
            shown.erase(minus, 1);
            shown.insert(0, 1, ' ');
        }
        put(signPos('g', 'p'), negative ? '-' : ' ');
    }
    TrimTrailPrimPChar(shown);
    return shown;
}

void TOvcCustomNumericField::PrepareForEdit() {
    if (NumberBase() != 10) EntryState.Include(esReformatOnExit);
}

void TOvcCustomNumericField::CreateParams(TCreateParams& Params) {
    TOvcPictureBase::CreateParams(Params);
    if (Mask != FPictureMask) SetPictureMaskText(FPictureMask);
    ComputeCapacity();
}

void TOvcCustomNumericField::InitialiseValue() {
    const long double zero = 0;
    StoreNumber(InRange(zero) ? zero : RangeValue(RangeLoValue));
}

void TOvcCustomNumericField::CreateWnd() {
    TValueBuffer saved{};
    const bool keep = FCreated;
    if (keep) TransferData(saved.data(), 1);
    TOvcPictureBase::CreateWnd();
    RebuildFlags();
    ComputeCapacity();
    if (RangeValue(RangeLoValue) == RangeValue(RangeHiValue)) ResetRange();
    if (keep)
        TransferData(saved.data(), 2);
    else
        InitialiseValue();
    FCreated = true;
}

void TOvcCustomNumericField::WMSetFocus(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TOvcPictureBase::WMSetFocus(Message);
    if (life.expired()) return;
    LoadNumberBuffer();
    MoveCaretToEnd();
    UpdateCaret();
}

void TOvcCustomNumericField::WMKillFocus(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TOvcPictureBase::WMKillFocus(Message);
    if (life.expired()) return;
    if (!EntryState.Contains(esLeavingForm)) FNumber.Clear();
}

}  // namespace vex
