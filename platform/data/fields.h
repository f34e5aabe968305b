#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/core/component.h"
#include "platform/core/types.h"
#include "platform/data/dbitypes.h"

namespace vex {

class TDataSet;
class TStrings;
class TStream;

enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftFmtMemo
};
enum TFieldKind { fkData, fkCalculated, fkLookup };

// The field type of an engine field descriptor.
TFieldType FieldTypeOf(const FLDDesc& Desc);

// One column of a dataset. Its value lives in the dataset's record buffer in the engine's
// encoding (data fields at the engine's offsets, calculated and lookup fields in the buffer's
// calculated area); blobs are read through the dataset. Reading and writing go through the
// dataset's active buffer, or through the buffer handed in while the dataset filters or
// calculates.
class TField : public TComponent {
    VEX_CLASS(TField, TComponent)

public:
    TField(TComponent* AOwner, TFieldType DataType);
    ~TField() override;

    TDataSet* DataSet() const { return FDataSet; }
    // Joins the dataset's field list (nullptr leaves it); the dataset must be closed.
    void SetDataSet(TDataSet* Value);

    TFieldType DataType() const { return FDataType; }
    TFieldKind FieldKind() const { return FFieldKind; }
    void SetFieldKind(TFieldKind Value);
    bool Calculated() const { return FFieldKind != fkData; }
    int32_t FieldNo() const { return FFieldNo; }  // the engine's number, 0 for calculated
    bool IsBlob() const { return FDataType >= ftBlob; }

    const std::string& FieldName() const { return FFieldName; }
    void SetFieldName(const std::string& Value);
    // DisplayLabel falls back to the field name; DisplayName is what users are shown.
    std::string DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const std::string& Value);
    std::string DisplayName() const { return DisplayLabel(); }
    int32_t DisplayWidth() const;
    void SetDisplayWidth(int32_t Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // The place in the dataset's field list; setting it moves the field.
    int32_t Index() const;
    void SetIndex(int32_t Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool Required() const { return FRequired; }
    void SetRequired(bool Value) { FRequired = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    const std::string& EditMask() const { return FEditMask; }
    void SetEditMask(const std::string& Value) { FEditMask = Value; }
    // FormatFloat or FormatDateTime text for DisplayText; empty for the plain text.
    const std::string& DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const std::string& Value);
    // Characters, decimals of a BCD field, 0 where the type has no size.
    int32_t Size() const { return FSize; }
    void SetSize(int32_t Value);
    bool Transliterate() const { return FTransliterate; }
    void SetTransliterate(bool Value) { FTransliterate = Value; }
    // Lookup fields: the dataset, key fields of this dataset, key fields and result field there.
    TDataSet* LookupDataSet = nullptr;
    std::string KeyFields, LookupKeyFields, LookupResultField;

    // Whether a typed character can belong to the value.
    virtual bool IsValidChar(char C) const;
    // Gives the focus to the control that shows this field (through the dataset's links).
    void FocusControl();

    bool IsNull() const;
    void Clear();
    bool CanModify() const;
    std::string AsString() const;
    void SetAsString(const std::string& Value);
    int32_t AsInteger() const;
    void SetAsInteger(int32_t Value);
    double AsFloat() const;
    void SetAsFloat(double Value);
    bool AsBoolean() const;
    void SetAsBoolean(bool Value);
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime Value);
    std::string Text() const { return EditText(); }
    void SetText(const std::string& Value) { SetAsString(Value); }
    std::string DisplayText() const;
    std::string EditText() const { return AsString(); }

    // The value as raw engine bytes of Buffer, a record buffer handed in from outside (the
    // engine's filter callback, a direct read); false when blank there.
    bool GetData(const uint8_t* Buffer, void* Value) const;
    // The text of the field in such a buffer.
    std::string TextOf(const uint8_t* Buffer) const;

    // Blob access; only for blob fields (else EDatabaseError).
    void LoadFromStrings(const TStrings& Lines);
    void SaveToStrings(TStrings& Lines) const;
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;

    std::function<void(TField* Sender)> OnChange;
    std::function<void(TField* Sender, const std::string& Text)> OnValidate;

    // Set by the dataset when it lays out its buffers.
    void Bind(int32_t FieldNo, const FLDDesc& Slot);
    const FLDDesc& Slot() const { return FSlot; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The buffer the field reads now, or nullptr when there is no record to read.
    const uint8_t* ReadBuffer() const;
    uint8_t* WriteBuffer();
    void Changed();
    void SetText(const uint8_t* Buffer, const std::string& Value);  // no checks
    std::optional<std::string> BlobValue() const;
    void SetBlobValue(std::optional<std::string> Value);

    TDataSet* FDataSet = nullptr;
    TFieldType FDataType;
    TFieldKind FFieldKind = fkData;
    int32_t FFieldNo = 0;
    FLDDesc FSlot;
    std::string FFieldName, FDisplayLabel, FEditMask, FDisplayFormat;
    int32_t FDisplayWidth = 0;
    bool FVisible = true, FReadOnly = false, FRequired = false, FTransliterate = true;
    TAlignment FAlignment = taLeftJustify;
    int32_t FSize = 0;
    TComponent* FFocusControl = nullptr;
};

// The classes of the framework, each a TField of its type.
#define VEX_FIELD_CLASS(Name, Parent, Type)                           \
    class Name : public Parent {                                      \
        VEX_CLASS(Name, Parent)                                       \
    public:                                                           \
        explicit Name(TComponent* AOwner) : Parent(AOwner, Type) {}   \
                                                                      \
    protected:                                                        \
        Name(TComponent* AOwner, TFieldType T) : Parent(AOwner, T) {} \
    }

VEX_FIELD_CLASS(TStringField, TField, ftString);
VEX_FIELD_CLASS(TNumericField, TField, ftUnknown);
VEX_FIELD_CLASS(TIntegerField, TNumericField, ftInteger);
VEX_FIELD_CLASS(TSmallintField, TIntegerField, ftSmallint);
VEX_FIELD_CLASS(TWordField, TIntegerField, ftWord);
VEX_FIELD_CLASS(TAutoIncField, TIntegerField, ftAutoInc);
VEX_FIELD_CLASS(TFloatField, TNumericField, ftFloat);
VEX_FIELD_CLASS(TCurrencyField, TFloatField, ftCurrency);
VEX_FIELD_CLASS(TBCDField, TNumericField, ftBCD);
VEX_FIELD_CLASS(TBooleanField, TField, ftBoolean);
VEX_FIELD_CLASS(TDateTimeField, TField, ftDateTime);
VEX_FIELD_CLASS(TDateField, TDateTimeField, ftDate);
VEX_FIELD_CLASS(TTimeField, TDateTimeField, ftTime);
VEX_FIELD_CLASS(TBlobField, TField, ftBlob);
VEX_FIELD_CLASS(TMemoField, TBlobField, ftMemo);
VEX_FIELD_CLASS(TFmtMemoField, TBlobField, ftFmtMemo);

#undef VEX_FIELD_CLASS

// A field of the class that suits the type, owned by AOwner.
TField* CreateField(TComponent* AOwner, TFieldType Type);

}  // namespace vex
