#include "platform/data/dbidatabase.h"

#include <sqlite3.h>

#include "platform/core/stringutils.h"
#include "platform/data/dbierrors.h"
#include "platform/data/fieldtypes.h"

namespace vex {

namespace {
constexpr size_t MaxCachedStatements = 256;
}  // namespace

std::string QuoteName(const std::string& Name) {
    std::string Result = "\"";
    for (char c : Name) {
        Result += c;
        if (c == '"') Result += '"';
    }
    return Result + "\"";
}

TSqlStatement::~TSqlStatement() {
    if (FOwned) {
        sqlite3_finalize(FHandle);
        return;
    }
    sqlite3_reset(FHandle);
    sqlite3_clear_bindings(FHandle);
}

bool TSqlStatement::Step() {
    const int rc = sqlite3_step(FHandle);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw EDBEngineError(rc == SQLITE_CONSTRAINT ? DBIERR_KEYVIOL : DBIERR_DBFAILURE,
                         sqlite3_errmsg(sqlite3_db_handle(FHandle)));
}

TDbiDatabase::TDbiDatabase(const std::string& FileName) : FFileName(FileName) {
    const int rc =
        sqlite3_open_v2(FileName.c_str(), &FHandle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string why = FHandle ? sqlite3_errmsg(FHandle) : "out of memory";
        sqlite3_close(FHandle);
        throw EDBEngineError(DBIERR_CANNOTOPEN, FileName + ": " + why);
    }
    sqlite3_db_config(FHandle, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(FHandle, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    // Another program holding the file gets two seconds, then the operation fails.
    sqlite3_busy_timeout(FHandle, 2000);
    // Cursors read windows of rows again and again: keep 16 MiB of pages rather than 2.
    Execute("PRAGMA cache_size = -16384");
}

TDbiDatabase::~TDbiDatabase() {
    for (auto& [sql, stmt] : FCache)
        sqlite3_finalize(stmt);
    sqlite3_close(FHandle);
}

void TDbiDatabase::CheckResult(int Result) const {
    if (Result != SQLITE_OK) throw EDBEngineError(DBIERR_DBFAILURE, sqlite3_errmsg(FHandle));
}

std::unique_ptr<TSqlStatement> TDbiDatabase::Prepare(const std::string& Sql) {
    auto it = FCache.find(Sql);
    if (it != FCache.end() && !sqlite3_stmt_busy(it->second))
        return std::make_unique<TSqlStatement>(it->second, false);
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    CheckResult(sqlite3_prepare_v3(FHandle, Sql.c_str(), static_cast<int>(Sql.size()),
                                   SQLITE_PREPARE_PERSISTENT, &stmt, &tail));
    if (stmt == nullptr) throw EDBEngineError(DBIERR_QRYSYNTAX, "An empty statement");
    // A second statement behind the first would be dropped unseen: refuse it. Comments and
    // blanks prepare to nothing.
    sqlite3_stmt* next = nullptr;
    const int rest = sqlite3_prepare_v2(FHandle, tail, -1, &next, nullptr);
    sqlite3_finalize(next);
    if (rest != SQLITE_OK || next != nullptr) {
        sqlite3_finalize(stmt);
        throw EDBEngineError(DBIERR_QRYSYNTAX, "More than one statement: " + std::string(tail));
    }
    // Texts that differ by the values written into them would fill the cache without end:
    // past its size a statement is the caller's alone.
    if (it == FCache.end() && FCache.size() < MaxCachedStatements) {
        FCache.emplace(Sql, stmt);
        return std::make_unique<TSqlStatement>(stmt, false);
    }
    // The cached one is out on another borrow, or the cache is full: this one is the caller's.
    return std::make_unique<TSqlStatement>(stmt, true);
}

void TDbiDatabase::Execute(const std::string& Sql) {
    char* message = nullptr;
    if (sqlite3_exec(FHandle, Sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string why = message ? message : sqlite3_errmsg(FHandle);
        sqlite3_free(message);
        throw EDBEngineError(DBIERR_DBFAILURE, why);
    }
}

bool TDbiDatabase::TableExists(const std::string& Table) {
    auto q = Prepare(
        "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE "
        "UNION ALL SELECT 1 FROM sqlite_temp_schema WHERE type = 'table' AND name = ?1 COLLATE "
        "NOCASE");
    sqlite3_bind_text(q->Handle(), 1, Table.c_str(), -1, SQLITE_TRANSIENT);
    return q->Step();
}

std::vector<FLDDesc> TDbiDatabase::TableFields(const std::string& Table) {
    if (!TableExists(Table)) throw EDBEngineError(DBIERR_NOSUCHTABLE, Table);
    std::vector<FLDDesc> fields;
    auto q = Prepare("SELECT name, type, \"notnull\" FROM pragma_table_info(?1) ORDER BY cid");
    sqlite3_bind_text(q->Handle(), 1, Table.c_str(), -1, SQLITE_TRANSIENT);
    while (q->Step()) {
        FLDDesc f;
        f.szName = reinterpret_cast<const char*>(sqlite3_column_text(q->Handle(), 0));
        const unsigned char* type = sqlite3_column_text(q->Handle(), 1);
        DescribeDeclaredType(type ? reinterpret_cast<const char*>(type) : "", f);
        f.bRequired = sqlite3_column_int(q->Handle(), 2) != 0;
        fields.push_back(f);
    }
    LayOutRecord(fields);
    return fields;
}

std::vector<IDXDesc> TDbiDatabase::TableIndexes(const std::string& Table) {
    std::vector<IDXDesc> indexes;
    IDXDesc primary;
    primary.bPrimary = primary.bUnique = true;
    indexes.push_back(primary);
    auto list = Prepare(
        "SELECT name, \"unique\" FROM pragma_index_list(?1) WHERE origin = 'c' ORDER BY name");
    sqlite3_bind_text(list->Handle(), 1, Table.c_str(), -1, SQLITE_TRANSIENT);
    while (list->Step()) {
        IDXDesc index;
        index.szName = reinterpret_cast<const char*>(sqlite3_column_text(list->Handle(), 0));
        index.bUnique = sqlite3_column_int(list->Handle(), 1) != 0;
        auto info =
            Prepare("SELECT name, coll FROM pragma_index_xinfo(?1) WHERE key = 1 ORDER BY seqno");
        sqlite3_bind_text(info->Handle(), 1, index.szName.c_str(), -1, SQLITE_TRANSIENT);
        while (info->Step()) {
            const unsigned char* name = sqlite3_column_text(info->Handle(), 0);
            if (name == nullptr) continue;  // an expression, which no field names
            const unsigned char* coll = sqlite3_column_text(info->Handle(), 1);
            index.Collations.push_back(coll ? reinterpret_cast<const char*>(coll) : "BINARY");
            index.Fields.push_back(reinterpret_cast<const char*>(name));
        }
        if (index.Fields.empty()) continue;
        index.bCaseInsensitive = SameText(index.Collations[0], "NOCASE");
        indexes.push_back(index);
    }
    return indexes;
}

namespace {
const char* const ValidityCatalogue =
    "CREATE TABLE IF NOT EXISTS vex_validity (table_name TEXT NOT NULL COLLATE NOCASE, "
    "field_name TEXT NOT NULL COLLATE NOCASE, picture TEXT NOT NULL, "
    "PRIMARY KEY (table_name, field_name))";
}  // namespace

std::vector<TDbiDatabase::VCHKDesc> TDbiDatabase::ValidityChecks(const std::string& Table) {
    const std::vector<FLDDesc> fields = TableFields(Table);
    std::vector<VCHKDesc> checks;
    if (!TableExists("vex_validity")) return checks;
    auto q = Prepare(
        "SELECT field_name, picture FROM vex_validity WHERE table_name = ?1 ORDER BY rowid");
    sqlite3_bind_text(q->Handle(), 1, Table.c_str(), -1, SQLITE_TRANSIENT);
    while (q->Step()) {
        const std::string field =
            reinterpret_cast<const char*>(sqlite3_column_text(q->Handle(), 0));
        for (const FLDDesc& f : fields)
            if (SameText(f.szName, field))
                checks.push_back({f.iFldNum, reinterpret_cast<const char*>(
                                                 sqlite3_column_text(q->Handle(), 1))});
    }
    return checks;
}

void TDbiDatabase::SetValidityCheck(const std::string& Table, const std::string& Field,
                                    const std::string& Picture) {
    Execute(ValidityCatalogue);
    auto q = Prepare("INSERT OR REPLACE INTO vex_validity VALUES (?1, ?2, ?3)");
    sqlite3_bind_text(q->Handle(), 1, Table.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(q->Handle(), 2, Field.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(q->Handle(), 3, Picture.c_str(), -1, SQLITE_TRANSIENT);
    q->Step();
}

void TDbiDatabase::CursorOpened(const std::string& Table) {
    ++FOpenCursors[UpperCase(Table)];
}

void TDbiDatabase::CursorClosed(const std::string& Table) {
    const auto it = FOpenCursors.find(UpperCase(Table));
    if (it != FOpenCursors.end() && --it->second == 0) FOpenCursors.erase(it);
}

bool TDbiDatabase::TableInUse(const std::string& Table) const {
    return FOpenCursors.count(UpperCase(Table)) != 0;
}

bool TDbiDatabase::IsEngineTable(const std::string& Table) {
    const std::string name = UpperCase(Table);
    return name == "VEX_VALIDITY" || name.rfind("SQLITE_", 0) == 0;
}

void TDbiDatabase::CreateTable(const std::string& Table, const std::vector<FLDDesc>& Fields) {
    if (TableExists(Table)) throw EDBEngineError(DBIERR_TABLEEXISTS, Table);
    std::string sql = "CREATE TABLE " + QuoteName(Table) + " (";
    for (size_t i = 0; i < Fields.size(); ++i) {
        sql += (i ? ", " : "") + QuoteName(Fields[i].szName) + " " + DeclaredType(Fields[i]);
        if (Fields[i].bRequired) sql += " NOT NULL";
    }
    Execute(sql + ")");
}

void TDbiDatabase::DropTable(const std::string& Table) {
    Execute("DROP TABLE main." + QuoteName(Table));
    if (!TableExists("vex_validity")) return;
    auto q = Prepare("DELETE FROM vex_validity WHERE table_name = ?1");
    sqlite3_bind_text(q->Handle(), 1, Table.c_str(), -1, SQLITE_TRANSIENT);
    q->Step();
}

void TDbiDatabase::AddIndex(const std::string& Table, const IDXDesc& Index) {
    std::string sql = std::string("CREATE ") + (Index.bUnique ? "UNIQUE " : "") + "INDEX " +
                      QuoteName(Index.szName) + " ON " + QuoteName(Table) + " (";
    for (size_t i = 0; i < Index.Fields.size(); ++i)
        sql += (i ? ", " : "") + QuoteName(Index.Fields[i]) +
               (Index.bCaseInsensitive ? " COLLATE NOCASE" : "");
    Execute(sql + ")");
}

}  // namespace vex
