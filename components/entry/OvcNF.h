#pragma once

#include <cstdint>
#include <string>

#include "components/entry/OvcNumberBuffer.h"
#include "components/entry/OvcPB.h"

namespace vex {

enum TNumericDataType : uint8_t {
    nftLongInt,
    nftWord,
    nftInteger,
    nftByte,
    nftShortInt,
    nftReal,
    nftExtended,
    nftDouble,
    nftSingle,
    nftComp
};

// The entry field for numbers: digits typed enter from the right, as on a calculator, into a
// numeric mask; the value is held in one of ten numeric types and checked against the range;
// arrow keys and an attached spinner step it.
class TOvcCustomNumericField : public TOvcPictureBase {
    VEX_CLASS(TOvcCustomNumericField, TOvcPictureBase)

public:
    explicit TOvcCustomNumericField(TComponent* AOwner);

    // Hides the base's data-type code, which stays reachable as DataTypeCode.
    TNumericDataType DataType() const { return FDataType; }
    // A change resets the range to the type's and sets the type's own mask; an ordinal above
    // 9 raises EOvcException.
    virtual void SetDataType(TNumericDataType Value);
    uint8_t DataTypeCode() const { return TOvcBaseEntryField::DataType(); }
    const std::string& PictureMask() const { return FPictureMask; }
    // An empty mask, or the mask in force, is ignored.
    virtual void SetPictureMask(const std::string& Value);

    void Assign(const TPersistent* Source) override;

    // Step the value by Delta while the field has the focus: at the bound stepped towards it
    // wraps to the other one, or without Wrap stays.
    void IncreaseValue(bool Wrap, double Delta) override;
    void DecreaseValue(bool Wrap, double Delta) override;

    uint16_t TransferData(void* Data, uint8_t Direction) override;
    uint16_t ValidateData() override;
    void MoveCaretToEnd() override;
    void MoveCaretToStart() override;
    void SetCaretPosition(int32_t Pos) override;
    std::string GetDisplayString() override;
    void PerformEdit(TMessage& Msg, uint16_t Cmd) override;
    void PrepareForEdit() override;

    // The number typed so far, as the next keystroke sees it.
    const TOvcNumberBuffer& NumberBuffer() const { return FNumber; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    // OvcNFEdit.cpp: the commands.
    void TypeChar(char C);
    bool AddTypedChar(char C);
    void PasteText(const std::string& Text);
    void ClearNumber();
    void ShowNumber();
    void MoveFocus(bool Forward);
    void StepValue(bool Wrap, double Delta);

    void ComputeCapacity();
    void LoadNumberBuffer();
    void InitialiseValue();
    std::string FormatValue(long double Value) const;
    bool ParseText(long double& Value) const;
    bool InRange(long double Value) const;
    long double RangeValue(const TRangeType& Range) const;
    void StoreNumber(long double Value);

    TNumericDataType FDataType = nftLongInt;
    std::string FPictureMask = "##########";
    TOvcNumberBuffer FNumber;
    bool FCreated = false;
    bool FInUserValidation = false;
};

// The numeric field as it is put on a form.
class TOvcNumericField : public TOvcCustomNumericField {
    VEX_CLASS(TOvcNumericField, TOvcCustomNumericField)

public:
    using TOvcCustomNumericField::TOvcCustomNumericField;
};

}  // namespace vex
