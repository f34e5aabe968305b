#include "dataaware/data/Wwtable.h"

#include "dataaware/data/Wwlocate.h"
#include "platform/core/stringutils.h"
#include "platform/data/dbiengine.h"
#include "platform/data/dbistatement.h"

namespace vex {

namespace {
// Raised for the length of a key search or a locate.
struct TBusy {
    explicit TBusy(int32_t& Count) : Busy(Count) { ++Busy; }
    ~TBusy() { --Busy; }
    int32_t& Busy;
};
}  // namespace

TwwTable::TwwTable(TComponent* AOwner) : TwwDataSetExtensions<TTable>(AOwner) {}

std::string TwwTable::CombinedFilterText() const {
    std::string text;
    for (int32_t i = 0; i < FwwFilter.Count(); ++i) {
        std::string line = FwwFilter[i];
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (line.empty()) continue;
        text += text.empty() ? line : " AND (" + line + ")";
    }
    return text;
}

void TwwTable::SetwwFilter(const TStrings& Value) {
    FwwFilter.Assign(&Value);
    if (!Active()) return;
    if (!ApplyFilterText(CombinedFilterText(), *this, FFilterHandle, false))
        MessageBox(0, "Fail to set filter", "Warning", MB_ICONWARNING | MB_OK);
}

void TwwTable::SetQuery(const TStrings& Value) {
    if (Active()) Close();
    if (Value.Count() > 0) {
        TTable::SetTableName("");
        SetIndexFieldNames("");
        SetMasterSource(nullptr);
        SetMasterFields("");
    }
    FQuery.Assign(&Value);
}

void TwwTable::SetTableName(const std::string& Value) {
    TTable::SetTableName(Value);
    if (!Value.empty()) FQuery.Clear();
}

bool TwwTable::IsParadoxTable() const {
    if (TableType() != ttDefault) return TableType() == ttParadox;
    const std::string name = LowerCase(TableName());
    return name.find(".db") != std::string::npos && !name.empty() && name.back() == 'b';
}

std::string TwwTable::wwGetParadoxPicture(const std::string& FieldName) {
    if (FPicturesToRead && IsParadoxTable()) {
        FPicturesToRead = false;
        const auto [folder, table] = TDbiEngine::ResolveTable(Directory(), TableName());
        auto database = TDbiEngine::Default().OpenDatabase(folder);
        const std::vector<FLDDesc> fields = database->TableFields(table);
        for (const TDbiDatabase::VCHKDesc& check : database->ValidityChecks(table))
            FParadoxPictures.Add(fields[check.iFldNum - 1].szName + "\t" + check.szPict);
    }
    for (int32_t i = 0; i < FParadoxPictures.Count(); ++i) {
        const std::string line = FParadoxPictures[i];
        const size_t tab = line.find('\t');
        if (line.substr(0, tab) == FieldName) return line.substr(tab + 1);
    }
    return "";
}

bool TwwTable::IsSequenced() const {
    return TwwDataSetExtensions<TTable>::IsSequenced() && CombinedFilterText().empty();
}

void TwwTable::OpenCursor(bool InfoQuery) {
    if (FQuery.Count() > 0) {
        const std::string first = LowerCase(Trim(FQuery[0]));
        FLanguage = first.substr(0, first.find_first_of(" \t")) == "query" ? "QBE" : "SQL";
    }
    TwwDataSetExtensions<TTable>::OpenCursor(InfoQuery);
    FParadox = Handle() != nullptr && IsParadoxTable();
}

void TwwTable::CloseCursor() {
    while (!LookupTables.empty())
        LookupTables.pop_back();
    FFilterHandle = 0;
    TwwDataSetExtensions<TTable>::CloseCursor();
    if (FQuery.Count() > 0) TTable::SetTableName("");
}

std::unique_ptr<TDbiCursor> TwwTable::CreateHandle() {
    if (FQuery.Count() == 0) return TTable::CreateHandle();
    TTable::SetTableName("");
    SetIndexFieldNames("");
    SetMasterSource(nullptr);
    SetMasterFields("");
    const bool qbe = FLanguage == "QBE";
    // Lines joined by line breaks: a "--" comment ends at its line, not with the rest.
    const std::string text = wwStringsToText(FQuery, false);
    TDbiStatement statement(TDbiEngine::Default().OpenDatabase(Directory()),
                            qbe ? qrylangQBE : qrylangSQL);
    if (qbe) {
        Check(statement.SetProp(stmtAUXTBLS, 0));
        Check(statement.SetProp(stmtBLANKS, 1));
    }
    std::unique_ptr<TDbiCursor> cursor;
    Screen().SetCursor(crHourGlass);
    DBIResult result = statement.Prepare(text);
    if (result == DBIERR_NONE) result = statement.Execute(cursor);
    Screen().SetCursor(crDefault);
    if (result != DBIERR_NONE) throw EDBEngineError(result, statement.Error());
    return cursor;
}

void TwwTable::PrepareCursor() {
    TwwDataSetExtensions<TTable>::PrepareCursor();
    const std::string text = CombinedFilterText();
    if (!text.empty() || OnFilter()) {
        if (!text.empty() && !ApplyFilterText(text, *this, FFilterHandle, true))
            MessageBox(0, "Fail to set filter", "Warning", MB_ICONWARNING | MB_OK);
        if (OnFilter()) SetOnFilter(OnFilter());
    }
}

bool TwwTable::CurrentRecordMatches(const std::vector<std::string>& KeyValues) const {
    if (IsEmpty()) return false;
    for (size_t i = 0; i < KeyValues.size(); ++i)
        if (AnsiLowerCase(KeyValues[i]) !=
            AnsiLowerCase(IndexFields(static_cast<int32_t>(i))->AsString()))
            return false;
    return true;
}

bool TwwTable::wwFindKey(const std::vector<std::string>& KeyValues) {
    if (IndexFieldCount() == 0) return false;
    if (static_cast<int32_t>(KeyValues.size()) > IndexFieldCount()) {
        MessageBox(
            0, "Table " + Name() + ": FindKey has too many lookup values for index " + IndexName(),
            "Warning", MB_ICONWARNING | MB_OK);
        return false;
    }
    TBusy busy{FBusy};
    if (SyncSQLByRange && HasActiveMasterLink()) return FindInRange(KeyValues);
    if (NarrowSearch) CancelRange();
    if (CurrentRecordMatches(KeyValues)) return true;
    return FindKey(KeyValues);
}

bool TwwTable::HasActiveMasterLink() const {
    const TDataSource* master = MasterSource();
    return master && master->DataSet() && master->DataSet()->Active() && !MasterFields().empty();
}

bool TwwTable::FindInRange(const std::vector<std::string>& KeyValues) {
    if (CurrentRecordMatches(KeyValues)) return true;
    if (KeyValues.empty() || KeyValues[0].empty()) {
        if (!Searching) CancelRange();
        return false;
    }
    if (Searching) {
        SetRange(KeyValues, KeyValues);
    } else {
        // From the values to where the master's range ends.
        SetRangeStart();
        try {
            for (size_t i = 0; i < KeyValues.size(); ++i)
                IndexFields(static_cast<int32_t>(i))->SetAsString(KeyValues[i]);
        } catch (...) {
            LeaveKeyState();
            throw;
        }
        ApplyRange();
    }
    First();
    return CurrentRecordMatches(KeyValues);
}

bool TwwTable::wwLookupLocate(const std::string& Value, const std::string& FieldName,
                              bool CaseSensitive, bool Partial) {
    TBusy busy{FBusy};
    return wwLocateValue(*this, Value, FieldName, CaseSensitive, Partial);
}

bool wwHasTableQuery(TDataSet* DataSet) {
    auto* table = dynamic_cast<TwwTable*>(DataSet);
    return table && table->Query().Count() > 0;
}

void TwwTable::wwFindIndexForFields(const std::string& Fields, std::string& IndexName) {
    const std::vector<IDXDesc>& indexes = IndexDefs();
    const auto list = [](const IDXDesc& Index) {
        std::string fields;
        for (const std::string& f : Index.Fields)
            fields += (fields.empty() ? "" : ";") + f;
        return fields;
    };
    // Exact lists before prefixes, case-insensitive indexes before case-sensitive ones.
    for (const bool prefix : {false, true})
        for (const bool caseInsensitive : {true, false})
            for (const IDXDesc& index : indexes) {
                if (index.bPrimary || index.bCaseInsensitive != caseInsensitive) continue;
                const std::string fields = list(index);
                const bool fits = prefix
                                      ? SameText(fields.substr(0, Fields.size() + 1), Fields + ";")
                                      : SameText(fields, Fields);
                if (fits) {
                    IndexName = index.szName;
                    return;
                }
            }
}

}  // namespace vex
