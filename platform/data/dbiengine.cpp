#include "platform/data/dbiengine.h"

#include <filesystem>

#include "platform/core/stringutils.h"

namespace vex {

TDbiEngine& TDbiEngine::Default() {
    static TDbiEngine engine;
    return engine;
}

void TDbiEngine::AddAlias(const std::string& Alias, const std::string& Path) {
    if (Trim(Alias).empty()) throw EDBEngineError(DBIERR_INVALIDPARAM, "An alias needs a name");
    FAliases[UpperCase(Alias)] = Path;
}

void TDbiEngine::DeleteAlias(const std::string& Alias) {
    FAliases.erase(UpperCase(Alias));
}

bool TDbiEngine::AliasExists(const std::string& Alias) const {
    return FAliases.count(UpperCase(Alias)) != 0;
}

std::string TDbiEngine::AliasPath(const std::string& Alias) const {
    const auto it = FAliases.find(UpperCase(Alias));
    if (it == FAliases.end()) throw EDBEngineError(DBIERR_OBJNOTFOUND, "Alias " + Alias);
    return it->second;
}

DBIResult TDbiEngine::OpenCfgInfoList(
    const std::string& Path, std::vector<std::pair<std::string, std::string>>& Entries) const {
    Entries.clear();
    static const std::string prefix = "\\DATABASES\\", suffix = "\\DB INFO";
    const std::string path = UpperCase(Path);
    if (path.size() <= prefix.size() + suffix.size() || path.rfind(prefix, 0) != 0 ||
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0)
        return DBIERR_OBJNOTFOUND;
    const std::string alias =
        path.substr(prefix.size(), path.size() - prefix.size() - suffix.size());
    const auto it = FAliases.find(alias);
    if (it == FAliases.end()) return DBIERR_OBJNOTFOUND;
    Entries = {{"TYPE", "STANDARD"}, {"PATH", it->second}};
    return DBIERR_NONE;
}

std::shared_ptr<TDbiDatabase> TDbiEngine::OpenDatabase(const std::string& Directory) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(Directory.empty() ? "." : Directory, error);
    if (error || !fs::is_directory(folder))
        throw EDBEngineError(DBIERR_CANNOTOPEN, "No folder " + Directory);
    const std::string file = (folder / DatabaseFileName).string();
    if (auto open = FDatabases[file].lock()) return open;
    auto database = std::make_shared<TDbiDatabase>(file);
    FDatabases[file] = database;
    return database;
}

std::pair<std::string, std::string> TDbiEngine::ResolveTable(const std::string& Directory,
                                                             const std::string& TableName) {
    namespace fs = std::filesystem;
    fs::path name(TableName);
    std::string table = name.filename().string();
    const std::string extension = LowerCase(name.extension().string());
    if (extension == ".db" || extension == ".dbf") table = name.stem().string();
    fs::path folder = name.parent_path();
    if (folder.empty())
        folder = Directory;
    else if (folder.is_relative())
        folder = fs::path(Directory) / folder;
    return {folder.string(), table};
}

std::unique_ptr<TDbiCursor> TDbiEngine::OpenTable(const std::string& Directory,
                                                  const std::string& TableName,
                                                  const std::string& IndexName) {
    const auto [folder, table] = ResolveTable(Directory, TableName);
    if (table.empty()) throw EDBEngineError(DBIERR_NOSUCHTABLE, "No table name");
    return std::make_unique<TDbiCursor>(OpenDatabase(folder), table, IndexName);
}

}  // namespace vex
