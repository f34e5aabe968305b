#include "dataaware/data/wwpictures.h"
#include "dataaware/edits/wwdbedit.h"
#include "platform/core/component.h"
#include "platform/data/datalinks.h"
#include "platform/win/messagebox.h"

namespace vex {

namespace {
constexpr const char* kTableDefinesPicture = "Picture mask already defined in Paradox table. ";
}

TwwDBPicture::TwwDBPicture(TwwCustomMaskEdit* AOwner) : FOwner(AOwner) {}

TDataSet* TwwDBPicture::BoundDataSet(std::string& FieldName) const {
    auto* edit = dynamic_cast<TwwDBCustomEdit*>(FOwner);
    if (edit == nullptr) return nullptr;
    const TFieldDataLink& link = edit->DataLink();
    TDataSet* dataSet = link.DataSource() != nullptr ? link.DataSource()->DataSet() : nullptr;
    if (dataSet == nullptr || link.FieldName().empty()) return nullptr;
    FieldName = link.FieldName();
    return dataSet;
}

TDataSet* TwwDBPicture::EntryDataSet(std::string& FieldName) const {
    TDataSet* dataSet = BoundDataSet(FieldName);
    return dataSet != nullptr && wwGetPictureMasks(dataSet) != nullptr ? dataSet : nullptr;
}

bool TwwDBPicture::Bound() const {
    std::string field;
    return BoundDataSet(field) != nullptr;
}

std::string TwwDBPicture::PictureMask() const {
    std::string field;
    TDataSet* dataSet = EntryDataSet(field);
    if (dataSet == nullptr) return FPictureMask;
    bool flag2 = true, autoFill = true;
    std::string mask;
    wwGetPictureInfo(dataSet, field, true, flag2, autoFill, mask);
    return mask;
}

void TwwDBPicture::SetPictureMask(const std::string& Value) {
    std::string field;
    TDataSet* dataSet = EntryDataSet(field);
    if (dataSet != nullptr && !wwGetTablePicture(dataSet, field).empty()) {
        MessageBox(0, kTableDefinesPicture, "Warning", MB_ICONWARNING | MB_OK);
        return;
    }
    FPictureMask = Value;
    if (dataSet != nullptr)
        wwSetPictureInfo(dataSet, field, Value, true, false, false, false, false);
}

bool TwwDBPicture::AutoFill() const {
    std::string field;
    TDataSet* dataSet = EntryDataSet(field);
    if (dataSet == nullptr) return FAutoFill;
    bool flag2 = true, autoFill = true;
    std::string mask;
    wwGetPictureInfo(dataSet, field, true, flag2, autoFill, mask);
    return mask.empty() ? FAutoFill : autoFill;
}

void TwwDBPicture::SetAutoFill(bool Value) {
    FAutoFill = Value;
    std::string field;
    if (TDataSet* dataSet = EntryDataSet(field))
        wwSetPictureInfo(dataSet, field, "", false, true, false, false, Value);
}

bool TwwDBPicture::AllowInvalidExit() const {
    return !Bound() && FAllowInvalidExit;
}

void TwwDBPicture::SetAllowInvalidExit(bool Value) {
    if (!Bound()) FAllowInvalidExit = Value;
}

void TwwDBPicture::Assign(const TPersistent* Source) {
    const auto* other = dynamic_cast<const TwwDBPicture*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetPictureMask(other->PictureMask());
    SetAutoFill(other->AutoFill());
}

}  // namespace vex
