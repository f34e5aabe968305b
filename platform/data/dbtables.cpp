#include "platform/data/dbtables.h"

#include <sqlite3.h>

#include <algorithm>

#include "platform/core/stringutils.h"
#include "platform/data/dbiengine.h"
#include "platform/data/dbistatement.h"

namespace vex {

TSession& TSession::Default() {
    static TSession session;
    return session;
}

TDatabase* TSession::FindDatabase(const std::string& DatabaseName) const {
    for (TDatabase* d : Databases)
        if (!DatabaseName.empty() && SameText(d->DatabaseName(), DatabaseName)) return d;
    return nullptr;
}

TDatabase::TDatabase(TComponent* AOwner) : TComponent(AOwner) {
    TSession::Default().Databases.push_back(this);
}

TDatabase::~TDatabase() {
    auto& all = TSession::Default().Databases;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void TDatabase::CheckInactive() const {
    if (Connected()) throw EDatabaseError("Cannot perform this operation on an open database");
}

void TDatabase::SetDatabaseName(const std::string& Value) {
    CheckInactive();
    FDatabaseName = Value;
}

void TDatabase::SetAliasName(const std::string& Value) {
    CheckInactive();
    FAliasName = Value;
    FDirectory.clear();
}

void TDatabase::SetDirectory(const std::string& Value) {
    CheckInactive();
    FDirectory = Value;
    FAliasName.clear();
}

std::string TDatabase::Directory() const {
    return FAliasName.empty() ? FDirectory : TDbiEngine::Default().AliasPath(FAliasName);
}

void TDatabase::Open() {
    if (!FHandle) FHandle = TDbiEngine::Default().OpenDatabase(Directory());
}

TDbiDatabase& TDatabase::Handle() {
    Open();
    return *FHandle;
}

void TDBDataSet::SetDatabaseName(const std::string& Value) {
    if (Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
    FDatabaseName = Value;
}

std::string TDBDataSet::Directory() const {
    if (const TDatabase* database = TSession::Default().FindDatabase(FDatabaseName))
        return database->Directory();
    TDbiEngine& engine = TDbiEngine::Default();
    return engine.AliasExists(FDatabaseName) ? engine.AliasPath(FDatabaseName) : FDatabaseName;
}

// ---- master-detail ----

class TTable::TMasterDataLink : public TDataLink {
public:
    explicit TMasterDataLink(TTable& Detail) : FDetail(Detail) {}

protected:
    void ActiveChanged() override { FDetail.ApplyMasterRange(); }
    void RecordChanged(TField* Field) override {
        if (Field == nullptr) FDetail.ApplyMasterRange();
    }
    void DataSetChanged() override { FDetail.ApplyMasterRange(); }
    void DataSetScrolled(int32_t) override { FDetail.ApplyMasterRange(); }
    void CheckBrowseMode() override {
        if (FDetail.Active()) FDetail.CheckBrowseMode();
    }

private:
    TTable& FDetail;
};

TTable::TTable(TComponent* AOwner)
    : TDBDataSet(AOwner), FMasterLink(std::make_unique<TMasterDataLink>(*this)) {}

TTable::~TTable() {
    FMasterLink.reset();
    Close();
}

void TTable::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && FMasterLink && AComponent == FMasterLink->DataSource())
        FMasterLink->SetDataSource(nullptr);
    TDBDataSet::Notification(AComponent, Operation);
}

void TTable::SetTableName(const std::string& Value) {
    if (Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
    FTableName = Value;
    FIndexDefs.clear();
}

std::unique_ptr<TDbiCursor> TTable::CreateHandle() {
    if (Trim(FTableName).empty()) throw EDatabaseError("Missing TableName property");
    auto cursor = TDbiEngine::Default().OpenTable(Directory(), FTableName);
    FIndexDefs = cursor->Indexes();
    ResolveIndexName();
    cursor->SwitchToIndex(FResolvedIndex);
    FRangeApplied = false;
    return cursor;
}

const std::vector<IDXDesc>& TTable::IndexDefs() {
    if (FIndexDefs.empty() && !Active()) UpdateFieldDefs();
    return FIndexDefs;
}

void TTable::ResolveIndexName() {
    FResolvedIndex.clear();
    if (!FIndexName.empty()) {
        FResolvedIndex = FIndexName;
        return;
    }
    if (FIndexFieldNames.empty()) return;
    for (const IDXDesc& index : FIndexDefs) {
        std::string fields;
        for (const std::string& f : index.Fields)
            fields += (fields.empty() ? "" : ";") + f;
        if (!index.bPrimary && SameText(fields, FIndexFieldNames)) {
            FResolvedIndex = index.szName;
            return;
        }
    }
    throw EDatabaseError("No index for fields '" + FIndexFieldNames + "'");
}

void TTable::SetIndexName(const std::string& Value) {
    FIndexName = Value;
    FIndexFieldNames.clear();
    if (!Active()) return;
    CheckBrowseMode();
    ResolveIndexName();
    Handle()->SwitchToIndex(FResolvedIndex);
    FRangeApplied = false;
    First();
}

void TTable::SetIndexFieldNames(const std::string& Value) {
    FIndexFieldNames = Value;
    FIndexName.clear();
    if (!Active()) return;
    CheckBrowseMode();
    ResolveIndexName();
    Handle()->SwitchToIndex(FResolvedIndex);
    FRangeApplied = false;
    First();
}

int32_t TTable::IndexFieldCount() const {
    return Handle() ? static_cast<int32_t>(Handle()->CurrentIndex().Fields.size()) : 0;
}

TField* TTable::IndexFields(int32_t Index) const {
    if (Index < 0 || Index >= IndexFieldCount()) throw EDatabaseError("Index field out of range");
    return FieldByName(Handle()->CurrentIndex().Fields[static_cast<size_t>(Index)]);
}

void TTable::CheckIndex() const {
    if (IndexFieldCount() == 0) throw EDatabaseError("No index currently active");
}

// ---- key buffers ----

void TTable::EnterKeyState(TKeyBuffer& Buffer, bool Clear) {
    CheckBrowseMode();
    CheckIndex();
    // A key being typed is finished first: it may be the very buffer begun again here.
    if (FEditingKey) LeaveKeyState();
    if (Clear || Buffer.Data.size() != Handle()->RecordSize()) {
        const bool exclusive = Buffer.Exclusive;
        Buffer = TKeyBuffer();
        Buffer.Exclusive = exclusive && !Clear;
        Buffer.Data.resize(Handle()->RecordSize());
        Handle()->InitRecord(Buffer.Data.data());
    }
    FEditingKey = &Buffer;
    FStateBeforeKey = SetTempState(dsSetKey, Buffer.Data.data());
    DataEvent(deUpdateState, 0);
}

void TTable::LeaveKeyState() {
    if (!FEditingKey) return;
    // The key holds the index fields from the first up to the last one given a value.
    uint16_t count = 0;
    for (int32_t i = 0; i < IndexFieldCount(); ++i)
        if (!IndexFields(i)->IsNull()) count = static_cast<uint16_t>(i + 1);
    FEditingKey->FieldCount = count;
    FEditingKey->Modified = true;
    RestoreState(FStateBeforeKey, FEditingKey->Data.data());
    FEditingKey = nullptr;
    DataEvent(deUpdateState, 0);
}

void TTable::SetKeyFields(TKeyBuffer& Buffer, const std::vector<std::string>& Values) {
    EnterKeyState(Buffer, true);
    try {
        if (static_cast<int32_t>(Values.size()) > IndexFieldCount())
            throw EDatabaseError("Too many key values");
        for (size_t i = 0; i < Values.size(); ++i)
            IndexFields(static_cast<int32_t>(i))->SetAsString(Values[i]);
    } catch (...) {
        LeaveKeyState();
        throw;
    }
    LeaveKeyState();
}

void TTable::SetKey() {
    EnterKeyState(FKey, true);
}
void TTable::EditKey() {
    EnterKeyState(FKey, false);
}

bool TTable::GotoKey() {
    LeaveKeyState();
    CheckBrowseMode();
    CheckIndex();
    if (FKey.FieldCount == 0) return false;
    Handle()->SetToBookmark(GetBookmark().Id);
    const int64_t before = Handle()->Bookmark();
    if (Handle()->SetToKey(keySEARCHEQ, FKey.Data.data(), FKey.FieldCount) != DBIERR_NONE) {
        if (before != 0) Handle()->SetToBookmark(before);
        return false;
    }
    CursorPosChanged();
    Resync({rmExact, rmCenter});
    return true;
}

void TTable::GotoNearest() {
    LeaveKeyState();
    CheckBrowseMode();
    CheckIndex();
    const DBIResult r = Handle()->SetToKey(FKey.Exclusive ? keySEARCHGT : keySEARCHGEQ,
                                           FKey.Data.data(), FKey.FieldCount);
    if (r != DBIERR_NONE) {
        Last();
        return;
    }
    std::vector<uint8_t> scratch(Handle()->RecordSize());
    Handle()->GetNextRecord(scratch.data());
    CursorPosChanged();
    Resync({rmCenter});
}

bool TTable::FindKey(const std::vector<std::string>& KeyValues) {
    SetKeyFields(FKey, KeyValues);
    return GotoKey();
}

void TTable::FindNearest(const std::vector<std::string>& KeyValues) {
    SetKeyFields(FKey, KeyValues);
    FKey.Exclusive = false;
    GotoNearest();
}

void TTable::SetRangeStart() {
    EnterKeyState(FRangeStart, true);
}
void TTable::SetRangeEnd() {
    EnterKeyState(FRangeEnd, true);
}
void TTable::EditRangeStart() {
    EnterKeyState(FRangeStart, false);
}
void TTable::EditRangeEnd() {
    EnterKeyState(FRangeEnd, false);
}

bool TTable::KeyExclusive() const {
    return FEditingKey ? FEditingKey->Exclusive : FKey.Exclusive;
}

void TTable::SetKeyExclusive(bool Value) {
    if (!FEditingKey) throw EDatabaseError("Dataset not in edit or insert mode");
    FEditingKey->Exclusive = Value;
}

void TTable::ApplyRange() {
    LeaveKeyState();
    CheckBrowseMode();
    CheckIndex();
    const bool low = FRangeStart.Modified && FRangeStart.FieldCount > 0;
    const bool high = FRangeEnd.Modified && FRangeEnd.FieldCount > 0;
    Handle()->SetRange(low ? FRangeStart.Data.data() : nullptr, FRangeStart.FieldCount,
                       !FRangeStart.Exclusive, high ? FRangeEnd.Data.data() : nullptr,
                       FRangeEnd.FieldCount, !FRangeEnd.Exclusive);
    FRangeApplied = true;
    First();
}

void TTable::CancelRange() {
    CheckBrowseMode();
    if (!FRangeApplied) return;
    Handle()->ResetRange();
    FRangeApplied = false;
    FRangeStart = TKeyBuffer();
    FRangeEnd = TKeyBuffer();
    First();
}

void TTable::SetRange(const std::vector<std::string>& StartValues,
                      const std::vector<std::string>& EndValues) {
    SetKeyFields(FRangeStart, StartValues);
    SetKeyFields(FRangeEnd, EndValues);
    ApplyRange();
}

void TTable::DoAfterOpen() {
    ApplyMasterRange();
    TDBDataSet::DoAfterOpen();
}

TDataSource* TTable::MasterSource() const {
    return FMasterLink->DataSource();
}

void TTable::SetMasterSource(TDataSource* Value) {
    if (Value && Value->DataSet() == this)
        throw EDatabaseError("Circular datalinks are not allowed");
    if (FMasterLink->DataSource()) FMasterLink->DataSource()->RemoveFreeNotification(this);
    FMasterLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
    ApplyMasterRange();
}

void TTable::SetMasterFields(const std::string& Value) {
    FMasterFields = Value;
    ApplyMasterRange();
}

void TTable::ApplyMasterRange() {
    if (!Active() || !FMasterLink->Active() || FMasterFields.empty()) return;
    std::vector<std::string> values;
    TDataSet* master = FMasterLink->DataSet();
    std::string names = FMasterFields;
    for (size_t start = 0; start <= names.size();) {
        const size_t end = std::min(names.find(';', start), names.size());
        const std::string name = Trim(names.substr(start, end - start));
        if (!name.empty()) values.push_back(master->FieldByName(name)->AsString());
        start = end + 1;
    }
    // A master without records shows no details.
    if (master->IsEmpty()) {
        CheckBrowseMode();
        Handle()->SetEmptyRange();
        FRangeApplied = true;
        First();
        return;
    }
    SetRange(values, values);
}

// ---- queries and procedures ----

TQuery::TQuery(TComponent* AOwner) : TDBDataSet(AOwner) {}

std::unique_ptr<TDbiCursor> TQuery::CreateHandle() {
    const std::string sql = Trim(FSQL.Text());
    if (sql.empty()) throw EDatabaseError("No SQL statement available");
    return OpenAnswer(TDbiEngine::Default().OpenDatabase(Directory()), sql);
}

void TQuery::ExecSQL() {
    const std::string sql = Trim(FSQL.Text());
    if (sql.empty()) throw EDatabaseError("No SQL statement available");
    auto statement = TDbiEngine::Default().OpenDatabase(Directory())->Prepare(sql);
    while (statement->Step()) {
    }
}

namespace {
const char* const Catalogue = "vex_procedures";

void EnsureCatalogue(TDbiDatabase& Database) {
    Database.Execute(std::string("CREATE TABLE IF NOT EXISTS ") + Catalogue +
                     " (name TEXT PRIMARY KEY COLLATE NOCASE, statement TEXT NOT NULL)");
}
}  // namespace

void TStoredProc::Define(TDbiDatabase& Database, const std::string& Name, const std::string& Sql) {
    Database.Prepare(Sql);
    EnsureCatalogue(Database);
    auto q =
        Database.Prepare(std::string("INSERT OR REPLACE INTO ") + Catalogue + " VALUES (?1, ?2)");
    sqlite3_bind_text(q->Handle(), 1, Name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(q->Handle(), 2, Sql.c_str(), -1, SQLITE_TRANSIENT);
    q->Step();
}

std::string TStoredProc::Statement() const {
    auto database = TDbiEngine::Default().OpenDatabase(Directory());
    EnsureCatalogue(*database);
    auto q =
        database->Prepare(std::string("SELECT statement FROM ") + Catalogue + " WHERE name = ?1");
    sqlite3_bind_text(q->Handle(), 1, FName.c_str(), -1, SQLITE_TRANSIENT);
    if (!q->Step()) throw EDBEngineError(DBIERR_OBJNOTFOUND, "Stored procedure " + FName);
    return reinterpret_cast<const char*>(sqlite3_column_text(q->Handle(), 0));
}

std::unique_ptr<TDbiCursor> TStoredProc::CreateHandle() {
    return OpenAnswer(TDbiEngine::Default().OpenDatabase(Directory()), Statement());
}

void TStoredProc::ExecProc() {
    auto statement = TDbiEngine::Default().OpenDatabase(Directory())->Prepare(Statement());
    while (statement->Step()) {
    }
}

}  // namespace vex
