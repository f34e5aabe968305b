#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/stringlist.h"
#include "platform/data/datalinks.h"
#include "platform/data/dataset.h"

namespace vex {

class TDatabase;

// The session: where private answer tables go, who is asked for a password when the engine
// wants one, and the database components by name.
class TSession {
public:
    static TSession& Default();
    std::string PrivateDir;
    // The open or closed database component of that name (compared without regard to case).
    TDatabase* FindDatabase(const std::string& DatabaseName) const;
    std::vector<TDatabase*> Databases;
    // Asks the user; false when the user gave up.
    std::function<bool(const std::string& TableName, std::string& Password)> OnPassword;
    bool GetPassword(const std::string& TableName, std::string& Password) const {
        return OnPassword && OnPassword(TableName, Password);
    }
};

// A named connection that datasets reach by its DatabaseName: an engine alias (AliasName) or a
// folder (Directory).
class TDatabase : public TComponent {
    VEX_CLASS(TDatabase, TComponent)

public:
    explicit TDatabase(TComponent* AOwner);
    ~TDatabase() override;

    const std::string& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const std::string& Value);
    const std::string& AliasName() const { return FAliasName; }
    void SetAliasName(const std::string& Value);
    void SetDirectory(const std::string& Value);
    // The folder: the alias's path, or the directory given.
    std::string Directory() const;

    bool Connected() const { return FHandle != nullptr; }
    void Open();
    void Close() { FHandle.reset(); }
    // The engine's connection; opens the database when needed.
    TDbiDatabase& Handle();

private:
    void CheckInactive() const;

    std::string FDatabaseName, FAliasName, FDirectory;
    std::shared_ptr<TDbiDatabase> FHandle;
};

// A dataset over the engine.
class TBDEDataSet : public TDataSet {
    VEX_CLASS(TBDEDataSet, TDataSet)
public:
    using TDataSet::TDataSet;
};

// A dataset of one database: DatabaseName is an alias of the engine or a folder.
class TDBDataSet : public TBDEDataSet {
    VEX_CLASS(TDBDataSet, TBDEDataSet)
public:
    using TBDEDataSet::TBDEDataSet;
    const std::string& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const std::string& Value);
    // The folder whose database the dataset reads: a database component's, an alias's, or the
    // folder DatabaseName names.
    std::string Directory() const;

private:
    std::string FDatabaseName;
};

enum TTableType { ttDefault, ttParadox, ttDBase, ttASCII };

// Key values as a dataset writes them in dsSetKey: a record buffer, the number of key fields
// set, and whether the key excludes itself from a range.
struct TKeyBuffer {
    std::vector<uint8_t> Data;
    bool Modified = false;
    bool Exclusive = false;
    uint16_t FieldCount = 0;
};

class TTable : public TDBDataSet {
    VEX_CLASS(TTable, TDBDataSet)

public:
    explicit TTable(TComponent* AOwner);
    ~TTable() override;

    const std::string& TableName() const { return FTableName; }
    void SetTableName(const std::string& Value);
    TTableType TableType() const { return FTableType; }
    void SetTableType(TTableType Value) { FTableType = Value; }
    // IndexName and IndexFieldNames exclude each other: setting one clears the other.
    const std::string& IndexName() const { return FIndexName; }
    void SetIndexName(const std::string& Value);
    const std::string& IndexFieldNames() const { return FIndexFieldNames; }
    void SetIndexFieldNames(const std::string& Value);
    // The table's indexes (the rowid order, unnamed, first); read on demand when closed.
    const std::vector<IDXDesc>& IndexDefs();
    int32_t IndexFieldCount() const;
    TField* IndexFields(int32_t Index) const;

    // Key searches: the values are texts of the index fields in order.
    bool FindKey(const std::vector<std::string>& KeyValues);
    void FindNearest(const std::vector<std::string>& KeyValues);
    void SetKey();
    void EditKey();
    bool GotoKey();
    void GotoNearest();

    // Ranges on the current index.
    void SetRangeStart();
    void SetRangeEnd();
    void EditRangeStart();
    void EditRangeEnd();
    void ApplyRange();
    void CancelRange();
    void SetRange(const std::vector<std::string>& StartValues,
                  const std::vector<std::string>& EndValues);
    bool KeyExclusive() const;
    void SetKeyExclusive(bool Value);

    // Master-detail: the detail shows the records whose index fields equal MasterFields
    // (";"-separated) of the master's current record.
    TDataSource* MasterSource() const;
    void SetMasterSource(TDataSource* Value);
    const std::string& MasterFields() const { return FMasterFields; }
    void SetMasterFields(const std::string& Value);

protected:
    void DoAfterOpen() override;
    std::unique_ptr<TDbiCursor> CreateHandle() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Ends the typing of a key begun by SetKey, SetRangeStart and the like (the key keeps
    // what was typed); the dataset is back in the state it had.
    void LeaveKeyState();

private:
    class TMasterDataLink;
    void EnterKeyState(TKeyBuffer& Buffer, bool Clear);
    void SetKeyFields(TKeyBuffer& Buffer, const std::vector<std::string>& Values);
    void CheckIndex() const;
    void ApplyMasterRange();
    void ResolveIndexName();

    std::string FTableName, FIndexName, FIndexFieldNames, FMasterFields;
    std::string FResolvedIndex;
    TTableType FTableType = ttDefault;
    std::vector<IDXDesc> FIndexDefs;
    TKeyBuffer FKey, FRangeStart, FRangeEnd;
    TKeyBuffer* FEditingKey = nullptr;
    TDataSetState FStateBeforeKey = dsBrowse;
    bool FRangeApplied = false;
    std::unique_ptr<TMasterDataLink> FMasterLink;
};

// One statement's answer, read-only: a SELECT made into a private table of the connection.
class TQuery : public TDBDataSet {
    VEX_CLASS(TQuery, TDBDataSet)
public:
    explicit TQuery(TComponent* AOwner);
    TStrings& SQL() { return FSQL; }
    // Runs a statement that gives no answer.
    void ExecSQL();
    bool CanModify() const override { return false; }

protected:
    std::unique_ptr<TDbiCursor> CreateHandle() override;

private:
    TStringList FSQL;
};

// A named statement from the database's catalogue table of procedures, run like a query.
class TStoredProc : public TDBDataSet {
    VEX_CLASS(TStoredProc, TDBDataSet)
public:
    using TDBDataSet::TDBDataSet;
    const std::string& StoredProcName() const { return FName; }
    void SetStoredProcName(const std::string& Value) { FName = Value; }
    void ExecProc();
    bool CanModify() const override { return false; }
    // Keeps a named statement in the catalogue of Database.
    static void Define(TDbiDatabase& Database, const std::string& Name, const std::string& Sql);

protected:
    std::unique_ptr<TDbiCursor> CreateHandle() override;

private:
    std::string Statement() const;
    std::string FName;
};

}  // namespace vex
