#include "dataaware/data/wwpictures.h"

#include <vector>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwfieldlists.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

struct TPictureEntry {
    int32_t Line = -1;  // none
    std::string Mask;
    bool AutoFill = true, Flag2 = true;
};

TPictureEntry FindEntry(const TStrings& Lines, const std::string& FieldName) {
    for (int32_t i = 0; i < Lines.Count(); ++i) {
        const std::vector<std::string> parts = wwLineParts(Lines[i], '\t');
        if (!SameText(parts[0], FieldName)) continue;
        const auto part = [&](size_t I) { return I < parts.size() ? parts[I] : ""; };
        return {i, part(1), part(2) == "T", part(3) == "T"};
    }
    return {};
}

std::string EntryLine(const std::string& FieldName, const TPictureEntry& E) {
    return FieldName + "\t" + E.Mask + "\t" + (E.AutoFill ? "T" : "F") + "\t" +
           (E.Flag2 ? "T" : "F");
}

}  // namespace

std::string wwGetTablePicture(TDataSet* DataSet, const std::string& FieldName) {
    auto* table = dynamic_cast<TwwTable*>(DataSet);
    if (!table || !table->FindField(FieldName)) return "";
    return table->wwGetParadoxPicture(FieldName);
}

void wwGetPictureInfo(TDataSet* DataSet, const std::string& FieldName, bool UseTableMask,
                      bool& Flag2, bool& AutoFill, std::string& Mask) {
    TStrings* lines = wwGetPictureMasks(DataSet);
    TPictureEntry entry = lines ? FindEntry(*lines, FieldName) : TPictureEntry{};
    if (UseTableMask) {
        const std::string tableMask = wwGetTablePicture(DataSet, FieldName);
        if (!tableMask.empty()) {
            entry.Mask = tableMask;
            if (entry.Line >= 0) lines->SetStrings(entry.Line, EntryLine(FieldName, entry));
        }
    }
    Mask = entry.Mask;
    AutoFill = entry.AutoFill;
    Flag2 = entry.Flag2;
}

void wwSetPictureInfo(TDataSet* DataSet, const std::string& FieldName, const std::string& Mask,
                      bool ChangeMask, bool ChangeAutoFill, bool ChangeFlag2, bool Flag2,
                      bool AutoFill) {
    TStrings* lines = wwGetPictureMasks(DataSet);
    if (!lines) return;
    const std::string tableMask = wwGetTablePicture(DataSet, FieldName);
    TPictureEntry entry = FindEntry(*lines, FieldName);
    if (ChangeMask) entry.Mask = tableMask.empty() ? Mask : tableMask;
    if (ChangeAutoFill) entry.AutoFill = AutoFill;
    if (ChangeFlag2) entry.Flag2 = Flag2;
    if (entry.Line < 0) {
        if (!entry.Mask.empty()) lines->Add(EntryLine(FieldName, entry));
    } else if (entry.Mask.empty()) {
        lines->Delete(entry.Line);
    } else {
        lines->SetStrings(entry.Line, EntryLine(FieldName, entry));
    }
}

void wwValidatePictures(TDataSet& DataSet, const TwwInvalidValueEvent& OnInvalidValue) {
    for (int32_t i = 0; i < DataSet.FieldCount(); ++i) {
        TField& field = *DataSet.Fields(i);
        bool flag2 = false, autoFill = false;
        std::string mask;
        wwGetPictureInfo(&DataSet, field.FieldName(), true, flag2, autoFill, mask);
        if (mask.empty() || field.ReadOnly() || wwPassesPicture(mask, field.Text())) continue;
        // The event may close the dataset and free its fields: the message is made first.
        const std::string message = wwPictureValidateError + field.DisplayName();
        field.FocusControl();
        if (OnInvalidValue) OnInvalidValue(&DataSet, &field);
        throw EDatabaseError(message);
    }
}

}  // namespace vex
