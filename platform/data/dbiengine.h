#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/data/dbicursor.h"
#include "platform/data/dbidatabase.h"

namespace vex {

// The engine's process-wide state: the alias registry and the open database files. Each folder
// holds one SQLite file, DatabaseFileName, with every table of the folder; a file is opened
// once however many cursors use it.
class TDbiEngine {
public:
    static TDbiEngine& Default();
    static constexpr const char* DatabaseFileName = "tables.sqlite";

    void AddAlias(const std::string& Alias, const std::string& Path);
    void DeleteAlias(const std::string& Alias);
    bool AliasExists(const std::string& Alias) const;
    // The folder of an alias; an unknown alias raises DBIERR_OBJNOTFOUND.
    std::string AliasPath(const std::string& Alias) const;

    // The configuration list at Path: "\Databases\<alias>\db info" lists TYPE and PATH of an
    // alias. DBIERR_OBJNOTFOUND for any other path or an unknown alias.
    DBIResult OpenCfgInfoList(const std::string& Path,
                              std::vector<std::pair<std::string, std::string>>& Entries) const;

    // The database file of a folder (created when missing, the folder must exist).
    std::shared_ptr<TDbiDatabase> OpenDatabase(const std::string& Directory);

    // Splits a table name into the folder whose database holds it and the table's own name: a
    // name with a folder names that folder (relative ones below Directory); an extension .db or
    // .dbf is not part of the name.
    static std::pair<std::string, std::string> ResolveTable(const std::string& Directory,
                                                            const std::string& TableName);
    std::unique_ptr<TDbiCursor> OpenTable(const std::string& Directory,
                                          const std::string& TableName,
                                          const std::string& IndexName = "");

private:
    std::map<std::string, std::string> FAliases;  // upper-cased alias to folder
    std::map<std::string, std::weak_ptr<TDbiDatabase>> FDatabases;
};

}  // namespace vex
