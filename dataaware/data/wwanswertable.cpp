#include "dataaware/data/wwanswertable.h"

#include <memory>
#include <vector>

#include "platform/core/stringutils.h"
#include "platform/data/dbiengine.h"
#include "platform/data/dbtables.h"
#include "platform/win/messagebox.h"

namespace vex {

namespace {

// A table that a cursor reads by row id, or that the answer came from, would lose what it
// holds to the answer: the answer is refused instead.
bool InUse(const TDbiDatabase& Database, const std::string& Table, const TDbiCursor& Answer) {
    if (Database.TableInUse(Table)) return true;
    if (&Database != &Answer.Database()) return false;
    for (const std::string& source : Answer.SourceTables)
        if (SameText(source, Table)) return true;
    return false;
}

// Copies every record, blobs included, into a new table of that name in Database.
void CopyAnswer(TDbiCursor& Answer, const std::shared_ptr<TDbiDatabase>& Database,
                const std::string& Table) {
    if (Database->TableExists(Table)) Database->DropTable(Table);
    Database->CreateTable(Table, Answer.Fields());
    TDbiCursor target(Database, Table);
    std::vector<uint8_t> record(Answer.RecordSize());
    Answer.SetToBegin();
    while (Answer.GetNextRecord(record.data()) == DBIERR_NONE) {
        for (const FLDDesc& f : Answer.Fields())
            if (f.iFldType == fldBLOB) target.StageBlob(f.iFldNum, Answer.ReadBlob(f.iFldNum));
        target.InsertRecord(record.data());
    }
}

}  // namespace

void wwGetAliasPath(const std::string& Alias, std::string& Path) {
    Path.clear();
    std::vector<std::pair<std::string, std::string>> entries;
    if (TDbiEngine::Default().OpenCfgInfoList("\\Databases\\" + Alias + "\\db info", entries) ==
        DBIERR_OBJNOTFOUND)
        return;
    for (const auto& [name, value] : entries)
        if (SameText(name, "path")) {
            Path = value;
            return;
        }
}

bool wwSetAnswerTable(TDBDataSet& DataSet, TDbiCursor& Answer, const std::string& AnswerName) {
    if (AnswerName.empty()) return true;
    std::string name = AnswerName;
    if (name[0] == ':') {
        const size_t aliasEnd = name.find(':', 1);
        std::string path, file = aliasEnd == std::string::npos ? "" : name.substr(aliasEnd + 1);
        wwGetAliasPath(name.substr(1, aliasEnd - 1), path);
        if (path.empty()) {
            MessageBox(0, "Invalid Alias in QBE", "Error", MB_ICONERROR | MB_OK);
            return false;
        }
        const bool joined = path.back() == '/' || (!file.empty() && file[0] == '/');
        name = path + (joined ? "" : "/") + file;
    }
    // The engine takes the name: its folder must be there.
    std::shared_ptr<TDbiDatabase> database;
    std::string table;
    try {
        const auto [folder, tableName] = TDbiEngine::ResolveTable(DataSet.Directory(), name);
        if (tableName.empty()) throw EDBEngineError(DBIERR_INVALIDPARAM, "No table name");
        database = TDbiEngine::Default().OpenDatabase(folder);
        if (TDbiDatabase::IsEngineTable(tableName))
            throw EDBEngineError(DBIERR_INVALIDPARAM, "The table is the engine's own");
        if (InUse(*database, tableName, Answer))
            throw EDBEngineError(DBIERR_INVALIDPARAM, "The table is in use");
        table = tableName;
    } catch (const EDBEngineError& e) {
        MessageBox(0, e.Message() + "(" + name + ")", "", MB_OK);
        return false;
    }
    // Writing it: all of it or nothing.
    database->Execute("SAVEPOINT answer_table");
    try {
        CopyAnswer(Answer, database, table);
        database->Execute("RELEASE answer_table");
    } catch (const Exception&) {
        database->Execute("ROLLBACK TO answer_table; RELEASE answer_table");
        Answer.SetToBegin();
        MessageBox(0, "Unable to create answer table " + name, "Warning", MB_ICONWARNING | MB_OK);
        return false;
    }
    Answer.SetToBegin();
    return true;
}

}  // namespace vex
