#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/dbitypes.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vex {

// One index of a table: its columns in order and whether it ignores case (COLLATE NOCASE on
// its first column).
struct IDXDesc {
    std::string szName;
    std::vector<std::string> Fields;
    std::vector<std::string> Collations;  // per field, as SQLite names them
    bool bCaseInsensitive = false;
    bool bUnique = false;
    bool bPrimary = false;  // the rowid order, which every table has
};

// A prepared statement borrowed from the connection's cache; it is reset and its bindings
// cleared when the borrow ends.
class TSqlStatement {
public:
    TSqlStatement(sqlite3_stmt* Handle, bool Owned) : FHandle(Handle), FOwned(Owned) {}
    ~TSqlStatement();
    TSqlStatement(const TSqlStatement&) = delete;
    TSqlStatement& operator=(const TSqlStatement&) = delete;

    sqlite3_stmt* Handle() const { return FHandle; }
    // Steps once: true while a row is there. A database error raises EDBEngineError.
    bool Step();

private:
    sqlite3_stmt* FHandle;
    bool FOwned;  // a second borrow's own statement, finalized at the end
};

// The SQLite file of one folder: one connection, defensive, without extension loading, its
// statements prepared once and kept (the first few hundred texts). The connection belongs to
// the thread that uses the data layer (the user-interface thread), so SQLite takes no lock
// per call.
class TDbiDatabase {
public:
    explicit TDbiDatabase(const std::string& FileName);
    ~TDbiDatabase();
    TDbiDatabase(const TDbiDatabase&) = delete;
    TDbiDatabase& operator=(const TDbiDatabase&) = delete;

    const std::string& FileName() const { return FFileName; }
    sqlite3* Handle() const { return FHandle; }

    // The cached statement for Sql; a second borrow of the same text while the first is out
    // gets a fresh statement of its own.
    std::unique_ptr<TSqlStatement> Prepare(const std::string& Sql);
    void Execute(const std::string& Sql);

    // Whether the table is there, its name in any case as SQLite takes it.
    bool TableExists(const std::string& Table);
    // Raises DBIERR_NOSUCHTABLE for a missing table.
    std::vector<FLDDesc> TableFields(const std::string& Table);
    std::vector<IDXDesc> TableIndexes(const std::string& Table);

    // The validity checks of a table's fields: each a field number (from 1) and the picture its
    // values must pass. They live in a catalogue table of the database, vex_validity.
    struct VCHKDesc {
        uint16_t iFldNum = 0;
        std::string szPict;
    };
    std::vector<VCHKDesc> ValidityChecks(const std::string& Table);
    void SetValidityCheck(const std::string& Table, const std::string& Field,
                          const std::string& Picture);

    void CreateTable(const std::string& Table, const std::vector<FLDDesc>& Fields);
    // Drops a table of the main database with its indexes and its validity checks.
    void DropTable(const std::string& Table);
    void AddIndex(const std::string& Table, const IDXDesc& Index);

    // Raises EDBEngineError with the connection's message for an SQLite result other than OK.
    void CheckResult(int Result) const;

    // The cursors open on each table (names without regard to ASCII case, as SQLite takes
    // them), so that a table is not replaced under a cursor that reads it by row id.
    void CursorOpened(const std::string& Table);
    void CursorClosed(const std::string& Table);
    bool TableInUse(const std::string& Table) const;
    // The engine's own tables (SQLite's and the catalogue), which no caller may replace.
    static bool IsEngineTable(const std::string& Table);

private:
    std::string FFileName;
    sqlite3* FHandle = nullptr;
    std::map<std::string, sqlite3_stmt*> FCache;
    std::map<std::string, int32_t> FOpenCursors;  // upper-cased table name to count
    friend class TSqlStatement;
};

// "name" with every quote doubled: an identifier whatever it holds.
std::string QuoteName(const std::string& Name);

}  // namespace vex
