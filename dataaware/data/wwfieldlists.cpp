#include "dataaware/data/wwfieldlists.h"

#include "dataaware/data/wwextensions.h"
#include "platform/core/stringutils.h"
#include "platform/data/dataset.h"
#include "platform/rich/rtfreader.h"

namespace vex {

namespace {
// What a ControlType line may carry after the field name and the kind.
constexpr size_t MaxControlParameters = 255;
}  // namespace

std::vector<std::string> wwLineParts(std::string_view Line, char Separator) {
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        const size_t end = Line.find(Separator, start);
        parts.emplace_back(Line.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool wwIsField(TDataSet* DataSet, const std::string& FieldName) {
    return DataSet && DataSet->FindField(FieldName);
}

void wwSetSelectedFields(TDataSet& DataSet, const TStrings& Selected) {
    struct TShown {
        TField* Field;
        int32_t Width, Index;
        std::string Label;
    };
    // A width that does not read keeps the field's own, so one bad line costs only its width.
    std::vector<TShown> shown;
    for (int32_t i = 0; i < Selected.Count(); ++i) {
        const std::vector<std::string> parts = wwLineParts(Selected[i], '\t');
        if (TField* field = DataSet.FindField(parts[0]))
            shown.push_back({field,
                             StrToIntDef(parts.size() > 1 ? parts[1] : "", field->DisplayWidth()),
                             i, parts.size() > 2 ? parts[2] : ""});
    }
    DataSet.DisableControls();
    struct TEnable {
        TDataSet& D;
        ~TEnable() { D.EnableControls(); }
    } enable{DataSet};
    for (int32_t i = 0; i < DataSet.FieldCount(); ++i)
        DataSet.Fields(i)->SetVisible(false);
    for (const TShown& s : shown) {
        s.Field->SetDisplayWidth(s.Width);
        s.Field->SetDisplayLabel(s.Label);
        s.Field->SetIndex(s.Index);
        s.Field->SetVisible(true);
    }
}

void wwGetSelectedFields(TDataSet& DataSet, TStrings& Selected) {
    Selected.Clear();
    for (int32_t i = 0; i < DataSet.FieldCount(); ++i) {
        const TField& f = *DataSet.Fields(i);
        if (f.Visible())
            Selected.Add(f.FieldName() + "\t" + IntToStr(f.DisplayWidth()) + "\t" +
                         f.DisplayLabel());
    }
}

bool wwFindFieldLine(const TStrings& Lines, const std::string& FieldName, int32_t& Index) {
    for (int32_t i = 0; i < Lines.Count(); ++i) {
        const std::string line = Lines[i];
        if (SameText(line.substr(0, line.find('\t')), FieldName)) {
            Index = i;
            return true;
        }
    }
    return false;
}

void wwGetControlInfo(TDataSet* DataSet, const std::string& FieldName, std::string& Kind,
                      std::string& Parameters) {
    Kind.clear();
    Parameters.clear();
    const TStrings* lines = wwGetControlType(DataSet);
    if (!lines) return;
    for (int32_t i = 0; i < lines->Count(); ++i) {
        const std::string line = (*lines)[i];
        const size_t nameEnd = line.find(';');
        if (line.substr(0, nameEnd) != FieldName) continue;
        if (nameEnd == std::string::npos) return;
        const size_t kindEnd = line.find(';', nameEnd + 1);
        Kind = line.substr(nameEnd + 1, kindEnd - nameEnd - 1);
        if (kindEnd != std::string::npos)
            Parameters = line.substr(kindEnd + 1, MaxControlParameters);
        return;
    }
}

bool wwIsControlKind(std::string_view Kind) {
    return SameText(Kind, "CustomEdit") || SameText(Kind, "LookupCombo") || SameText(Kind, "Combo");
}

void wwRemoveStaleDefinitions(TDataSet& DataSet, TStrings& LookupFields, TStrings& LookupLinks,
                              TStrings& ControlType) {
    const auto names = [&](const TStrings& Lines, int32_t I) {
        return wwIsField(&DataSet, wwLineParts(Lines[I], ';')[0]);
    };
    for (int32_t i = LookupFields.Count() - 1; i >= 0; --i) {
        if (names(LookupFields, i)) continue;
        LookupFields.Delete(i);
        if (i < LookupLinks.Count()) LookupLinks.Delete(i);
    }
    for (int32_t i = ControlType.Count() - 1; i >= 0; --i)
        if (!names(ControlType, i)) ControlType.Delete(i);
}

bool wwIsCalcOrLookup(const TField& Field) {
    return Field.FieldKind() == fkCalculated || Field.FieldKind() == fkLookup;
}

bool wwIsNotEngineField(const TField& Field) {
    return wwIsCalcOrLookup(Field) || Field.FieldNo() == 0 || !Field.DataSet() ||
           !Field.DataSet()->InheritsFrom("TBDEDataSet");
}

bool wwIsRichEditField(const TField& Field, bool CheckContent) {
    if (!Field.IsBlob() || !Field.DataSet()) return false;
    if (const TStrings* lines = wwGetControlType(Field.DataSet())) {
        const std::string prefix = Field.FieldName() + ";RichEdit";
        for (int32_t i = 0; i < lines->Count(); ++i)
            if (SameText((*lines)[i].substr(0, prefix.size()), prefix)) return true;
    }
    if (!CheckContent) return false;
    const std::optional<std::string> blob = Field.DataSet()->ReadBlob(Field);
    return blob && LooksLikeRtf(*blob);
}

}  // namespace vex
