#include "platform/data/fields.h"

#include <cmath>
#include <cstring>

#include "platform/core/datetime.h"
#include "platform/core/format.h"
#include "platform/core/formatsettings.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/core/stringutils.h"
#include "platform/data/bytes.h"
#include "platform/data/dataset.h"
#include "platform/data/dbierrors.h"
#include "platform/data/enginevalues.h"

namespace vex {

TFieldType FieldTypeOf(const FLDDesc& Desc) {
    switch (Desc.iFldType) {
        case fldZSTRING:
            return ftString;
        case fldINT16:
            return ftSmallint;
        case fldUINT16:
            return ftWord;
        case fldINT32:
            return Desc.iSubType == fldstAUTOINC ? ftAutoInc : ftInteger;
        case fldBOOL:
            return ftBoolean;
        case fldFLOAT:
            return Desc.iSubType == fldstMONEY ? ftCurrency : ftFloat;
        case fldBCD:
            return ftBCD;
        case fldDATE:
            return ftDate;
        case fldTIME:
            return ftTime;
        case fldTIMESTAMP:
            return ftDateTime;
        case fldBLOB:
            return Desc.iSubType == fldstMEMO      ? ftMemo
                   : Desc.iSubType == fldstFMTMEMO ? ftFmtMemo
                                                   : ftBlob;
        default:
            return ftUnknown;
    }
}

TField* CreateField(TComponent* AOwner, TFieldType Type) {
    switch (Type) {
        case ftString:
            return new TStringField(AOwner);
        case ftSmallint:
            return new TSmallintField(AOwner);
        case ftInteger:
            return new TIntegerField(AOwner);
        case ftWord:
            return new TWordField(AOwner);
        case ftAutoInc:
            return new TAutoIncField(AOwner);
        case ftBoolean:
            return new TBooleanField(AOwner);
        case ftFloat:
            return new TFloatField(AOwner);
        case ftCurrency:
            return new TCurrencyField(AOwner);
        case ftBCD:
            return new TBCDField(AOwner);
        case ftDate:
            return new TDateField(AOwner);
        case ftTime:
            return new TTimeField(AOwner);
        case ftDateTime:
            return new TDateTimeField(AOwner);
        case ftBlob:
            return new TBlobField(AOwner);
        case ftMemo:
            return new TMemoField(AOwner);
        case ftFmtMemo:
            return new TFmtMemoField(AOwner);
        default:
            throw EDatabaseError("Field type not supported");
    }
}

TField::TField(TComponent* AOwner, TFieldType DataType) : TComponent(AOwner), FDataType(DataType) {
    const bool numeric = DataType == ftSmallint || DataType == ftInteger || DataType == ftWord ||
                         DataType == ftAutoInc || DataType == ftFloat || DataType == ftCurrency ||
                         DataType == ftBCD;
    if (numeric) FAlignment = taRightJustify;
    if (DataType == ftString) FSize = 20;
    if (DataType == ftBCD) FSize = 2;
    if (DataType == ftAutoInc) FReadOnly = true;
}

TField::~TField() {
    SetDataSet(nullptr);
}

void TField::SetDataSet(TDataSet* Value) {
    if (Value == FDataSet) return;
    if (Value && Value->Active())
        throw EDatabaseError("Cannot perform this operation on an open dataset");
    if (FDataSet) {
        if (FDataSet->Active())
            throw EDatabaseError("Cannot perform this operation on an open dataset");
        FDataSet->RemoveField(this);
    }
    FDataSet = Value;
    if (FDataSet) FDataSet->AddField(this);
}

void TField::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        if (AComponent == FFocusControl) FFocusControl = nullptr;
        if (AComponent == LookupDataSet) LookupDataSet = nullptr;
    }
    TComponent::Notification(AComponent, Operation);
}

void TField::SetFieldKind(TFieldKind Value) {
    if (FDataSet && FDataSet->Active())
        throw EDatabaseError("Cannot perform this operation on an open dataset");
    FFieldKind = Value;
}

void TField::SetFieldName(const std::string& Value) {
    if (FDataSet && FDataSet->Active())
        throw EDatabaseError("Cannot perform this operation on an open dataset");
    FFieldName = Value;
}

namespace {
void Layout(TDataSet* DataSet) {
    if (DataSet && DataSet->Active()) DataSet->DataEvent(deLayoutChange, 0);
}
}  // namespace

void TField::SetDisplayLabel(const std::string& Value) {
    FDisplayLabel = Value;
    Layout(FDataSet);
}

int32_t TField::DisplayWidth() const {
    if (FDisplayWidth > 0) return FDisplayWidth;
    switch (FDataType) {
        case ftString:
            return FSize;
        case ftBoolean:
            return 5;
        case ftSmallint:
        case ftWord:
            return 6;
        case ftInteger:
        case ftAutoInc:
            return 11;
        case ftDate:
        case ftTime:
            return 10;
        case ftDateTime:
            return 18;
        default:
            return 10;
    }
}

void TField::SetDisplayWidth(int32_t Value) {
    FDisplayWidth = Value;
    Layout(FDataSet);
}

void TField::SetVisible(bool Value) {
    FVisible = Value;
    Layout(FDataSet);
}

void TField::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Layout(FDataSet);
}

void TField::SetDisplayFormat(const std::string& Value) {
    FDisplayFormat = Value;
    Layout(FDataSet);
}

void TField::SetSize(int32_t Value) {
    if (FDataSet && FDataSet->Active())
        throw EDatabaseError("Cannot perform this operation on an open dataset");
    FSize = Value;
}

int32_t TField::Index() const {
    if (!FDataSet) return -1;
    for (int32_t i = 0; i < FDataSet->FieldCount(); ++i)
        if (FDataSet->Fields(i) == this) return i;
    return -1;
}

void TField::SetIndex(int32_t Value) {
    if (FDataSet) FDataSet->MoveField(this, Value);
}

bool TField::IsValidChar(char C) const {
    switch (FDataType) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            return (C >= '0' && C <= '9') || C == '+' || C == '-';
        case ftFloat:
        case ftCurrency:
        case ftBCD:
            return (C >= '0' && C <= '9') || C == '+' || C == '-' || C == 'e' || C == 'E' ||
                   C == FormatSettings().DecimalSeparator;
        default:
            return true;
    }
}

void TField::FocusControl() {
    if (FDataSet && FDataSet->Active())
        FDataSet->DataEvent(deFocusControl, reinterpret_cast<intptr_t>(this));
}

void TField::Bind(int32_t FieldNo, const FLDDesc& Slot) {
    FFieldNo = FieldNo;
    FSlot = Slot;
}

const uint8_t* TField::ReadBuffer() const {
    return FDataSet && FDataSet->Active() ? FDataSet->FieldBuffer() : nullptr;
}

uint8_t* TField::WriteBuffer() {
    if (!FDataSet || !FDataSet->Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    const TDataSetState s = FDataSet->State();
    const bool calcPass = s == dsCalcFields && Calculated();
    if (s != dsEdit && s != dsInsert && s != dsSetKey && !calcPass)
        throw EDatabaseError("Dataset not in edit or insert mode");
    if (!calcPass && !CanModify())
        throw EDatabaseError("Field '" + DisplayName() + "' cannot be modified");
    return FDataSet->ActiveBuffer();
}

void TField::Changed() {
    if (FDataSet->State() == dsCalcFields) return;
    FDataSet->SetModified();
    FDataSet->DataEvent(deFieldChange, reinterpret_cast<intptr_t>(this));
    if (OnChange) OnChange(this);
}

bool TField::CanModify() const {
    return !FReadOnly && FDataSet && FDataSet->CanModify() &&
           (FFieldKind == fkData || FDataSet->State() == dsCalcFields);
}

std::optional<std::string> TField::BlobValue() const {
    return FDataSet && FDataSet->Active() ? FDataSet->ReadBlob(*this) : std::nullopt;
}

void TField::SetBlobValue(std::optional<std::string> Value) {
    WriteBuffer();
    FDataSet->WriteBlob(*this, std::move(Value));
    Changed();
}

bool TField::IsNull() const {
    if (IsBlob()) return !BlobValue().has_value();
    const uint8_t* b = ReadBuffer();
    return b == nullptr || b[FSlot.iNullOffset] != 0;
}

void TField::Clear() {
    if (IsBlob()) {
        SetBlobValue(std::nullopt);
        return;
    }
    uint8_t* b = WriteBuffer();
    b[FSlot.iNullOffset] = 1;
    std::memset(b + FSlot.iOffset, 0, FSlot.iLen);
    Changed();
}

bool TField::GetData(const uint8_t* Buffer, void* Value) const {
    if (Buffer == nullptr || IsBlob() || Buffer[FSlot.iNullOffset] != 0) return false;
    if (Value) std::memcpy(Value, Buffer + FSlot.iOffset, FSlot.iLen);
    return true;
}

namespace {

// A record's day number and time of day, checked: a buffer that names no day of years 1 to
// 9999 or no time within a day is an error, never some other date.
TDateTime DayToDateTime(int32_t Day) {
    TTimeStamp stamp;
    stamp.Date = Day;
    return TimeStampToDateTime(stamp);
}

TDateTime MSecToTime(int32_t MSec) {
    return ComposeDateTime(TDateTimeParts{0, MSec});
}

std::string BoolText(bool Value) {
    return Value ? "True" : "False";
}

}  // namespace

std::string TField::TextOf(const uint8_t* Buffer) const {
    if (IsBlob()) return BlobValue().value_or("");
    if (Buffer == nullptr || Buffer[FSlot.iNullOffset] != 0) return "";
    const uint8_t* p = Buffer + FSlot.iOffset;
    switch (FSlot.iFldType) {
        case fldZSTRING:
            return std::string(reinterpret_cast<const char*>(p),
                               strnlen(reinterpret_cast<const char*>(p), FSlot.iLen));
        case fldINT16:
            return IntToStr(GetBytes<int16_t>(p));
        case fldUINT16:
            return IntToStr(GetBytes<uint16_t>(p));
        case fldINT32:
            return IntToStr(GetBytes<int32_t>(p));
        case fldBOOL:
            return BoolText(GetBytes<int16_t>(p) != 0);
        case fldFLOAT:
            return FloatToStr(GetBytes<double>(p));
        case fldBCD:
            return FloatToStr(BcdToFloat(p));
        case fldDATE:
            return DateToStr(DayToDateTime(GetBytes<int32_t>(p)));
        case fldTIME:
            return TimeToStr(MSecToTime(GetBytes<int32_t>(p)));
        case fldTIMESTAMP:
            return DateTimeToStr(TimeStampToDateTime(MSecsToTimeStamp(GetBytes<double>(p))));
        default:
            return "";
    }
}

std::string TField::AsString() const {
    return TextOf(ReadBuffer());
}

std::string TField::DisplayText() const {
    if (IsNull() || FDisplayFormat.empty()) return AsString();
    switch (FDataType) {
        case ftFloat:
        case ftCurrency:
        case ftBCD:
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            return FormatFloat(FDisplayFormat, AsFloat());
        case ftDate:
        case ftTime:
        case ftDateTime:
            return FormatDateTime(FDisplayFormat, AsDateTime());
        default:
            return AsString();
    }
}

void TField::SetAsString(const std::string& Value) {
    if (OnValidate) OnValidate(this, Value);
    if (IsBlob()) {
        SetBlobValue(Value);
        return;
    }
    if (Value.empty() && FDataType != ftString) {
        Clear();
        return;
    }
    switch (FDataType) {
        case ftString: {
            uint8_t* b = WriteBuffer();
            // A value longer than the field is refused, never cut short silently.
            if (Value.size() > FSlot.iUnits1)
                throw EDatabaseError("Value too long for field '" + DisplayName() + "'");
            b[FSlot.iNullOffset] = 0;
            std::memset(b + FSlot.iOffset, 0, FSlot.iLen);
            std::memcpy(b + FSlot.iOffset, Value.data(), Value.size());
            Changed();
            return;
        }
        case ftBoolean: {
            const std::string v = UpperCase(Trim(Value));
            if (v == "TRUE" || v == "T" || v == "YES" || v == "Y") return SetAsBoolean(true);
            if (v == "FALSE" || v == "F" || v == "NO" || v == "N") return SetAsBoolean(false);
            throw EConvertError("'" + Value + "' is not a valid boolean value");
        }
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            return SetAsInteger(StrToInt(Value));
        case ftBCD: {
            // The decimal text goes in as written, so no digit passes through a double.
            uint8_t* b = WriteBuffer();
            const TBcd bcd = StrToBcd(Trim(Value), FSlot.iUnits1, FSlot.iUnits2);
            b[FSlot.iNullOffset] = 0;
            std::memcpy(b + FSlot.iOffset, bcd.Bytes, BcdSize);
            Changed();
            return;
        }
        case ftFloat:
        case ftCurrency:
            return SetAsFloat(StrToFloat(Value));
        case ftDate:
            return SetAsDateTime(StrToDate(Value));
        case ftTime:
            return SetAsDateTime(StrToTime(Value));
        case ftDateTime:
            return SetAsDateTime(StrToDateTime(Value));
        default:
            throw EDatabaseError("Field '" + DisplayName() + "' cannot be written as text");
    }
}

int32_t TField::AsInteger() const {
    if (IsNull()) return 0;
    switch (FDataType) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            return StrToInt(AsString());
        case ftString:
            return StrToInt(Trim(AsString()));
        default: {
            const double v = AsFloat();
            if (!(std::fabs(v) < 2147483648.0)) throw EConvertError("Integer value out of range");
            return static_cast<int32_t>(std::llround(v));
        }
    }
}

void TField::SetAsInteger(int32_t Value) {
    uint8_t* b = WriteBuffer();
    uint8_t* p = b + FSlot.iOffset;
    switch (FSlot.iFldType) {
        case fldINT16:
            if (Value < -32768 || Value > 32767)
                throw EDatabaseError(IntToStr(Value) + " is not a valid value for field '" +
                                     DisplayName() + "'");
            PutBytes<int16_t>(p, static_cast<int16_t>(Value));
            break;
        case fldUINT16:
            if (Value < 0 || Value > 65535)
                throw EDatabaseError(IntToStr(Value) + " is not a valid value for field '" +
                                     DisplayName() + "'");
            PutBytes<uint16_t>(p, static_cast<uint16_t>(Value));
            break;
        case fldINT32:
            PutBytes<int32_t>(p, Value);
            break;
        default:
            return SetAsFloat(Value);
    }
    b[FSlot.iNullOffset] = 0;
    Changed();
}

double TField::AsFloat() const {
    const uint8_t* b = ReadBuffer();
    if (IsNull()) return 0;
    const uint8_t* p = b + FSlot.iOffset;
    switch (FSlot.iFldType) {
        case fldINT16:
            return GetBytes<int16_t>(p);
        case fldUINT16:
            return GetBytes<uint16_t>(p);
        case fldINT32:
            return GetBytes<int32_t>(p);
        case fldFLOAT:
            return GetBytes<double>(p);
        case fldBCD:
            return BcdToFloat(p);
        case fldZSTRING:
            return StrToFloat(Trim(AsString()));
        case fldDATE:
        case fldTIME:
        case fldTIMESTAMP:
            return AsDateTime();
        default:
            throw EConvertError("Field '" + DisplayName() + "' is not a number");
    }
}

void TField::SetAsFloat(double Value) {
    uint8_t* b = WriteBuffer();
    uint8_t* p = b + FSlot.iOffset;
    switch (FSlot.iFldType) {
        case fldFLOAT:
            PutBytes<double>(p, Value);
            break;
        case fldBCD: {
            const TBcd bcd = FloatToBcd(Value, FSlot.iUnits1, FSlot.iUnits2);
            std::memcpy(p, bcd.Bytes, BcdSize);
            break;
        }
        case fldINT16:
        case fldUINT16:
        case fldINT32:
            if (!(std::fabs(Value) < 2147483648.0))
                throw EConvertError("Integer value out of range");
            return SetAsInteger(static_cast<int32_t>(std::llround(Value)));
        case fldDATE:
        case fldTIME:
        case fldTIMESTAMP:
            return SetAsDateTime(Value);
        case fldZSTRING:
            return SetAsString(FloatToStr(Value));
        default:
            throw EConvertError("Field '" + DisplayName() + "' is not a number");
    }
    b[FSlot.iNullOffset] = 0;
    Changed();
}

bool TField::AsBoolean() const {
    const uint8_t* b = ReadBuffer();
    if (IsNull()) return false;
    if (FSlot.iFldType == fldBOOL) return GetBytes<int16_t>(b + FSlot.iOffset) != 0;
    const std::string v = UpperCase(Trim(AsString()));
    return v == "TRUE" || v == "T" || v == "YES" || v == "Y";
}

void TField::SetAsBoolean(bool Value) {
    if (FSlot.iFldType != fldBOOL) return SetAsString(BoolText(Value));
    uint8_t* b = WriteBuffer();
    PutBytes<int16_t>(b + FSlot.iOffset, Value ? -1 : 0);
    b[FSlot.iNullOffset] = 0;
    Changed();
}

TDateTime TField::AsDateTime() const {
    const uint8_t* b = ReadBuffer();
    if (IsNull()) return 0;
    const uint8_t* p = b + FSlot.iOffset;
    switch (FSlot.iFldType) {
        case fldDATE:
            return DayToDateTime(GetBytes<int32_t>(p));
        case fldTIME:
            return MSecToTime(GetBytes<int32_t>(p));
        case fldTIMESTAMP:
            return TimeStampToDateTime(MSecsToTimeStamp(GetBytes<double>(p)));
        case fldZSTRING:
            return StrToDateTime(AsString());
        default:
            return AsFloat();
    }
}

void TField::SetAsDateTime(TDateTime Value) {
    uint8_t* b = WriteBuffer();
    uint8_t* p = b + FSlot.iOffset;
    const TTimeStamp stamp = DateTimeToTimeStamp(Value);
    switch (FSlot.iFldType) {
        case fldDATE:
            PutBytes<int32_t>(p, stamp.Date);
            break;
        case fldTIME:
            PutBytes<int32_t>(p, stamp.Time);
            break;
        case fldTIMESTAMP:
            PutBytes<double>(p, TimeStampToMSecs(stamp));
            break;
        case fldZSTRING:
            return SetAsString(DateTimeToStr(Value));
        default:
            return SetAsFloat(Value);
    }
    b[FSlot.iNullOffset] = 0;
    Changed();
}

void TField::LoadFromStrings(const TStrings& Lines) {
    if (!IsBlob()) throw EDatabaseError("Field '" + DisplayName() + "' is not a blob field");
    SetBlobValue(Lines.Text());
}

void TField::SaveToStrings(TStrings& Lines) const {
    if (!IsBlob()) throw EDatabaseError("Field '" + DisplayName() + "' is not a blob field");
    Lines.SetText(BlobValue().value_or(""));
}

void TField::LoadFromStream(TStream& Stream) {
    if (!IsBlob()) throw EDatabaseError("Field '" + DisplayName() + "' is not a blob field");
    std::string bytes;
    char chunk[4096];
    for (int32_t n; (n = Stream.Read(chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, static_cast<size_t>(n));
    SetBlobValue(bytes);
}

void TField::SaveToStream(TStream& Stream) const {
    if (!IsBlob()) throw EDatabaseError("Field '" + DisplayName() + "' is not a blob field");
    const std::string bytes = BlobValue().value_or("");
    if (!bytes.empty() && Stream.Write(bytes.data(), static_cast<int32_t>(bytes.size())) !=
                              static_cast<int32_t>(bytes.size()))
        throw EWriteError("Stream write error");
}

}  // namespace vex
